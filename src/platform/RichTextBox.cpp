#include "RichTextBox.h"

#include "OleColor.h"

#include <QTextBlock>

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::NoFocus);
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
    // A new text starts plain: the widget would carry the last mark's format over.
    setCurrentCharFormat(QTextCharFormat());
    setPlainText(display);
    selStart_ = 0;
    selLength_ = 0;
}

QTextCursor RichTextBox::rawCursor(int start, int length) const {
    const int n = int(raw_.size());
    start = qBound(0, start, n);
    const int end = qBound(start, start + qMax(0, length), n);
    QTextCursor cursor(document());
    cursor.setPosition(docPos_[start]);
    cursor.setPosition(docPos_[end], QTextCursor::KeepAnchor);
    return cursor;
}

void RichTextBox::setSelection(int start, int length) {
    const int n = int(raw_.size());
    selStart_ = qBound(0, start, n);
    selLength_ = qBound(0, length, n - selStart_);
    // Keep the selection in view without showing the widget's own highlight over the mark.
    QTextCursor caret(document());
    caret.setPosition(docPos_[selStart_]);
    setTextCursor(caret);
    ensureCursorVisible();
}

void RichTextBox::mergeFormat(const QTextCharFormat& format) {
    QTextCursor cursor = rawCursor(selStart_, selLength_);
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
}

void RichTextBox::setSelColor(quint32 ole) {
    QTextCharFormat format;
    format.setForeground(OleColor::toQColor(ole));
    mergeFormat(format);
}

void RichTextBox::setSelEmphasis(bool on) {
    QTextCharFormat format;
    format.setFontUnderline(on);
    mergeFormat(format);
}

void RichTextBox::setBackColor(quint32 ole) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, OleColor::toQColor(ole));
    setPalette(palette);
}

QTextCharFormat RichTextBox::formatAt(int offset) const {
    // The LF of a CR LF pair shares the CR's place in the document.
    if (offset > 0 && offset < raw_.size() && raw_.at(offset) == QLatin1Char('\n') &&
        raw_.at(offset - 1) == QLatin1Char('\r'))
        --offset;
    QTextCursor cursor = rawCursor(offset, 1);
    cursor.setPosition(cursor.selectionEnd()); // a cursor reports the format before it
    return cursor.charFormat();
}

quint32 RichTextBox::colorAt(int offset) const {
    const QTextCharFormat format = formatAt(offset);
    return format.hasProperty(QTextFormat::ForegroundBrush)
               ? OleColor::fromQColor(format.foreground().color())
               : OleColor::Black;
}

bool RichTextBox::emphasisAt(int offset) const {
    return formatAt(offset).fontUnderline();
}
