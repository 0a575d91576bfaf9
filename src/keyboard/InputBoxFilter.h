#pragma once

#include <QList>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class GlyphAhead;
class QKeyEvent;
class QPlainTextEdit;

// Sits in front of the typing box and hands its keys to the typing window the way the window
// wants them: a key-down with the virtual-key code (which may swallow it), then, for a key that
// produces a character, a key press with the character code (which may swallow it), and a
// key-up. A character committed by an input method (after a dead key) counts as a key press.
//
// Nothing else edits the box: only characters the key press lets through are inserted, at the
// caret, and each is drawn at once, before what the handlers hand to AfterEcho. Alt, keys held
// with Alt and F10 are plain keys here, never menu keys or mnemonics, and type nothing. A mouse
// button only focuses the box, and whenever the box gains the focus the caret goes to the end of
// the text. Tab and Shift+Tab move the focus on.
//
// A key still held when the box loses the keyboard (another window, a dialog or a menu takes
// it) gets its key-up then: the real one goes to whoever has the keyboard by the time.
class InputBoxFilter : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(int& keyCode)> keyDown;   // set keyCode to 0 to swallow the key
        std::function<void(int& charCode)> keyPress; // set charCode to 0 to swallow it
        std::function<void(int keyCode)> keyUp;
    };

    InputBoxFilter(QPlainTextEdit* box, Handlers handlers);
    ~InputBoxFilter() override;

    // Runs effect once the key being handled has put its character on the screen; outside a key,
    // or for a key that types nothing, at its end.
    void afterEcho(std::function<void()> effect);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a key's handlers; what they hand to afterEcho runs after the character is drawn.
    template <typename Handle> void handleKey(Handle handle);
    bool keyPressed(QKeyEvent& key);
    void keyReleased(const QKeyEvent& key);
    void releaseHeldKeys();
    // Hands each character to the key press and inserts those it lets through.
    void typeCharacters(const QString& text);
    void runEffects();
    void moveCaretHome();

    QPlainTextEdit* box_;
    Handlers handlers_;
    int keysHandled_ = 0; // nesting depth of the keys being handled
    std::vector<std::function<void()>> effects_;
    QList<int> held_; // key-downs without their key-up yet, in the order pressed

    // What the box had before, for UnhookInput.
    Qt::ContextMenuPolicy contextMenuPolicy_;
    bool acceptedDrops_;
    bool viewportAcceptedDrops_;
    bool tabChangedFocus_;
    std::unique_ptr<GlyphAhead> ahead_; // the typed character on the screen before the box

    friend void HookInput(QPlainTextEdit* box, Handlers handlers);
    friend void UnhookInput(QPlainTextEdit* box);
};

// Puts the filter in front of the box (once: a second call only replaces the handlers).
void HookInput(QPlainTextEdit* box, InputBoxFilter::Handlers handlers);
// What a key handler of the box shows besides the typed character: drawn after that character.
void AfterEcho(QPlainTextEdit* box, std::function<void()> effect);
// Removes it again and gives the box back its own mouse, menu and drop handling.
void UnhookInput(QPlainTextEdit* box);
