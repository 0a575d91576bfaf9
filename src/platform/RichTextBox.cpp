#include "RichTextBox.h"

#include "OleColor.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, QColor(Qt::black)); // unmarked text
    setPalette(palette);
    docPos_ = {0};
}

void RichTextBox::setText(const QString& text) {
    raw_ = text;
    QString display;
    display.reserve(text.size());
    docPos_.resize(text.size() + 1);
    int doc = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        docPos_[i] = doc;
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            // One paragraph break in the document; the LF already stands at the next line.
            display += QLatin1Char('\n');
            ++doc;
            docPos_[++i] = doc;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            display += QLatin1Char('\n');
            ++doc;
        } else {
            display += c;
            ++doc;
        }
    }
    docPos_[text.size()] = doc;
    // A new text starts plain.
    marks_.clear();
    setCurrentCharFormat(QTextCharFormat());
    setPlainText(display);
    // A paragraph's layout forgets its shaping after each use and analyses the whole paragraph
    // again for every caret position and repaint; kept, a keystroke costs the same on a long
    // line as on a short one, and a repaint of the mark shapes nothing.
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    selStart_ = 0;
    selLength_ = 0;
}

std::pair<int, int> RichTextBox::docRange(int start, int length) const {
    const int n = int(raw_.size());
    start = qBound(0, start, n);
    const int end = qBound(start, start + qMax(0, length), n);
    return {docPos_[start], docPos_[end]};
}

void RichTextBox::setSelection(int start, int length) {
    const int n = int(raw_.size());
    selStart_ = qBound(0, start, n);
    selLength_ = qBound(0, length, n - selStart_);
    // Keep the selection in view without showing the widget's own highlight over the mark. The
    // hidden caret is only moved when the box has to scroll (the box scrolls for the caret with
    // 5 pixels to the sides): moving it repaints for nothing.
    QTextCursor caret(document());
    caret.setPosition(docPos_[selStart_]);
    if (viewport()->rect().contains(cursorRect(caret).adjusted(-6, -1, 6, 1)))
        return;
    setTextCursor(caret);
    ensureCursorVisible();
}

void RichTextBox::setSelColor(quint32 ole) {
    changeSelection({true, ole, false, false});
}

void RichTextBox::setSelEmphasis(bool on) {
    changeSelection({false, 0, true, on});
}

void RichTextBox::setSelMark(quint32 ole, bool emphasis) {
    changeSelection({true, ole, true, emphasis});
}

// Only the runs the selection touches change; the rest are copied.
void RichTextBox::changeSelection(const Change& change) {
    const auto [from, to] = docRange(selStart_, selLength_);
    if (from >= to)
        return;
    QVector<Mark> result;
    result.reserve(marks_.size() + 2);
    const auto add = [&result](int f, int t, quint32 color, bool emphasis) {
        if (f >= t || (color == OleColor::Black && !emphasis))
            return;
        Mark* last = result.isEmpty() ? nullptr : &result.last();
        if (last && last->to == f && last->color == color && last->emphasis == emphasis)
            last->to = t;
        else
            result.append({f, t, color, emphasis});
    };
    const auto changed = [&change, &add](int f, int t, quint32 color, bool emphasis) {
        add(f, t, change.setColor ? change.color : color,
            change.setEmphasis ? change.emphasis : emphasis);
    };
    int pos = from; // the selection is dealt with up to here
    for (const Mark& m : std::as_const(marks_)) {
        if (m.to <= from || m.from >= to) {
            if (m.from >= to) {
                changed(pos, to, OleColor::Black, false);
                pos = to;
            }
            add(m.from, m.to, m.color, m.emphasis);
            continue;
        }
        add(m.from, from, m.color, m.emphasis);
        changed(pos, m.from, OleColor::Black, false);
        changed(qMax(m.from, from), qMin(m.to, to), m.color, m.emphasis);
        pos = qMin(m.to, to);
        add(to, m.to, m.color, m.emphasis);
    }
    changed(pos, to, OleColor::Black, false);

    if (result == marks_)
        return;
    const QVector<Mark> before = std::exchange(marks_, std::move(result));
    showMarks(before);
}

