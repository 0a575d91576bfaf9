#include "DataTestHelpers.h"
#include "TestMain.h"
#include "TestSupport.h"

#include "data/ResultLog.h"
#include "platform/Database.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sys/stat.h>

using DataTest::bytesOf;
using DataTest::OwnerPermissionsOnly;
using DataTest::writeBytes;

namespace {

// Result number n: told apart by its time, Dauer and ff10.
ResultRow result(int n, const QString& title = QStringLiteral("Lektion 1")) {
    ResultRow row;
    row.Zeitpunkt = QDateTime(QDate(2026, 12, 6), QTime(14, 5, n));
    row.Lektion = 17;
    row.Dateiname = title;
    row.Zeichenanzahl = 250;
    row.Dauer = 90 + n;
    row.Treffer = 240;
    row.Fehler = 12;
    row.ff = {1, 0, 3, 2, 0, 1, 0, 0, 4, qint16(n)};
    return row;
}

// "Zeitpunkt Dauer ff10 Dateiname" of every stored result, in Id order.
QStringList stored(const QString& dbPath) {
    Database db;
    if (!db.open(dbPath))
        return {QStringLiteral("nicht lesbar")};
    QSqlQuery query(db.connection());
    if (!db.run(query, QStringLiteral("SELECT Zeitpunkt, Dauer, ff10, Dateiname, Lektion, "
                                      "Zeichenanzahl, Treffer, Fehler, ff1, ff3 FROM log "
                                      "ORDER BY Id")))
        return {db.lastError()};
    QStringList rows;
    while (query.next()) {
        // The values every test result shares must come back too.
        if (query.value(4).toInt() != 17 || query.value(5).toInt() != 250 ||
            query.value(6).toInt() != 240 || query.value(7).toInt() != 12 ||
            query.value(8).toInt() != 1 || query.value(9).toInt() != 3)
            return {QStringLiteral("falsche Werte")};
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toString(), query.value(3).toString());
    }
    return rows;
}

QString storedText(int n, const QString& title = QStringLiteral("Lektion 1")) {
    return QStringLiteral("2026-12-06 14:05:%1 %2 %3 %4")
        .arg(n, 2, 10, QLatin1Char('0'))
        .arg(90 + n)
        .arg(n)
        .arg(title);
}

// Another program's hold on the database: BEGIN EXCLUSIVE keeps out every other connection,
// a read transaction keeps a writer from committing.
class OtherProgram {
public:
    bool lock(const QString& path) {
        return db_.open(path) && db_.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    bool read(const QString& path) {
        if (!db_.open(path) || !db_.exec(QStringLiteral("BEGIN")))
            return false;
        QSqlQuery query(db_.connection());
        return db_.run(query, QStringLiteral("SELECT count(*) FROM log")) && query.next();
    }
    void release() {
        db_.exec(QStringLiteral("ROLLBACK"));
        db_.close();
    }

private:
    Database db_;
};

// The other copy of the program in twoCopiesOnASlowDisk: it ends a lesson and stalls in its
// first sync of the pending file, when it holds the data folder's and the database's locks,
// until the test lets it go on.
const TestMain::RoleRegistration slowCopy("slow-copy", [] {
    const QString db = qEnvironmentVariable("QUENDAL_TEST_DB");
    const QString pending = ResultLog::pendingPath(db);
    PendingResults::setSyncHook([&](const QString& path) {
        QFile stalled(db + QStringLiteral(".stalled"));
        if (path != pending || stalled.exists() || !stalled.open(QIODevice::WriteOnly))
            return;
        const QDeadlineTimer deadline(60000);
        while (!QFileInfo::exists(db + QStringLiteral(".go")) && !deadline.hasExpired())
            QThread::msleep(10);
    });
    Database database;
    HeldResults held;
    return database.open(db) && ResultLog::store(database, result(4), pending, held).status ==
                                    StoreOutcome::Status::Stored
               ? 0
               : 1;
});

const QString KeptHead = QStringLiteral(
    "Das Ergebnis der Lektion konnte jetzt nicht gespeichert werden. Es ist in „%1“ aufbewahrt "
    "und wird beim nächsten Lektionsende oder Programmstart gespeichert.\r\n");

} // namespace

