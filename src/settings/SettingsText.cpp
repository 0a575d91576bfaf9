#include "SettingsText.h"

#include <cmath>
#include <limits>

namespace SettingsText {

QString fromBool(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString fromInt(qint64 value) {
    return QString::number(value);
}

QString fromSingle(float value) {
    return QString::number(double(value), 'g', 9);
}

bool toBool(const QString& text, bool fallback) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const qlonglong number = t.toLongLong(&ok);
    return ok ? number != 0 : fallback;
}

template <typename T> static T toInteger(const QString& text, T fallback) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        return fallback;
    return T(value);
}

qint32 toInt32(const QString& text, qint32 fallback) {
    return toInteger<qint32>(text, fallback);
}

qint16 toInt16(const QString& text, qint16 fallback) {
    return toInteger<qint16>(text, fallback);
}

float toSingle(const QString& text, float fallback) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) ||
        std::fabs(value) > double(std::numeric_limits<float>::max()))
        return fallback;
    return float(value);
}

} // namespace SettingsText
