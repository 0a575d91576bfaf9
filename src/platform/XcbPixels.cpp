#include "XcbPixels.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>

namespace XcbPixels {

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_gcontext_t makeGc(xcb_connection_t* c, xcb_drawable_t drawable) {
    const xcb_gcontext_t gc = xcb_generate_id(c);
    const uint32_t noExposures = 0;
    xcb_create_gc(c, gc, drawable, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return gc;
}

xcb_window_t windowOf(const QWidget& widget) {
    if (!qtConnection() || widget.devicePixelRatioF() != 1)
        return 0;
    return xcb_window_t(widget.window()->internalWinId());
}

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

void put(xcb_connection_t* c, xcb_drawable_t drawable, xcb_gcontext_t gc, uint8_t depth,
         const QImage& pixels, const QPoint& at) {
    // Rows of 32-bit pixels need no padding.
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, uint16_t(pixels.width()),
                  uint16_t(pixels.height()), int16_t(at.x()), int16_t(at.y()), 0, depth,
                  uint32_t(pixels.sizeInBytes()), pixels.constBits());
}

std::vector<xcb_pixmap_t> upload(xcb_connection_t* c, xcb_window_t window, uint8_t depth,
                                 xcb_gcontext_t* gc, const QList<QImage>& pictures) {
    std::vector<xcb_pixmap_t> pixmaps;
    for (const QImage& picture : pictures) {
        const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
        const xcb_pixmap_t pixmap = xcb_generate_id(c);
        xcb_create_pixmap(c, depth, pixmap, window, uint16_t(pixels.width()),
                          uint16_t(pixels.height()));
        if (!*gc)
            *gc = makeGc(c, pixmap);
        put(c, pixmap, *gc, depth, pixels, QPoint(0, 0));
        pixmaps.push_back(pixmap);
    }
    return pixmaps;
}

bool wholeOnScreen(const QWidget& widget, xcb_window_t window, const QRect& part) {
    // The server clips to the top-level window alone: where a part would reach beyond what the
    // widget shows (a frame taller than the widget, a widget on top of it, a native window in
    // between), the widget paints it, clipped. A window made anew is another X11 window.
    return xcb_window_t(widget.window()->internalWinId()) == window &&
           widget.nativeParentWidget() == widget.window() &&
           (QRegion(part) - widget.visibleRegion()).isEmpty();
}

} // namespace XcbPixels