class TstPendingResults : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString db_;
    QString pending_;
    HeldResults held_;

    // A fresh database in a folder of its own, for the current test row.
    bool freshDb() {
        const QString folder = dir_.filePath(QStringLiteral("%1-%2").arg(
            QLatin1String(QTest::currentTestFunction()), QLatin1String(QTest::currentDataTag())));
        if (!QDir().mkpath(folder))
            return false;
        db_ = folder + QStringLiteral("/quendal1_1.mdb");
        pending_ = ResultLog::pendingPath(db_);
        held_ = HeldResults();
        return TestSupport::createEmptyDb(db_);
    }

    // The database refuses every new row, or takes them again.
    bool refuseInserts(bool refuse) {
        return TestSupport::execOn(
            db_, refuse ? QStringLiteral("CREATE TRIGGER nein BEFORE INSERT ON log BEGIN SELECT "
                                         "RAISE(ABORT, 'Schreiben abgelehnt'); END")
                        : QStringLiteral("DROP TRIGGER nein"));
    }

    // The result is kept because another program locks the database, within a bounded time.
    bool keptWhileLocked(Database& db, const ResultRow& row) {
        OtherProgram other;
        if (!other.lock(db_))
            return false;
        QElapsedTimer clock;
        clock.start();
        const StoreOutcome outcome = ResultLog::store(db, row, pending_, held_);
        const qint64 waited = clock.elapsed();
        other.release();
        if (waited > 1500)
            qWarning("the lesson end waited %lld ms", waited);
        return waited <= 1500 && outcome.status == StoreOutcome::Status::Kept &&
               outcome.message.startsWith(KeptHead.arg(pending_)) &&
               outcome.message.endsWith(outcome.description) &&
               outcome.description.contains(QLatin1String("database is locked"));
    }

