#include "DataTestHelpers.h"
#include "TestMain.h"
#include "TestSupport.h"

#include "data/DataLocation.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

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

    void withoutHomeTheUserDatabaseNamesIt_data() {
        QTest::addColumn<QString>("home"); // "-" for unset
        QTest::newRow("HOME unset") << QStringLiteral("-");
        QTest::newRow("HOME empty") << QStringLiteral("");
        QTest::newRow("HOME the root") << QStringLiteral("/");
        QTest::newRow("HOME relative") << QStringLiteral("anna");
    }

    void withoutHomeTheUserDatabaseNamesIt() {
        QFETCH(QString, home);
        EnvGuard appData("APPDATA");
        appData.unset();
        EnvGuard dataHome("XDG_DATA_HOME");
        dataHome.unset();
        EnvGuard homeVar("HOME", home);
        if (home == QLatin1String("-"))
            homeVar.unset();
        const passwd* entry = getpwuid(getuid());
        QVERIFY(entry && entry->pw_dir && QByteArray(entry->pw_dir) != "/");
        const QString userHome = QString::fromLocal8Bit(entry->pw_dir);

        QString error = QStringLiteral("alt");
        const QString folder = DataLocation::dataFolder(&error);
        QCOMPARE(folder, userHome + QStringLiteral("/.local/share/quendal1_1"));
        QVERIFY(error.isEmpty());
        QCOMPARE(DataLocation::databasePath(),
                 userHome + QStringLiteral("/.local/share/quendal1_1/quendal1_1.mdb"));
        QVERIFY(!folder.contains(QLatin1String("//")));
    }

    void aRelativeDataHomeIsIgnored() {
        QTemporaryDir home;
        EnvGuard appData("APPDATA");
        appData.unset();
        EnvGuard dataHome("XDG_DATA_HOME", QStringLiteral("share"));
        EnvGuard homeVar("HOME", home.path());
        QCOMPARE(DataLocation::dataFolder(),
                 home.path() + QStringLiteral("/.local/share/quendal1_1"));
    }

    // A user without an entry in the user database and without HOME: only root can become one.
    void withoutAnyHomeTheFolderIsRefused() {
        if (geteuid() != 0)
            QSKIP("needs root to take on a user id that has no entry");
        uid_t stranger = 54321;
        while (getpwuid(stranger))
            ++stranger;
        int channel[2];
        QVERIFY(pipe(channel) == 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(channel[0]);
            unsetenv("APPDATA");
            unsetenv("HOME");
            unsetenv("XDG_DATA_HOME");
            QByteArray answer = "setuid failed";
            if (setuid(stranger) == 0) {
                QString error;
                const QString folder = DataLocation::dataFolder(&error);
                QString pathError;
                const QString path = DataLocation::databasePath(&pathError);
                answer = (folder + QLatin1Char('|') + path + QLatin1Char('|') + error +
                          QLatin1Char('|') + pathError)
                             .toUtf8();
            }
            const ssize_t written = write(channel[1], answer.constData(), size_t(answer.size()));
            _exit(written == answer.size() ? 0 : 1);
        }
        ::close(channel[1]);
        QByteArray answer;
        char buffer[1024];
        for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
            answer.append(buffer, n);
        ::close(channel[0]);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const QString message = QStringLiteral(
            "Der Ordner für die Lektionsdatenbank kann nicht bestimmt werden: Weder APPDATA noch "
            "HOME ist gesetzt, und die Benutzerverwaltung nennt kein Benutzerverzeichnis.");
        QCOMPARE(QString::fromUtf8(answer),
                 QStringLiteral("||") + message + QLatin1Char('|') + message);
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
