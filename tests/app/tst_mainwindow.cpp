#include "Session.h"
#include "StartUp.h"
#include "TestMain.h"
#include "TestSupport.h"

#include "app/Program.h"
#include "app/frmSchreiben.h"
#include "components/PictureButton.h"
#include "keyboard/OnScreenKeyboard.h"
#include "keypad/frmNumBlock.h"
#include "lessons/frmLek.h"
#include "platform/OleColor.h"
#include "platform/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace TestSupport;

namespace {

const QString Welcome = QString::fromUtf8(
    "Willkommen zu Quendal 1.1\r\nUm eine Lektion auszuwählen, drücken Sie ENTER");

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void firstStartCopiesTheTemplateAndIsIdle() {
        TempAppData appdata;
        Program program(binDir());
        frmSchreiben window(program);
        QVERIFY(startUp(window));
        QVERIFY(QFile::exists(appdata.dbPath()));
        QCOMPARE(window.windowTitle(), QStringLiteral("Quendal 1.1:  "));
        QCOMPARE(window.rtb1->text(), Welcome);
        QCOMPARE(window.Label2->text(), QString());
        for (QLabel* label : {window.lblMaxZeichen, window.lblTrefferAnz, window.lblFehlerAnz,
                              window.lblZeitInSec, window.lblAnschPerMin})
            QCOMPARE(label->text(), QString());
        QCOMPARE(window.lblFehlerProz->text(), QStringLiteral("-"));
        QCOMPARE(window.cmdRun[0]->text(), QStringLiteral("Start"));
        QVERIFY(!window.cmdRun[0]->isEnabled());
        QCOMPARE(window.cmdRun[1]->text(), QStringLiteral("Auswahl"));
        QVERIFY(window.menulek[0]->isEnabled());
        for (int i = 1; i <= 5; ++i)
            QVERIFY(!window.menulek[i]->isEnabled());
        QVERIFY(!window.menulek[5]->isVisible());
        QCOMPARE(window.menulek[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QVERIFY(!window.Text1->isEnabled());
    }

    void aDamagedWorkingCopyEndsTheStart_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("folder"); // below the temporary APPDATA
        QTest::newRow("random bytes")
            << QByteArray("\x13\x37 not a database at all \x01\x02", 27) << QString();
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("markup in the path") << QByteArray("x") << QStringLiteral("/<b>fett&amp;");
    }
    void aDamagedWorkingCopyEndsTheStart() {
        QFETCH(QByteArray, content);
        QFETCH(QString, folder);
        TempAppData temp;
        EnvGuard appdataVar("APPDATA", temp.path() + folder);
        const QString dbPath = temp.path() + folder + "/quendal1_1/quendal1_1.mdb";
        QDir().mkpath(QFileInfo(dbPath).absolutePath());
        {
            QFile file(dbPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Program program(binDir());
        frmSchreiben window(program);
        QString shown, title;
        Qt::TextFormat format = Qt::AutoText;
        onModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown = box->text();
            title = box->windowTitle();
            format = box->textFormat();
            box->accept();
        });
        QVERIFY(!window.Form_Load());
        QCOMPARE(title, QStringLiteral("Quendal1_1"));
        QCOMPARE(format, Qt::PlainText); // a path is shown as written, never as markup
        const QStringList lines = shown.split('\n');
        QCOMPARE(lines.value(0), "Verbindung mit " + dbPath + QString::fromUtf8(" nicht möglich."));
        QVERIFY(!lines.value(1).isEmpty());
        QFile file(dbPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }

    void takingALessonMakesItReady() {
        Session s({{7, "Erste", "ab\r\nc d", "a|b"}, {8, "Zweite", "xy", "x|y"}});
        QVERIFY(s.start());
        s.choose(2);
        QCOMPARE(s.window->handOver.LekAuswahl, 8);
        QCOMPARE(s.window->rtb1->text(), QStringLiteral("xy"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Quendal 1.1:  Zweite:  "));
        QCOMPARE(s.window->lblMaxZeichen->text(), QString()); // counted only at Start
        QVERIFY(s.window->cmdRun[0]->isEnabled());
        QCOMPARE(QApplication::focusWidget(), s.window->cmdRun[0]);
        QVERIFY(s.window->menulek[1]->isEnabled());
        QVERIFY(!s.window->Text1->isEnabled());
        // The preview of the dialog is gone once it has closed.
        for (int i = 0; i < KeyCount; ++i)
            QCOMPARE(s.window->Frame1->keyColor(i), OleColor::Neutral);
        // Another lesson replaces text and caption.
        s.choose(1);
        QCOMPARE(s.window->rtb1->text(), QStringLiteral("ab\r\nc d"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Quendal 1.1:  Erste:  "));
    }

    void enterStartsAndStopReturnsToIdle() {
        Session s;
        QVERIFY(s.start());
        s.choose();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Start
        QCOMPARE(s.window->cmdRun[0]->text(), QStringLiteral("Pause"));
        QCOMPARE(s.window->cmdRun[1]->text(), QStringLiteral("Stop"));
        QVERIFY(s.window->Timer3->isActive());
        QCOMPARE(s.window->Timer3->interval(), 1000); // the tests tick it by hand
        QVERIFY(!s.window->Timer3->isSingleShot());
        QVERIFY(s.window->Text1->isEnabled());
        QCOMPARE(QApplication::focusWidget(), s.window->Text1);
        QCOMPARE(s.window->lblMaxZeichen->text(), QStringLiteral("5"));
        QCOMPARE(s.window->Label2->text(), QStringLiteral("a"));
        QVERIFY(!s.window->menulek[0]->isEnabled());
        QVERIFY(s.window->menulek[2]->isEnabled() && s.window->menulek[4]->isEnabled());

        s.window->cmdRun[0]->click(); // Pause
        QCOMPARE(s.window->cmdRun[0]->text(), QStringLiteral("Weiter"));
        QVERIFY(!s.window->Timer3->isActive());
        QVERIFY(!s.window->Text1->isEnabled());
        QVERIFY(s.window->menulek[3]->isEnabled() && !s.window->menulek[2]->isEnabled());

        s.window->cmdRun[0]->click(); // Weiter
        QCOMPARE(s.window->cmdRun[0]->text(), QStringLiteral("Pause"));
        QVERIFY(s.window->Timer3->isActive());
        QCOMPARE(QApplication::focusWidget(), s.window->Text1);

        s.window->cmdRun[0]->click(); // Pause again, then Stop from Paused
        s.window->cmdRun[1]->click();
        QCOMPARE(s.window->rtb1->text(), Welcome);
        QCOMPARE(s.window->cmdRun[0]->text(), QStringLiteral("Start"));
        QVERIFY(!s.window->cmdRun[0]->isEnabled());
        QCOMPARE(s.window->cmdRun[1]->text(), QStringLiteral("Auswahl"));
        QVERIFY(!s.window->Timer3->isActive());
        QCOMPARE(s.window->lblFehlerProz->text(), QStringLiteral("-"));
        QCOMPARE(s.logRows(), 0);
    }

    void theKeypadTrainerStandsInForTheWindow() {
        Session s;
        QVERIFY(s.start());
        s.choose();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Start
        s.type(QStringLiteral("a"));
        bool hiddenMeanwhile = false, clockOn = false;
        TestSupport::onModal([&](QWidget* modal) {
            auto* trainer = qobject_cast<frmNumBlock*>(modal);
            QVERIFY(trainer && !trainer->parentWidget());
            hiddenMeanwhile = !s.window->isVisible();
            clockOn = s.window->Timer3->isActive();
            trainer->Command2->click();
        });
        s.window->ToolButton[4]->click();
        QVERIFY(hiddenMeanwhile && clockOn);
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.window->cmdRun[0]->text(), QStringLiteral("Pause"));
        QVERIFY(s.window->Timer3->isActive());
        QCOMPARE(s.window->Label2->text(), QStringLiteral("b"));
        QTRY_COMPARE(QApplication::activeWindow(), s.window.get());

        bool opened = false;
        TestSupport::onModal([&](QWidget* modal) {
            opened = qobject_cast<frmNumBlock*>(modal);
            modal->close(); // the close box
        });
        QTest::keyClick(s.window.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(opened);
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.window->cmdRun[0]->text(), QStringLiteral("Pause"));
        QCOMPARE(s.logRows(), 0);
    }

    void typingALessonToTheEndStoresOneRow() {
        Session s({{7, QString::fromUtf8("O'Brien sagt \"Grüß Gott\""), "ab\r\nc d", "a|b"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("x");  // wrong where a is expected: left little finger
        s.type("ab"); // RETURN now expected
        QCOMPARE(s.window->Label2->text(), QStringLiteral("RETURN"));
        QCOMPARE(s.window->Frame1->keyColor(ReturnKeyIndex), OleColor::Yellow);
        QCOMPARE(s.beeps, 1);
        s.type("q"); // wrong at a line break: only the error sound
        QCOMPARE(s.program.counters.Fehler, 1);
        QCOMPARE(s.sounds.last(), QStringLiteral("FASTHEY"));
        s.type("\r\nc");
        s.type("x"); // wrong where a blank is expected: a thumb
        s.type(" d");
        QCOMPARE(s.window->Label2->text(), QStringLiteral("ENDE"));
        QCOMPARE(s.logRows(), 1);
        QCOMPARE(s.logValue("Lektion").toInt(), 7);
        QCOMPARE(s.logValue("Dateiname").toString(),
                 QString::fromUtf8("O'Brien sagt \"Grüß Gott\""));
        QCOMPARE(s.logValue("Zeichenanzahl").toInt(), 5);
        QCOMPARE(s.logValue("Treffer").toInt(), 5); // the last hit counted before the end
        QCOMPARE(s.logValue("Fehler").toInt(), 2);
        QCOMPARE(s.logValue("ff1").toInt(), 1);
        QCOMPARE(s.logValue("ff6").toInt(), 1);
        QCOMPARE(s.logValue("ff5").toInt(), 0);
        QCOMPARE(s.logValue("Dauer").toInt(), 0);
        QVERIFY(QDateTime::fromString(s.logValue("Zeitpunkt").toString(), "yyyy-MM-dd HH:mm:ss")
                    .secsTo(QDateTime::currentDateTime()) < 60);
        QCOMPARE(s.window->lblTrefferAnz->text(), QStringLiteral("5"));
        QCOMPARE(s.window->Text1->toPlainText(),
                 QString::fromUtf8("MaxZeichen: 5   Übungsdauer: 00:00\n"
                                   "Fehler: 2(40 Prozent ) 0 Anschläge/Min\n"
                                   "Um ein neue Lektion auszuwählen, drücken Sie ENTER"));
        QCOMPARE(s.window->rtb1->text(), QString());
        QVERIFY(s.window->Text1->isEnabled() && s.window->Text1->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), s.window->cmdRun[1]);
        QCOMPARE(s.window->cmdRun[1]->text(), QStringLiteral("Auswahl"));
        QVERIFY(!s.window->Timer3->isActive());
        for (int i = 0; i < KeyCount; ++i)
            QCOMPARE(s.window->Frame1->keyColor(i), OleColor::Neutral);
        // The counters keep the finished run until the next lesson is taken.
        QCOMPARE(s.window->lblFehlerAnz->text(), QStringLiteral("2"));
        s.choose();
        QCOMPARE(s.window->lblFehlerAnz->text(), QString());
        QCOMPARE(s.logRows(), 1);
    }

    void rejectedKeysNeverReachTheInputBox() {
        Session s({{7, "Gross", "Ab", "A|b"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("a"); // lower case where upper is expected
        QCOMPARE(s.window->Text1->toPlainText(), QString());
        QCOMPARE(s.program.counters.Fehler, 1);
        QCOMPARE(s.window->lblFehlerProz->text(), QStringLiteral("0"));
        s.type("A");
        QCOMPARE(s.window->Text1->toPlainText(), QStringLiteral("A"));
        QCOMPARE(s.window->lblFehlerProz->text(), QStringLiteral("-")); // 100 %
        QCOMPARE(s.sounds, (QStringList{"FASTHEY", "MSGTYPE"}));
    }

    void liveErrorPercentUsesTheLocale() {
        Session s({{7, "Lang", "abcd", "a"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("xabc"); // 1 error, 3 hits
        QCOMPARE(s.window->lblFehlerProz->text(), QStringLiteral("33,33"));
        QCOMPARE(s.window->lblTrefferAnz->text(), QStringLiteral("3"));
        QCOMPARE(s.window->lblFehlerAnz->text(), QStringLiteral("1"));
    }

    void keysLightFromTheirPhysicalKeys_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<uint>("scanCode");
        QTest::addColumn<QList<int>>("lit");
        QTest::newRow("left Shift lights both") << int(Qt::Key_Shift) << 50u << QList<int>{9, 10};
        QTest::newRow("AltGr") << int(Qt::Key_AltGr) << 108u << QList<int>{18};
        QTest::newRow("left Alt") << int(Qt::Key_Alt) << 64u << QList<int>{17};
        QTest::newRow("F2") << int(Qt::Key_F2) << 68u << QList<int>{56};
        QTest::newRow("F1 never") << int(Qt::Key_F1) << 67u << QList<int>{};
        QTest::newRow("Home is swallowed") << int(Qt::Key_Home) << 110u << QList<int>{};
        QTest::newRow("Tab is not on the keyboard") << int(Qt::Key_Tab) << 23u << QList<int>{};
    }
    void keysLightFromTheirPhysicalKeys() {
        QFETCH(int, qtKey);
        QFETCH(uint, scanCode);
        QFETCH(QList<int>, lit);
        Session s;
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        pressKey(s.window->Text1, qtKey, QString(), Qt::NoModifier, scanCode);
        for (int i = 0; i < KeyCount; ++i)
            QCOMPARE(s.window->Frame1->keyColor(i),
                     lit.contains(i) ? OleColor::Green : OleColor::Neutral);
        releaseKey(s.window->Text1, qtKey, QString(), Qt::NoModifier, scanCode);
        for (int i = 0; i < KeyCount; ++i)
            QCOMPARE(s.window->Frame1->keyColor(i), OleColor::Neutral);
    }

    // Ctrl held while another window takes the keyboard: its key-up goes there, and STRG must
    // not stay lit. Keys lit by the preview or the expected line break are not held: they stay.
    void aHeldKeyGoesOutWhenAnotherWindowTakesTheKeyboard() {
        Session s;
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.window->highlite(QStringLiteral("a"));
        s.window->Frame1->setKeyColor(53, 0x00FFFF);
        pressKey(s.window->Text1, Qt::Key_Control, QString(), Qt::NoModifier, 37);
        QCOMPARE(s.window->Frame1->keyColor(40), 0x00FF00u);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(s.window->Frame1->keyColor(40), 0xFFC0C0u);
        QCOMPARE(s.window->Frame1->keyColor(8), 0x0000FFu);
        QCOMPARE(s.window->Frame1->keyColor(53), 0x00FFFFu);
    }

    void homeAndArrowsDoNotMoveTheCaret() {
        Session s({{7, "Lang", "abcd", "a"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("ab");
        QCOMPARE(s.window->Text1->textCursor().position(), 2);
        clickKey(s.window->Text1, Qt::Key_Home, QString(), Qt::NoModifier, 110);
        clickKey(s.window->Text1, Qt::Key_Left, QString());
        QCOMPARE(s.window->Text1->textCursor().position(), 2);
        s.type("c");
        QCOMPARE(s.window->Text1->toPlainText(), QStringLiteral("abc"));
    }

    void aCharacterFromAnInputMethodIsTyped() {
        Session s({{7, "Umlaut", QString::fromUtf8("ä"), "a"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        QInputMethodEvent wrong;
        wrong.setCommitString(QString::fromUtf8("é"));
        QApplication::sendEvent(s.window->Text1, &wrong);
        QCOMPARE(s.program.counters.Fehler, 1);
        QInputMethodEvent right;
        right.setCommitString(QString::fromUtf8("ä"));
        QApplication::sendEvent(s.window->Text1, &right);
        QCOMPARE(s.logRows(), 1);
        QCOMPARE(s.logValue("Treffer").toInt(), 1);
    }

    void aCancelledChoiceKeepsTheLoadedLesson() {
        Session s({{7, "Erste", "a", "a"}, {8, "Zweite", "b", "b"}});
        QVERIFY(s.start());
        s.choose(2);
        s.cancelChoice();
        QCOMPARE(s.window->rtb1->text(), QStringLiteral("b"));
        QVERIFY(s.window->cmdRun[0]->isEnabled());
        s.window->cmdRun[0]->click();
        s.type("b");
        QCOMPARE(s.logValue("Lektion").toInt(), 8);
        QCOMPARE(s.logValue("Dateiname").toString(), QStringLiteral("Zweite"));
    }

    void aCancelledChoiceFromIdleChangesNothing() {
        Session s;
        QVERIFY(s.start());
        s.cancelChoice();
        QCOMPARE(s.window->rtb1->text(), Welcome);
        QVERIFY(!s.window->cmdRun[0]->isEnabled());
        QCOMPARE(s.window->handOver.LekAuswahl, 0);
    }

    // Keys and clicks that type nothing on the input box leave the run as it was: Alt alone and
    // with a letter, F10, Delete, mouse buttons, Tab out and back in. The caret stays at the end.
    void keysThatTypeNothingCountNothing() {
        Session session({{7, "Erste", "ab cd", "a|b"}});
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        session.choose();
        w.cmdRun[0]->click();
        session.type(QStringLiteral("ab"));
        QTest::keyClick(w.Text1, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(w.Text1, Qt::Key_L, Qt::AltModifier);
        QTest::keyClick(w.Text1, Qt::Key_F10);
        QTest::keyClick(w.Text1, Qt::Key_Delete);
        QTest::mouseClick(w.Text1->viewport(), Qt::MiddleButton, {}, QPoint(5, 5));
        QTest::mouseClick(w.Text1->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseDClick(w.Text1->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::keyClick(w.Text1, Qt::Key_Tab);
        QVERIFY(!w.Text1->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(w.Text1->hasFocus());
        QCOMPARE(w.Text1->toPlainText(), QStringLiteral("ab"));
        QCOMPARE(w.Label2->text(), QStringLiteral("LEER"));
        QCOMPARE(w.Frame1->keyColor(2), 0xFFC0C0u); // nothing left lit by Alt
        for (int i = 0; i < 62; ++i)
            QVERIFY2(w.Frame1->keyColor(i) != 0x00FF00u, qPrintable(QString::number(i)));
        session.type(QStringLiteral(" cd"));
        QCOMPARE(session.program.counters.Fehler, 0);
        QCOMPARE(session.logValue("Treffer").toInt(), 5);
        QCOMPARE(session.logValue("Fehler").toInt(), 0);
    }

    void keysAfterTheEndCountAsErrorsOnly() {
        Session s({{7, "Kurz", "a", "a"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("a");
        QCOMPARE(s.logRows(), 1);
        const QString summary = s.window->Text1->toPlainText();
        s.window->Text1->setFocus();
        s.type("z");
        QCOMPARE(s.program.counters.Fehler, 1);
        QCOMPARE(s.window->lblFehlerAnz->text(), QStringLiteral("1"));
        for (int f = 1; f <= 10; ++f)
            QCOMPARE(int(s.program.counters.ff[f]), 0);
        QCOMPARE(s.window->Text1->toPlainText(), summary);
        QCOMPARE(s.logRows(), 1);
        QCOMPARE(s.logValue("Fehler").toInt(), 0);
    }

    void aFailingInsertKeepsTheSummaryAndTheWindowUsable() {
        Session s({{7, "Kurz", "a", "a"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        QVERIFY(execOn(s.appdata.dbPath(), "DROP TABLE log"));
        QString shown;
        onModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown = box->text();
            box->accept();
        });
        s.type("a");
        const QString pending = s.appdata.dataFolder() + "/quendal1_1.pending";
        QVERIFY(shown.startsWith(
            QString::fromUtf8("Das Ergebnis der Lektion konnte jetzt nicht gespeichert werden. "
                              "Es ist in „") +
            pending + QString::fromUtf8("“ aufbewahrt")));
        QVERIFY(shown.contains("no such table: log"));
        QVERIFY(QFileInfo::exists(pending));
        QVERIFY(s.window->Text1->toPlainText().startsWith("MaxZeichen: 1"));
        QCOMPARE(s.window->cmdRun[1]->text(), QStringLiteral("Auswahl"));
        QVERIFY(s.window->menulek[0]->isEnabled());
        QVERIFY(!s.window->Timer3->isActive());
    }

    void aResultHeldInMemoryIsStoredAtTheShutdown() {
        Session s({{7, "Kurz", "a", "a"}});
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        // Neither the database nor the pending file (a folder of that name) takes the result.
        QVERIFY(execOn(s.appdata.dbPath(), "CREATE TRIGGER nein BEFORE INSERT ON log BEGIN "
                                           "SELECT RAISE(ABORT, 'abgelehnt'); END"));
        QVERIFY(QDir().mkdir(s.appdata.dataFolder() + "/quendal1_1.pending"));
        onModal([](QWidget* modal) { modal->close(); });
        s.type("a");
        QVERIFY(execOn(s.appdata.dbPath(), "DROP TRIGGER nein"));
        QCOMPARE(s.logRows(), 0);
        QVERIFY(s.window->close());
        QCOMPARE(s.logRows(), 1);
    }

    void closingDuringALessonStoresNothing() {
        Session s;
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("a");
        QVERIFY(s.window->close());
        QCOMPARE(s.logRows(), 0);
    }

    void theClockCountsOnlyWhileRunning() {
        Session s;
        QVERIFY(s.start());
        s.choose();
        s.window->cmdRun[0]->click();
        s.type("ab");
        QVERIFY(QMetaObject::invokeMethod(s.window->Timer3, "timeout", Qt::DirectConnection));
        QCOMPARE(s.window->lblZeitInSec->text(), QStringLiteral("00:01"));
        QCOMPARE(s.window->lblAnschPerMin->text(), QStringLiteral("120"));
    }
};

QUENDAL_TEST(TestMainWindow)
#include "tst_mainwindow.moc"
