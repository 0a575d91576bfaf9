#include "DataTestHelpers.h"
#include "TestMain.h"
#include "TestSupport.h"

#include "data/DataLocation.h"
#include "data/DatabaseSetup.h"
#include "platform/Database.h"
#include "platform/RecordSet.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using DataTest::bytesOf;
using DataTest::EnvGuard;
using DataTest::listing;
using DataTest::writeBytes;

namespace {

QString quoted(const QString& path) {
    return QStringLiteral("„") + path + QStringLiteral("“");
}

// A small lesson database whose one tip tells copies apart.
bool makeLessonDb(const QString& path, const QString& marker) {
    return TestSupport::createEmptyDb(path) &&
           TestSupport::execOn(path, QStringLiteral("INSERT INTO tips (txt) VALUES (?)"), {marker});
}

QString tipOf(const QString& path) {
    return TestSupport::queryValue(path, QStringLiteral("SELECT txt FROM tips")).toString();
}

bool setModified(const QString& path, const QDateTime& when) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(when, QFileDevice::FileModificationTime);
}

QByteArray randomBytes(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(QRandomGenerator::global()->bounded(256));
    // Never by chance the SQLite header.
    bytes.replace(0, 6, "KAPUTT");
    return bytes;
}

// Lets file writes of this process fail beyond a few bytes, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool ok() const { return ok_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool ok_ = false;
};

// description is the exact text, or "*" and a part of it (a driver's own words).
bool describedAs(const QString& got, const QString& description) {
    return description.startsWith(QLatin1Char('*')) ? got.contains(description.mid(1))
                                                    : got == description;
}

} // namespace

class TstDatabaseSetup : public QObject {
    Q_OBJECT

private slots:
    void firstRunCreatesFolderAndCopy() {
        TestSupport::TempAppData appData;
        const QString folder = DataLocation::dataFolder();
        const QString dbPath = DataLocation::databasePath();
        const QString templatePath = DataLocation::templatePath(TestSupport::binDir());
        QCOMPARE(folder, appData.dataFolder());
        QCOMPARE(dbPath, appData.dbPath());
        QVERIFY(!QFileInfo::exists(folder));
        const QByteArray templateBytes = bytesOf(templatePath);
        QVERIFY(!templateBytes.isEmpty());

        QString error = QStringLiteral("alt");
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(folder, dbPath, templatePath, &error),
                 qPrintable(error));
        QVERIFY(error.isEmpty());
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(bytesOf(dbPath), templateBytes);
        QCOMPARE(listing(appData.path()),
                 (QStringList{QStringLiteral("quendal1_1"),
                              QStringLiteral("quendal1_1/quendal1_1.mdb")}));
        QCOMPARE(bytesOf(templatePath), templateBytes);

