#pragma once

#include "platform/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

struct CourseType {
    qint64 id = 0;
    QString name;
};

struct CourseLesson {
    qint64 id = 0;
    qint64 art = 0;
    QString typeName;
    int ordnungszahl = 0;
    QString title;
    QString kommentar;
    QString text;
    QString tasten;

    QString where() const { return QStringLiteral("lesson %1 \"%2\"").arg(id).arg(title); }
};

// A private copy of the template database that the build generated, so that the tests read
// exactly what ships and can never change it.
class TemplateCopy {
public:
    TemplateCopy();
    bool isOpen() const { return db_.isOpen(); }
    QString error() const { return error_; }
    Database& db() { return db_; }

    // The first column of every row of a statement, in the order the database returns them.
    QVariantList column(const QString& sql, const QVariantList& values = {});
    // The same as text.
    QStringList texts(const QString& sql);
    // The types in the order of the selection dialog's tabs (its own statement, no ORDER BY).
    QList<CourseType> types();
    // Every lesson of the given types in course order: type by type, then by ordnungszahl.
    QList<CourseLesson> lessons(const QList<CourseType>& types);

private:
    QTemporaryDir dir_;
    Database db_;
    QString error_;
};
