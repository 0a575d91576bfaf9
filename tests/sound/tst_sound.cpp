#include "TestMain.h"
#include "TestSupport.h"

#include "platform/AudioBackend.h"
#include "platform/SoundPlayer.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"

#include <QApplication>
#include <QAudioFormat>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWaveDecoder>
#include <QtEndian>

using namespace TestSupport;

namespace {

quint32 le32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Catches what the program hands to the desktop for file: URLs.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

enum class Call { Key, Error, Chime };

} // namespace

Q_DECLARE_METATYPE(Call)

class TstSound : public QObject {
    Q_OBJECT
private slots:
    void embeddedWaveFilesKeepTheirLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fileBytes");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<int>("centiseconds");
        const QStringList plain{"fmt ", "data"};
        QTest::newRow("chime") << "CHIMES2" << 18622 << 11127 << 18577 << plain << 167;
        QTest::newRow("error") << "FASTHEY" << 1476 << 11128 << 1431 << plain << 13;
        QTest::newRow("key") << "MSGTYPE" << 3756 << 22050 << 3697
                             << QStringList{"fmt ", "fact", "data"} << 17;
        QTest::newRow("unused") << "MSGBACK" << 1977 << 11025 << 1933 << plain << 18;
    }
    void embeddedWaveFilesKeepTheirLayout() {
        QFETCH(QString, name);
        QFETCH(int, fileBytes);
        QFETCH(int, sampleRate);
        QFETCH(int, dataBytes);
        QFETCH(QStringList, chunks);
        QFETCH(int, centiseconds);

        QFile file(":/sounds/" + name + ".wav");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray wave = file.readAll();
        QCOMPARE(wave.size(), fileBytes);
        QCOMPARE(wave.left(4), QByteArray("RIFF"));
        QCOMPARE(le32(wave, 4), quint32(fileBytes - 8));
        QCOMPARE(wave.mid(8, 4), QByteArray("WAVE"));

        // Walk the chunks; an odd chunk is followed by a pad byte unless the file ends there.
        QStringList found;
        qsizetype at = 12;
        qsizetype fmt = -1, data = -1;
        quint32 dataSize = 0;
        while (at + 8 <= wave.size()) {
            const QString id = QString::fromLatin1(wave.mid(at, 4));
            const quint32 size = le32(wave, at + 4);
            QVERIFY2(at + 8 + qsizetype(size) <= wave.size(), qPrintable(id));
            found << id;
            if (id == "fmt ")
                fmt = at + 8;
            if (id == "data") {
                data = at + 8;
                dataSize = size;
            }
            at += 8 + size + (size % 2);
        }
        QCOMPARE(found, chunks);
        QVERIFY(at == wave.size() || at == wave.size() + 1);
        QVERIFY(fmt > 0 && data > 0);

        QCOMPARE(le16(wave, fmt), quint16(1));     // PCM
        QCOMPARE(le16(wave, fmt + 2), quint16(1)); // mono
        QCOMPARE(le32(wave, fmt + 4), quint32(sampleRate));
        QCOMPARE(le32(wave, fmt + 8), quint32(sampleRate)); // bytes per second
        QCOMPARE(le16(wave, fmt + 12), quint16(1));         // block align
        QCOMPARE(le16(wave, fmt + 14), quint16(8));         // bits per sample
        QCOMPARE(dataSize, quint32(dataBytes));
        QCOMPARE(qRound(dataSize * 100.0 / sampleRate), centiseconds);

        // Silence would pass all of the above: each sound must reach a clearly audible level.
        const QByteArray samples = wave.mid(data, dataSize);
        int peak = 0;
        for (const char sample : samples)
            peak = qMax(peak, qAbs(int(uchar(sample)) - 128));
        QVERIFY2(peak >= 64, qPrintable(QString::number(peak)));

        // Qt's own decoder, which plays them, reads the same format and length.
        file.seek(0);
        QWaveDecoder decoder(&file);
        QSignalSpy known(&decoder, &QWaveDecoder::formatKnown);
        QVERIFY(decoder.open(QIODevice::ReadOnly));
        QVERIFY(known.count() == 1 || known.wait(1000));
        QCOMPARE(decoder.audioFormat().sampleRate(), sampleRate);
        QCOMPARE(decoder.audioFormat().channelCount(), 1);
        QCOMPARE(decoder.audioFormat().sampleFormat(), QAudioFormat::UInt8);
        QCOMPARE(decoder.readAll(), samples);
    }

    void soundsPassTheirSettings_data() {
        QTest::addColumn<bool>("keySound");
        QTest::addColumn<bool>("errorSound");
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("heard");
        QTest::newRow("key on") << true << false << Call::Key << "MSGTYPE";
        QTest::newRow("key off") << false << true << Call::Key << "";
        QTest::newRow("error on") << false << true << Call::Error << "FASTHEY";
        QTest::newRow("error off") << true << false << Call::Error << "";
        QTest::newRow("chime, both off") << false << false << Call::Chime << "CHIMES2";
        QTest::newRow("chime, both on") << true << true << Call::Chime << "CHIMES2";
    }
    void soundsPassTheirSettings() {
        QFETCH(bool, keySound);
        QFETCH(bool, errorSound);
        QFETCH(Call, call);
        QFETCH(QString, heard);
        Settings settings;
        settings.CheckGeraeusch = keySound;
        settings.CheckFehlermeldung = errorSound;
        Sounds sounds(settings);
        switch (call) {
        case Call::Key:
            sounds.KeySound();
            break;
        case Call::Error:
            sounds.ErrorSound();
            break;
        case Call::Chime:
            sounds.PlayResSound("CHIMES2");
            break;
        }
        QCOMPARE(sounds.soundPlayer().current(), heard);
    }

    // A fast typist cuts every key sound off with the next one; a wrong key replaces the key
    // sound with the error sound.
    void aNewSoundReplacesThePlayingOne() {
        Settings settings;
        settings.CheckGeraeusch = true;
        settings.CheckFehlermeldung = true;
        Sounds sounds(settings);
        SoundPlayer& player = sounds.soundPlayer();
        QCOMPARE(player.current(), QString());
        sounds.KeySound();
        QCOMPARE(player.current(), "MSGTYPE");
        sounds.ErrorSound();
        QCOMPARE(player.current(), "FASTHEY");
        settings.CheckGeraeusch = false;
        sounds.KeySound(); // silent: the error sound plays on
        QCOMPARE(player.current(), "FASTHEY");
        sounds.PlayResSound("NOSUCH");
        QCOMPARE(player.current(), "FASTHEY");
        player.stop();
        QCOMPARE(player.current(), QString());
    }

    // Keystrokes must never wait for the audio system, with or without a device.
    void playingReturnsAtOnce() {
        Settings settings;
        settings.CheckGeraeusch = true;
        Sounds sounds(settings);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 500; ++i)
            sounds.KeySound();
        QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
    }

    // The program finds its audio module beside itself and drives it through one exported
    // function; with or without a device, every call must be safe.
    void theAudioModuleLoadsAndPlays() {
        QLibrary module(binDir() + "/quendal_audio.so");
        QVERIFY2(module.load(), qPrintable(module.errorString()));
        auto create =
            reinterpret_cast<AudioBackend* (*)()>(module.resolve("quendal_create_audio_backend"));
        QVERIFY(create);
        std::unique_ptr<AudioBackend> backend(create());
        QVERIFY(backend);
        backend->setSources({{"MSGTYPE", QUrl("qrc:/sounds/MSGTYPE.wav")},
                             {"BROKEN", QUrl::fromLocalFile(binDir() + "/nosuch.wav")}});
        backend->play("MSGTYPE");
        backend->play("BROKEN");
        backend->play("NOSUCH");
        backend->stop();
        QTest::qWait(50);

        // A player whose module is missing stays silent but keeps its bookkeeping.
        SoundPlayer silent(binDir() + "/nosuch_audio.so");
        silent.preload("MSGTYPE", QUrl("qrc:/sounds/MSGTYPE.wav"));
        silent.play("MSGTYPE");
        QCOMPARE(silent.current(), "MSGTYPE");
    }

    void aSetPlayerTakesTheSounds() {
        Settings settings;
        settings.CheckGeraeusch = true;
        Sounds sounds(settings);
        QStringList played;
        sounds.player = [&played](const QString& name) { played << name; };
        sounds.KeySound();
        sounds.PlayResSound("CHIMES2");
        QCOMPARE(played, (QStringList{"MSGTYPE", "CHIMES2"}));
        QCOMPARE(sounds.soundPlayer().current(), QString());
    }

    void openDocumentHandsAFileUrlToTheDesktop() {
        QTemporaryDir folder;
        const QString path = folder.path() + "/Wichtige Infos ä/Liesmich.rtf";
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 x}");
        file.close();

        UrlCatcher desktop;
        Sounds::OpenDocument(path, folder.path() + "/");
        QCOMPARE(desktop.urls.size(), 1);
        QCOMPARE(desktop.urls.first().scheme(), "file");
        QCOMPARE(desktop.urls.first().toLocalFile(), path);
    }

    void aMissingDocumentChangesNothing() {
        QTemporaryDir folder;
        const QWidgetList before = QApplication::topLevelWidgets();
        UrlCatcher desktop;
        Sounds::OpenDocument(folder.path() + "/Liesmich.rtf", folder.path() + "/");
        QTest::qWait(100);
        QCOMPARE(desktop.urls.size(), 0);
        QCOMPARE(QApplication::topLevelWidgets(), before);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void readMeShipsAsRtf() {
        QFile file(binDir() + "/Liesmich.rtf");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray rtf = file.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            const char c = rtf.at(i);
            QVERIFY2(uchar(c) < 0x80, "umlauts are written as \\'xx");
            if (c == '\\')
                ++i; // an escaped brace or backslash
            else if (c == '{')
                ++depth;
            else if (c == '}')
                QVERIFY2(--depth > 0 || rtf.mid(i + 1).trimmed().isEmpty(), "closed early");
        }
        QCOMPARE(depth, 0);
        QVERIFY(
            QString::fromLatin1(rtf).contains(QRegularExpression(R"(\\b[\\ ])"))); // bold headings
        QVERIFY(rtf.contains("Wichtige Informationen"));
        QVERIFY(rtf.contains("$APPDATA/quendal1_1/quendal1_1.mdb"));
        QVERIFY(rtf.contains("~/.local/share/quendal1_1/quendal1_1.mdb"));
        QVERIFY(rtf.contains("l\\'f6schen")); // deleting the database resets the results
        QVERIFY(rtf.contains("Quendal1_1.ini"));
        QVERIFY(rtf.contains("~/.config"));
    }
};

QUENDAL_TEST(TstSound)
#include "tst_sound.moc"
