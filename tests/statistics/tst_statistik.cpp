#include "StatisticsDb.h"
#include "TestMain.h"

#include "platform/Database.h"
#include "settings/Settings.h"
#include "statistics/BarChart.h"
#include "statistics/chart.h"
#include "statistics/chart1.h"
#include "statistics/frmStatistik.h"
#include "statistics/frmblockchart.h"

#include <QCategoryAxis>
#include <QFrame>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QValueAxis>
#include <algorithm>
#include <limits>

using Row = StatisticsDb::Row;

class TstStatistik : public QObject {
    Q_OBJECT

private:
    Settings settings_;

    static Row row(const QString& when, qint64 treffer, int fehler, int dauer,
                   const QString& title = QStringLiteral("Lektion 1")) {
        Row r;
        r.zeitpunkt = when;
        r.treffer = treffer;
        r.fehler = fehler;
        r.dauer = dauer;
        r.dateiname = title;
        return r;
    }

    // Where a chart draws texts that begin with text, and whether it cuts any text short.
    static QList<QRectF> drawn(BarChart* chart, const QString& text, bool* cut) {
        QList<QRectF> rects;
        *cut = false;
        for (QGraphicsItem* item : chart->scene()->items()) {
            auto* t = dynamic_cast<QGraphicsTextItem*>(item);
            if (!t || !t->isVisible())
                continue;
            *cut = *cut || t->toPlainText().endsWith(QLatin1String("..."));
            if (t->toPlainText().startsWith(text))
                rects << t->sceneBoundingRect();
        }
        return rects;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void hubFigures_data() {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("figures"); // Label12, 14, 15, 4, 6, 13
        Row fingers = row("2026-12-06 14:05:09", 120, 5, 60);
        fingers.ff = {3, 0, 1, 0, 0, 0, 0, 2, 0, 4};
        fingers.zeichen = 250;
        QTest::newRow("120 hits, 5 errors, 60 s")
            << QList<Row>{fingers} << QStringList{"1", "125", "250", "4", "6", "10"};
        QTest::newRow("100 hits, 1 error, 57 s")
            << QList<Row>{row("2026-12-06 14:05:09", 100, 1, 57)}
            << QStringList{"1", "106,3", "100", "0", "0", "0"};
        QTest::newRow("a row of 0 s is left out of the average")
            << QList<Row>{row("2026-12-06 14:05:09", 120, 5, 60),
                          row("2026-12-06 14:06:00", 3, 0, 0)}
            << QStringList{"2", "125", "200", "0", "0", "0"};
        QTest::newRow("only rows of 0 s") << QList<Row>{row("2026-12-06 14:05:09", 3, 0, 0)}
                                          << QStringList{"1", "", "100", "0", "0", "0"};
        Row many = row("2026-12-06 14:05:09", 119, 0, 60);
        many.zeichen = 123456;
        QTest::newRow("no digit grouping, mean of the rows' speeds")
            << QList<Row>{many, row("2026-12-06 15:00:00", 100, 1, 57)}
            << QStringList{"2", "112,7", "123556", "0", "0", "0"};
        // Every finger its own power of two: a sum that leaves out a finger or takes one twice
        // shows. 401 strokes in 240 s are exactly 100.25 per minute, a half in single precision.
        Row own = row("2026-12-06 14:05:09", 401, 0, 240);
        own.ff = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512};
        QTest::newRow("each finger its own value, a half to the even digit")
            << QList<Row>{own} << QStringList{"1", "100,2", "100", "31", "992", "1023"};
        QTest::newRow("100.75 to the even digit")
            << QList<Row>{row("2026-12-06 14:05:09", 403, 0, 240)}
            << QStringList{"1", "100,8", "100", "0", "0", "0"};
        Row top = row("2026-12-06 14:05:09", 100, 0, 60);
        top.ff = own.ff;
        Row top2 = top;
        top.ff[0] = top2.ff[0] = top2.ff[5] = std::numeric_limits<qint64>::max();
        top.zeichen = top2.zeichen = std::numeric_limits<qint64>::max();
        QTest::newRow("sums beyond 64 bits stay exact") << QList<Row>{top, top2}
                                                        << QStringList{"2",
                                                                       "100",
                                                                       "18446744073709551614",
                                                                       "18446744073709551674",
                                                                       "9223372036854777759",
                                                                       "27670116110564329433"};
        Row real = row("2026-12-06 14:05:09", 100, 0, 60);
        real.ff[1] = 1e308; // twice: the sum overflows to infinity
        QTest::newRow("a sum that is no whole number shows empty")
            << QList<Row>{real, real} << QStringList{"2", "100", "200", "", "0", ""};
    }

