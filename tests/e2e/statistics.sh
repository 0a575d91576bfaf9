#!/usr/bin/env bash
# End to end under a real X server with a German keymap: type a short first lesson with real
# key events, open the statistics with Ctrl+X and read the count of lessons off the screen:
# the hub's figure Label12 must show a single "1". Esc closes the hub again.
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1
work=$(mktemp -d)
xvfb_pid=""; app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e statistics: $*" >&2; exit 1; }

for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || fail "no free X display"
# -fbdir keeps the screen in a file (XWD format), so the script can read what is shown.
Xvfb "$display" -screen 0 1280x1024x24 -fbdir "$work" -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap de || fail "setxkbmap de failed"

data="$APPDATA/quendal1_1"
mkdir -p "$data"
db="$data/quendal1_1.mdb"
cp "$(dirname "$program")/quendal1_1.mdb" "$db"
first_lesson_id=$(sqlite3 "$db" "SELECT u.id FROM uebungen u JOIN uebungsarten a ON a.id = u.art
  WHERE a.rowid = (SELECT min(rowid) FROM uebungsarten) AND u.ordnungszahl = 1")
[ -n "$first_lesson_id" ] || fail "no first lesson in the template"
sqlite3 "$db" "UPDATE uebungen SET uebungstext = 'fjfj' WHERE id = $first_lesson_id"

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!
about=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" | head -n1) || fail "about box did not appear"
xdotool windowfocus --sync "$about"
sleep 0.3
xdotool key Return
main=$(timeout 20 xdotool search --sync --name '^Quendal 1\.1' | head -n1) || fail "main window did not appear"
tips=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tips und Tricks$' | head -n1) || fail "tips did not appear"
xdotool windowfocus --sync "$tips"
sleep 0.3
xdotool key Escape
sleep 0.3
xdotool windowfocus --sync "$main"
sleep 0.5

xdotool key --clearmodifiers ctrl+l
dialog=$(timeout 10 xdotool search --sync --name '^Lektionen$' | head -n1) || fail "selection did not open"
xdotool windowfocus --sync "$dialog" || true
sleep 0.5
xdotool key Return          # OK: the first lesson of the first type
sleep 0.5
xdotool windowfocus --sync "$main" || true
xdotool key Return          # Start
sleep 0.5
for k in f j f j; do xdotool key "$k"; done
sleep 1
rows=$(sqlite3 "$db" "SELECT count(*) FROM log")
[ "$rows" = 1 ] || { cat "$work/app.log"; fail "expected one result row, found $rows"; }

xdotool windowfocus --sync "$main" || true
xdotool key --clearmodifiers ctrl+x
hub=$(timeout 10 xdotool search --sync --onlyvisible --name '^Statistik$' | head -n1) || fail "the hub did not open"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$hub")"
# With one row there is no message box: the window titled "Statistik" is the hub itself.
[ "$WIDTH" = 553 ] && [ "$HEIGHT" = 445 ] || fail "window 'Statistik' is ${WIDTH}x${HEIGHT}, not the hub's 553x445"

# Label12 lies at 148, 32 (73 x 19 pixels) in the hub; its ink must read as the digit 1.
python3 - "$work/Xvfb_screen0" "$X" "$Y" <<'PY' || fail "Label12 does not show 1"
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
echo "e2e statistics: 1 passed, 0 failed"
