#pragma once

#include "LessonCounters.h"
#include "keyboard/KeyTable.h"

#include <QString>

// Counting hits and errors of a run and charging errors to fingers.
class Scoring {
public:
    Scoring(LessonCounters& counters, const FingerZoneArray& zones)
        : counters_(counters), zones_(zones) {}

    void countGood();
    // An error where expected was the expected key; charged to its finger.
    void countBad(const QString& expected);
    // Charges one error to the finger whose zone lists key; returns that finger, 0 for none.
    // A blank belongs to both thumbs: the charge alternates, starting with the right thumb.
    int Handpruef(const QString& key);
    void ShowFehlerProz();
    // The error percentage as the live label shows it: "-" above 99.
    QString fehlerProzLabel() const;

    // Which thumb takes the next blank error; lives as long as the window, across lessons.
    bool ThumbToggle = false;

private:
    LessonCounters& counters_;
    const FingerZoneArray& zones_;
};

// Errors per 100 hits, rounded to two decimals (halves to even); previous when there is no hit.
float errorPercent(qint32 fehler, qint32 treffer, float previous);
