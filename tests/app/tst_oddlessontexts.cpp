#include "Session.h"
#include "TestMain.h"

#include "platform/RichTextBox.h"

#include <QLabel>
#include <QTest>

using namespace TestSupport;

// Lessons stored with a lone CR, a lone LF, CR CR LF, LF CR or a TAB: typed to the end in the
// main window, every character a hit, and the length on screen and in the result row agrees.
class TestOddLessonTexts : public QObject {
    Q_OBJECT
private slots:
    void typedToTheEndWithoutErrors_data() {
        TestSupport::addOddLessonTextRows("shown");
        QTest::newRow("ends with a lone LF") << "a\tb\rc\n"
                                             << "a b\r\nc\r\n"
                                             << "a b\nc\n"
                                             << 4;
    }
    void typedToTheEndWithoutErrors() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, keys);
        QFETCH(int, length);
        Session s({{31, "Zeilen", stored, "a|b"}});
        QVERIFY(s.start());
        s.choose();
        QCOMPARE(s.window->handOver.LekAuswahl, 31);
        QCOMPARE(s.window->rtb1->text(), shown);
        s.window->cmdRun[0]->click();
        QCOMPARE(s.window->lblMaxZeichen->text(), QString::number(length));
        s.type(keys);
        QCOMPARE(s.window->Label2->text(), QStringLiteral("ENDE"));
        QCOMPARE(s.program.counters.Fehler, 0);
        QCOMPARE(s.program.counters.Treffer, length);
        QCOMPARE(s.logRows(), 1);
        QCOMPARE(s.logValue("Lektion").toInt(), 31);
        QCOMPARE(s.logValue("Zeichenanzahl").toInt(), length);
        QCOMPARE(s.logValue("Treffer").toInt(), length);
        QCOMPARE(s.logValue("Fehler").toInt(), 0);
    }
};

QUENDAL_TEST(TestOddLessonTexts)
#include "tst_oddlessontexts.moc"
