#include "TestMain.h"

#include "typing/TypingTexts.h"

#include <QTest>

// Lesson texts as stored by other programs: every line break becomes CR LF and characters that
// no key types become blanks, so the lesson length counts exactly what is typed.
class TestLessonText : public QObject {
    Q_OBJECT
private slots:
    void typableText_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typable");
        QTest::addColumn<int>("length");
        QTest::newRow("plain") << "ab cd"
                               << "ab cd" << 5;
        QTest::newRow("CR LF stays") << "ab\r\ncd"
                                     << "ab\r\ncd" << 4;
        QTest::newRow("lone CR") << "ab\rcd"
                                 << "ab\r\ncd" << 4;
        QTest::newRow("lone LF") << "ab\ncd"
                                 << "ab\r\ncd" << 4;
        QTest::newRow("CR CR LF: two breaks") << "a\r\r\nb"
                                              << "a\r\n\r\nb" << 2;
        QTest::newRow("LF CR: two breaks") << "a\n\rb"
                                           << "a\r\n\r\nb" << 2;
        QTest::newRow("LF LF") << "a\n\nb"
                               << "a\r\n\r\nb" << 2;
        QTest::newRow("lone CR at the end") << "ab\r"
                                            << "ab\r\n"
                                            << 2;
        QTest::newRow("lone LF at the start") << "\nab"
                                              << "\r\nab" << 2;
        QTest::newRow("only a lone CR") << "\r"
                                        << "\r\n"
                                        << 0;
        QTest::newRow("TAB") << "a\tb"
                             << "a b" << 3;
        QTest::newRow("TAB at a line end") << "a\t\nb"
                                           << "a \r\nb" << 3;
        QTest::newRow("vertical tab, form feed, escape")
            << QString::fromUtf8("a\x0b\x0c\x1b") << "a   " << 4;
        QTest::newRow("NUL") << QString(QChar(0)) + "x"
                             << " x" << 2;
        QTest::newRow("DEL") << QString::fromUtf8("a\x7f") << "a " << 2;
        QTest::newRow("umlauts and euro stay")
            << QString::fromUtf8("äöüß€\r") << QString::fromUtf8("äöüß€\r\n") << 5;
        QTest::newRow("empty") << ""
                               << "" << 0;
    }
    void typableText() {
        QFETCH(QString, stored);
        QFETCH(QString, typable);
        QFETCH(int, length);
        const QString text = typableLessonText(stored);
        QCOMPARE(text, typable);
        QCOMPARE(CountChars(text), length);
        QCOMPARE(typableLessonText(text), text); // taking it again changes nothing
    }
};

QUENDAL_TEST(TestLessonText)
#include "tst_lessontext.moc"
