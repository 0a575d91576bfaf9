#include "PictureButton.h"

#include "platform/OleColor.h"

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
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(rect(), OleColor::toQColor(backColor_));

    // A raised bevel, sunken while pressed.
    const bool down = isDown();
    const QColor light(255, 255, 255), dark(96, 96, 96);
    painter.setPen(QPen(down ? dark : light, 1));
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(QPen(down ? light : dark, 1));
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());

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
