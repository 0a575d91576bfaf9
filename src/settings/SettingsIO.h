#pragma once

#include "Settings.h"

#include <QString>

class SettingsStore;

// The main window's top-left corner (its frame) in twips, as stored.
struct WindowPosition {
    float left = 0;
    float top = 0;
};

// Reading and writing the options and the window position in the settings store.
namespace SettingsIO {

inline const QString Application = QStringLiteral("Quendal1_1");

Settings loadOptions(const SettingsStore& store);
WindowPosition loadPosition(const SettingsStore& store);
void savePosition(SettingsStore& store, WindowPosition position);
void saveOptions(SettingsStore& store, const Settings& settings);

} // namespace SettingsIO
