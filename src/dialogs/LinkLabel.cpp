#include "LinkLabel.h"

#include "HandCursor.h"
#include "components/DialogLook.h"

#include <QEnterEvent>
#include <QFont>
#include <QMouseEvent>

namespace {
constexpr quint32 LinkBlue = 0xC00000;
}

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    QFont f = DialogLook::font(QStringLiteral("Tahoma"), 8.25, true);
    f.setUnderline(true);
    setFont(f);
    DialogLook::setForeColor(this, LinkBlue);
}

// The hand is made when the pointer first comes over the link, not before the start screen shows.
void LinkLabel::enterEvent(QEnterEvent* event) {
    if (!handSet_) {
        handSet_ = true;
        setCursor(HandCursor::cursor());
    }
    QLabel::enterEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}
