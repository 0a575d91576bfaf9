#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>
#include <sys/types.h>
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
//
// Two copies of the program may share the file: every read, append and removal holds the
// file's own lock, and a copy removes only what it has read or written itself.
// The file and the aside file are opened without following links and only taken when they
// are regular files of a bounded size: a link, a pipe or a device there is refused, not read.
class PendingResults {
public:
    explicit PendingResults(const QString& path);

    // quendal1_1.mdb -> quendal1_1.pending in the same folder.
    static QString pathFor(const QString& dbPath);

    QString path() const { return path_; }
    // Where lines that cannot be read are kept, unchanged.
    QString asidePath() const { return path_ + QStringLiteral(".damaged"); }

    // Called with its path after each file or folder of kept results is synced.
    using SyncHook = std::function<void(const QString& path)>;
    static void setSyncHook(SyncHook hook);

    struct Contents {
        bool exists = false;
        QList<PendingEntry> entries;              // file order, each marker once
        QHash<QString, QList<qint64>> insertedAs; // marker -> log Ids of commits that tried it
        QList<QByteArray> damaged;                // lines that failed their check, as they stand
    };
    // False with error when the file is there but cannot be read or is no file of ours.
    bool read(Contents* contents, QString* error);

    // Appends the entries and the "inserted as" records; everything is on disk on success.
    // A failed append leaves the file as it was.
    bool append(const QList<PendingEntry>& entries,
                const QList<std::pair<QString, qint64>>& insertedAs, QString* error);

    enum class Cleared {
        Removed,      // the damaged lines are aside and the file is gone (or was never there)
        LeftForLater, // another copy appended since: the file stays for the next replay
        AsideFailed,  // the damaged lines could not be kept aside: the file stays (error)
        RemoveFailed, // the file stays (error); what it holds is recognised as stored
    };
    // Once everything read is stored: keeps the damaged lines aside, each at most once there,
    // and removes the file, unless it holds more than this object read and appended.
    Cleared clear(const QList<QByteArray>& damaged, QString* error);

    // Serialises the replays of one data folder, also across processes, waiting at most a
    // couple of seconds: a stuck holder must not freeze the window. A copy without the lock
    // leaves the file's lines to the holder.
    class Lock {
    public:
        explicit Lock(const PendingResults& file);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        bool held() const { return fd_ >= 0; }

    private:
        int fd_ = -1;
    };

private:
    QString path_;
    // The file as this object last left it; -1 once another copy appended in between.
    qint64 knownSize_ = -1;
    dev_t knownDevice_ = 0;
    ino_t knownInode_ = 0;
};
