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
sleep 1
[ "$(rows)" = 1 ] || fail "expected one result row, found $(rows)"

# The green pixels of STRG, at 16, 538 (65 x 57 pixels) in the main window; waits up to 5 s for
# their count to pass the test given.
strg_green() {
  local n
  for _ in $(seq 50); do
    locate "$main"
    n=$(count '^00ff00$' 16 538 65 57)
    [ "$n" "$@" ] && break
    sleep 0.1
  done
  echo "$n"
}
xdotool windowfocus --sync "$main" || true
xdotool mousemove --window "$main" 400 190 click 1 # into the input box, as a user does
xdotool keydown ctrl
[ "$(strg_green -gt 0)" -gt 0 ] || fail "STRG is not lit while Ctrl is held"
xdotool key x
hub=$(timeout 10 xdotool search --sync --onlyvisible --name '^Statistik$' | head -n1) || fail "the hub did not open"
for _ in $(seq 50); do [ "$(xdotool getactivewindow)" = "$hub" ] && break; sleep 0.1; done
sleep 1
xdotool keyup ctrl # to the hub
eval "$(xdotool getwindowgeometry --shell "$hub")"
locate "$hub"
# With one row there is no message box: the window titled "Statistik" is the hub itself.
[ "$WIDTH" = 553 ] && [ "$HEIGHT" = 445 ] || fail "window 'Statistik' is ${WIDTH}x${HEIGHT}, not the hub's 553x445"

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

xdotool windowfocus --sync "$hub" || true
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name '^Statistik$' >/dev/null 2>&1 && fail "Esc did not close the hub"
[ "$(strg_green -eq 0)" = 0 ] || fail "STRG stays lit after the hub took the keyboard"
echo "e2e statistics: 1 passed, 0 failed"
