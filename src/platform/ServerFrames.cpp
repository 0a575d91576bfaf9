#include "ServerFrames.h"

#include <QGuiApplication>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <vector>
#include <xcb/xcb.h>

struct ServerFrames::Connection {
    xcb_connection_t* c = nullptr;
    xcb_window_t window = 0; // the window whose pixel format was checked
    const QWidget* widget = nullptr;
    uint8_t depth = 0;
    xcb_gcontext_t gc = 0;
    std::vector<xcb_pixmap_t> pixmaps;
};

namespace {

// Whether pictures in QImage::Format_RGB32 are the window's own pixels, byte for byte.
bool takesRgb32(xcb_connection_t* c, xcb_window_t window, uint8_t* depth) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    bool fits = false;
    if (geometry && attributes && (geometry->depth == 24 || geometry->depth == 32)) {
        *depth = geometry->depth;
        for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
            if (f.data->depth == *depth && f.data->bits_per_pixel != 32)
                *depth = 0;
        for (auto s = xcb_setup_roots_iterator(setup); s.rem && *depth; xcb_screen_next(&s))
            for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
                for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                    if (v.data->visual_id == attributes->visual)
                        fits = d.data->depth == *depth &&
                               v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                               v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                               v.data->blue_mask == 0xFF;
    }
    free(geometry);
    free(attributes);
    return fits;
}

} // namespace

std::unique_ptr<ServerFrames> ServerFrames::forWidget(const QWidget& widget) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const QWidget* window = widget.window();
    if (!x11 || !x11->connection() || !window->internalWinId() || widget.devicePixelRatioF() != 1)
        return nullptr;
    auto x = std::make_unique<Connection>();
    x->c = x11->connection();
    x->window = xcb_window_t(window->internalWinId());
    x->widget = &widget;
    if (!takesRgb32(x->c, x->window, &x->depth))
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
    for (const QImage& frame : frames) {
        const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
        const xcb_pixmap_t pixmap = xcb_generate_id(x_->c);
        xcb_create_pixmap(x_->c, x_->depth, pixmap, x_->window, uint16_t(pixels.width()),
                          uint16_t(pixels.height()));
        if (!x_->gc) {
            x_->gc = xcb_generate_id(x_->c);
            const uint32_t noExposures = 0;
            xcb_create_gc(x_->c, x_->gc, pixmap, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
        }
        // Rows of 32-bit pixels need no padding.
        xcb_put_image(x_->c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, x_->gc, uint16_t(pixels.width()),
                      uint16_t(pixels.height()), 0, 0, 0, x_->depth, uint32_t(pixels.sizeInBytes()),
                      pixels.constBits());
        x_->pixmaps.push_back(pixmap);
    }
    xcb_flush(x_->c);
}

bool ServerFrames::draw(int frame, const QRect& source, const QPoint& target) {
    const QWidget* widget = x_->widget;
    const QWidget* window = widget->window();
    if (frame < 0 || frame >= int(x_->pixmaps.size()) ||
        xcb_window_t(window->internalWinId()) != x_->window)
        return false;
    // The server clips the copy to the window alone: where it would reach beyond what the
    // widget shows (a frame taller than the widget, a widget on top of it, a native window in
    // between), the widget paints it, clipped.
    if (widget->nativeParentWidget() != window ||
        !(QRegion(QRect(target, source.size())) - widget->visibleRegion()).isEmpty())
        return false;
    const QPoint at = widget->mapTo(window, target);
    xcb_copy_area(x_->c, x_->pixmaps[size_t(frame)], x_->window, x_->gc, int16_t(source.x()),
                  int16_t(source.y()), int16_t(at.x()), int16_t(at.y()), uint16_t(source.width()),
                  uint16_t(source.height()));
    xcb_flush(x_->c);
    return true;
}
