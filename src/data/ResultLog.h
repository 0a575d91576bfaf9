#pragma once

#include "PendingResults.h"

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
        Held,   // neither: held in memory until the next lesson end or the shutdown
        Lost,   // the database and the pending file both failed at the last chance
    };
    Status status = Status::Stored;
    int storedLater = 0; // results kept before and stored by this call
    QString description; // the database's description of the failure
    QString message;     // to show the user (plain text); empty when there is nothing to say
};

// Results of this run that neither the database nor the pending file took: held in memory and
// tried again at the next lesson end and at the shutdown.
struct HeldResults {
    QList<PendingEntry> entries;
    QHash<QString, QList<qint64>> insertedAs; // marker -> log Ids of commits reported failed
    bool unreadableReported = false;          // a pending file that cannot be read is told once
};

namespace ResultLog {

// Zeitpunkt as stored: local time "yyyy-MM-dd HH:mm:ss".
QString FormatSqlDate(const QDateTime& t);
// Appends the row with one INSERT, every value bound; false with error on failure.
bool insert(Database& db, const ResultRow& row, QString* error);

// The pending file beside the database at dbPath.
QString pendingPath(const QString& dbPath);
// The lesson end: stores the results kept before, in order, those held, and then row, in one
// transaction. Whatever the database does not take is kept in the pending file, synced,
// before this returns, or else held; the wait for another program's lock is short. Only the
// copy of the program that gets the data folder's lock stores the pending file's results.
StoreOutcome store(Database& db, const ResultRow& row, const QString& pendingPath,
                   HeldResults& held);
// The start-up and the shutdown: stores the results kept before and those held, if any. A
// database that still refuses them leaves the kept ones kept, without a message; held ones
// that cannot be kept either are lost.
StoreOutcome storePending(Database& db, const QString& pendingPath, HeldResults& held);

} // namespace ResultLog
