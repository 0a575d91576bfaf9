#pragma once

// The system beep.
void Beep();
