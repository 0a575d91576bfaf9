#pragma once

#include <QDateTime>
#include <QString>
#include <array>

class Database;

// One row of table log: a finished lesson.
struct ResultRow {
    QDateTime Zeitpunkt;
    qint32 Lektion = 0;
    QString Dateiname;
    qint32 Zeichenanzahl = 0;
    qint32 Dauer = 0;
    qint32 Treffer = 0;
    qint32 Fehler = 0;
    std::array<qint16, 10> ff{}; // ff1 .. ff10
};

// What became of a finished lesson's result (store) or of the results kept earlier
// (storePending).
struct StoreOutcome {
    enum class Status {
        Stored, // in the database, with every result kept before it
        Kept,   // not in the database yet, but safe in the pending file
        Lost,   // neither: the database and the pending file both failed
    };
    Status status = Status::Stored;
    int storedLater = 0; // results kept before and stored by this call
    QString description; // the database's description of the failure
    QString message;     // to show the user (plain text); empty when there is nothing to say
};

namespace ResultLog {

// Zeitpunkt as stored: local time "yyyy-MM-dd HH:mm:ss".
QString FormatSqlDate(const QDateTime& t);
// Appends the row with one INSERT, every value bound; false with error on failure.
bool insert(Database& db, const ResultRow& row, QString* error);

// The pending file beside the database at dbPath.
QString pendingPath(const QString& dbPath);
// The lesson end: stores the results kept before, in order, and then row, in one
// transaction. Whatever the database does not take is kept in the pending file, synced,
// before this returns; the wait for another program's lock is short.
StoreOutcome store(Database& db, const ResultRow& row, const QString& pendingPath);
// The start-up: stores the results kept before, if any. A database that still refuses them
// leaves them kept, without a message.
StoreOutcome storePending(Database& db, const QString& pendingPath);

} // namespace ResultLog
