#pragma once

#include <QIcon>

// The window icon: a light key cap with a "Q" on the keyboard's blue, drawn at 16, 32 and 48
// pixels.
QIcon programIcon();
