#pragma once

#include "ExactSum.h"

#include <QString>
#include <QVariant>
#include <array>
#include <optional>

class Database;
class KeyedRecordSet;
class RecordSet;

// Every statement the statistics windows run on table log. A computed value whose divisor
// (Dauer, Zeichenanzahl) is 0 comes back as NULL, so no statement divides by zero and such a
// row drops out of the average while its other columns still show.
class StatisticsQueries {
public:
    explicit StatisticsQueries(const Database& db) : db_(db) {}

    // Totals over all rows of log, exact whatever their size.
    struct Totals {
        ExactSum zeichen;
        // Each row's ff1+..+ff5 and ff6+..+ff10; a row with a NULL finger adds nothing.
        ExactSum left, right;
        std::array<ExactSum, 10> fingers; // ff1 .. ff10
    };
    // The hub's figures.
    struct Summary {
        qint64 anz = 0;
        QVariant mittel; // mean strokes per minute; NULL when no row has a duration
        Totals totals;
    };

    // Rows of log; -1 when the statement fails.
    qint64 LogCount() const;
    std::optional<Summary> summary() const;

    // Dateiname, [Anzahl von Id]: results per lesson title.
    bool lessonCounts(RecordSet& rs) const;
    // Zeitpunkt AS Datum, Anschlaege: the n latest results (with every further result that
    // shares the n-th time stamp), oldest first.
    bool tempo(RecordSet& rs, int n) const;
    // The finger totals are left at 0 unless fingers is true.
    std::optional<Totals> totals(bool fingers) const;
    // Zeitpunkt, dateiname, Zeichenanzahl, DauerM, Treffer, Fehler, Fehlerproz, Ansch; oldest
    // first.
    bool results(KeyedRecordSet& rs) const;
    // Zeitpunkt, Dateiname, linke_Hand, links_Klein .. rechts_Klein, rechte_Hand; oldest first.
    bool fingerErrors(KeyedRecordSet& rs) const;

    QString lastError() const { return lastError_; }

private:
    bool open(RecordSet& rs, const QString& sql, const QVariantList& values = {}) const;
    // The rows of log in time order, each read with columns when it becomes the current one.
    bool openInTimeOrder(KeyedRecordSet& rs, const QString& columns) const;
    QVariant value(const QString& sql, const QString& field, bool* ok) const;
    // The totals added up row by row, in a type that cannot overflow.
    std::optional<Totals> addedUp() const;

    const Database& db_;
    mutable QString lastError_;
};
