#pragma once

#include <QString>

class Database;

// First-run set-up and opening of the user's working copy.
namespace DatabaseSetup {

// Makes sure folder exists and a working copy is at dbPath, copying the template when there
// is none. An existing copy is never replaced. On failure error holds a German message that
// names the path and the reason, and nothing half-done is left behind.
bool ensureWorkingCopy(const QString& folder, const QString& dbPath, const QString& templatePath,
                       QString* error);

// Opens db on path and checks that it is a lesson database. On failure message holds
// "Verbindung mit <path> nicht möglich." CR LF and the description of the failure; the file is
// left untouched.
bool OpenDatabase(Database& db, const QString& path, QString* message);

} // namespace DatabaseSetup
