#include "ChmFile.h"

#include "ChmSitemap.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <chm_lib.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const QString Damaged =
    QStringLiteral("Die Datei ist keine gültige Hilfedatei oder sie ist beschädigt.");

// Header fields of the file and of its directory, as far as they bound what chmlib reads.
constexpr qint64 ItsfV2Length = 0x58;
constexpr qint64 ItsfV3Length = 0x60;
constexpr qint64 ItspLength = 0x54;

quint32 dword(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
quint64 qword(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

// Whether [start, start + length) lies inside [0, size), without overflow.
bool inside(quint64 start, quint64 length, quint64 size) {
    return start <= size && length <= size - start;
}

struct Enumeration {
    QStringList files;
    quint64 dataOffset = 0;
    quint64 fileSize = 0;
    int count = 0;
    bool damaged = false;
};

int collect(chmFile*, chmUnitInfo* unit, void* context) {
    auto* state = static_cast<Enumeration*>(context);
    if (++state->count > ChmFile::MaxObjects) {
        state->damaged = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    // Objects of the uncompressed section (the compressed stream among them) must lie within
    // the file: a cut-off file is refused here rather than half read later.
    if (unit->space == CHM_UNCOMPRESSED && unit->length > 0 &&
        !inside(state->dataOffset + unit->start, unit->length, state->fileSize)) {
        state->damaged = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    const QString path = QString::fromUtf8(unit->path);
    if ((unit->flags & CHM_ENUMERATE_NORMAL) && (unit->flags & CHM_ENUMERATE_FILES) &&
        path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1String("/#")) &&
        !path.startsWith(QLatin1String("/$")))
        state->files.append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

// chmlib believes the numbers inside a file (a zero block length makes it divide by zero), so
// before this process trusts a help file with chmlib, a child process reads all of it once. A
// crash, a run-away or a memory grab there only tells us that the file is damaged.
constexpr int ProbeTimeoutMs = 5000;
constexpr rlim_t ProbeExtraMemory = rlim_t(1) << 30;

int rememberUnit(chmFile*, chmUnitInfo* unit, void* context) {
    auto* units = static_cast<std::vector<chmUnitInfo>*>(context);
    if (units->size() >= size_t(ChmFile::MaxObjects))
        return CHM_ENUMERATOR_FAILURE;
    units->push_back(*unit);
    return CHM_ENUMERATOR_CONTINUE;
}

// Runs in the child, so it uses chmlib and the standard library only.
int readEverything(const char* path) {
    chmFile* handle = chm_open(path);
    if (!handle)
        return 1;
    std::vector<chmUnitInfo> units;
    chm_enumerate(handle, CHM_ENUMERATE_ALL, rememberUnit, &units);
    std::vector<unsigned char> buffer;
    for (const chmUnitInfo& listed : units) {
        chmUnitInfo unit;
        if (chm_resolve_object(handle, listed.path, &unit) != CHM_RESOLVE_SUCCESS)
            continue;
        if (unit.length == 0 || unit.length > quint64(ChmFile::MaxObjectSize))
            continue;
        buffer.resize(size_t(unit.length));
        chm_retrieve_object(handle, &unit, buffer.data(), 0, LONGINT64(unit.length));
    }
    chm_close(handle);
    return 0;
}

rlim_t currentAddressSpace() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray pages = statm.readLine().split(' ').value(0);
    return rlim_t(pages.toULongLong()) * rlim_t(sysconf(_SC_PAGESIZE));
}

bool readsCleanlyInChild(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const rlim_t inUse = currentAddressSpace();
    const pid_t pid = fork();
    if (pid < 0)
        return true; // no child to spare: the header checks must do
    if (pid == 0) {
        // A crash ends the child quietly, whatever handlers the program has installed.
        for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
            std::signal(fault, SIG_DFL);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        if (inUse > 0) {
            const rlimit memory{inUse + ProbeExtraMemory, inUse + ProbeExtraMemory};
            setrlimit(RLIMIT_AS, &memory);
        }
        _exit(readEverything(name.constData()));
    }
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return false;
        if (clock.elapsed() > ProbeTimeoutMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        usleep(1000);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QString firstLocal(const QList<ChmTopic>& topics) {
    for (const ChmTopic& topic : topics) {
        if (!topic.local.isEmpty())
            return topic.local;
        if (const QString below = firstLocal(topic.children); !below.isEmpty())
            return below;
    }
    return {};
}

} // namespace

ChmFile::~ChmFile() {
    close();
}

void ChmFile::close() {
    if (handle_)
        chm_close(handle_);
    handle_ = nullptr;
    title_.clear();
    defaultTopic_.clear();
    contentsFile_.clear();
    indexFile_.clear();
    contents_.clear();
    index_.clear();
    files_.clear();
}

bool ChmFile::fail(const QString& error) {
    close();
    error_ = error;
    return false;
}

QString ChmFile::topicPath(const QString& local) {
    const qsizetype hash = local.indexOf(QLatin1Char('#'));
    return normalizedPath(hash >= 0 ? local.left(hash) : local);
}

QString ChmFile::normalizedPath(const QString& path) {
    QString plain = path;
    plain.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    for (const QString& part : plain.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (parts.isEmpty())
                return {};
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    if (parts.isEmpty())
        return {};
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool ChmFile::open(const QString& path) {
    close();
    error_.clear();
    path_ = path;
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("Die Datei ist nicht vorhanden."));
    if (info.isDir())
        return fail(QStringLiteral("Der Pfad bezeichnet einen Ordner, keine Datei."));
    if (!info.isFile())
        return fail(QStringLiteral("Der Pfad bezeichnet keine gewöhnliche Datei."));
    if (info.size() == 0)
        return fail(QStringLiteral("Die Datei ist leer."));
    if (!checkHeaders(path))
        return false;
    if (!readsCleanlyInChild(path))
        return fail(Damaged);

    handle_ = chm_open(QFile::encodeName(path).constData());
    if (!handle_)
        return fail(Damaged);

    Enumeration state;
    state.dataOffset = quint64(dataOffset_);
    state.fileSize = quint64(fileSize_);
    chm_enumerate(handle_, CHM_ENUMERATE_ALL, collect, &state);
    if (state.damaged)
        return fail(Damaged);
    files_ = state.files;

    if (!readSystem())
        return fail(Damaged);
    if (!contentsFile_.isEmpty()) {
        const auto bytes = read(contentsFile_);
        if (!bytes)
            return fail(Damaged);
        contents_ = ChmSitemap::parse(*bytes);
    }
    if (!indexFile_.isEmpty())
        if (const auto bytes = read(indexFile_))
            index_ = ChmSitemap::parse(*bytes);
    if (defaultTopic_.isEmpty() || !contains(defaultTopic_))
        defaultTopic_ = topicPath(firstLocal(contents_));
    if (defaultTopic_.isEmpty() || !read(defaultTopic_))
        return fail(QStringLiteral("Die Hilfedatei enthält keine lesbare Startseite."));
    return true;
}

bool ChmFile::checkHeaders(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Die Datei kann nicht gelesen werden."));
    fileSize_ = file.size();
    const QByteArray itsf = file.read(ItsfV3Length);
    if (itsf.size() < ItsfV2Length || !itsf.startsWith("ITSF"))
        return fail(Damaged);
    const quint32 version = dword(itsf, 0x04);
    const quint32 headerLength = dword(itsf, 0x08);
    if (!((version == 2 && headerLength == ItsfV2Length) ||
          (version == 3 && headerLength == ItsfV3Length && itsf.size() == ItsfV3Length)))
        return fail(Damaged);
    const quint64 size = quint64(fileSize_);
    const quint64 directoryOffset = qword(itsf, 0x48);
    const quint64 directoryLength = qword(itsf, 0x50);
    const quint64 dataOffset = version == 3 ? qword(itsf, 0x58) : directoryOffset + directoryLength;
    if (!inside(directoryOffset, directoryLength, size) || directoryLength < quint64(ItspLength) ||
        dataOffset > size)
        return fail(Damaged);
    dataOffset_ = qint64(dataOffset);

    if (!file.seek(qint64(directoryOffset)))
        return fail(Damaged);
    const QByteArray itsp = file.read(ItspLength);
    if (itsp.size() < ItspLength || !itsp.startsWith("ITSP"))
        return fail(Damaged);
    const quint64 blockLength = dword(itsp, 0x10);
    const quint64 blocks = dword(itsp, 0x2C);
    if (blockLength < 64 || blockLength > 0x10000 || blocks == 0 ||
        blocks > (directoryLength - ItspLength) / blockLength)
        return fail(Damaged);
    return true;
}

// #SYSTEM: a version word, then records of a 16-bit code, a 16-bit length and the data.
bool ChmFile::readSystem() {
    const auto system = read(QStringLiteral("/#SYSTEM"));
    if (!system || system->size() < 4)
        return false;
    const QByteArray& bytes = *system;
    qsizetype at = 4;
    while (at + 4 <= bytes.size()) {
        const quint16 code = qFromLittleEndian<quint16>(bytes.constData() + at);
        const quint16 length = qFromLittleEndian<quint16>(bytes.constData() + at + 2);
        at += 4;
        if (length > bytes.size() - at)
            return false;
        QByteArray value = bytes.mid(at, length);
        at += length;
        if (const qsizetype nul = value.indexOf('\0'); nul >= 0)
            value.truncate(nul);
        const QString text = ChmSitemap::decodeText(value).trimmed();
        switch (code) {
        case 0:
            contentsFile_ = normalizedPath(text);
            break;
        case 1:
            indexFile_ = normalizedPath(text);
            break;
        case 2:
            defaultTopic_ = topicPath(text);
            break;
        case 3:
            title_ = text;
            break;
        default:
            break;
        }
    }
    // Older compilers leave the contents file out of #SYSTEM: take the one inside.
    for (const QString& file : std::as_const(files_)) {
        if (contentsFile_.isEmpty() && file.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive))
            contentsFile_ = file;
        if (indexFile_.isEmpty() && file.endsWith(QLatin1String(".hhk"), Qt::CaseInsensitive))
            indexFile_ = file;
    }
    return true;
}

bool ChmFile::contains(const QString& path) const {
    const QString normalized = normalizedPath(path);
    if (!handle_ || normalized.isEmpty())
        return false;
    chmUnitInfo unit;
    return chm_resolve_object(handle_, normalized.toUtf8().constData(), &unit) ==
           CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmFile::read(const QString& path) const {
    const QString normalized = normalizedPath(path);
    const QByteArray name = normalized.toUtf8();
    if (!handle_ || normalized.isEmpty() || name.size() > CHM_MAX_PATHLEN)
        return std::nullopt;
    chmUnitInfo unit;
    if (chm_resolve_object(handle_, name.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (unit.length > quint64(MaxObjectSize))
        return std::nullopt;
    if (unit.space == CHM_UNCOMPRESSED &&
        !inside(quint64(dataOffset_) + unit.start, unit.length, quint64(fileSize_)))
        return std::nullopt;
    QByteArray bytes(qsizetype(unit.length), Qt::Uninitialized);
    if (unit.length == 0)
        return bytes;
    const LONGINT64 got = chm_retrieve_object(
        handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0, LONGINT64(unit.length));
    if (got != LONGINT64(unit.length))
        return std::nullopt;
    return bytes;
}
