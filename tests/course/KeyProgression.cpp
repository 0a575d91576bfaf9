#include "KeyProgression.h"

#include <algorithm>

KeyProgression::KeyProgression() : keys_(BuildKeyTable()), zones_(BuildFingerZones()) {
    space_ = keyOf(QStringLiteral("LEER"));
    return_ = keyOf(QStringLiteral("RETURN"));
    shiftLeft_ = keyOf(QStringLiteral("SHIFTL"));
    shiftRight_ = keyOf(QStringLiteral("SHIFTR"));
    altGr_ = keyOf(QStringLiteral("ALTGR"));
    known_ = {space_, return_};
}

int KeyProgression::keyOf(const QString& name) const {
    for (int row = 0; row < KeyCount; ++row)
        if (keyHasName(keys_[row], name))
            return row;
    return -1;
}

QString KeyProgression::keyName(int row) const {
    return keys_[row].Names.section(QLatin1Char('|'), 0, 0);
}

bool KeyProgression::typedByLeftHand(int row) const {
    const int finger = fingerForKey(zones_, keyName(row));
    if (finger != 0)
        return finger <= 5;
    const int spaceMiddle = keyGeometryTwips(space_).center().x();
    return keyGeometryTwips(row).center().x() < spaceMiddle;
}

QSet<int> KeyProgression::keysNeeded(const QString& where, const QString& text,
                                     QStringList* faults) const {
    QSet<int> needed{return_};
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char(' ')) {
            needed.insert(space_);
            continue;
        }
        const int row = keyOf(QString(c));
        if (row < 0 || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            *faults << where + QStringLiteral(": '%1' (U+%2) is on no key")
                                   .arg(c)
                                   .arg(c.unicode(), 4, 16, QLatin1Char('0'));
            continue;
        }
        needed.insert(row);
        const int level = keys_[row].Names.split(QLatin1Char('|')).indexOf(QString(c));
        if (level == 1)
            needed.insert(typedByLeftHand(row) ? shiftRight_ : shiftLeft_);
        else if (level == 2)
            needed.insert(altGr_);
    }
    return needed;
}

QStringList KeyProgression::admit(const QString& where, const QString& text,
                                  const QString& tasten) {
    QStringList faults;
    const QSet<int> needed = keysNeeded(where, text, &faults);

    QSet<int> listed;
    for (const QString& item : tasten.split(QLatin1Char('|'))) {
        const int row = keyOf(item);
        if (row < 0) {
            faults << where + QStringLiteral(": tasten item \"%1\" names no key").arg(item);
            continue;
        }
        if (!needed.contains(row))
            faults << where + QStringLiteral(": tasten item \"%1\" is a key the text does not type")
                                  .arg(item);
        listed.insert(row);
    }

    const QSet<int> fresh = (needed | listed) - known_;
    QList<int> sorted(fresh.begin(), fresh.end());
    std::sort(sorted.begin(), sorted.end());
    QStringList names;
    for (const int row : sorted) {
        names << keyName(row);
        if (!listed.contains(row))
            faults << where +
                          QStringLiteral(": new key %1 is missing from tasten").arg(keyName(row));
    }
    const bool modifier =
        fresh.contains(shiftLeft_) || fresh.contains(shiftRight_) || fresh.contains(altGr_);
    if (fresh.size() > MaxNewKeys || (modifier && fresh.size() > 1))
        faults << where + QStringLiteral(": too many new keys at once: %1").arg(names.join(u' '));

    known_ |= fresh;
    lastNew_ = sorted;
    return faults;
}
