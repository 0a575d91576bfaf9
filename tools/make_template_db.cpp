// Builds the template lesson database from the course sources (JSON) and refuses to ship a
// course with faults: duplicate keys or titles, characters the keyboard cannot type, unknown
// key names.
#include "data/Schema.h"
#include "keyboard/KeyTable.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextStream>
#include <cstdio>

namespace {

QStringList problems;
// Keys and titles must be unique across all course files.
QSet<qint64> typeIds, lessonIds;
QSet<QString> typeNames, titles;

void fault(const QString& text) {
    problems << text;
}

QJsonObject readJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fault(QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString()));
        return {};
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        fault(QStringLiteral("%1: invalid JSON at offset %2: %3")
                  .arg(path)
                  .arg(error.offset)
                  .arg(error.errorString()));
        return {};
    }
    return doc.object();
}

// Lines are joined with CR LF; a line itself never holds a line break.
QString joinLines(const QJsonValue& value, const QString& where) {
    QStringList lines;
    for (const QJsonValue& line : value.toArray()) {
        const QString text = line.toString();
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
            fault(QStringLiteral("%1: a line contains a line break").arg(where));
        lines << text;
    }
    if (lines.isEmpty())
        fault(QStringLiteral("%1: no text").arg(where));
    return lines.join(QStringLiteral("\r\n"));
}

QString requiredText(const QJsonObject& object, const QString& key, const QString& where) {
    const QString text = object.value(key).toString();
    if (text.trimmed().isEmpty())
        fault(QStringLiteral("%1: \"%2\" is missing or empty").arg(where, key));
    return text;
}

bool insert(Database& db, const QString& sql, const QVariantList& values) {
    if (db.exec(sql, values))
        return true;
    fault(QStringLiteral("insert failed: %1").arg(db.lastError()));
    return false;
}

void buildLessons(Database& db, const QJsonObject& root) {
    const KeyTableArray keys = BuildKeyTable();
    const QString typeable = typeableCharacters(keys) + QLatin1Char(' ');
    for (const QJsonValue& typeValue : root.value(QStringLiteral("uebungsarten")).toArray()) {
        const QJsonObject type = typeValue.toObject();
        const qint64 typeId = type.value(QStringLiteral("id")).toInteger();
        const QString name = requiredText(type, QStringLiteral("bezeichnung"),
                                          QStringLiteral("type %1").arg(typeId));
        if (typeId <= 0 || typeIds.contains(typeId))
            fault(QStringLiteral("type %1: id missing or used twice").arg(typeId));
        if (typeNames.contains(name) || name.contains(QLatin1Char('"')))
            fault(QStringLiteral("type \"%1\": name used twice or holds a double quote").arg(name));
        typeIds.insert(typeId);
        typeNames.insert(name);
        insert(db, QStringLiteral("INSERT INTO uebungsarten (id, bezeichnung) VALUES (?, ?)"),
               {typeId, name});

        int ordnungszahl = 0;
        for (const QJsonValue& lessonValue : type.value(QStringLiteral("lessons")).toArray()) {
            const QJsonObject lesson = lessonValue.toObject();
            const qint64 id = lesson.value(QStringLiteral("id")).toInteger();
            const QString where = QStringLiteral("lesson %1").arg(id);
            const QString title = requiredText(lesson, QStringLiteral("title"), where);
            const QString kommentar = requiredText(lesson, QStringLiteral("kommentar"), where);
            const QString tasten = requiredText(lesson, QStringLiteral("tasten"), where);
            const QString text = joinLines(lesson.value(QStringLiteral("text")), where);
            if (id <= 0 || id == 999999 || id > 0x7FFFFFFF || lessonIds.contains(id))
                fault(QStringLiteral("%1: id missing, reserved or used twice").arg(where));
            if (titles.contains(title))
                fault(QStringLiteral("%1: title \"%2\" used twice").arg(where, title));
            lessonIds.insert(id);
            titles.insert(title);
            for (const QChar c : text) {
                if (c != QLatin1Char('\r') && c != QLatin1Char('\n') && !typeable.contains(c))
                    fault(QStringLiteral("%1: character '%2' (U+%3) is not on the keyboard")
                              .arg(where, QString(c))
                              .arg(c.unicode(), 4, 16, QLatin1Char('0')));
            }
            for (const QString& item : tasten.split(QLatin1Char('|'))) {
                const bool named = std::any_of(keys.begin(), keys.end(), [&](const KeyDef& key) {
                    return keyHasName(key, item);
                });
                if (!named)
                    fault(QStringLiteral("%1: tasten item \"%2\" names no key").arg(where, item));
            }
            insert(db,
                   QStringLiteral("INSERT INTO uebungen (id, art, ordnungszahl, title, kommentar, "
                                  "uebungstext, tasten) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                   {id, typeId, ++ordnungszahl, title, kommentar, text, tasten});
        }
    }
}

void buildTexts(Database& db, const QJsonObject& root, const QString& table) {
    for (const QJsonValue& value : root.value(table).toArray()) {
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            fault(QStringLiteral("%1: empty text").arg(table));
        insert(db, QStringLiteral("INSERT INTO %1 (txt) VALUES (?)").arg(table), {text});
    }
}

void buildKeypad(Database& db, const QJsonObject& root) {
    const QString keypadChars = QStringLiteral("0123456789/*-+,\r\n");
    static QSet<QString> keypadTitles;
    QSet<QString>& titles = keypadTitles;
    for (const QJsonValue& value : root.value(QStringLiteral("numuebungen")).toArray()) {
        const QJsonObject lesson = value.toObject();
        const QString title =
            requiredText(lesson, QStringLiteral("title"), QStringLiteral("keypad"));
        const QString where = QStringLiteral("keypad lesson \"%1\"").arg(title);
        const QString text = joinLines(lesson.value(QStringLiteral("text")), where);
        if (titles.contains(title) || title.contains(QLatin1Char('"')))
            fault(QStringLiteral("%1: title used twice or holds a double quote").arg(where));
        titles.insert(title);
        for (const QChar c : text)
            if (!keypadChars.contains(c))
                fault(QStringLiteral("%1: '%2' is not a keypad character").arg(where, QString(c)));
        insert(db, QStringLiteral("INSERT INTO numuebungen (title, txt) VALUES (?, ?)"),
               {title, text});
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_template_db COURSE_FOLDER OUTPUT_FILE\n");
        return 2;
    }
    const QDir course(args[1]);
    const QString output = args[2];
    const QString temporary = output + QStringLiteral(".new");
    QFile::remove(temporary);
    {
        QFile create(temporary);
        if (!create.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(temporary));
            return 1;
        }
    }
    {
        Database db;
        QString error;
        if (!db.open(temporary) || !Schema::create(db, &error)) {
            std::fprintf(stderr, "cannot build the database: %s %s\n", qPrintable(db.lastError()),
                         qPrintable(error));
            return 1;
        }
        db.exec(QStringLiteral("BEGIN"));
        const QStringList files =
            course.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        for (const QString& name : files) {
            const QJsonObject root = readJson(course.filePath(name));
            buildLessons(db, root);
            buildTexts(db, root, QStringLiteral("tips"));
            buildTexts(db, root, QStringLiteral("gym"));
            buildKeypad(db, root);
        }
        db.exec(QStringLiteral("COMMIT"));
    }
    if (!problems.isEmpty()) {
        for (const QString& problem : problems)
            std::fprintf(stderr, "course fault: %s\n", qPrintable(problem));
        QFile::remove(temporary);
        return 1;
    }
    QFile::remove(output);
    if (!QFile::rename(temporary, output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
