#include "TestMain.h"

#include "platform/VirtualKey.h"

#include <QKeyEvent>
#include <QTest>

// X11 and Wayland key codes are evdev codes plus 8.
static constexpr quint32 x11(int evdev) {
    return quint32(evdev + 8);
}

class TstVirtualKey : public QObject {
    Q_OBJECT

private slots:
    void physicalKeyDecides_data() {
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected");

        const int none = Qt::NoModifier;
        const int pad = Qt::KeypadModifier;
        // Letters and the German signs of the main block, as X11 key codes.
        QTest::newRow("A") << 38u << int(Qt::Key_A) << none << 65;
        QTest::newRow("Z beside T") << 29u << int(Qt::Key_Z) << none << 90;
        QTest::newRow("Y left of X") << 52u << int(Qt::Key_Y) << none << 89;
        QTest::newRow("ue") << 34u << int(Qt::Key_Udiaeresis) << none << 186;
        QTest::newRow("oe") << 47u << int(Qt::Key_Odiaeresis) << none << 192;
        QTest::newRow("ae") << 48u << int(Qt::Key_Adiaeresis) << none << 222;
        QTest::newRow("sz") << 20u << int(Qt::Key_ssharp) << none << 219;
        QTest::newRow("accent") << 21u << int(Qt::Key_Dead_Acute) << none << 221;
        QTest::newRow("circumflex") << 49u << int(Qt::Key_Dead_Circumflex) << none << 220;
        QTest::newRow("plus") << 35u << int(Qt::Key_Plus) << none << 187;
        QTest::newRow("hash") << 51u << int(Qt::Key_NumberSign) << none << 191;
        QTest::newRow("comma") << 59u << int(Qt::Key_Comma) << none << 188;
        QTest::newRow("period") << 60u << int(Qt::Key_Period) << none << 190;
        QTest::newRow("minus") << 61u << int(Qt::Key_Minus) << none << 189;
        QTest::newRow("less/greater") << 94u << int(Qt::Key_Less) << none << 226;
        QTest::newRow("digit 1") << 10u << int(Qt::Key_1) << none << 49;
        QTest::newRow("digit 0") << 19u << int(Qt::Key_0) << none << 48;

        // Shifted, AltGr or foreign-layout keys still report the key they sit on.
        QTest::newRow("shifted 1") << 10u << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 49;
        QTest::newRow("AltGr q") << 24u << int(Qt::Key_At) << none << 81;
        QTest::newRow("AltGr e") << 26u << 0x20AC << none << 69;
        QTest::newRow("AltGr 7") << 16u << int(Qt::Key_BraceLeft) << none << 55;
        QTest::newRow("Q on a French layout") << 38u << int(Qt::Key_Q) << none << 65;

        // Modifiers and the other keys of the main block.
        QTest::newRow("left Shift") << x11(42) << int(Qt::Key_Shift) << none << 16;
        QTest::newRow("right Shift") << x11(54) << int(Qt::Key_Shift) << none << 16;
        QTest::newRow("left Ctrl") << x11(29) << int(Qt::Key_Control) << none << 17;
        QTest::newRow("right Ctrl") << x11(97) << int(Qt::Key_Control) << none << 17;
        QTest::newRow("left Alt") << x11(56) << int(Qt::Key_Alt) << none << 18;
        QTest::newRow("AltGr") << 108u << int(Qt::Key_AltGr) << none << 13261;
        QTest::newRow("AltGr reported as Alt") << 108u << int(Qt::Key_Alt) << none << 13261;
        // A virtual X server puts the level-3 shift on a key code of its own.
        QTest::newRow("AltGr on the level-3 key") << 92u << int(Qt::Key_AltGr) << none << 13261;
        QTest::newRow("Caps Lock") << 66u << int(Qt::Key_CapsLock) << none << 20;
        QTest::newRow("space") << 65u << int(Qt::Key_Space) << none << 32;
        QTest::newRow("Return") << 36u << int(Qt::Key_Return) << none << 13;
        QTest::newRow("Backspace") << 22u << int(Qt::Key_Backspace) << none << 8;
        QTest::newRow("Tab") << 23u << int(Qt::Key_Tab) << none << 9;
        QTest::newRow("Esc") << 9u << int(Qt::Key_Escape) << none << 27;
        QTest::newRow("F1") << 67u << int(Qt::Key_F1) << none << 112;
        QTest::newRow("F4") << 70u << int(Qt::Key_F4) << none << 115;
        QTest::newRow("F10") << 76u << int(Qt::Key_F10) << none << 121;
        QTest::newRow("F11") << 95u << int(Qt::Key_F11) << none << 122;
        QTest::newRow("F12") << 96u << int(Qt::Key_F12) << none << 123;
        QTest::newRow("NumLock") << 77u << int(Qt::Key_NumLock) << none << 144;

        // Navigation block.
        QTest::newRow("Home") << 110u << int(Qt::Key_Home) << none << 36;
        QTest::newRow("Up") << 111u << int(Qt::Key_Up) << none << 38;
        QTest::newRow("Page Up") << 112u << int(Qt::Key_PageUp) << none << 33;
        QTest::newRow("Left") << 113u << int(Qt::Key_Left) << none << 37;
        QTest::newRow("Right") << 114u << int(Qt::Key_Right) << none << 39;
        QTest::newRow("End") << 115u << int(Qt::Key_End) << none << 35;
        QTest::newRow("Down") << 116u << int(Qt::Key_Down) << none << 40;
        QTest::newRow("Page Down") << 117u << int(Qt::Key_PageDown) << none << 34;
        QTest::newRow("Insert") << 118u << int(Qt::Key_Insert) << none << 45;
        QTest::newRow("Delete") << 119u << int(Qt::Key_Delete) << none << 46;

        // Keypad: digits with NumLock on, navigation with it off.
        QTest::newRow("KP 0") << 90u << int(Qt::Key_0) << pad << 96;
        QTest::newRow("KP 1") << 87u << int(Qt::Key_1) << pad << 97;
        QTest::newRow("KP 5") << 84u << int(Qt::Key_5) << pad << 101;
        QTest::newRow("KP 7") << 79u << int(Qt::Key_7) << pad << 103;
        QTest::newRow("KP 9") << 81u << int(Qt::Key_9) << pad << 105;
        QTest::newRow("KP 7 NumLock off") << 79u << int(Qt::Key_Home) << pad << 36;
        QTest::newRow("KP 8 NumLock off") << 80u << int(Qt::Key_Up) << pad << 38;
        QTest::newRow("KP 5 NumLock off") << 84u << int(Qt::Key_Clear) << pad << 12;
        QTest::newRow("KP 0 NumLock off") << 90u << int(Qt::Key_Insert) << pad << 45;
        QTest::newRow("KP decimal comma") << 91u << int(Qt::Key_Comma) << pad << 110;
        QTest::newRow("KP decimal point") << 91u << int(Qt::Key_Period) << pad << 110;
        QTest::newRow("KP decimal NumLock off") << 91u << int(Qt::Key_Delete) << pad << 46;
        QTest::newRow("KP *") << 63u << int(Qt::Key_Asterisk) << pad << 106;
        QTest::newRow("KP +") << 86u << int(Qt::Key_Plus) << pad << 107;
        QTest::newRow("KP -") << 82u << int(Qt::Key_Minus) << pad << 109;
        QTest::newRow("KP /") << 106u << int(Qt::Key_Slash) << pad << 111;
        QTest::newRow("KP Enter") << 104u << int(Qt::Key_Enter) << pad << 13;

        // A key code we do not place: the layout's key decides.
        QTest::newRow("unplaced, letter") << x11(115) << int(Qt::Key_A) << none << 65;
        QTest::newRow("unplaced, volume") << x11(115) << int(Qt::Key_VolumeUp) << none << 0;
    }

