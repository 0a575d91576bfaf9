#pragma once

#include "KeyTable.h"

#include <QFrame>
#include <array>

class KeyButton;

// The keyboard frame with its 62 keys, each drawn as a key cap with its German legend. The
// colour around a cap is the key's state; the frame itself is disabled, so keys take no clicks.
class OnScreenKeyboard : public QFrame {
    Q_OBJECT
public:
    explicit OnScreenKeyboard(const KeyTableArray& table, QWidget* parent = nullptr);

    const KeyTableArray& table() const { return table_; }

    void setKeyColor(int index, quint32 ole);
    quint32 keyColor(int index) const;
    KeyButton* key(int index) const { return keys_[index]; }

    void setFrameColor(quint32 ole);
    quint32 frameColor() const { return frameColor_; }

    // Every key whose code is code turns green / neutral.
    void keyDown(int code);
    void keyUp(int code);
    // All keys neutral.
    void lowlite();
    // All keys neutral, then every key carrying one of the "|"-separated names red.
    void highlite(const QString& hlstr);
    // Every key in the given colour (the colour setting).
    void paintAllKeys(quint32 ole);

private:
    const KeyTableArray& table_;
    std::array<KeyButton*, KeyCount> keys_{};
    quint32 frameColor_;
};
