#include "KeyTable.h"

namespace {

struct KeyRow {
    int index;
    qint16 code;
    const char* names;
    int left, top, width, height;
};

constexpr int W = 975;  // standard key width
constexpr int H = 855;  // standard key height
constexpr int FH = 615; // function key height

// The German keyboard, row by row from the top, keys left to right (twips in the frame).
constexpr KeyRow Rows[KeyCount] = {
    {59, 999, "F1", 480, 120, W, FH},
    {56, 113, "F2", 1440, 120, W, FH},
    {57, 114, "F3", 2400, 120, W, FH},
    {58, 115, "F4", 3360, 120, W, FH},

    {41, 49, "1|!", 720, 840, W, H},
    {42, 50, "2|\"", 1680, 840, W, H},
    {43, 51, "3|\u00a7", 2640, 840, W, H},
    {44, 52, "4|$", 3600, 840, W, H},
    {45, 53, "5|%", 4560, 840, W, H},
    {46, 54, "6|&", 5520, 840, W, H},
    {47, 55, "7|/", 6480, 840, W, H},
    {48, 56, "8|(", 7440, 840, W, H},
    {49, 57, "9|)", 8400, 840, W, H},
    {50, 48, "0|=", 9360, 840, W, H},
    {51, 219, "\u00df|?", 10320, 840, W, H},
    {52, 221, "BACKTICK", 11280, 840, W, H},
    {60, 8, "BACK", 12240, 840, 1095, H},

    {19, 81, "q|Q|@", 1080, 1680, W, H},
    {20, 87, "w|W", 2040, 1680, W, H},
    {21, 69, "e|E|\u20ac", 3000, 1680, W, H},
    {22, 82, "r|R", 3960, 1680, W, H},
    {23, 84, "t|T", 4920, 1680, W, H},
    {15, 90, "z|Z", 5880, 1680, W, H},
    {25, 85, "u|U", 6840, 1680, W, H},
    {26, 73, "i|I", 7800, 1680, W, H},
    {27, 79, "o|O", 8760, 1680, W, H},
    {28, 80, "p|P", 9720, 1680, W, H},
    {29, 186, "\u00fc|\u00dc", 10680, 1680, W, H},
    {30, 187, "+|*", 11640, 1680, W, H},
    {61, 191, "#|'", 12600, 1680, W, H},

    {13, 20, "CAPS", 120, 2520, W, H},
    {8, 65, "a|A", 1320, 2520, W, H},
    {7, 83, "s|S", 2280, 2520, W, H},
    {4, 68, "d|D", 3240, 2520, W, H},
    {0, 70, "f|F", 4200, 2520, W, H},
    {5, 71, "g|G", 5160, 2520, W, H},
    {6, 72, "h|H", 6120, 2520, W, H},
    {1, 74, "j|J", 7080, 2520, W, H},
    {3, 75, "k|K", 8040, 2520, W, H},
    {11, 76, "l|L", 9000, 2520, W, H},
    {12, 192, "\u00f6|\u00d6", 9960, 2520, W, H},
    {14, 222, "\u00e4|\u00c4", 10920, 2520, W, H},
    {53, 13, "RETURN", 11880, 2520, 1335, H},

    {9, 16, "SHIFTL", 120, 3360, W, H},
    {24, 89, "y|Y", 1920, 3360, W, H},
    {31, 88, "x|X", 2880, 3360, W, H},
    {32, 67, "c|C", 3840, 3360, W, H},
    {33, 86, "v|V", 4800, 3360, W, H},
    {34, 66, "b|B", 5760, 3360, W, H},
    {35, 78, "n|N", 6720, 3360, W, H},
    {36, 77, "m|M", 7680, 3360, W, H},
    {37, 188, ",|;", 8640, 3360, W, H},
    {38, 190, ".|:", 9600, 3360, W, H},
    {39, 189, "-|_", 10560, 3360, W, H},
    {10, 16, "SHIFTR", 11520, 3360, W, H},

    {40, 17, "STRG", 120, 4200, W, H},
    {17, 18, "ALT", 2280, 4200, W, H},
    {16, 226, "<|>", 3240, 4200, W, H},
    {2, 32, "LEER", 4200, 4200, 3855, H},
    {18, 13261, "ALTGR", 8040, 4200, W, H},
    {54, 45, "INS", 9960, 4200, W, H},
    {55, 46, "DEL", 10920, 4200, W, H},
};

const KeyRow& rowOf(int index) {
    for (const KeyRow& row : Rows)
        if (row.index == index)
            return row;
    return Rows[0];
}

} // namespace

KeyTableArray BuildKeyTable() {
    KeyTableArray table;
    for (const KeyRow& row : Rows)
        table[row.index] = KeyDef{row.code, QString::fromUtf8(row.names)};
    return table;
}

FingerZoneArray BuildFingerZones() {
    FingerZoneArray zones;
    zones[1] = QStringLiteral("a|q|y|A|Q|Y|1|!|2|@|\"");
    zones[2] = QStringLiteral("s|w|x|S|W|X|3|\u00a7");
    zones[3] = QStringLiteral("d|e|c|D|E|C|4|$|\u20ac");
    zones[4] = QStringLiteral("f|g|r|t|v|b|F|G|R|T|V|B|5|%|6|&");
    zones[5] = QStringLiteral("LEER");
    zones[6] = QStringLiteral("LEER");
    zones[7] = QStringLiteral("j|h|n|m|z|u|J|H|N|M|Z|U|7|/|8|(");
    zones[8] = QStringLiteral("k|i|,|;|K|I|9|)");
    zones[9] = QStringLiteral("l|o|.|:|L|O|0|=");
    zones[10] =
        QStringLiteral("p|\u00df|\u00e4|\u00fc|\u00f6|-|P|\u00c4|\u00dc|\u00d6|?|*|+|#|'|_");
    return zones;
}

QRect keyGeometryTwips(int index) {
    const KeyRow& row = rowOf(index);
    return QRect(row.left, row.top, row.width, row.height);
}

int fingerForKey(const FingerZoneArray& zones, const QString& key) {
    for (int f = 1; f <= 10; ++f)
        if (zones[f].split(QLatin1Char('|')).contains(key))
            return f;
    return 0;
}

bool keyHasName(const KeyDef& key, const QString& name) {
    return key.Names.split(QLatin1Char('|')).contains(name);
}

QString typeableCharacters(const KeyTableArray& table) {
    QString chars;
    for (const KeyDef& key : table)
        for (const QString& name : key.Names.split(QLatin1Char('|')))
            if (name.size() == 1 && !chars.contains(name))
                chars += name;
    return chars;
}
