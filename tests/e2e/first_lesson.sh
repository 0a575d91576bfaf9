#!/usr/bin/env bash
# End to end under a real X server with a German keymap: close the about box and the tips, open
# the selection with Ctrl+L, take the first lesson with Enter, start it with Enter, type it with
# real key events (umlauts, Shift, AltGr, Return, and keys and clicks that must count nothing)
# and find exactly one new result row without errors.
program=$1
name=first_lesson
source "$(dirname "$0")/session.sh"

start_x
# A first lesson that needs umlauts, Shift and AltGr.
lesson_text=$'Grüße aus Köln: ÄÖÜ ß!\r\nMail @ Preis 5 € (a+b)*2 = "x";\r\n<> #\' _-. ?'
working_copy "$lesson_text"
start_program
take_first_lesson

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
[ "$(rows)" = 1 ] || fail "expected one result row, found $(rows)"
row=$(sqlite3 "$db" "SELECT Lektion, Zeichenanzahl, Treffer, Fehler FROM log")
[ "$row" = "$first_lesson_id|$chars|$chars|0" ] || fail "result row $row, expected $first_lesson_id|$chars|$chars|0"
echo "e2e: 1 passed, 0 failed"