    void physicalKeyDecides() {
        QFETCH(quint32, scanCode);
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(int, expected);

        const auto mods = Qt::KeyboardModifiers(modifiers);
        QCOMPARE(VirtualKey::fromScanCode(scanCode, qtKey, mods), expected);
        const QKeyEvent press(QEvent::KeyPress, qtKey, mods, scanCode, 0, 0);
        QCOMPARE(VirtualKey::fromEvent(press), expected);
        const QKeyEvent release(QEvent::KeyRelease, qtKey, mods, scanCode, 0, 0);
        QCOMPARE(VirtualKey::fromEvent(release), expected);
    }

    // Real X11 keypad events: the key code is the same with NumLock on and off, the keysym
    // (nativeVirtualKey) tells the digit from the navigation key.
    void keypadKeysymDecides_data() {
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("expected");

        const struct {
            const char* name;
            quint32 scanCode;
            quint32 digitKeysym, navigationKeysym;
            int navigationQtKey;
            int digitCode, navigationCode;
        } keys[] = {
            {"0", 90, 0xFFB0, 0xFF9E, Qt::Key_Insert, 96, 45},
            {"1", 87, 0xFFB1, 0xFF9C, Qt::Key_End, 97, 35},
            {"2", 88, 0xFFB2, 0xFF99, Qt::Key_Down, 98, 40},
            {"3", 89, 0xFFB3, 0xFF9B, Qt::Key_PageDown, 99, 34},
            {"4", 83, 0xFFB4, 0xFF96, Qt::Key_Left, 100, 37},
            {"5", 84, 0xFFB5, 0xFF9D, Qt::Key_Clear, 101, 12},
            {"6", 85, 0xFFB6, 0xFF98, Qt::Key_Right, 102, 39},
            {"7", 79, 0xFFB7, 0xFF95, Qt::Key_Home, 103, 36},
            {"8", 80, 0xFFB8, 0xFF97, Qt::Key_Up, 104, 38},
            {"9", 81, 0xFFB9, 0xFF9A, Qt::Key_PageUp, 105, 33},
        };
        for (const auto& k : keys) {
            const int digit = Qt::Key_0 + (k.name[0] - '0');
            QTest::addRow("KP %s, NumLock on", k.name)
                << k.scanCode << k.digitKeysym << digit << k.digitCode;
            QTest::addRow("KP %s, NumLock off", k.name)
                << k.scanCode << k.navigationKeysym << k.navigationQtKey << k.navigationCode;
        }
        QTest::newRow("KP comma, NumLock on") << 91u << 0xFFACu << int(Qt::Key_Comma) << 110;
        QTest::newRow("KP point, NumLock on") << 91u << 0xFFAEu << int(Qt::Key_Period) << 110;
        QTest::newRow("KP comma, NumLock off") << 91u << 0xFF9Fu << int(Qt::Key_Delete) << 46;
        QTest::newRow("KP *") << 63u << 0xFFAAu << int(Qt::Key_Asterisk) << 106;
        QTest::newRow("KP +") << 86u << 0xFFABu << int(Qt::Key_Plus) << 107;
        QTest::newRow("KP -") << 82u << 0xFFADu << int(Qt::Key_Minus) << 109;
        QTest::newRow("KP /") << 106u << 0xFFAFu << int(Qt::Key_Slash) << 111;
        QTest::newRow("KP Enter") << 104u << 0xFF8Du << int(Qt::Key_Enter) << 13;
        QTest::newRow("Return") << 36u << 0xFF0Du << int(Qt::Key_Return) << 13;
        QTest::newRow("main-block 1") << 10u << 0x31u << int(Qt::Key_1) << 49;

        // Where the Qt key says nothing or the opposite, the keysym still decides.
        QTest::newRow("KP 1, no Qt key") << 87u << 0xFFB1u << 0 << 97;
        QTest::newRow("KP End, Qt key 1") << 87u << 0xFF9Cu << int(Qt::Key_1) << 35;
        QTest::newRow("KP 3 without scan code") << 0u << 0xFFB3u << 0 << 99;
        QTest::newRow("KP Page Down without scan code") << 0u << 0xFF9Bu << 0 << 34;
        QTest::newRow("KP Enter without scan code") << 0u << 0xFF8Du << 0 << 13;
    }

