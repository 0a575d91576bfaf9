#include "AniPlayer.h"

#include <QPainter>

AniPlayer::AniPlayer(const AniCursor& cursor, QWidget* parent)
    : QWidget(parent), steps_(cursor.steps()) {
    // Kept premultiplied, the form the painter blends in: otherwise every frame shown is
    // converted first.
    for (const QImage& frame : cursor.frames())
        frames_ << (frame.size() == QSize(Side, Side)
                        ? frame
                        : frame.scaled(Side, Side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    resize(Side, Side);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AniPlayer::advance);
}

void AniPlayer::setBackground(const QColor& colour) {
    background_ = colour;
    setAttribute(Qt::WA_OpaquePaintEvent, colour.isValid() && colour.alpha() == 255);
    update();
}

void AniPlayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
    if (step_ < steps_.size())
        painter.drawImage(0, 0, frames_.at(steps_.at(step_).frame));
}

void AniPlayer::showEvent(QShowEvent*) {
    scheduleNext();
}

void AniPlayer::hideEvent(QHideEvent*) {
    timer_.stop();
}

void AniPlayer::advance() {
    step_ = (step_ + 1) % int(steps_.size());
    update();
    scheduleNext();
}

void AniPlayer::scheduleNext() {
    if (steps_.size() > 1)
        timer_.start(AniCursor::jiffiesToMs(steps_.at(step_).jiffies));
}
