// The rules that guard the course, tried on small made-up courses, so that a fault in the
// shipped course cannot slip past a rule that never fires.
#include "CourseText.h"
#include "KeyProgression.h"
#include "KeypadProgression.h"
#include "TestMain.h"

#include <QTest>

namespace {

QString anyFaultContaining(const QStringList& faults, const QString& part) {
    for (const QString& fault : faults)
        if (fault.contains(part))
            return fault;
    return {};
}

} // namespace

class TstCourseRules : public QObject {
    Q_OBJECT

private slots:
    void keyProgression_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("tasten");
        QTest::addColumn<QString>("fault"); // part of the expected fault, empty for none

        QTest::newRow("two keys, blank and Return free")
            << QStringList{QStringLiteral("fj jf\r\njf fj")} << QStringList{QStringLiteral("f|j")}
            << QString();
        QTest::newRow("three new keys")
            << QStringList{QStringLiteral("fjd")} << QStringList{QStringLiteral("f|j|d")}
            << QStringLiteral("too many new keys");
        QTest::newRow("new key not previewed")
            << QStringList{QStringLiteral("fj"), QStringLiteral("fjd")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("f")}
            << QStringLiteral("new key d is missing from tasten");
        QTest::newRow("later lessons reuse known keys")
            << QStringList{QStringLiteral("fj"), QStringLiteral("dk"), QStringLiteral("fdjk kjdf")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("d|k"), QStringLiteral("f|d|j|k")}
            << QString();
        QTest::newRow("capital before Shift")
            << QStringList{QStringLiteral("fj"), QStringLiteral("Fj")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("f")}
            << QStringLiteral("new key SHIFTR is missing");
        QTest::newRow("capital of the right hand with the left Shift")
            << QStringList{QStringLiteral("fj"), QStringLiteral("J j")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("SHIFTL")} << QString();
        QTest::newRow("capital of the left hand with the left Shift")
            << QStringList{QStringLiteral("fj"), QStringLiteral("F f")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("SHIFTL")}
            << QStringLiteral("\"SHIFTL\" is a key the text does not type");
        QTest::newRow("Shift together with a letter")
            << QStringList{QStringLiteral("fj"), QStringLiteral("Jd")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("SHIFTL|d")}
            << QStringLiteral("too many new keys");
        QTest::newRow("sign above a digit")
            << QStringList{QStringLiteral("fj"), QStringLiteral("1"), QStringLiteral("1!")}
            << QStringList{QStringLiteral("f|j"), QStringLiteral("1"), QStringLiteral("SHIFTR")}
            << QString();
        QTest::newRow("AltGr sign without AltGr")
            << QStringList{QStringLiteral("eq"), QStringLiteral("q@")}
            << QStringList{QStringLiteral("e|q"), QStringLiteral("@")}
            << QStringLiteral("new key ALTGR is missing");
        QTest::newRow("AltGr alone")
            << QStringList{QStringLiteral("eq"), QStringLiteral("@ \u20ac")}
            << QStringList{QStringLiteral("e|q"), QStringLiteral("ALTGR|@|\u20ac")} << QString();
        QTest::newRow("greater-than with the right Shift")
            << QStringList{QStringLiteral("<"), QStringLiteral("> <")}
            << QStringList{QStringLiteral("<"), QStringLiteral("SHIFTR")} << QString();
        QTest::newRow("greater-than with the left Shift")
            << QStringList{QStringLiteral("<"), QStringLiteral("> <")}
            << QStringList{QStringLiteral("<"), QStringLiteral("SHIFTL")}
            << QStringLiteral("new key SHIFTR is missing");
        QTest::newRow("item that names no key")
            << QStringList{QStringLiteral("fj")} << QStringList{QStringLiteral("f|j|HOPP")}
            << QStringLiteral("names no key");
        QTest::newRow("item the text does not type")
            << QStringList{QStringLiteral("fj")} << QStringList{QStringLiteral("f|j|LEER")}
            << QStringLiteral("does not type");
        QTest::newRow("character on no key")
            << QStringList{QStringLiteral("f{j")} << QStringList{QStringLiteral("f|j")}
            << QStringLiteral("is on no key");
        QTest::newRow("lone line feed")
            << QStringList{QStringLiteral("fj\nfj")} << QStringList{QStringLiteral("f|j")}
            << QStringLiteral("is on no key");
    }

    void keyProgression() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, tasten);
        QFETCH(QString, fault);
        KeyProgression progression;
        QStringList faults;
        for (int i = 0; i < texts.size(); ++i)
            faults << progression.admit(QStringLiteral("lesson %1").arg(i + 1), texts[i],
                                        tasten[i]);
        if (fault.isEmpty())
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        else
            QVERIFY2(!anyFaultContaining(faults, fault).isEmpty(),
                     qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void keyProgressionNamesTheNewKeys() {
        KeyProgression progression;
        QVERIFY(progression
                    .admit(QStringLiteral("1"), QStringLiteral("ff jj"), QStringLiteral("f|j|LEER"))
                    .isEmpty());
        const QList<int> expected{progression.keyOf(QStringLiteral("f")),
                                  progression.keyOf(QStringLiteral("j"))};
        QCOMPARE(progression.lastNewKeys(), expected);
        QVERIFY(
            progression.admit(QStringLiteral("2"), QStringLiteral("J"), QStringLiteral("SHIFTL"))
                .isEmpty());
        QCOMPARE(progression.lastNewKeys(),
                 QList<int>{progression.keyOf(QStringLiteral("SHIFTL"))});
        QVERIFY(!progression.isKnown(progression.keyOf(QStringLiteral("SHIFTR"))));
    }

    void lessonShape_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        const QString four = QStringLiteral("fj fj\r\njf jf\r\nff jj\r\njj ff");
        QTest::newRow("four good lines") << four << QString();
        QTest::newRow("three lines")
            << QStringLiteral("fj\r\nfj\r\nfj") << QStringLiteral("3 lines");
        QTest::newRow("eleven lines")
            << QStringList(11, QStringLiteral("fj")).join(QStringLiteral("\r\n"))
            << QStringLiteral("11 lines");
        QTest::newRow("line of 51") << four + QStringLiteral("\r\n") + QString(51, QLatin1Char('f'))
                                    << QStringLiteral("51 characters");
        QTest::newRow("line of 50")
            << four + QStringLiteral("\r\n") + QString(50, QLatin1Char('f')) << QString();
        QTest::newRow("leading blank")
            << QStringLiteral(" ") + four << QStringLiteral("blank at an end");
        QTest::newRow("trailing blank")
            << four + QStringLiteral(" ") << QStringLiteral("blank at an end");
        QTest::newRow("two blanks")
            << QStringLiteral("fj  fj\r\n") + four << QStringLiteral("two blanks in a row");
        QTest::newRow("empty line") << four + QStringLiteral("\r\n") << QStringLiteral("empty");
        QTest::newRow("lone carriage return")
            << QStringLiteral("fj\rfj\r\n") + four << QStringLiteral("not a CR LF pair");
        QTest::newRow("curly brace")
            << QStringLiteral("f{j\r\n") + four << QStringLiteral("on no key");
        QTest::newRow("tab") << QStringLiteral("f\tj\r\n") + four << QStringLiteral("on no key");
    }

    void lessonShape() {
        QFETCH(QString, text);
        QFETCH(QString, fault);
        const QString typeable = typeableCharacters(BuildKeyTable()) + QLatin1Char(' ');
        const QStringList faults =
            CourseText::lessonFaults(QStringLiteral("lesson"), text, typeable);
        if (fault.isEmpty())
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        else
            QVERIFY2(!anyFaultContaining(faults, fault).isEmpty(),
                     qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void sentenceCount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sentences");
        QTest::newRow("none") << QStringLiteral("Kein Ende") << 0;
        QTest::newRow("one") << QStringLiteral("Ein Satz.") << 1;
        QTest::newRow("two") << QStringLiteral("Eins. Zwei!") << 2;
        QTest::newRow("question") << QStringLiteral("Wie? So.") << 2;
        QTest::newRow("decimal point") << QStringLiteral("Es sind 3.5 Meter.") << 1;
    }

    void sentenceCount() {
        QFETCH(QString, text);
        QFETCH(int, sentences);
        QCOMPARE(CourseText::sentenceCount(text), sentences);
    }

    void keypadProgression_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("fault");
        QTest::newRow("home keys, then a row at a time")
            << QStringList{QStringLiteral("456\r\n654"), QStringLiteral("789\r\n456"),
                           QStringLiteral("0,5+4\r\n6")}
            << QString();
        QTest::newRow("first lesson leaves the home keys")
            << QStringList{QStringLiteral("4567")} << QStringLiteral("home keys");
        QTest::newRow("four new keys") << QStringList{QStringLiteral("456"), QStringLiteral("7890")}
                                       << QStringLiteral("4 new keys");
        QTest::newRow("letter") << QStringList{QStringLiteral("45a6")}
                                << QStringLiteral("not on the keypad");
        QTest::newRow("blank") << QStringList{QStringLiteral("45 6")}
                               << QStringLiteral("not on the keypad");
        QTest::newRow("empty line")
            << QStringList{QStringLiteral("456\r\n\r\n654")} << QStringLiteral("empty line");
        QTest::newRow("lone line feed")
            << QStringList{QStringLiteral("456\n654")} << QStringLiteral("not on the keypad");
    }

    void keypadProgression() {
        QFETCH(QStringList, texts);
        QFETCH(QString, fault);
        KeypadProgression progression;
        QStringList faults;
        for (int i = 0; i < texts.size(); ++i)
            faults << progression.admit(QStringLiteral("keypad %1").arg(i + 1), texts[i]);
        if (fault.isEmpty())
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        else
            QVERIFY2(!anyFaultContaining(faults, fault).isEmpty(),
                     qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

#include "tst_courserules.moc"
QUENDAL_TEST(TstCourseRules)
