#include "Session.h"
#include "TestMain.h"

#include "components/DinoBar.h"
#include "components/GoalFlag.h"
#include "components/PictureButton.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmGym.h"
#include "dialogs/frmTip.h"
#include "dialogs/frmarc.h"
#include "keyboard/OnScreenKeyboard.h"
#include "platform/AniPlayer.h"
#include "platform/HelpViewer.h"
#include "platform/OleColor.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

using namespace TestSupport;

namespace {

QString iniPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quendal1_1.ini");
}

void storeSetting(const QString& section, const QString& key, const QString& value) {
    SettingsStore store(QStringLiteral("Quendal1_1"));
    store.save(section, key, value);
    store.flush();
}

QString storedSetting(const QString& section, const QString& key) {
    return SettingsStore(QStringLiteral("Quendal1_1")).read(section, key, QStringLiteral("<none>"));
}

QColor background(QWidget* widget) {
    return widget->palette().color(widget->backgroundRole());
}

// Receives what the program hands to the desktop (web pages, mail, documents).
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() {
        for (const char* scheme : {"https", "mailto", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override {
        for (const char* scheme : {"https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(iniPath()); }

    // The window's design, in twips at 15 per pixel.
    void controlsSitWhereTheDesignPutsThem_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("rtb1") << "rtb1" << QRect(128, 8, 741, 113);
        QTest::newRow("Text1") << "Text1" << QRect(128, 124, 741, 113);
        QTest::newRow("Frame3") << "Frame3" << QRect(4, 8, 121, 229);
        QTest::newRow("Label2") << "Label2" << QRect(8, 12, 105, 29);
        QTest::newRow("Frame1") << "Frame1" << QRect(4, 244, 913, 353);
        QTest::newRow("DinoControl1") << "DinoControl1" << QRect(308, 12, 565, 32);
        QTest::newRow("picZIEL") << "picZIEL" << QRect(876, 12, 33, 37);
        QTest::newRow("ToolButton 0") << "ToolButton0" << QRect(876, 12, 37, 33);
        QTest::newRow("ToolButton 1") << "ToolButton1" << QRect(876, 50, 37, 33);
        QTest::newRow("ToolButton 2") << "ToolButton2" << QRect(876, 89, 37, 33);
        QTest::newRow("ToolButton 3") << "ToolButton3" << QRect(876, 127, 37, 33);
        QTest::newRow("ToolButton 4") << "ToolButton4" << QRect(876, 166, 37, 33);
        QTest::newRow("ToolButton 6") << "ToolButton6" << QRect(876, 204, 37, 33);
    }
    void controlsSitWhereTheDesignPutsThem() {
        QFETCH(QString, control);
        QFETCH(QRect, pixels);
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        const QMap<QString, QWidget*> controls{
            {"rtb1", w.rtb1},
            {"Text1", w.Text1},
            {"Frame3", w.Frame3},
            {"Label2", w.Label2},
            {"Frame1", w.Frame1},
            {"DinoControl1", w.DinoControl1},
            {"picZIEL", w.picZIEL},
            {"ToolButton0", w.ToolButton[0]},
            {"ToolButton1", w.ToolButton[1]},
            {"ToolButton2", w.ToolButton[2]},
            {"ToolButton3", w.ToolButton[3]},
            {"ToolButton4", w.ToolButton[4]},
            {"ToolButton6", w.ToolButton[6]},
        };
        // Positions inside the keyboard frame are the frame's, whatever the widget's parent.
        QWidget* widget = controls.value(control);
        QRect geometry = widget->geometry();
        if (control == "DinoControl1" || control == "picZIEL")
            geometry.moveTopLeft(widget->parentWidget()->mapTo(w.Frame4, geometry.topLeft()) -
                                 w.Frame1->pos());
        QCOMPARE(geometry, pixels);
        QVERIFY(!w.ToolButton[5]);
    }

    void colorsAndFontsAreThoseOfTheDesign() {
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        QCOMPARE(w.centralWidget()->size(), QSize(928, 601));
        QCOMPARE(TestSupport::shapedWidgets(&w), QStringList());
        QCOMPARE(w.minimumSize(), w.maximumSize()); // a fixed single border
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        for (QWidget* box : {static_cast<QWidget*>(w.rtb1), static_cast<QWidget*>(w.Text1)}) {
            QCOMPARE(box->font().family(), QStringLiteral("Courier New"));
            QCOMPARE(QFontInfo(box->font()).family(), QStringLiteral("Liberation Mono"));
            QCOMPARE(box->font().pointSizeF(), 18.0);
            QVERIFY(box->font().bold());
        }
        QCOMPARE(w.rtb1->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(w.Text1->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(w.Label2->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(w.Label2->font().pointSizeF(), 18.0);
        QCOMPARE(w.Label2->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        QCOMPARE(background(w.Label2), QColor(0, 0, 0));
        QCOMPARE(w.Label2->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(background(w.Frame1), QColor(0xC0, 0xC0, 0xFF));
        QCOMPARE(w.Frame1->toolTip(), QStringLiteral("Keybord"));
        QVERIFY(!w.Frame1->isEnabled());
        QCOMPARE(w.DinoControl1->BackColor(), 0xFFC0C0u);
        QCOMPARE(w.DinoControl1->Max(), 100);
        QCOMPARE(w.DinoControl1->Min(), 0);
    }

    void theToolBarHasItsColorsAndTooltips_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("0") << 0 << "Statistik / Auswertungen" << QColor(0x80, 0xFF, 0x80) << true;
        QTest::newRow("1") << 1 << "Browser starten (https://www.example.org/quendal)"
                           << QColor(0xFF, 0xFF, 0xFF) << true;
        QTest::newRow("2") << 2 << "Reminder " << QColor(0x80, 0xFF, 0x80) << true;
        QTest::newRow("3") << 3 << QString::fromUtf8("Lektionen - Auswahl öffnen")
                           << QColor(0xC0, 0xC0, 0xC0) << true;
        QTest::newRow("4") << 4 << "Nummernblock - Trainer" << QColor(0xC0, 0xC0, 0xC0) << true;
        QTest::newRow("6") << 6 << "Optionen / Einstellungen" << QColor(0xC0, 0xC0, 0xC0) << true;
    }
    void theToolBarHasItsColorsAndTooltips() {
        QFETCH(int, index);
        QFETCH(QString, tooltip);
        QFETCH(QColor, color);
        QFETCH(bool, enabled);
        Session session;
        QVERIFY(session.start());
        PictureButton* button = session.window->ToolButton[index];
        QCOMPARE(button->toolTip(), tooltip);
        QCOMPARE(OleColor::toQColor(button->backColor()), color);
        QCOMPARE(button->isEnabled(), enabled);
        // The face shows the colour at its centre-left edge, the picture in the middle.
        const QImage face = button->grab().toImage();
        QCOMPARE(face.pixelColor(2, face.height() / 2), color);
        QVERIFY(face.pixelColor(face.width() / 2, face.height() / 2) != color ||
                face.pixelColor(face.width() / 2 + 3, face.height() / 2 + 3) != color);
    }

    void theMenusAreThoseOfTheTree() {
        Session session;
        QVERIFY(session.start());
        QStringList menus;
        for (QAction* action : session.window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, QStringList({"&Datei", "&Lektionen", "&Gymnastik", "&Einstellungen",
                                     "&Module", "&Auswertung", QString::fromUtf8("&Über"), "&?"}));
        struct Entry {
            QString caption;
            QKeySequence shortcut;
            bool enabled;
        };
        const QList<QList<Entry>> expected{
            {{"&Beenden", QKeySequence("Ctrl+Q"), true}},
            {{"&Auswahl", QKeySequence("Ctrl+L"), true},
             {"&Start", {}, false},
             {"&Pause", {}, false},
             {"&Weiter", {}, false},
             {"S&top", {}, false}},
            {{"&Auswahl", QKeySequence("Ctrl+G"), true}},
            {{"&Audio", {}, true},
             {"&Reminder", QKeySequence("Ctrl+R"), true},
             {"&Farbe", {}, true},
             {"&Verschiedenes", {}, true}},
            {{"&Nummernblock", QKeySequence("Ctrl+N"), true}},
            {{"&Statistik", QKeySequence("Ctrl+X"), true}},
            {{"&Quendal", QKeySequence("Ctrl+Y"), true},
             {"Quendal im &Web", QKeySequence("Ctrl+W"), true},
             {"&Mail", QKeySequence("Ctrl+M"), true}},
            {{"&QuenDal Hilfe", {}, true},
             {"Ti&ps und Tricks...", {}, true},
             {"&Wichtige Informationen", {}, true}},
        };
        const QList<QAction*> bar = session.window->menuBar()->actions();
        for (int m = 0; m < expected.size(); ++m) {
            QList<QAction*> shown;
            for (QAction* a : bar[m]->menu()->actions())
                if (a->isVisible())
                    shown << a;
            QCOMPARE(shown.size(), expected[m].size());
            for (int e = 0; e < shown.size(); ++e) {
                QCOMPARE(shown[e]->text(), expected[m][e].caption);
                QCOMPARE(shown[e]->shortcut(), expected[m][e].shortcut);
                QCOMPARE(shown[e]->isEnabled(), expected[m][e].enabled);
            }
        }
        // Menus have no font of their own: the forms' default, MS Sans Serif 8.25 pt, drawn
        // with its metric twin; the same face in the open menu.
        for (QWidget* menu : {static_cast<QWidget*>(session.window->menuBar()),
                              static_cast<QWidget*>(bar[0]->menu())}) {
            QCOMPARE(QFontInfo(menu->font()).family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(menu->font().pointSizeF(), 8.25);
            QVERIFY(!menu->font().bold());
        }
    }

    void aHitRepaintsItsCountButNotTheCaptionsOrPanels() {
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        session.choose();
        w.cmdRun[0]->click();
        PaintCounter counter;
        QList<QWidget*> watched{w.centralWidget(), w.Frame4, w.Frame3};
        for (QLabel* label : w.Frame3->findChildren<QLabel*>())
            watched << label;
        for (QWidget* widget : watched)
            widget->installEventFilter(&counter);
        session.type(QStringLiteral("a")); // the first hit also shows the error rate
        QTest::qWait(50);
        counter.paints.clear();
        session.type(QStringLiteral("b"));
        QTRY_VERIFY(counter.paints.contains(w.lblTrefferAnz));
        QTest::qWait(50);
        QStringList painted;
        for (QObject* object : counter.paints.keys())
            painted << (object->objectName().isEmpty() ? QStringLiteral("unnamed")
                                                       : object->objectName());
        painted.sort();
        // The expected key changes to the line break and the hit count to 2; nothing else.
        QCOMPARE(painted, QStringList({"Label2", "lblTrefferAnz"}));
        // The count fills its box in the panel's own colour: no visible edge.
        QCOMPARE(background(w.lblTrefferAnz), background(w.Frame3));
        // So do the captions, which overlap the counts by a pixel; what the window shows of the
        // panel after the hit is the panel drawn afresh.
        int captions = 0;
        for (QLabel* label : w.Frame3->findChildren<QLabel*>())
            if (label->objectName().isEmpty()) {
                QVERIFY(label->autoFillBackground() && background(label) == background(w.Frame3));
                ++captions;
            }
        QCOMPARE(captions, 6);
        const QRect panel(w.Frame3->mapTo(&w, QPoint()), w.Frame3->size());
        QCOMPARE(windowContents(&w).copy(panel).convertToFormat(QImage::Format_RGB32),
                 w.Frame3->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    void theLessonButtonFollowsTheRunControl() {
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        session.choose();
        QVERIFY(w.ToolButton[3]->isEnabled());
        w.cmdRun[0]->click(); // Start
        QVERIFY(!w.ToolButton[3]->isEnabled());
        w.cmdRun[0]->click(); // Pause
        QVERIFY(!w.ToolButton[3]->isEnabled());
        w.cmdRun[1]->click(); // Stop
        QVERIFY(w.ToolButton[3]->isEnabled());
        // The button opens the selection like the menu entry.
        onModal([](QWidget* modal) {
            QVERIFY(qobject_cast<frmLek*>(modal));
            qobject_cast<QDialog*>(modal)->reject();
        });
        w.ToolButton[3]->click();
        QTRY_COMPARE(QApplication::activeWindow(), session.window.get());
        session.choose();
        w.cmdRun[0]->click();
        session.type(QStringLiteral("ab\r\nc d")); // to the end
        QVERIFY(w.ToolButton[3]->isEnabled());
    }

    // The figure walks with the hits when checkDino is on and stays hidden when it is off; the
    // end of the lesson leaves no key lit.
    void theFigureWalksAndTheEndLeavesNoKeyLit_data() {
        QTest::addColumn<bool>("dino");
        QTest::newRow("figure on") << true;
        QTest::newRow("figure off") << false;
    }
    void theFigureWalksAndTheEndLeavesNoKeyLit() {
        QFETCH(bool, dino);
        storeSetting("Optionen", "checkDino", dino ? "True" : "False");
        // Six lines: more than the box shows, so a scroll bar would narrow the summary's lines.
        Session session({{7, "Erste", "ab\r\nc\r\nd\r\ne\r\nf\r\ng", "a|b"}});
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        session.choose();
        w.cmdRun[0]->click();
        QCOMPARE(w.DinoControl1->isVisible(), dino);
        QCOMPARE(w.picZIEL->isVisible(), dino);
        auto* figure = w.DinoControl1->findChild<AniPlayer*>();
        QVERIFY(figure);
        QCOMPARE(w.DinoControl1->figureRect().x(), 0);
        session.type(QStringLiteral("ab"));
        QCOMPARE(w.DinoControl1->Value(), 2);
        QCOMPARE(w.DinoControl1->figureRect().x(), 152); // (565 - 32) * 2 / 7 = 152.3
        session.type(QStringLiteral("\r\nc\r\nd\r\ne\r\nf\r\ng"));
        QVERIFY(!w.DinoControl1->isVisible());
        // The summary's three lines each fit on one line of the box.
        QCOMPARE(w.Text1->document()->blockCount(), 3);
        for (QTextBlock b = w.Text1->document()->begin(); b.isValid(); b = b.next())
            QCOMPARE(b.layout()->lineCount(), 1);
        // Also where the font is not hinted: 51 characters of Courier New at 24 px, 0.6 em each,
        // need 734.4 pixels.
        const qreal room = w.Text1->viewport()->width() - 2 * w.Text1->document()->documentMargin();
        QVERIFY2(room >= 734.4, qPrintable(QString::number(room)));
        for (int i = 0; i < 62; ++i)
            QCOMPARE(w.Frame1->keyColor(i), 0xFFC0C0u);
    }

    void settingsSurviveARestart() {
        storeSetting("Optionen", "Benutzer", QString::fromUtf8("Jörg"));
        storeSetting("Optionen", "Farbwert1", "255");
        storeSetting("Optionen", "Tdauer", "7");
        storeSetting("Settings", "MainLeft", "1500");
        storeSetting("Settings", "MainTop", "750");
        {
            Session session;
            QVERIFY(session.start());
            frmSchreiben& w = *session.window;
            QCOMPARE(w.windowTitle(), QString::fromUtf8("Quendal 1.1:  Jörg"));
            QCOMPARE(w.pos(), QPoint(100, 50));
            QCOMPARE(w.Frame1->frameColor(), 255u);
            QCOMPARE(w.DinoControl1->BackColor(), 255u);
            QCOMPARE(w.picZIEL->backColor(), 255u);
            QCOMPARE(session.program.settings.Tdauer, qint16(7));
            // Changed while running: written only when the window closes.
            session.program.settings.Benutzer = QStringLiteral("Anna");
            session.program.settings.CheckGeraeusch = false;
            w.move(300, 150);
            QCOMPARE(storedSetting("Optionen", "Benutzer"), QString::fromUtf8("Jörg"));
            w.menuDatei[0]->trigger(); // "&Beenden"
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(storedSetting("Optionen", "Benutzer"), QStringLiteral("Anna"));
        QCOMPARE(storedSetting("Optionen", QString::fromUtf8("CheckGeräusch")),
                 QStringLiteral("False"));
        QCOMPARE(storedSetting("Optionen", "Farbwert1"), QStringLiteral("255"));
        QCOMPARE(storedSetting("Optionen", "Tdauer"), QStringLiteral("7"));
        QCOMPARE(storedSetting("Settings", "MainLeft"), QStringLiteral("4500"));
        QCOMPARE(storedSetting("Settings", "MainTop"), QStringLiteral("2250"));
    }

    void aMinimisedWindowKeepsTheStoredPosition() {
        storeSetting("Settings", "MainLeft", "1500");
        storeSetting("Settings", "MainTop", "750");
        Session session;
        QVERIFY(session.start());
        session.program.settings.Tdauer = 9;
        session.window->move(300, 150);
        session.window->setWindowState(Qt::WindowMinimized);
        session.window->close();
        QCOMPARE(storedSetting("Settings", "MainLeft"), QStringLiteral("1500"));
        QCOMPARE(storedSetting("Settings", "MainTop"), QStringLiteral("750"));
        QCOMPARE(storedSetting("Optionen", "Tdauer"), QStringLiteral("9"));
    }

    void aPositionOffEveryScreenFallsBackToTheCorner_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QPoint>("placed");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int right = (screen.right() - 10) * 15; // ten pixels of the window on the screen
        QTest::newRow("far right") << "200000"
                                   << "0" << QPoint(0, 0);
        QTest::newRow("above") << "0"
                               << "-30000" << QPoint(0, 0);
        QTest::newRow("partly on screen")
            << QString::number(right) << "300" << QPoint(screen.right() - 10, 20);
        QTest::newRow("low, partly on screen")
            << "0" << QString::number((screen.bottom() - 10) * 15)
            << QPoint(0, screen.bottom() - 10);
    }
    void aPositionOffEveryScreenFallsBackToTheCorner() {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QPoint, placed);
        storeSetting("Settings", "MainLeft", left);
        storeSetting("Settings", "MainTop", top);
        Session session;
        QVERIFY(session.start());
        QCOMPARE(session.window->pos(), placed);
    }

    void aDatabaseFailureWritesNoSettings() {
        storeSetting("Optionen", "Benutzer", "Vorher");
        TempAppData appdata;
        QDir().mkpath(appdata.dbPath()); // a folder where the database should be
        Program program(binDir());
        {
            frmSchreiben window(program);
            onModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->accept(); });
            QVERIFY(!window.Form_Load());
            window.close();
        }
        QCOMPARE(storedSetting("Optionen", "Benutzer"), QStringLiteral("Vorher"));
        QCOMPARE(storedSetting("Optionen", "Tdauer"), QStringLiteral("<none>"));
    }

    void theReminderFiresOnceAndGoesOff() {
        storeSetting("Optionen", "Tdauer", "2");
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        QCOMPARE(w.Timer1->interval(), 60000);
        w.Timer1->setInterval(20);
        PictureButton* button = w.ToolButton[2];
        button->click();
        QCOMPARE(button->backColor(), 0x0000FFu);
        QCOMPARE(session.beeps, 1);
        QCOMPARE(button->cursor().shape(), Qt::WaitCursor);
        QVERIFY(w.Timer1->isActive());

        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int minutesAtMessage = -1;
        onModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            minutesAtMessage = w.reminder.ReminderMinuten;
            QVERIFY(!w.Timer1->isActive());
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->accept();
        });
        QTRY_COMPARE(title, QStringLiteral("Reminder"));
        QCOMPARE(text, QString::fromUtf8("Fleißig, fleißig...\n\naber jetzt ist die Zeit um! "));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(minutesAtMessage, 2);
        QVERIFY(session.sounds.contains(QStringLiteral("CHIMES2")));
        QCOMPARE(button->backColor(), 0x80FF80u);
        QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
        QTest::qWait(100); // no second message
        QCOMPARE(session.sounds.count(QStringLiteral("CHIMES2")), 1);
    }

    void aRestartCountsAfreshAndALoweredPeriodStillFires() {
        storeSetting("Optionen", "Tdauer", "50");
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        w.Timer1->setInterval(10);
        w.ToolButton[2]->click();
        QTRY_VERIFY(w.reminder.ReminderMinuten >= 3);
        w.ToolButton[2]->click(); // a restart: the count begins at 0, the button stays red
        QVERIFY(w.reminder.ReminderMinuten < 3);
        QCOMPARE(w.ToolButton[2]->backColor(), 0x0000FFu);
        QCOMPARE(session.beeps, 2);
        QTRY_VERIFY(w.reminder.ReminderMinuten >= 3);
        bool fired = false;
        onModal([&](QWidget* modal) {
            fired = true;
            qobject_cast<QMessageBox*>(modal)->accept();
        });
        session.program.settings.Tdauer = 2; // below the minutes already counted
        QTRY_VERIFY(fired);
        QCOMPARE(w.ToolButton[2]->backColor(), 0x80FF80u);
    }

    void menusHandTheirTargetsToTheDesktop() {
        UrlCatcher catcher;
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        w.ToolButton[1]->click();
        w.menWichtig->trigger();
        QCOMPARE(catcher.urls.size(), 4);
        QCOMPARE(catcher.urls[0], QUrl("https://www.example.org/quendal"));
        QCOMPARE(catcher.urls[1], QUrl("mailto:quendal@example.org"));
        QCOMPARE(catcher.urls[2], QUrl("https://www.example.org/quendal"));
        QCOMPARE(catcher.urls[3], QUrl::fromLocalFile(binDir() + "/Liesmich.rtf"));
    }

    void menusOpenTheirWindows_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("window");
        QTest::newRow("Ctrl+G") << int(Qt::Key_G) << "frmGym";
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << "frmAbout";
    }
    void menusOpenTheirWindows() {
        QFETCH(int, key);
        QFETCH(QString, window);
        Session session;
        QVERIFY(session.start());
        QString opened;
        onModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        });
        QTest::keyClick(session.window.get(), Qt::Key(key), Qt::ControlModifier);
        QTRY_COMPARE(opened, window);
    }

    // The statistics come from their module in the program folder; without it, a message.
    void theStatisticsOpenFromTheirModule_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("present") << true;
        QTest::newRow("missing") << false;
    }
    void theStatisticsOpenFromTheirModule() {
        QFETCH(bool, present);
        Session session;
        QTemporaryDir elsewhere;
        if (!present)
            session.program.programFolder = elsewhere.path();
        QVERIFY(session.start());
        session.choose();
        session.window->menulek_Click(1);
        session.type("ab\nc d"); // one stored result: the hub opens without a message first
        QTRY_COMPARE(session.logRows(), 1);
        QString opened, text;
        onModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                text = box->text();
            modal->close();
        });
        QTest::keyClick(session.window.get(), Qt::Key_X, Qt::ControlModifier);
        QTRY_COMPARE(opened, present ? "frmStatistik" : "QMessageBox");
        if (!present) {
            QVERIFY(text.startsWith(
                QString::fromUtf8("Die Statistik kann nicht geöffnet werden.\n\n")));
            QVERIFY2(text.contains("quendal_statistics.so"), qPrintable(text));
        }
    }

    // Each settings entry opens the one dialog on its own page; the tool bar button on "Audio".
    void theSettingsOpenOnThePageOfTheirEntry() {
        Session session;
        QVERIFY(session.start());
        frmSchreiben& w = *session.window;
        const QStringList pages{"Audio", "Reminder", "Farbdesign", "Verschiedenes"};
        for (int i = 0; i <= 4; ++i) {
            QString page;
            onModal([&](QWidget* modal) {
                auto* dialog = qobject_cast<frmarc*>(modal);
                QVERIFY(dialog);
                page = dialog->SSTab1->tabText(dialog->SSTab1->currentIndex());
                dialog->reject();
            });
            if (i < 4)
                w.menuEinstellungen[i]->trigger();
            else
                w.ToolButton[6]->click();
            QTRY_COMPARE(page.remove('&'), pages.value(i % 4));
        }
    }

    void f1OpensTheHelpAlsoWhileTyping() {
        Session session;
        QVERIFY(session.start());
        session.choose();
        session.window->cmdRun[0]->click();
        QTest::keyClick(session.window->Text1, Qt::Key_F1);
        QTRY_VERIFY(HelpViewer::current());
        QCOMPARE(HelpViewer::current()->windowTitle(), QStringLiteral("QuenDal Hilfe"));
        QCOMPARE(session.program.counters.Fehler, 0);
        HelpViewer::current()->close();
    }

    void tipsOpenAtStartOverTheWindowAndCloseWithIt() {
        Session session;
        QVERIFY(session.start(true));
        frmTip* tips = session.window->findChild<frmTip*>();
        QTRY_VERIFY(tips && tips->isVisible());
        QCOMPARE(tips->parentWidget(), session.window.get());
        QVERIFY(!tips->isModal());
        session.window->close();
        QVERIFY(!tips->isVisible());
        QCOMPARE(storedSetting("Optionen", "CheckLoadTips"), QStringLiteral("True"));
    }
};

QUENDAL_TEST(TestMainFrame)
#include "tst_mainframe.moc"
