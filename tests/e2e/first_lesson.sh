#!/usr/bin/env bash
# End to end under a real X server with a German keymap: close the about box and the tips, open
# the selection with Ctrl+L, take the first lesson with Enter, start it with Enter, type it with
# real key events (umlauts, Shift, AltGr, Return, and keys and clicks that must count nothing)
# and find exactly one new result row without errors.
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
fail() { echo "e2e: $*" >&2; exit 1; }

# A free display number.
for n in $(seq 91 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || fail "no free X display"
Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap de || fail "setxkbmap de failed"

# The user's working copy: the template with a first lesson that needs umlauts, Shift and AltGr.
data="$APPDATA/quendal1_1"
mkdir -p "$data"
cp "$(dirname "$program")/quendal1_1.mdb" "$data/quendal1_1.mdb"
db="$data/quendal1_1.mdb"
lesson_text=$'Grüße aus Köln: ÄÖÜ ß!\r\nMail @ Preis 5 € (a+b)*2 = "x";\r\n<> #\' _-. ?'
first_lesson_id=$(sqlite3 "$db" "SELECT u.id FROM uebungen u JOIN uebungsarten a ON a.id = u.art
  WHERE a.rowid = (SELECT min(rowid) FROM uebungsarten) AND u.ordnungszahl = 1")
[ -n "$first_lesson_id" ] || fail "no first lesson in the template"
sqlite3 "$db" "UPDATE uebungen SET uebungstext = CAST(X'$(printf '%s' "$lesson_text" | od -An -tx1 | tr -d ' \n')' AS TEXT) WHERE id = $first_lesson_id"

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!
# The about box comes first, alone; Enter closes it and the start goes on.
about=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" | head -n1) || fail "about box did not appear"
xdotool windowfocus --sync "$about"
sleep 0.3
xdotool key Return
main=$(timeout 20 xdotool search --sync --name '^Quendal 1\.1' | head -n1) || fail "main window did not appear"
# A first start shows the tips of the day over the main window; Esc closes them.
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

key_for() { # the xdotool key stroke for one character on the German layout
  case "$1" in
    [a-z0-9]) echo "$1" ;;
    [A-Z]) echo "shift+${1,,}" ;;
    ' ') echo space ;;
    ä) echo adiaeresis ;; ö) echo odiaeresis ;; ü) echo udiaeresis ;; ß) echo ssharp ;;
    Ä) echo shift+adiaeresis ;; Ö) echo shift+odiaeresis ;; Ü) echo shift+udiaeresis ;;
    '!') echo shift+1 ;; '"') echo shift+2 ;; '§') echo shift+3 ;; '$') echo shift+4 ;;
    '%') echo shift+5 ;; '&') echo shift+6 ;; '/') echo shift+7 ;; '(') echo shift+8 ;;
    ')') echo shift+9 ;; '=') echo shift+0 ;; '?') echo shift+ssharp ;;
    '+') echo plus ;; '*') echo shift+plus ;; '#') echo numbersign ;; "'") echo shift+numbersign ;;
    ',') echo comma ;; ';') echo shift+comma ;; '.') echo period ;; ':') echo shift+period ;;
    '-') echo minus ;; '_') echo shift+minus ;; '<') echo less ;; '>') echo shift+less ;;
    '@') echo altgr+q ;; '€') echo altgr+e ;;
    $'\n') echo Return ;;
    *) fail "no key for '$1'" ;;
  esac
}
# Things a user does mid-lesson that must neither count nor type anything: Alt alone (menu
# mode), Alt+L (a mnemonic), F10, Delete, a middle click into the box (pasting the selection),
# a left click (moving the caret), and Tab out of the box and Shift+Tab back in.
disturb() {
  xdotool key alt
  xdotool key alt+l
  xdotool key F10
  xdotool key Delete
  xdotool mousemove --window "$main" 300 200 click 2
  xdotool mousemove --window "$main" 160 200 click 1
  xdotool key Tab
  xdotool key shift+Tab
  sleep 0.3
}
typed=${lesson_text//$'\r'/}
for ((i = 0; i < ${#typed}; i++)); do
  [ "$i" = 4 ] && disturb
  stroke=$(key_for "${typed:i:1}")
  if [[ $stroke == altgr+* ]]; then
    xdotool keydown ISO_Level3_Shift key "${stroke#altgr+}" keyup ISO_Level3_Shift
  else
    xdotool key "$stroke"
  fi
done
sleep 1

chars=$(printf '%s' "${typed//$'\n'/}" | wc -m)
rows=$(sqlite3 "$db" "SELECT count(*) FROM log")
[ "$rows" = 1 ] || { cat "$work/app.log"; fail "expected one result row, found $rows"; }
row=$(sqlite3 "$db" "SELECT Lektion, Zeichenanzahl, Treffer, Fehler FROM log")
[ "$row" = "$first_lesson_id|$chars|$chars|0" ] || fail "result row $row, expected $first_lesson_id|$chars|$chars|0"
echo "e2e: 1 passed, 0 failed"
