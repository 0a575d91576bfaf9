#include "ResultLog.h"

#include "FileMessages.h"
#include "PendingResults.h"
#include "platform/Database.h"

#include <QSqlQuery>
#include <QUuid>
#include <optional>

namespace ResultLog {

namespace {

const QString Columns = QStringLiteral(
    "Zeitpunkt,Lektion,Dateiname,Zeichenanzahl,Dauer,Treffer,Fehler,ff1,ff2,ff3,ff4,ff5,ff6,ff7,"
    "ff8,ff9,ff10");

QString insertStatement() {
    return QStringLiteral("INSERT INTO log ( ") + Columns +
           QStringLiteral(") VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
}

// The row under Id holds exactly these values.
QString storedStatement() {
    QString sql = QStringLiteral("SELECT 1 FROM log WHERE Id = ?");
    for (const QString& column : Columns.split(QLatin1Char(',')))
        sql += QStringLiteral(" AND ") + column + QStringLiteral(" = ?");
    return sql;
}

bool valuesOf(const ResultRow& row, QVariantList* values, QString* error) {
    if (!row.Zeitpunkt.isValid()) {
        *error = QStringLiteral("Der Zeitpunkt des Ergebnisses ist ungültig.");
        return false;
    }
    // A null title would be bound as NULL; the column holds text, so store it as empty text.
    const QString title = row.Dateiname.isNull() ? QStringLiteral("") : row.Dateiname;
    *values = {FormatSqlDate(row.Zeitpunkt),
               row.Lektion,
               title,
               row.Zeichenanzahl,
               row.Dauer,
               row.Treffer,
               row.Fehler};
    for (const qint16 f : row.ff)
        *values << int(f);
    return true;
}

bool insertValues(Database& db, const QVariantList& values, qint64* id) {
    QSqlQuery query(db.connection());
    if (!db.run(query, insertStatement(), values))
        return false;
    *id = query.lastInsertId().toLongLong();
    return true;
}

// 1 when a commit that inserted entry under one of ids went through, 0 when none did, -1 when
// the database cannot tell.
int storedUnderOneOf(const Database& db, const PendingEntry& entry, const QList<qint64>& ids) {
    for (const qint64 id : ids) {
        QSqlQuery query(db.connection());
        if (!db.run(query, storedStatement(), QVariantList{id} + entry.values))
            return -1;
        if (query.next())
            return 1;
    }
    return 0;
}

QString keptMessage(const QString& pendingPath, const QString& description) {
    return QStringLiteral("Das Ergebnis der Lektion konnte jetzt nicht gespeichert werden. Es ist "
                          "in %1 aufbewahrt und wird beim nächsten Lektionsende oder "
                          "Programmstart gespeichert.\r\n")
               .arg(FileMessages::quoted(pendingPath)) +
           description;
}

QString lostMessage(const QString& pendingPath, const QString& description,
                    const QString& fileError) {
    return QStringLiteral("Das Ergebnis der Lektion konnte nicht gespeichert werden.\r\n") +
           description +
           QStringLiteral("\r\nEs konnte auch nicht in %1 aufbewahrt werden: %2")
               .arg(FileMessages::quoted(pendingPath), fileError);
}

QString damagedMessage(const PendingResults& file, qsizetype lines) {
    return lines == 1
               ? QStringLiteral("Eine Zeile in %1 ist beschädigt und kann nicht "
                                "gespeichert werden; sie ist in %2 aufbewahrt.")
                     .arg(FileMessages::quoted(file.path()), FileMessages::quoted(file.asidePath()))
               : QStringLiteral("%3 Zeilen in %1 sind beschädigt und können nicht "
                                "gespeichert werden; sie sind in %2 aufbewahrt.")
                     .arg(FileMessages::quoted(file.path()), FileMessages::quoted(file.asidePath()))
                     .arg(lines);
}

void addMessage(StoreOutcome& outcome, const QString& text) {
    if (!outcome.message.isEmpty())
        outcome.message += QStringLiteral("\r\n\r\n");
    outcome.message += text;
}

// Damaged lines go aside and the file goes, once everything readable in it is stored.
void clearPendingFile(PendingResults& file, const PendingResults::Contents& pending,
                      StoreOutcome& outcome) {
    QString error;
    if (!pending.damaged.isEmpty()) {
        if (!file.keepAside(pending.damaged, &error)) {
            // The file stays as it is; what it holds is recognised as stored next time.
            addMessage(
                outcome,
                damagedMessage(file, pending.damaged.size()).section(QLatin1Char(';'), 0, 0) +
                    QStringLiteral("; sie bleibt in dieser Datei: ") + error);
            return;
        }
        addMessage(outcome, damagedMessage(file, pending.damaged.size()));
    }
    if (pending.exists)
        file.remove(&error); // a file left behind is recognised as stored next time
}

StoreOutcome storeRows(Database& db, const QString& pendingPath, const ResultRow* row) {
    StoreOutcome outcome;
    PendingResults file(pendingPath);
    const PendingResults::Lock lock(file);

    std::optional<PendingEntry> fresh;
    if (row) {
        fresh.emplace();
        fresh->marker = QUuid::createUuid().toString(QUuid::WithoutBraces);
        QString error;
        if (!valuesOf(*row, &fresh->values, &error)) {
            outcome.status = StoreOutcome::Status::Lost;
            outcome.description = error;
            outcome.message = QStringLiteral("Das Ergebnis der Lektion konnte nicht gespeichert "
                                             "werden.\r\n") +
                              error;
            return outcome;
        }
    }

    // Everything not stored is kept: the new result is appended, the earlier ones stay. An
    // "inserted as" record goes with it after a commit that reported failure, in case the
    // commit went through all the same.
    std::optional<qint64> freshId;
    bool commitFailed = false;
    const auto keep = [&](const QString& description) {
        outcome.status = StoreOutcome::Status::Kept;
        outcome.description = description;
        outcome.storedLater = 0;
        if (!fresh)
            return outcome;
        QList<std::pair<QString, qint64>> insertedAs;
        if (commitFailed && freshId)
            insertedAs.append({fresh->marker, *freshId});
        QString fileError;
        if (file.append({*fresh}, insertedAs, &fileError)) {
            outcome.message = keptMessage(file.path(), description);
        } else {
            outcome.status = StoreOutcome::Status::Lost;
            outcome.message = lostMessage(file.path(), description, fileError);
        }
        return outcome;
    };
    const auto rollBackAndKeep = [&](const QString& description) {
        db.exec(QStringLiteral("ROLLBACK"));
        return keep(description);
    };

    PendingResults::Contents pending;
    QString error;
    if (!file.read(&pending, &error))
        return keep(error);
    if (!fresh && pending.entries.isEmpty()) {
        clearPendingFile(file, pending, outcome);
        return outcome;
    }

    // One transaction per lesson end: the earlier results and the new one, or none of them.
    if (!db.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return keep(db.lastError());
    QList<PendingEntry> todo;
    for (const PendingEntry& entry : std::as_const(pending.entries)) {
        const int stored = storedUnderOneOf(db, entry, pending.insertedAs.value(entry.marker));
        if (stored < 0)
            return rollBackAndKeep(db.lastError());
        if (stored == 0)
            todo << entry;
    }
    const qsizetype earlier = todo.size();
    if (fresh)
        todo << *fresh;
    QList<std::pair<QString, qint64>> insertedAs;
    for (qsizetype i = 0; i < todo.size(); ++i) {
        qint64 id = 0;
        if (!insertValues(db, todo[i].values, &id))
            return rollBackAndKeep(db.lastError());
        if (i < earlier)
            insertedAs.append({todo[i].marker, id});
        else
            freshId = id;
    }
    // Before the commit, the file learns under which Ids its results go in: if the program
    // dies after the commit, the next start finds them there and does not insert them again.
    if (!file.append({}, insertedAs, &error))
        return rollBackAndKeep(error);
    if (!db.exec(QStringLiteral("COMMIT"))) {
        commitFailed = true;
        return rollBackAndKeep(db.lastError());
    }
    outcome.storedLater = int(earlier);
    clearPendingFile(file, pending, outcome);
    return outcome;
}

} // namespace

QString FormatSqlDate(const QDateTime& t) {
    return t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool insert(Database& db, const ResultRow& row, QString* error) {
    QString ignored;
    QString& message = error ? *error : ignored;
    QVariantList values;
    if (!valuesOf(row, &values, &message))
        return false;
    qint64 id = 0;
    if (!insertValues(db, values, &id)) {
        message = db.lastError();
        return false;
    }
    message.clear();
    return true;
}

QString pendingPath(const QString& dbPath) {
    return PendingResults::pathFor(dbPath);
}

StoreOutcome store(Database& db, const ResultRow& row, const QString& pendingPath) {
    return storeRows(db, pendingPath, &row);
}

StoreOutcome storePending(Database& db, const QString& pendingPath) {
    return storeRows(db, pendingPath, nullptr);
}

} // namespace ResultLog
