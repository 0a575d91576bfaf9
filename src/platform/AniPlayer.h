#pragma once

#include "AniCursor.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QTimer>

class QWidget;

// Plays an animated cursor for the widget that shows it, as a static control does: the frame of
// the current step at 32 x 32 pixels, each step for as long as the file says. It plays only while
// that widget is visible, and tells it when the frame changes; the widget draws the frame itself,
// so that moving the figure is a repaint of two small places, not a window to move.
class AniPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int Side = 32;

    // cursor: a loaded one (not isNull()), which has a step for every frame at least.
    AniPlayer(const AniCursor& cursor, QWidget* host);

    int currentStep() const { return step_; }
    const QImage& currentFrame() const { return frames_.at(steps_.at(step_).frame); }

signals:
    void frameChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void advance();
    void scheduleNext();

    QList<QImage> frames_; // scaled to Side x Side
    QList<AniCursor::Step> steps_;
    int step_ = 0;
    QTimer timer_;
};
