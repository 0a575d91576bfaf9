#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <vector>
#include <xcb/xcb.h>

class QWidget;

// Pictures handed to the X server as they are, for the two ways the program draws there.
namespace XcbPixels {

// Qt's own connection to the X server, or none when the program does not run on X11.
xcb_connection_t* qtConnection();
// A graphics context for drawables like the one given, without exposure events.
xcb_gcontext_t makeGc(xcb_connection_t* c, xcb_drawable_t drawable);
// The X11 window of the widget's top-level window, when the program runs on X11 and the widget
// is drawn at one device pixel per pixel; 0 otherwise.
xcb_window_t windowOf(const QWidget& widget);
// Whether pictures in QImage::Format_RGB32 are the window's own pixels, byte for byte; depth
// receives the window's depth.
bool takesRgb32(xcb_connection_t* c, xcb_window_t window, uint8_t* depth);
// Puts a picture in QImage::Format_RGB32 into the drawable at the point given.
void put(xcb_connection_t* c, xcb_drawable_t drawable, xcb_gcontext_t gc, uint8_t depth,
         const QImage& pixels, const QPoint& at);
// The pictures as pixmaps of that depth on the window's screen; gc is made on the first one
// when it is 0 (without exposure events) and serves to put them there.
std::vector<xcb_pixmap_t> upload(xcb_connection_t* c, xcb_window_t window, uint8_t depth,
                                 xcb_gcontext_t* gc, const QList<QImage>& pictures);
// Whether the part (widget pixels) lies wholly on what the widget shows, in its top-level
// window itself (no native window in between), and that window is still the X11 window given.
bool wholeOnScreen(const QWidget& widget, xcb_window_t window, const QRect& part);

} // namespace XcbPixels
