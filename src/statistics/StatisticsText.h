#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// How the statistics windows turn stored values into text: numbers in the user's notation
// (locale decimal separator, no digit grouping, no trailing zeros), dates with German month
// names whatever the user's language.
namespace StatisticsText {

// Zeitpunkt as stored ("yyyy-MM-dd HH:mm:ss", local time); invalid for anything else.
QDateTime zeitpunkt(const QVariant& stored);

// A stored text as it stands; NULL gives empty text.
QString plain(const QVariant& value);
// A number as the user writes it: 106,3 and 125 on a German system. NULL and an infinity
// give empty text.
QString number(const QVariant& value);
// The hub's average: narrowed to single precision, rounded to one decimal (ties to even).
QString average(const QVariant& mittel);
// Two decimals in the user's notation (1,50); NULL, and a value too large for exact
// decimals, give empty text.
QString twoDecimals(const QVariant& value);

// "6 Dezember 2026"
QString datum(const QVariant& stored);
// "14:05:09"
QString uhrzeit(const QVariant& stored);
// "6. Dezember 2026   9:05"
QString datumZeit(const QVariant& stored);
// Day, two-digit month and two-digit year with the system's date separator: "6.12.26".
QString kurzDatum(const QVariant& stored);
// The current moment in the user's short date and long time notation: "06.12.2026 14:05:09".
QString jetzt(const QDateTime& now);

} // namespace StatisticsText
