#include "PendingResults.h"

#include "FileMessages.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QThread>
#include <QTime>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Line format, UTF-8, fields separated by TAB, each line ending in LF:
//   R1  marker  Zeitpunkt  Lektion  Dateiname  Zeichenanzahl  Dauer  Treffer  Fehler  ff1..ff10
//   check S1  marker  Id  check
// Dateiname is percent-encoded, so a title with TAB, CR, LF, quotes or "%" stays on its line;
// the numbers are plain decimal text. check is the start of the SHA-256 of everything before
// it, so a torn or altered line is recognised instead of being stored with wrong values.

namespace {

constexpr int ValueCount = 17;
// Far beyond any file of kept results: a result's line takes some hundred bytes.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
constexpr qsizetype MaxLineBytes = 1024 * 1024;
// Another copy holds a file's lock only while it reads or syncs it.
constexpr int FileLockWaitMs = 5000;
constexpr int CheckLength = 16;
const QByteArray EntryTag = "R1";
const QByteArray InsertedTag = "S1";
const QByteArray TimeFormat = "yyyy-MM-dd HH:mm:ss";

QByteArray checkOf(const QByteArray& body) {
    return QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex().left(CheckLength);
}

QByteArray sealed(const QByteArray& body) {
    return body + '\t' + checkOf(body);
}

QByteArray entryLine(const PendingEntry& entry) {
    QByteArray body = EntryTag + '\t' + entry.marker.toUtf8();
    for (int i = 0; i < entry.values.size(); ++i) {
        body += '\t';
        if (i == 2)
            body += entry.values[i].toString().toUtf8().toPercentEncoding();
        else if (i == 0)
            body += entry.values[i].toString().toUtf8();
        else
            body += QByteArray::number(entry.values[i].toLongLong());
    }
    return sealed(body);
}

QByteArray insertedLine(const QString& marker, qint64 id) {
    return sealed(InsertedTag + '\t' + marker.toUtf8() + '\t' + QByteArray::number(id));
}

// A number exactly as the writer puts it, within [low, high].
bool parseNumber(const QByteArray& text, qint64 low, qint64 high, qint64* value) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || QByteArray::number(v) != text || v < low || v > high)
        return false;
    *value = v;
    return true;
}

bool parseTime(const QByteArray& text) {
    return text.size() == TimeFormat.size() &&
           QDate::fromString(QString::fromLatin1(text.left(10)), QStringLiteral("yyyy-MM-dd"))
               .isValid() &&
           text[10] == ' ' &&
           QTime::fromString(QString::fromLatin1(text.mid(11)), QStringLiteral("HH:mm:ss"))
               .isValid();
}

bool parseEntry(const QList<QByteArray>& fields, PendingEntry* entry) {
    if (fields.size() != 2 + ValueCount)
        return false;
    entry->marker = QString::fromUtf8(fields[1]);
    entry->values.clear();
    if (!parseTime(fields[2]))
        return false;
    entry->values << QString::fromLatin1(fields[2]);
    for (int i = 1; i < ValueCount; ++i) {
        const QByteArray& field = fields[2 + i];
        if (i == 2) {
            entry->values << QString::fromUtf8(QByteArray::fromPercentEncoding(field));
            continue;
        }
        const bool finger = i >= 7;
        qint64 v = 0;
        if (!parseNumber(field, finger ? -32768 : std::numeric_limits<qint32>::min(),
                         finger ? 32767 : std::numeric_limits<qint32>::max(), &v))
            return false;
        entry->values << int(v);
    }
    return true;
}

QString systemError(int error) {
    return FileMessages::reason(std::error_code(error, std::generic_category()));
}

const QString NotRegular = QStringLiteral("Die Datei ist keine gewöhnliche Datei.");

QString openError(int error) {
    if (error == ELOOP)
        return QStringLiteral("Die Datei ist eine symbolische Verknüpfung; ihr wird nicht "
                              "gefolgt.");
    if (error == EISDIR || error == ENXIO)
        return NotRegular;
    return systemError(error);
}

QString busyError() {
    return QStringLiteral("Die Datei wird gerade von einer anderen Kopie des Programms benutzt.");
}

QString tooBigError() {
    return QStringLiteral("Die Datei ist größer als %1 MB und kann keine aufbewahrten "
                          "Ergebnisse enthalten.")
        .arg(MaxFileBytes / (1024 * 1024));
}

PendingResults::SyncHook& syncHook() {
    static PendingResults::SyncHook hook;
    return hook;
}

// Syncs an open file or folder and notes it as synced; the hook hears of it only once the
// caller has let go of its locks, so a slow hook holds up no other copy.
int syncNoted(int fd, const QString& path, QStringList* synced) {
    if (::fsync(fd) != 0)
        return errno;
    *synced << path;
    return 0;
}

