#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the program stores them: 0x00BBGGRR. A value whose top byte is 0x80 names a
// system colour by its low byte (0x8000000F is the button face).
namespace OleColor {

constexpr quint32 Black = 0x000000;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 Green = 0x00FF00;
constexpr quint32 Yellow = 0x00FFFF;
constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Neutral = 0xFFC0C0; // the light blue of an unlit key
constexpr quint32 Grey = 0xC0C0C0;
constexpr quint32 LightGrey = 0xE0E0E0;
constexpr quint32 ButtonFace = 0x8000000F;

bool isSystemColor(quint32 ole);
QColor toQColor(quint32 ole);
quint32 fromQColor(const QColor& color);

} // namespace OleColor
