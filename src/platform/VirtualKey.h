#pragma once

#include <QtGlobal>
#include <qnamespace.h>

class QKeyEvent;

// Key events as Windows virtual-key codes of the German layout. The physical key decides
// (a real X11 or Wayland event carries nativeScanCode = evdev code + 8); an event without a
// scan code falls back to its Qt key. The keypad's digit keys are one physical key each for a
// digit (NumLock on) and a navigation key (NumLock off): there the event's keysym decides
// (nativeVirtualKey: XK_KP_1 or XK_KP_End), and the Qt key when it carries none.
namespace VirtualKey {

constexpr int AltGr = 13261; // the right Alt key is reported as a key of its own

int fromEvent(const QKeyEvent& event);
int fromScanCode(quint32 nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers,
                 quint32 keysym = 0);
int fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace VirtualKey
