#include "ServerFrames.h"

#include "XcbPixels.h"

#include <QRect>
#include <QWidget>

struct ServerFrames::Connection {
    xcb_connection_t* c = nullptr;
    xcb_window_t window = 0; // the window whose pixel format was checked
    const QWidget* widget = nullptr;
    uint8_t depth = 0;
    xcb_gcontext_t gc = 0;
    std::vector<xcb_pixmap_t> pixmaps;
};

std::unique_ptr<ServerFrames> ServerFrames::forWidget(const QWidget& widget) {
    const xcb_window_t window = XcbPixels::windowOf(widget);
    if (!window)
        return nullptr;
    auto x = std::make_unique<Connection>();
    x->c = XcbPixels::qtConnection();
    x->window = window;
    x->widget = &widget;
    if (!XcbPixels::takesRgb32(x->c, x->window, &x->depth))
        return nullptr;
    return std::unique_ptr<ServerFrames>(new ServerFrames(std::move(x)));
}

ServerFrames::ServerFrames(std::unique_ptr<Connection> connection) : x_(std::move(connection)) {
}

ServerFrames::~ServerFrames() {
    release();
    if (x_->gc)
        xcb_free_gc(x_->c, x_->gc);
    xcb_flush(x_->c);
}

void ServerFrames::release() {
    for (xcb_pixmap_t pixmap : x_->pixmaps)
        xcb_free_pixmap(x_->c, pixmap);
    x_->pixmaps.clear();
}

void ServerFrames::setFrames(const QList<QImage>& frames) {
    release();
    x_->pixmaps = XcbPixels::upload(x_->c, x_->window, x_->depth, &x_->gc, frames);
    xcb_flush(x_->c);
}

bool ServerFrames::draw(int frame, const QRect& source, const QPoint& target) {
    const QWidget* widget = x_->widget;
    if (frame < 0 || frame >= int(x_->pixmaps.size()) ||
        !XcbPixels::wholeOnScreen(*widget, x_->window, QRect(target, source.size())))
        return false;
    const QPoint at = widget->mapTo(widget->window(), target);
    xcb_copy_area(x_->c, x_->pixmaps[size_t(frame)], x_->window, x_->gc, int16_t(source.x()),
                  int16_t(source.y()), int16_t(at.x()), int16_t(at.y()), uint16_t(source.width()),
                  uint16_t(source.height()));
    xcb_flush(x_->c);
    return true;
}
