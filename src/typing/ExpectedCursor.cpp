#include "ExpectedCursor.h"

#include "platform/OleColor.h"
#include "platform/RichTextBox.h"

ExpectedCursor::ExpectedCursor(RichTextBox& box, Style style, Hooks hooks)
    : box_(box), style_(std::move(style)), hooks_(std::move(hooks)) {
}

QChar ExpectedCursor::charAt(int position) const {
    const QString& text = box_.text();
    return position >= 1 && position <= text.size() ? text.at(position - 1) : QChar();
}

void ExpectedCursor::markAt(int position) {
    box_.setSelection(position - 1, 1);
    const QChar c = charAt(position);
    hooks_.showExpected(c == QLatin1Char(' ') ? QStringLiteral("LEER") : QString(c));
    box_.setSelMark(OleColor::Red, true);
}

void ExpectedCursor::unmarkSelection() {
    box_.setSelMark(OleColor::Black, false);
}

void ExpectedCursor::expectLineBreak() {
    hooks_.showExpected(style_.lineBreakName);
    if (hooks_.lineBreakExpected)
        hooks_.lineBreakExpected();
    ++pos_; // onto the LF
}

void ExpectedCursor::reset() {
    box_.setSelection(0, box_.textLength());
    unmarkSelection();
    pos_ = 1;
    if (box_.textLength() == 0)
        return;
    if (charAt(pos_) == QLatin1Char('\r'))
        expectLineBreak();
    else
        markAt(pos_);
}

void ExpectedCursor::advance() {
    if (pos_ < box_.textLength()) {
        if (charAt(pos_) != QLatin1Char('\n'))
            unmarkSelection();
        ++pos_;
        if (charAt(pos_) == QLatin1Char('\r')) {
            box_.setSelection(pos_ + 1, 0); // caret at the start of the next line
            expectLineBreak();
            if (hooks_.beep)
                hooks_.beep();
        } else {
            markAt(pos_);
        }
        return;
    }
    unmarkSelection();
    hooks_.showExpected(QStringLiteral("ENDE"));
    if (style_.beepAtEnd && hooks_.beep)
        hooks_.beep();
    if (hooks_.end)
        hooks_.end();
}

Keystroke judgeKeystroke(const QString& expected, int charCode, const QString& lineBreakName) {
    if (expected == lineBreakName)
        return charCode == 13 ? Keystroke::LineBreakTyped : Keystroke::LineBreakMissed;
    if (expected == QLatin1String("LEER"))
        return charCode == 32 ? Keystroke::Hit : Keystroke::Miss;
    return charCode > 0 && QString(QChar(charCode)) == expected ? Keystroke::Hit : Keystroke::Miss;
}
