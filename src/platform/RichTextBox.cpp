#include "RichTextBox.h"

#include "OleColor.h"

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
    setExtraSelections({});
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

    const bool same = std::equal(result.cbegin(), result.cend(), marks_.cbegin(), marks_.cend(),
                                 [](const Mark& a, const Mark& b) {
                                     return a.from == b.from && a.to == b.to &&
                                            a.color == b.color && a.emphasis == b.emphasis;
                                 });
    if (same)
        return;
    marks_ = std::move(result);
    showMarks();
}

void RichTextBox::showMarks() {
    QList<QTextEdit::ExtraSelection> selections;
    selections.reserve(marks_.size());
    for (const Mark& m : std::as_const(marks_)) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(document());
        selection.cursor.setPosition(m.from);
        selection.cursor.setPosition(m.to, QTextCursor::KeepAnchor);
        selection.format.setForeground(OleColor::toQColor(m.color));
        selection.format.setFontUnderline(m.emphasis);
        selections.append(selection);
    }
    setExtraSelections(selections);
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
