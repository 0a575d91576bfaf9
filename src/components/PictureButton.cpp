#include "PictureButton.h"

#include "DialogLook.h"

#include <QPainter>

PictureButton::PictureButton(Picture picture, quint32 backColor, QWidget* parent)
    : QAbstractButton(parent), picture_(std::move(picture)), backColor_(backColor) {
    setFocusPolicy(Qt::NoFocus); // graphical buttons never take the focus from the input box
}

void PictureButton::setBackColor(quint32 ole) {
    backColor_ = ole;
    update();
}

QSize PictureButton::sizeHint() const {
    return QSize(37, 33);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool down = isDown();
    DialogLook::paintButtonFace(painter, rect(), backColor_, down);

    const qreal side = qMin(width(), height()) * 0.78;
    QRectF area((width() - side) / 2, (height() - side) / 2, side, side);
    if (down)
        area.translate(1, 1);
    painter.save();
    if (!isEnabled())
        painter.setOpacity(0.35);
    if (picture_)
        picture_(painter, area);
    painter.restore();
}
