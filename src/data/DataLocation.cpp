#include "DataLocation.h"

#include <QDir>
#include <QStandardPaths>

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

QString dataFolder() {
    const QString appData = qEnvironmentVariable("APPDATA");
    if (!appData.isEmpty())
        return join(appData, FolderName);
    // Without APPDATA the folder goes to the user's data location, never to the root.
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = join(QDir::homePath(), QStringLiteral(".local/share"));
    return join(base, FolderName);
}

QString databasePath() {
    return join(dataFolder(), FileName);
}

QString templatePath(const QString& programFolder) {
    return join(programFolder, FileName);
}

} // namespace DataLocation
