#include "KeypadKeyButton.h"

#include "KeypadKeys.h"
#include "platform/ApplicationLook.h"
#include "platform/OleColor.h"

#include <QPainter>
#include <cmath>

namespace {

// The state colour shows this wide around the cap.
constexpr int Border = 3;

QFont legendFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(
        ApplicationLook::designFamilies(QStringLiteral("Arial"), QStringLiteral("Liberation Sans")));
    font.setPixelSize(qMax(6, pixelSize));
    font.setBold(bold);
    return font;
}

// The NumLock key's arrow: an outline pointing down, its top at the given point.
void drawOutlinedDownArrow(QPainter& p, const QPointF& top, qreal height) {
    const qreal half = height * 0.45, stem = height * 0.2, shoulder = height * 0.5;
    QPolygonF arrow;
    arrow << QPointF(-stem, 0) << QPointF(stem, 0) << QPointF(stem, shoulder)
          << QPointF(half, shoulder) << QPointF(0, height) << QPointF(-half, shoulder)
          << QPointF(-stem, shoulder);
    arrow.translate(top.x() + half, top.y());
    p.drawPolygon(arrow);
}

// The arrows of the navigation legends, drawn rather than taken from the font, whose arrows
// are too small to read at this size.
bool isArrow(QChar c) {
    return c.unicode() >= 0x2190 && c.unicode() <= 0x2193;
}

// An arrow with a filled head, its length along the direction, starting at the given point
// (the tail for left and right, the left edge of its box for up and down).
void drawArrow(QPainter& p, QChar direction, const QPointF& at, qreal length) {
    const qreal head = length * 0.38;
    QPointF tail, tip;
    switch (direction.unicode()) {
    case 0x2190: // left
        tail = at + QPointF(length, 0);
        tip = at;
        break;
    case 0x2192: // right
        tail = at;
        tip = at + QPointF(length, 0);
        break;
    case 0x2191: // up
        tail = at + QPointF(head, length / 2);
        tip = at + QPointF(head, -length / 2);
        break;
    default: // down
        tail = at + QPointF(head, -length / 2);
        tip = at + QPointF(head, length / 2);
        break;
    }
    const QPointF along = (tip - tail) / length;
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * head;
    p.drawLine(tail, base);
    QPolygonF arrowHead;
    arrowHead << tip << base + across * head * 0.6 << base - across * head * 0.6;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(p.pen().color());
    p.drawPolygon(arrowHead);
    p.restore();
}

} // namespace

KeypadKeyButton::KeypadKeyButton(const QString& legend, const QString& subLegend, QWidget* parent)
    : QWidget(parent), legend_(legend), subLegend_(subLegend), color_(OleColor::Neutral) {
    // The whole face is painted every time, so nothing behind it needs repainting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void KeypadKeyButton::setColor(quint32 ole) {
    if (ole == color_)
        return;
    color_ = ole;
    update();
}

void KeypadKeyButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), OleColor::toQColor(color_));
    const QRectF cap =
        QRectF(rect()).adjusted(Border + 0.5, Border + 0.5, -Border - 0.5, -Border - 0.5);
    if (cap.width() <= 0 || cap.height() <= 0)
        return;

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.setBrush(QColor(0xB8, 0xB8, 0xB8));
    p.drawRoundedRect(cap, 4, 4);
    // The top face sits above the cap's lower edge, which gives the cap its depth.
    const QRectF face = cap.adjusted(2.5, 1.5, -2.5, -4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xEC, 0xEC, 0xEA));
    p.drawRoundedRect(face, 3, 3);

    // Sizes follow the height of a standard key, so the tall keys letter like the others.
    const int unit = qMin(int(face.height()), 40);
    const QColor ink(0x20, 0x20, 0x20);
    p.setPen(ink);
    const QRectF text = face.adjusted(4, 1, -3, -2);
    const QFont first = legendFont(qRound(unit * 0.46), true);
    p.setFont(first);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, legend_);
    if (subLegend_.isEmpty())
        return;

    const qreal below = text.top() + QFontMetricsF(first).height();
    const QRectF second(text.left(), below, text.width(), text.bottom() - below);
    if (subLegend_ == OutlinedDownArrow) {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::NoBrush);
        drawOutlinedDownArrow(p, second.topLeft() + QPointF(1, 1), qMin(second.height() - 2, 12.0));
        return;
    }
    QString words = subLegend_;
    QChar arrow;
    if (!words.isEmpty() && isArrow(words.back())) {
        arrow = words.back();
        words = words.chopped(1);
    }
    const QFont font = legendFont(qRound(unit * 0.32), false);
    p.setFont(font);
    p.drawText(second, Qt::AlignLeft | Qt::AlignTop, words);
    if (arrow.isNull())
        return;
    const QFontMetricsF metrics(font);
    const qreal length = unit * 0.34;
    const QPointF at(std::floor(second.left() + metrics.horizontalAdvance(words)) + 1.5,
                     std::floor(second.top() + metrics.ascent() * 0.62) + 0.5);
    p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::FlatCap));
    drawArrow(p, arrow, at, length);
}
