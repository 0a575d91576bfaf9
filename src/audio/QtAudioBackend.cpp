// The audio module: QSoundEffect on the default output device.
#include "platform/AudioBackend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QSoundEffect>

namespace {

class QtAudioBackend : public QObject, public AudioBackend {
public:
    QtAudioBackend() {
        // A changed set of devices (headphones plugged in, the sound server restarted) gets
        // fresh effects bound to the new default output.
        QObject::connect(&devices_, &QMediaDevices::audioOutputsChanged, this,
                         [this] { reload(); });
    }

    void setSources(const QHash<QString, QUrl>& sources) override {
        sources_ = sources;
        reload();
    }

    void play(const QString& name) override {
        QSoundEffect* effect = effects_.value(name);
        if (playing_ && playing_ != effect)
            playing_->stop();
        if (effect) {
            effect->stop(); // a sound started again begins at its start
            effect->play();
        }
        playing_ = effect;
    }

    void stop() override {
        if (playing_)
            playing_->stop();
        playing_ = nullptr;
    }

private:
    // Without a device nothing is decoded: every sound is silent until one appears.
    void reload() {
        playing_ = nullptr;
        qDeleteAll(effects_);
        effects_.clear();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull())
            return;
        for (auto it = sources_.cbegin(); it != sources_.cend(); ++it) {
            auto* effect = new QSoundEffect(output, this);
            effect->setSource(it.value());
            effects_.insert(it.key(), effect);
        }
    }

    QMediaDevices devices_;
    QHash<QString, QUrl> sources_;
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT AudioBackend* quendal_create_audio_backend() {
    return new QtAudioBackend;
}

// The module's own type must match what the sound player calls.
static_assert(std::is_same_v<decltype(&quendal_create_audio_backend), AudioBackendFactory>);
