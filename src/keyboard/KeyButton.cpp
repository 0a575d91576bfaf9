#include "KeyButton.h"

#include "platform/ApplicationLook.h"
#include "platform/OleColor.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

enum class Symbol { None, Shift, Caps, Return, Backspace };

// What a cap shows, taken from the key's names.
struct Legend {
    QString centre;      // a letter, or a word such as "Strg"
    QString topLeft;     // the shifted sign of a sign key
    QString bottomLeft;  // its unshifted sign
    QString bottomRight; // the AltGr sign
    bool letter = false;
    Symbol symbol = Symbol::None;
};

Legend legendOf(const QString& names) {
    const QStringList parts = names.split(QLatin1Char('|'));
    Legend legend;
    if (parts.size() >= 2) {
        const QString& plain = parts.at(0);
        const QString& shifted = parts.at(1);
        if (plain.size() == 1 && shifted.size() == 1 && plain.at(0).isLetter() &&
            plain.at(0).toUpper() == shifted.at(0) && plain != shifted) {
            legend.centre = shifted;
            legend.letter = true;
        } else {
            legend.topLeft = shifted;
            legend.bottomLeft = plain;
        }
        if (parts.size() >= 3)
            legend.bottomRight = parts.at(2);
        return legend;
    }

    const QString& word = parts.at(0);
    if (word == QLatin1String("SHIFTL") || word == QLatin1String("SHIFTR"))
        legend.symbol = Symbol::Shift;
    else if (word == QLatin1String("CAPS"))
        legend.symbol = Symbol::Caps;
    else if (word == QLatin1String("RETURN"))
        legend.symbol = Symbol::Return;
    else if (word == QLatin1String("BACK"))
        legend.symbol = Symbol::Backspace;
    else if (word == QLatin1String("BACKTICK")) {
        legend.topLeft = QStringLiteral("`");
        legend.bottomLeft = QStringLiteral("\u00b4");
    } else if (word == QLatin1String("STRG"))
        legend.centre = QStringLiteral("Strg");
    else if (word == QLatin1String("ALT"))
        legend.centre = QStringLiteral("Alt");
    else if (word == QLatin1String("ALTGR"))
        legend.centre = QStringLiteral("Alt Gr");
    else if (word == QLatin1String("INS"))
        legend.centre = QStringLiteral("Einfg");
    else if (word == QLatin1String("DEL"))
        legend.centre = QStringLiteral("Entf");
    else if (word != QLatin1String("LEER"))
        legend.centre = word; // F1 to F4
    return legend;
}

QFont legendFont(qreal pixelSize) {
    QFont font;
    font.setFamilies(
        ApplicationLook::designFamilies(QStringLiteral("Arial"), QStringLiteral("Liberation Sans")));
    font.setPixelSize(qMax(6, qRound(pixelSize)));
    return font;
}

// The outlined upward arrow of the Shift key, with a bar under it for Caps Lock.
void drawShiftArrow(QPainter& p, const QPointF& centre, qreal s, bool withBar) {
    const qreal half = 7 * s, stem = 4 * s, top = -8 * s, shoulder = -1 * s, bottom = 6 * s;
    QPolygonF arrow;
    arrow << QPointF(0, top) << QPointF(half, shoulder) << QPointF(stem, shoulder)
          << QPointF(stem, bottom) << QPointF(-stem, bottom) << QPointF(-stem, shoulder)
          << QPointF(-half, shoulder);
    arrow.translate(centre.x(), centre.y() - (withBar ? 2 * s : 0));
    p.drawPolygon(arrow);
    if (withBar) {
        const qreal y = centre.y() + bottom + 1 * s;
        p.drawLine(QPointF(centre.x() - stem, y), QPointF(centre.x() + stem, y));
    }
}

void drawArrowHead(QPainter& p, const QPointF& tip, qreal s) {
    QPolygonF head;
    head << tip << QPointF(tip.x() + 6 * s, tip.y() - 4 * s)
         << QPointF(tip.x() + 6 * s, tip.y() + 4 * s);
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.restore();
}

} // namespace

KeyButton::KeyButton(const QString& names, QSize capSize, QWidget* parent)
    : QWidget(parent), names_(names), capSize_(capSize), color_(OleColor::Neutral) {
    // The whole face is painted every time, so nothing behind it needs repainting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void KeyButton::setColor(quint32 ole) {
    if (ole == color_)
        return;
    color_ = ole;
    // A key lights at every keystroke; its cap and legend stay as they are.
    layOut();
    update(colourRegion_);
}

QRectF KeyButton::capRect(qreal* scale) const {
    *scale = 0;
    if (capSize_.isEmpty())
        return {};
    // The cap keeps its size; only a button too small for it and a visible rim shrinks it.
    const int rim = qMin(4, qMin(width(), height()) / 8);
    const qreal s = std::min({1.0, qreal(width() - 2 * rim) / capSize_.width(),
                              qreal(height() - 2 * rim) / capSize_.height()});
    if (s <= 0)
        return {};
    *scale = s;
    const QSizeF capSize(capSize_.width() * s, capSize_.height() * s);
    return {QPointF((width() - capSize.width()) / 2, (height() - capSize.height()) / 2), capSize};
}

