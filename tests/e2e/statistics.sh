#!/usr/bin/env bash
# End to end under a real X server with a German keymap and a window manager: type a short first
# lesson with real key events, open the statistics with Ctrl+X and read the count of lessons off
# the screen: the hub's figure Label12 must show a single "1". Esc closes the hub again. Ctrl is
# let go only once the hub has the keyboard: the STRG key must not stay lit for it.
program=$1
name=statistics
source "$(dirname "$0")/session.sh"

start_x
start_wm
working_copy fjfj
start_program
take_first_lesson
for k in f j f j; do xdotool key "$k"; done
wait_until "$patience" row_stored || fail "no result row"
[ "$(rows)" = 1 ] || fail "expected one result row, found $(rows)"

# The green pixels of STRG, at 16, 538 (65 x 57 pixels) in the main window, pass the test given.
strg_green() { locate "$main" && [ "$(count '^00ff00$' 16 538 65 57)" "$@" ]; }
# The hub has the keyboard: the window manager made it active and the server gives it the keys.
hub_has_keys() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$hub" ] &&
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$hub" ]
}
focus "$main"
xdotool mousemove --window "$main" 400 190 click 1 # into the input box, as a user does
xdotool keydown ctrl
wait_until "$patience" strg_green -gt 0 || fail "STRG is not lit while Ctrl is held"
xdotool key x
hub=$(shown '^Statistik$') || fail "the hub did not open"
wait_until "$patience" hub_has_keys || fail "the hub did not get the keyboard"
xdotool keyup ctrl # to the hub
eval "$(xdotool getwindowgeometry --shell "$hub")"
locate "$hub"
# With one row there is no message box: the window titled "Statistik" is the hub itself.
[ "$WIDTH" = 553 ] && [ "$HEIGHT" = 445 ] || fail "window 'Statistik' is ${WIDTH}x${HEIGHT}, not the hub's 553x445"
# Read once the hub has drawn the label (until then its box shows what lay below): its grey
# ground and some ink.
drawn() {
  [ "$(count '^ececec$' 148 32 73 19)" -gt 1000 ] &&
    [ "$(count '^[0-5][0-9a-f][0-5][0-9a-f][0-5][0-9a-f]$' 148 32 73 19)" -gt 0 ]
}
wait_until "$patience" drawn || fail "Label12 is not drawn"

# Label12 lies at 148, 32 (73 x 19 pixels) in the hub; its ink must read as the digit 1.
python3 - "$work/Xvfb_screen0" "$win_x" "$win_y" <<'PY' || fail "Label12 does not show 1"
import struct, sys
path, wx, wy = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(path, 'rb').read()
h = struct.unpack('>25I', data[:100])
header_size, width, height, bpp, bpl, ncolors = h[0], h[4], h[5], h[11], h[12], h[19]
if bpp != 32:
    sys.exit('unexpected %d bits per pixel' % bpp)
base = header_size + ncolors * 12
def dark(x, y):
    o = base + y * bpl + x * 4
    b, g, r = data[o], data[o + 1], data[o + 2]
    return r + g + b < 300
x0, y0 = wx + 148, wy + 32
ink = [(x, y) for y in range(y0, y0 + 19) for x in range(x0, x0 + 73) if dark(x, y)]
if not ink:
    sys.exit('Label12 is empty')
xs = sorted({x for x, _ in ink}); ys = sorted({y for _, y in ink})
for y in ys:
    print(''.join('#' if dark(x, y) else '.' for x in xs))
# Between the flag at the top and the foot, a 1 is nothing but its stem: the same one or two
# columns in every row (a 4 has two strokes there, a 7 a slanted one).
middle = [frozenset(x for x in xs if dark(x, y)) for y in ys[2:-1]]
if len(ys) < 6 or len(set(middle)) != 1 or len(middle[0]) > 2 or xs[-1] - xs[0] > 6:
    sys.exit('not a single 1')
PY

focus "$hub"
xdotool key Escape
wait_until "$patience" gone '^Statistik$' || fail "Esc did not close the hub"
wait_until "$patience" strg_green -eq 0 || fail "STRG stays lit after the hub took the keyboard"
echo "e2e statistics: 1 passed, 0 failed"
