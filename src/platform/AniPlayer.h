#pragma once

#include "AniCursor.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <memory>

class QWidget;
class ServerCycle;
class ServerFrames;

// Plays an animated cursor for the widget that shows it, as a static control does: the frame of
// the current step at 32 x 32 pixels on the widget's colour, each step for as long as the file
// says. It plays only while that widget is visible. The frames are kept as they are drawn, on
// that colour; a step that changes nothing draws nothing, and one that does draws the pixels it
// changes only. On X11 the player draws the steps itself, from frames kept on the X server;
// elsewhere it tells the widget which pixels to repaint. Once the figure has stood in one place
// for a second, and the server can, the server plays the steps by itself a few seconds ahead,
// and the player wakes only to queue the next ones.
class AniPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int Side = 32;

    // cursor: a loaded one (not isNull()), which has a step for every frame at least.
    AniPlayer(const AniCursor& cursor, QWidget* host);
    ~AniPlayer() override;

    int currentStep() const { return step_; }
    // The frame as it is drawn: opaque, on the background.
    const QImage& currentFrame() const { return drawn().at(steps_.at(step_).frame); }

    // Where the host shows the frames, and on which colour.
    void setPlace(const QRect& place);
    void setBackground(const QColor& background);

signals:
    // The pixels of the frame that changed, in frame coordinates, for the host to repaint.
    void frameChanged(const QRect& changed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void advance();
    void scheduleNext();
    const QList<QImage>& drawn() const;
    qint64 durationUs(int step) const;
    int nextStep(int step) const { return (step + 1) % int(steps_.size()); }
    void startCycle();
    bool queueSteps();
    void refill();
    void stopCycle();
    void moved();

    QWidget* host_;
    QList<QImage> frames_; // scaled to Side x Side, premultiplied
    mutable QList<QImage> drawn_;  // on the background
    mutable QList<QRect> changes_; // per step: what differs from the step before
    mutable bool drawnReady_ = false;
    QList<AniCursor::Step> steps_;
    int step_ = 0;
    QColor background_ = Qt::white;
    QRect place_;
    QTimer timer_;
    std::unique_ptr<ServerFrames> server_;
    bool serverTried_ = false;

    qint64 stepStarted_ = 0; // when the current step began, on ServerCycle's clock
    qint64 placed_ = 0;      // when the figure last moved or showed
    std::unique_ptr<ServerCycle> cycle_;
    bool cycleTried_ = false;
    bool cycleRefused_ = false; // cannot show here; asked again once the figure moves
    bool cycling_ = false;      // the server plays the steps; the timer rests
    int queuedStep_ = 0;        // the last step queued, and when it is due
    qint64 queuedAt_ = 0;
    QTimer refill_;
};
