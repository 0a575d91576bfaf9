#!/usr/bin/env bash
# End to end under a real X server: open the settings on the "Farbdesign" page, drag the
# pipette onto the swatch "Farbvorschlag 2" and take it with OK, give a name, and find both in
# the settings file the program writes when it ends.
program=$1
name=settings
source "$(dirname "$0")/session.sh"

start_x
working_copy
start_program
# The menu "Einstellungen" by its mnemonic; its entries take their keys once it is open.
settings_menu() {
  focus "$main"
  xdotool key --clearmodifiers alt+e
  wait_until "$patience" menu_open || fail "the menu did not open"
}
menu_open() { [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" = 2 ]; }

settings_menu
xdotool key f                # "&Farbe": the settings on the page "Farbdesign"
dialog=$(shown '^Einstellungen$') || fail "settings did not open"
focus "$dialog"
locate "$dialog"
# The pipette reads the screen: the swatch "Farbvorschlag 2" must be drawn first.
swatch_drawn() { [ "$(count '^c0c0c0$' 640 172 8 8)" = 64 ]; }
wait_until "$patience" swatch_drawn || fail "the swatch is not drawn"
# The pipette's box, then over the colour wheel to the swatch "Farbvorschlag 2".
xdotool mousemove $((win_x + 218)) $((win_y + 92)) mousedown 1
xdotool mousemove $((win_x + 400)) $((win_y + 150))
xdotool mousemove $((win_x + 644)) $((win_y + 176))
xdotool mouseup 1
xdotool key Return           # OK
wait_until "$patience" gone '^Einstellungen$' || fail "settings still open"

# The name on the page "Verschiedenes", through the menu entry and the keyboard.
settings_menu
xdotool key v
dialog=$(shown '^Einstellungen$') || fail "settings did not open again"
focus "$dialog"
xdotool key Tab              # from the page's tab to the name box
xdotool key ctrl+a
type_text "Jürgen"
xdotool key Return           # OK from the name box
wait_until "$patience" gone '^Einstellungen$' || fail "settings still open after the name"

quit_program
ini=$(grep -rl "Farbwert1" "$XDG_CONFIG_HOME" | head -n1) || fail "no settings file"
grep -q '^Farbwert1=12632256$' "$ini" || { cat "$ini"; fail "key colour not 0xC0C0C0"; }
grep -q '^Benutzer=J.*rgen$' "$ini" || { cat "$ini"; fail "name not stored"; }
echo "e2e settings: 1 passed, 0 failed"
