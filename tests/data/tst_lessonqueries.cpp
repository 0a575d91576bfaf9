#include "TestMain.h"
#include "TestSupport.h"

#include "data/LessonQueries.h"
#include "platform/Database.h"
#include "platform/RecordSet.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Apostrophe = QStringLiteral("Peter's Reihe");
const QString Quoted = QStringLiteral("Der \"große\" Test");
const QString Both = QStringLiteral("x' OR \"1\"=\"1");

} // namespace

class TstLessonQueries : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_;
    Database db_;

    bool addType(int id, const QString& name) {
        return TestSupport::execOn(path_,
                                   QStringLiteral("INSERT INTO uebungsarten (id, bezeichnung) "
                                                  "VALUES (?, ?)"),
                                   {id, name});
    }

    bool addLesson(int id, int art, int nr, const QString& title) {
        return TestSupport::execOn(
            path_,
            QStringLiteral("INSERT INTO uebungen (id, art, ordnungszahl, title, kommentar, "
                           "uebungstext, tasten) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {id, art, nr, title, QStringLiteral("Kommentar %1").arg(id),
             QStringLiteral("Text %1\r\nZeile 2").arg(id), QStringLiteral("f|j|%1").arg(nr)});
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("lektionen.mdb"));
        QVERIFY(TestSupport::createEmptyDb(path_));
        // Names deliberately not in alphabetical order.
        QVERIFY(addType(1, QStringLiteral("Zahlen")));
        QVERIFY(addType(2, Apostrophe));
        QVERIFY(addType(3, Quoted));
        QVERIFY(addType(4, QStringLiteral("Ohne Lektionen")));
        QVERIFY(addType(5, Both));
        QVERIFY(addType(6, QStringLiteral("Alphabet")));
        // Zahlen: three lessons, stored out of order.
        QVERIFY(addLesson(12, 1, 2, QStringLiteral("Zahlen zwei")));
        QVERIFY(addLesson(13, 1, 3, QStringLiteral("Zahlen drei")));
        QVERIFY(addLesson(11, 1, 1, QStringLiteral("Zahlen eins")));
        QVERIFY(addLesson(21, 2, 1, QStringLiteral("Peter's \"erste\" Lektion")));
        QVERIFY(addLesson(31, 3, 1, QStringLiteral("Die 'Eins'")));
        QVERIFY(addLesson(32, 3, 2, QStringLiteral("Die \"Zwei\"")));
        QVERIFY(addLesson(51, 5, 1, QStringLiteral("Beides ' \"")));
        QVERIFY(addLesson(61, 6, 1, QStringLiteral("A")));
        QVERIFY(db_.open(path_));
    }

    void typesInDatabaseOrder() {
        RecordSet rs;
        QVERIFY2(LessonQueries::openTypes(rs, db_), qPrintable(rs.lastError()));
        QStringList names;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            names << rs.text(QStringLiteral("bezeichnung"));
        QCOMPARE(names,
                 (QStringList{QStringLiteral("Zahlen"), Apostrophe, Quoted,
                              QStringLiteral("Ohne Lektionen"), Both, QStringLiteral("Alphabet")}));
    }

    void noTypes() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("leer.mdb"));
        QVERIFY(TestSupport::createEmptyDb(path));
        Database db;
        QVERIFY(db.open(path));
        RecordSet rs;
        QVERIFY(LessonQueries::openTypes(rs, db));
        QCOMPARE(rs.recordCount(), 0);
        QVERIFY(rs.bof() && rs.eof());
    }

    void lekCount_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<int>("count");
        QTest::newRow("three lessons") << QStringLiteral("Zahlen") << 3;
        QTest::newRow("apostrophe") << Apostrophe << 1;
        QTest::newRow("double quotes") << Quoted << 2;
        QTest::newRow("both quotes") << Both << 1;
        QTest::newRow("type without lessons") << QStringLiteral("Ohne Lektionen") << 0;
        QTest::newRow("unknown type") << QStringLiteral("Gibt es nicht") << 0;
        QTest::newRow("empty name") << QString() << 0;
        QTest::newRow("a prefix is not the type") << QStringLiteral("Zahl") << 0;
    }

    void lekCount() {
        QFETCH(QString, art);
        QFETCH(int, count);
        QCOMPARE(LessonQueries::LekCount(db_, art), count);
    }

    void lekCountWithoutConnectionIsZero() {
        Database closed;
        QCOMPARE(LessonQueries::LekCount(closed, QStringLiteral("Zahlen")), 0);
    }

    void lesson_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<int>("nr");
        QTest::addColumn<int>("id"); // 0: no row
        QTest::addColumn<QString>("title");
        QTest::newRow("first of three")
            << QStringLiteral("Zahlen") << 1 << 11 << QStringLiteral("Zahlen eins");
        QTest::newRow("middle") << QStringLiteral("Zahlen") << 2 << 12
                                << QStringLiteral("Zahlen zwei");
        QTest::newRow("last") << QStringLiteral("Zahlen") << 3 << 13
                              << QStringLiteral("Zahlen drei");
        QTest::newRow("apostrophe in type and title")
            << Apostrophe << 1 << 21 << QStringLiteral("Peter's \"erste\" Lektion");
        QTest::newRow("double quotes in type")
            << Quoted << 2 << 32 << QStringLiteral("Die \"Zwei\"");
        QTest::newRow("both quotes") << Both << 1 << 51 << QStringLiteral("Beides ' \"");
        QTest::newRow("beyond the count") << QStringLiteral("Zahlen") << 4 << 0 << QString();
        QTest::newRow("zero") << QStringLiteral("Zahlen") << 0 << 0 << QString();
        QTest::newRow("empty type") << QStringLiteral("Ohne Lektionen") << 1 << 0 << QString();
        QTest::newRow("number of another type") << Apostrophe << 2 << 0 << QString();
    }

    void lesson() {
        QFETCH(QString, art);
        QFETCH(int, nr);
        QFETCH(int, id);
        QFETCH(QString, title);
        RecordSet rs;
        QVERIFY2(LessonQueries::openLesson(rs, db_, nr, art), qPrintable(rs.lastError()));
        if (id == 0) {
            QCOMPARE(rs.recordCount(), 0);
            return;
        }
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.fieldNames(),
                 (QStringList{QStringLiteral("id"), QStringLiteral("ordnungszahl"),
                              QStringLiteral("title"), QStringLiteral("kommentar"),
                              QStringLiteral("uebungstext"), QStringLiteral("tasten")}));
        // The names the dialog reads them by.
        QCOMPARE(rs.field(QStringLiteral("Id")).toInt(), id);
        QCOMPARE(rs.text(QStringLiteral("ordnungszahl")), QString::number(nr));
        QCOMPARE(rs.text(QStringLiteral("Title")), title);
        QCOMPARE(rs.text(QStringLiteral("Kommentar")), QStringLiteral("Kommentar %1").arg(id));
        QCOMPARE(rs.text(QStringLiteral("uebungstext")),
                 QStringLiteral("Text %1\r\nZeile 2").arg(id));
        QCOMPARE(rs.text(QStringLiteral("tasten")), QStringLiteral("f|j|%1").arg(nr));
    }
};

QUENDAL_TEST(TstLessonQueries)
#include "tst_lessonqueries.moc"
