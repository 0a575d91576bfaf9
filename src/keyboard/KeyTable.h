#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <array>

// One on-screen key: the virtual-key code its key events report, and the names of the key
// ("f|F", "q|Q|@", or a word such as "LEER", "RETURN", "SHIFTL").
struct KeyDef {
    qint16 KeyCode = 0;
    QString Names;
};

constexpr int KeyCount = 62;
constexpr int ReturnKeyIndex = 53;
constexpr qint16 NoKeyCode = 999; // F1: no key event reports it

using KeyTableArray = std::array<KeyDef, KeyCount>;
// Index 1..10 (left little finger .. right little finger); index 0 stays empty.
using FingerZoneArray = std::array<QString, 11>;

KeyTableArray BuildKeyTable();
FingerZoneArray BuildFingerZones();

// Position and size of on-screen key i inside the keyboard frame, in twips.
QRect keyGeometryTwips(int index);

// The finger (1..10) whose zone lists key, 0 when no zone does. The first finger wins, so a
// blank ("LEER") gives 5.
int fingerForKey(const FingerZoneArray& zones, const QString& key);

// True when one of the key's names equals name exactly.
bool keyHasName(const KeyDef& key, const QString& name);

// Every single-character name of the table: the characters a lesson text may contain besides
// blanks and line breaks.
QString typeableCharacters(const KeyTableArray& table);
