#include "Sounds.h"

#include "settings/Settings.h"

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
}
