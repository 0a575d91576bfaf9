#pragma once

#include <QFont>

// What the whole program shares in how it draws, set once right after the application object.
namespace ApplicationLook {

// Every character keeps a glyph of its own and text is laid out without an OpenType shaping
// pass: the course is Latin text, and shaping cost time on every repaint of the lesson text
// and half a megabyte of font tables.
constexpr QFont::StyleStrategy GlyphStrategy = QFont::PreferNoShaping;

// A design font's fallback class; setting it must not undo the program's glyph strategy.
void setStyleHint(QFont& font, QFont::StyleHint hint);

// The application font and style. The style draws the menu bar's overflow arrow itself:
// reading Qt's picture of it loads every image-format plug-in at start.
void apply();

} // namespace ApplicationLook
