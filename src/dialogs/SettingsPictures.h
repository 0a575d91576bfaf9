#pragma once

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QRectF>

class QPainter;

// The pictures of the settings dialog, painted in code.
namespace SettingsPictures {

// The pipette, 32 x 32, its tip at the bottom left; as a pointer its hot spot is that tip.
QPixmap pipette();
QCursor pipetteCursor();
// The reminder's alarm clock and the signal test's bell, for picture buttons.
void clock(QPainter& painter, const QRectF& area);
void bell(QPainter& painter, const QRectF& area);
// The little dinosaur beside the animation setting.
QPixmap dino();
// A colour wheel of the given size: hues round the circle, white at its centre, the page's
// colour outside it.
QImage colourWheel(int width, int height, const QColor& outside);

} // namespace SettingsPictures
