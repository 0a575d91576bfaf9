#include "DataLocation.h"

#include <QDir>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace DataLocation {

static const QString FolderName = QStringLiteral("quendal1_1");
static const QString FileName = QStringLiteral("quendal1_1.mdb");

static QString join(const QString& folder, const QString& name) {
    // A trailing separator in the folder (APPDATA="/x/") must not double the slash.
    QString result = folder;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result + name;
}

// An absolute folder other than the root, cleaned; empty otherwise.
static QString usableFolder(const QString& path) {
    if (!QDir::isAbsolutePath(path))
        return {};
    const QString clean = QDir::cleanPath(path);
    return clean == QLatin1String("/") ? QString() : clean;
}

static QString homeFromUserDatabase() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return {};
    return QFile::decodeName(found->pw_dir);
}

QString homeFolder() {
    const QString home = usableFolder(qEnvironmentVariable("HOME"));
    return home.isEmpty() ? usableFolder(homeFromUserDatabase()) : home;
}

QString dataFolder(QString* error) {
    if (error)
        error->clear();
    const QString appData = qEnvironmentVariable("APPDATA");
    if (!appData.isEmpty())
        return join(appData, FolderName);
    // Without APPDATA the folder goes to the user's data location, never to the root.
    QString base = usableFolder(qEnvironmentVariable("XDG_DATA_HOME"));
    if (base.isEmpty()) {
        const QString home = homeFolder();
        if (home.isEmpty()) {
            if (error)
                *error = QStringLiteral(
                    "Der Ordner für die Lektionsdatenbank kann nicht bestimmt werden: Weder "
                    "APPDATA noch HOME ist gesetzt, und die Benutzerverwaltung nennt kein "
                    "Benutzerverzeichnis.");
            return {};
        }
        base = join(home, QStringLiteral(".local/share"));
    }
    return join(base, FolderName);
}

QString databasePath(QString* error) {
    const QString folder = dataFolder(error);
    return folder.isEmpty() ? QString() : join(folder, FileName);
}

QString templatePath(const QString& programFolder) {
    return join(programFolder, FileName);
}

} // namespace DataLocation
