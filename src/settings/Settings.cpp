#include "Settings.h"

Settings Settings::defaults() {
    Settings s;
    s.CheckLoadTips = true;
    s.checkDino = true;
    s.CheckFehlermeldung = true;
    s.CheckGeraeusch = true;
    s.Farbwert1 = 16761024; // 0xFFC0C0, the neutral key colour
    s.Tdauer = 1;
    return s;
}