    void hubFigures() {
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, figures);
        StatisticsDb file(QStringLiteral("hub"));
        for (const Row& r : rows)
            QVERIFY(file.add(r));
        Database db;
        QVERIFY(db.open(file.path()));
        frmStatistik hub(db, settings_);
        hub.Form_Load();
        const QStringList shown{hub.Label12->text(), hub.Label14->text(), hub.Label15->text(),
                                hub.Label4->text(),  hub.Label6->text(),  hub.Label13->text()};
        QCOMPARE(shown, figures);
        QVERIFY(hub.Frame3->isEnabled());
    }

    void hubDesign() {
        StatisticsDb file(QStringLiteral("design"));
        Database db;
        QVERIFY(db.open(file.path()));
        frmStatistik hub(db, settings_);
        QCOMPARE(hub.windowTitle(), QStringLiteral("Statistik"));
        QCOMPARE(hub.size(), QSize(553, 445)); // 8295 x 6675 twips
        QVERIFY(!(hub.windowFlags() & Qt::WindowMinMaxButtonsHint));
        const QList<QPair<QPushButton*, QString>> buttons{
            {hub.Command4, "Chart 1"}, {hub.Command2, "Chart 2"}, {hub.Command5, "Liste 1"},
            {hub.Command6, "Liste 2"}, {hub.Command7, "Chart 3"}, {hub.Command1, "Schließen"}};
        for (const auto& [button, caption] : buttons)
            QCOMPARE(button->text(), caption);
        // Flat faces: the chart buttons 0xC0FFFF, the list buttons 0xFFC0C0 (0x00BBGGRR).
        for (QPushButton* b : {hub.Command4, hub.Command2, hub.Command7})
            QCOMPARE(faceColours(b), QSet<QRgb>{0xFFFFC0});
        for (QPushButton* b : {hub.Command5, hub.Command6})
            QCOMPARE(faceColours(b), QSet<QRgb>{0xC0C0FF});
        QCOMPARE(hub.Command7->toolTip(), QStringLiteral("Grafik"));
        QCOMPARE(hub.Command6->toolTip(), QStringLiteral("Liste"));
        QCOMPARE(hub.Command1->toolTip(), QStringLiteral("Zurück in den Schreibmodus"));
        QVERIFY(hub.Command1->isDefault());
        QVERIFY(hub.Label12->font().bold());
        QVERIFY(hub.Label12->alignment() & Qt::AlignHCenter);
        QVERIFY(!hub.Frame3->isAncestorOf(hub.Command1));
        const QStringList sentences{"Insgesamt wurde",
                                    "mal geübt.",
                                    "Im Durchschnitt haben Sie mit",
                                    "Anschlägen/Min. geschrieben.",
                                    "Die Übungen im Einzelnen und Druckausgabe",
                                    "Bisher waren",
                                    "Zeichen zu tippen.",
                                    "Fehler",
                                    "Linke Hand:",
                                    "Rechte  Hand:",
                                    "Summe:",
                                    "Finger-Fehler-Auswertung Gesamt",
                                    "Finger-Fehler-Auswertung pro Übung"};
        QStringList texts;
        for (QLabel* l : hub.findChildren<QLabel*>())
            texts << l->text();
        for (const QString& s : sentences)
            QVERIFY2(texts.contains(s), qPrintable(s));
    }

    void emptyLogSaysSoAndOpensNothing() {
        StatisticsDb file(QStringLiteral("empty"));
        Database db;
        QVERIFY(db.open(file.path()));
        frmStatistik hub(db, settings_);
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool hubShownBefore = true;
        TestSupport::onModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            hubShownBefore = hub.isVisible();
            box->accept();
        });
        int viewsOpened = 0;
        TestSupport::onModal([&](QWidget* modal) {
            QCOMPARE(modal, &hub);
            // Every view button stays dead; Esc closes the hub.
            for (QPushButton* b :
                 {hub.Command4, hub.Command2, hub.Command5, hub.Command6, hub.Command7}) {
                QTest::mouseClick(b, Qt::LeftButton);
                viewsOpened += QApplication::activeModalWidget() != &hub;
            }
            QVERIFY(hub.Command1->isEnabled());
            QTest::keyClick(&hub, Qt::Key_Escape);
        });
        hub.showModal();
        QCOMPARE(text, QStringLiteral("Es sind leider noch keine Daten abrufbar"));
        QCOMPARE(title, QStringLiteral("Statistik"));
        QCOMPARE(icon, QMessageBox::Warning);
        QVERIFY(!hubShownBefore);
        QVERIFY(!hub.Frame3->isEnabled());
        QCOMPARE(viewsOpened, 0);
        QCOMPARE(hub.Label12->text(), QString());
        QVERIFY(!hub.isVisible());
    }

    void hubOpensEachView_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("view");
        QTest::newRow("Chart 1") << "Command4"
                                 << "chart1";
        QTest::newRow("Chart 2") << "Command2"
                                 << "chart";
        QTest::newRow("Liste 1") << "Command5"
                                 << "frmdaten";
        QTest::newRow("Liste 2") << "Command6"
                                 << "frmblockdat";
        QTest::newRow("Chart 3") << "Command7"
                                 << "frmblockchart";
    }

    void hubOpensEachView() {
        QFETCH(QString, button);
        QFETCH(QString, view);
        StatisticsDb file(QStringLiteral("views"));
        QVERIFY(file.addSeries(3));
        Database db;
        QVERIFY(db.open(file.path()));
        frmStatistik hub(db, settings_);
        QString opened;
        bool hubWaits = false;
        TestSupport::onModal([&](QWidget*) {
            TestSupport::onModal([&](QWidget* modal) {
                opened = modal->objectName();
                QTest::keyClick(modal, Qt::Key_Escape);
                TestSupport::onModal([&](QWidget* again) {
                    hubWaits = again == &hub;
                    hub.reject();
                });
            });
            hub.findChild<QPushButton*>(button)->click();
        });
        hub.showModal();
        QCOMPARE(opened, view);
        QVERIFY(hubWaits);
    }

    void chart1CountsPerTitle() {
        StatisticsDb file(QStringLiteral("chart1"));
        QVERIFY(file.add(row("2026-12-06 10:00:00", 1, 0, 60, "A")));
        QVERIFY(file.add(row("2026-12-06 10:01:00", 1, 0, 60, "B")));
        QVERIFY(file.add(row("2026-12-06 10:02:00", 1, 0, 60, "A")));
        // Titles are data: markup shows as typed, and a long one is cut.
        const QString markup = "<b>fett</b> <font color=red>rot</font>";
        QVERIFY(file.add(row("2026-12-06 10:03:00", 1, 0, 60, markup)));
        QVERIFY(file.add(row("2026-12-06 10:04:00", 1, 0, 60, QString(40000, 'x'))));
        Database db;
        QVERIFY(db.open(file.path()));
        chart1 w(db);
        w.Form_Load();
        QCOMPARE(w.windowTitle(), QStringLiteral("Auswertung Anzahl Trainingseinheiten"));
        QCOMPARE(w.size(), QSize(741, 302)); // 11115 x 4530 twips
        QCOMPARE(w.MSChart1->labels(),
                 (QStringList{markup, "A", "B", QString(49, 'x') + QString::fromUtf8("…")}));
        QCOMPARE(w.MSChart1->values(), (std::vector<double>{1, 2, 1, 1}));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        bool cut = false;
        QCOMPARE(drawn(w.MSChart1, "<b>fett</b>", &cut).size(), 1);
        QCOMPARE(w.MSChart1->categoryAxis()->titleText(), QStringLiteral("Lektion"));
        QCOMPARE(w.MSChart1->valueAxis()->titleText(), QStringLiteral("Anzahl"));
        QVERIFY(w.cmdClose->isDefault());
    }

    void chart2SliderChoosesTheLatest_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("first"); // strokes per minute of the oldest shown
        QTest::addColumn<int>("count");
        QTest::newRow("10 at the start") << 25 << 10 << 115 << 10;
        QTest::newRow("20") << 25 << 20 << 105 << 20;
        QTest::newRow("30 shows all 25") << 25 << 30 << 100 << 25;
        QTest::newRow("30 of 30") << 30 << 30 << 100 << 30;
    }

    void chart2SliderChoosesTheLatest() {
        QFETCH(int, stored);
        QFETCH(int, slider);
        QFETCH(int, first);
        QFETCH(int, count);
        StatisticsDb file(QStringLiteral("chart2"));
        QVERIFY(file.addSeries(stored)); // speeds 100, 101, ..., oldest first
        Database db;
        QVERIFY(db.open(file.path()));
        chart w(db);
        w.Form_Load();
        QCOMPARE(w.Slider1->value(), 10);
        w.Slider1->setValue(slider);
        const std::vector<double> values = w.MSChart1->values();
        QCOMPARE(int(values.size()), count);
        QCOMPARE(values.front(), double(first));
        QCOMPARE(values.back(), 99.0 + stored);
        // Results of one day keep a bar each, all labelled with the day.
        QCOMPARE(w.MSChart1->labels(), QStringList(count, QStringLiteral("6.12.26")));
        // Drawn whole, side by side, under every bar or at least every second one.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        bool cut = true;
        QList<QRectF> labels = drawn(w.MSChart1, "6.12.26", &cut);
        QVERIFY(!cut);
        QVERIFY2(labels.size() >= (count + 1) / 2, qPrintable(QString::number(labels.size())));
        std::sort(labels.begin(), labels.end(),
                  [](const QRectF& a, const QRectF& b) { return a.x() < b.x(); });
        for (int i = 1; i < labels.size(); ++i)
            QVERIFY(!labels[i].intersects(labels[i - 1]));
    }

    void chart2Design() {
        StatisticsDb file(QStringLiteral("chart2design"));
        QVERIFY(file.addSeries(1));
        Database db;
        QVERIFY(db.open(file.path()));
        chart w(db);
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Auswertung  Anschläge/Min.   ( Durchschnittswerte )"));
        QCOMPARE(w.size(), QSize(648, 289)); // 9720 x 4335 twips
        QCOMPARE(w.MSChart1->size(), QSize(645, 257));
        QCOMPARE(w.MSChart1->categoryAxis()->titleText(), QStringLiteral("Übungstag"));
        QCOMPARE(w.MSChart1->valueAxis()->titleText(), QStringLiteral("Anschläge/Minute"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Top 10 - 30"));
        QCOMPARE(w.Slider1->minimum(), 10);
        QCOMPARE(w.Slider1->maximum(), 30);
        QCOMPARE(w.Slider1->singleStep(), 1);
        QCOMPARE(w.Slider1->pageStep(), 5);
        QCOMPARE(w.Slider1->tickInterval(), 10);
        QCOMPARE(w.Slider1->geometry(), QRect(84, 258, 457, 28)); // 1260, 3870, 6855 x 420 twips
        // Wholly inside, tall enough for the tick marks the style draws at its bottom.
        QVERIFY(w.rect().contains(w.Slider1->geometry()));
        QVERIFY(w.Slider1->height() >= w.Slider1->sizeHint().height());
        QVERIFY(w.Command1->isDefault());
    }

    void chart2Keys() {
        StatisticsDb file(QStringLiteral("chart2keys"));
        QVERIFY(file.addSeries(25));
        Database db;
        QVERIFY(db.open(file.path()));
        chart w(db);
        w.Form_Load();
        QTest::keyClick(w.Slider1, Qt::Key_Right);
        QCOMPARE(int(w.MSChart1->values().size()), 11);
        QTest::keyClick(w.Slider1, Qt::Key_PageUp);
        QCOMPARE(int(w.MSChart1->values().size()), 16);
    }

    void chart2Values_data() {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("fraction cut, not rounded, also an exact half")
            << QList<Row>{row("2026-12-06 10:00:00", 100, 1, 57),
                          row("2026-12-07 10:00:00", 119, 0, 60),
                          row("2026-12-08 10:00:00", 203, 0, 120)}
            << std::vector<double>{106, 119, 101} << QStringList{"6.12.26", "7.12.26", "8.12.26"};
        QTest::newRow("0 s draws no bar") << QList<Row>{row("2026-01-09 10:00:00", 5, 0, 0)}
                                          << std::vector<double>{0} << QStringList{"9.01.26"};
        QTest::newRow("strokes beyond an exact figure draw no bar")
            << QList<Row>{row("2026-01-09 10:00:00", std::numeric_limits<qint64>::max(), 1, 60),
                          row("2026-01-10 10:00:00", 119, 0, 60)}
            << std::vector<double>{0, 119} << QStringList{"9.01.26", "10.01.26"};
        // The 10th to 12th latest share one time stamp: all of them stay in. Rows of one time
        // stamp come in the order they were stored, as do the two latest.
        QList<Row> ties;
        for (int i = 0; i < 9; ++i)
            ties << row(QStringLiteral("2026-12-06 10:%1:00").arg(10 + std::min(i, 7)), 100 + i, 0,
                        60);
        for (int i = 0; i < 3; ++i)
            ties << row("2026-12-06 09:00:00", 90 + i, 0, 60);
        ties << row("2026-12-06 08:00:00", 80, 0, 60);
        QTest::newRow("ties with the 10th time stamp are kept")
            << ties << std::vector<double>{90, 91, 92, 100, 101, 102, 103, 104, 105, 106, 107, 108}
            << QStringList(12, QStringLiteral("6.12.26"));
    }

    void chart2Values() {
        QFETCH(QList<Row>, rows);
        QFETCH(std::vector<double>, values);
        QFETCH(QStringList, labels);
        StatisticsDb file(QStringLiteral("chart2values"));
        for (const Row& r : rows)
            QVERIFY(file.add(r));
        Database db;
        QVERIFY(db.open(file.path()));
        chart w(db);
        w.Form_Load();
        QCOMPARE(w.MSChart1->values(), values);
        QCOMPARE(w.MSChart1->labels(), labels);
    }

    void fingerChart_data() {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<std::vector<double>>("values");
        Row one = row("2026-12-06 10:00:00", 1, 0, 60);
        one.ff = {3, 0, 1, 0, 0, 0, 0, 2, 0, 4};
        Row ones = row("2026-12-06 11:00:00", 1, 0, 60);
        ones.ff = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("one result")
            << QList<Row>{one} << std::vector<double>{4, 3, 0, 1, 0, 0, 0, 0, 2, 0, 4, 6};
        QTest::newRow("a second with all ones")
            << QList<Row>{one, ones} << std::vector<double>{9, 4, 1, 2, 1, 1, 1, 1, 3, 1, 5, 11};
        Row own = one; // a sum that leaves out a finger or takes one twice shows
        own.ff = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512};
        QTest::newRow("each finger its own value")
            << QList<Row>{own}
            << std::vector<double>{31, 1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 992};
        Row top = own;
        top.ff[0] = std::numeric_limits<qint64>::max();
        QTest::newRow("sums beyond 64 bits")
            << QList<Row>{top, top}
            << std::vector<double>{0x1p64, 0x1p64, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 1984};
        Row real = one;
        real.ff[1] = 1e308; // twice: the sum overflows to infinity
        QTest::newRow("a sum that is no whole number draws no bar")
            << QList<Row>{real, real} << std::vector<double>{0, 6, 0, 2, 0, 0, 0, 0, 4, 0, 8, 12};
    }

    void fingerChart() {
        QFETCH(QList<Row>, rows);
        QFETCH(std::vector<double>, values);
        StatisticsDb file(QStringLiteral("fingers"));
        for (const Row& r : rows)
            QVERIFY(file.add(r));
        Database db;
        QVERIFY(db.open(file.path()));
        frmblockchart w(db);
        w.Form_Load();
        QCOMPARE(w.MSChart1->categoryAxis()->count(), 12);
        QCOMPARE(w.MSChart1->labels(),
                 (QStringList{"Summe", "Klein", "Ring", "Mittel", "Zeige", "Daumen", "Daumen",
                              "Zeige", "Mittel", "Ring", "Klein", "Summe"}));
        QCOMPARE(w.MSChart1->values(), values);
    }

    void fingerChartDesign() {
        StatisticsDb file(QStringLiteral("fingerdesign"));
        Database db;
        QVERIFY(db.open(file.path()));
        frmblockchart w(db);
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Grafische Auswertung: Fehler der einzelnen Finger"));
        QCOMPARE(w.size(), QSize(772, 444)); // 11580 x 6660 twips
        QString title = w.MSChart1->categoryAxis()->titleText();
        QCOMPARE(title.size(), 63);
        title.replace(QChar(0xA0), QLatin1Char(' ')); // blanks that the rich text keeps
        QCOMPARE(title,
                 QStringLiteral("Linke Hand                                          Rechte Hand"));
        QCOMPARE(w.MSChart1->valueAxis()->titleText(), QStringLiteral("Fehleranzahl"));
        QCOMPARE(w.cmdClose->geometry(), QRect(692, 412, 72, 24));
        // An empty log: twelve zeros.
        w.Form_Load();
        QCOMPARE(w.MSChart1->values(), std::vector<double>(12, 0.0));
    }
};

QUENDAL_TEST(TstStatistik)
#include "tst_statistik.moc"
