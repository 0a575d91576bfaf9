#pragma once

#include <QTextEdit>
#include <QVector>
#include <utility>

// A read-only rich text box whose offsets count CR and LF as one character each, as the lesson
// texts hold them. The text is kept exactly as given; the selection is the box's own (a click
// into the box does not move it), and colour and emphasis act on that selection.
//
// Colour and emphasis are drawn over the document, never written into it: a format change in a
// document lays its whole paragraph out again and walks every paragraph after it, which on a long
// lesson costs more than a keystroke may. A changed mark repaints the cells of its characters
// only, not their lines. Unmarked text is black.
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
    // Both at once: one repaint instead of two.
    void setSelMark(quint32 ole, bool emphasis);

    // Read-only state as the program sees it; the user can never edit the box either way.
    void setLocked(bool locked) { locked_ = locked; }
    bool locked() const { return locked_; }

    void setBackColor(quint32 ole);

    // What a raw character looks like; for tests and the print-out of the mark.
    quint32 colorAt(int offset) const;
    bool emphasisAt(int offset) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A run of document positions [from, to) drawn in a colour other than black or emphasised;
    // the runs are sorted and do not overlap.
    struct Mark {
        int from;
        int to;
        quint32 color;
        bool emphasis;
        bool operator==(const Mark&) const = default;
    };
    struct Change {
        bool setColor;
        quint32 color;
        bool setEmphasis;
        bool emphasis;
    };

    // Document positions [first, second) of a raw range, clamped to the text.
    std::pair<int, int> docRange(int start, int length) const;
    const Mark* markAt(int offset) const;
    void changeSelection(const Change& change);
    void showMarks(const QVector<Mark>& before);
    // Calls show(cell, line, start, length, origin) for each line's part of the document range
    // [from, to): its cell in viewport pixels, the line, the part in block positions and the
    // block's top left in the viewport. Paragraph separators have no cell.
    template <typename Show> void forEachCell(int from, int to, Show show) const;

    QString raw_;
    QVector<Mark> marks_;
    QVector<int> docPos_; // raw offset -> document position, raw_.size() + 1 entries
    int selStart_ = 0;
    int selLength_ = 0;
    bool locked_ = false;
};
