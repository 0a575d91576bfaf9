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
class ServerFrames;

// Plays an animated cursor for the widget that shows it, as a static control does: the frame of
// the current step at 32 x 32 pixels on the widget's colour, each step for as long as the file
// says. It plays only while that widget is visible. The frames are kept as they are drawn, on
// that colour; a step that changes nothing draws nothing, and one that does draws the pixels it
// changes only. On X11 the player draws the steps itself, from frames kept on the X server;
// elsewhere it tells the widget which pixels to repaint.
class AniPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int Side = 32;

    // cursor: a loaded one (not isNull()), which has a step for every frame at least.
    AniPlayer(const AniCursor& cursor, QWidget* host);
    ~AniPlayer() override;

    int currentStep() const { return step_; }
    // The frame as it is drawn: opaque, on the background.
    const QImage& currentFrame() const { return drawn_.at(steps_.at(step_).frame); }

    // Where the host shows the frames, and on which colour.
    void setPlace(const QRect& place) { place_ = place; }
    void setBackground(const QColor& background);

signals:
    // The pixels of the frame that changed, in frame coordinates, for the host to repaint.
    void frameChanged(const QRect& changed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void advance();
    void scheduleNext();
    void drawFrames();

    QWidget* host_;
    QList<QImage> frames_; // scaled to Side x Side, premultiplied
    QList<QImage> drawn_;  // on the background
    QList<QRect> changes_; // per step: what differs from the step before
    QList<AniCursor::Step> steps_;
    int step_ = 0;
    QColor background_ = Qt::white;
    QRect place_;
    QTimer timer_;
    std::unique_ptr<ServerFrames> server_;
    bool serverTried_ = false;
};
