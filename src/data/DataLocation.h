#pragma once

#include <QString>

// Where the lesson database lives. The data folder is $APPDATA/quendal1_1 when APPDATA is set
// and not empty, otherwise quendal1_1 under the user's data location (~/.local/share).
namespace DataLocation {

// The user's home folder: $HOME, or the user database's entry for this user when HOME is unset
// or not an absolute path. Empty when neither names one; the root never counts as a home.
QString homeFolder();
// Empty when no folder can be named (no APPDATA, no data home, no home); error then holds a
// German message saying so.
QString dataFolder(QString* error = nullptr);
QString databasePath(QString* error = nullptr);     // dataFolder() + "/quendal1_1.mdb"
QString templatePath(const QString& programFolder); // programFolder + "/quendal1_1.mdb"

} // namespace DataLocation
