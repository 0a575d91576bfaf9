#include "LessonQueries.h"

#include "platform/Database.h"
#include "platform/RecordSet.h"

namespace LessonQueries {

bool openTypes(RecordSet& rs, const Database& db) {
    // The tabs follow the order in which the types are stored. Said explicitly: without it
    // SQLite may read the names from their unique index, in alphabetical order.
    return rs.open(db, QStringLiteral("SELECT bezeichnung FROM uebungsarten ORDER BY rowid"));
}

qint32 LekCount(const Database& db, const QString& art) {
    // Grouped by the type, so an unknown type or one without lessons gives no row at all.
    RecordSet rs;
    if (!rs.open(db,
                 QStringLiteral("SELECT Count(uebungen.id) AS [count] FROM uebungsarten "
                                "INNER JOIN uebungen ON uebungsarten.id = uebungen.art "
                                "WHERE uebungsarten.bezeichnung = ? "
                                "GROUP BY uebungsarten.bezeichnung"),
                 {art}))
        return 0;
    if (rs.recordCount() != 1)
        return 0;
    return rs.field(QStringLiteral("Count")).toInt();
}

bool openLesson(RecordSet& rs, const Database& db, qint32 ordnungszahl, const QString& art) {
    return rs.open(
        db,
        QStringLiteral("SELECT uebungen.id AS id, uebungen.ordnungszahl AS ordnungszahl, "
                       "uebungen.title AS title, uebungen.kommentar AS kommentar, "
                       "uebungen.uebungstext AS uebungstext, uebungen.tasten AS tasten "
                       "FROM uebungsarten INNER JOIN uebungen "
                       "ON uebungsarten.id = uebungen.art "
                       "WHERE uebungen.ordnungszahl = ? "
                       "AND uebungsarten.bezeichnung = ? "
                       "ORDER BY uebungen.ordnungszahl"),
        {ordnungszahl, art});
}

} // namespace LessonQueries
