#pragma once

#include <QFont>

// What the whole program shares in how it draws, set once right after the application object.
namespace ApplicationLook {

// Every character keeps a glyph of its own and text is laid out without an OpenType shaping
// pass: the course is Latin text, and shaping cost time on every repaint of the lesson text
// and half a megabyte of font tables.
constexpr QFont::StyleStrategy GlyphStrategy = QFont::PreferNoShaping;

// The families a font of the design asks for: its own, with a metric twin where it is missing.
// Asks Qt for its font list: not before the font catalogue is read (StartUpWarmUp::wait).
QStringList designFamilies(const QString& family, const QString& twin);

// A font of the design: its families, and a fallback class that keeps the program's glyph
// strategy.
QFont designFont(const QString& family, const QString& twin, QFont::StyleHint hint, qreal points,
                 bool bold = false);

// The application font (the forms' default) and style; after the font catalogue is read. The style draws the menu bar's overflow
// arrow itself: reading Qt's picture of it loads every image-format plug-in at start.
void apply();

} // namespace ApplicationLook
