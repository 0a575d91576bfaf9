#include "TestMain.h"

#include "platform/StartUpWarmUp.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTest>

class TstStartUpWarmUp : public QObject {
    Q_OBJECT

private slots:
    // The warm-up loads the very file that opening a database loads; any other would cost
    // start-up time for nothing.
    void loadsTheDriverTheDatabaseUses() {
        {
            StartUpWarmUp warmUp;
            warmUp.wait();
        }
        const QString driver = QFileInfo(StartUpWarmUp::databaseDriverPath()).canonicalFilePath();
        QVERIFY2(!driver.isEmpty(), qPrintable(StartUpWarmUp::databaseDriverPath()));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("warm-up"));
            QVERIFY(db.isValid());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("warm-up"));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(maps.readAll().contains(driver.toUtf8()));
    }
};

#include "tst_startupwarmup.moc"
QUENDAL_TEST(TstStartUpWarmUp)
