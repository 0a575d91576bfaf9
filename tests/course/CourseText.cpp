#include "CourseText.h"

#include <QRegularExpression>
#include <algorithm>

namespace CourseText {

QStringList lines(const QString& text, bool* onlyPairs) {
    const QStringList result = text.split(QStringLiteral("\r\n"));
    if (onlyPairs) {
        *onlyPairs = std::none_of(result.begin(), result.end(), [](const QString& line) {
            return line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'));
        });
    }
    return result;
}

QStringList lessonFaults(const QString& where, const QString& text, const QString& typeable) {
    QStringList faults;
    bool onlyPairs = true;
    const QStringList all = lines(text, &onlyPairs);
    if (!onlyPairs)
        faults << where + QStringLiteral(": a line break is not a CR LF pair");
    if (all.size() < MinLines || all.size() > MaxLines)
        faults << where + QStringLiteral(": %1 lines").arg(all.size());
    for (int n = 0; n < all.size(); ++n) {
        const QString& line = all[n];
        const QString at = where + QStringLiteral(", line %1 \"%2\": ").arg(n + 1).arg(line);
        if (line.isEmpty())
            faults << at + QStringLiteral("empty");
        if (line.size() > MaxLineLength)
            faults << at + QStringLiteral("%1 characters").arg(line.size());
        if (line.startsWith(QLatin1Char(' ')) || line.endsWith(QLatin1Char(' ')))
            faults << at + QStringLiteral("blank at an end");
        if (line.contains(QStringLiteral("  ")))
            faults << at + QStringLiteral("two blanks in a row");
        for (const QChar c : line) {
            if (!typeable.contains(c))
                faults << at + QStringLiteral("'%1' (U+%2) is on no key")
                                   .arg(c)
                                   .arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return faults;
}

int sentenceCount(const QString& text) {
    static const QRegularExpression end(QStringLiteral("[.!?](\\s|$)"));
    int count = 0;
    for (auto it = end.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace CourseText
