#include "Schema.h"

#include "platform/Database.h"

namespace Schema {

QStringList createStatements() {
    QStringList ff;
    for (int f = 1; f <= 10; ++f)
        ff << QStringLiteral("ff%1 INTEGER NOT NULL DEFAULT 0").arg(f);
    return {
        QStringLiteral("CREATE TABLE uebungsarten (id INTEGER PRIMARY KEY, bezeichnung TEXT "
                       "NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE uebungen (id INTEGER PRIMARY KEY, art INTEGER NOT NULL "
                       "REFERENCES uebungsarten(id), ordnungszahl INTEGER NOT NULL, title TEXT, "
                       "kommentar TEXT, uebungstext TEXT, tasten TEXT)"),
        QStringLiteral("CREATE TABLE tips (txt TEXT)"),
        QStringLiteral("CREATE TABLE gym (txt TEXT)"),
        QStringLiteral("CREATE TABLE numuebungen (title TEXT UNIQUE, txt TEXT)"),
        QStringLiteral("CREATE TABLE log (Id INTEGER PRIMARY KEY AUTOINCREMENT, Zeitpunkt "
                       "DATETIME NOT NULL, Lektion INTEGER NOT NULL, Dateiname TEXT NOT NULL, "
                       "Zeichenanzahl INTEGER NOT NULL, Dauer INTEGER NOT NULL, Treffer INTEGER "
                       "NOT NULL, Fehler INTEGER NOT NULL, ") +
            ff.join(QStringLiteral(", ")) + QStringLiteral(")"),
        // The statistics find the latest results and count them per title by these.
        QStringLiteral("CREATE INDEX IF NOT EXISTS log_Zeitpunkt ON log (Zeitpunkt)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS log_Dateiname ON log (Dateiname)"),
    };
}

QStringList tableNames() {
    return {QStringLiteral("uebungsarten"), QStringLiteral("uebungen"),    QStringLiteral("tips"),
            QStringLiteral("gym"),          QStringLiteral("numuebungen"), QStringLiteral("log")};
}

QStringList columnNames(const QString& table) {
    const QString name = table.toLower();
    if (name == QLatin1String("uebungsarten"))
        return {QStringLiteral("id"), QStringLiteral("bezeichnung")};
    if (name == QLatin1String("uebungen"))
        return {QStringLiteral("id"),           QStringLiteral("art"),
                QStringLiteral("ordnungszahl"), QStringLiteral("title"),
                QStringLiteral("kommentar"),    QStringLiteral("uebungstext"),
                QStringLiteral("tasten")};
    if (name == QLatin1String("tips") || name == QLatin1String("gym"))
        return {QStringLiteral("txt")};
    if (name == QLatin1String("numuebungen"))
        return {QStringLiteral("title"), QStringLiteral("txt")};
    if (name == QLatin1String("log")) {
        QStringList columns{
            QStringLiteral("Id"),        QStringLiteral("Zeitpunkt"),     QStringLiteral("Lektion"),
            QStringLiteral("Dateiname"), QStringLiteral("Zeichenanzahl"), QStringLiteral("Dauer"),
            QStringLiteral("Treffer"),   QStringLiteral("Fehler")};
        for (int f = 1; f <= 10; ++f)
            columns << QStringLiteral("ff%1").arg(f);
        return columns;
    }
    return {};
}

bool create(Database& db, QString* error) {
    for (const QString& sql : createStatements()) {
        if (!db.exec(sql)) {
            if (error)
                *error = db.lastError();
            return false;
        }
    }
    return true;
}

bool check(const Database& db, QString* error) {
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    for (const QString& table : tableNames()) {
        if (!db.hasTable(table))
            return fail(QStringLiteral("Die Datenbank enthält keine Tabelle „%1“.").arg(table));
        // Checked here rather than after a whole lesson has been typed into a copy that
        // cannot take its result.
        QStringList present;
        if (!db.columnNames(table, &present))
            return fail(db.lastError());
        for (const QString& column : columnNames(table)) {
            if (!present.contains(column, Qt::CaseInsensitive))
                return fail(
                    QStringLiteral("Der Tabelle „%1“ fehlt die Spalte „%2“.").arg(table, column));
        }
    }
    return true;
}

} // namespace Schema