        Database db;
        QString message = QStringLiteral("alt");
        QVERIFY2(DatabaseSetup::OpenDatabase(db, dbPath, &message), qPrintable(message));
        QVERIFY(message.isEmpty());
        QVERIFY(db.isOpen());
        RecordSet rs;
        QVERIFY(rs.open(db, QStringLiteral("SELECT id FROM uebungen")));
        QVERIFY(rs.recordCount() > 0);
    }

    void existingCopyIsNeverReplaced_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("older copy, newer template") << false;
        QTest::newRow("damaged copy, newer template") << true;
    }

    void existingCopyIsNeverReplaced() {
        QFETCH(bool, damaged);
        TestSupport::TempAppData appData;
        QTemporaryDir program;
        const QString templatePath = DataLocation::templatePath(program.path());
        QVERIFY(makeLessonDb(templatePath, QStringLiteral("Vorlage")));
        QVERIFY(QDir().mkdir(appData.dataFolder()));
        if (damaged)
            QVERIFY(writeBytes(appData.dbPath(), randomBytes(3000)));
        else
            QVERIFY(makeLessonDb(appData.dbPath(), QStringLiteral("Arbeitskopie")));
        const QDateTime old(QDate(2020, 1, 2), QTime(3, 4, 5));
        QVERIFY(setModified(appData.dbPath(), old));
        QVERIFY(setModified(templatePath, QDateTime::currentDateTime().addSecs(3600)));
        const QByteArray before = bytesOf(appData.dbPath());

        QString error;
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error),
                 qPrintable(error));
        QCOMPARE(bytesOf(appData.dbPath()), before);
        QCOMPARE(QFileInfo(appData.dbPath()).lastModified(), old);
        if (!damaged)
            QCOMPARE(tipOf(appData.dbPath()), QStringLiteral("Arbeitskopie"));
    }

    void existingCopyNeedsNoTemplate() {
        TestSupport::TempAppData appData;
        QVERIFY(QDir().mkdir(appData.dataFolder()));
        QVERIFY(makeLessonDb(appData.dbPath(), QStringLiteral("Arbeitskopie")));
        QString error;
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  appData.path() + QStringLiteral("/nirgends.mdb"),
                                                  &error),
                 qPrintable(error));
        QCOMPARE(tipOf(appData.dbPath()), QStringLiteral("Arbeitskopie"));
    }

    void folderWithoutFileGetsCopy() {
        TestSupport::TempAppData appData;
        QTemporaryDir program;
        const QString templatePath = DataLocation::templatePath(program.path());
        QVERIFY(makeLessonDb(templatePath, QStringLiteral("Vorlage")));
        QVERIFY(QDir().mkdir(appData.dataFolder()));
        QVERIFY(writeBytes(appData.dataFolder() + QStringLiteral("/notiz.txt"), "bleibt"));

        QString error;
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error),
                 qPrintable(error));
        QCOMPARE(bytesOf(appData.dbPath()), bytesOf(templatePath));
        QCOMPARE(tipOf(appData.dbPath()), QStringLiteral("Vorlage"));
        QCOMPARE(bytesOf(appData.dataFolder() + QStringLiteral("/notiz.txt")),
                 QByteArray("bleibt"));
    }

    void copyOfReadOnlyTemplateIsWritable() {
        TestSupport::TempAppData appData;
        QTemporaryDir program;
        const QString templatePath = DataLocation::templatePath(program.path());
        QVERIFY(makeLessonDb(templatePath, QStringLiteral("Vorlage")));
        QVERIFY(QFile::setPermissions(templatePath,
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QString error;
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error),
                 qPrintable(error));
        // Results are appended to the copy, so it must not inherit the template's protection.
        QVERIFY(QFileInfo(appData.dbPath()).permissions() & QFile::WriteOwner);
        QCOMPARE(bytesOf(appData.dbPath()), bytesOf(templatePath));
    }

    void withoutAppDataTheParentsAreCreated_data() {
        QTest::addColumn<bool>("unset");
        QTest::newRow("APPDATA unset") << true;
        QTest::newRow("APPDATA empty") << false;
    }

    void withoutAppDataTheParentsAreCreated() {
        QFETCH(bool, unset);
        QTemporaryDir home;
        const QString share = home.filePath(QStringLiteral("neu/.local/share"));
        EnvGuard data("XDG_DATA_HOME", share);
        EnvGuard env("APPDATA", QString());
        if (unset)
            env.unset();

        const QString folder = DataLocation::dataFolder();
        QCOMPARE(folder, share + QStringLiteral("/quendal1_1"));
        QString error;
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(folder, DataLocation::databasePath(),
                                                  TestSupport::templateDb(), &error),
                 qPrintable(error));
        QCOMPARE(bytesOf(share + QStringLiteral("/quendal1_1/quendal1_1.mdb")),
                 bytesOf(TestSupport::templateDb()));
        Database db;
        QVERIFY(DatabaseSetup::OpenDatabase(db, DataLocation::databasePath(), &error));
    }

    void uncreatableFolder_data() {
        QTest::addColumn<QString>("appDataName");
        QTest::addColumn<QString>("fileName"); // a regular file made before, "" for none
        QTest::addColumn<QString>("reason");
        QTest::newRow("APPDATA is a regular file")
            << QStringLiteral("datei") << QStringLiteral("datei")
            << QStringLiteral("Ein Teil des Pfads ist eine Datei, kein Ordner.");
        QTest::newRow("APPDATA is missing and is not created")
            << QStringLiteral("fehlt") << QString()
            << QStringLiteral("Der übergeordnete Ordner ist nicht vorhanden.");
        QTest::newRow("the data folder's name is taken by a file")
            << QStringLiteral("appdata") << QStringLiteral("appdata/quendal1_1")
            << QStringLiteral("Unter diesem Namen besteht bereits eine Datei.");
    }

    void uncreatableFolder() {
        QFETCH(QString, appDataName);
        QFETCH(QString, fileName);
        QFETCH(QString, reason);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("appdata")));
        if (!fileName.isEmpty())
            QVERIFY(writeBytes(root.filePath(fileName), "Inhalt"));
        EnvGuard env("APPDATA", root.filePath(appDataName));
        const QStringList before = listing(root.path());

        const QString folder = DataLocation::dataFolder();
        QString error;
        QVERIFY(!DatabaseSetup::ensureWorkingCopy(folder, DataLocation::databasePath(),
                                                  TestSupport::templateDb(), &error));
        QCOMPARE(error, QStringLiteral("Der Ordner ") + quoted(folder) +
                            QStringLiteral(" kann nicht angelegt werden: ") + reason);
        QCOMPARE(listing(root.path()), before);
        if (!fileName.isEmpty())
            QCOMPARE(bytesOf(root.filePath(fileName)), QByteArray("Inhalt"));
    }

    void unusableTemplate_data() {
        QTest::addColumn<bool>("directory");
        QTest::addColumn<QString>("what");
        QTest::newRow("missing") << false << QStringLiteral("ist nicht vorhanden");
        QTest::newRow("a directory") << true << QStringLiteral("ist keine Datei");
    }

    void unusableTemplate() {
        QFETCH(bool, directory);
        QFETCH(QString, what);
        TestSupport::TempAppData appData;
        QTemporaryDir program;
        const QString templatePath = DataLocation::templatePath(program.path());
        if (directory)
            QVERIFY(QDir().mkdir(templatePath));

        QString error;
        QVERIFY(!DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error));
        QCOMPARE(error, QStringLiteral("Die Vorlage ") + quoted(templatePath) + QLatin1Char(' ') +
                            what + QStringLiteral("; die Datenbank ") + quoted(appData.dbPath()) +
                            QStringLiteral(" kann nicht angelegt werden."));
        // Not even the folder is left.
        QCOMPARE(listing(appData.path()), QStringList());
    }

    void failedCopyLeavesNothingBehind_data() {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("new folder") << false;
        QTest::newRow("existing folder") << true;
    }

    void failedCopyLeavesNothingBehind() {
        QFETCH(bool, folderExists);
        TestSupport::TempAppData appData;
        const QString templatePath = TestSupport::templateDb();
        QVERIFY(QFileInfo(templatePath).size() > 8192);
        if (folderExists)
            QVERIFY(QDir().mkdir(appData.dataFolder()));
        const QStringList before = listing(appData.path());

        QString error;
        bool copied = true;
        {
            FileSizeLimit limit(4096);
            QVERIFY(limit.ok());
            copied = DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                      templatePath, &error);
        }
        QVERIFY(!copied);
        const QString start = QStringLiteral("Die Vorlage ") + quoted(templatePath) +
                              QStringLiteral(" kann nicht nach ") + quoted(appData.dbPath()) +
                              QStringLiteral(" kopiert werden: Schreibfehler");
        QVERIFY2(error.startsWith(start), qPrintable(error));
        QCOMPARE(listing(appData.path()), before);

        // Without the limit the same call succeeds: it was the copy that failed.
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error),
                 qPrintable(error));
        QCOMPARE(bytesOf(appData.dbPath()), bytesOf(templatePath));
    }

    void pathsWithSpecialCharacters_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("blank and umlaut") << QStringLiteral("Jörg Müller");
        QTest::newRow("quotes") << QStringLiteral("O'Neil \"Daten\"");
        QTest::newRow("URI characters") << QStringLiteral("a#b?c=d&e%20f%");
    }

    void pathsWithSpecialCharacters() {
        QFETCH(QString, name);
        QTemporaryDir root;
        const QString appData = root.filePath(name);
        QVERIFY(QDir().mkdir(appData));
        EnvGuard env("APPDATA", appData);

        QString error;
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(DataLocation::dataFolder(),
                                                  DataLocation::databasePath(),
                                                  TestSupport::templateDb(), &error),
                 qPrintable(error));
        Database db;
        QVERIFY2(DatabaseSetup::OpenDatabase(db, DataLocation::databasePath(), &error),
                 qPrintable(error));
        RecordSet rs;
        QVERIFY(rs.open(db, QStringLiteral("SELECT id FROM uebungen")));
        QVERIFY(rs.recordCount() > 0);
        // The file opened is the copy itself, not one made elsewhere under an encoded name.
        QCOMPARE(listing(root.path()),
                 (QStringList{name, name + QStringLiteral("/quendal1_1"),
                              name + QStringLiteral("/quendal1_1/quendal1_1.mdb")}));
    }

    void unopenableCopy_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description"); // exact; "*" + text: contains text
        QTest::newRow("random bytes")
            << QStringLiteral("random") << QStringLiteral("*file is not a database");
        QTest::newRow("empty file") << QStringLiteral("empty")
                                    << QStringLiteral("Die Datenbank enthält keine Tabelle "
                                                      "„uebungsarten“.");
        QTest::newRow("directory")
            << QStringLiteral("directory") << QStringLiteral("Der Pfad ist keine Datei.");
        QTest::newRow("missing") << QStringLiteral("missing")
                                 << QStringLiteral("Die Datei ist nicht vorhanden.");
        QTest::newRow("another database") << QStringLiteral("other")
                                          << QStringLiteral("Die Datenbank enthält keine Tabelle "
                                                            "„uebungsarten“.");
        QTest::newRow("lesson database without log")
            << QStringLiteral("nolog")
            << QStringLiteral("Die Datenbank enthält keine Tabelle „log“.");
    }

    void unopenableCopy() {
        QFETCH(QString, kind);
        QFETCH(QString, description);
        TestSupport::TempAppData appData;
        const QString folder = appData.dataFolder();
        const QString path = appData.dbPath();
        QVERIFY(QDir().mkdir(folder));
        if (kind == QLatin1String("random")) {
            QVERIFY(writeBytes(path, randomBytes(5000)));
        } else if (kind == QLatin1String("empty")) {
            QVERIFY(writeBytes(path, QByteArray()));
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == QLatin1String("other")) {
            QVERIFY(TestSupport::createEmptyDb(path));
            for (const char* table :
                 {"uebungsarten", "uebungen", "tips", "gym", "numuebungen", "log"})
                QVERIFY(TestSupport::execOn(
                    path, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table))));
            QVERIFY(TestSupport::execOn(path, QStringLiteral("CREATE TABLE fremd (x)")));
        } else if (kind == QLatin1String("nolog")) {
            QVERIFY(TestSupport::createEmptyDb(path));
            QVERIFY(TestSupport::execOn(path, QStringLiteral("DROP TABLE log")));
        }
        const QDateTime old(QDate(2021, 5, 6), QTime(7, 8, 9));
        if (QFileInfo(path).isFile())
            QVERIFY(setModified(path, old));
        const QByteArray before = bytesOf(path);
        const QStringList filesBefore = listing(appData.path());

        // The start-up sequence: an existing copy is kept, however broken, and opening it fails.
        QString error;
        if (kind != QLatin1String("missing"))
            QVERIFY(
                DatabaseSetup::ensureWorkingCopy(folder, path, TestSupport::templateDb(), &error));

        Database db;
        QString message;
        QVERIFY(!DatabaseSetup::OpenDatabase(db, path, &message));
        QVERIFY(!db.isOpen());
        const QString head = QStringLiteral("Verbindung mit ") + path +
                             QStringLiteral(" nicht möglich.") + QStringLiteral("\r\n");
        QVERIFY2(message.startsWith(head), qPrintable(message));
        const QString got = message.mid(head.size());
        QVERIFY2(describedAs(got, description), qPrintable(got));

        // Left exactly as it was: same bytes, same time, nothing beside it.
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(listing(appData.path()), filesBefore);
        if (QFileInfo(path).isFile())
            QCOMPARE(QFileInfo(path).lastModified(), old);
    }

    void aCopyLackingAColumnIsRefused_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        const QList<std::pair<const char*, QStringList>> tables{
            {"uebungsarten", {"id", "bezeichnung"}},
            {"uebungen",
             {"id", "art", "ordnungszahl", "title", "kommentar", "uebungstext", "tasten"}},
            {"tips", {"txt"}},
            {"gym", {"txt"}},
            {"numuebungen", {"title", "txt"}},
            {"log",
             {"Id", "Zeitpunkt", "Lektion", "Dateiname", "Zeichenanzahl", "Dauer", "Treffer",
              "Fehler", "ff1", "ff2", "ff3", "ff4", "ff5", "ff6", "ff7", "ff8", "ff9", "ff10"}},
        };
        for (const auto& [table, columns] : tables) {
            for (const QString& column : columns)
                QTest::addRow("%s.%s", table, qPrintable(column))
                    << QString::fromLatin1(table) << column;
        }
    }

    void aCopyLackingAColumnIsRefused() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        TestSupport::TempAppData appData;
        QVERIFY(QDir().mkdir(appData.dataFolder()));
        const QString path = appData.dbPath();
        QVERIFY(TestSupport::createEmptyDb(path));
        QVERIFY(TestSupport::execOn(
            path, QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO alt").arg(table, column)));
        const QDateTime old(QDate(2021, 5, 6), QTime(7, 8, 9));
        QVERIFY(setModified(path, old));
        const QByteArray before = bytesOf(path);
        const QStringList filesBefore = listing(appData.path());

        Database db;
        QString message;
        QVERIFY(!DatabaseSetup::OpenDatabase(db, path, &message));
        QVERIFY(!db.isOpen());
        QCOMPARE(message, QStringLiteral("Verbindung mit ") + path +
                              QStringLiteral(" nicht möglich.\r\nDer Tabelle „") + table +
                              QStringLiteral("“ fehlt die Spalte „") + column +
                              QStringLiteral("“."));
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(listing(appData.path()), filesBefore);
        QCOMPARE(QFileInfo(path).lastModified(), old);
    }

    void aLogIdThatIsNoRowNumberIsRefused_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain column") << "Id INTEGER" << false;
        QTest::newRow("no AUTOINCREMENT") << "Id INTEGER PRIMARY KEY" << false;
        QTest::newRow("INT") << "Id INT PRIMARY KEY" << false;
        QTest::newRow("two key columns") << "Id INTEGER, PRIMARY KEY (Id, Dauer)" << false;
        QTest::newRow("the word in a comment")
            << "Id INTEGER PRIMARY KEY /* AUTOINCREMENT */" << false;
        QTest::newRow("the word as a name")
            << "Id INTEGER PRIMARY KEY, \"AUTOINCREMENT\" TEXT" << false;
        QTest::newRow("lower case") << "id integer primary key autoincrement" << true;
        QTest::newRow("table constraint") << "Id INTEGER, PRIMARY KEY (Id AUTOINCREMENT)" << true;
    }

    void aLogIdThatIsNoRowNumberIsRefused() {
        QFETCH(QString, id);
        QFETCH(bool, accepted);
        TestSupport::TempAppData appData;
        QVERIFY(QDir().mkdir(appData.dataFolder()));
        const QString path = appData.dbPath();
        QVERIFY(TestSupport::createEmptyDb(path));
        QVERIFY(TestSupport::execOn(path, "DROP TABLE log"));
        QVERIFY(TestSupport::execOn(
            path, "CREATE TABLE log (Zeitpunkt, Lektion, Dateiname, Zeichenanzahl, Dauer, Treffer, "
                  "Fehler, ff1, ff2, ff3, ff4, ff5, ff6, ff7, ff8, ff9, ff10, " +
                      id + ")"));
        Database db;
        QString message;
        QCOMPARE(DatabaseSetup::OpenDatabase(db, path, &message), accepted);
        if (!accepted)
            QCOMPARE(message, QStringLiteral("Verbindung mit ") + path +
                                  QStringLiteral(" nicht möglich.\r\nDie Spalte „Id“ der Tabelle "
                                                 "„log“ ist kein fortlaufend vergebener Schlüssel "
                                                 "(INTEGER PRIMARY KEY AUTOINCREMENT)."));
    }

    void columnNamesMatchWithoutRegardToCase() {
        TestSupport::TempAppData appData;
        QVERIFY(QDir().mkdir(appData.dataFolder()));
        QVERIFY(TestSupport::createEmptyDb(appData.dbPath()));
        QVERIFY(TestSupport::execOn(appData.dbPath(),
                                    QStringLiteral("ALTER TABLE log RENAME COLUMN Zeitpunkt TO "
                                                   "ZEITPUNKT")));
        QVERIFY(TestSupport::execOn(appData.dbPath(),
                                    QStringLiteral("ALTER TABLE uebungen RENAME COLUMN title TO "
                                                   "Title")));
        Database db;
        QString message;
        QVERIFY2(DatabaseSetup::OpenDatabase(db, appData.dbPath(), &message), qPrintable(message));
    }

    void aBadTemplateIsNotCopied_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description"); // exact; "*" + text: contains text
        QTest::newRow("random bytes")
            << QStringLiteral("random") << QStringLiteral("*file is not a database");
        QTest::newRow("empty file") << QStringLiteral("empty")
                                    << QStringLiteral("Die Datenbank enthält keine Tabelle "
                                                      "„uebungsarten“.");
        QTest::newRow("without log") << QStringLiteral("nolog")
                                     << QStringLiteral("Die Datenbank enthält keine Tabelle "
                                                       "„log“.");
        QTest::newRow("log without ff10")
            << QStringLiteral("noff10")
            << QStringLiteral("Der Tabelle „log“ fehlt die Spalte „ff10“.");
    }

    void aBadTemplateIsNotCopied() {
        QFETCH(QString, kind);
        QFETCH(QString, description);
        TestSupport::TempAppData appData;
        QTemporaryDir program;
        const QString templatePath = DataLocation::templatePath(program.path());
        if (kind == QLatin1String("random")) {
            QVERIFY(writeBytes(templatePath, randomBytes(8192)));
        } else if (kind == QLatin1String("empty")) {
            QVERIFY(writeBytes(templatePath, QByteArray()));
        } else {
            QVERIFY(makeLessonDb(templatePath, QStringLiteral("Vorlage")));
            QVERIFY(TestSupport::execOn(templatePath, kind == QLatin1String("nolog")
                                                          ? QStringLiteral("DROP TABLE log")
                                                          : QStringLiteral("ALTER TABLE log DROP "
                                                                           "COLUMN ff10")));
        }
        const QByteArray templateBytes = bytesOf(templatePath);
        const QStringList programFiles = listing(program.path());

        QString error;
        QVERIFY(!DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error));
        const QString head = QStringLiteral("Die Vorlage ") + quoted(templatePath) +
                             QStringLiteral(" ist keine brauchbare Lektionsdatenbank; die "
                                            "Datenbank ") +
                             quoted(appData.dbPath()) +
                             QStringLiteral(" kann nicht angelegt werden.\r\n");
        QVERIFY2(error.startsWith(head), qPrintable(error));
        QVERIFY2(describedAs(error.mid(head.size()), description), qPrintable(error));
        QCOMPARE(listing(appData.path()), QStringList());
        QCOMPARE(bytesOf(templatePath), templateBytes);
        QCOMPARE(listing(program.path()), programFiles);

        // Once the template is repaired, the next start makes its copy.
        QVERIFY(QFile::remove(templatePath));
        QVERIFY(QFile::copy(TestSupport::templateDb(), templatePath));
        QVERIFY2(DatabaseSetup::ensureWorkingCopy(appData.dataFolder(), appData.dbPath(),
                                                  templatePath, &error),
                 qPrintable(error));
        Database db;
        QVERIFY2(DatabaseSetup::OpenDatabase(db, appData.dbPath(), &error), qPrintable(error));
    }

    void databaseOpenRefusesWhatIsNoDatabase_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("random bytes") << QStringLiteral("random");
        QTest::newRow("directory") << QStringLiteral("directory");
        QTest::newRow("missing") << QStringLiteral("missing");
    }

    void databaseOpenRefusesWhatIsNoDatabase() {
        QFETCH(QString, kind);
        QTemporaryDir root;
        const QString path = root.filePath(QStringLiteral("x.mdb"));
        if (kind == QLatin1String("random"))
            QVERIFY(writeBytes(path, randomBytes(5000)));
        else if (kind == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(path));
        const QByteArray before = bytesOf(path);
        const QStringList filesBefore = listing(root.path());

        Database db;
        QVERIFY(!db.open(path));
        QVERIFY(!db.isOpen());
        QVERIFY(!db.lastError().isEmpty());
        QVERIFY(db.path().isEmpty());
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(listing(root.path()), filesBefore);

        // A failed open leaves no half-open connection: a later open of a good file works.
        QVERIFY(TestSupport::createEmptyDb(root.filePath(QStringLiteral("gut.mdb"))));
        QVERIFY(db.open(root.filePath(QStringLiteral("gut.mdb"))));
        QVERIFY(db.lastError().isEmpty());
    }
};

QUENDAL_TEST(TstDatabaseSetup)
#include "tst_databasesetup.moc"
