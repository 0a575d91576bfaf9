#include "AniPlayer.h"

#include "ServerFrames.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

// The smallest rectangle holding every pixel in which the two images differ.
QRect difference(const QImage& a, const QImage& b) {
    int left = a.width(), right = -1, top = a.height(), bottom = -1;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (p[x] != q[x]) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = y;
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

AniPlayer::AniPlayer(const AniCursor& cursor, QWidget* host)
    : QObject(host), host_(host), steps_(cursor.steps()) {
    for (const QImage& frame : cursor.frames())
        frames_ << (frame.size() == QSize(Side, Side)
                        ? frame
                        : frame.scaled(Side, Side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    drawFrames();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AniPlayer::advance);
    host->installEventFilter(this);
    if (host->isVisible())
        scheduleNext();
}

AniPlayer::~AniPlayer() = default;

void AniPlayer::setBackground(const QColor& background) {
    if (background == background_)
        return;
    background_ = background;
    drawFrames();
}

// The frames as they are drawn, and what each step changes.
void AniPlayer::drawFrames() {
    drawn_.clear();
    for (const QImage& frame : std::as_const(frames_)) {
        QImage drawn(frame.size(), QImage::Format_RGB32);
        drawn.fill(background_);
        QPainter(&drawn).drawImage(0, 0, frame);
        drawn_ << drawn;
    }
    changes_.clear();
    for (int i = 0; i < steps_.size(); ++i) {
        const int before = steps_.at((i + int(steps_.size()) - 1) % int(steps_.size())).frame;
        changes_ << difference(drawn_.at(before), drawn_.at(steps_.at(i).frame));
    }
    if (server_)
        server_->setFrames(drawn_);
}

bool AniPlayer::eventFilter(QObject*, QEvent* event) {
    // The host hears of its own showing and hiding and of its window's.
    if (event->type() == QEvent::Show) {
        // Asked once the host's window is an X11 window, if it ever is.
        if (!serverTried_ && host_->window()->internalWinId()) {
            serverTried_ = true;
            server_ = ServerFrames::forWidget(*host_);
            if (server_)
                server_->setFrames(drawn_);
        }
        scheduleNext();
    } else if (event->type() == QEvent::Hide) {
        timer_.stop();
    }
    return false;
}

void AniPlayer::advance() {
    step_ = (step_ + 1) % int(steps_.size());
    const QRect changed = changes_.at(step_);
    if (!changed.isEmpty()) {
        // The server gets the whole frame, for the price of the changed part: where Qt has put
        // back an older pose from its own copy (a menu closed over the figure), the next step
        // mends it all.
        const int frame = steps_.at(step_).frame;
        const QRect whole(QPoint(0, 0), drawn_.at(frame).size());
        if (!(server_ && server_->draw(frame, whole, place_.topLeft())))
            emit frameChanged(changed);
    }
    scheduleNext();
}

void AniPlayer::scheduleNext() {
    if (steps_.size() > 1)
        timer_.start(AniCursor::jiffiesToMs(steps_.at(step_).jiffies));
}