void reportSynced(const QStringList& synced) {
    for (const QString& path : synced) {
        if (syncHook())
            syncHook()(path);
    }
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

bool syncFolder(const QString& folder, int* error, QStringList* synced) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    *error = fd < 0 ? errno : syncNoted(fd, folder, synced);
    if (fd >= 0)
        ::close(fd);
    return *error == 0;
}

bool waitForLock(int fd, int operation, const QDeadlineTimer& deadline) {
    while (::flock(fd, operation | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

// A file of kept results, open and locked: a regular file, never reached through a link, and
// still the one under its name when the lock was granted (another copy may have removed it
// while this one waited). Opening does not block, so a pipe put in its place cannot hang.
struct LockedFile {
    int fd = -1;
    struct stat st {};

    ~LockedFile() { close(); }
    void close() {
        if (fd >= 0)
            ::close(fd); // releases the lock
        fd = -1;
    }
    // missing, when given, is set for a file that is not there instead of failing.
    bool open(const QString& path, int flags, int lockOperation, QString* error,
              bool* missing = nullptr) {
        const QByteArray name = QFile::encodeName(path);
        const QDeadlineTimer deadline(FileLockWaitMs);
        for (;;) {
            fd = ::open(name.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == ENOENT && missing)
                    *missing = true;
                else
                    *error = openError(errno);
                return false;
            }
            if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
                *error = NotRegular;
                close();
                return false;
            }
            if (!waitForLock(fd, lockOperation, deadline)) {
                *error = busyError();
                close();
                return false;
            }
            struct stat now {};
            if (::fstat(fd, &st) == 0 && st.st_nlink > 0 && ::lstat(name.constData(), &now) == 0 &&
                now.st_dev == st.st_dev && now.st_ino == st.st_ino)
                return true;
            close();
            if (deadline.hasExpired()) {
                *error = busyError();
                return false;
            }
        }
    }
};

// The lines of an open file, read in pieces: an over-long line keeps only its beginning, and a
// file beyond the size bound is refused before anything is read.
bool readLines(const LockedFile& file, QList<QByteArray>* lines, qint64* size, QString* error) {
    if (file.st.st_size > MaxFileBytes) {
        *error = tooBigError();
        return false;
    }
    lines->clear();
    QByteArray line;
    qint64 total = 0;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = systemError(errno);
            return false;
        }
        if (n == 0)
            break;
        total += n;
        if (total > MaxFileBytes) {
            *error = tooBigError();
            return false;
        }
        for (const char *p = buffer, *end = buffer + n; p < end;) {
            const auto* newline = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
            const char* stop = newline ? newline : end;
            line.append(p, std::min<qsizetype>(stop - p, MaxLineBytes - line.size()));
            p = stop;
            if (newline) {
                *lines << line;
                line.clear();
                ++p;
            }
        }
    }
    if (!line.isEmpty())
        *lines << line;
    *size = total;
    return true;
}

struct Appended {
    qint64 before = 0; // the file's size before the append
    qint64 after = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

// Appends lines to the file at path, created when missing, synced, and with its folder when
// new. With onlyNew, lines the file holds already are not written again. On failure the file
// is cut back to its former length, so no torn line stays behind.
bool appendLines(const QString& path, QList<QByteArray> lines, bool onlyNew, Appended* appended,
                 QString* error) {
    LockedFile file;
    if (!file.open(path, O_RDWR | O_APPEND | O_CREAT, LOCK_EX, error))
        return false;
    const off_t size = file.st.st_size;
    if (size > MaxFileBytes) {
        *error = tooBigError();
        return false;
    }
    if (onlyNew) {
        QList<QByteArray> present;
        qint64 ignored = 0;
        if (!readLines(file, &present, &ignored, error))
            return false;
        const QSet<QByteArray> kept(present.cbegin(), present.cend());
        lines.removeIf([&kept](const QByteArray& line) { return kept.contains(line); });
    }
    QByteArray bytes;
    for (const QByteArray& line : std::as_const(lines))
        bytes += line + '\n';
    char last = '\n';
    // After a torn append the last line lacks its end: the new lines must not join it.
    if (size > 0 && !bytes.isEmpty() && ::pread(file.fd, &last, 1, size - 1) == 1 && last != '\n')
        bytes.prepend('\n');
    qsizetype written = 0;
    int failure = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(file.fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : ENOSPC;
            break;
        }
        written += n;
    }
    QStringList synced;
    if (!failure && !bytes.isEmpty())
        failure = syncNoted(file.fd, path, &synced);
    // A new file counts once its folder holds it; else it goes, and with it the lines.
    const QString folder = folderOf(path);
    if (!failure && size == 0 && !bytes.isEmpty() && !syncFolder(folder, &failure, &synced))
        failure = failure ? failure : EIO;
    if (failure) {
        if (::ftruncate(file.fd, size) == 0)
            ::fsync(file.fd);
        if (size == 0)
            ::unlink(QFile::encodeName(path).constData());
        *error = systemError(failure);
        return false;
    }
    *appended = {qint64(size), qint64(size) + bytes.size(), file.st.st_dev, file.st.st_ino};
    file.close();
    reportSynced(synced);
    return true;
}

} // namespace

