#include "StatisticsDb.h"
#include "TestMain.h"

#include "components/PictureButton.h"
#include "platform/Database.h"
#include "settings/Settings.h"
#include "statistics/frmblockdat.h"
#include "statistics/frmdaten.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <limits>
#include <memory>

using Row = StatisticsDb::Row;

namespace {

// Rows one hour apart whose hits tell them apart: 1, 2, 3, ...
bool addNumbered(StatisticsDb& file, int count) {
    for (int i = 1; i <= count; ++i) {
        Row r;
        r.zeitpunkt = QStringLiteral("2026-12-06 %1:00:00").arg(i, 2, 10, QLatin1Char('0'));
        r.treffer = i;
        if (!file.add(r))
            return false;
    }
    return true;
}

} // namespace

class TstBrowsers : public QObject {
    Q_OBJECT

private:
    Settings settings_;
    std::unique_ptr<StatisticsDb> file_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<frmdaten> w_;
    int beeps_ = 0;

    void open(int rows) {
        file_ = std::make_unique<StatisticsDb>(QStringLiteral("browse"));
        QVERIFY(addNumbered(*file_, rows));
        db_ = std::make_unique<Database>();
        QVERIFY(db_->open(file_->path()));
        w_ = std::make_unique<frmdaten>(*db_, settings_);
        beeps_ = 0;
        w_->beep = [this] { ++beeps_; };
        w_->Form_Load();
    }

    QString hits() const { return w_->txtFields[5]->text(); }

    // A key as the window system delivers it: to the focused control of the active window.
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w_.get();
        QTest::keyClick(target, k, m);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void cleanup() {
        w_.reset();
        db_.reset();
        file_.reset();
    }

    void resultFields_data() {
        QTest::addColumn<Row>("row");
        QTest::addColumn<QStringList>("boxes");
        Row r;
        r.zeitpunkt = "2026-12-06 14:05:09";
        r.dateiname = "Test";
        r.zeichen = 200;
        r.dauer = 323;
        r.treffer = 240;
        r.fehler = 3;
        QTest::newRow("3 errors in 200 characters")
            << r
            << QStringList{
                   "6 Dezember 2026", "14:05:09", "Test", "200", "05:23", "240", "3", "1,50", "45"};
        r.dauer = 6000;
        r.zeitpunkt = "2026-03-01 09:00:00";
        QTest::newRow("6000 s") << r
                                << QStringList{"1 März 2026", "09:00:00", "Test", "200", "100:00",
                                               "240",         "3",        "1,50", "2"};
        r.dauer = 59;
        r.treffer = 100;
        r.fehler = 1;
        r.dateiname = "0042";
        QTest::newRow("59 s, a title that reads as a number")
            << r << QStringList{"1 März 2026", "09:00:00", "0042", "200", "00:59",
                                "100",         "1",        "0,50", "102"};
        r.dauer = 0;
        r.zeichen = 0;
        QTest::newRow("0 s and 0 characters leave the computed boxes empty")
            << r
            << QStringList{"1 März 2026", "09:00:00", "0042", "0", "00:00", "100", "1", "", ""};
        r.dauer = 120;
        r.zeichen = 800;
        r.treffer = 202;
        QTest::newRow("exact halves: 0.125 % to the even digit, 101.5 strokes cut")
            << r << QStringList{"1 März 2026", "09:00:00", "0042", "800", "02:00",
                                "202",         "1",        "0,12", "101"};
        r.dauer = 60;
        r.fehler = 3;
        r.treffer = std::numeric_limits<qint64>::max();
        QTest::newRow("strokes beyond an exact figure leave their box empty, 0.375 % to even")
            << r << QStringList{"1 März 2026",         "09:00:00", "0042", "800", "01:00",
                                "9223372036854775807", "3",        "0,38", ""};
    }

    void resultFields() {
        QFETCH(Row, row);
        QFETCH(QStringList, boxes);
        file_ = std::make_unique<StatisticsDb>(QStringLiteral("fields"));
        QVERIFY(file_->add(row));
        db_ = std::make_unique<Database>();
        QVERIFY(db_->open(file_->path()));
        frmdaten w(*db_, settings_);
        w.Form_Load();
        QStringList shown;
        for (QLineEdit* box : w.txtFields)
            shown << box->text();
        QCOMPARE(shown, boxes);
    }

