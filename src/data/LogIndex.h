#pragma once

#include <QStringList>

class Database;

// The indexes that let the statistics find the latest results and walk them in time order,
// and count the results per title, without sorting the whole table. New databases get it with their
// schema; an older working copy gets it here, without any row being touched.
namespace LogIndex {

// CREATE INDEX IF NOT EXISTS statements: time stamps, and lesson titles for the count per title.
QStringList createStatements();
// Creates the indexes when it is missing; false (and nothing changed) when that fails, for
// instance on a read-only file: the statistics still work, only slower.
bool ensure(Database& db);

} // namespace LogIndex
