#include "Database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

static QAtomicInt connectionCounter;

Database::Database()
    : connectionName_(QStringLiteral("quendal-%1").arg(connectionCounter.fetchAndAddRelaxed(1))) {
}

Database::~Database() {
    close();
}

bool Database::open(const QString& path, Access access) {
    close();
    const QFileInfo info(path);
    if (!info.exists()) {
        lastError_ = QStringLiteral("Die Datei ist nicht vorhanden.");
        return false;
    }
    if (!info.isFile()) {
        lastError_ = QStringLiteral("Der Pfad ist keine Datei.");
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        // Never create a file here: only an existing database is opened.
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
        db.setDatabaseName(
            QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
            (access == Access::ReadOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
        if (!db.open()) {
            lastError_ = db.lastError().text();
        } else {
            // SQLite opens any file lazily; reading the catalogue fails on a file that is not a
            // database, without writing to it.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
                lastError_ = probe.lastError().text();
                probe = QSqlQuery();
                db.close();
            } else if (access == Access::ReadWrite &&
                       !probe.exec(QStringLiteral("PRAGMA synchronous = EXTRA"))) {
                // In rollback-journal mode FULL leaves the journal's deletion unsynced, and
                // with it the commit of the last finished lesson.
                lastError_ = probe.lastError().text();
                probe = QSqlQuery();
                db.close();
            } else {
                path_ = path;
                lastError_.clear();
                return true;
            }
        }
    }
    QSqlDatabase::removeDatabase(connectionName_);
    return false;
}

void Database::close() {
    if (!QSqlDatabase::contains(connectionName_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
    path_.clear();
}

bool Database::isOpen() const {
    return QSqlDatabase::contains(connectionName_) && connection().isOpen();
}

QString Database::path() const {
    return path_;
}

bool Database::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery query(connection());
    return run(query, sql, values);
}

bool Database::run(QSqlQuery& query, const QString& sql, const QVariantList& values) const {
    if (!isOpen()) {
        lastError_ = QStringLiteral("Keine Verbindung zur Datenbank.");
        return false;
    }
    if (!query.prepare(sql)) {
        lastError_ = query.lastError().text();
        return false;
    }
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        lastError_ = query.lastError().text();
        return false;
    }
    lastError_.clear();
    return true;
}

void Database::releaseMemory() {
    if (isOpen())
        QSqlQuery(connection()).exec(QStringLiteral("PRAGMA shrink_memory"));
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

QString Database::lastError() const {
    return lastError_;
}
