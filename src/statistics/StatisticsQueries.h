#pragma once

#include <QString>
#include <QVariant>
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

    // The hub's six figures.
    struct Summary {
        qint64 anz = 0;
        QVariant mittel; // mean strokes per minute; NULL when no row has a duration
        qint64 zeichen = 0;
        qint64 fliha = 0; // errors of the left hand
        qint64 freha = 0; // errors of the right hand
    };

    // Rows of log; -1 when the statement fails.
    qint64 LogCount() const;
    std::optional<Summary> summary() const;

    // Dateiname, [Anzahl von Id]: results per lesson title.
    bool lessonCounts(RecordSet& rs) const;
    // Zeitpunkt AS Datum, Anschlaege: the n latest results (with every further result that
    // shares the n-th time stamp), oldest first.
    bool tempo(RecordSet& rs, int n) const;
    // One row: linke_Summe, links_Klein .. rechts_Klein, rechte_Summe.
    bool fingerSums(RecordSet& rs) const;
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

    const Database& db_;
    mutable QString lastError_;
};
