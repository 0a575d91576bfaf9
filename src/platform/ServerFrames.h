#pragma once

#include <QImage>
#include <QList>
#include <memory>

class QPoint;
class QRect;
class QWidget;

// Pictures kept on the X server and drawn there into a top-level window: a step of an animation
// costs one copy request, where a repaint costs the window's whole paint and a round trip to
// the server. Only for X11 windows of the usual true-colour kind, at one device pixel per
// pixel; elsewhere forWidget() gives none and the widget paints as usual.
class ServerFrames {
public:
    static std::unique_ptr<ServerFrames> forWidget(const QWidget& widget);
    ~ServerFrames();

    // Opaque pictures of one size; replaces those kept so far.
    void setFrames(const QList<QImage>& frames);
    // Draws the part source of a frame at target, in pixels of the widget given; false when it
    // cannot (the window was made anew, or the part would not lie wholly on what the widget
    // shows), and the widget has to paint it.
    bool draw(int frame, const QRect& source, const QPoint& target);

private:
    struct Connection;
    explicit ServerFrames(std::unique_ptr<Connection> connection);
    void release();

    std::unique_ptr<Connection> x_;
};