void KeyButton::layOut() {
    if (laidOutFor_ == size())
        return;
    laidOutFor_ = size();
    bodyKey_ = QStringLiteral("KeyButton/%1x%2/%3x%4/")
                   .arg(width())
                   .arg(height())
                   .arg(capSize_.width())
                   .arg(capSize_.height());
    qreal s = 0;
    const QRectF cap = capRect(&s);
    // On a small cap the legend comes close to the corners; such a key repaints whole.
    if (s < 0.75) {
        colourRegion_ = rect();
        return;
    }
    // The pixels wholly inside the cap, less its rounded corners: a band at each side as wide
    // as a corner is left out with them, which keeps the region to four rectangles. The legend
    // keeps further from the sides.
    const QRect inside(QPoint(int(std::ceil(cap.left())), int(std::ceil(cap.top()))),
                       QPoint(int(std::floor(cap.right())) - 1, int(std::floor(cap.bottom())) - 1));
    const int corner = int(std::ceil(4 * s)) + 1;
    colourRegion_ = QRegion(rect()) - QRegion(inside.adjusted(corner, 0, -corner, 0));
}

void KeyButton::paintEvent(QPaintEvent* event) {
    layOut();
    QPainter p(this);
    const QColor colour = OleColor::toQColor(color_);
    qreal s = 0;
    const QRectF cap = capRect(&s);
    if (cap.isEmpty()) {
        p.fillRect(rect(), colour);
        return;
    }
    // The top face sits a little above the cap's lower edge, which gives the cap its depth.
    const QRectF face = cap.adjusted(3 * s, 2 * s, -3 * s, -5 * s);

    // The antialiased body on the key's colour is the dearest part of a key and the same on
    // every key of its size and colour: drawn once, then copied whenever a key changes colour.
    const qreal dpr = devicePixelRatioF();
    const bool colourOnly = (event->region() - colourRegion_).isEmpty();
    const QString cacheKey =
        bodyKey_ + QString::number(dpr) + QLatin1Char('/') + QString::number(color_, 16);
    QPixmap body;
    if (!QPixmapCache::find(cacheKey, &body)) {
        body = QPixmap((QSizeF(size()) * dpr).toSize());
        body.setDevicePixelRatio(dpr);
        body.fill(colour);
        QPainter b(&body);
        b.setRenderHint(QPainter::Antialiasing);
        const qreal radius = 4 * s;
        b.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        b.setBrush(QColor(0xC4, 0xC4, 0xC4));
        b.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        b.setPen(Qt::NoPen);
        b.setBrush(QColor(0xF6, 0xF6, 0xF4));
        b.drawRoundedRect(face, radius * 0.75, radius * 0.75);
        b.end();
        QPixmapCache::insert(cacheKey, body);
    }
    // Rectangle by rectangle of the region: copied whole under the band's clip, a key is some
    // hundred spans, which the painter hands to helper threads and waits for; that costs more
    // than the pixels.
    for (const QRect& r : event->region())
        p.drawPixmap(r.topLeft(), body, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
    // A change of colour leaves the legend's pixels as they are.
    if (colourOnly)
        return;
    p.setRenderHint(QPainter::Antialiasing);

    const Legend legend = legendOf(names_);
    const QColor ink(0x20, 0x20, 0x20);
    // Whole-pixel strokes through pixel centres keep the symbols sharp.
    p.setPen(QPen(ink, qMax(1, qRound(1.4 * s)), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const QRectF text = face.adjusted(4 * s, 1 * s, -4 * s, -1 * s);

    if (!legend.centre.isEmpty()) {
        const qreal size = legend.letter ? 17 * s : qMin(12 * s, face.height() * 0.55);
        p.setFont(legendFont(size));
        p.drawText(face, Qt::AlignCenter, legend.centre);
    }
    if (!legend.topLeft.isEmpty()) {
        p.setFont(legendFont(14 * s));
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop, legend.topLeft);
        p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, legend.bottomLeft);
    }
    if (!legend.bottomRight.isEmpty()) {
        p.setFont(legendFont(11 * s));
        p.drawText(text, Qt::AlignRight | Qt::AlignBottom, legend.bottomRight);
    }

    const QPointF c(std::floor(face.center().x()) + 0.5, std::floor(face.center().y()) + 0.5);
    switch (legend.symbol) {
    case Symbol::None:
        break;
    case Symbol::Shift:
        drawShiftArrow(p, c, s, false);
        break;
    case Symbol::Caps:
        drawShiftArrow(p, c, s, true);
        break;
    case Symbol::Return: {
        const qreal right = c.x() + 10 * s, left = c.x() - 12 * s, y = c.y() + 4 * s;
        QPainterPath path(QPointF(right, c.y() - 8 * s));
        path.lineTo(right, y);
        path.lineTo(left + 5 * s, y);
        p.drawPath(path);
        drawArrowHead(p, QPointF(left, y), s);
        break;
    }
    case Symbol::Backspace: {
        const qreal left = c.x() - 14 * s;
        p.drawLine(QPointF(left + 5 * s, c.y()), QPointF(c.x() + 14 * s, c.y()));
        drawArrowHead(p, QPointF(left, c.y()), s);
        break;
    }
    }
}
