#include "TemplateCopy.h"

#include "data/LessonQueries.h"
#include "platform/RecordSet.h"

#include "TestSupport.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

TemplateCopy::TemplateCopy() {
    const QString copy = dir_.filePath(QStringLiteral("quendal1_1.mdb"));
    if (!QFile::copy(TestSupport::templateDb(), copy)) {
        error_ = QStringLiteral("cannot copy %1").arg(TestSupport::templateDb());
        return;
    }
    if (!db_.open(copy))
        error_ = db_.lastError();
}

QVariantList TemplateCopy::column(const QString& sql, const QVariantList& values) {
    QVariantList result;
    QSqlQuery query(db_.connection());
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        error_ = query.lastError().text();
        return result;
    }
    while (query.next())
        result << query.value(0);
    return result;
}

QStringList TemplateCopy::texts(const QString& sql) {
    QStringList result;
    for (const QVariant& value : column(sql))
        result << value.toString();
    return result;
}

QList<CourseType> TemplateCopy::types() {
    QList<CourseType> result;
    RecordSet tabs; // the selection dialog's own statement
    if (!LessonQueries::openTypes(tabs, db_))
        return result;
    for (; !tabs.eof(); tabs.moveNext()) {
        const QString name = tabs.text(QStringLiteral("bezeichnung"));
        const QVariantList ids =
            column(QStringLiteral("SELECT id FROM uebungsarten WHERE bezeichnung = ?"), {name});
        result << CourseType{ids.value(0).toLongLong(), name};
    }
    return result;
}

QList<CourseLesson> TemplateCopy::lessons(const QList<CourseType>& types) {
    QList<CourseLesson> result;
    for (const CourseType& type : types) {
        QSqlQuery query(db_.connection());
        query.prepare(QStringLiteral("SELECT id, art, ordnungszahl, title, kommentar, uebungstext, "
                                     "tasten FROM uebungen WHERE art = ? ORDER BY ordnungszahl"));
        query.addBindValue(type.id);
        if (!query.exec()) {
            error_ = query.lastError().text();
            continue;
        }
        while (query.next()) {
            CourseLesson lesson;
            lesson.id = query.value(0).toLongLong();
            lesson.art = query.value(1).toLongLong();
            lesson.typeName = type.name;
            lesson.ordnungszahl = query.value(2).toInt();
            lesson.title = query.value(3).toString();
            lesson.kommentar = query.value(4).toString();
            lesson.text = query.value(5).toString();
            lesson.tasten = query.value(6).toString();
            result << lesson;
        }
    }
    return result;
}
