#include "VirtualKey.h"

#include <QKeyEvent>

namespace VirtualKey {

namespace {

// Windows virtual-key codes that have no letter or digit of their own.
enum : int {
    VkBack = 8,
    VkTab = 9,
    VkClear = 12,
    VkReturn = 13,
    VkShift = 16,
    VkControl = 17,
    VkMenu = 18,
    VkPause = 19,
    VkCapital = 20,
    VkEscape = 27,
    VkSpace = 32,
    VkPrior = 33,
    VkNext = 34,
    VkEnd = 35,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkSnapshot = 44,
    VkInsert = 45,
    VkDelete = 46,
    VkLWin = 91,
    VkRWin = 92,
    VkApps = 93,
    VkNumpad0 = 96,
    VkMultiply = 106,
    VkAdd = 107,
    VkSubtract = 109,
    VkDecimal = 110,
    VkDivide = 111,
    VkF1 = 112,
    VkNumLock = 144,
    VkScroll = 145,
    VkOem1 = 186,      // ü
    VkOemPlus = 187,   // + * ~
    VkOemComma = 188,  // , ;
    VkOemMinus = 189,  // - _
    VkOemPeriod = 190, // . :
    VkOem2 = 191,      // # '
    VkOem3 = 192,      // ö
    VkOem4 = 219,      // ß ? backslash
    VkOem5 = 220,      // ^ °
    VkOem6 = 221,      // ´ `
    VkOem7 = 222,      // ä
    VkOem102 = 226,    // < > |
};

// X11 and Wayland hand over the evdev code plus this offset.
constexpr quint32 EvdevOffset = 8;

// Main block, indexed by evdev code (which equals the PC set-1 scan code up to 0x58). The keypad
// keys 71..83 depend on NumLock and are decided apart; 0 marks a code without a key here.
constexpr int MainBlock[] = {
    0,        VkEscape,   '1',        '2',        '3',         '4',        // 0x00
    '5',      '6',        '7',        '8',        '9',         '0',        // 0x06
    VkOem4,   VkOem6,     VkBack,     VkTab,      'Q',         'W',        // 0x0C
    'E',      'R',        'T',        'Z',        'U',         'I',        // 0x12
    'O',      'P',        VkOem1,     VkOemPlus,  VkReturn,    VkControl,  // 0x18
    'A',      'S',        'D',        'F',        'G',         'H',        // 0x1E
    'J',      'K',        'L',        VkOem3,     VkOem7,      VkOem5,     // 0x24
    VkShift,  VkOem2,     'Y',        'X',        'C',         'V',        // 0x2A
    'B',      'N',        'M',        VkOemComma, VkOemPeriod, VkOemMinus, // 0x30
    VkShift,  VkMultiply, VkMenu,     VkSpace,    VkCapital,   VkF1,       // 0x36
    VkF1 + 1, VkF1 + 2,   VkF1 + 3,   VkF1 + 4,   VkF1 + 5,    VkF1 + 6,   // 0x3C
    VkF1 + 7, VkF1 + 8,   VkF1 + 9,   VkNumLock,  VkScroll,    0,          // 0x42
    0,        0,          VkSubtract, 0,          0,           0,          // 0x48
    VkAdd,    0,          0,          0,          0,           0,          // 0x4E
    0,        0,          VkOem102,   VkF1 + 10,  VkF1 + 11,               // 0x54
};
constexpr int MainBlockSize = int(sizeof(MainBlock) / sizeof(MainBlock[0]));

// Keys outside the set-1 block, by evdev code.
struct ExtendedKey {
    int evdev;
    int vk;
};
constexpr ExtendedKey Extended[] = {
    {96, VkReturn},   // keypad Enter
    {97, VkControl},  // right Ctrl
    {98, VkDivide},   // keypad /
    {99, VkSnapshot}, // Print
    {100, AltGr},     // right Alt
    {102, VkHome},    // Home
    {103, VkUp},      // Up
    {104, VkPrior},   // Page Up
    {105, VkLeft},    // Left
    {106, VkRight},   // Right
    {107, VkEnd},     // End
    {108, VkDown},    // Down
    {109, VkNext},    // Page Down
    {110, VkInsert},  // Insert
    {111, VkDelete},  // Delete
    {119, VkPause},   // Pause
    {125, VkLWin},    // left Windows key
    {126, VkRWin},    // right Windows key
    {127, VkApps},    // menu key
};

// The digit and decimal keys of the keypad by evdev code, with the key each one is when
// NumLock is off.
struct KeypadKey {
    int evdev;
    int digit; // -1 for the decimal key
    int navigation;
};
constexpr KeypadKey Keypad[] = {
    {71, 7, VkHome},  {72, 8, VkUp},     {73, 9, VkPrior},   {75, 4, VkLeft},
    {76, 5, VkClear}, {77, 6, VkRight},  {79, 1, VkEnd},     {80, 2, VkDown},
    {81, 3, VkNext},  {82, 0, VkInsert}, {83, -1, VkDelete},
};

bool isDigitKey(int qtKey) {
    return qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
}

// X keysyms of the keypad: the same physical key is a digit with NumLock on and a navigation
// key with it off, and only the keysym says which.
enum : quint32 {
    XkKpHome = 0xFF95, // then Left, Up, Right, Down, Prior, Next, End, Begin, Insert, Delete
    XkKpDelete = 0xFF9F,
    XkKpEnter = 0xFF8D,
    XkKpMultiply = 0xFFAA,
    XkKpAdd = 0xFFAB,
    XkKpSeparator = 0xFFAC, // the German layout's decimal comma
    XkKpSubtract = 0xFFAD,
    XkKpDecimal = 0xFFAE,
    XkKpDivide = 0xFFAF,
    XkKp0 = 0xFFB0,
    XkKp9 = 0xFFB9,
};

// The Windows code of a keypad keysym, -1 for any other keysym.
int fromKeypadKeysym(quint32 keysym) {
    constexpr int navigation[] = {VkHome, VkLeft, VkUp,    VkRight,  VkDown,  VkPrior,
                                  VkNext, VkEnd,  VkClear, VkInsert, VkDelete};
    if (keysym >= XkKp0 && keysym <= XkKp9)
        return VkNumpad0 + int(keysym - XkKp0);
    if (keysym >= XkKpHome && keysym <= XkKpDelete)
        return navigation[keysym - XkKpHome];
    switch (keysym) {
    case XkKpEnter:
        return VkReturn;
    case XkKpMultiply:
        return VkMultiply;
    case XkKpAdd:
        return VkAdd;
    case XkKpSubtract:
        return VkSubtract;
    case XkKpSeparator:
    case XkKpDecimal:
        return VkDecimal;
    case XkKpDivide:
        return VkDivide;
    default:
        return -1;
    }
}

// NumLock is not in the event, but the key the layout produced tells: a digit (or the decimal
// sign, a comma on the German layout) with NumLock on, a navigation key with it off.
int keypadKey(const KeypadKey& key, int qtKey) {
    if (key.digit >= 0)
        return isDigitKey(qtKey) ? VkNumpad0 + key.digit : key.navigation;
    return qtKey == Qt::Key_Comma || qtKey == Qt::Key_Period ? VkDecimal : key.navigation;
}

int keypadFromQtKey(int qtKey) {
    if (isDigitKey(qtKey))
        return VkNumpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return VkMultiply;
    case Qt::Key_Plus:
        return VkAdd;
    case Qt::Key_Minus:
        return VkSubtract;
    case Qt::Key_Comma:
    case Qt::Key_Period:
        return VkDecimal;
    case Qt::Key_Slash:
        return VkDivide;
    default:
        return -1; // not a keypad sign: navigation keys and Enter map as on the main block
    }
}

} // namespace

