#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class QWidget;

// A top-level window's place as its outer frame's top-left corner, title bar and border included
// where a window manager draws them. Qt hands a corner given before the native window exists to
// the window manager as the frame's, provided the window's size is final by then; any other way
// it places the client area. The frame is known only once the window manager has framed the
// shown window: a placement checks the frame then and moves the window where it was asked to be.
class WindowFrame : public QObject {
    Q_OBJECT
public:
    // The frame's corner; while a placement waits for the frame, the corner it asked for.
    static QPoint corner(const QWidget* window);
    // The frame's size; before the window is framed, its size with the frame that the program's
    // framed windows have (one window manager draws them alike).
    static QSize size(QWidget* window);
    // Puts the frame's corner at corner, before or after the window is shown. Does nothing where
    // the compositor places the windows (Wayland).
    static void place(QWidget* window, QPoint corner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowFrame(QWidget* window);
    void watchNativeWindow();
    void check();

    QWidget* window_;
    QPoint corner_;
    bool pending_ = false;
};
