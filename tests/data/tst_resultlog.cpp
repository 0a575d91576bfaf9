#include "TestMain.h"
#include "TestSupport.h"

#include "data/ResultLog.h"
#include "platform/Database.h"
#include "platform/RecordSet.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

ResultRow sampleRow() {
    ResultRow row;
    row.Zeitpunkt = QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9));
    row.Lektion = 17;
    row.Dateiname = QStringLiteral("Test");
    row.Zeichenanzahl = 250;
    row.Dauer = 95;
    row.Treffer = 240;
    row.Fehler = 12;
    row.ff = {1, 0, 3, 2, 0, 1, 0, 0, 4, 1};
    return row;
}

} // namespace

class TstResultLog : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString freshDb(const QString& name) {
        const QString path = dir_.filePath(name);
        return TestSupport::createEmptyDb(path) ? path : QString();
    }

private slots:
    void formatSqlDate_data() {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("example") << QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9))
                                 << QStringLiteral("2026-12-06 14:05:09");
        QTest::newRow("midnight, leading zeros") << QDateTime(QDate(2027, 1, 2), QTime(0, 0, 0))
                                                 << QStringLiteral("2027-01-02 00:00:00");
        QTest::newRow("evening, 24-hour clock") << QDateTime(QDate(2025, 7, 31), QTime(23, 59, 58))
                                                << QStringLiteral("2025-07-31 23:59:58");
        QTest::newRow("milliseconds dropped") << QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7, 890))
                                              << QStringLiteral("2025-03-04 05:06:07");
        // The same moment given in UTC is written in local time.
        QTest::newRow("given in UTC") << QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9)).toUTC()
                                      << QStringLiteral("2026-12-06 14:05:09");
    }

    void formatSqlDate() {
        QFETCH(QDateTime, time);
        QFETCH(QString, text);
        QCOMPARE(ResultLog::FormatSqlDate(time), text);
    }

    void insertStoresEveryValue_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<qint32>("lektion");
        QTest::newRow("plain") << QStringLiteral("Test") << 17;
        QTest::newRow("quotes") << QStringLiteral("Peter's \"große\" Übung'); DROP TABLE log; --")
                                << 17;
        QTest::newRow("own text file") << QStringLiteral("brief an oma.txt") << 999999;
        QTest::newRow("empty title") << QStringLiteral("") << 5;
        QTest::newRow("null title") << QString() << 5;
    }

    void insertStoresEveryValue() {
        QFETCH(QString, title);
        QFETCH(qint32, lektion);
        const QString path = freshDb(QStringLiteral("%1.mdb").arg(QTest::currentDataTag()));
        QVERIFY(!path.isEmpty());
        Database db;
        QVERIFY(db.open(path));

        ResultRow row = sampleRow();
        row.Lektion = lektion;
        row.Dateiname = title;
        QString error = QStringLiteral("alt");
        QVERIFY2(ResultLog::insert(db, row, &error), qPrintable(error));
        QVERIFY(error.isEmpty());

        RecordSet rs;
        QVERIFY(rs.open(db, QStringLiteral("SELECT * FROM log")));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.field(QStringLiteral("Id")).toInt(), 1);
        QCOMPARE(rs.text(QStringLiteral("Zeitpunkt")), QStringLiteral("2026-12-06 14:05:09"));
        QCOMPARE(rs.field(QStringLiteral("Lektion")).toInt(), lektion);
        QVERIFY(!rs.isNull(QStringLiteral("Dateiname")));
        QCOMPARE(rs.text(QStringLiteral("Dateiname")), title);
        QCOMPARE(rs.field(QStringLiteral("Zeichenanzahl")).toInt(), 250);
        QCOMPARE(rs.field(QStringLiteral("Dauer")).toInt(), 95);
        QCOMPARE(rs.field(QStringLiteral("Treffer")).toInt(), 240);
        QCOMPARE(rs.field(QStringLiteral("Fehler")).toInt(), 12);
        const int ff[10] = {1, 0, 3, 2, 0, 1, 0, 0, 4, 1};
        for (int f = 1; f <= 10; ++f)
            QCOMPARE(rs.field(QStringLiteral("ff%1").arg(f)).toInt(), ff[f - 1]);
        QCOMPARE(TestSupport::queryValue(path, QStringLiteral("SELECT typeof(Zeitpunkt) FROM log"))
                     .toString(),
                 QStringLiteral("text"));
    }

    void everyInsertAddsOneRow() {
        const QString path = freshDb(QStringLiteral("mehrere.mdb"));
        Database db;
        QVERIFY(db.open(path));
        ResultRow row = sampleRow();
        for (int i = 1; i <= 3; ++i) {
            row.Dauer = i;
            row.ff = {qint16(i), 2, 3, 4, 5, 6, 7, 8, 9, qint16(-32768 + i)};
            QString error;
            QVERIFY2(ResultLog::insert(db, row, &error), qPrintable(error));
        }
        QCOMPARE(TestSupport::queryValue(path, QStringLiteral("SELECT count(*) FROM log")).toInt(),
                 3);
        QCOMPARE(TestSupport::queryValue(path, QStringLiteral("SELECT max(Id) FROM log")).toInt(),
                 3);
        QCOMPARE(TestSupport::queryValue(path, QStringLiteral("SELECT Dauer FROM log WHERE Id = 2"))
                     .toInt(),
                 2);
        QCOMPARE(TestSupport::queryValue(path, QStringLiteral("SELECT ff10 FROM log WHERE Id = 3"))
                     .toInt(),
                 -32765);
    }

    void failingInsertReportsTheDriversText_data() {
        QTest::addColumn<QString>("breakIt");
        QTest::addColumn<QString>("text");
        QTest::newRow("table missing")
            << QStringLiteral("DROP TABLE log") << QStringLiteral("no such table: log");
        QTest::newRow("refused by the database")
            << QStringLiteral("CREATE TRIGGER nein BEFORE INSERT ON log BEGIN "
                              "SELECT RAISE(ABORT, 'Schreiben abgelehnt'); END")
            << QStringLiteral("Schreiben abgelehnt");
    }

    void failingInsertReportsTheDriversText() {
        QFETCH(QString, breakIt);
        QFETCH(QString, text);
        const QString path = freshDb(QStringLiteral("kaputt-%1.mdb").arg(QTest::currentDataTag()));
        QVERIFY(TestSupport::execOn(path, breakIt));
        Database db;
        QVERIFY(db.open(path));

        QString error;
        QVERIFY(!ResultLog::insert(db, sampleRow(), &error));
        QVERIFY2(error.contains(text), qPrintable(error));
        QCOMPARE(error, db.lastError());
    }

    void invalidTimeIsRefused() {
        const QString path = freshDb(QStringLiteral("zeit.mdb"));
        Database db;
        QVERIFY(db.open(path));
        ResultRow row = sampleRow();
        row.Zeitpunkt = QDateTime();
        QString error;
        QVERIFY(!ResultLog::insert(db, row, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(TestSupport::queryValue(path, QStringLiteral("SELECT count(*) FROM log")).toInt(),
                 0);
    }

    void noConnection() {
        Database closed;
        QString error;
        QVERIFY(!ResultLog::insert(closed, sampleRow(), &error));
        QVERIFY(!error.isEmpty());
    }
};

QUENDAL_TEST(TstResultLog)
#include "tst_resultlog.moc"
