#include "ResultLog.h"

#include "platform/Database.h"

namespace ResultLog {

QString FormatSqlDate(const QDateTime& t) {
    return t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool insert(Database& db, const ResultRow& row, QString* error) {
    if (!row.Zeitpunkt.isValid()) {
        if (error)
            *error = QStringLiteral("Der Zeitpunkt des Ergebnisses ist ungültig.");
        return false;
    }
    // A null title would be bound as NULL; the column holds text, so store it as empty text.
    const QString title = row.Dateiname.isNull() ? QStringLiteral("") : row.Dateiname;
    QVariantList values{FormatSqlDate(row.Zeitpunkt),
                        row.Lektion,
                        title,
                        row.Zeichenanzahl,
                        row.Dauer,
                        row.Treffer,
                        row.Fehler};
    for (const qint16 f : row.ff)
        values << int(f);
    const bool ok = db.exec(
        QStringLiteral("INSERT INTO log ( Zeitpunkt,Lektion,Dateiname,Zeichenanzahl,Dauer,Treffer,"
                       "Fehler,ff1,ff2,ff3,ff4,ff5,ff6,ff7,ff8,ff9,ff10) "
                       "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        values);
    if (!ok && error)
        *error = db.lastError();
    if (ok && error)
        error->clear();
    return ok;
}

} // namespace ResultLog
