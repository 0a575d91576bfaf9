#include "InputBoxFilter.h"

#include "platform/GlyphAhead.h"
#include "platform/VirtualKey.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <utility>

namespace {

// The caret never goes further than this when the box gains the focus.
constexpr int CaretLimit = 10000;

// Alt, anything held with it, and F10 would work the menu bar: here they are plain keys.
bool isMenuKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Alt || key.key() == Qt::Key_F10 ||
           key.modifiers().testFlag(Qt::AltModifier);
}

// A key that types a character of its own belongs to the box before any shortcut.
bool typesCharacter(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool isFocusKey(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The Delete key reports the DEL character, but it types nothing.
constexpr char16_t Del = 0x7F;

// The box's end as a caret offset, but not beyond CaretLimit characters, counting a line break
// as two (CR and LF); a limit that falls inside a line break stays before it.
int caretHome(const QPlainTextEdit& box) {
    int counted = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const int length = block.length() - 1;
        if (counted + length >= CaretLimit)
            return block.position() + (CaretLimit - counted);
        counted += length + 2;
        if (counted > CaretLimit && block.next().isValid())
            return block.position() + length;
    }
    return box.document()->characterCount() - 1;
}

} // namespace

InputBoxFilter::InputBoxFilter(QPlainTextEdit* box, Handlers handlers)
    : QObject(box), box_(box), handlers_(std::move(handlers)),
      contextMenuPolicy_(box->contextMenuPolicy()), acceptedDrops_(box->acceptDrops()),
      viewportAcceptedDrops_(box->viewport()->acceptDrops()),
      tabChangedFocus_(box->tabChangesFocus()), ahead_(std::make_unique<GlyphAhead>(*box)) {
    box_->installEventFilter(this);
    box_->viewport()->installEventFilter(this);
    // Text reaches the box only through typed keys: no pasting by mouse or drag and drop.
    box_->setContextMenuPolicy(Qt::NoContextMenu);
    box_->setAcceptDrops(false);
    box_->viewport()->setAcceptDrops(false);
    box_->setTabChangesFocus(true);
}

InputBoxFilter::~InputBoxFilter() = default;

void InputBoxFilter::typeCharacters(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() == Del)
            continue;
        int code = c.unicode();
        handlers_.keyPress(code);
        const QChar typed = code == '\r' ? QChar(u'\n') : QChar(char16_t(code));
        if (code != 0 && (code == '\r' || typed.isPrint()) && !box_->isReadOnly()) {
            ahead_->draw(typed);
            QTextCursor cursor = box_->textCursor();
            cursor.insertText(typed);
            box_->setTextCursor(cursor);
            // Drawn now, while the box is the only thing that changed: a typist waits for the
            // character, not for the counters, the keys and the mark the handlers change.
            box_->viewport()->repaint(box_->cursorRect());
        }
        runEffects(); // before the next character is judged: they move the expected one on
    }
}

void InputBoxFilter::afterEcho(std::function<void()> effect) {
    if (keysHandled_ == 0)
        effect();
    else
        effects_.push_back(std::move(effect));
}

void InputBoxFilter::runEffects() {
    const QPointer<InputBoxFilter> alive(this);
    while (alive && !effects_.empty()) {
        const std::vector<std::function<void()>> effects = std::exchange(effects_, {});
        for (const auto& effect : effects)
            effect();
    }
}

template <typename Handle> void InputBoxFilter::handleKey(Handle handle) {
    const QPointer<InputBoxFilter> alive(this);
    ++keysHandled_;
    handle();
    if (!alive)
        return;
    --keysHandled_;
    runEffects();
}

bool InputBoxFilter::keyPressed(QKeyEvent& key) {
    if (isFocusKey(key))
        return false; // the box passes the focus on
    handleKey([this, &key] {
        int code = VirtualKey::fromEvent(key);
        if (code != 0) {
            if (!held_.contains(code))
                held_ << code;
            handlers_.keyDown(code);
            if (code == 0)
                return;
        }
        if (!isMenuKey(key))
            typeCharacters(key.text());
    });
    return true; // the box itself never acts on a key
}

void InputBoxFilter::keyReleased(const QKeyEvent& key) {
    if (key.isAutoRepeat())
        return;
    const int code = VirtualKey::fromEvent(key);
    if (code == 0)
        return;
    held_.removeOne(code);
    handlers_.keyUp(code);
}

void InputBoxFilter::releaseHeldKeys() {
    const QList<int> held = std::exchange(held_, {});
    for (const int code : held)
        handlers_.keyUp(code);
}

void InputBoxFilter::moveCaretHome() {
    QTextCursor cursor = box_->textCursor();
    cursor.setPosition(caretHome(*box_));
    box_->setTextCursor(cursor);
}

bool InputBoxFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
        type == QEvent::MouseButtonDblClick) {
        // A click only focuses the box: no caret move, no selection, no pasting.
        box_->setFocus(Qt::MouseFocusReason);
        return true;
    }
    if (watched != box_)
        return false; // the viewport: movement and the wheel as usual

    switch (event->type()) {
    case QEvent::FocusIn:
        // After the box's own focus handling and whatever the click or the window does next.
        QMetaObject::invokeMethod(this, &InputBoxFilter::moveCaretHome, Qt::QueuedConnection);
        return false;
    case QEvent::FocusOut:
        releaseHeldKeys();
        return false;
    case QEvent::ShortcutOverride: {
        // Menu keys stay with the box, so neither the menu bar's Alt navigation nor a mnemonic
        // sees them; every key that does not type may be one of the window's shortcuts.
        auto* key = static_cast<QKeyEvent*>(event);
        key->setAccepted(isMenuKey(*key) || typesCharacter(*key));
        return true;
    }
    case QEvent::KeyPress:
        return keyPressed(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        keyReleased(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty())
            return false;
        handleKey([this, input] { typeCharacters(input->commitString()); });
        return true;
    }
    default:
        return false;
    }
}

namespace {

InputBoxFilter* filterOf(const QPlainTextEdit* box) {
    return box->findChild<InputBoxFilter*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void HookInput(QPlainTextEdit* box, InputBoxFilter::Handlers handlers) {
    if (auto* filter = filterOf(box)) {
        filter->handlers_ = std::move(handlers);
        return;
    }
    new InputBoxFilter(box, std::move(handlers));
}

void AfterEcho(QPlainTextEdit* box, std::function<void()> effect) {
    if (auto* filter = filterOf(box))
        filter->afterEcho(std::move(effect));
    else
        effect();
}

void UnhookInput(QPlainTextEdit* box) {
    auto* filter = filterOf(box);
    if (!filter)
        return;
    box->setContextMenuPolicy(filter->contextMenuPolicy_);
    box->setAcceptDrops(filter->acceptedDrops_);
    box->viewport()->setAcceptDrops(filter->viewportAcceptedDrops_);
    box->setTabChangesFocus(filter->tabChangedFocus_);
    delete filter;
}
