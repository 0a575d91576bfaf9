#pragma once

#include <QString>
#include <QtGlobal>

// The user's options, read once at start-up and written back at shutdown. Until start-up has
// read them they hold the empty text, false and 0.
struct Settings {
    QString Benutzer;
    bool CheckLoadTips = false;
    bool checkDino = false;
    bool CheckFehlermeldung = false;
    bool CheckGeraeusch = false;
    qint32 Farbwert1 = 0;
    qint16 Tdauer = 0;

    // What a first start with an empty settings store gives.
    static Settings defaults();
};
