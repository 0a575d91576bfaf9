#include "TestMain.h"

#include "keyboard/KeyTable.h"

#include <QSet>
#include <QTest>

class TstKeyTable : public QObject {
    Q_OBJECT

private:
    const KeyTableArray table_ = BuildKeyTable();
    const FingerZoneArray zones_ = BuildFingerZones();

private slots:
    void hasSixtyTwoNamedKeys() {
        QCOMPARE(int(table_.size()), 62);
        for (int i = 0; i < KeyCount; ++i)
            QVERIFY2(!table_[i].Names.isEmpty(), qPrintable(QString::number(i)));
    }

    void codesAreDistinctButTheTwoShifts() {
        QList<int> shifts;
        QSet<int> codes;
        for (int i = 0; i < KeyCount; ++i) {
            const int code = table_[i].KeyCode;
            if (code == 16) {
                shifts << i;
                continue;
            }
            QVERIFY2(!codes.contains(code), qPrintable(QStringLiteral("code %1 twice").arg(code)));
            codes.insert(code);
        }
        QCOMPARE(shifts, (QList<int>{9, 10}));
        QCOMPARE(codes.size(), 60);
    }

    void returnKeyIsIndex53() {
        QCOMPARE(ReturnKeyIndex, 53);
        QCOMPARE(int(table_[ReturnKeyIndex].KeyCode), 13);
        QCOMPARE(table_[ReturnKeyIndex].Names, QStringLiteral("RETURN"));
    }

    void rows_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("names");

