#include "LessonClock.h"

#include <cmath>

void lessonClockTick(LessonCounters& c) {
    ++c.Dauer;
    const qint64 strokes = qint64(c.Fehler) + qint64(c.Treffer);
    c.AnschPerMin = float(std::floor(double(strokes * 60) / double(c.Dauer)));
}
