#pragma once

#include "keyboard/KeyTable.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The rule by which the course brings in its keys, applied lesson by lesson in course order
// (the types in the order of their tabs, the lessons of a type by ordnungszahl):
//
// - A key is a key of the on-screen keyboard, a row of the key table. A character needs the key
//   that carries it. The key's second name (a capital, the sign above a digit, ";", ":", "_",
//   "*", "'", ">") also needs a Shift key, its third name ("@", "€") the AltGr key.
// - Shift comes from the other hand: a shifted character of a left-hand finger needs SHIFTR, one
//   of a right-hand finger SHIFTL. The "<|>" key, in no finger zone, counts by its place left of
//   the space bar's middle.
// - The space bar and Return are there from the first lesson on (the thumbs rest on the space
//   bar, every line ends with Return) and are never new. A line break is a CR LF pair.
// - A key is new in the first lesson that needs it or lists it in tasten. A lesson brings at most
//   two new keys, or one new modifier (SHIFTL, SHIFTR or ALTGR) and nothing else, and lists every
//   new key in tasten, so that the preview shows it. Once introduced, a letter key serves both
//   cases as soon as the Shift key of the other hand is known.
// - Every tasten item names a key that the lesson's text needs, so the preview lights nothing
//   that the lesson does not type.
class KeyProgression {
public:
    static constexpr int MaxNewKeys = 2;

    KeyProgression();

    // Checks the next lesson in course order and adds its new keys to the known ones. Returns
    // the faults, each starting with where; an empty list when the lesson keeps the rule.
    QStringList admit(const QString& where, const QString& text, const QString& tasten);

    // Key table rows that the last admitted lesson brought in.
    QList<int> lastNewKeys() const { return lastNew_; }
    bool isKnown(int row) const { return known_.contains(row); }
    // The row of the first key that carries name, -1 when none does.
    int keyOf(const QString& name) const;
    // A key's first name, as a fault message shows it.
    QString keyName(int row) const;
    const KeyTableArray& keys() const { return keys_; }

private:
    QSet<int> keysNeeded(const QString& where, const QString& text, QStringList* faults) const;
    bool typedByLeftHand(int row) const;

    KeyTableArray keys_;
    FingerZoneArray zones_;
    int space_ = -1;
    int return_ = -1;
    int shiftLeft_ = -1;
    int shiftRight_ = -1;
    int altGr_ = -1;
    QSet<int> known_;
    QList<int> lastNew_;
};
