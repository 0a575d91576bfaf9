#pragma once

#include "SettingsIO.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window's frame goes for a stored position (twips): at that place when any
// part of a window of that size lies on a screen, else at the top left corner (a monitor that
// has gone must not leave the window out of reach).
QPoint windowCorner(WindowPosition stored, QSize frameSize, const QList<QRect>& screens);
