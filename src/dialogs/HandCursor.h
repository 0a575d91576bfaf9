#pragma once

#include <QCursor>
#include <QPixmap>
#include <QPoint>

// The link labels' mouse pointer: a 32 x 32 hand pointing up with its index finger; the hot
// spot is the tip of that finger.
namespace HandCursor {

QPixmap picture();
QPoint hotSpot();
QCursor cursor();

} // namespace HandCursor
