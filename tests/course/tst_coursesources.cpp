// The generated template database holds exactly what the course sources say: every type, lesson,
// tip, exercise and keypad lesson, unchanged and in order, and nothing else.
#include "TemplateCopy.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <memory>

class TstCourseSources : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemplateCopy> copy_;
    QJsonArray types_, tips_, gym_, keypad_;

    static QString joined(const QJsonValue& lines) {
        QStringList result;
        for (const QJsonValue& line : lines.toArray())
            result << line.toString();
        return result.join(QStringLiteral("\r\n"));
    }

private slots:
    void initTestCase() {
        copy_ = std::make_unique<TemplateCopy>();
        QVERIFY2(copy_->isOpen(), qPrintable(copy_->error()));
        // The generator reads the course files in name order; so do we.
        const QDir course(QStringLiteral(QUENDAL_SOURCE_DIR "/assets/course"));
        const QStringList files =
            course.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            QFile file(course.filePath(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            QJsonParseError error{};
            const QJsonObject root = QJsonDocument::fromJson(file.readAll(), &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(name));
            for (const QJsonValue& v : root.value(QStringLiteral("uebungsarten")).toArray())
                types_.append(v);
            for (const QJsonValue& v : root.value(QStringLiteral("tips")).toArray())
                tips_.append(v);
            for (const QJsonValue& v : root.value(QStringLiteral("gym")).toArray())
                gym_.append(v);
            for (const QJsonValue& v : root.value(QStringLiteral("numuebungen")).toArray())
                keypad_.append(v);
        }
    }

    void typesMatchTheSources() {
        const QList<CourseType> types = copy_->types();
        QCOMPARE(types.size(), int(types_.size()));
        for (int i = 0; i < types.size(); ++i) {
            const QJsonObject source = types_[i].toObject();
            QCOMPARE(types[i].id, source.value(QStringLiteral("id")).toInteger());
            QCOMPARE(types[i].name, source.value(QStringLiteral("bezeichnung")).toString());
        }
    }

    void lessonsMatchTheSources() {
        const QList<CourseLesson> lessons = copy_->lessons(copy_->types());
        int index = 0;
        for (const QJsonValue& typeValue : types_) {
            const QJsonObject type = typeValue.toObject();
            int position = 0;
            for (const QJsonValue& lessonValue : type.value(QStringLiteral("lessons")).toArray()) {
                const QJsonObject source = lessonValue.toObject();
                QVERIFY2(index < lessons.size(), "a lesson of the sources is missing");
                const CourseLesson& stored = lessons[index++];
                const QByteArray whereText = stored.where().toUtf8();
                const char* where = whereText.constData();
                QVERIFY2(stored.id == source.value(QStringLiteral("id")).toInteger(), where);
                QVERIFY2(stored.art == type.value(QStringLiteral("id")).toInteger(), where);
                QVERIFY2(stored.ordnungszahl == ++position, where);
                QVERIFY2(stored.title == source.value(QStringLiteral("title")).toString(), where);
                QVERIFY2(stored.kommentar == source.value(QStringLiteral("kommentar")).toString(),
                         where);
                QVERIFY2(stored.tasten == source.value(QStringLiteral("tasten")).toString(), where);
                QVERIFY2(stored.text == joined(source.value(QStringLiteral("text"))), where);
            }
        }
        QCOMPARE(index, int(lessons.size()));
        QCOMPARE(copy_->column(QStringLiteral("SELECT count(*) FROM uebungen")).value(0).toInt(),
                 index);
    }

    void tipsGymAndKeypadMatchTheSources() {
        QStringList tips, gym, titles, keypadTexts;
        for (const QJsonValue& v : tips_)
            tips << v.toString();
        for (const QJsonValue& v : gym_)
            gym << v.toString();
        for (const QJsonValue& v : keypad_) {
            titles << v.toObject().value(QStringLiteral("title")).toString();
            keypadTexts << joined(v.toObject().value(QStringLiteral("text")));
        }
        QCOMPARE(copy_->texts(QStringLiteral("SELECT txt FROM tips")), tips);
        QCOMPARE(copy_->texts(QStringLiteral("SELECT txt FROM gym")), gym);
        QCOMPARE(copy_->texts(QStringLiteral("SELECT title FROM numuebungen ORDER BY rowid")),
                 titles);
        QCOMPARE(copy_->texts(QStringLiteral("SELECT txt FROM numuebungen ORDER BY rowid")),
                 keypadTexts);
    }
};

#include "tst_coursesources.moc"
QUENDAL_TEST(TstCourseSources)
