#pragma once

#include <QString>
#include <QStringList>

class Database;

// The six tables of the lesson database.
namespace Schema {

QStringList createStatements();
QStringList tableNames();
// Creates the tables in an open, empty database.
bool create(Database& db, QString* error);
// True when every table is there; otherwise error names the first one missing.
bool check(const Database& db, QString* error);

} // namespace Schema
