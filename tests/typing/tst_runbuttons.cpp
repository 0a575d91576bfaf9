#include "TestMain.h"

#include "typing/RunButtons.h"

#include <QTest>

// Which run entry a click on a run button performs, read from its caption.
class TestRunButtons : public QObject {
    Q_OBJECT
private slots:
    void theCaptionNamesTheEntry_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("entry");
        QTest::newRow("Start") << 0 << "Start" << 1;
        QTest::newRow("Pause") << 0 << "Pause" << 2;
        QTest::newRow("Weiter") << 0 << "Weiter" << 3;
        QTest::newRow("Auswahl") << 1 << "Auswahl" << 0;
        QTest::newRow("Stop") << 1 << "Stop" << 4;
        QTest::newRow("case counts") << 0 << "start" << -1;
        QTest::newRow("no blanks") << 1 << "Stop " << -1;
        QTest::newRow("Stop on the left button") << 0 << "Stop" << -1;
        QTest::newRow("Start on the right button") << 1 << "Start" << -1;
        QTest::newRow("no third button") << 2 << "Start" << -1;
        QTest::newRow("empty") << 0 << "" << -1;
    }
    void theCaptionNamesTheEntry() {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(int, entry);
        QCOMPARE(runEntryForButton(button, caption), entry);
    }
};

QUENDAL_TEST(TestRunButtons)
#include "tst_runbuttons.moc"
