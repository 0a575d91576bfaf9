#include "StartUp.h"
#include "TestMain.h"
#include "TestSupport.h"

#include "app/Program.h"
#include "app/frmSchreiben.h"
#include "lessons/frmLek.h"
#include "platform/Database.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSqlQuery>
#include <QTabBar>
#include <QTest>

using namespace TestSupport;

// Every lesson that ships can be chosen in the dialog and typed to the end without an error.
class TestCourseLessons : public QObject {
    Q_OBJECT
private slots:
    void everyLessonCanBeTypedToTheEnd() {
        TempAppData appdata;
        Program program(binDir());
        frmSchreiben window(program);
        QVERIFY(startUp(window));
        window.show();

        struct Lesson {
            int tab, nr, id;
            QString text;
        };
        QList<Lesson> lessons;
        {
            Database db;
            QVERIFY(db.open(appdata.dbPath()));
            QSqlQuery query(db.connection());
            QVERIFY(db.run(query, "SELECT (SELECT count(*) FROM uebungsarten b WHERE b.rowid < "
                                  "a.rowid), u.ordnungszahl, u.id, u.uebungstext FROM uebungen u "
                                  "JOIN uebungsarten a ON a.id = u.art ORDER BY a.rowid, "
                                  "u.ordnungszahl"));
            while (query.next())
                lessons.append({query.value(0).toInt(), query.value(1).toInt(),
                                query.value(2).toInt(), query.value(3).toString()});
        }
        QVERIFY(lessons.size() >= 80);

        int rows = 0;
        for (const Lesson& lesson : lessons) {
            const QByteArray where = QByteArray::number(lesson.id);
            onModal([&lesson](QWidget* modal) {
                auto* dialog = qobject_cast<frmLek*>(modal);
                QVERIFY(dialog);
                dialog->TabStrip1->setCurrentIndex(lesson.tab);
                dialog->SliderNr->setValue(lesson.nr);
                dialog->CommandOk->click();
            });
            window.menulek_Click(0);
            QVERIFY2(window.handOver.LekAuswahl == lesson.id, where);
            window.cmdRun[0]->click();
            typeText(window.Text1, lesson.text);
            QVERIFY2(window.Label2->text() == QStringLiteral("ENDE"), where);
            QVERIFY2(program.counters.Fehler == 0, where);
            ++rows;
            QCOMPARE(queryValue(appdata.dbPath(), "SELECT count(*) FROM log").toInt(), rows);
            QVERIFY2(queryValue(appdata.dbPath(),
                                "SELECT Treffer = Zeichenanzahl AND Fehler = 0 "
                                "AND Lektion = ? FROM log ORDER BY Id DESC",
                                {lesson.id})
                         .toBool(),
                     where);
        }
    }
};

QUENDAL_TEST(TestCourseLessons)
#include "tst_courselessons.moc"