int fromEvent(const QKeyEvent& event) {
    return fromScanCode(event.nativeScanCode(), event.key(), event.modifiers(),
                        event.nativeVirtualKey());
}

int fromScanCode(quint32 nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers,
                 quint32 keysym) {
    const int keypadCode = fromKeypadKeysym(keysym);
    if (nativeScanCode <= EvdevOffset)
        return keypadCode >= 0 ? keypadCode : fromQtKey(qtKey, modifiers);
    const int evdev = int(nativeScanCode - EvdevOffset);
    for (const KeypadKey& key : Keypad)
        if (key.evdev == evdev)
            return keypadCode >= 0 ? keypadCode : keypadKey(key, qtKey);
    if (evdev < MainBlockSize && MainBlock[evdev] != 0)
        return MainBlock[evdev];
    for (const ExtendedKey& key : Extended)
        if (key.evdev == evdev)
            return key.vk;
    // A key we do not know by position (media keys, unusual hardware): let the layout decide.
    return fromQtKey(qtKey, modifiers);
}

int fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        const int vk = keypadFromQtKey(qtKey);
        if (vk >= 0)
            return vk;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // the letters' codes are their upper-case ASCII
    if (isDigitKey(qtKey))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VkF1 + (qtKey - Qt::Key_F1);

    switch (qtKey) {
    // Shifted and AltGr signs belong to the key that types them on the German layout.
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_QuoteDbl:
    case Qt::Key_twosuperior:
        return '2';
    case Qt::Key_section:
    case Qt::Key_threesuperior:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_Ampersand:
        return '6';
    case Qt::Key_Slash:
    case Qt::Key_BraceLeft:
        return '7';
    case Qt::Key_ParenLeft:
    case Qt::Key_BracketLeft:
        return '8';
    case Qt::Key_ParenRight:
    case Qt::Key_BracketRight:
        return '9';
    case Qt::Key_Equal:
    case Qt::Key_BraceRight:
        return '0';
    case Qt::Key_ssharp:
    case Qt::Key_Question:
    case Qt::Key_Backslash:
        return VkOem4;
    case Qt::Key_acute:
    case Qt::Key_QuoteLeft:
    case Qt::Key_Dead_Acute:
    case Qt::Key_Dead_Grave:
        return VkOem6;
    case Qt::Key_AsciiCircum:
    case Qt::Key_degree:
    case Qt::Key_Dead_Circumflex:
        return VkOem5;
    case Qt::Key_Udiaeresis:
        return VkOem1;
    case Qt::Key_Plus:
    case Qt::Key_Asterisk:
    case Qt::Key_AsciiTilde:
    case Qt::Key_Dead_Tilde:
        return VkOemPlus;
    case Qt::Key_NumberSign:
    case Qt::Key_Apostrophe:
        return VkOem2;
    case Qt::Key_Odiaeresis:
        return VkOem3;
    case Qt::Key_Adiaeresis:
        return VkOem7;
    case Qt::Key_Comma:
    case Qt::Key_Semicolon:
        return VkOemComma;
    case Qt::Key_Period:
    case Qt::Key_Colon:
        return VkOemPeriod;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VkOemMinus;
    case Qt::Key_Less:
    case Qt::Key_Greater:
    case Qt::Key_Bar:
        return VkOem102;
    case Qt::Key_At:
        return 'Q';
    case 0x20AC: // the euro sign has no Qt key name
        return 'E';
    case Qt::Key_mu:
        return 'M';

    case Qt::Key_Shift:
        return VkShift;
    case Qt::Key_Control:
        return VkControl;
    case Qt::Key_Alt:
        return VkMenu;
    case Qt::Key_AltGr:
        return AltGr;
    case Qt::Key_CapsLock:
        return VkCapital;
    case Qt::Key_Space:
        return VkSpace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VkReturn;
    case Qt::Key_Backspace:
        return VkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VkTab;
    case Qt::Key_Escape:
        return VkEscape;
    case Qt::Key_NumLock:
        return VkNumLock;
    case Qt::Key_ScrollLock:
        return VkScroll;
    case Qt::Key_Pause:
        return VkPause;
    case Qt::Key_Print:
        return VkSnapshot;
    case Qt::Key_Clear:
        return VkClear;
    case Qt::Key_Home:
        return VkHome;
    case Qt::Key_End:
        return VkEnd;
    case Qt::Key_Left:
        return VkLeft;
    case Qt::Key_Up:
        return VkUp;
    case Qt::Key_Right:
        return VkRight;
    case Qt::Key_Down:
        return VkDown;
    case Qt::Key_PageUp:
        return VkPrior;
    case Qt::Key_PageDown:
        return VkNext;
    case Qt::Key_Insert:
        return VkInsert;
    case Qt::Key_Delete:
        return VkDelete;
    case Qt::Key_Super_L:
    case Qt::Key_Meta:
        return VkLWin;
    case Qt::Key_Super_R:
        return VkRWin;
    case Qt::Key_Menu:
        return VkApps;
    default:
        return 0;
    }
}

} // namespace VirtualKey
