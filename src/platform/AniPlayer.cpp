#include "AniPlayer.h"

#include <QEvent>
#include <QWidget>

AniPlayer::AniPlayer(const AniCursor& cursor, QWidget* host)
    : QObject(host), steps_(cursor.steps()) {
    // Kept premultiplied, the form the painter blends in: otherwise every frame shown is
    // converted first.
    for (const QImage& frame : cursor.frames())
        frames_ << (frame.size() == QSize(Side, Side)
                        ? frame
                        : frame.scaled(Side, Side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AniPlayer::advance);
    host->installEventFilter(this);
    if (host->isVisible())
        scheduleNext();
}

bool AniPlayer::eventFilter(QObject*, QEvent* event) {
    // The host hears of its own showing and hiding and of its window's.
    if (event->type() == QEvent::Show)
        scheduleNext();
    else if (event->type() == QEvent::Hide)
        timer_.stop();
    return false;
}

void AniPlayer::advance() {
    step_ = (step_ + 1) % int(steps_.size());
    emit frameChanged();
    scheduleNext();
}

void AniPlayer::scheduleNext() {
    if (steps_.size() > 1)
        timer_.start(AniCursor::jiffiesToMs(steps_.at(step_).jiffies));
}
