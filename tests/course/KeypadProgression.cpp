#include "KeypadProgression.h"

#include "CourseText.h"

QStringList KeypadProgression::admit(const QString& where, const QString& text) {
    QStringList faults;
    bool onlyPairs = true;
    QSet<QChar> used;
    for (const QString& line : CourseText::lines(text, &onlyPairs)) {
        if (line.isEmpty())
            faults << where + QStringLiteral(": an empty line");
        for (const QChar c : line) {
            if (keypadCharacters().contains(c))
                used.insert(c);
            else
                faults << where + QStringLiteral(": '%1' is not on the keypad").arg(c);
        }
    }
    if (!onlyPairs)
        faults << where + QStringLiteral(": a line break is not a CR LF pair");

    const QSet<QChar> fresh = used - known_;
    if (known_.isEmpty()) {
        const QSet<QChar> home{QLatin1Char('4'), QLatin1Char('5'), QLatin1Char('6')};
        if (!(fresh - home).isEmpty() || fresh.isEmpty())
            faults << where +
                          QStringLiteral(": the first lesson must type the home keys 4 5 6 only");
    } else if (fresh.size() > MaxNewKeys) {
        faults << where + QStringLiteral(": %1 new keys at once").arg(fresh.size());
    }
    known_ |= fresh;
    return faults;
}
