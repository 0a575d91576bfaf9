#pragma once

#include <QtGlobal>
#include <qnamespace.h>

class QKeyEvent;

// Key events as Windows virtual-key codes of the German layout. The physical key decides
// (a real X11 or Wayland event carries nativeScanCode = evdev code + 8); an event without a
// scan code falls back to its Qt key.
namespace VirtualKey {

constexpr int AltGr = 13261; // the right Alt key is reported as a key of its own

int fromEvent(const QKeyEvent& event);
int fromScanCode(quint32 nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers);
int fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace VirtualKey
