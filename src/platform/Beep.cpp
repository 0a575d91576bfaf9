#include "Beep.h"

#include <QApplication>

void Beep() {
    QApplication::beep();
}
