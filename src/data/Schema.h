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
// True when every table is there with every column; otherwise error names the first table or
// column missing. Names are compared without regard to case.
bool check(const Database& db, QString* error);

} // namespace Schema
