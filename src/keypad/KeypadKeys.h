#pragma once

#include <QRect>
#include <QString>
#include <array>

// The keys of the on-screen numeric keypad, in the order of the window's key array. Each key
// carries its Windows virtual-key code as decimal text in its tag; the NumLock key has none,
// so typing never lights it.
struct KeypadKeyDef {
    QString tag;
    QString legend;    // upper left corner of the cap
    QString subLegend; // beneath it; empty for a one-part legend
    QRect twips;       // left, top, width, height inside the keypad frame
};

constexpr int KeypadKeyCount = 17;
using KeypadKeyArray = std::array<KeypadKeyDef, KeypadKeyCount>;

const KeypadKeyArray& keypadKeys();

// Index of the key whose tag is code written in decimal, -1 when none is; the NumLock key
// (index 0) is never found.
int keypadKeyIndex(int keyCode);

// The NumLock key's second legend: an outlined arrow pointing down, drawn by the key itself.
inline const QString OutlinedDownArrow = QStringLiteral("\u21e9");
