#!/usr/bin/env bash
# End to end under a real X server with a German keymap: Ctrl+N hides the main window and opens
# the keypad trainer with its NumLock key blinking; a double-click starts the first keypad
# lesson, which is typed on the keypad (NumLock switched on by its key, both Enter keys) with
# real key events; the closing message appears, "Beenden" brings the main window back, and no
# result row is written. The screen is read from the server's frame buffer file.
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
fail() { echo "e2e keypad: $*" >&2; [ -f "$work/app.log" ] && cat "$work/app.log" >&2; exit 1; }

# A free display number.
for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || fail "no free X display"
Xvfb "$display" -screen 0 1280x1024x24 -fbdir "$work" -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap de || fail "setxkbmap de failed"
fb="$work/Xvfb_screen0"
[ -f "$fb" ] || fail "no frame buffer file"

# The frame buffer is an XWD image: a big-endian header, a colour map, then the pixels.
read -r -a header <<<"$(od -An -v -tu4 --endian=big -N 100 "$fb" | tr -s ' \n' '  ')"
header_size=${header[0]}; byte_order=${header[7]}; bits_per_pixel=${header[11]}
bytes_per_line=${header[12]}; ncolors=${header[19]}
[ "$bits_per_pixel" = 32 ] || fail "unexpected frame buffer depth $bits_per_pixel"
pixels=$((header_size + ncolors * 12))
endian=little; [ "$byte_order" = 1 ] && endian=big

win_x=0; win_y=0
locate() { # the window's client origin on the screen (there is no window manager)
  eval "$(xdotool getwindowgeometry --shell "$1")"
  win_x=$X; win_y=$Y
}
# Colours (RRGGBB, one a line) of a rectangle given in window pixels.
colours() {
  local x=$1 y=$2 w=$3 h=$4 row
  for ((row = y; row < y + h; row++)); do
    od -An -v -tx4 --endian=$endian -w$((w * 4)) \
       -j $((pixels + (win_y + row) * bytes_per_line + (win_x + x) * 4)) -N $((w * 4)) "$fb"
  done | tr -s ' ' '\n' | sed -n 's/^..\(......\)$/\1/p'
}
count() { # how many pixels of a rectangle match an extended regular expression
  local pattern=$1; shift
  colours "$@" | grep -Ec "$pattern" || true
}
DARK='^[0-5][0-9a-f][0-5][0-9a-f][0-5][0-9a-f]$'
YELLOW='^(e|f)[0-9a-f](e|f)[0-9a-f][0-3][0-9a-f]$'

# Key codes of the keypad (evdev + 8), the same with NumLock on and off.
declare -A keypad=([0]=90 [1]=87 [2]=88 [3]=89 [4]=83 [5]=84 [6]=85 [7]=79 [8]=80 [9]=81
                   [,]=91 [+]=86 [-]=82 [*]=63 [/]=106)
keypad_enter=104

# The first keypad lesson uses every key of the keypad and two line breaks.
data="$APPDATA/quendal1_1"
mkdir -p "$data"
cp "$(dirname "$program")/quendal1_1.mdb" "$data/quendal1_1.mdb"
db="$data/quendal1_1.mdb"
lesson=$'47,5+1\r\n2*3-9/6\r\n80'
sqlite3 "$db" "UPDATE numuebungen SET txt = CAST(X'$(printf '%s' "$lesson" | od -An -tx1 | tr -d ' \n')' AS TEXT)
  WHERE rowid = (SELECT min(rowid) FROM numuebungen WHERE title IS NOT NULL AND txt IS NOT NULL)"

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!
about=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" | head -n1) || fail "about box did not appear"
xdotool windowfocus --sync "$about"
sleep 0.3
xdotool key Return
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quendal 1\.1' | head -n1) || fail "main window did not appear"
tips=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tips und Tricks$' | head -n1) || fail "tips did not appear"
xdotool windowfocus --sync "$tips"
sleep 0.3
xdotool key Escape
sleep 0.3
xdotool windowfocus --sync "$main"
sleep 0.5

xdotool key --clearmodifiers ctrl+n
trainer=$(timeout 10 xdotool search --sync --onlyvisible --name '^NumBlock-Trainer$' | head -n1) || fail "the trainer did not open"
sleep 0.3
xdotool search --onlyvisible --name '^Quendal 1\.1' >/dev/null && fail "the main window stayed visible"
xdotool windowfocus --sync "$trainer"
locate "$trainer"

# The NumLock key's border (the key at 24,16 in the frame at 8,180) blinks red within seconds.
red=0
for _ in $(seq 50); do
  [ "$(colours 33 197 1 1)" = ff0000 ] && { red=1; break; }
  sleep 0.1
done
[ $red = 1 ] || fail "the NumLock key does not blink"

# Double-click the first title (the list at 8,52), then move the mouse off its tooltip.
xdotool mousemove --window "$trainer" 30 61 click --repeat 2 --delay 80 1
xdotool mousemove 1270 1010
sleep 0.5
[ "$(count "$DARK" 104 12 210 80)" -gt 0 ] || fail "the lesson text is not shown"

# With NumLock off the keypad's 4 is a navigation key: it types nothing and lights nothing.
xdotool key "${keypad[4]}"
xdotool key Num_Lock
enters=0
for ((i = 0; i < ${#lesson}; i++)); do
  c=${lesson:i:1}
  case "$c" in
    $'\r') ;;
    $'\n') # the keypad's Enter first, then the main one
      if [ $enters = 0 ]; then xdotool key $keypad_enter; else xdotool key Return; fi
      enters=$((enters + 1)) ;;
    *) xdotool key "${keypad[$c]}" ;;
  esac
done
sleep 0.8

# The closing message: the lesson box empty, "ENDE" in yellow, the message in the typing box.
[ "$(count '^e0e0e0$' 104 12 210 80)" = $((210 * 80)) ] || fail "the lesson box was not emptied"
[ "$(count "$YELLOW" 10 10 85 29)" -gt 20 ] || fail "the expected-key label does not show ENDE"
[ "$(count "$DARK" 104 108 210 28)" -gt 100 ] || fail "no closing message in the typing box"
# Small print on two lines: what was typed (three lines at 16 pt) is gone.
[ "$(count "$DARK" 104 144 210 24)" = 0 ] || fail "the typing box still shows the typed lines"
# Keys pressed on the keypad are grey now: 4 (24,112 in the frame) and Enter (216,160).
[ "$(colours 33 293 1 1)" = c0c0c0 ] || fail "the keypad's 4 is not grey"
[ "$(colours 225 341 1 1)" = c0c0c0 ] || fail "the keypad's Enter is not grey"

# "Beenden" (236,460) closes the trainer and brings the main window back; nothing was stored.
xdotool mousemove --window "$trainer" 274 472 click 1
timeout 10 xdotool search --sync --onlyvisible --name '^Quendal 1\.1' >/dev/null || fail "the main window did not come back"
xdotool search --onlyvisible --name '^NumBlock-Trainer$' >/dev/null && fail "the trainer stayed open"
rows=$(sqlite3 "$db" "SELECT count(*) FROM log")
[ "$rows" = 0 ] || fail "the keypad lesson wrote $rows result rows"
echo "e2e keypad: 1 passed, 0 failed"
