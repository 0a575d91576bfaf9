#include "OnScreenKeyboard.h"

#include "KeyButton.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QPalette>

namespace {

constexpr int FrameWidthTwips = 13695;
constexpr int FrameHeightTwips = 5295;

// Key cap pictures in pixels: standard, function keys, and the three wide keys.
QSize capSizeFor(const QString& names) {
    if (names.size() == 2 && names.at(0) == QLatin1Char('F') && names.at(1).isDigit())
        return QSize(56, 28);
    if (names == QLatin1String("BACK"))
        return QSize(64, 44);
    if (names == QLatin1String("RETURN"))
        return QSize(80, 44);
    if (names == QLatin1String("LEER"))
        return QSize(240, 44);
    return QSize(56, 44);
}

} // namespace

OnScreenKeyboard::OnScreenKeyboard(const KeyTableArray& table, QWidget* parent)
    : QFrame(parent), table_(table), frameColor_(OleColor::Neutral) {
    setObjectName(QStringLiteral("Frame1"));
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    resize(Twips::toPixels(FrameWidthTwips), Twips::toPixels(FrameHeightTwips));
    setAutoFillBackground(true);
    setFrameColor(OleColor::Neutral);
    setToolTip(QStringLiteral("Keybord"));
    // A disabled frame keeps its keys from taking clicks and the focus away from the input box.
    // Disabled before the keys exist, they are made disabled, not changed to it one by one.
    setEnabled(false);

    for (int i = 0; i < KeyCount; ++i) {
        auto* key = new KeyButton(table_[i].Names, capSizeFor(table_[i].Names), this);
        key->setObjectName(QStringLiteral("Command1_%1").arg(i));
        const QRect twips = keyGeometryTwips(i);
        key->setGeometry(Twips::rect(twips.left(), twips.top(), twips.width(), twips.height()));
        keys_[i] = key;
    }
}

void OnScreenKeyboard::setKeyColor(int index, quint32 ole) {
    if (index >= 0 && index < KeyCount)
        keys_[index]->setColor(ole);
}

quint32 OnScreenKeyboard::keyColor(int index) const {
    return index >= 0 && index < KeyCount ? keys_[index]->color() : OleColor::Neutral;
}

void OnScreenKeyboard::setFrameColor(quint32 ole) {
    frameColor_ = ole;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColor::toQColor(ole)); // all groups: the frame is disabled
    setPalette(pal);
}

void OnScreenKeyboard::keyDown(int code) {
    for (int i = 0; i < KeyCount; ++i)
        if (table_[i].KeyCode == code)
            keys_[i]->setColor(OleColor::Green);
}

void OnScreenKeyboard::keyUp(int code) {
    for (int i = 0; i < KeyCount; ++i)
        if (table_[i].KeyCode == code)
            keys_[i]->setColor(OleColor::Neutral);
}

void OnScreenKeyboard::lowlite() {
    paintAllKeys(OleColor::Neutral);
}

void OnScreenKeyboard::highlite(const QString& hlstr) {
    const QStringList items = hlstr.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (int i = 0; i < KeyCount; ++i) {
        bool named = false;
        for (const QString& item : items)
            named = named || keyHasName(table_[i], item);
        keys_[i]->setColor(named ? OleColor::Red : OleColor::Neutral);
    }
}

void OnScreenKeyboard::paintAllKeys(quint32 ole) {
    for (KeyButton* key : keys_)
        key->setColor(ole);
}
