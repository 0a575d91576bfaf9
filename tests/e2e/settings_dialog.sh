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

xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers alt+e
sleep 0.3
xdotool key f                # "&Farbe": the settings on the page "Farbdesign"
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Einstellungen$' | head -n1) || fail "settings did not open"
xdotool windowfocus --sync "$dialog" || true
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# The pipette's box, then over the colour wheel to the swatch "Farbvorschlag 2".
xdotool mousemove $((X + 218)) $((Y + 92)) mousedown 1
sleep 0.2
xdotool mousemove $((X + 400)) $((Y + 150))
sleep 0.1
xdotool mousemove $((X + 644)) $((Y + 176))
sleep 0.2
xdotool mouseup 1
sleep 0.2
xdotool key Return           # OK
sleep 0.5
if xdotool search --onlyvisible --name '^Einstellungen$' >/dev/null 2>&1; then fail "settings still open"; fi

# The name on the page "Verschiedenes", through the menu entry and the keyboard.
xdotool windowfocus --sync "$main" || true
xdotool key --clearmodifiers alt+e
sleep 0.3
xdotool key v
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Einstellungen$' | head -n1) || fail "settings did not open again"
xdotool windowfocus --sync "$dialog" || true
sleep 0.5
xdotool key Tab              # from the page's tab to the name box
xdotool key ctrl+a
type_text "Jürgen"
xdotool key Return           # OK from the name box
sleep 0.5

quit_program
ini=$(grep -rl "Farbwert1" "$XDG_CONFIG_HOME" | head -n1) || fail "no settings file"
grep -q '^Farbwert1=12632256$' "$ini" || { cat "$ini"; fail "key colour not 0xC0C0C0"; }
grep -q '^Benutzer=J.*rgen$' "$ini" || { cat "$ini"; fail "name not stored"; }
echo "e2e settings: 1 passed, 0 failed"
