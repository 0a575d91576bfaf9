#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>
#include <utility>

// A result waiting to be inserted: a marker of its own and the values of the INSERT into log,
// in column order (Zeitpunkt as stored text, Lektion, Dateiname, Zeichenanzahl, Dauer,
// Treffer, Fehler, ff1 .. ff10).
struct PendingEntry {
    QString marker;
    QVariantList values;
};

// The file beside the database that keeps results the database did not take, one line each,
// until they are stored. Lines are only ever appended, each append synced with the folder;
// the file goes as a whole once everything in it is stored.
//
// Besides the results, a line may record that a result was inserted under a log Id by a
// transaction about to commit. Whether that commit happened is read from the database itself
// (the row under that Id holds exactly these values), so a result is never stored twice even
// when the program dies between the commit and the file's removal.
class PendingResults {
public:
    explicit PendingResults(const QString& path);

    // quendal1_1.mdb -> quendal1_1.pending in the same folder.
    static QString pathFor(const QString& dbPath);

    QString path() const { return path_; }
    // Where lines that cannot be read are kept, unchanged.
    QString asidePath() const { return path_ + QStringLiteral(".damaged"); }

    struct Contents {
        bool exists = false;
        QList<PendingEntry> entries;              // file order, each marker once
        QHash<QString, QList<qint64>> insertedAs; // marker -> log Ids of commits that tried it
        QList<QByteArray> damaged;                // lines that failed their check, as they stand
    };
    bool read(Contents* contents, QString* error) const;

    // Appends the entries and the "inserted as" records; everything is on disk on success.
    // A failed append leaves the file as it was.
    bool append(const QList<PendingEntry>& entries,
                const QList<std::pair<QString, qint64>>& insertedAs, QString* error);
    // Appends the lines to the aside file, each at most once there, synced.
    bool keepAside(const QList<QByteArray>& lines, QString* error);
    // Removes the file and syncs the folder; a missing file is no failure.
    bool remove(QString* error);

    // Serialises the readers and writers of one data folder, also across processes, waiting
    // at most a couple of seconds: a stuck holder must not freeze the window.
    class Lock {
    public:
        explicit Lock(const PendingResults& file);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        int fd_ = -1;
    };

private:
    QString path_;
};
