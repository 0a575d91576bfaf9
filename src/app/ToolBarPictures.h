#pragma once

#include "components/PictureButton.h"

// The pictures of the main window's tool bar, drawn in code: statistics, browser, reminder,
// lessons, keypad trainer and options. Index as the tool bar button's index.
namespace ToolBarPictures {

PictureButton::Picture forButton(int index);

} // namespace ToolBarPictures
