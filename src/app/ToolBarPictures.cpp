#include "ToolBarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace ToolBarPictures {

namespace {

// All pictures are drawn in a 24 x 24 design grid scaled into the button's area.
void toGrid(QPainter& p, const QRectF& area) {
    p.translate(area.topLeft());
    p.scale(area.width() / 24.0, area.height() / 24.0);
}

QPen outline(qreal width = 1.2) {
    return QPen(QColor(30, 30, 30), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void statistics(QPainter& p, const QRectF& area) {
    toGrid(p, area);
    p.setPen(outline());
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
    const struct {
        qreal x, top;
        QColor color;
    } bars[] = {{5.5, 13, QColor(220, 60, 60)},
                {10, 7, QColor(60, 110, 220)},
                {14.5, 10, QColor(240, 190, 40)},
                {19, 5, QColor(60, 170, 80)}};
    for (const auto& bar : bars) {
        p.setBrush(bar.color);
        p.drawRect(QRectF(bar.x - 1.6, bar.top, 3.2, 21 - bar.top));
    }
}

void browser(QPainter& p, const QRectF& area) {
    toGrid(p, area);
    p.setPen(outline());
    p.setBrush(QColor(120, 180, 240));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 4, 9);
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    p.drawArc(QRectF(4, 2, 16, 8), 200 * 16, 140 * 16);
    p.drawArc(QRectF(4, 14, 16, 8), 20 * 16, 140 * 16);
}

void reminder(QPainter& p, const QRectF& area) {
    toGrid(p, area);
    p.setPen(outline());
    // Bells of the alarm clock.
    p.setBrush(QColor(230, 200, 60));
    p.drawChord(QRectF(2, 2, 8, 8), 30 * 16, 180 * 16);
    p.drawChord(QRectF(14, 2, 8, 8), -30 * 16, 180 * 16);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(12, 13.5), 8, 8);
    p.drawLine(QPointF(6.5, 19.5), QPointF(4.5, 22));
    p.drawLine(QPointF(17.5, 19.5), QPointF(19.5, 22));
    p.setPen(outline(1.6));
    p.drawLine(QPointF(12, 13.5), QPointF(12, 8.5));
    p.drawLine(QPointF(12, 13.5), QPointF(15.5, 15.5));
}

void lessons(QPainter& p, const QRectF& area) {
    toGrid(p, area);
    p.setPen(outline());
    p.setBrush(QColor(250, 250, 240));
    QPainterPath left;
    left.moveTo(12, 6);
    left.cubicTo(9, 4, 5, 4, 2, 5);
    left.lineTo(2, 19);
    left.cubicTo(5, 18, 9, 18, 12, 20);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(12, 6);
    right.cubicTo(15, 4, 19, 4, 22, 5);
    right.lineTo(22, 19);
    right.cubicTo(19, 18, 15, 18, 12, 20);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(110, 110, 110), 0.8));
    for (qreal y = 8.5; y < 17; y += 2.5) {
        p.drawLine(QPointF(4, y), QPointF(10, y + 0.6));
        p.drawLine(QPointF(14, y + 0.6), QPointF(20, y));
    }
}

void keypad(QPainter& p, const QRectF& area) {
    toGrid(p, area);
    p.setPen(outline(0.9));
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(3, 1.5, 18, 21), 2, 2);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(4);
    font.setBold(true);
    p.setFont(font);
    const char* digits = "789456123";
    for (int i = 0; i < 9; ++i) {
        const QRectF key(5 + (i % 3) * 5, 3.5 + (i / 3) * 5, 4, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(245, 245, 245));
        p.drawRoundedRect(key, 0.8, 0.8);
        p.setPen(Qt::black);
        p.drawText(key, Qt::AlignCenter, QString(QLatin1Char(digits[i])));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 245));
    p.drawRoundedRect(QRectF(5, 18.5, 9, 3), 0.8, 0.8);
    p.drawRoundedRect(QRectF(15, 18.5, 4, 3), 0.8, 0.8);
}

void options(QPainter& p, const QRectF& area) {
    toGrid(p, area);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.5) * M_PI / teeth, a1 = (i + 0.5) * M_PI / teeth;
        const qreal r = i % 2 ? 7.0 : 9.5;
        const QPointF p0(12 + r * qCos(a0), 12 + r * qSin(a0));
        const QPointF p1(12 + r * qCos(a1), 12 + r * qSin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(12, 12), 3, 3);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(outline(1));
    p.setBrush(QColor(150, 150, 160));
    p.drawPath(gear);
}

} // namespace

PictureButton::Picture forButton(int index) {
    switch (index) {
    case 0:
        return statistics;
    case 1:
        return browser;
    case 2:
        return reminder;
    case 3:
        return lessons;
    case 4:
        return keypad;
    case 6:
        return options;
    default:
        return {};
    }
}

} // namespace ToolBarPictures
