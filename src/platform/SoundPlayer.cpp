#include "SoundPlayer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>

struct SoundPlayer::Audio : QObject {
    QHash<QString, QUrl> sources;
    QHash<QString, QSoundEffect*> effects;
    QSoundEffect* playing = nullptr;
    QMediaDevices* devices = nullptr;

    // Decodes one sound for the current output device. Without a device nothing is decoded:
    // every sound is silent until one appears.
    void load(const QString& name, const QUrl& source) {
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull())
            return;
        auto* effect = new QSoundEffect(output, this);
        effect->setSource(source);
        effects.insert(name, effect);
    }

    // A changed set of devices (headphones plugged in, the sound server restarted) gets fresh
    // effects bound to the new default output.
    void reload() {
        playing = nullptr;
        qDeleteAll(effects);
        effects.clear();
        for (auto it = sources.cbegin(); it != sources.cend(); ++it)
            load(it.key(), it.value());
    }

    void play(const QString& name) {
        QSoundEffect* effect = effects.value(name);
        if (playing && playing != effect)
            playing->stop();
        if (effect) {
            effect->stop(); // a sound started again begins at its start
            effect->play();
        }
        playing = effect;
    }

    void stop() {
        if (playing)
            playing->stop();
        playing = nullptr;
    }
};

SoundPlayer::SoundPlayer() : thread_(new QThread), audio_(new Audio) {
    thread_->setObjectName(QStringLiteral("SoundPlayer"));
    audio_->moveToThread(thread_);
    thread_->start();
}

// The audio system (its plug-ins and the sound server connection) is not loaded while the
// program starts: the owner starts it once its window is up, or the first sound does.
void SoundPlayer::startAudio() {
    if (audioStarted_)
        return;
    audioStarted_ = true;
    post([sources = sources_](Audio& audio) {
        audio.devices = new QMediaDevices(&audio);
        QObject::connect(audio.devices, &QMediaDevices::audioOutputsChanged, &audio,
                         [&audio] { audio.reload(); });
        audio.sources = sources;
        audio.reload();
    });
}

SoundPlayer::~SoundPlayer() {
    // Playback ends before the sounds are released, all on the audio thread.
    post([](Audio& audio) {
        audio.stop();
        qDeleteAll(audio.children());
        QThread::currentThread()->quit();
    });
    // A sound server that hangs must not hang the program's exit: then the thread and its
    // state are left behind for the system to reclaim.
    if (thread_->wait(2000)) {
        delete audio_;
        delete thread_;
    }
}

void SoundPlayer::preload(const QString& name, const QUrl& source) {
    sources_.insert(name, source);
    if (!audioStarted_)
        return; // read with the others when the audio system starts
    post([name, source](Audio& audio) {
        audio.sources.insert(name, source);
        QSoundEffect* old = audio.effects.take(name);
        if (audio.playing == old)
            audio.playing = nullptr;
        delete old;
        audio.load(name, source);
    });
}

void SoundPlayer::play(const QString& name) {
    if (!sources_.contains(name))
        return;
    current_ = name;
    startAudio();
    post([name](Audio& audio) { audio.play(name); });
}

void SoundPlayer::stop() {
    current_.clear();
    post([](Audio& audio) { audio.stop(); });
}

void SoundPlayer::post(std::function<void(Audio&)> job) {
    Audio* audio = audio_;
    QMetaObject::invokeMethod(
        audio, [audio, job = std::move(job)] { job(*audio); }, Qt::QueuedConnection);
}
