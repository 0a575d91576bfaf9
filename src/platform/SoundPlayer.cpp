#include "SoundPlayer.h"

#include "AudioBackend.h"
#include "ProgramModule.h"

#include <QCoreApplication>
#include <QThread>
#include <memory>

struct SoundPlayer::Audio : QObject {
    QHash<QString, QUrl> sources;
    std::unique_ptr<AudioBackend> backend; // null: silent (no module, or not started yet)

    // Loads the audio module; a missing or broken one leaves every sound silent.
    void start(const QString& module) {
        if (auto create =
                ProgramModule::resolve<AudioBackendFactory>(module, QUENDAL_AUDIO_FACTORY))
            backend.reset(create());
        if (backend)
            backend->setSources(sources);
    }
};

QString SoundPlayer::defaultModule() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quendal_audio.so");
}

SoundPlayer::SoundPlayer(const QString& module)
    : thread_(new QThread), audio_(new Audio), module_(module) {
    thread_->setObjectName(QStringLiteral("SoundPlayer"));
    audio_->moveToThread(thread_);
    thread_->start();
}

// The audio system (the module, its libraries and the sound server connection) is not loaded
// while the program starts: the owner starts it before sounds are due, or the first sound does.
void SoundPlayer::startAudio() {
    if (audioStarted_)
        return;
    audioStarted_ = true;
    post([sources = sources_, module = module_](Audio& audio) {
        audio.sources = sources;
        audio.start(module);
    });
}

SoundPlayer::~SoundPlayer() {
    // Playback ends before the sounds are released, all on the audio thread.
    post([](Audio& audio) {
        if (audio.backend)
            audio.backend->stop();
        audio.backend.reset();
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
        if (audio.backend)
            audio.backend->setSources(audio.sources);
    });
}

void SoundPlayer::play(const QString& name) {
    if (!sources_.contains(name))
        return;
    current_ = name;
    startAudio();
    post([name](Audio& audio) {
        if (audio.backend)
            audio.backend->play(name);
    });
}

void SoundPlayer::stop() {
    current_.clear();
    post([](Audio& audio) {
        if (audio.backend)
            audio.backend->stop();
    });
}

void SoundPlayer::post(std::function<void(Audio&)> job) {
    Audio* audio = audio_;
    QMetaObject::invokeMethod(
        audio, [audio, job = std::move(job)] { job(*audio); }, Qt::QueuedConnection);
}
