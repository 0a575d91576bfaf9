#pragma once

#include "LessonCounters.h"

#include <QString>

// Texts the typing window shows.

// Seconds as minutes (at least two digits) ":" seconds (two digits): 65 -> "01:05".
QString FormatMinSec(qint32 seconds);
// A single-precision number as the user's locale writes it: up to seven significant digits,
// no trailing zeros, no digit grouping ("33,33" under German settings).
QString formatSingle(float value);
// ff(1) .. ff(10) joined by ",".
QString ffstr(const LessonCounters& counters);
// A lesson text as the typing window takes it: every line break is CR LF (a lone CR or a lone
// LF is one line break too), and a TAB, DEL or another control character is a blank, since
// none of them can be typed. CountChars and the cursor rely on this form.
QString typableLessonText(const QString& lessonText);
// Lesson length without line breaks: every CR LF pair drops out.
qint32 CountChars(const QString& lessonText);
// The summary shown in the input box at the end of a lesson (lines joined by CR LF).
QString summaryText(const LessonCounters& counters);
// Shown in the lesson box when no lesson is loaded.
QString welcomeText();
