#include "ExactSum.h"

#include <cmath>

void ExactSum::add(const QVariant& value) {
    if (value.isNull() || !known_)
        return;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        // 2^63 bounds the whole numbers a 64-bit column holds.
        known_ = std::isfinite(d) && std::trunc(d) == d && std::abs(d) < 0x1p63;
        if (known_)
            total_ += Int(d);
        return;
    }
    bool ok = false;
    const qlonglong v = value.toLongLong(&ok);
    known_ = ok;
    if (ok)
        total_ += v;
}

void ExactSum::add(const ExactSum& other) {
    known_ = known_ && other.known_;
    if (known_)
        total_ += other.total_;
}

QString ExactSum::text() const {
    if (!known_)
        return QString();
    Int rest = total_;
    QString digits;
    do {
        const int digit = int(rest % 10);
        digits.prepend(QChar(u'0' + (digit < 0 ? -digit : digit)));
        rest /= 10;
    } while (rest != 0);
    return total_ < 0 ? QLatin1Char('-') + digits : digits;
}

QVariant ExactSum::toVariant() const {
    return known_ ? QVariant(double(total_)) : QVariant();
}

bool ExactSum::addRow(const QVariantList& values) {
    for (const QVariant& v : values) {
        if (v.isNull())
            return false;
    }
    for (const QVariant& v : values)
        add(v);
    return true;
}
