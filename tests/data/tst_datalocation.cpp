#include "DataTestHelpers.h"
#include "TestMain.h"
#include "TestSupport.h"

#include "data/DataLocation.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using DataTest::EnvGuard;

class TstDataLocation : public QObject {
    Q_OBJECT

private slots:
    void underAppData_data() {
        QTest::addColumn<QString>("appData");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << QStringLiteral("/home/anna/appdata")
                               << QStringLiteral("/home/anna/appdata/quendal1_1");
        QTest::newRow("trailing slash") << QStringLiteral("/home/anna/appdata/")
                                        << QStringLiteral("/home/anna/appdata/quendal1_1");
        QTest::newRow("blank and umlaut")
            << QStringLiteral("/home/jörg/Anwendungs Daten")
            << QStringLiteral("/home/jörg/Anwendungs Daten/quendal1_1");
    }

    void underAppData() {
        QFETCH(QString, appData);
        QFETCH(QString, folder);
        EnvGuard env("APPDATA", appData);
        QCOMPARE(DataLocation::dataFolder(), folder);
        QCOMPARE(DataLocation::databasePath(), folder + QStringLiteral("/quendal1_1.mdb"));
    }

    void withoutAppDataTheUsersDataLocation_data() {
        QTest::addColumn<bool>("unset");
        QTest::newRow("unset") << true;
        QTest::newRow("empty") << false;
    }

    void withoutAppDataTheUsersDataLocation() {
        QFETCH(bool, unset);
        QTemporaryDir home;
        EnvGuard data("XDG_DATA_HOME", home.filePath(QStringLiteral("share")));
        EnvGuard env("APPDATA", QString());
        if (unset)
            env.unset();

        const QString expected = home.filePath(QStringLiteral("share/quendal1_1"));
        QCOMPARE(DataLocation::dataFolder(), expected);
        QCOMPARE(DataLocation::databasePath(), expected + QStringLiteral("/quendal1_1.mdb"));
        QCOMPARE(DataLocation::dataFolder(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/quendal1_1"));
        QVERIFY(DataLocation::dataFolder() != QStringLiteral("/quendal1_1"));
    }

    void templateInTheProgramFolder() {
        QCOMPARE(DataLocation::templatePath(QStringLiteral("/opt/quendal/bin")),
                 QStringLiteral("/opt/quendal/bin/quendal1_1.mdb"));
        QCOMPARE(DataLocation::templatePath(TestSupport::binDir()), TestSupport::templateDb());
        QVERIFY2(QFileInfo::exists(DataLocation::templatePath(TestSupport::binDir())),
                 "the build puts the template into the program folder");
    }
};

QUENDAL_TEST(TstDataLocation)
#include "tst_datalocation.moc"
