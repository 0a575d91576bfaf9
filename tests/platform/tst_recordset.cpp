#include "TestMain.h"
#include "TestSupport.h"

#include "platform/Database.h"
#include "platform/RecordSet.h"

#include <QTemporaryDir>
#include <QTest>

class TstRecordSet : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_;
    Database db_;

    // Opens the first rows of table items (n = 1, 2, 3, ...), ordered by n.
    bool openRows(RecordSet& rs, int rows) {
        return rs.open(db_, QStringLiteral("SELECT n, name FROM items WHERE n <= ? ORDER BY n"),
                       {rows});
    }

    // "BE" empty, "B" before the first row, "E" after the last row, else the row number.
    static QString state(const RecordSet& rs) {
        if (rs.bof() && rs.eof())
            return QStringLiteral("BE");
        if (rs.bof())
            return QStringLiteral("B");
        if (rs.eof())
            return QStringLiteral("E");
        return QString::number(rs.absolutePosition());
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("records.mdb"));
        QVERIFY(TestSupport::createEmptyDb(path_));
        QVERIFY(TestSupport::execOn(
            path_, QStringLiteral("CREATE TABLE items (n INTEGER, name TEXT, note TEXT)")));
        const QStringList names{QStringLiteral("eins"), QStringLiteral("zwei"),
                                QStringLiteral("drei")};
        for (int n = 1; n <= 3; ++n)
            QVERIFY(TestSupport::execOn(
                path_, QStringLiteral("INSERT INTO items (n, name, note) VALUES (?, ?, ?)"),
                {n, names.at(n - 1), QStringLiteral("Notiz %1").arg(n)}));
        QVERIFY(db_.open(path_));
    }

    void recordCountIsKnownAtOnce_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
    }

    void recordCountIsKnownAtOnce() {
        QFETCH(int, rows);
        RecordSet rs;
        QVERIFY2(openRows(rs, rows), qPrintable(rs.lastError()));
        QVERIFY(rs.isOpen());
        QCOMPARE(rs.recordCount(), rows);
        // Opening stands on the first row, or on nothing at all when there is none.
        QCOMPARE(state(rs), rows == 0 ? QStringLiteral("BE") : QStringLiteral("1"));
    }

    void moves_data() {
        QTest::addColumn<int>("rows");
        // N next, P previous, F first, L last, A<k> absolute position k.
        QTest::addColumn<QStringList>("moves");
        // The state after each move.
        QTest::addColumn<QStringList>("states");

        const auto list = [](const char* text) {
            return QString::fromLatin1(text).split(QLatin1Char(' '));
        };
        QTest::newRow("empty: every move stays on nothing")
            << 0 << list("N P F L A1 A0 A-1 N") << list("BE BE BE BE BE BE BE BE");
        QTest::newRow("one row: next past the end")
            << 1 << list("N N P P P N") << list("E E 1 B B 1");
        QTest::newRow("one row: first, last, positions")
            << 1 << list("L F A1 A2 A0 A-5 A99 F") << list("1 1 1 E B B E 1");
        QTest::newRow("three rows: forward to EOF and back to BOF")
            << 3 << list("N N N N P P P P P N") << list("2 3 E E 3 2 1 B B 1");
        QTest::newRow("three rows: last and first from anywhere")
            << 3 << list("L N F P L F L") << list("3 E 1 B 3 1 3");
        QTest::newRow("three rows: absolute positions")
            << 3 << list("A2 A3 A4 P A0 N A1 A-1 A99 A2") << list("2 3 E 3 B 1 1 B E 2");
    }

    void moves() {
        QFETCH(int, rows);
        QFETCH(QStringList, moves);
        QFETCH(QStringList, states);
        QCOMPARE(moves.size(), states.size());

        RecordSet rs;
        QVERIFY(openRows(rs, rows));
        for (int i = 0; i < moves.size(); ++i) {
            const QString move = moves.at(i);
            if (move == QLatin1String("N"))
                rs.moveNext();
            else if (move == QLatin1String("P"))
                rs.movePrevious();
            else if (move == QLatin1String("F"))
                rs.moveFirst();
            else if (move == QLatin1String("L"))
                rs.moveLast();
            else if (move.startsWith(QLatin1Char('A')))
                rs.setAbsolutePosition(move.mid(1).toInt());
            else
                QFAIL("unknown move");

            const QString where = QStringLiteral("after move %1 (%2)").arg(i + 1).arg(move);
            QVERIFY2(state(rs) == states.at(i),
                     qPrintable(where + QStringLiteral(": ") + state(rs)));
            bool onRow = false;
            const int position = states.at(i).toInt(&onRow);
            QCOMPARE(rs.absolutePosition(), onRow ? position : 0);
            // The row under the cursor is the one the position names; off the rows there is
            // no field value.
            if (onRow) {
                QCOMPARE(rs.field(QStringLiteral("n")).toInt(), position);
            } else {
                QVERIFY2(!rs.field(QStringLiteral("n")).isValid(), qPrintable(where));
                QCOMPARE(rs.text(QStringLiteral("name")), QString());
            }
        }
    }

    void fieldsByNameWithoutRegardToCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("as selected") << QStringLiteral("name") << QVariant(QStringLiteral("zwei"));
        QTest::newRow("capitalised") << QStringLiteral("Name") << QVariant(QStringLiteral("zwei"));
        QTest::newRow("upper case") << QStringLiteral("NAME") << QVariant(QStringLiteral("zwei"));
        QTest::newRow("alias in brackets") << QStringLiteral("COUNT") << QVariant(2);
        QTest::newRow("unknown") << QStringLiteral("nix") << QVariant();
    }

    void fieldsByNameWithoutRegardToCase() {
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        RecordSet rs;
        QVERIFY2(
            rs.open(db_, QStringLiteral("SELECT name, n AS [count] FROM items WHERE n = ?"), {2}),
            qPrintable(rs.lastError()));
        QCOMPARE(rs.fieldNames(), (QStringList{QStringLiteral("name"), QStringLiteral("count")}));
        QCOMPARE(rs.hasField(name), expected.isValid());
        QCOMPARE(rs.field(name).isValid(), expected.isValid());
        if (expected.isValid()) {
            QCOMPARE(rs.field(name).toString(), expected.toString());
            QCOMPARE(rs.text(name), expected.toString());
        } else {
            QVERIFY(rs.isNull(name));
            QCOMPARE(rs.text(name), QString());
        }
    }

    void nullIsNotEmptyText() {
        QVERIFY(TestSupport::execOn(
            path_, QStringLiteral("INSERT INTO items (n, name, note) VALUES (10, NULL, '')")));
        RecordSet rs;
        QVERIFY(rs.open(db_, QStringLiteral("SELECT name, note FROM items WHERE n = 10")));
        QCOMPARE(rs.recordCount(), 1);

        QVERIFY(rs.isNull(QStringLiteral("name")));
        QVERIFY(rs.field(QStringLiteral("name")).isNull());
        QVERIFY(!rs.isNull(QStringLiteral("note")));
        QVERIFY(!rs.field(QStringLiteral("note")).isNull());
        QCOMPARE(rs.field(QStringLiteral("note")).toString(), QString());

        // Both read as empty text, and that text is not a null string.
        QCOMPARE(rs.text(QStringLiteral("name")), QString());
        QVERIFY(!rs.text(QStringLiteral("name")).isNull());
        QCOMPARE(rs.text(QStringLiteral("note")), QString());
        QVERIFY(TestSupport::execOn(path_, QStringLiteral("DELETE FROM items WHERE n = 10")));
    }

    void numbersReadAsText() {
        RecordSet rs;
        QVERIFY(rs.open(db_, QStringLiteral("SELECT n, n * 1.5 AS x FROM items WHERE n = 3")));
        QCOMPARE(rs.text(QStringLiteral("N")), QStringLiteral("3"));
        QCOMPARE(rs.field(QStringLiteral("n")).toInt(), 3);
        QCOMPARE(rs.text(QStringLiteral("x")), QStringLiteral("4.5"));
    }

    void valuesAreBoundNotSpliced_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("single quote") << QStringLiteral("O'Brien");
        QTest::newRow("double quote") << QStringLiteral("Der \"große\" Test");
        QTest::newRow("both and a statement")
            << QStringLiteral("x' OR '1'='1\"; DROP TABLE items; --");
    }

    void valuesAreBoundNotSpliced() {
        QFETCH(QString, name);
        QVERIFY(TestSupport::execOn(
            path_, QStringLiteral("INSERT INTO items (n, name) VALUES (20, ?)"), {name}));
        RecordSet rs;
        QVERIFY2(rs.open(db_, QStringLiteral("SELECT n, name FROM items WHERE name = ?"), {name}),
                 qPrintable(rs.lastError()));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("name")), name);
        QVERIFY(TestSupport::execOn(path_, QStringLiteral("DELETE FROM items WHERE n = 20")));
        QCOMPARE(
            TestSupport::queryValue(path_, QStringLiteral("SELECT count(*) FROM items")).toInt(),
            3);
    }

    void snapshotDoesNotSeeLaterChanges() {
        RecordSet rs;
        QVERIFY(openRows(rs, 99));
        QCOMPARE(rs.recordCount(), 3);
        QVERIFY(TestSupport::execOn(
            path_, QStringLiteral("INSERT INTO items (n, name) VALUES (4, 'vier')")));
        QVERIFY(TestSupport::execOn(path_,
                                    QStringLiteral("UPDATE items SET name = 'EINS' WHERE n = 1")));
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.text(QStringLiteral("name")), QStringLiteral("eins"));
        rs.moveLast();
        QCOMPARE(rs.text(QStringLiteral("name")), QStringLiteral("drei"));

        // Opening again takes a new snapshot.
        QVERIFY(openRows(rs, 99));
        QCOMPARE(rs.recordCount(), 4);
        QCOMPARE(rs.text(QStringLiteral("name")), QStringLiteral("EINS"));
        QVERIFY(TestSupport::execOn(path_, QStringLiteral("DELETE FROM items WHERE n = 4")));
        QVERIFY(TestSupport::execOn(path_,
                                    QStringLiteral("UPDATE items SET name = 'eins' WHERE n = 1")));
    }

    void reopeningReplacesTheRows() {
        RecordSet rs;
        QVERIFY(openRows(rs, 3));
        rs.moveLast();
        QVERIFY(rs.open(db_, QStringLiteral("SELECT note FROM items WHERE n = 2")));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.absolutePosition(), 1);
        QCOMPARE(rs.fieldNames(), QStringList{QStringLiteral("note")});
        QVERIFY(!rs.hasField(QStringLiteral("name")));
        QCOMPARE(rs.text(QStringLiteral("note")), QStringLiteral("Notiz 2"));
    }

    void closeForgetsEverything() {
        RecordSet rs;
        QVERIFY(openRows(rs, 3));
        rs.close();
        QVERIFY(!rs.isOpen());
        QCOMPARE(rs.recordCount(), 0);
        QVERIFY(rs.bof());
        QVERIFY(rs.eof());
        QCOMPARE(rs.absolutePosition(), 0);
        QVERIFY(!rs.field(QStringLiteral("n")).isValid());
        QVERIFY(rs.fieldNames().isEmpty());
        rs.moveNext();
        rs.moveLast();
        QVERIFY(rs.bof() && rs.eof());
    }

    void failingStatementLeavesItClosed_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("syntax") << QStringLiteral("SELEKT n FROM items");
        QTest::newRow("no such table") << QStringLiteral("SELECT n FROM nirgends");
        QTest::newRow("no such column") << QStringLiteral("SELECT gibtsnicht FROM items");
    }

    void failingStatementLeavesItClosed() {
        QFETCH(QString, sql);
        RecordSet rs;
        QVERIFY(openRows(rs, 3));
        QVERIFY(!rs.open(db_, sql));
        QVERIFY(!rs.isOpen());
        QVERIFY(!rs.lastError().isEmpty());
        QCOMPARE(rs.recordCount(), 0);
        QVERIFY(rs.bof() && rs.eof());
        // The error goes with the next successful open.
        QVERIFY(openRows(rs, 1));
        QVERIFY(rs.lastError().isEmpty());
    }

    void noConnectionNoRows() {
        Database closed;
        RecordSet rs;
        QVERIFY(!rs.open(closed, QStringLiteral("SELECT 1")));
        QVERIFY(!rs.lastError().isEmpty());
        QVERIFY(!rs.isOpen());
    }
};

QUENDAL_TEST(TstRecordSet)
#include "tst_recordset.moc"
