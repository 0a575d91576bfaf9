#pragma once

#include "data/ResultLog.h"
#include "keyboard/KeyTable.h"
#include "platform/Database.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"
#include "typing/LessonCounters.h"

#include <QString>

// The program-wide state: paths, the settings variables, the one database connection, the
// keyboard tables and the live counters of the current run. One instance, made in main().
struct Program {
    explicit Program(const QString& programFolder) : programFolder(programFolder) {}

    QString programFolder; // where the executable and the files shipped with it lie
    QString helpFile;
    Settings settings;
    Sounds sounds{settings};
    Database DbConnection;
    QString DbPath;
    HeldResults heldResults; // results neither the database nor the pending file took
    KeyTableArray KeyTable;
    FingerZoneArray FingerZones;
    LessonCounters counters;
};
