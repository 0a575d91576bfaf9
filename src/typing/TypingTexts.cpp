#include "TypingTexts.h"

#include <QLocale>
#include <QStringList>

QString FormatMinSec(qint32 seconds) {
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString formatSingle(float value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(double(value), 'g', 7);
}

QString ffstr(const LessonCounters& counters) {
    QStringList parts;
    for (int f = 1; f <= 10; ++f)
        parts << QString::number(counters.ff[f]);
    return parts.join(QLatin1Char(','));
}

QString typableLessonText(const QString& lessonText) {
    const QChar cr(u'\r'), lf(u'\n'), blank(u' ');
    QString text;
    text.reserve(lessonText.size());
    for (qsizetype i = 0; i < lessonText.size(); ++i) {
        const QChar c = lessonText.at(i);
        if (c == cr || c == lf) {
            text += cr;
            text += lf;
            if (c == cr && i + 1 < lessonText.size() && lessonText.at(i + 1) == lf)
                ++i; // CR LF is one line break
        } else if (c.unicode() < 32 || c.unicode() == 0x7F) {
            // Tab moves the focus, Delete types nothing, no key gives the other controls.
            text += blank;
        } else {
            text += c;
        }
    }
    return text;
}

qint32 CountChars(const QString& lessonText) {
    qint32 count = qint32(lessonText.size());
    // Each CR is taken with the character after it, as a CR LF pair.
    for (qsizetype p = lessonText.indexOf(QLatin1Char('\r')); p >= 0;
         p = lessonText.indexOf(QLatin1Char('\r'), p + 2))
        count -= 2;
    return count;
}

QString summaryText(const LessonCounters& c) {
    return QStringLiteral("MaxZeichen: ") + QString::number(c.Zeichenanzahl) +
           QStringLiteral("   Übungsdauer: ") + FormatMinSec(c.Dauer) + QStringLiteral("\r\n") +
           QStringLiteral("Fehler: ") + QString::number(c.Fehler) + QStringLiteral("(") +
           formatSingle(c.FehlerProz) + QStringLiteral(" Prozent ) ") +
           QString::number(qint64(c.AnschPerMin)) + QStringLiteral(" Anschläge/Min") +
           QStringLiteral("\r\n") +
           QStringLiteral("Um ein neue Lektion auszuwählen, drücken Sie ENTER");
}

QString welcomeText() {
    return QStringLiteral(
        "Willkommen zu Quendal 1.1\r\nUm eine Lektion auszuwählen, drücken Sie ENTER");
}
