#include "StatisticsText.h"

#include <QLocale>
#include <cmath>

namespace StatisticsText {

namespace {

QLocale userLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QLocale german() {
    return QLocale(QLocale::German, QLocale::Germany);
}

QChar dateSeparator() {
    // The first character of the short date pattern that is neither a field letter nor quoted.
    const QString pattern = QLocale().dateFormat(QLocale::ShortFormat);
    for (const QChar c : pattern) {
        if (!c.isLetter() && c != QLatin1Char('\''))
            return c;
    }
    return QLatin1Char('.');
}

} // namespace

QDateTime zeitpunkt(const QVariant& stored) {
    return QDateTime::fromString(stored.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString plain(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

QString number(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return QString();
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int ||
        value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::UInt)
        return QString::number(value.toLongLong());
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok)
        return value.toString();
    return std::isfinite(d) ? userLocale().toString(d, 'g', QLocale::FloatingPointShortest)
                            : QString();
}

QString average(const QVariant& mittel) {
    if (mittel.isNull() || !mittel.isValid())
        return QString();
    const float single = mittel.toFloat();
    // nearbyint rounds half to even in the default rounding mode.
    const float rounded = float(std::nearbyint(double(single) * 10.0) / 10.0);
    // An average beyond the single-precision range has no figure to show.
    return std::isfinite(rounded) ? userLocale().toString(double(rounded), 'g', 7) : QString();
}

QString twoDecimals(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return QString();
    // Two decimals are exact only while the whole part leaves them room among the 15 digits a
    // double holds.
    const double d = value.toDouble();
    return std::abs(d) < 1e13 ? userLocale().toString(d, 'f', 2) : QString();
}

QString datum(const QVariant& stored) {
    const QDateTime t = zeitpunkt(stored);
    return t.isValid() ? german().toString(t, QStringLiteral("d MMMM yyyy")) : QString();
}

QString uhrzeit(const QVariant& stored) {
    const QDateTime t = zeitpunkt(stored);
    return t.isValid() ? t.toString(QStringLiteral("HH:mm:ss")) : QString();
}

QString datumZeit(const QVariant& stored) {
    const QDateTime t = zeitpunkt(stored);
    return t.isValid() ? german().toString(t, QStringLiteral("d. MMMM yyyy   H:mm")) : QString();
}

QString kurzDatum(const QVariant& stored) {
    const QDateTime t = zeitpunkt(stored);
    if (!t.isValid())
        return QString();
    const QChar sep = dateSeparator();
    return t.toString(QStringLiteral("d%1MM%1yy").arg(sep));
}

QString jetzt(const QDateTime& now) {
    return now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

} // namespace StatisticsText
