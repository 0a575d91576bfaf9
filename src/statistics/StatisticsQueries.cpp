#include "StatisticsQueries.h"

#include "KeyedRecordSet.h"
#include "platform/Database.h"
#include "platform/RecordSet.h"

namespace {

// Strokes per minute of one result, errors counted as strokes, cut toward zero. The real
// division keeps the fraction that integer columns would lose before the cut.
const char* const AnschExpr = "CAST((Treffer+Fehler)*60.0/NULLIF(Dauer,0) AS INTEGER)";

} // namespace

qint64 StatisticsQueries::LogCount() const {
    bool ok = false;
    const QVariant n =
        value(QStringLiteral("SELECT count(*) as Anzahl From log"), QStringLiteral("Anzahl"), &ok);
    return ok ? n.toLongLong() : -1;
}

std::optional<StatisticsQueries::Summary> StatisticsQueries::summary() const {
    const struct {
        const char* sql;
        const char* field;
    } steps[] = {
        {"SELECT COUNT(*)AS anz FROM log", "anz"},
        {"SELECT Avg((Treffer+Fehler)*60.0/NULLIF(Dauer,0)) AS mittel FROM log", "mittel"},
        {"SELECT Sum(Zeichenanzahl) as zeichen FROM log", "zeichen"},
        {"SELECT Sum([ff1]+[ff2]+[ff3]+[ff4]+[ff5]) AS fliha FROM log", "fliha"},
        {"SELECT Sum([ff6]+[ff7]+[ff8]+[ff9]+[ff10]) AS freha FROM log", "freha"},
    };
    QVariant v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = value(QLatin1String(steps[i].sql), QLatin1String(steps[i].field), &ok);
        if (!ok)
            return std::nullopt;
    }
    return Summary{v[0].toLongLong(), v[1], v[2].toLongLong(), v[3].toLongLong(),
                   v[4].toLongLong()};
}

bool StatisticsQueries::lessonCounts(RecordSet& rs) const {
    return open(rs, QStringLiteral("SELECT Dateiname, Count(log.Id) AS [Anzahl von Id] "
                                   "FROM log GROUP BY Dateiname"));
}

bool StatisticsQueries::tempo(RecordSet& rs, int n) const {
    // The n-th latest time stamp is the lower bound, so every row that ties with it stays in;
    // with fewer than n rows there is none, and the empty text lets every row through.
    return open(rs,
                QStringLiteral("SELECT Zeitpunkt AS Datum, %1 AS Anschlaege FROM log "
                               "WHERE Zeitpunkt >= COALESCE((SELECT Zeitpunkt FROM log "
                               "ORDER BY Zeitpunkt DESC LIMIT 1 OFFSET ?), '') "
                               "ORDER BY Zeitpunkt, Id")
                    .arg(QLatin1String(AnschExpr)),
                {qMax(n, 1) - 1});
}

bool StatisticsQueries::fingerSums(RecordSet& rs) const {
    // The hand totals add up the finger sums: the finger columns take no NULL, so this is the
    // sum of each row's five fingers, read in one pass that adds each column once.
    return open(rs,
                QStringLiteral("SELECT f1+f2+f3+f4+f5 AS linke_Summe, f1 AS links_Klein, f2 AS "
                               "links_Ring, f3 AS links_Mittel, f4 AS links_Zeige, f5 AS "
                               "links_Daumen, f6 AS rechts_Daumen, f7 AS rechts_Zeige, f8 AS "
                               "rechts_Mittel, f9 AS rechts_Ring, f10 AS rechts_Klein, "
                               "f6+f7+f8+f9+f10 AS rechte_Summe FROM (SELECT Sum(ff1) AS f1, "
                               "Sum(ff2) AS f2, Sum(ff3) AS f3, Sum(ff4) AS f4, Sum(ff5) AS f5, "
                               "Sum(ff6) AS f6, Sum(ff7) AS f7, Sum(ff8) AS f8, Sum(ff9) AS f9, "
                               "Sum(ff10) AS f10 FROM log)"));
}

bool StatisticsQueries::results(KeyedRecordSet& rs) const {
    return openInTimeOrder(
        rs,
        QStringLiteral("Zeitpunkt, Dateiname AS dateiname, Zeichenanzahl, printf('%02d:%02d', "
                       "Dauer/60, Dauer%60) AS DauerM, Treffer, Fehler, "
                       "round(Fehler*100.0/NULLIF(Zeichenanzahl,0),2) AS Fehlerproz, %1 AS Ansch")
            .arg(QLatin1String(AnschExpr)));
}

bool StatisticsQueries::fingerErrors(KeyedRecordSet& rs) const {
    return openInTimeOrder(
        rs, QStringLiteral("Zeitpunkt, Dateiname, [ff1]+[ff2]+[ff3]+[ff4]+[ff5] AS linke_Hand, ff1 "
                           "AS links_Klein, ff2 AS links_Ring, ff3 AS links_Mittel, ff4 AS "
                           "links_Zeige, ff5 AS links_Daumen, ff6 AS rechts_Daumen, ff7 AS "
                           "rechts_Zeige, ff8 AS rechts_Mittel, ff9 AS rechts_Ring, ff10 AS "
                           "rechts_Klein, [ff6]+[ff7]+[ff8]+[ff9]+[ff10] AS rechte_Hand"));
}

bool StatisticsQueries::openInTimeOrder(KeyedRecordSet& rs, const QString& columns) const {
    // Rows of equal time stamps keep the order in which they were stored.
    if (rs.open(db_, QStringLiteral("SELECT Id FROM log ORDER BY Zeitpunkt, Id"),
                QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM log WHERE Id = ?")))
        return true;
    lastError_ = rs.lastError();
    return false;
}

bool StatisticsQueries::open(RecordSet& rs, const QString& sql, const QVariantList& values) const {
    if (rs.open(db_, sql, values))
        return true;
    lastError_ = rs.lastError();
    return false;
}

QVariant StatisticsQueries::value(const QString& sql, const QString& field, bool* ok) const {
    RecordSet rs;
    *ok = open(rs, sql) && rs.hasField(field) && !rs.eof();
    return *ok ? rs.field(field) : QVariant();
}
