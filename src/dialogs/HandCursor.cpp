#include "HandCursor.h"

#include <QPainter>
#include <QPainterPath>

namespace HandCursor {

namespace {

constexpr int Size = 32;
constexpr int FingerLeft = 11;
constexpr int FingerWidth = 6;
constexpr int FingerTop = 1;

QPainterPath handOutline() {
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    // The raised index finger, then the three bent fingers falling off towards the little one.
    hand.addRoundedRect(FingerLeft, FingerTop, FingerWidth, 19, 3, 3);
    hand.addRoundedRect(16, 11, 6, 10, 2.5, 2.5);
    hand.addRoundedRect(21, 12, 5, 10, 2.5, 2.5);
    hand.addRoundedRect(25, 14, 5, 9, 2.5, 2.5);
    // The palm and the thumb resting against it.
    hand.addRoundedRect(11, 17, 19, 13, 4, 4);
    QPainterPath thumb;
    thumb.addRoundedRect(0, 0, 11, 5, 2.5, 2.5);
    hand.addPath(QTransform().translate(3, 16).rotate(40).map(thumb));
    return hand.simplified();
}

QImage drawHand() {
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false); // a cursor wants hard edges
    const QPainterPath hand = handOutline();
    painter.fillPath(hand, QColor(255, 224, 189)); // skin
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(hand);
    // Creases that separate the bent fingers.
    painter.drawLine(21, 14, 21, 19);
    painter.drawLine(25, 16, 25, 20);
    painter.end();
    return image;
}

} // namespace

QPixmap picture() {
    static const QImage hand = drawHand(); // drawn once for all the links
    return QPixmap::fromImage(hand);
}

QPoint hotSpot() {
    return QPoint(FingerLeft + FingerWidth / 2, FingerTop);
}

QCursor cursor() {
    const QPoint spot = hotSpot();
    return QCursor(picture(), spot.x(), spot.y());
}

} // namespace HandCursor
