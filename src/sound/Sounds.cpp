#include "Sounds.h"

#include "platform/Shell.h"
#include "platform/SoundPlayer.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QUrl>

Sounds::Sounds(const Settings& settings)
    : settings_(settings), soundPlayer_(std::make_unique<SoundPlayer>()) {
    // All four are decoded at start-up, so that a keystroke never waits for a file.
    for (const char* name : {"CHIMES2", "FASTHEY", "MSGTYPE", "MSGBACK"})
        soundPlayer_->preload(QString::fromLatin1(name),
                              QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(QLatin1String(name))));
}

Sounds::~Sounds() = default;

void Sounds::warmUp() {
    soundPlayer_->startAudio();
}

void Sounds::KeySound() {
    if (settings_.CheckGeraeusch)
        PlayResSound(QStringLiteral("MSGTYPE"));
}

void Sounds::ErrorSound() {
    if (settings_.CheckFehlermeldung)
        PlayResSound(QStringLiteral("FASTHEY"));
}

void Sounds::PlayResSound(const QString& name) {
    if (player)
        player(name);
    else
        soundPlayer_->play(name);
}

void Sounds::OpenDocument(const QString& file, const QString& /*folder*/) {
    if (!QFileInfo::exists(file))
        return;
    Shell::open(QUrl::fromLocalFile(file));
}
