#pragma once

#include <QString>
#include <functional>
#include <memory>

class SoundPlayer;
struct Settings;

// The program's sounds, played from its own resources: the key sound for an accepted key and
// the error sound for a wrong one, each only when its setting is on, and the chime, always.
// Next to them, handing a document to the program the desktop has registered for it.
class Sounds {
public:
    explicit Sounds(const Settings& settings);
    ~Sounds();
    Sounds(const Sounds&) = delete;
    Sounds& operator=(const Sounds&) = delete;

    void KeySound();
    void ErrorSound();
    // Plays "CHIMES2", "FASTHEY", "MSGTYPE" or "MSGBACK"; returns at once, and a sound still
    // playing stops.
    void PlayResSound(const QString& name);
    // Opens the document file with the desktop's viewer for its type and returns at once. A
    // missing file, or nothing registered for it, is passed over in silence. The folder is
    // where the viewer should start; the desktop chooses that itself here.
    static void OpenDocument(const QString& file, const QString& folder);

    // When set, sounds go here instead of to the sound device.
    std::function<void(const QString&)> player;

    // Gets the audio system ready in the background, so that typing never waits for it and
    // nothing of it is written while a lesson is typed.
    void warmUp();

    SoundPlayer& soundPlayer() { return *soundPlayer_; }

private:
    const Settings& settings_;
    std::unique_ptr<SoundPlayer> soundPlayer_;
};
