#include "LiveLabel.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QStyle>

void LiveLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        rawFor_ = false;
    QLabel::changeEvent(event);
}

void LiveLabel::paintEvent(QPaintEvent* event) {
    const QString shown = text();
    const bool plain = textFormat() == Qt::PlainText && frameShape() == QFrame::NoFrame &&
                       margin() == 0 && indent() <= 0 && !wordWrap() && isEnabled() &&
                       !shown.contains(QLatin1Char('\n'));
    if (!plain) {
        QLabel::paintEvent(event);
        return;
    }
    if (shown.isEmpty())
        return;
    if (!rawFor_) {
        raw_ = QRawFont::fromFont(font());
        rawFor_ = true;
    }
    const QList<quint32> glyphs =
        raw_.isValid() ? raw_.glyphIndexesForString(shown) : QList<quint32>();
    // A missing glyph (or a character of two code units) needs the font fallback of the
    // ordinary way.
    if (glyphs.size() != shown.size() || glyphs.contains(0)) {
        QLabel::paintEvent(event);
        return;
    }
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    qreal width = 0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(width, 0));
        width += advance.x();
    }

    // As the painter places one line of text in a rectangle: as high as the font's ascent and
    // descent, without the leading.
    const QRect box = contentsRect();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    const qreal height = raw_.ascent() + raw_.descent();
    qreal x = box.x(), y = box.y();
    if (align & Qt::AlignRight)
        x += box.width() - width;
    else if (align & Qt::AlignHCenter)
        x += (box.width() - width) / 2;
    if (align & Qt::AlignBottom)
        y += box.height() - height;
    else if (align & Qt::AlignVCenter)
        y += (box.height() - height) / 2;

    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawGlyphRun(QPointF(x, y + raw_.ascent()), run);
}
