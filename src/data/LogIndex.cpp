#include "LogIndex.h"

#include "platform/Database.h"

#include <QStringList>

namespace LogIndex {

QStringList createStatements() {
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS log_Zeitpunkt ON log (Zeitpunkt)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS log_Dateiname ON log (Dateiname)")};
}

bool ensure(Database& db) {
    for (const QString& sql : createStatements()) {
        if (!db.exec(sql))
            return false;
    }
    return true;
}

} // namespace LogIndex
