#include "WindowFrame.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QWidget>
#include <QWindow>

namespace {

// Shown and on screen: a window manager has framed it by now, if it frames windows at all.
bool exposed(const QWidget* window) {
    const QWindow* native = window->windowHandle();
    return window->isVisible() && native && native->isExposed();
}

// The frame around the client area of a framed window of the program.
QMargins knownFrame(const QWidget* except) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == except || !exposed(other))
            continue;
        const QRect outer = other->frameGeometry(), inner = other->geometry();
        if (outer != inner)
            return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                            outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    return QMargins();
}

// The size the window will be shown at: what showing would do to it, done now.
void settleSize(QWidget* window) {
    if (QLayout* layout = window->layout())
        layout->activate();
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
}

} // namespace

WindowFrame::WindowFrame(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
}

QPoint WindowFrame::corner(const QWidget* window) {
    const auto* frame = window->findChild<WindowFrame*>(QString(), Qt::FindDirectChildrenOnly);
    if (frame && frame->pending_)
        return frame->corner_;
    return window->frameGeometry().topLeft();
}

QSize WindowFrame::size(QWidget* window) {
    if (exposed(window))
        return window->frameGeometry().size();
    settleSize(window);
    return window->size().grownBy(knownFrame(window));
}

void WindowFrame::place(QWidget* window, QPoint corner) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    auto* frame = window->findChild<WindowFrame*>(QString(), Qt::FindDirectChildrenOnly);
    if (!frame)
        frame = new WindowFrame(window);
    frame->corner_ = corner;
    if (exposed(window)) {
        // Qt knows the frame: it moves the client area so that the frame's corner lands there.
        frame->pending_ = false;
        window->move(corner);
        return;
    }
    if (!window->testAttribute(Qt::WA_WState_Created))
        settleSize(window); // a later change of size would make Qt place the client area
    frame->pending_ = true;
    window->move(corner);
    if (window->isVisible())
        frame->watchNativeWindow();
}

void WindowFrame::watchNativeWindow() {
    if (QWindow* native = window_->windowHandle())
        native->installEventFilter(this);
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        // Showing has created the native window; it is framed when it is first exposed.
        if (event->type() == QEvent::Show && pending_)
            watchNativeWindow();
    } else if (event->type() == QEvent::Expose && pending_) {
        if (const auto* native = qobject_cast<QWindow*>(watched); native && native->isExposed())
            check();
    }
    return false;
}

void WindowFrame::check() {
    pending_ = false;
    if (QWindow* native = window_->windowHandle())
        native->removeEventFilter(this);
    // A window manager that ignored the frame's corner, or a window created early, had its
    // client area placed there instead.
    if (window_->frameGeometry().topLeft() != corner_)
        window_->move(corner_);
}
