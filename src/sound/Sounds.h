#pragma once

#include <QString>
#include <functional>

struct Settings;

// The sounds of typing: the key sound for an accepted key and the error sound for a wrong one,
// each only when its setting is on.
class Sounds {
public:
    explicit Sounds(const Settings& settings) : settings_(settings) {}

    void KeySound();
    void ErrorSound();
    void PlayResSound(const QString& name);
    // Opens a document with the program the desktop has for it; nothing is reported.
    void OpenDocument(const QString& file, const QString& folder);

    // Plays a sound by name; nothing is played until a player is set.
    std::function<void(const QString&)> player;

private:
    const Settings& settings_;
};
