#pragma once

#include "LessonCounters.h"

// One second of the lesson clock: the duration grows and the strokes per minute follow.
void lessonClockTick(LessonCounters& counters);