    void keypadKeysymDecides() {
        QFETCH(quint32, scanCode);
        QFETCH(quint32, keysym);
        QFETCH(int, qtKey);
        QFETCH(int, expected);

        QCOMPARE(VirtualKey::fromScanCode(scanCode, qtKey, Qt::KeypadModifier, keysym), expected);
        const QKeyEvent press(QEvent::KeyPress, qtKey, Qt::KeypadModifier, scanCode, keysym, 0);
        QCOMPARE(VirtualKey::fromEvent(press), expected);
        const QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::KeypadModifier, scanCode, keysym, 0);
        QCOMPARE(VirtualKey::fromEvent(release), expected);
    }

    void qtKeyFallback_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected");

        const int none = Qt::NoModifier;
        const int pad = Qt::KeypadModifier;
        QTest::newRow("A") << int(Qt::Key_A) << none << 65;
        QTest::newRow("Z") << int(Qt::Key_Z) << none << 90;
        QTest::newRow("0") << int(Qt::Key_0) << none << 48;
        QTest::newRow("5") << int(Qt::Key_5) << none << 53;
        QTest::newRow("9 shifted") << int(Qt::Key_9) << int(Qt::ShiftModifier) << 57;
        QTest::newRow("ae") << int(Qt::Key_Adiaeresis) << none << 222;
        QTest::newRow("oe") << int(Qt::Key_Odiaeresis) << none << 192;
        QTest::newRow("ue") << int(Qt::Key_Udiaeresis) << none << 186;
        QTest::newRow("sz") << int(Qt::Key_ssharp) << none << 219;

        QTest::newRow("!") << int(Qt::Key_Exclam) << none << 49;
        QTest::newRow("\"") << int(Qt::Key_QuoteDbl) << none << 50;
        QTest::newRow("section") << int(Qt::Key_section) << none << 51;
        QTest::newRow("$") << int(Qt::Key_Dollar) << none << 52;
        QTest::newRow("%") << int(Qt::Key_Percent) << none << 53;
        QTest::newRow("&") << int(Qt::Key_Ampersand) << none << 54;
        QTest::newRow("/") << int(Qt::Key_Slash) << none << 55;
        QTest::newRow("(") << int(Qt::Key_ParenLeft) << none << 56;
        QTest::newRow(")") << int(Qt::Key_ParenRight) << none << 57;
        QTest::newRow("=") << int(Qt::Key_Equal) << none << 48;
        QTest::newRow("?") << int(Qt::Key_Question) << none << 219;
        QTest::newRow("backquote") << int(Qt::Key_QuoteLeft) << none << 221;
        QTest::newRow("dead acute") << int(Qt::Key_Dead_Acute) << none << 221;
        QTest::newRow("dead grave") << int(Qt::Key_Dead_Grave) << none << 221;
        QTest::newRow("^") << int(Qt::Key_AsciiCircum) << none << 220;
        QTest::newRow("degree") << int(Qt::Key_degree) << none << 220;
        QTest::newRow("+") << int(Qt::Key_Plus) << none << 187;
        QTest::newRow("*") << int(Qt::Key_Asterisk) << none << 187;
        QTest::newRow("#") << int(Qt::Key_NumberSign) << none << 191;
        QTest::newRow("'") << int(Qt::Key_Apostrophe) << none << 191;
        QTest::newRow(",") << int(Qt::Key_Comma) << none << 188;
        QTest::newRow(";") << int(Qt::Key_Semicolon) << none << 188;
        QTest::newRow(".") << int(Qt::Key_Period) << none << 190;
        QTest::newRow(":") << int(Qt::Key_Colon) << none << 190;
        QTest::newRow("-") << int(Qt::Key_Minus) << none << 189;
        QTest::newRow("_") << int(Qt::Key_Underscore) << none << 189;
        QTest::newRow("<") << int(Qt::Key_Less) << none << 226;
        QTest::newRow(">") << int(Qt::Key_Greater) << none << 226;

        QTest::newRow("@") << int(Qt::Key_At) << none << 81;
        QTest::newRow("euro") << 0x20AC << none << 69;
        QTest::newRow("{") << int(Qt::Key_BraceLeft) << none << 55;
        QTest::newRow("[") << int(Qt::Key_BracketLeft) << none << 56;
        QTest::newRow("]") << int(Qt::Key_BracketRight) << none << 57;
        QTest::newRow("}") << int(Qt::Key_BraceRight) << none << 48;
        QTest::newRow("backslash") << int(Qt::Key_Backslash) << none << 219;
        QTest::newRow("~") << int(Qt::Key_AsciiTilde) << none << 187;
        QTest::newRow("|") << int(Qt::Key_Bar) << none << 226;
        QTest::newRow("micro") << int(Qt::Key_mu) << none << 77;
        QTest::newRow("squared") << int(Qt::Key_twosuperior) << none << 50;
        QTest::newRow("cubed") << int(Qt::Key_threesuperior) << none << 51;

        QTest::newRow("AltGr") << int(Qt::Key_AltGr) << none << 13261;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << none << 16;
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << none << 17;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << none << 18;
        QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << none << 20;
        QTest::newRow("space") << int(Qt::Key_Space) << none << 32;
        QTest::newRow("Return") << int(Qt::Key_Return) << none << 13;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << none << 13;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 8;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 9;
        QTest::newRow("Backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 9;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << 27;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << 112;
        QTest::newRow("F5") << int(Qt::Key_F5) << none << 116;
        QTest::newRow("F12") << int(Qt::Key_F12) << none << 123;
        QTest::newRow("NumLock") << int(Qt::Key_NumLock) << none << 144;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << 36;
        QTest::newRow("End") << int(Qt::Key_End) << none << 35;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << 38;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << 39;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 33;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 34;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << 45;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 46;

        QTest::newRow("KP 0") << int(Qt::Key_0) << pad << 96;
        QTest::newRow("KP 9") << int(Qt::Key_9) << pad << 105;
        QTest::newRow("KP *") << int(Qt::Key_Asterisk) << pad << 106;
        QTest::newRow("KP +") << int(Qt::Key_Plus) << pad << 107;
        QTest::newRow("KP -") << int(Qt::Key_Minus) << pad << 109;
        QTest::newRow("KP decimal comma") << int(Qt::Key_Comma) << pad << 110;
        QTest::newRow("KP decimal point") << int(Qt::Key_Period) << pad << 110;
        QTest::newRow("KP /") << int(Qt::Key_Slash) << pad << 111;
        QTest::newRow("KP Enter") << int(Qt::Key_Enter) << pad << 13;
        QTest::newRow("KP Home") << int(Qt::Key_Home) << pad << 36;

        QTest::newRow("volume") << int(Qt::Key_VolumeUp) << none << 0;
        QTest::newRow("unknown") << int(Qt::Key_unknown) << none << 0;
        QTest::newRow("no key") << 0 << none << 0;
    }

    void qtKeyFallback() {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(int, expected);

        const auto mods = Qt::KeyboardModifiers(modifiers);
        QCOMPARE(VirtualKey::fromQtKey(qtKey, mods), expected);
        QCOMPARE(VirtualKey::fromScanCode(0, qtKey, mods), expected);
        // Offscreen and synthetic events carry no scan code.
        const QKeyEvent event(QEvent::KeyPress, qtKey, mods);
        QCOMPARE(event.nativeScanCode(), 0u);
        QCOMPARE(VirtualKey::fromEvent(event), expected);
    }

    void eventWithTextUsesTheKey() {
        // What a German keyboard delivers for Shift+ä: the physical key, not the text, decides.
        const QKeyEvent upper(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::ShiftModifier, 48, 0, 0,
                              QStringLiteral("\u00c4"));
        QCOMPARE(VirtualKey::fromEvent(upper), 222);
        const QKeyEvent euro(QEvent::KeyPress, 0x20AC, Qt::NoModifier, QStringLiteral("\u20ac"));
        QCOMPARE(VirtualKey::fromEvent(euro), 69);
    }

    void altGrIsOutsideTheVirtualKeyRange() {
        QCOMPARE(VirtualKey::AltGr, 13261);
        QVERIFY(VirtualKey::AltGr > 0xFF);
    }
};

#include "tst_virtualkey.moc"
QUENDAL_TEST(TstVirtualKey)
