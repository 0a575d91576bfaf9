#include "ScreenPixel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace {

std::optional<QColor> firstPixel(const QPixmap& pixmap) {
    if (pixmap.isNull() || pixmap.width() < 1 || pixmap.height() < 1)
        return std::nullopt;
    return QColor(pixmap.toImage().pixel(0, 0));
}

} // namespace

std::optional<QColor> ScreenPixel::at(const QPoint& global) const {
    if (QScreen* screen = QGuiApplication::screenAt(global)) {
        const QPoint local = global - screen->geometry().topLeft();
        if (auto color = firstPixel(screen->grabWindow(0, local.x(), local.y(), 1, 1)))
            return color;
    }
    // The screen cannot be read: a window of our own under the point still can.
    if (QWidget* window = QApplication::topLevelAt(global))
        return firstPixel(window->grab(QRect(window->mapFromGlobal(global), QSize(1, 1))));
    return std::nullopt;
}
