#pragma once

#include <QObject>
#include <functional>

class QPlainTextEdit;

// Sits in front of the typing box and hands its keys to the typing window the way the window
// wants them: a key-down with the virtual-key code (which may swallow it), then, for a key that
// produces a character, a key press with the character code (which may swallow it), and a
// key-up. A character committed by an input method (after a dead key) counts as a key press.
class InputBoxFilter : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(int& keyCode)> keyDown;   // set keyCode to 0 to swallow the key
        std::function<void(int& charCode)> keyPress; // set charCode to 0 to swallow it
        std::function<void(int keyCode)> keyUp;
    };

    InputBoxFilter(QPlainTextEdit* box, Handlers handlers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The characters of text that pass the key press, in order.
    QString pressCharacters(const QString& text);

    QPlainTextEdit* box_;
    Handlers handlers_;
};
