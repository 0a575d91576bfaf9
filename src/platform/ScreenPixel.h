#pragma once

#include <QColor>
#include <QPoint>
#include <optional>

// Reads single pixels of the screen for the colour pipette. An instance stands for one held
// screen access: make one when picking starts and drop it when picking ends.
// Where the window system lets no program read the screen (Wayland), only the program's own
// windows can be read.
class ScreenPixel {
public:
    // The colour at a point in global (logical) coordinates; nothing when it cannot be read.
    std::optional<QColor> at(const QPoint& global) const;
};
