#pragma once

#include <QtGlobal>
#include <array>

// The live counters of the current run, zeroed when a lesson is taken or stopped.
struct LessonCounters {
    qint32 Treffer = 0;          // accepted characters
    qint32 Fehler = 0;           // rejected keys
    float FehlerProz = 0;        // errors per 100 hits, two decimals
    qint32 Zeichenanzahl = 0;    // lesson length without line breaks
    qint32 Dauer = 0;            // seconds
    float AnschPerMin = 0;       // strokes per minute, a whole number
    std::array<qint16, 11> ff{}; // errors per finger 1..10; index 0 unused

    void clear() { *this = LessonCounters{}; }
};
