#pragma once

#include <QString>

// The two run buttons carry the run state in their captions: the entry of the run control that
// a click on button (0 or 1) with this caption performs, or -1 when it performs none. The
// captions are compared exactly.
int runEntryForButton(int button, const QString& caption);