private slots:
    void pendingFileLiesBesideTheDatabase() {
        QCOMPARE(ResultLog::pendingPath(QStringLiteral("/home/anna/.local/share/quendal1_1/"
                                                       "quendal1_1.mdb")),
                 QStringLiteral("/home/anna/.local/share/quendal1_1/quendal1_1.pending"));
    }

    void theConnectionSyncsEveryCommit() {
        QVERIFY(freshDb());
        Database db;
        QVERIFY(db.open(db_));
        QSqlQuery query(db.connection());
        QVERIFY(db.run(query, QStringLiteral("PRAGMA journal_mode")) && query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("delete"));
        QVERIFY(db.run(query, QStringLiteral("PRAGMA synchronous")) && query.next());
        QCOMPARE(query.value(0).toInt(), 3); // EXTRA
    }

    void aLockedDatabaseKeepsTheResult_data() {
        QTest::addColumn<bool>("atStartUp");
        QTest::addColumn<bool>("repeated"); // a line twice in the file, say from a backup
        QTest::newRow("stored at the next lesson end") << false << false;
        QTest::newRow("stored at the next start") << true << false;
        QTest::newRow("a line repeated is stored once") << true << true;
    }

    void aLockedDatabaseKeepsTheResult() {
        QFETCH(bool, atStartUp);
        QFETCH(bool, repeated);
        QVERIFY(freshDb());
        QStringList synced;
        PendingResults::setSyncHook([&synced](const QString& path) { synced << path; });
        const auto unhook = qScopeGuard([] { PendingResults::setSyncHook({}); });
        {
            Database db;
            QVERIFY(db.open(db_));
            QVERIFY(ResultLog::store(db, result(1), pending_, held_).status ==
                    StoreOutcome::Status::Stored);
            QVERIFY(!QFileInfo::exists(pending_)); // nothing kept when nothing failed
            QVERIFY(keptWhileLocked(db, result(2)));
            QVERIFY(keptWhileLocked(db, result(3)));
            QVERIFY(QFileInfo::exists(pending_));
            QCOMPARE(stored(db_), QStringList{storedText(1)});
            if (repeated) // the first line once more
                QVERIFY(writeBytes(pending_,
                                   bytesOf(pending_) + bytesOf(pending_).split('\n')[0] + '\n'));
            if (!atStartUp) {
                const StoreOutcome outcome = ResultLog::store(db, result(4), pending_, held_);
                QVERIFY(outcome.status == StoreOutcome::Status::Stored);
                QCOMPARE(outcome.storedLater, 2);
                QVERIFY(outcome.message.isEmpty());
            }
        }
        if (atStartUp) {
            Database db;
            QVERIFY(db.open(db_));
            const StoreOutcome outcome = ResultLog::storePending(db, pending_, held_);
            QVERIFY(outcome.status == StoreOutcome::Status::Stored);
            QCOMPARE(outcome.storedLater, 2);
            QVERIFY(outcome.message.isEmpty());
        }
        QStringList expected{storedText(1), storedText(2), storedText(3)};
        if (!atStartUp)
            expected << storedText(4);
        QCOMPARE(stored(db_), expected);
        QVERIFY(!QFileInfo::exists(pending_));
        // Kept: the new file and its folder, then the file again; stored: the file with the
        // Ids the commit is to give, then the folder without the file.
        const QString folder = QFileInfo(db_).path();
        QCOMPARE(synced, (QStringList{pending_, folder, pending_, pending_, folder}));

        // Once stored, never again.
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(ResultLog::storePending(db, pending_, held_).status ==
                StoreOutcome::Status::Stored);
        QCOMPARE(stored(db_), expected);
    }

    void whileStillLockedNothingIsLostOrReordered() {
        QVERIFY(freshDb());
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(keptWhileLocked(db, result(1)));
        // A start-up while the lock is still there keeps the result quietly.
        OtherProgram other;
        QVERIFY(other.lock(db_));
        const StoreOutcome outcome = ResultLog::storePending(db, pending_, held_);
        other.release();
        QVERIFY(outcome.status == StoreOutcome::Status::Kept);
        QVERIFY(outcome.message.isEmpty());
        QVERIFY(keptWhileLocked(db, result(2)));
        QVERIFY(ResultLog::store(db, result(3), pending_, held_).status ==
                StoreOutcome::Status::Stored);
        QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(2), storedText(3)}));
    }

    void aReadOnlyCopyThenWritableAgain_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("the copy read-only: kept in the file") << false;
        QTest::newRow("the folder read-only: held in memory") << true;
    }

    void aReadOnlyCopyThenWritableAgain() {
        QFETCH(bool, folder);
        QVERIFY(freshDb());
        const QString path = folder ? QFileInfo(db_).path() : db_;
        const auto permissions = QFile::permissions(path);
        const OwnerPermissionsOnly asUser;
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ExeOwner));
        {
            Database db;
            QVERIFY(db.open(db_));
            const StoreOutcome outcome = ResultLog::store(db, result(1), pending_, held_);
            QVERIFY2(outcome.description.contains(QLatin1String("readonly")),
                     qPrintable(outcome.description));
            if (folder) {
                QVERIFY(outcome.status == StoreOutcome::Status::Held);
                QVERIFY(outcome.message.endsWith(
                    QStringLiteral("aufbewahrt werden: Zugriff verweigert.\r\nDas Programm behält "
                                   "es im Speicher und versucht es beim nächsten Lektionsende und "
                                   "beim Beenden noch einmal.")));
            } else {
                QVERIFY(outcome.status == StoreOutcome::Status::Kept);
                QVERIFY(outcome.message.startsWith(KeptHead.arg(pending_)));
            }
        }
        QVERIFY(QFile::setPermissions(path, permissions));
        // The next lesson end stores the result held or kept, then its own.
        Database db;
        QVERIFY(db.open(db_));
        const StoreOutcome next = ResultLog::store(db, result(2), pending_, held_);
        QVERIFY(next.status == StoreOutcome::Status::Stored);
        QCOMPARE(next.storedLater, 1);
        QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(2)}));
        QVERIFY(!QFileInfo::exists(pending_));
    }

    void aDamagedLogPageKeepsTheResult() {
        QVERIFY(freshDb());
        const int page =
            TestSupport::queryValue(db_, QStringLiteral("SELECT rootpage FROM sqlite_master "
                                                        "WHERE name = 'log'"))
                .toInt();
        const int pageSize =
            TestSupport::queryValue(db_, QStringLiteral("PRAGMA page_size")).toInt();
        QVERIFY(page > 1 && pageSize > 0);
        const QByteArray healthy = bytesOf(db_);
        QByteArray damaged = healthy;
        damaged.replace(qsizetype(page - 1) * pageSize, 64, QByteArray(64, '\xA5'));
        QVERIFY(writeBytes(db_, damaged));
        {
            Database db;
            QVERIFY(db.open(db_));
            const StoreOutcome outcome = ResultLog::store(db, result(1), pending_, held_);
            QVERIFY(outcome.status == StoreOutcome::Status::Kept);
            QVERIFY2(outcome.description.contains(QLatin1String("malformed")),
                     qPrintable(outcome.description));
        }
        QVERIFY(writeBytes(db_, healthy)); // the copy repaired, say from a backup
        Database db;
        QVERIFY(db.open(db_));
        QCOMPARE(ResultLog::storePending(db, pending_, held_).storedLater, 1);
        QCOMPARE(stored(db_), QStringList{storedText(1)});
    }

    void withNowhereToKeepItTheResultIsReportedLost() {
        QVERIFY(freshDb());
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(refuseInserts(true));
        const QString nowhere = dir_.filePath(QStringLiteral("fehlt/quendal1_1.pending"));
        // Held at the lesson ends, lost only when the shutdown cannot store them either.
        QVERIFY(ResultLog::store(db, result(1), nowhere, held_).status ==
                StoreOutcome::Status::Held);
        QVERIFY(ResultLog::store(db, result(2), nowhere, held_).status ==
                StoreOutcome::Status::Held);
        const StoreOutcome outcome = ResultLog::storePending(db, nowhere, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Lost);
        QCOMPARE(outcome.message,
                 QStringLiteral("Die Ergebnisse von 2 Lektionen konnten nicht gespeichert "
                                "werden.\r\n") +
                     outcome.description + QStringLiteral("\r\nSie konnten auch nicht in „") +
                     nowhere +
                     QStringLiteral("“ aufbewahrt werden: Der übergeordnete Ordner ist nicht "
                                    "vorhanden."));
        QVERIFY(outcome.description.contains(QLatin1String("Schreiben abgelehnt")));
    }

    // The two moments a program may die in: after the commit, before the file is gone (here
    // the file cannot be removed), and after the file learnt the Ids but the commit failed
    // (here a reader keeps the commit out).
    void exactlyOnceAcrossTheCommit_data() {
        QTest::addColumn<bool>("commitFails");
        QTest::newRow("file left after the commit") << false;
        QTest::newRow("commit refused after the file learnt the Ids") << true;
    }

    void exactlyOnceAcrossTheCommit() {
        QFETCH(bool, commitFails);
        QVERIFY(freshDb());
        // The pending file in a folder of its own, so that it alone can be made read-only.
        const QString keepFolder = QFileInfo(db_).path() + QStringLiteral("/aufbewahrt");
        QVERIFY(QDir().mkdir(keepFolder));
        pending_ = keepFolder + QStringLiteral("/quendal1_1.pending");
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(keptWhileLocked(db, result(1)));

        if (commitFails) {
            OtherProgram reader;
            QVERIFY(reader.read(db_));
            const StoreOutcome outcome = ResultLog::store(db, result(2), pending_, held_);
            reader.release();
            QVERIFY(outcome.status == StoreOutcome::Status::Kept);
            QCOMPARE(stored(db_), QStringList());
        } else {
            const OwnerPermissionsOnly asUser;
            QVERIFY(QFile::setPermissions(keepFolder, QFile::ReadOwner | QFile::ExeOwner));
            const StoreOutcome outcome = ResultLog::store(db, result(2), pending_, held_);
            QVERIFY(QFile::setPermissions(keepFolder,
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            QVERIFY(outcome.status == StoreOutcome::Status::Stored);
            QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(2)}));
            QVERIFY(QFileInfo::exists(pending_)); // as if the program had died right here
        }

        // The next start stores what is missing and nothing twice.
        Database again;
        QVERIFY(again.open(db_));
        const StoreOutcome outcome = ResultLog::storePending(again, pending_, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Stored);
        QCOMPARE(outcome.storedLater, commitFails ? 2 : 0);
        QVERIFY(!QFileInfo::exists(pending_));
        QVERIFY(ResultLog::store(again, result(3), pending_, held_).status ==
                StoreOutcome::Status::Stored);
        QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(2), storedText(3)}));
    }

    // Another copy of the program holds the data folder's lock: this one stores its own
    // result and leaves the file's lines alone.
    void withoutTheLockTheFileIsLeftToItsHolder() {
        QVERIFY(freshDb());
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(keptWhileLocked(db, result(1)));
        const QByteArray kept = bytesOf(pending_);
        {
            PendingResults file(pending_);
            const PendingResults::Lock other(file);
            QVERIFY(other.held());
            const StoreOutcome outcome = ResultLog::store(db, result(2), pending_, held_);
            QVERIFY(outcome.status == StoreOutcome::Status::Stored);
            QCOMPARE(outcome.storedLater, 0);
            QCOMPARE(bytesOf(pending_), kept);
        }
        QCOMPARE(ResultLog::storePending(db, pending_, held_).storedLater, 1);
        QCOMPARE(stored(db_), (QStringList{storedText(2), storedText(1)}));
        QVERIFY(!QFileInfo::exists(pending_));
    }

    // The other copy stalls in a slow sync while it stores the kept results; this one ends a
    // lesson meanwhile and appends its result, which the other must not remove with the rest.
    void twoCopiesOnASlowDisk() {
        QVERIFY(freshDb());
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(keptWhileLocked(db, result(1)));
        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUENDAL_TEST_ROLE"), QStringLiteral("slow-copy"));
        environment.insert(QStringLiteral("QUENDAL_TEST_DB"), db_);
        other.setProcessEnvironment(environment);
        other.start(QCoreApplication::applicationFilePath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(db_ + QStringLiteral(".stalled")), 60000);
        QVERIFY(ResultLog::store(db, result(2), pending_, held_).status ==
                StoreOutcome::Status::Kept);
        QVERIFY(writeBytes(db_ + QStringLiteral(".go"), {}));
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(other.exitCode(), 0);
        QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(4)}));
        QCOMPARE(ResultLog::storePending(db, pending_, held_).storedLater, 1);
        QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(4), storedText(2)}));
        QVERIFY(!QFileInfo::exists(pending_));
    }

    void oddTitlesSurviveThePendingFile() {
        QVERIFY(freshDb());
        const QStringList titles{
            QStringLiteral("Tab\tmitten"),
            QStringLiteral("Zeile 1\r\nZeile 2\nZeile 3\rEnde"),
            QStringLiteral("Peter's \"große\" Übung'); DROP TABLE log; --"),
            QStringLiteral("100% %41%0A %%"),
            QStringLiteral("R1\tfalsch\t2026-12-06 14:05:09\t1"),
            QStringLiteral("  Blanks  \\ C:\\Texte\\brief.txt € 😀"),
            QString(500, QChar(0x00E4)),
            QStringLiteral(""),
        };
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(refuseInserts(true));
        for (int i = 0; i < titles.size(); ++i)
            QVERIFY(ResultLog::store(db, result(i + 1, titles[i]), pending_, held_).status ==
                    StoreOutcome::Status::Kept);
        QVERIFY(ResultLog::store(db, result(20, QString()), pending_, held_).status ==
                StoreOutcome::Status::Kept);
        QVERIFY(refuseInserts(false));

        const StoreOutcome outcome = ResultLog::storePending(db, pending_, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Stored);
        QCOMPARE(outcome.storedLater, int(titles.size()) + 1);
        QStringList expected;
        for (int i = 0; i < titles.size(); ++i)
            expected << storedText(i + 1, titles[i]);
        expected << storedText(20, QStringLiteral(""));
        QCOMPARE(stored(db_), expected);
        QCOMPARE(TestSupport::queryValue(db_, QStringLiteral("SELECT count(*) FROM log WHERE "
                                                             "Dateiname IS NULL"))
                     .toInt(),
                 0);
    }

    void anUnusablePendingFileIsLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        const QString link =
            QStringLiteral("Die Datei ist eine symbolische Verknüpfung; ihr wird nicht gefolgt.");
        const QString special = QStringLiteral("Die Datei ist keine gewöhnliche Datei.");
        QTest::newRow("unreadable") << "unreadable" << QStringLiteral("Zugriff verweigert.");
        QTest::newRow("a folder") << "folder" << special;
        QTest::newRow("a pipe") << "pipe" << special;
        QTest::newRow("a link to /dev/zero") << "zero" << link;
        QTest::newRow("a link to a file elsewhere") << "link" << link;
        QTest::newRow("too big") << "big"
                                 << QStringLiteral("Die Datei ist größer als 16 MB und kann keine "
                                                   "aufbewahrten Ergebnisse enthalten.");
    }

    void anUnusablePendingFileIsLeftAlone() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QVERIFY(freshDb());
        const QString elsewhere = dir_.filePath(kind + QStringLiteral(".anderswo"));
        const QByteArray name = QFile::encodeName(pending_);
        QFile file(pending_);
        if (kind == QLatin1String("unreadable"))
            QVERIFY(writeBytes(pending_, "R1\tetwas\n") && file.setPermissions({}));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(pending_));
        else if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pending_));
        else if (kind == QLatin1String("link"))
            QVERIFY(writeBytes(elsewhere, "fremd\n") && QFile::link(elsewhere, pending_));
        else
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(17 * 1024 * 1024));
        file.close();
        const auto state = [&] {
            struct stat st {};
            return ::lstat(name.constData(), &st) == 0
                       ? QStringLiteral("%1 %2 ").arg(st.st_mode).arg(st.st_size) +
                             QString::fromLatin1(bytesOf(elsewhere))
                       : QStringLiteral("fehlt");
        };
        const QString before = state();
        const OwnerPermissionsOnly asUser;
        Database db;
        QVERIFY(db.open(db_));
        StoreOutcome outcome = ResultLog::store(db, result(1), pending_, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Stored);
        QCOMPARE(outcome.message,
                 QStringLiteral("Die aufbewahrten Ergebnisse in „") + pending_ +
                     QStringLiteral("“ können nicht gelesen werden: ") + reason +
                     QStringLiteral("\r\nDie Datei bleibt, wie sie ist; neue Ergebnisse werden "
                                    "trotzdem gespeichert."));
        // Told once. With the database refusing too, the result is held, never written there.
        QVERIFY(refuseInserts(true));
        outcome = ResultLog::store(db, result(2), pending_, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Held);
        QVERIFY(refuseInserts(false));
        outcome = ResultLog::store(db, result(3), pending_, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Stored);
        QVERIFY(outcome.message.isEmpty());
        QCOMPARE(stored(db_), (QStringList{storedText(1), storedText(2), storedText(3)}));
        QCOMPARE(state(), before);
    }

    void aDamagedLineIsKeptAside_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("a character changed") << QStringLiteral("changed");
        QTest::newRow("the last line torn off") << QStringLiteral("torn");
        QTest::newRow("a foreign line") << QStringLiteral("foreign");
        QTest::newRow("binary bytes") << QStringLiteral("binary");
        QTest::newRow("an over-long line") << QStringLiteral("long");
        QTest::newRow("the aside file a link") << QStringLiteral("link");
    }

    void aDamagedLineIsKeptAside() {
        QFETCH(QString, damage);
        QVERIFY(freshDb());
        Database db;
        QVERIFY(db.open(db_));
        QVERIFY(refuseInserts(true));
        QVERIFY(ResultLog::store(db, result(1), pending_, held_).status ==
                StoreOutcome::Status::Kept);
        QVERIFY(ResultLog::store(db, result(2), pending_, held_).status ==
                StoreOutcome::Status::Kept);
        QByteArray bytes = bytesOf(pending_);
        QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 3); // two lines and the end of the last
        QByteArray bad;
        if (damage == QLatin1String("changed")) {
            // 14:05:01 becomes 14:05:07: a plausible line with a wrong value.
            lines[0].replace("14:05:01", "14:05:07");
            bad = lines[0];
        } else if (damage == QLatin1String("torn")) {
            lines[1].chop(20);
            bad = lines[1];
            lines.removeLast(); // the line's end was never written
        } else if (damage == QLatin1String("foreign")) {
            bad = "R1\tvon Hand\t2026-12-06 14:05:09";
            lines.insert(1, bad);
        } else if (damage == QLatin1String("long")) {
            lines.insert(1, QByteArray(3 * 1024 * 1024, 'x'));
            bad = QByteArray(1024 * 1024, 'x'); // the beginning only
        } else {
            bad = QByteArray("\x00\xff\x01\tR1\t\x7f", 7);
            lines.insert(1, bad);
        }
        const QString aside = pending_ + QStringLiteral(".damaged");
        const QString elsewhere = pending_ + QStringLiteral(".anderswo");
        if (damage == QLatin1String("link"))
            QVERIFY(writeBytes(elsewhere, "fremd\n") && QFile::link(elsewhere, aside));
        bytes = lines.join('\n');
        QVERIFY(writeBytes(pending_, bytes));
        // A result kept after the damage is not taken into the damaged line.
        QVERIFY(ResultLog::store(db, result(3), pending_, held_).status ==
                StoreOutcome::Status::Kept);
        QVERIFY(refuseInserts(false));

        const StoreOutcome outcome = ResultLog::storePending(db, pending_, held_);
        QVERIFY(outcome.status == StoreOutcome::Status::Stored);
        const QString head = QStringLiteral("Eine Zeile in „") + pending_ +
                             QStringLiteral("“ ist beschädigt und kann nicht gespeichert werden");
        if (damage == QLatin1String("link")) {
            // Never written through the link: the line stays where it is.
            QCOMPARE(outcome.message,
                     head + QStringLiteral("; sie bleibt in dieser Datei: Die "
                                           "Datei ist eine symbolische "
                                           "Verknüpfung; ihr wird nicht gefolgt."));
            QCOMPARE(bytesOf(elsewhere), QByteArray("fremd\n"));
            QVERIFY(bytesOf(pending_).contains(bad));
            return;
        }
        QCOMPARE(outcome.message,
                 head + QStringLiteral("; sie ist in „") + aside + QStringLiteral("“ aufbewahrt."));
        QStringList expected;
        if (damage == QLatin1String("changed"))
            expected << storedText(2);
        else if (damage == QLatin1String("torn"))
            expected << storedText(1);
        else
            expected << storedText(1) << storedText(2);
        expected << storedText(3);
        QCOMPARE(stored(db_), expected);
        QCOMPARE(bytesOf(aside), bad + '\n');
        QVERIFY(!QFileInfo::exists(pending_));
    }
};

QUENDAL_TEST(TstPendingResults)
#include "tst_pendingresults.moc"
