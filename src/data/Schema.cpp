#include "Schema.h"

#include "platform/Database.h"

#include <QSqlQuery>

namespace Schema {

namespace {

// Whether the statement text carries the keyword AUTOINCREMENT: words inside literals, quoted
// names and comments do not count.
bool hasAutoincrement(const QString& sql) {
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql[i];
        const auto skipTo = [&](const QString& end, qsizetype opening = 1) {
            const qsizetype at = sql.indexOf(end, i + opening);
            i = at < 0 ? sql.size() : at + end.size();
        };
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
            skipTo(QString(c)); // a doubled quote is two literals in a row: the same skip
        else if (c == QLatin1Char('['))
            skipTo(QStringLiteral("]"));
        else if (sql.mid(i, 2) == QLatin1String("--"))
            skipTo(QStringLiteral("\n"), 2);
        else if (sql.mid(i, 2) == QLatin1String("/*"))
            skipTo(QStringLiteral("*/"), 2);
        else if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            const qsizetype start = i;
            while (i < sql.size() && (sql[i].isLetterOrNumber() || sql[i] == QLatin1Char('_')))
                ++i;
            if (sql.mid(start, i - start)
                    .compare(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive) == 0)
                return true;
        } else
            ++i;
    }
    return false;
}

// log.Id must be the table's own row number, handed out once and never again: the replay of
// kept results recognises a result as stored by the row under its Id.
bool logIdIsRowNumber(const Database& db, QString* error) {
    QSqlQuery query(db.connection());
    if (!db.run(query, QStringLiteral("SELECT name, upper(type) FROM pragma_table_info('log') "
                                      "WHERE pk > 0"))) {
        *error = db.lastError();
        return false;
    }
    QStringList keys;
    bool integer = false;
    while (query.next()) {
        keys << query.value(0).toString();
        integer = query.value(1).toString() == QLatin1String("INTEGER");
    }
    // AUTOINCREMENT is allowed on the INTEGER PRIMARY KEY alone, so with Id the only key
    // column it is the one so declared.
    bool ok = keys.size() == 1 && integer &&
              keys[0].compare(QLatin1String("Id"), Qt::CaseInsensitive) == 0;
    if (ok && !db.run(query, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' "
                                            "AND name = 'log' COLLATE NOCASE"))) {
        *error = db.lastError();
        return false;
    }
    ok = ok && query.next() && hasAutoincrement(query.value(0).toString());
    if (!ok)
        *error = QStringLiteral("Die Spalte „Id“ der Tabelle „log“ ist kein fortlaufend "
                                "vergebener Schlüssel (INTEGER PRIMARY KEY AUTOINCREMENT).");
    return ok;
}

} // namespace

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
    QString reason;
    return logIdIsRowNumber(db, &reason) || fail(reason);
}

} // namespace Schema
