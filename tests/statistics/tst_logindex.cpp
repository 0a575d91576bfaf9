#include "StatisticsDb.h"
#include "TestMain.h"

#include "platform/Database.h"
#include "data/LogIndex.h"

class TstLogIndex : public QObject {
    Q_OBJECT

private:
    static QStringList indexes(const QString& path) {
        Database db;
        if (!db.open(path))
            return {};
        QSqlQuery q(db.connection());
        QStringList names;
        if (q.exec("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'log' "
                   "AND sql IS NOT NULL ORDER BY name"))
            while (q.next())
                names << q.value(0).toString();
        return names;
    }

private slots:
    void newDatabasesHaveThem() {
        StatisticsDb file(QStringLiteral("new"));
        QVERIFY(file.ok());
        QCOMPARE(indexes(file.path()), (QStringList{"log_Dateiname", "log_Zeitpunkt"}));
    }

    void templateHasThem() {
        QCOMPARE(indexes(TestSupport::templateDb()),
                 (QStringList{"log_Dateiname", "log_Zeitpunkt"}));
    }

    void olderWorkingCopyGetsThemAndKeepsItsRows() {
        StatisticsDb file(QStringLiteral("old"));
        QVERIFY(file.addSeries(30));
        QVERIFY(TestSupport::execOn(file.path(), "DROP INDEX log_Zeitpunkt"));
        QVERIFY(TestSupport::execOn(file.path(), "DROP INDEX log_Dateiname"));
        QVERIFY(indexes(file.path()).isEmpty());
        {
            Database db;
            QVERIFY(db.open(file.path()));
            QVERIFY(LogIndex::ensure(db));
            QVERIFY(LogIndex::ensure(db)); // a second start finds them there
        }
        QCOMPARE(indexes(file.path()), (QStringList{"log_Dateiname", "log_Zeitpunkt"}));
        QCOMPARE(TestSupport::queryValue(file.path(), "SELECT count(*) FROM log").toInt(), 30);
        QCOMPARE(TestSupport::queryValue(file.path(), "SELECT sum(Treffer) FROM log").toInt(),
                 30 * 100 + 29 * 30 / 2);
    }
};

QUENDAL_TEST(TstLogIndex)
#include "tst_logindex.moc"
