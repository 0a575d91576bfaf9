#include "KeypadKeys.h"

namespace {

KeypadKeyDef key(const char* tag, const char* legend, const char* subLegend, int left, int top,
                 int width = 975, int height = 735) {
    return {QString::fromUtf8(tag), QString::fromUtf8(legend), QString::fromUtf8(subLegend),
            QRect(left, top, width, height)};
}

} // namespace

const KeypadKeyArray& keypadKeys() {
    static const KeypadKeyArray keys = {
        KeypadKeyDef{QString(), QStringLiteral("Num"), OutlinedDownArrow,
                     QRect(360, 240, 975, 735)},
        key("111", "\u00f7", "", 1320, 240),
        key("106", "X", "", 2280, 240),
        key("109", "-", "", 3240, 240),
        key("103", "7", "Pos 1", 360, 960),
        key("104", "8", "\u2191", 1320, 960),
        key("105", "9", "Bild \u2191", 2280, 960),
        key("107", "+", "", 3240, 960, 975, 1455),
        key("100", "4", "\u2190", 360, 1680),
        key("101", "5", "", 1320, 1680),
        key("102", "6", "\u2192", 2280, 1680),
        key("97", "1", "Ende", 360, 2400),
        key("98", "2", "\u2193", 1320, 2400),
        key("99", "3", "Bild \u2193", 2280, 2400),
        key("96", "0", "Einfg", 360, 3120, 1935, 735),
        key("110", ",", "Entf", 2280, 3120),
        key("13", "Enter", "", 3240, 2400, 975, 1455),
    };
    return keys;
}

int keypadKeyIndex(int keyCode) {
    const QString text = QString::number(keyCode);
    const KeypadKeyArray& keys = keypadKeys();
    for (int i = 1; i < KeypadKeyCount; ++i)
        if (keys[i].tag == text)
            return i;
    return -1;
}
