#pragma once

#include <QImage>
#include <QRect>

class QPlainTextEdit;

// Puts a typed character on the screen ahead of the text box's own paint, on X11: the box's
// paint has to insert the character, lay out and draw its whole line and copy it to the server,
// and a typist waits for all of that. The character is drawn only where the box will draw it
// the same way a moment later, over it: at the end of the text, on a line with room for it.
class GlyphAhead {
public:
    explicit GlyphAhead(const QPlainTextEdit& box);
    ~GlyphAhead();

    // Draws typed, the character about to be inserted at the caret, where it can.
    void draw(QChar typed);

    // The picture of typed as the box will show it once inserted at the caret, and where, in
    // the box's viewport; an empty rectangle where it cannot tell.
    static QRect cell(const QPlainTextEdit& box, QChar typed, QImage* picture);

private:
    const QPlainTextEdit& box_;
    unsigned window_ = 0; // the X11 window checked, and whether it takes our pictures
    bool fits_ = false;
    unsigned gc_ = 0;
    unsigned char depth_ = 0;
};
