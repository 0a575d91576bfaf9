#include "StatisticsQueries.h"

#include "KeyedRecordSet.h"
#include "platform/Database.h"
#include "platform/RecordSet.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Strokes per minute of one result, errors counted as strokes, cut toward zero. The real
// division keeps the fraction that integer columns would lose before the cut. Its dividend is
// exact below 2^53, and so is the cut; beyond, the value is unknown (NULL), where the database
// would clamp it to the largest integer.
const char* const AnschExpr = "CASE WHEN abs((Treffer+Fehler)*60.0) < 9007199254740992.0 THEN "
                              "CAST((Treffer+Fehler)*60.0/NULLIF(Dauer,0) AS INTEGER) END";

// Errors per hundred characters to two decimals, an exact half to the even digit as the
// result's own error percent is rounded; the database's round takes it away from zero.
QString fehlerprozExpr() {
    return QStringLiteral("CASE WHEN abs(%1*100 - CAST(%1*100 AS INTEGER)) = 0.5 THEN "
                          "(CAST(%1*100 AS INTEGER) + CAST(%1*100 AS INTEGER) % 2)/100.0 "
                          "ELSE round(%1,2) END")
        .arg(QLatin1String("(Fehler*100.0/NULLIF(Zeichenanzahl,0))"));
}

} // namespace

qint64 StatisticsQueries::LogCount() const {
    bool ok = false;
    const QVariant n =
        value(QStringLiteral("SELECT count(*) as Anzahl From log"), QStringLiteral("Anzahl"), &ok);
    return ok ? n.toLongLong() : -1;
}

std::optional<StatisticsQueries::Summary> StatisticsQueries::summary() const {
    bool ok = false;
    const QVariant anz =
        value(QStringLiteral("SELECT COUNT(*)AS anz FROM log"), QStringLiteral("anz"), &ok);
    if (!ok)
        return std::nullopt;
    const QVariant mittel = value(
        QStringLiteral("SELECT Avg((Treffer+Fehler)*60.0/NULLIF(Dauer,0)) AS mittel FROM log"),
        QStringLiteral("mittel"), &ok);
    if (!ok)
        return std::nullopt;
    std::optional<Totals> t = totals(false);
    if (!t)
        return std::nullopt;
    return Summary{anz.toLongLong(), mittel, *t};
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

std::optional<StatisticsQueries::Totals> StatisticsQueries::totals(bool fingers) const {
    // The database's Sum is exact while it gives whole numbers: beyond 64 bits it fails, and a
    // row's "+" turns into an inexact real number. Then the rows are added up here.
    QStringList sums{QStringLiteral("Sum(Zeichenanzahl)"),
                     QStringLiteral("Sum(ff1+ff2+ff3+ff4+ff5)"),
                     QStringLiteral("Sum(ff6+ff7+ff8+ff9+ff10)")};
    for (int f = 1; fingers && f <= 10; ++f)
        sums << QStringLiteral("Sum(ff%1)").arg(f);
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    if (db_.run(q, QStringLiteral("SELECT %1 FROM log").arg(sums.join(QStringLiteral(", ")))) &&
        q.next()) {
        Totals t;
        ExactSum* figures[13] = {&t.zeichen, &t.left, &t.right};
        for (int f = 0; f < 10; ++f)
            figures[3 + f] = &t.fingers[std::size_t(f)];
        bool whole = true;
        for (int i = 0; i < sums.size(); ++i) {
            whole = whole && (q.isNull(i) || q.value(i).typeId() == QMetaType::LongLong);
            figures[i]->add(q.isNull(i) ? QVariant() : q.value(i));
        }
        if (whole)
            return t;
    }
    return addedUp();
}

std::optional<StatisticsQueries::Totals> StatisticsQueries::addedUp() const {
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    if (!db_.run(q, QStringLiteral("SELECT Zeichenanzahl, ff1, ff2, ff3, ff4, ff5, ff6, ff7, ff8, "
                                   "ff9, ff10 FROM log"))) {
        lastError_ = db_.lastError();
        return std::nullopt;
    }
    Totals t;
    QVariantList hand[2];
    while (q.next()) {
        t.zeichen.add(q.value(0));
        hand[0].clear();
        hand[1].clear();
        for (int f = 0; f < 10; ++f) {
            // NULL stays recognisable whatever form the driver hands it in.
            const QVariant v = q.isNull(f + 1) ? QVariant() : q.value(f + 1);
            t.fingers[std::size_t(f)].add(v);
            hand[f / 5] << v;
        }
        t.left.addRow(hand[0]);
        t.right.addRow(hand[1]);
    }
    if (q.lastError().isValid()) { // a total of part of the rows would be wrong
        lastError_ = q.lastError().text();
        return std::nullopt;
    }
    return t;
}

bool StatisticsQueries::results(KeyedRecordSet& rs) const {
    return openInTimeOrder(
        rs,
        QStringLiteral("Zeitpunkt, Dateiname AS dateiname, Zeichenanzahl, CASE WHEN typeof(Dauer) "
                       "= 'integer' THEN printf('%02d:%02d', Dauer/60, Dauer%60) END AS DauerM, "
                       "Treffer, Fehler, ") +
            fehlerprozExpr() + QStringLiteral(" AS Fehlerproz, ") + QLatin1String(AnschExpr) +
            QStringLiteral(" AS Ansch"));
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