PendingResults::PendingResults(const QString& path) : path_(path) {
}

QString PendingResults::pathFor(const QString& dbPath) {
    const QFileInfo info(dbPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".pending");
}

void PendingResults::setSyncHook(SyncHook hook) {
    syncHook() = std::move(hook);
}

bool PendingResults::read(Contents* contents, QString* error) {
    *contents = Contents();
    LockedFile file;
    bool missing = false;
    if (!file.open(path_, O_RDONLY, LOCK_SH, error, &missing)) {
        if (!missing)
            return false;
        knownSize_ = 0;
        knownDevice_ = 0;
        knownInode_ = 0;
        return true;
    }
    QList<QByteArray> lines;
    qint64 size = 0;
    if (!readLines(file, &lines, &size, error))
        return false;
    knownSize_ = size;
    knownDevice_ = file.st.st_dev;
    knownInode_ = file.st.st_ino;
    contents->exists = true;
    QHash<QString, bool> seen;
    for (const QByteArray& line : std::as_const(lines)) {
        if (line.trimmed().isEmpty())
            continue;
        const int cut = line.lastIndexOf('\t');
        const QList<QByteArray> fields = line.left(cut).split('\t');
        bool ok = cut > 0 && line.mid(cut + 1) == checkOf(line.left(cut)) && fields.size() > 1 &&
                  !fields[1].isEmpty();
        if (ok && fields[0] == EntryTag) {
            PendingEntry entry;
            ok = parseEntry(fields, &entry);
            if (ok && !seen.contains(entry.marker)) {
                seen.insert(entry.marker, true);
                contents->entries << entry;
            }
        } else if (ok && fields[0] == InsertedTag) {
            qint64 id = 0;
            ok = fields.size() == 3 &&
                 parseNumber(fields[2], 1, std::numeric_limits<qint64>::max(), &id);
            if (ok)
                contents->insertedAs[QString::fromUtf8(fields[1])] << id;
        } else {
            ok = false;
        }
        if (!ok)
            contents->damaged << line;
    }
    return true;
}

bool PendingResults::append(const QList<PendingEntry>& entries,
                            const QList<std::pair<QString, qint64>>& insertedAs, QString* error) {
    QList<QByteArray> lines;
    for (const PendingEntry& entry : entries)
        lines << entryLine(entry);
    for (const auto& [marker, id] : insertedAs)
        lines << insertedLine(marker, id);
    if (lines.isEmpty())
        return true;
    Appended appended;
    if (!appendLines(path_, lines, false, &appended, error))
        return false;
    // Still the file as this object left it, and now with these lines at its end?
    const bool same =
        knownInode_ == 0 || (appended.device == knownDevice_ && appended.inode == knownInode_);
    if (knownSize_ >= 0 && appended.before == knownSize_ && same) {
        knownSize_ = appended.after;
        knownDevice_ = appended.device;
        knownInode_ = appended.inode;
    } else {
        knownSize_ = -1;
    }
    return true;
}

PendingResults::Cleared PendingResults::clear(const QList<QByteArray>& damaged, QString* error) {
    if (knownSize_ == 0 && knownInode_ == 0)
        return Cleared::Removed; // there was no file to read
    if (knownSize_ < 0)
        return Cleared::LeftForLater;
    LockedFile file;
    bool missing = false;
    if (!file.open(path_, O_RDONLY, LOCK_EX, error, &missing))
        return missing ? Cleared::Removed : Cleared::RemoveFailed;
    if (file.st.st_size != knownSize_ || file.st.st_dev != knownDevice_ ||
        file.st.st_ino != knownInode_)
        return Cleared::LeftForLater;
    Appended aside;
    if (!damaged.isEmpty() && !appendLines(asidePath(), damaged, true, &aside, error))
        return Cleared::AsideFailed;
    if (::unlink(QFile::encodeName(path_).constData()) != 0) {
        *error = systemError(errno);
        return Cleared::RemoveFailed;
    }
    file.close();
    knownSize_ = 0;
    knownInode_ = 0;
    int failure = 0;
    QStringList synced;
    if (!syncFolder(folderOf(path_), &failure, &synced)) {
        *error = systemError(failure);
        return Cleared::RemoveFailed;
    }
    reportSynced(synced);
    return Cleared::Removed;
}

PendingResults::Lock::Lock(const PendingResults& file) {
    fd_ = ::open(QFile::encodeName(folderOf(file.path())).constData(),
                 O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ >= 0 && !waitForLock(fd_, LOCK_EX, QDeadlineTimer(2000))) {
        ::close(fd_);
        fd_ = -1;
    }
}

PendingResults::Lock::~Lock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}
