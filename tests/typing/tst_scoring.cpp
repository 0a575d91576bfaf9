#include "TestMain.h"

#include "typing/LessonClock.h"
#include "typing/Scoring.h"
#include "typing/TypingTexts.h"

#include <QLocale>
#include <QTest>

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void errorPercentAndItsLabel_data() {
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("hits");
        QTest::addColumn<float>("percent");
        QTest::addColumn<QString>("label");
        QTest::newRow("1 of 3") << 1 << 3 << 33.33f << "33,33";
        QTest::newRow("99 of 100") << 99 << 100 << 99.0f << "99";
        QTest::newRow("100 of 100") << 100 << 100 << 100.0f << "-";
        QTest::newRow("none") << 0 << 5 << 0.0f << "0";
        QTest::newRow("half") << 1 << 2 << 50.0f << "50";
        QTest::newRow("a tie rounds to even, down") << 1 << 800 << 0.12f << "0,12";
        QTest::newRow("a tie rounds to even, up") << 3 << 800 << 0.38f << "0,38";
        QTest::newRow("2 of 3") << 2 << 3 << 66.67f << "66,67";
    }
    void errorPercentAndItsLabel() {
        QFETCH(int, errors);
        QFETCH(int, hits);
        QFETCH(float, percent);
        QFETCH(QString, label);
        LessonCounters counters;
        const FingerZoneArray zones = BuildFingerZones();
        Scoring scoring(counters, zones);
        counters.Fehler = errors;
        counters.Treffer = hits;
        scoring.ShowFehlerProz();
        QCOMPARE(counters.FehlerProz, percent);
        QCOMPARE(scoring.fehlerProzLabel(), label);
    }

    void percentKeepsItsValueWithoutHits() {
        LessonCounters counters;
        const FingerZoneArray zones = BuildFingerZones();
        Scoring scoring(counters, zones);
        scoring.countBad(QStringLiteral("f")); // first key wrong: no hits yet
        QCOMPARE(counters.Fehler, 1);
        QCOMPARE(counters.FehlerProz, 0.0f);
        QCOMPARE(scoring.fehlerProzLabel(), QStringLiteral("0"));
        scoring.countGood(); // 1 error per hit
        QCOMPARE(counters.FehlerProz, 100.0f);
        QCOMPARE(scoring.fehlerProzLabel(), QStringLiteral("-"));
    }

    void errorsAreChargedToFingers_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("finger");
        QTest::newRow("a") << "a" << 1;
        QTest::newRow("double quote") << "\"" << 1;
        QTest::newRow("at sign") << "@" << 1;
        QTest::newRow("section sign") << QString::fromUtf8("§") << 2;
        QTest::newRow("euro") << QString::fromUtf8("€") << 3;
        QTest::newRow("B") << "B" << 4;
        QTest::newRow("z") << "z" << 7;
        QTest::newRow("comma") << "," << 8;
        QTest::newRow("equals") << "=" << 9;
        QTest::newRow("sharp s") << QString::fromUtf8("ß") << 10;
        QTest::newRow("apostrophe") << "'" << 10;
        QTest::newRow("less-than: no finger") << "<" << 0;
        QTest::newRow("RETURN: no finger") << "RETURN" << 0;
        QTest::newRow("ENDE: no finger") << "ENDE" << 0;
        QTest::newRow("empty: no finger") << "" << 0;
    }
    void errorsAreChargedToFingers() {
        QFETCH(QString, key);
        QFETCH(int, finger);
        LessonCounters counters;
        const FingerZoneArray zones = BuildFingerZones();
        Scoring scoring(counters, zones);
        QCOMPARE(scoring.Handpruef(key), finger);
        for (int f = 1; f <= 10; ++f)
            QCOMPARE(int(counters.ff[f]), f == finger ? 1 : 0);
    }

    void blankErrorsAlternateBetweenTheThumbs() {
        LessonCounters counters;
        const FingerZoneArray zones = BuildFingerZones();
        Scoring scoring(counters, zones);
        QCOMPARE(scoring.Handpruef(QStringLiteral("LEER")), 6);
        QCOMPARE(scoring.Handpruef(QStringLiteral("LEER")), 5);
        counters.clear(); // a new lesson: the alternation goes on
        QCOMPARE(scoring.Handpruef(QStringLiteral("LEER")), 6);
        QCOMPARE(int(counters.ff[6]), 1);
        QCOMPARE(int(counters.ff[5]), 0);
    }

    void minutesAndSeconds_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00:00";
        QTest::newRow("59") << 59 << "00:59";
        QTest::newRow("65") << 65 << "01:05";
        QTest::newRow("125") << 125 << "02:05";
        QTest::newRow("3599") << 3599 << "59:59";
        QTest::newRow("6000") << 6000 << "100:00";
    }
    void minutesAndSeconds() {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(FormatMinSec(seconds), text);
    }

    void lessonLength_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::newRow("two lines of two") << "ab\r\ncd" << 4;
        QTest::newRow("blanks count") << "a b" << 3;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("only a line break") << "\r\n" << 0;
        QTest::newRow("two line breaks") << "a\r\n\r\nb" << 2;
        QTest::newRow("umlauts") << QString::fromUtf8("äöü") << 3;
    }
    void lessonLength() {
        QFETCH(QString, text);
        QFETCH(int, length);
        QCOMPARE(CountChars(text), length);
    }

    void summaryAndFingerList() {
        LessonCounters c;
        c.Zeichenanzahl = 250;
        c.Dauer = 95;
        c.Fehler = 12;
        c.Treffer = 240;
        c.FehlerProz = 5;
        c.AnschPerMin = 159;
        const qint16 ff[] = {1, 0, 3, 2, 0, 1, 0, 0, 4, 1};
        for (int f = 1; f <= 10; ++f)
            c.ff[f] = ff[f - 1];
        QCOMPARE(summaryText(c),
                 QString::fromUtf8("MaxZeichen: 250   Übungsdauer: 01:35\r\n"
                                   "Fehler: 12(5 Prozent ) 159 Anschläge/Min\r\n"
                                   "Um ein neue Lektion auszuwählen, drücken Sie ENTER"));
        QCOMPARE(ffstr(c), QStringLiteral("1,0,3,2,0,1,0,0,4,1"));
        c.FehlerProz = 2.5f;
        QVERIFY(summaryText(c).contains(QStringLiteral("Fehler: 12(2,5 Prozent )")));
        c.FehlerProz = 150; // written as a number, unlike the live label
        QVERIFY(summaryText(c).contains(QStringLiteral("(150 Prozent )")));
    }

    void strokesPerMinute_data() {
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<float>("perMinute");
        QTest::newRow("90 hits, 10 errors, 40 s") << 90 << 10 << 40 << 150.0f;
        QTest::newRow("7 strokes, 3 s") << 7 << 0 << 3 << 140.0f;
        QTest::newRow("rounded down") << 1 << 0 << 7 << 8.0f;
        QTest::newRow("an exact half rounded down") << 4 << 1 << 8 << 37.0f;
        QTest::newRow("nothing typed") << 0 << 0 << 5 << 0.0f;
    }
    void strokesPerMinute() {
        QFETCH(int, hits);
        QFETCH(int, errors);
        QFETCH(int, ticks);
        QFETCH(float, perMinute);
        LessonCounters c;
        c.Treffer = hits;
        c.Fehler = errors;
        for (int i = 0; i < ticks; ++i)
            lessonClockTick(c);
        QCOMPARE(c.Dauer, ticks);
        QCOMPARE(c.AnschPerMin, perMinute);
    }
};

QUENDAL_TEST(TestScoring)
#include "tst_scoring.moc"