    void resultDesign() {
        open(1);
        frmdaten& w = *w_;
        QCOMPARE(w.windowTitle(), QStringLiteral("Auswertung der einzelnen Übungen"));
        QCOMPARE(w.size(), QSize(341, 279)); // 5115 x 4185 twips
        const QStringList captions{
            "Datum:",   "Uhrzeit:", "Lektion:",    "Zeichenanzahl:",  "Dauer [Min:Sek]",
            "Treffer:", "Fehler:",  "Fehler [%]:", "Anschläge /Min.:"};
        const int tops[9] = {4, 25, 48, 68, 90, 111, 133, 154, 176}; // 60, 375, ... twips
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(w.lblLabels[i]->text(), captions[i]);
            QCOMPARE(w.txtFields[i]->geometry(), QRect(104, tops[i], 225, 19));
            QVERIFY(w.txtFields[i]->isReadOnly());
            QVERIFY(w.txtFields[i]->font().bold());
            QCOMPARE(w.lblLabels[i]->font().bold(), i == 2);
            QCOMPARE(w.txtFields[i]->isEnabled(), i != 5); // the hits row is greyed
        }
        QCOMPARE(w.picStatBox->geometry(), QRect(104, 204, 225, 36));
        QCOMPARE(w.cmdFirst->geometry(), QRect(12, 4, 35, 28));
        QCOMPARE(w.cmdLast->geometry(), QRect(180, 4, 35, 28));
        for (QWidget* b : {w.cmdFirst, w.cmdPrevious, w.cmdNext, w.cmdLast})
            QCOMPARE(faceColours(b), QSet<QRgb>{0xC0C0FF}); // flat 0xFFC0C0
        QCOMPARE(w.Command1->toolTip(), QStringLiteral("Auswertung drucken"));
        QCOMPARE(w.Command1->geometry(), QRect(180, 248, 73, 24));
        QCOMPARE(w.cmdClose->text(), QStringLiteral("Schließen"));
        QCOMPARE(w.cmdClose->geometry(), QRect(260, 248, 73, 24));
    }

    void opensOnTheNewest() {
        open(3);
        QCOMPARE(hits(), QStringLiteral("3"));
        QCOMPARE(beeps_, 0);
        // Stored out of time order, the two latest with one time stamp: of those the one
        // stored later is the newer, in both browsers.
        StatisticsDb file(QStringLiteral("ties"));
        const std::pair<int, const char*> stored[] = {{3, "12"}, {1, "10"}, {2, "11"}, {4, "12"}};
        for (const auto& [n, hour] : stored) {
            Row r;
            r.zeitpunkt = QStringLiteral("2026-12-06 %1:00:00").arg(hour);
            r.treffer = n;
            r.ff[0] = n;
            QVERIFY(file.add(r));
        }
        Database db;
        QVERIFY(db.open(file.path()));
        frmdaten results(db, settings_);
        frmblockdat fingers(db);
        for (const auto& [w, box] :
             {std::pair<RecordBrowser*, QLineEdit*>(&results, results.txtFields[5]),
              {&fingers, fingers.txtFields[1]}}) {
            w->Form_Load();
            QString order = box->text();
            for (w->cmdFirst_Click(); order.size() < 5; w->cmdNext_Click())
                order += box->text();
            QCOMPARE(order, QStringLiteral("41234"));
        }
    }

    void buttons_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("start"); // "first" or "last"
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<int>("beeps");
        QTest::newRow("single row: next beeps and stays") << 1 << "last"
                                                          << "cmdNext"
                                                          << "1" << 1;
        QTest::newRow("single row: previous beeps and stays") << 1 << "last"
                                                              << "cmdPrevious"
                                                              << "1" << 1;
        QTest::newRow("single row: first is quiet") << 1 << "last"
                                                    << "cmdFirst"
                                                    << "1" << 0;
        QTest::newRow("single row: last is quiet") << 1 << "last"
                                                   << "cmdLast"
                                                   << "1" << 0;
        QTest::newRow("newest: next beeps") << 3 << "last"
                                            << "cmdNext"
                                            << "3" << 1;
        QTest::newRow("newest: previous") << 3 << "last"
                                          << "cmdPrevious"
                                          << "2" << 0;
        QTest::newRow("newest: last is quiet") << 3 << "last"
                                               << "cmdLast"
                                               << "3" << 0;
        QTest::newRow("oldest: previous beeps") << 3 << "first"
                                                << "cmdPrevious"
                                                << "1" << 1;
        QTest::newRow("oldest: next") << 3 << "first"
                                      << "cmdNext"
                                      << "2" << 0;
        QTest::newRow("oldest: first is quiet") << 3 << "first"
                                                << "cmdFirst"
                                                << "1" << 0;
        QTest::newRow("newest: first") << 3 << "last"
                                       << "cmdFirst"
                                       << "1" << 0;
        QTest::newRow("empty: first beeps") << 0 << "last"
                                            << "cmdFirst"
                                            << "" << 1;
        QTest::newRow("empty: last beeps") << 0 << "last"
                                           << "cmdLast"
                                           << "" << 1;
        QTest::newRow("empty: next is silent") << 0 << "last"
                                               << "cmdNext"
                                               << "" << 0;
        QTest::newRow("empty: previous is silent") << 0 << "last"
                                                   << "cmdPrevious"
                                                   << "" << 0;
    }

    void buttons() {
        QFETCH(int, rows);
        QFETCH(QString, start);
        QFETCH(QString, button);
        QFETCH(QString, hits);
        QFETCH(int, beeps);
        open(rows);
        QCOMPARE(beeps_, rows == 0 ? 1 : 0); // Last at load beeps only on an empty set
        if (start == "first")
            w_->cmdFirst->click();
        beeps_ = 0;
        QTest::mouseClick(w_->findChild<PictureButton*>(button), Qt::LeftButton);
        QCOMPARE(this->hits(), hits);
        QCOMPARE(beeps_, beeps);
    }

    void keys_data() {
        QTest::addColumn<int>("start"); // hits of the row to start on
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<int>("beeps");
        const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        QTest::newRow("Up") << 3 << int(Qt::Key_Up) << 0 << "2" << 0;
        QTest::newRow("Page Up") << 3 << int(Qt::Key_PageUp) << 0 << "2" << 0;
        QTest::newRow("Down") << 2 << int(Qt::Key_Down) << 0 << "3" << 0;
        QTest::newRow("Page Down") << 2 << int(Qt::Key_PageDown) << 0 << "3" << 0;
        QTest::newRow("Down on the newest beeps") << 5 << int(Qt::Key_Down) << 0 << "5" << 1;
        QTest::newRow("Up on the oldest beeps") << 1 << int(Qt::Key_Up) << 0 << "1" << 1;
        QTest::newRow("Ctrl+Up") << 4 << int(Qt::Key_Up) << ctrl << "1" << 0;
        QTest::newRow("Ctrl+Page Up") << 4 << int(Qt::Key_PageUp) << ctrl << "1" << 0;
        QTest::newRow("Ctrl+Down") << 2 << int(Qt::Key_Down) << ctrl << "5" << 0;
        QTest::newRow("Ctrl+Page Down") << 2 << int(Qt::Key_PageDown) << ctrl << "5" << 0;
        QTest::newRow("Ctrl+Shift+Up is previous")
            << 4 << int(Qt::Key_Up) << (ctrl | shift) << "3" << 0;
        QTest::newRow("Ctrl+Shift+Down is next")
            << 2 << int(Qt::Key_Down) << (ctrl | shift) << "3" << 0;
        QTest::newRow("Ctrl+Alt+Up is previous")
            << 4 << int(Qt::Key_Up) << (ctrl | alt) << "3" << 0;
        QTest::newRow("Home") << 3 << int(Qt::Key_Home) << 0 << "1" << 0;
        QTest::newRow("Home on the oldest is quiet") << 1 << int(Qt::Key_Home) << 0 << "1" << 0;
        QTest::newRow("End") << 3 << int(Qt::Key_End) << shift << "5" << 0;
        QTest::newRow("End on the newest is quiet") << 5 << int(Qt::Key_End) << 0 << "5" << 0;
        QTest::newRow("another key does nothing") << 3 << int(Qt::Key_Left) << 0 << "3" << 0;
    }

    void keys() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, hits);
        QFETCH(int, beeps);
        open(5);
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        w_->cmdFirst_Click();
        for (int i = 1; i < start; ++i)
            w_->cmdNext_Click();
        beeps_ = 0;
        this->key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(this->hits(), hits);
        QCOMPARE(beeps_, beeps);
    }

    void keysReachTheFocusedBoxToo() {
        open(5);
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        w_->txtFields[2]->setFocus();
        QVERIFY(w_->txtFields[2]->hasFocus());
        key(Qt::Key_Home);
        QCOMPARE(hits(), QStringLiteral("1"));
        key(Qt::Key_Down); // the box leaves Down alone: it climbs to the window, counted once
        QCOMPARE(hits(), QStringLiteral("2"));
        QCOMPARE(beeps_, 0);
    }

    void escCloses() {
        open(2);
        bool closed = false;
        TestSupport::onModal([&](QWidget* modal) {
            QCOMPARE(modal, w_.get());
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal,
                            Qt::Key_Escape);
            closed = !w_->isVisible();
            if (!closed)
                w_->reject();
        });
        w_->showModal();
        QVERIFY(closed);
        QCOMPARE(hits(), QStringLiteral("2"));
    }

    void aBrokenTableIsReportedNotFatal() {
        file_ = std::make_unique<StatisticsDb>(QStringLiteral("broken"));
        QVERIFY(TestSupport::execOn(file_->path(), "DROP TABLE log"));
        db_ = std::make_unique<Database>();
        QVERIFY(db_->open(file_->path()));
        frmblockdat w(*db_);
        QStringList messages;
        auto closeMessage = [&messages](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            messages << box->text();
            box->accept();
        };
        TestSupport::onModal([&](QWidget* modal) {
            closeMessage(modal);
            TestSupport::onModal(closeMessage);
        });
        w.Form_Load(); // the failed query, then Last on a set that never opened
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages[0].startsWith("Die Ergebnisse können nicht gelesen werden.\n"),
                 qPrintable(messages[0]));
        QVERIFY2(messages[0].contains("log"), qPrintable(messages[0]));
        QCOMPARE(messages[1], messages[0].section('\n', 1));
        TestSupport::onModal(closeMessage);
        w.cmdNext->click();
        QCOMPARE(messages.size(), 3);
        QCOMPARE(w.txtFields[0]->text(), QString());
    }

    void fingerBoxes_data() {
        QTest::addColumn<Row>("row");
        QTest::addColumn<QStringList>("boxes");
        Row r;
        r.zeitpunkt = "2026-12-06 09:05:00";
        r.dateiname = "Eigener Text.txt";
        r.ff = {0, 2, 0, 0, 0, 1, 0, 0, 0, 0};
        QTest::newRow("2 on the left ring finger, 1 on the right thumb")
            << r << QStringList{"2", "0", "2", "0", "0", "0", "1", "0", "0", "0", "0", "1"};
        r.ff = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512}; // leaving out a finger shows in a sum
        QTest::newRow("each finger its own value")
            << r
            << QStringList{"31", "1", "2", "4", "8", "16", "32", "64", "128", "256", "512", "992"};
        const qint64 top = std::numeric_limits<qint64>::max();
        r.ff = {top, top, 0, 0, 0, 1, 0, 0, 0, 1e308};
        QTest::newRow("sums beyond 64 bits") << r
                                             << QStringList{"18446744073709551614",
                                                            "9223372036854775807",
                                                            "9223372036854775807",
                                                            "0",
                                                            "0",
                                                            "0",
                                                            "1",
                                                            "0",
                                                            "0",
                                                            "0",
                                                            "1E+308",
                                                            ""};
    }

    void fingerBoxes() {
        QFETCH(Row, row);
        QFETCH(QStringList, boxes);
        StatisticsDb file(QStringLiteral("fingerrow"));
        QVERIFY(file.add(row));
        Database db;
        QVERIFY(db.open(file.path()));
        frmblockdat w(db);
        w.Form_Load();
        QStringList shown;
        for (QLineEdit* box : w.txtFields)
            shown << box->text();
        QCOMPARE(shown, boxes);
        QCOMPARE(w.Label1->text(), QStringLiteral("6. Dezember 2026   9:05"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Eigener Text.txt"));
    }

    void fingerDesign() {
        StatisticsDb file(QStringLiteral("fingerdesign"));
        QVERIFY(addNumbered(file, 1));
        Database db;
        QVERIFY(db.open(file.path()));
        frmblockdat w(db);
        QCOMPARE(w.windowTitle(), QStringLiteral("Auswertung Fehler der Finger"));
        QCOMPARE(w.size(), QSize(374, 478)); // 5610 x 7170 twips
        const QStringList captions{
            "Linke Hand Summe:", "Kleiner Finger:", "Ringfinger:",     "Mittelfinger:",
            "Zeigefinger:",      "Daumen:",         "Daumen:",         "Zeigefinger:",
            "Mittelfinger:",     "Ringfinger:",     "Kleiner Finger:", "Rechte Hand Summe:"};
        const QRect boxes[12] = {{232, 16, 73, 28},  {92, 73, 113, 19},  {92, 88, 209, 19},
                                 {92, 104, 225, 19}, {92, 120, 201, 19}, {92, 136, 81, 19},
                                 {92, 204, 81, 19},  {92, 224, 201, 19}, {92, 240, 225, 19},
                                 {92, 256, 209, 19}, {92, 272, 113, 19}, {234, 343, 73, 28}};
        const QColor colors[12] = {0xC0C0FF, 0xE0E0E0, 0xFFFFC0, 0xC0FFC0, 0xFFC0FF, 0xC0C0FF,
                                   0xC0C0FF, 0xFFC0FF, 0xC0FFC0, 0xFFFFC0, 0xE0E0E0, 0xC0C0FF};
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(w.lblLabels[i]->text(), captions[i]);
            QCOMPARE(w.txtFields[i]->geometry(), boxes[i]);
            QCOMPARE(w.txtFields[i]->palette().color(QPalette::Base), colors[i]);
            const bool sum = i == 0 || i == 11;
            QCOMPARE(w.txtFields[i]->font().pointSizeF(), sum ? 12.0 : 8.25);
            QVERIFY(w.txtFields[i]->font().bold());
            QCOMPARE(w.lblLabels[i]->font().bold(), sum);
            QVERIFY(w.txtFields[i]->isReadOnly());
        }
        QCOMPARE(w.lblLabels[0]->x(), 48);               // 720 twips
        QCOMPARE(w.lblLabels[11]->x(), 50);              // 750 twips
        QCOMPARE(w.lblLabels[5]->x(), 8);                // 120 twips
        QCOMPARE(w.Line1->geometry().center().y(), 56);  // 840 twips
        QCOMPARE(w.Line2->geometry().center().y(), 328); // 4920 twips
        QCOMPARE(w.picStatBox->geometry(), QRect(32, 378, 323, 40));
        QCOMPARE(w.cmdNext->geometry(), QRect(244, 4, 35, 28));
        // Between cmdPrevious (600 + 525 twips) and cmdNext (3660), not over them.
        QCOMPARE(w.Label1->geometry(), QRect(76, 4, 167, 16));
        QCOMPARE(w.Label2->geometry(), QRect(76, 20, 167, 16));
        for (QWidget* b : {w.cmdFirst, w.cmdPrevious, w.cmdNext, w.cmdLast})
            QCOMPARE(faceColours(b), QSet<QRgb>{0xC0C0FF}); // flat 0xFFC0C0
    }

    void fingerKeys() {
        StatisticsDb file(QStringLiteral("fingerkeys"));
        QVERIFY(addNumbered(file, 3));
        Database db;
        QVERIFY(db.open(file.path()));
        frmblockdat w(db);
        int beeps = 0;
        w.beep = [&beeps] { ++beeps; };
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        QCOMPARE(w.Label1->text(), QStringLiteral("6. Dezember 2026   3:00"));
        QTest::keyClick(target, Qt::Key_Down);
        QCOMPARE(beeps, 1);
        QTest::keyClick(target, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(w.Label1->text(), QStringLiteral("6. Dezember 2026   1:00"));
        QTest::keyClick(target, Qt::Key_Up);
        QCOMPARE(beeps, 2);
        QTest::keyClick(target, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(w.Label1->text(), QStringLiteral("6. Dezember 2026   3:00"));
        QCOMPARE(beeps, 2);
        // Clicks in the middle of each button, delivered to whatever lies there.
        const QList<QPair<QWidget*, QString>> clicks{{w.cmdFirst, "1:00"},
                                                     {w.cmdNext, "2:00"},
                                                     {w.cmdLast, "3:00"},
                                                     {w.cmdPrevious, "2:00"}};
        for (const auto& [button, time] : clicks) {
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {},
                              button->mapTo(&w, button->rect().center()));
            QCOMPARE(w.Label1->text(), "6. Dezember 2026   " + time);
        }
        QCOMPARE(beeps, 2);
    }
};

QUENDAL_TEST(TstBrowsers)
#include "tst_browsers.moc"