// Repaints the cells of the marks that came or went; both lists are sorted.
void RichTextBox::showMarks(const QVector<Mark>& before) {
    const auto repaint = [this](const Mark& m) {
        forEachCell(m.from, m.to,
                    [this](const QRect& cell, auto&&...) { viewport()->update(cell); });
    };
    auto old = before.cbegin();
    auto now = marks_.cbegin();
    while (old != before.cend() || now != marks_.cend()) {
        if (old != before.cend() && now != marks_.cend() && *old == *now) {
            ++old;
            ++now;
        } else if (now == marks_.cend() || (old != before.cend() && old->from <= now->from)) {
            repaint(*old++);
        } else {
            repaint(*now++);
        }
    }
}

template <typename Show> void RichTextBox::forEachCell(int from, int to, Show show) const {
    const QPointF scrolled(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    QAbstractTextDocumentLayout* documentLayout = document()->documentLayout();
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QTextLayout* layout = block.layout();
        const int start = qMax(from, block.position()) - block.position();
        const int end = qMin(to, block.position() + block.length() - 1) - block.position();
        if (start >= end || !layout || layout->lineCount() == 0)
            continue;
        const QPointF origin = documentLayout->blockBoundingRect(block).topLeft() + scrolled;
        const int first = qMax(0, layout->lineForTextPosition(start).lineNumber());
        for (int i = first; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (line.textStart() >= end)
                break;
            const int a = qMax(start, line.textStart());
            const int b = qMin(end, line.textStart() + line.textLength());
            if (a >= b)
                continue;
            const qreal x1 = line.cursorToX(a), x2 = line.cursorToX(b);
            const QRectF cell(origin.x() + qMin(x1, x2), origin.y() + line.y(), qAbs(x2 - x1),
                              line.height());
            show(cell.toAlignedRect(), line, a, b - a, origin);
        }
    }
}

// The box draws its text black; a mark's cells are cleared and drawn again in its colour, the
// way a selection in a text box is drawn over its text.
void RichTextBox::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    if (marks_.isEmpty())
        return;
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const QBrush base = palette().brush(QPalette::Base);
    for (const Mark& m : std::as_const(marks_))
        forEachCell(m.from, m.to,
                    [&](const QRect& cell, const QTextLine& line, int start, int length,
                        const QPointF& origin) {
                        if (!cell.intersects(dirty))
                            return;
                        painter.fillRect(cell, base);
                        painter.setClipRect(cell);
                        painter.setPen(OleColor::toQColor(m.color));
                        for (QGlyphRun run : line.glyphRuns(start, length)) {
                            run.setUnderline(m.emphasis);
                            painter.drawGlyphRun(origin, run);
                        }
                        painter.setClipping(false);
                    });
}

void RichTextBox::setBackColor(quint32 ole) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, OleColor::toQColor(ole));
    setPalette(palette);
}

const RichTextBox::Mark* RichTextBox::markAt(int offset) const {
    // The LF of a CR LF pair shares the CR's place in the document.
    if (offset > 0 && offset < raw_.size() && raw_.at(offset) == QLatin1Char('\n') &&
        raw_.at(offset - 1) == QLatin1Char('\r'))
        --offset;
    // The character whose look a cursor behind this one reports: the one before it, or at the
    // start of a paragraph with text, the one after it.
    const int end = docRange(offset, 1).second;
    const QTextBlock block = document()->findBlock(end);
    const int position = end == block.position() && block.length() > 1 ? end : end - 1;
    const auto m = std::upper_bound(marks_.cbegin(), marks_.cend(), position,
                                    [](int p, const Mark& mark) { return p < mark.to; });
    return m != marks_.cend() && m->from <= position ? &*m : nullptr;
}

quint32 RichTextBox::colorAt(int offset) const {
    const Mark* m = markAt(offset);
    return m ? m->color : OleColor::Black;
}

bool RichTextBox::emphasisAt(int offset) const {
    const Mark* m = markAt(offset);
    return m && m->emphasis;
}
