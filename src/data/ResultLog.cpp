#include "ResultLog.h"

#include "FileMessages.h"
#include "platform/Database.h"

#include <QSqlQuery>
#include <QUuid>

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

QString keptMessage(const QString& pendingPath, const QString& description, qsizetype count) {
    return (count == 1
                ? QStringLiteral("Das Ergebnis der Lektion konnte jetzt nicht gespeichert werden. "
                                 "Es ist in %1 aufbewahrt und wird beim nächsten Lektionsende "
                                 "oder Programmstart gespeichert.\r\n")
                : QStringLiteral("Die Ergebnisse von %2 Lektionen konnten jetzt nicht gespeichert "
                                 "werden. Sie sind in %1 aufbewahrt und werden beim nächsten "
                                 "Lektionsende oder Programmstart gespeichert.\r\n")
                      .arg(count))
               .arg(FileMessages::quoted(pendingPath)) +
           description;
}

// Neither the database nor the pending file took the results: held for another try, or lost.
QString notKeptMessage(const QString& pendingPath, const QString& description,
                       const QString& fileError, qsizetype count, bool held) {
    const bool one = count == 1;
    const QString now = held ? QStringLiteral(" jetzt") : QString();
    QString text = one ? QStringLiteral("Das Ergebnis der Lektion konnte%1 nicht gespeichert "
                                        "werden.\r\n")
                             .arg(now)
                       : QStringLiteral("Die Ergebnisse von %1 Lektionen konnten%2 nicht "
                                        "gespeichert werden.\r\n")
                             .arg(count)
                             .arg(now);
    text += description +
            (one ? QStringLiteral("\r\nEs konnte auch nicht in %1 aufbewahrt werden: %2")
                 : QStringLiteral("\r\nSie konnten auch nicht in %1 aufbewahrt werden: %2"))
                .arg(FileMessages::quoted(pendingPath), fileError);
    if (held)
        text += QStringLiteral("\r\nDas Programm behält %1 im Speicher und versucht es beim "
                               "nächsten Lektionsende und beim Beenden noch einmal.")
                    .arg(one ? QStringLiteral("es") : QStringLiteral("sie"));
    return text;
}

