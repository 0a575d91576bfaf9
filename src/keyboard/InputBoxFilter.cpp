#include "InputBoxFilter.h"

#include "platform/VirtualKey.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

InputBoxFilter::InputBoxFilter(QPlainTextEdit* box, Handlers handlers)
    : QObject(box), box_(box), handlers_(std::move(handlers)) {
    box_->installEventFilter(this);
    // Text reaches the box only through typed keys: no pasting by mouse or drag and drop.
    box_->setContextMenuPolicy(Qt::NoContextMenu);
    box_->setAcceptDrops(false);
}

QString InputBoxFilter::pressCharacters(const QString& text) {
    QString accepted;
    for (const QChar c : text) {
        int code = c.unicode();
        handlers_.keyPress(code);
        if (code != 0)
            accepted += QChar(code);
    }
    return accepted;
}

bool InputBoxFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        int code = VirtualKey::fromEvent(*key);
        handlers_.keyDown(code);
        if (code == 0)
            return true;
        const QString text = key->text();
        if (text.isEmpty())
            return false; // a key without a character: the box handles it as usual
        if (text.size() == 1) {
            int charCode = text.at(0).unicode();
            handlers_.keyPress(charCode);
            return charCode == 0;
        }
        // Several characters from one key: each is pressed on its own.
        const QString accepted = pressCharacters(text);
        if (!accepted.isEmpty() && !box_->isReadOnly())
            box_->textCursor().insertText(accepted);
        return true;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            handlers_.keyUp(VirtualKey::fromEvent(*key));
        return false;
    }
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty())
            return false;
        const QString accepted = pressCharacters(input->commitString());
        if (!accepted.isEmpty() && !box_->isReadOnly())
            box_->textCursor().insertText(accepted);
        return true;
    }
    default:
        return false;
    }
}
