#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The one connection to a lesson database file (SQLite through Qt SQL). Values are always
// bound as parameters, never spliced into statement text.
class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    enum class Access { ReadWrite, ReadOnly };

    // How long a statement waits for another process's lock before it fails with "database is
    // locked": short, because statements run on the user-interface thread.
    static constexpr int BusyTimeoutMs = 500;

    // Opens an existing file. Fails (and creates nothing) when the path is missing, is not a
    // regular file, or is not a database; lastError() then describes why. A read-write
    // connection syncs every commit fully, the journal's deletion included.
    bool open(const QString& path, Access access = Access::ReadWrite);
    void close();
    bool isOpen() const;
    QString path() const;

    // A statement that returns no rows (a direct command); false with lastError() on failure.
    bool exec(const QString& sql, const QVariantList& values = {});
    // Prepares sql on query (made on connection()), binds values in order and runs it; false
    // with lastError() on failure.
    bool run(QSqlQuery& query, const QString& sql, const QVariantList& values = {}) const;

    // Hands back the pages the connection keeps cached; read again, they come from the
    // system's file cache. Leaves lastError() as it is: nothing here is the user's concern.
    void releaseMemory();

    QSqlDatabase connection() const;
    QString lastError() const;

private:
    QString connectionName_;
    QString path_;
    mutable QString lastError_;
};
