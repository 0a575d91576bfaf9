#pragma once

#include <QString>
#include <functional>

class RichTextBox;

// The expected-character cursor over a lesson text in a rich text box: it marks the next
// character red, names it ("LEER" for a blank, the line-break name, "ENDE" after the last
// character) and stops on line breaks, which only Enter passes. The typing window and the
// keypad trainer each run one, configured by their differences.
class ExpectedCursor {
public:
    struct Style {
        QString lineBreakName; // "RETURN" in the typing window, "ENTER" in the keypad trainer
        bool beepAtEnd = false;
    };
    struct Hooks {
        std::function<void(const QString&)> showExpected; // the expected-key label
        std::function<void()> lineBreakExpected;          // e.g. light the Return key
        std::function<void()> beep;
        std::function<void()> end; // the cursor has passed the last character
    };

    ExpectedCursor(RichTextBox& box, Style style, Hooks hooks);

    // The whole text unmarked, the cursor on the first character.
    void reset();
    // Moves past the character (or line break) just typed; ends the lesson after the last one.
    void advance();

    // 1-based position of the expected character; on a line break, its LF.
    int pos() const { return pos_; }

private:
    void markAt(int position);
    void unmarkSelection();
    void expectLineBreak();
    QChar charAt(int position) const; // 1-based

    RichTextBox& box_;
    Style style_;
    Hooks hooks_;
    int pos_ = 1;
};

// How one typed character fares against the expected key.
enum class Keystroke {
    LineBreakTyped,  // Enter where a line break is expected
    LineBreakMissed, // any other key there
    Hit,
    Miss,
};

Keystroke judgeKeystroke(const QString& expected, int charCode, const QString& lineBreakName);
