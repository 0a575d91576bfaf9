#pragma once

#include <QLabel>
#include <QRawFont>

// A one-line plain-text label for a value that changes at every keystroke. It draws its glyphs
// straight from its font, placed as the ordinary label places them: an ordinary label lays its
// text out anew for every repaint, which costs several times the drawing. Text the font cannot
// show, and any dressing (a frame, a margin, an indent, word wrap, the disabled look), goes the
// ordinary way.
class LiveLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRawFont raw_;
    bool rawFor_ = false; // raw_ belongs to the current font
};
