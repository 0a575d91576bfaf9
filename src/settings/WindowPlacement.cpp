#include "WindowPlacement.h"

#include "platform/Twips.h"

QPoint windowCorner(WindowPosition stored, QSize frameSize, const QList<QRect>& screens) {
    // Hand-edited values can be far beyond any screen; keep them inside int.
    const auto toPixels = [](float twips) {
        return Twips::toPixels(int(qBound(-2.0e9f, twips, 2.0e9f)));
    };
    const QPoint corner(toPixels(stored.left), toPixels(stored.top));
    const QRect window(corner, frameSize);
    for (const QRect& screen : screens)
        if (screen.intersects(window))
            return corner;
    return QPoint(0, 0);
}
