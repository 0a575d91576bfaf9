#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The rule of the keypad course, applied to the keypad lessons in the order of their list: the
// first lesson types only the home keys 4, 5 and 6; every later lesson brings at most three new
// keypad keys (one row of the block). A keypad key is one of the characters 0 to 9, "/", "*",
// "-", "+" and ","; Enter, the line break (a CR LF pair), is there from the start.
class KeypadProgression {
public:
    static constexpr int MaxNewKeys = 3;
    static QString keypadCharacters() { return QStringLiteral("0123456789/*-+,"); }

    // Checks the next keypad lesson; faults start with where.
    QStringList admit(const QString& where, const QString& text);
    QSet<QChar> known() const { return known_; }

private:
    QSet<QChar> known_;
};
