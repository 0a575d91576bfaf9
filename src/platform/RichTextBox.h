#pragma once

#include <QTextEdit>
#include <QVector>

// A read-only rich text box whose offsets count CR and LF as one character each, as the lesson
// texts hold them. The text is kept exactly as given; the selection is the box's own (a click
// into the box does not move it), and colour and emphasis act on that selection.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return raw_; }
    int textLength() const { return int(raw_.size()); }

    // 0-based start and length in the raw text; clamped to the text.
    void setSelection(int start, int length);
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }

    void setSelColor(quint32 ole);
    // The emphasis attribute that goes with the red mark: underline (the font is bold already).
    void setSelEmphasis(bool on);

    // Read-only state as the program sees it; the user can never edit the box either way.
    void setLocked(bool locked) { locked_ = locked; }
    bool locked() const { return locked_; }

    void setBackColor(quint32 ole);

    // What a raw character looks like; for tests and the print-out of the mark.
    quint32 colorAt(int offset) const;
    bool emphasisAt(int offset) const;

private:
    QTextCursor rawCursor(int start, int length) const;
    QTextCharFormat formatAt(int offset) const;
    void mergeFormat(const QTextCharFormat& format);

    QString raw_;
    QVector<int> docPos_; // raw offset -> document position, raw_.size() + 1 entries
    int selStart_ = 0;
    int selLength_ = 0;
    bool locked_ = false;
};
