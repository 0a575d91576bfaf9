#include "PendingResults.h"

#include "FileMessages.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTime>
#include <cerrno>
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
constexpr int CheckLength = 16;
const QByteArray EntryTag = "R1";
const QByteArray InsertedTag = "S1";
const QByteArray TimeFormat = "yyyy-MM-dd HH:mm:ss";

QByteArray checkOf(const QByteArray& body) {
    return QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex().left(CheckLength);
}

QByteArray sealed(const QByteArray& body) {
    return body + '\t' + checkOf(body) + '\n';
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

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

bool syncFolder(const QString& folder, QString* error) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        *error = systemError(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

// Appends bytes and syncs the file, and the folder when the file is new. On failure the file
// is cut back to its former length, so no torn line stays behind.
bool appendSynced(const QString& path, QByteArray bytes, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    const bool existed = ::stat(name.constData(), &before) == 0;
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = systemError(errno);
        return false;
    }
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size > 0) {
        // After a torn append the last line lacks its end: the new lines must not join it.
        char last = '\n';
        const int in = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (in >= 0) {
            if (::pread(in, &last, 1, size - 1) != 1)
                last = '\n';
            ::close(in);
        }
        if (last != '\n')
            bytes.prepend('\n');
    }
    qsizetype written = 0;
    int failure = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : ENOSPC;
            break;
        }
        written += n;
    }
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    if (failure) {
        if (size >= 0 && ::ftruncate(fd, size) == 0)
            ::fsync(fd);
        ::close(fd);
        if (!existed)
            ::unlink(name.constData());
        *error = systemError(failure);
        return false;
    }
    ::close(fd);
    return existed || syncFolder(folderOf(path), error);
}

QString readError(const QFile& file) {
    return file.errorString().isEmpty() ? systemError(EIO) : file.errorString();
}

} // namespace

PendingResults::PendingResults(const QString& path) : path_(path) {
}

QString PendingResults::pathFor(const QString& dbPath) {
    const QFileInfo info(dbPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".pending");
}

bool PendingResults::read(Contents* contents, QString* error) const {
    *contents = Contents();
    QFile file(path_);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = readError(file);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = readError(file);
        return false;
    }
    contents->exists = true;
    QHash<QString, bool> seen;
    for (const QByteArray& line : bytes.split('\n')) {
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
    QByteArray bytes;
    for (const PendingEntry& entry : entries)
        bytes += entryLine(entry);
    for (const auto& [marker, id] : insertedAs)
        bytes += insertedLine(marker, id);
    return bytes.isEmpty() || appendSynced(path_, bytes, error);
}

bool PendingResults::keepAside(const QList<QByteArray>& lines, QString* error) {
    QByteArray present;
    QFile aside(asidePath());
    if (aside.exists()) {
        if (!aside.open(QIODevice::ReadOnly)) {
            *error = readError(aside);
            return false;
        }
        present = aside.readAll();
    }
    const QList<QByteArray> kept = present.split('\n');
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        if (!kept.contains(line))
            bytes += line + '\n';
    }
    return bytes.isEmpty() || appendSynced(asidePath(), bytes, error);
}

bool PendingResults::remove(QString* error) {
    if (::unlink(QFile::encodeName(path_).constData()) != 0) {
        if (errno == ENOENT)
            return true;
        *error = systemError(errno);
        return false;
    }
    return syncFolder(folderOf(path_), error);
}

PendingResults::Lock::Lock(const PendingResults& file) {
    fd_ = ::open(QFile::encodeName(folderOf(file.path())).constData(),
                 O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    const QDeadlineTimer deadline(2000);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            // Go on without: the database's own lock still keeps the inserts in order.
            ::close(fd_);
            fd_ = -1;
            return;
        }
        QThread::msleep(10);
    }
}

PendingResults::Lock::~Lock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}
