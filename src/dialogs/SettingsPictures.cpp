#include "SettingsPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace SettingsPictures {

QPixmap pipette() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn upright, then turned so that the tip points to the bottom left corner.
    p.translate(3, 29);
    p.rotate(45);
    const QColor outline(40, 40, 40);
    p.setPen(QPen(outline, 1.2));
    QPainterPath glass; // the tube with its narrow tip at the origin
    glass.moveTo(0, 0);
    glass.lineTo(-2, -7);
    glass.lineTo(-3, -22);
    glass.lineTo(3, -22);
    glass.lineTo(2, -7);
    glass.closeSubpath();
    p.setBrush(QColor(225, 240, 255));
    p.drawPath(glass);
    p.setBrush(QColor(60, 120, 220)); // a drop of colour inside
    p.drawRect(QRectF(-2, -12, 4, 5));
    p.setBrush(QColor(200, 40, 40)); // the rubber bulb
    p.drawRoundedRect(QRectF(-4.5, -34, 9, 13), 4, 4);
    p.end();
    return pixmap;
}

QCursor pipetteCursor() {
    return QCursor(pipette(), 3, 28);
}

void clock(QPainter& p, const QRectF& a) {
    p.save();
    const qreal s = std::min(a.width(), a.height());
    const QPointF c = a.center() + QPointF(0, s * 0.06);
    const qreal r = s * 0.38;
    p.setPen(QPen(Qt::black, std::max(1.0, s / 16)));
    p.setBrush(QColor(230, 40, 40)); // the two bells on top
    p.drawEllipse(QPointF(c.x() - r * 0.75, c.y() - r * 0.95), r * 0.32, r * 0.32);
    p.drawEllipse(QPointF(c.x() + r * 0.75, c.y() - r * 0.95), r * 0.32, r * 0.32);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    p.drawLine(c, c + QPointF(0, -r * 0.7));
    p.drawLine(c, c + QPointF(r * 0.5, 0));
    p.restore();
}

void bell(QPainter& p, const QRectF& a) {
    p.save();
    const qreal s = std::min(a.width(), a.height());
    const QPointF c = a.center();
    p.setPen(QPen(Qt::black, std::max(1.0, s / 18)));
    p.setBrush(QColor(240, 200, 40));
    QPainterPath body;
    body.moveTo(c.x() - s * 0.36, c.y() + s * 0.22);
    body.cubicTo(c.x() - s * 0.22, c.y() + s * 0.1, c.x() - s * 0.3, c.y() - s * 0.38, c.x(),
                 c.y() - s * 0.38);
    body.cubicTo(c.x() + s * 0.3, c.y() - s * 0.38, c.x() + s * 0.22, c.y() + s * 0.1,
                 c.x() + s * 0.36, c.y() + s * 0.22);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QPointF(c.x(), c.y() + s * 0.3), s * 0.08, s * 0.08);
    p.restore();
}

QPixmap dino() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 80, 20), 1));
    p.setBrush(QColor(60, 170, 60));
    QPainterPath d;
    d.moveTo(2, 24); // tail
    d.quadTo(8, 14, 14, 14);
    d.lineTo(20, 13);
    d.quadTo(22, 6, 26, 5); // neck and head
    d.lineTo(30, 6);
    d.lineTo(30, 9);
    d.lineTo(25, 10);
    d.quadTo(24, 16, 22, 20);
    d.lineTo(22, 28); // front leg
    d.lineTo(19, 28);
    d.lineTo(18, 22);
    d.lineTo(13, 22);
    d.lineTo(12, 28); // hind leg
    d.lineTo(9, 28);
    d.lineTo(9, 21);
    d.closeSubpath();
    p.drawPath(d);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(27, 7), 0.8, 0.8);
    p.end();
    return pixmap;
}

QImage colourWheel(int width, int height, const QColor& outside) {
    QImage image(width, height, QImage::Format_RGB32);
    const qreal cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    const qreal radius = std::min(width, height) / 2.0 - 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const qreal dx = x - cx, dy = y - cy;
            const qreal d = std::hypot(dx, dy);
            if (d > radius) {
                image.setPixelColor(x, y, outside);
                continue;
            }
            qreal hue = std::atan2(-dy, dx) / (2 * M_PI);
            if (hue < 0)
                hue += 1;
            image.setPixelColor(x, y, QColor::fromHsvF(float(hue), float(d / radius), 1.0f));
        }
    }
    return image;
}

} // namespace SettingsPictures
