#pragma once

#include <QString>

// Where the lesson database lives. The data folder is $APPDATA/quendal1_1 when APPDATA is set
// and not empty, otherwise quendal1_1 under the user's data location (~/.local/share).
namespace DataLocation {

QString dataFolder();
QString databasePath();                             // dataFolder() + "/quendal1_1.mdb"
QString templatePath(const QString& programFolder); // programFolder + "/quendal1_1.mdb"

} // namespace DataLocation
