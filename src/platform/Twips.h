#pragma once

#include <QRect>

// Layout sizes are kept in twips (1/1440 inch) and turned into pixels at the screen's
// logical resolution: 15 twips a pixel at 96 dpi.
namespace Twips {

int toPixels(int twips);
int fromPixels(int pixels);
QRect rect(int left, int top, int width, int height);

} // namespace Twips
