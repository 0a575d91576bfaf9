#include "TestMain.h"

#include "platform/ApplicationLook.h"
#include "platform/StartUpWarmUp.h"

#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

    // A font of the design asks for one family wherever a face for it is there, so that Qt finds
    // the face without searching the system's fallbacks first; the twin is drawn for a missing
    // family.
    void designFontsAskForOneFamilyWhereAFaceIsThere_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("face");
        QTest::newRow("installed") << "DejaVu Sans" << "Liberation Sans"
                                   << QStringList{"DejaVu Sans"} << "DejaVu Sans";
        QTest::newRow("twin") << "MS Sans Serif" << "Liberation Sans"
                              << QStringList{"MS Sans Serif"} << "Liberation Sans";
        QTest::newRow("twin, twice") << "MS Sans Serif" << "Liberation Sans"
                                     << QStringList{"MS Sans Serif"} << "Liberation Sans";
        QTest::newRow("mono twin") << "Courier New" << "Liberation Mono"
                                   << QStringList{"Courier New"} << "Liberation Mono";
        QTest::newRow("neither") << "Nirgends Sans" << "Nirgends Zwilling"
                                 << QStringList{"Nirgends Sans", "Nirgends Zwilling"} << QString();
    }
    void designFontsAskForOneFamilyWhereAFaceIsThere() {
        QFETCH(QString, family);
        QFETCH(QString, twin);
        QFETCH(QStringList, asked);
        QFETCH(QString, face);
        const QFont font = ApplicationLook::designFont(family, twin, QFont::SansSerif, 12, true);
        QCOMPARE(font.families(), asked);
        if (!face.isEmpty())
            QCOMPARE(QFontInfo(font).family(), face);
        QVERIFY(QFontInfo(font).bold());
    }

    // The bus is asked for once, by the warm-up, while the window is still being built; a later
    // caller (the accessibility bridge) finds the answer without asking again. The bus here
    // hangs up on every caller, as a desktop without a session bus leaves the program.
    void asksTheSessionBusOnceAndAhead() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("bus")));
        const int bus = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        QVERIFY(bus >= 0);
        const auto cleanUp = qScopeGuard([bus] {
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
            close(bus);
        });
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        QVERIFY(bind(bus, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(listen(bus, 8) == 0);
        int callers = 0;
        const auto hangUp = [&] {
            for (int caller; (caller = accept4(bus, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
                ++callers;
                close(caller);
            }
            return callers;
        };
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path);
        {
            const SessionBusWarmUp warmUp;
            QTRY_COMPARE_WITH_TIMEOUT(hangUp(), 1, 5000);
        }
        QVERIFY(!QDBusConnection::sessionBus().isConnected());
        QTest::qWait(200);
        QCOMPARE(hangUp(), 1);
    }
};

#include "tst_startupwarmup.moc"
QUENDAL_TEST(TstStartUpWarmUp)
