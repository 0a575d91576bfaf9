#include "TestMain.h"

#include "platform/OleColor.h"
#include "platform/RichTextBox.h"
#include "typing/ExpectedCursor.h"

#include <QTest>

namespace {

// Drives a cursor over a text and records what it shows.
struct Walk {
    explicit Walk(const QString& text, bool keypadStyle = false)
        : cursor(box,
                 ExpectedCursor::Style{
                     keypadStyle ? QStringLiteral("ENTER") : QStringLiteral("RETURN"), keypadStyle},
                 ExpectedCursor::Hooks{[this](const QString& s) { labels << s; },
                                       [this] { ++lineBreaks; }, [this] { ++beeps; },
                                       [this] { ++ends; }}) {
        box.setText(text);
    }
    RichTextBox box;
    ExpectedCursor cursor;
    QStringList labels;
    int lineBreaks = 0;
    int beeps = 0;
    int ends = 0;
};

QString crlf(QString s) {
    return s.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
}

} // namespace

class TestCursor : public QObject {
    Q_OBJECT
private slots:
    void walkThroughText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<int>("lineBreaks");
        // '|' stands for CR LF in these texts.
        QTest::newRow("letters") << "ab" << QStringList{"a", "b", "ENDE"} << 0 << 0;
        QTest::newRow("blank") << "a b" << QStringList{"a", "LEER", "b", "ENDE"} << 0 << 0;
        QTest::newRow("one line break")
            << "ab|cd" << QStringList{"a", "b", "RETURN", "c", "d", "ENDE"} << 1 << 1;
        QTest::newRow("two line breaks in a row")
            << "a||b" << QStringList{"a", "RETURN", "RETURN", "b", "ENDE"} << 2 << 2;
        QTest::newRow("starts with a line break (no beep)")
            << "|ab" << QStringList{"RETURN", "a", "b", "ENDE"} << 0 << 1;
        QTest::newRow("ends with a line break")
            << "ab|" << QStringList{"a", "b", "RETURN", "ENDE"} << 1 << 1;
        QTest::newRow("single character") << "x" << QStringList{"x", "ENDE"} << 0 << 0;
        QTest::newRow("umlaut and euro")
            << QString::fromUtf8("ä€")
            << QStringList{QString::fromUtf8("ä"), QString::fromUtf8("€"), "ENDE"} << 0 << 0;
    }
    void walkThroughText() {
        QFETCH(QString, text);
        QFETCH(QStringList, labels);
        QFETCH(int, beeps);
        QFETCH(int, lineBreaks);
        Walk walk(crlf(text));
        walk.cursor.reset();
        while (walk.ends == 0 && walk.labels.size() < 50)
            walk.cursor.advance();
        QCOMPARE(walk.labels, labels);
        QCOMPARE(walk.beeps, beeps);
        QCOMPARE(walk.lineBreaks, lineBreaks);
        QCOMPARE(walk.ends, 1);
        for (int i = 0; i < walk.box.textLength(); ++i) {
            QCOMPARE(walk.box.colorAt(i), OleColor::Black);
            QVERIFY(!walk.box.emphasisAt(i));
        }
    }

    void marksExactlyTheExpectedCharacter() {
        Walk walk(crlf("ab|c d"));
        walk.cursor.reset();
        QCOMPARE(walk.box.colorAt(0), OleColor::Red);
        QVERIFY(walk.box.emphasisAt(0));
        QCOMPARE(walk.box.colorAt(1), OleColor::Black);
        walk.cursor.advance(); // a typed
        QCOMPARE(walk.box.colorAt(0), OleColor::Black);
        QVERIFY(!walk.box.emphasisAt(0));
        QCOMPARE(walk.box.colorAt(1), OleColor::Red);
        walk.cursor.advance();          // b typed: a line break is expected, nothing is marked
        QCOMPARE(walk.cursor.pos(), 4); // on the LF
        QCOMPARE(walk.box.selLength(), 0);
        QCOMPARE(walk.box.selStart(), 4); // caret at the start of the next line
        for (int i = 0; i < walk.box.textLength(); ++i)
            QCOMPARE(walk.box.colorAt(i), OleColor::Black);
        walk.cursor.advance(); // Enter
        QCOMPARE(walk.cursor.pos(), 5);
        QCOMPARE(walk.box.colorAt(4), OleColor::Red);
        walk.cursor.advance(); // c typed: the blank is marked
        QCOMPARE(walk.labels.last(), QStringLiteral("LEER"));
        QCOMPARE(walk.box.colorAt(5), OleColor::Red);
        QVERIFY(walk.box.emphasisAt(5));
    }

    void keypadStyleBeepsAtTheEnd() {
        Walk walk(crlf("12|3"), true);
        walk.cursor.reset();
        for (int i = 0; i < 4; ++i)
            walk.cursor.advance();
        QCOMPARE(walk.labels, (QStringList{"1", "2", "ENTER", "3", "ENDE"}));
        QCOMPARE(walk.beeps, 2); // the line break and the end
        QCOMPARE(walk.ends, 1);
    }

    void emptyTextShowsNothing() {
        Walk walk{QString()};
        walk.cursor.reset();
        QVERIFY(walk.labels.isEmpty());
        QCOMPARE(walk.cursor.pos(), 1);
    }

    void resetStartsAfreshOverAPartlyTypedText() {
        Walk walk(QStringLiteral("abc"));
        walk.cursor.reset();
        walk.cursor.advance();
        walk.cursor.reset();
        QCOMPARE(walk.cursor.pos(), 1);
        QCOMPARE(walk.box.colorAt(0), OleColor::Red);
        QCOMPARE(walk.box.colorAt(1), OleColor::Black);
    }

    void judgeKeystrokes_data() {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("verdict");
        const int typed = int(Keystroke::LineBreakTyped), missed = int(Keystroke::LineBreakMissed),
                  hit = int(Keystroke::Hit), miss = int(Keystroke::Miss);
        QTest::newRow("Enter at a line break") << "RETURN" << 13 << typed;
        QTest::newRow("letter at a line break") << "RETURN" << int('a') << missed;
        QTest::newRow("blank at a line break") << "RETURN" << 32 << missed;
        QTest::newRow("blank expected") << "LEER" << 32 << hit;
        QTest::newRow("letter where a blank is expected") << "LEER" << int('L') << miss;
        QTest::newRow("same letter") << "f" << int('f') << hit;
        QTest::newRow("upper case where lower is expected") << "f" << int('F') << miss;
        QTest::newRow("lower case where upper is expected") << "F" << int('f') << miss;
        QTest::newRow("umlaut") << QString::fromUtf8("ö") << 0xF6 << hit;
        QTest::newRow("euro") << QString::fromUtf8("€") << 0x20AC << hit;
        QTest::newRow("Enter where a letter is expected") << "a" << 13 << miss;
        QTest::newRow("backspace") << "a" << 8 << miss;
        QTest::newRow("after the end") << "ENDE" << int('E') << miss;
        QTest::newRow("empty lesson") << "" << int('a') << miss;
        QTest::newRow("keypad line break name") << "ENTER" << 13 << miss;
    }
    void judgeKeystrokes() {
        QFETCH(QString, expected);
        QFETCH(int, code);
        QFETCH(int, verdict);
        QCOMPARE(int(judgeKeystroke(expected, code, QStringLiteral("RETURN"))), verdict);
    }
};

QUENDAL_TEST(TestCursor)
#include "tst_cursor.moc"
