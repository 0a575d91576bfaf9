// What a sound costs on the keystroke path: the program's Sounds::KeySound/ErrorSound (queued to
// the audio thread) against a bare QSoundEffect played on the interface thread, the way Qt's
// documentation shows it. Alternating key and error sounds, one call per simulated keystroke.
//
// Prints, per variant: median, 99th percentile, min and max of one call in microseconds, and the
// ratio of the medians. The number of audio outputs tells which case was measured; a sound server
// that accepts connections and never answers (a socket at $XDG_RUNTIME_DIR/pulse/native) shows
// the case of a hung one.
#include "settings/Settings.h"
#include "sound/Sounds.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Figures {
    double median, p99, min, max;
};

// Times each of `calls` calls; every `gap` calls the event loop runs for a moment, as it would
// between two keystrokes.
Figures measure(int calls, const std::function<void(int)>& call) {
    std::vector<double> micros;
    micros.reserve(calls);
    QElapsedTimer clock;
    for (int i = 0; i < calls; ++i) {
        clock.start();
        call(i);
        micros.push_back(clock.nsecsElapsed() / 1000.0);
        QCoreApplication::processEvents();
        if (i % 50 == 49)
            QTest::qWait(5);
    }
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.front(),
            micros.back()};
}

void print(const char* label, const Figures& f) {
    std::printf("%-34s median %8.2f  p99 %8.2f  min %8.2f  max %9.2f  (us per call)\n", label,
                f.median, f.p99, f.min, f.max);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int calls = argc > 1 ? std::atoi(argv[1]) : 2000;

    // Nothing has touched the audio system yet: a sound server that does not answer would
    // show here as a long start-up.
    QElapsedTimer startUp;
    startUp.start();
    Settings settings;
    settings.CheckGeraeusch = true;
    settings.CheckFehlermeldung = true;
    Sounds sounds(settings);
    sounds.KeySound();
    std::printf("start-up of Sounds and first key sound: %.2f us\n",
                startUp.nsecsElapsed() / 1000.0);
    QTest::qWait(300); // the sounds are decoded at start-up, not on the first key
    const Figures ours = measure(calls, [&sounds](int i) {
        if (i % 2)
            sounds.ErrorSound();
        else
            sounds.KeySound();
    });

    startUp.start();
    const auto outputs = QMediaDevices::audioOutputs().size();
    std::printf("audio outputs: %lld (asked on the interface thread: %.2f ms), calls: %d\n",
                static_cast<long long>(outputs), startUp.nsecsElapsed() / 1e6, calls);

    QSoundEffect key, error;
    key.setSource(QUrl(QStringLiteral("qrc:/sounds/MSGTYPE.wav")));
    error.setSource(QUrl(QStringLiteral("qrc:/sounds/FASTHEY.wav")));
    QTest::qWait(300);
    const Figures bare = measure(calls, [&key, &error](int i) {
        QSoundEffect& next = i % 2 ? error : key;
        QSoundEffect& other = i % 2 ? key : error;
        other.stop();
        next.stop();
        next.play();
    });

    print("Sounds (audio thread)", ours);
    print("bare QSoundEffect (UI thread)", bare);
    std::printf("ratio of medians, ours / bare: %.2f\n", ours.median / bare.median);
    return 0;
}
