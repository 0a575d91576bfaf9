#include "Sounds.h"

#include "platform/Shell.h"
#include "settings/Settings.h"

#include <QUrl>

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

void Sounds::OpenDocument(const QString& file, const QString&) {
    Shell::open(QUrl::fromLocalFile(file));
}
