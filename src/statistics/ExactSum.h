#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

// A whole-number total that cannot wrap: values are added in 128 bits, so even sums of values
// near the 64-bit limit stay exact. A value that is no whole number of 64 bits (a fraction, an
// infinity, text) makes the total unknown: such a figure shows empty rather than wrong.
class ExactSum {
public:
    // NULL adds nothing, as in the database's Sum.
    void add(const QVariant& value);
    void add(const ExactSum& other);

    // Decimal digits with a leading minus; empty when unknown.
    QString text() const;
    // The total as a floating-point number, for drawing; NULL when unknown.
    QVariant toVariant() const;

    // One row's values, added as the database adds them with "+": nothing when one of them
    // is NULL, and then false.
    bool addRow(const QVariantList& values);

private:
    __extension__ typedef __int128 Int;
    Int total_ = 0;
    bool known_ = true;
};
