#pragma once

#include <QFont>

// What the whole program shares in how it draws, set once right after the application object.
namespace ApplicationLook {

// Every character keeps a glyph of its own and text is laid out without an OpenType shaping
// pass: the course is Latin text, and shaping cost time on every repaint of the lesson text
// and half a megabyte of font tables.
constexpr QFont::StyleStrategy GlyphStrategy = QFont::PreferNoShaping;

// A font of the design: its family, with a metric twin where the family is missing, and a
// fallback class that keeps the program's glyph strategy.
QFont designFont(const QString& family, const QString& twin, QFont::StyleHint hint, qreal points,
                 bool bold = false);

// The application font (the forms' default) and style. The style draws the menu bar's overflow
// arrow itself: reading Qt's picture of it loads every image-format plug-in at start.
void apply();

} // namespace ApplicationLook
