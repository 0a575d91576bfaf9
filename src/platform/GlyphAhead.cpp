#include "GlyphAhead.h"

#include "XcbPixels.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

GlyphAhead::GlyphAhead(const QPlainTextEdit& box) : box_(box) {
}

GlyphAhead::~GlyphAhead() {
    if (gc_)
        if (xcb_connection_t* c = XcbPixels::qtConnection())
            xcb_free_gc(c, gc_);
}

QRect GlyphAhead::cell(const QPlainTextEdit& box, QChar typed, QImage* picture) {
    const QTextCursor cursor = box.textCursor();
    if (!typed.isPrint() || cursor.hasSelection() || !cursor.atBlockEnd())
        return {};
    const QTextBlock block = cursor.block();
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return {};
    const QTextLine line = layout->lineAt(layout->lineCount() - 1);
    const QFont font = box.document()->defaultFont();
    const qreal advance = QFontMetricsF(font).horizontalAdvance(typed);
    // Room for the character and one more: it stays on this line, nothing wraps.
    if (line.naturalTextWidth() + 2 * advance >= line.width())
        return {};
    // The caret is where the box puts the line's origin, rounded: the line's own place in the
    // box is whole pixels.
    const int position = cursor.positionInBlock();
    const qreal inLine = line.cursorToX(position);
    const QRect caret = box.cursorRect(cursor);
    const int origin = caret.x() - qRound(inLine);
    const qreal x = origin + inLine;
    const qreal top = caret.y() - qRound(line.y()) + line.y();
    const QRect at(QPoint(int(std::floor(x)), int(std::floor(top))),
                   QPoint(int(std::ceil(x + advance)), int(std::ceil(top + line.height())) - 1));
    if (at.isEmpty())
        return {};
    QImage image(at.size(), QImage::Format_RGB32);
    const QPalette& palette = box.viewport()->palette();
    image.fill(palette.color(QPalette::Base));
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::Text));
    const qreal baseline = top + line.ascent() - at.y();
    // The character before it may reach into the cell (a slanted or wide glyph's edge).
    if (position > line.textStart()) {
        const qreal before = origin + line.cursorToX(position - 1);
        painter.drawText(QPointF(before - at.x(), baseline), block.text().mid(position - 1, 1));
    }
    painter.drawText(QPointF(x - at.x(), baseline), QString(typed));
    painter.end();
    *picture = image;
    return at;
}

void GlyphAhead::draw(QChar typed) {
    const QWidget& viewport = *box_.viewport();
    const xcb_window_t window = XcbPixels::windowOf(viewport);
    if (!window || !viewport.isVisible())
        return;
    xcb_connection_t* c = XcbPixels::qtConnection();
    if (window != window_) {
        window_ = window;
        fits_ = XcbPixels::takesRgb32(c, window, &depth_);
        if (fits_ && !gc_)
            gc_ = XcbPixels::makeGc(c, window);
    }
    if (!fits_)
        return;
    QImage picture;
    const QRect at = cell(box_, typed, &picture);
    if (at.isEmpty() || !XcbPixels::wholeOnScreen(viewport, window, at))
        return;
    XcbPixels::put(c, window, gc_, depth_, picture,
                   viewport.mapTo(viewport.window(), at.topLeft()));
    xcb_flush(c);
}
