#pragma once

#include <QDateTime>
#include <QString>
#include <array>

class Database;

// One row of table log: a finished lesson.
struct ResultRow {
    QDateTime Zeitpunkt;
    qint32 Lektion = 0;
    QString Dateiname;
    qint32 Zeichenanzahl = 0;
    qint32 Dauer = 0;
    qint32 Treffer = 0;
    qint32 Fehler = 0;
    std::array<qint16, 10> ff{}; // ff1 .. ff10
};

namespace ResultLog {

// Zeitpunkt as stored: local time "yyyy-MM-dd HH:mm:ss".
QString FormatSqlDate(const QDateTime& t);
// Appends the row with one INSERT, every value bound; false with error on failure.
bool insert(Database& db, const ResultRow& row, QString* error);

} // namespace ResultLog
