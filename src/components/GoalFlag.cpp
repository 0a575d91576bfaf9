#include "GoalFlag.h"

#include "platform/OleColor.h"

#include <QPainter>

GoalFlag::GoalFlag(QWidget* parent) : QWidget(parent) {
}

void GoalFlag::setBackColor(quint32 ole) {
    backColor_ = ole;
    update();
}

void GoalFlag::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), OleColor::toQColor(backColor_));
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = width(), h = height();
    // Pole
    painter.setPen(QPen(QColor(60, 40, 20), qMax(1.5, w * 0.08)));
    painter.drawLine(QPointF(w * 0.2, h * 0.1), QPointF(w * 0.2, h * 0.95));
    // Chequered cloth
    const QRectF cloth(w * 0.24, h * 0.1, w * 0.66, h * 0.45);
    const int cols = 4, rows = 3;
    const qreal cw = cloth.width() / cols, ch = cloth.height() / rows;
    painter.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            painter.setBrush((r + c) % 2 ? Qt::white : Qt::black);
            painter.drawRect(QRectF(cloth.left() + c * cw, cloth.top() + r * ch, cw, ch));
        }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cloth);
}
