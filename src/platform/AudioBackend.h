#pragma once

#include <QHash>
#include <QString>
#include <QUrl>

// The part of the sound player that talks to the audio system. It lives in a module of its own
// (quendal_audio.so in the program folder), loaded on the audio thread when the first sound is
// due, so that the audio libraries cost neither start-up time nor memory before then. Every call
// comes from the audio thread.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // The sounds by name; each is decoded now for the current output device.
    virtual void setSources(const QHash<QString, QUrl>& sources) = 0;
    // Starts a sound from its beginning; the one playing stops. An unknown name only stops.
    virtual void play(const QString& name) = 0;
    virtual void stop() = 0;
};

// The module's one exported function: a new backend, owned by the caller.
using AudioBackendFactory = AudioBackend* (*)();
#define QUENDAL_AUDIO_FACTORY "quendal_create_audio_backend"
