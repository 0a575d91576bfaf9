#include "AniPlayer.h"

#include "ServerCycle.h"
#include "ServerFrames.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

// How long the figure stands in one place before the server plays it, how far ahead the
// server's queue reaches at most, how much of it is left when the player tops it up, and how
// long the player sleeps at least.
constexpr qint64 StandingUs = 1000000;
constexpr qint64 AheadUs = 3000000;
constexpr qint64 TopUpUs = 500000;
constexpr qint64 NapUs = 200000;

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
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AniPlayer::advance);
    refill_.setSingleShot(true);
    connect(&refill_, &QTimer::timeout, this, &AniPlayer::refill);
    host->installEventFilter(this);
    stepStarted_ = placed_ = ServerCycle::now();
    if (host->isVisible())
        scheduleNext();
}

AniPlayer::~AniPlayer() = default;

void AniPlayer::setPlace(const QRect& place) {
    if (place == place_)
        return;
    place_ = place;
    moved();
}

// The figure shows somewhere else now: the player steps again until it has stood a while.
void AniPlayer::moved() {
    placed_ = ServerCycle::now();
    cycleRefused_ = false;
    stopCycle();
}

void AniPlayer::setBackground(const QColor& background) {
    if (background == background_)
        return;
    background_ = background;
    drawnReady_ = false;
    if (server_)
        server_->setFrames(drawn());
    if (cycle_) {
        stopCycle();
        cycle_->setFrames(drawn());
    }
}

// The frames as they are drawn, and what each step changes; drawn when first wanted, as the
// colour is set more than once before the figure is first seen.
const QList<QImage>& AniPlayer::drawn() const {
    if (drawnReady_)
        return drawn_;
    drawnReady_ = true;
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
    return drawn_;
}

bool AniPlayer::eventFilter(QObject*, QEvent* event) {
    // The host hears of its own showing and hiding and of its window's.
    if (event->type() == QEvent::Show) {
        // Asked once the host's window is an X11 window, if it ever is.
        if (!serverTried_ && host_->window()->internalWinId()) {
            serverTried_ = true;
            server_ = ServerFrames::forWidget(*host_);
            if (server_)
                server_->setFrames(drawn());
        }
        moved();
        scheduleNext();
    } else if (event->type() == QEvent::Hide) {
        stopCycle();
        timer_.stop();
    } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
        moved();
    }
    return false;
}

void AniPlayer::advance() {
    step_ = nextStep(step_);
    stepStarted_ = ServerCycle::now();
    const int frame = steps_.at(step_).frame;
    const QRect whole(QPoint(0, 0), drawn().at(frame).size());
    const bool inCycle = cycle_ && cycle_->shown();
    if (inCycle && cycle_->show(frame, place_.topLeft())) {
        // The cycle's window shows the steps until the server's frame clock is known.
        cycle_->refresh();
        if (queueSteps())
            return;
    } else {
        // The server gets the whole frame, for the price of the changed part: where Qt has put
        // back an older pose from its own copy (a menu closed over the figure, the cycle's
        // window gone), the next step mends it all.
        const QRect changed = inCycle ? whole : changes_.at(step_);
        if (!changed.isEmpty() && !(server_ && server_->draw(frame, whole, place_.topLeft())))
            emit frameChanged(changed);
        if (stepStarted_ - placed_ >= StandingUs)
            startCycle();
    }
    scheduleNext();
}

qint64 AniPlayer::durationUs(int step) const {
    // At least a millisecond: a file of steps without duration must not hold the player.
    return qMax<qint64>(1000, qint64(AniCursor::jiffiesToMs(steps_.at(step).jiffies)) * 1000);
}

void AniPlayer::startCycle() {
    if (!cycleTried_) {
        cycleTried_ = true;
        cycle_ = ServerCycle::forWidget(*host_);
        if (cycle_)
            cycle_->setFrames(drawn());
    }
    if (cycle_ && !cycleRefused_)
        cycleRefused_ = !cycle_->show(steps_.at(step_).frame, place_.topLeft());
}

// Queues the steps after the last one queued (after the current one at first) up to a few
// seconds ahead; false when the server's frame clock is not known yet.
bool AniPlayer::queueSteps() {
    int step = cycling_ ? queuedStep_ : step_;
    qint64 at = cycling_ ? queuedAt_ : stepStarted_;
    const qint64 now = ServerCycle::now();
    const qint64 until = qMin(now + AheadUs, cycle_->reach());
    if (until <= now)
        return false;
    QList<ServerCycle::Step> queue;
    while (at + durationUs(step) <= until) {
        at += durationUs(step);
        step = nextStep(step);
        // A top-up that comes late (a busy machine) skips the steps already over.
        if (!queue.isEmpty() && queue.constLast().at <= now && at <= now)
            queue.removeLast();
        queue.append({steps_.at(step).frame, at});
    }
    if (!cycle_->queue(queue))
        return false;
    cycling_ = true;
    queuedStep_ = step;
    queuedAt_ = at;
    timer_.stop();
    refill_.start(int(qMax(NapUs, queuedAt_ - TopUpUs - now) / 1000));
    return true;
}

void AniPlayer::refill() {
    cycle_->refresh();
    if (!cycle_->fits(place_.topLeft()) || !queueSteps())
        stopCycle();
}

// Takes the server's playing back: the player steps on from where the server has got to.
void AniPlayer::stopCycle() {
    if (!cycle_ || !cycle_->shown())
        return;
    const qint64 now = ServerCycle::now();
    if (cycling_) {
        cycling_ = false;
        refill_.stop();
        while (stepStarted_ + durationUs(step_) <= now) {
            stepStarted_ += durationUs(step_);
            step_ = nextStep(step_);
        }
    }
    cycle_->hide();
    // Qt's own copy below the window holds an older pose.
    emit frameChanged(QRect(QPoint(0, 0), currentFrame().size()));
    if (host_->isVisible() && steps_.size() > 1)
        timer_.start(int((stepStarted_ + durationUs(step_) - now + 999) / 1000));
}

void AniPlayer::scheduleNext() {
    if (steps_.size() > 1)
        timer_.start(AniCursor::jiffiesToMs(steps_.at(step_).jiffies));
}