QString unreadableMessage(const QString& pendingPath, const QString& error) {
    return QStringLiteral("Die aufbewahrten Ergebnisse in %1 können nicht gelesen werden: %2\r\n"
                          "Die Datei bleibt, wie sie ist; neue Ergebnisse werden trotzdem "
                          "gespeichert.")
        .arg(FileMessages::quoted(pendingPath), error);
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

// Damaged lines go aside and the file goes, once everything readable in it is stored and no
// other copy of the program has appended to it since.
void clearPendingFile(PendingResults& file, const PendingResults::Contents& pending,
                      StoreOutcome& outcome) {
    QString error;
    switch (file.clear(pending.damaged, &error)) {
    case PendingResults::Cleared::Removed:
        if (!pending.damaged.isEmpty())
            addMessage(outcome, damagedMessage(file, pending.damaged.size()));
        break;
    case PendingResults::Cleared::AsideFailed:
        // The file stays as it is; what it holds is recognised as stored next time.
        addMessage(outcome,
                   damagedMessage(file, pending.damaged.size()).section(QLatin1Char(';'), 0, 0) +
                       QStringLiteral("; sie bleibt in dieser Datei: ") + error);
        break;
    case PendingResults::Cleared::LeftForLater:
    case PendingResults::Cleared::RemoveFailed:
        break; // a file left behind is recognised as stored next time
    }
}

StoreOutcome storeRows(Database& db, const QString& pendingPath, const ResultRow* row,
                       HeldResults& held) {
    StoreOutcome outcome;
    if (row) {
        PendingEntry fresh;
        fresh.marker = QUuid::createUuid().toString(QUuid::WithoutBraces);
        QString error;
        if (!valuesOf(*row, &fresh.values, &error)) {
            outcome.status = StoreOutcome::Status::Lost;
            outcome.description = error;
            outcome.message = QStringLiteral("Das Ergebnis der Lektion konnte nicht gespeichert "
                                             "werden.\r\n") +
                              error;
            return outcome;
        }
        held.entries << fresh;
    }

    // Only the holder of the lock stores the file's results: a copy that did not get it in time
    // stores its own and may append them, and leaves the file's lines alone.
    PendingResults file(pendingPath);
    const PendingResults::Lock lock(file);
    PendingResults::Contents pending;
    QString unusable; // why the file can neither be read nor appended to
    if (lock.held() && !file.read(&pending, &unusable)) {
        if (!held.unreadableReported)
            addMessage(outcome, unreadableMessage(file.path(), unusable));
        held.unreadableReported = true;
    }

    // Everything not stored is kept: the held results are appended, the earlier ones stay, or
    // else the held ones stay held. "Inserted as" records go with them after commits that
    // reported failure, in case a commit went through all the same.
    const auto keep = [&](const QString& description) {
        outcome.status = StoreOutcome::Status::Kept;
        outcome.description = description;
        outcome.storedLater = 0;
        const qsizetype count = held.entries.size();
        if (count == 0)
            return outcome;
        QString fileError = unusable;
        if (unusable.isEmpty()) {
            QList<std::pair<QString, qint64>> insertedAs;
            for (const PendingEntry& entry : std::as_const(held.entries)) {
                for (const qint64 id : held.insertedAs.value(entry.marker))
                    insertedAs.append({entry.marker, id});
            }
            if (file.append(held.entries, insertedAs, &fileError)) {
                held.entries.clear();
                held.insertedAs.clear();
                addMessage(outcome, keptMessage(file.path(), description, count));
                return outcome;
            }
        }
        outcome.status = row ? StoreOutcome::Status::Held : StoreOutcome::Status::Lost;
        addMessage(outcome, notKeptMessage(file.path(), description, fileError, count, row));
        if (!row) {
            held.entries.clear();
            held.insertedAs.clear();
        }
        return outcome;
    };
    const auto rollBackAndKeep = [&](const QString& description) {
        db.exec(QStringLiteral("ROLLBACK"));
        return keep(description);
    };

    if (pending.entries.isEmpty() && held.entries.isEmpty()) {
        if (lock.held() && unusable.isEmpty())
            clearPendingFile(file, pending, outcome);
        return outcome;
    }

    // One transaction per lesson end: the earlier results and the new one, or none of them.
    if (!db.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return keep(db.lastError());
    // What a commit that reported failure stored all the same is not inserted again.
    QList<PendingEntry> todo;
    const auto addUnstored = [&](const QList<PendingEntry>& entries,
                                 const QHash<QString, QList<qint64>>& insertedAs) {
        for (const PendingEntry& entry : entries) {
            const int stored = storedUnderOneOf(db, entry, insertedAs.value(entry.marker));
            if (stored < 0)
                return false;
            if (stored == 0)
                todo << entry;
        }
        return true;
    };
    if (!addUnstored(pending.entries, pending.insertedAs))
        return rollBackAndKeep(db.lastError());
    const qsizetype fromFile = todo.size();
    if (!addUnstored(held.entries, held.insertedAs))
        return rollBackAndKeep(db.lastError());
    QList<std::pair<QString, qint64>> fileIds, heldIds;
    for (qsizetype i = 0; i < todo.size(); ++i) {
        qint64 id = 0;
        if (!insertValues(db, todo[i].values, &id))
            return rollBackAndKeep(db.lastError());
        (i < fromFile ? fileIds : heldIds).append({todo[i].marker, id});
    }
    // Before the commit, the file learns under which Ids its results go in: if the program
    // dies after the commit, the next start finds them there and does not insert them again.
    QString error;
    if (!file.append({}, fileIds, &error))
        return rollBackAndKeep(error);
    if (!db.exec(QStringLiteral("COMMIT"))) {
        const QString description = db.lastError();
        for (const auto& [marker, id] : std::as_const(heldIds))
            held.insertedAs[marker] << id;
        return rollBackAndKeep(description);
    }
    outcome.storedLater = int(todo.size()) - (row ? 1 : 0);
    held.entries.clear();
    held.insertedAs.clear();
    if (lock.held() && unusable.isEmpty())
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

StoreOutcome store(Database& db, const ResultRow& row, const QString& pendingPath,
                   HeldResults& held) {
    return storeRows(db, pendingPath, &row, held);
}

StoreOutcome storePending(Database& db, const QString& pendingPath, HeldResults& held) {
    return storeRows(db, pendingPath, nullptr, held);
}

} // namespace ResultLog
