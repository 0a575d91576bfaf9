#pragma once

#include <QHash>
#include <QString>
#include <QUrl>
#include <functional>

class QThread;

// Plays short wave sounds one at a time. The audio system is driven from a thread of its own, so
// a call returns at once even when the sound server is slow or hangs; without an output device,
// or with a failing one, the sounds are simply silent.
class SoundPlayer {
public:
    // The audio system is reached through the module file (see AudioBackend.h).
    explicit SoundPlayer(const QString& module = defaultModule());
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Makes a sound ready under a name: its wave file (a qrc: or file: URL) is decoded once,
    // together with the others when the first sound is played, so that playing it later costs
    // no file access.
    void preload(const QString& name, const QUrl& source);

    // Starts the named sound and returns at once. A sound still playing stops: only one is heard
    // at a time. A name that was never preloaded plays nothing and changes nothing.
    void play(const QString& name);

    // Stops the sound that is playing, if any.
    void stop();

    // Loads the audio system and decodes the sounds now, on the audio thread; otherwise the
    // first sound does. Returns at once.
    void startAudio();

    // The audio module in the program folder.
    static QString defaultModule();

    // The sound started most recently; empty before the first sound and after stop().
    QString current() const { return current_; }

private:
    struct Audio; // the effects and their state, owned by the audio thread
    void post(std::function<void(Audio&)> job);

    QThread* thread_;
    Audio* audio_;
    QString module_;
    QHash<QString, QUrl> sources_;
    QString current_;
    bool audioStarted_ = false;
};
