#include "Schema.h"

#include "platform/Database.h"

#include <QHash>
#include <QSqlError>
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

// What the check reads of one table.
struct TableFacts {
    QStringList columns;
    QStringList keys; // the primary key's columns
    bool integerKey = false;
    QString sql; // the CREATE statement
};

// Every table with its columns, in one statement: the check runs at every start.
bool readTables(const Database& db, QHash<QString, TableFacts>* tables, QString* error) {
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    // Only the program's own tables: another one, of a module not loaded here, could not be read.
    QVariantList names;
    for (const QString& name : tableNames())
        names << name;
    QString marks = QStringLiteral("?");
    marks += QStringLiteral(", ?").repeated(names.size() - 1);
    if (!db.run(query,
                QStringLiteral("SELECT m.name, m.sql, p.name, upper(p.type), p.pk "
                               "FROM sqlite_master AS m, pragma_table_info(m.name) AS p "
                               "WHERE m.type = 'table' AND m.name COLLATE NOCASE IN (%1)")
                    .arg(marks),
                names)) {
        *error = db.lastError();
        return false;
    }
    while (query.next()) {
        TableFacts& table = (*tables)[query.value(0).toString().toLower()];
        table.sql = query.value(1).toString();
        table.columns << query.value(2).toString();
        if (query.value(4).toInt() > 0) {
            table.keys << query.value(2).toString();
            table.integerKey = query.value(3).toString() == QLatin1String("INTEGER");
        }
    }
    if (query.lastError().isValid()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}

// log.Id must be the table's own row number, handed out once and never again: the replay of
// kept results recognises a result as stored by the row under its Id. AUTOINCREMENT is allowed
// on the INTEGER PRIMARY KEY alone, so with Id the only key column it is the one so declared.
bool logIdIsRowNumber(const TableFacts& log) {
    return log.keys.size() == 1 && log.integerKey &&
           log.keys[0].compare(QLatin1String("Id"), Qt::CaseInsensitive) == 0 &&
           hasAutoincrement(log.sql);
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
    QHash<QString, TableFacts> tables;
    QString reason;
    if (!readTables(db, &tables, &reason))
        return fail(reason);
    for (const QString& table : tableNames()) {
        const auto found = tables.constFind(table.toLower());
        if (found == tables.constEnd())
            return fail(QStringLiteral("Die Datenbank enthält keine Tabelle „%1“.").arg(table));
        // Checked here rather than after a whole lesson has been typed into a copy that
        // cannot take its result.
        for (const QString& column : columnNames(table)) {
            if (!found->columns.contains(column, Qt::CaseInsensitive))
                return fail(
                    QStringLiteral("Der Tabelle „%1“ fehlt die Spalte „%2“.").arg(table, column));
        }
    }
    if (!logIdIsRowNumber(tables.value(QStringLiteral("log"))))
        return fail(QStringLiteral("Die Spalte „Id“ der Tabelle „log“ ist kein fortlaufend "
                                   "vergebener Schlüssel (INTEGER PRIMARY KEY AUTOINCREMENT)."));
    return true;
}

} // namespace Schema
