#include "GraphicalButton.h"

#include "DialogLook.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

GraphicalButton::GraphicalButton(const QString& caption, quint32 backColor, QWidget* parent)
    : QPushButton(caption, parent), backColor_(backColor) {
}

void GraphicalButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown();
    DialogLook::paintButtonFace(painter, rect(), backColor_, down);
    style()->drawItemText(&painter, rect().translated(down ? 1 : 0, down ? 1 : 0),
                          Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                          QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
