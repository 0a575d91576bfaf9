#pragma once

#include "AniCursor.h"

#include <QList>
#include <QTimer>
#include <QWidget>

// Shows an animated cursor as a static control does: 32 x 32 pixels, each frame for as long
// as the file says, over the parent's background. It plays only while it is visible.
// Over a plain background it can fill that colour itself: then a new frame or a move does not
// repaint the parent, and a move copies the figure instead of drawing it again.
class AniPlayer : public QWidget {
    Q_OBJECT
public:
    static constexpr int Side = 32;

    explicit AniPlayer(const AniCursor& cursor, QWidget* parent = nullptr);

    int currentStep() const { return step_; }
    // The parent's plain colour under the figure; an invalid colour shows the parent itself.
    void setBackground(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void advance();
    void scheduleNext();

    QList<QImage> frames_; // scaled to Side x Side
    QList<AniCursor::Step> steps_;
    int step_ = 0;
    QTimer timer_;
    QColor background_;
};
