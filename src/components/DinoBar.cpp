#include "DinoBar.h"

#include "platform/OleColor.h"

#include <QPainter>

DinoBar::DinoBar(QWidget* parent) : QWidget(parent) {
}

void DinoBar::setMin(qint32 newMin) {
    if (newMin >= max_)
        return; // rejected silently
    min_ = newMin;
    if (newMin > value_)
        value_ = newMin;
    update();
}

void DinoBar::setMax(qint32 newMax) {
    if (newMax <= min_)
        return; // rejected silently: a lesson without characters keeps the last maximum
    max_ = newMax;
    if (newMax < value_)
        value_ = newMax;
    update();
}

void DinoBar::setValue(qint32 newValue) {
    value_ = newValue > max_ ? max_ : newValue < min_ ? min_ : newValue;
    update();
}

void DinoBar::setBackColor(quint32 ole) {
    backColor_ = ole;
    update();
}

void DinoBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), OleColor::toQColor(backColor_));
}
