#pragma once

#include <QString>
#include <QStringList>

class Database;

// The six tables of the lesson database.
namespace Schema {

QStringList createStatements();
QStringList tableNames();
// The columns of table that the program reads or writes.
QStringList columnNames(const QString& table);
// Creates the tables in an open, empty database.
bool create(Database& db, QString* error);
// True when every table is there with every column and log.Id is an INTEGER PRIMARY KEY
// AUTOINCREMENT; otherwise error names the first table or column missing or the key that is not
// one. Names are compared without regard to case.
bool check(const Database& db, QString* error);

} // namespace Schema