        QTest::newRow("f") << 0 << 70 << QStringLiteral("f|F");
        QTest::newRow("j") << 1 << 74 << QStringLiteral("j|J");
        QTest::newRow("space") << 2 << 32 << QStringLiteral("LEER");
        QTest::newRow("a") << 8 << 65 << QStringLiteral("a|A");
        QTest::newRow("left Shift") << 9 << 16 << QStringLiteral("SHIFTL");
        QTest::newRow("right Shift") << 10 << 16 << QStringLiteral("SHIFTR");
        QTest::newRow("oe") << 12 << 192 << QStringLiteral("\u00f6|\u00d6");
        QTest::newRow("Caps") << 13 << 20 << QStringLiteral("CAPS");
        QTest::newRow("ae") << 14 << 222 << QStringLiteral("\u00e4|\u00c4");
        QTest::newRow("z") << 15 << 90 << QStringLiteral("z|Z");
        QTest::newRow("less") << 16 << 226 << QStringLiteral("<|>");
        QTest::newRow("Alt") << 17 << 18 << QStringLiteral("ALT");
        QTest::newRow("AltGr") << 18 << 13261 << QStringLiteral("ALTGR");
        QTest::newRow("q") << 19 << 81 << QStringLiteral("q|Q|@");
        QTest::newRow("e") << 21 << 69 << QStringLiteral("e|E|\u20ac");
        QTest::newRow("y") << 24 << 89 << QStringLiteral("y|Y");
        QTest::newRow("ue") << 29 << 186 << QStringLiteral("\u00fc|\u00dc");
        QTest::newRow("plus") << 30 << 187 << QStringLiteral("+|*");
        QTest::newRow("comma") << 37 << 188 << QStringLiteral(",|;");
        QTest::newRow("minus") << 39 << 189 << QStringLiteral("-|_");
        QTest::newRow("Strg") << 40 << 17 << QStringLiteral("STRG");
        QTest::newRow("2") << 42 << 50 << QStringLiteral("2|\"");
        QTest::newRow("3") << 43 << 51 << QStringLiteral("3|\u00a7");
        QTest::newRow("0") << 50 << 48 << QStringLiteral("0|=");
        QTest::newRow("sz") << 51 << 219 << QStringLiteral("\u00df|?");
        QTest::newRow("accent") << 52 << 221 << QStringLiteral("BACKTICK");
        QTest::newRow("Ins") << 54 << 45 << QStringLiteral("INS");
        QTest::newRow("Del") << 55 << 46 << QStringLiteral("DEL");
        QTest::newRow("F2") << 56 << 113 << QStringLiteral("F2");
        QTest::newRow("F4") << 58 << 115 << QStringLiteral("F4");
        QTest::newRow("F1") << 59 << 999 << QStringLiteral("F1");
        QTest::newRow("Back") << 60 << 8 << QStringLiteral("BACK");
        QTest::newRow("hash") << 61 << 191 << QStringLiteral("#|'");
    }

    void rows() {
        QFETCH(int, index);
        QFETCH(int, code);
        QFETCH(QString, names);
        QCOMPARE(int(table_[index].KeyCode), code);
        QCOMPARE(table_[index].Names, names);
    }

    void zones_data() {
        QTest::addColumn<int>("finger");
        QTest::addColumn<QString>("zone");

        QTest::newRow("1") << 1 << QStringLiteral("a|q|y|A|Q|Y|1|!|2|@|\"");
        QTest::newRow("2") << 2 << QStringLiteral("s|w|x|S|W|X|3|\u00a7");
        QTest::newRow("3") << 3 << QStringLiteral("d|e|c|D|E|C|4|$|\u20ac");
        QTest::newRow("4") << 4 << QStringLiteral("f|g|r|t|v|b|F|G|R|T|V|B|5|%|6|&");
        QTest::newRow("5") << 5 << QStringLiteral("LEER");
        QTest::newRow("6") << 6 << QStringLiteral("LEER");
        QTest::newRow("7") << 7 << QStringLiteral("j|h|n|m|z|u|J|H|N|M|Z|U|7|/|8|(");
        QTest::newRow("8") << 8 << QStringLiteral("k|i|,|;|K|I|9|)");
        QTest::newRow("9") << 9 << QStringLiteral("l|o|.|:|L|O|0|=");
        QTest::newRow("10") << 10
                            << QStringLiteral("p|\u00df|\u00e4|\u00fc|\u00f6|-|P|\u00c4|\u00dc|"
                                              "\u00d6|?|*|+|#|'|_");
    }

    void zones() {
        QFETCH(int, finger);
        QFETCH(QString, zone);
        QCOMPARE(zones_[finger], zone);
    }

    void fingerForKey_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("finger");

        QTest::newRow("a") << QStringLiteral("a") << 1;
        QTest::newRow("Q") << QStringLiteral("Q") << 1;
        QTest::newRow("double quote") << QStringLiteral("\"") << 1;
        QTest::newRow("@") << QStringLiteral("@") << 1;
        QTest::newRow("section") << QStringLiteral("\u00a7") << 2;
        QTest::newRow("euro") << QStringLiteral("\u20ac") << 3;
        QTest::newRow("&") << QStringLiteral("&") << 4;
        QTest::newRow("blank") << QStringLiteral("LEER") << 5;
        QTest::newRow("(") << QStringLiteral("(") << 7;
        QTest::newRow(";") << QStringLiteral(";") << 8;
        QTest::newRow("=") << QStringLiteral("=") << 9;
        QTest::newRow("sz") << QStringLiteral("\u00df") << 10;
        QTest::newRow("Ue") << QStringLiteral("\u00dc") << 10;
        QTest::newRow("apostrophe") << QStringLiteral("'") << 10;
        QTest::newRow("<") << QStringLiteral("<") << 0;
        QTest::newRow(">") << QStringLiteral(">") << 0;
        QTest::newRow("accent key") << QStringLiteral("BACKTICK") << 0;
        QTest::newRow("Return") << QStringLiteral("RETURN") << 0;
        QTest::newRow("Shift") << QStringLiteral("SHIFTL") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("two letters") << QStringLiteral("ab") << 0;
    }

    void fingerForKey() {
        QFETCH(QString, key);
        QFETCH(int, finger);
        QCOMPARE(::fingerForKey(zones_, key), finger);
    }

    // Every character a key types belongs to a finger, except the two signs of the <> key.
    void zonesCoverTheTypedCharacters() {
        for (const KeyDef& key : table_) {
            for (const QString& name : key.Names.split(QLatin1Char('|'))) {
                if (name.size() != 1 || name == QLatin1String("<") || name == QLatin1String(">"))
                    continue;
                QVERIFY2(::fingerForKey(zones_, name) != 0, qPrintable(name));
            }
        }
    }
};

#include "tst_keytable.moc"
QUENDAL_TEST(TstKeyTable)
