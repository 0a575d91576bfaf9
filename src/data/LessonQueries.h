#pragma once

#include <QString>

class Database;
class RecordSet;

// The statements of the lesson selection, with every value bound.
namespace LessonQueries {

// bezeichnung of every exercise type, in database order.
bool openTypes(RecordSet& rs, const Database& db);
// Number of lessons of the type named art; 0 when the statement gives other than one row.
qint32 LekCount(const Database& db, const QString& art);
// The lesson with this ordnungszahl in the type named art: fields id, ordnungszahl, title,
// kommentar, uebungstext, tasten.
bool openLesson(RecordSet& rs, const Database& db, qint32 ordnungszahl, const QString& art);

} // namespace LessonQueries
