#include "TestMain.h"
#include "TestSupport.h"

#include "platform/SettingsStore.h"
#include "settings/SettingsIO.h"
#include "settings/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace {

QString iniPath(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           application + QStringLiteral(".ini");
}

void writeIni(const QString& application, const QByteArray& content) {
    QDir().mkpath(QFileInfo(iniPath(application)).absolutePath());
    QFile file(iniPath(application));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    // A file of its own for every test and row: QSettings keeps a file it has read by size and
    // time, so a row writing the same size within that time would read the row before.
    QString app_;
    int rows_ = 0;

private slots:
    void init() { app_ = QStringLiteral("Quendal1_1-%1").arg(++rows_); }
    void cleanup() {
        QFile::remove(iniPath(app_));
        QDir(iniPath(app_)).removeRecursively();
    }

    void anEmptyStoreGivesTheFirstStartValues() {
        const SettingsStore store(QStringLiteral("Quendal1_1"));
        QCOMPARE(store.fileName(), iniPath(QStringLiteral("Quendal1_1")));
        const Settings s = SettingsIO::loadOptions(store);
        QCOMPARE(s.Benutzer, QString());
        QVERIFY(s.CheckLoadTips && s.checkDino && s.CheckFehlermeldung && s.CheckGeraeusch);
        QCOMPARE(s.Farbwert1, 16761024);
        QCOMPARE(s.Tdauer, qint16(1));
        const WindowPosition p = SettingsIO::loadPosition(store);
        QCOMPARE(p.left, 0.0f);
        QCOMPARE(p.top, 0.0f);
    }

    void valuesWrittenAreReadBack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("flags");
        QTest::addColumn<qint32>("colour");
        QTest::addColumn<qint16>("period");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::newRow("umlauts") << QString::fromUtf8("Jürgen Größ") << false << 255 << qint16(60)
                                 << 1234.5f << 7890.0f;
        QTest::newRow("comma and blanks")
            << QStringLiteral(" Müller, Hans ") << true << -1 << qint16(32767) << -300.0f << 0.25f;
        QTest::newRow("quotes and equals")
            << QStringLiteral("a=\"b\";c") << false << 0x7FFFFFFF << qint16(-5) << 0.0f << 1e7f;
    }
    void valuesWrittenAreReadBack() {
        QFETCH(QString, name);
        QFETCH(bool, flags);
        QFETCH(qint32, colour);
        QFETCH(qint16, period);
        QFETCH(float, left);
        QFETCH(float, top);
        {
            SettingsStore store(app_);
            Settings s;
            s.Benutzer = name;
            s.CheckLoadTips = flags;
            s.checkDino = !flags;
            s.CheckFehlermeldung = flags;
            s.CheckGeraeusch = !flags;
            s.Farbwert1 = colour;
            s.Tdauer = period;
            SettingsIO::saveOptions(store, s);
            SettingsIO::savePosition(store, {left, top});
            QVERIFY(store.flush());
        }
        // Read as the next run of the program would: the file, not what QSettings kept of it.
        QVERIFY(QFile::copy(iniPath(app_), iniPath(app_ + u'r')));
        const SettingsStore store(app_ + u'r');
        const Settings s = SettingsIO::loadOptions(store);
        QCOMPARE(s.Benutzer, name);
        QCOMPARE(s.CheckLoadTips, flags);
        QCOMPARE(s.checkDino, !flags);
        QCOMPARE(s.CheckFehlermeldung, flags);
        QCOMPARE(s.CheckGeraeusch, !flags);
        QCOMPARE(s.Farbwert1, colour);
        QCOMPARE(s.Tdauer, period);
        QCOMPARE(SettingsIO::loadPosition(store).left, left);
        QCOMPARE(SettingsIO::loadPosition(store).top, top);

        // The file keeps the sections and keys as named, Booleans as words.
        QFile file(iniPath(app_));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("[Optionen]")));
        QVERIFY(text.contains(QStringLiteral("[Settings]")));
        QVERIFY(text.contains(QStringLiteral("CheckLoadTips=") +
                              (flags ? QStringLiteral("True") : QStringLiteral("False"))));
        QVERIFY(text.contains(QStringLiteral("Tdauer=") + QString::number(period)));
        QVERIFY(text.contains(QStringLiteral("MainLeft=")));
    }

    // Values edited by hand that do not convert take the key's default; the others are kept.
    void handEditedValuesFallBackToTheirDefaults_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<bool>("tips");
        QTest::addColumn<bool>("dino");
        QTest::addColumn<qint32>("colour");
        QTest::addColumn<qint16>("period");
        QTest::newRow("words") << QByteArray("CheckLoadTips=ja\ncheckDino=nein\nFarbwert1=abc\n")
                               << true << true << 16761024 << qint16(1);
        QTest::newRow("empty") << QByteArray("CheckLoadTips=\nFarbwert1=\nTdauer=\n") << true
                               << true << 16761024 << qint16(1);
        QTest::newRow("too wide") << QByteArray("Farbwert1=4294967296\nTdauer=32768\n") << true
                                  << true << 16761024 << qint16(1);
        QTest::newRow("numbers and case")
            << QByteArray("CheckLoadTips=0\ncheckDino=FALSE\nFarbwert1= 255 \nTdauer=-32768\n")
            << false << false << 255 << qint16(-32768);
        QTest::newRow("fraction") << QByteArray("Tdauer=2.5\nFarbwert1=1e3\n") << true << true
                                  << 16761024 << qint16(1);
    }
    void handEditedValuesFallBackToTheirDefaults() {
        QFETCH(QByteArray, options);
        QFETCH(bool, tips);
        QFETCH(bool, dino);
        QFETCH(qint32, colour);
        QFETCH(qint16, period);
        writeIni(app_, "[Optionen]\n" + options + "[Settings]\nMainLeft=links\nMainTop=inf\n");
        const SettingsStore store(app_);
        const Settings s = SettingsIO::loadOptions(store);
        QCOMPARE(s.CheckLoadTips, tips);
        QCOMPARE(s.checkDino, dino);
        QCOMPARE(s.Farbwert1, colour);
        QCOMPARE(s.Tdauer, period);
        QCOMPARE(SettingsIO::loadPosition(store).left, 0.0f);
        QCOMPARE(SettingsIO::loadPosition(store).top, 0.0f);
    }

    void aNameWithAnUnquotedCommaIsKeptWhole() {
        writeIni(app_, QByteArray("[Optionen]\nBenutzer=M\xC3\xBCller, Hans\n"));
        const SettingsStore store(app_);
        QCOMPARE(SettingsIO::loadOptions(store).Benutzer, QString::fromUtf8("Müller, Hans"));
    }

    // Twips at 15 a pixel; two screens side by side, 1280 x 1024 and 1920 x 1080.
    void aWindowOffEveryScreenGoesToTheCorner_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("on the first screen") << 1500.0f << 750.0f << QPoint(100, 50);
        QTest::newRow("on the second screen") << 30000.0f << 0.0f << QPoint(2000, 0);
        QTest::newRow("one pixel on the second") << 47985.0f << 16185.0f << QPoint(3199, 1079);
        QTest::newRow("right of both") << 48015.0f << 0.0f << QPoint(0, 0);
        QTest::newRow("below the first, beside the second") << 0.0f << 16200.0f << QPoint(0, 0);
        QTest::newRow("partly left of the first") << -6000.0f << 0.0f << QPoint(-400, 0);
        QTest::newRow("far beyond int") << 1e30f << -1e30f << QPoint(0, 0);
    }
    void aWindowOffEveryScreenGoesToTheCorner() {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(QPoint, corner);
        const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
        QCOMPARE(windowCorner({left, top}, QSize(930, 650), screens), corner);
    }

    void aStoreThatCannotBeUsedLeavesTheDefaults() {
        QVERIFY(QDir().mkpath(iniPath(app_))); // a folder where the file should be
        SettingsStore store(app_);
        QCOMPARE(SettingsIO::loadOptions(store).Farbwert1, 16761024);
        Settings s = Settings::defaults();
        s.Benutzer = QStringLiteral("Anna");
        SettingsIO::saveOptions(store, s);
        QVERIFY(!store.flush());
        QVERIFY(QFileInfo(iniPath(app_)).isDir());
    }
};

QUENDAL_TEST(TestSettings)
#include "tst_settings.moc"
