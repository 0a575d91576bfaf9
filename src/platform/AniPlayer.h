#pragma once

#include "AniCursor.h"

#include <QList>
#include <QTimer>
#include <QWidget>

// Shows an animated cursor as a static control does: 32 x 32 pixels, each frame for as long
// as the file says, over the parent's background. It plays only while it is visible.
class AniPlayer : public QWidget {
    Q_OBJECT
public:
    static constexpr int Side = 32;

    explicit AniPlayer(const AniCursor& cursor, QWidget* parent = nullptr);

    int currentStep() const { return step_; }

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
};
