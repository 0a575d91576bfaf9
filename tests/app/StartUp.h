#pragma once

class frmSchreiben;

namespace TestSupport {

// Runs the main window's start-up as the program does and closes the about box that it opens
// with its OK button. The tips at start are switched off in the settings store first, unless
// asked for, so that the main window keeps the keyboard.
bool startUp(frmSchreiben& window, bool tipsAtStart = false);

} // namespace TestSupport
