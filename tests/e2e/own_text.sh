#!/usr/bin/env bash
# End to end under a real X server with a German keymap: load a UTF-8 text file of our own
# with umlauts through "Eigenen Text laden", confirm the warning, type the text with real key
# events and find exactly one result row under the own-text key 999999 with the file's name.
program=$1
name=own_text
source "$(dirname "$0")/session.sh"

start_x
working_copy
# The text as an editor on Linux saves it: UTF-8, LF line ends, a blank at a line's end.
file="$work/gruesse.txt"
printf 'Grüße aus Köln \nÄrger über Öl, süß!\n' >"$file"
lesson=$'Grüße aus Köln\nÄrger über Öl, süß!\n'
start_program

xdotool key --clearmodifiers ctrl+l
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Lektionen$' | head -n1) || fail "selection did not open"
sleep 0.5
# "Eigenen Text laden" stands at the dialog's bottom left (180, 4140 twips: 12, 276 pixels).
xdotool mousemove --window "$dialog" 60 292 click 1
open=$(timeout 10 xdotool search --sync --onlyvisible --name '^Datei öffnen$' | head -n1) || fail "file dialog did not open"
xdotool windowfocus --sync "$open" || true
sleep 0.5
xdotool type --delay 20 "$file"
sleep 0.2
xdotool key Return
# Umlauts lie outside the plain characters: the warning comes.
warning=$(timeout 10 xdotool search --sync --onlyvisible --name '^Eigene Texte$' | head -n1) || fail "no warning"
xdotool windowfocus --sync "$warning" || true
sleep 0.3
xdotool key Return
sleep 0.5
if xdotool search --onlyvisible --name '^Lektionen$' >/dev/null 2>&1; then fail "selection still open"; fi
title=$(xdotool getwindowname "$main")
[[ $title == *gruesse.txt* ]] || fail "caption '$title' without the file name"
xdotool windowfocus --sync "$main" || true
xdotool key Return          # Start
sleep 0.5
type_text "$lesson"
sleep 1

chars=$(printf '%s' "${lesson//$'\n'/}" | wc -m)
[ "$(rows)" = 1 ] || fail "expected one result row, found $(rows)"
row=$(sqlite3 "$db" "SELECT Lektion, Dateiname, Zeichenanzahl, Fehler FROM log")
[ "$row" = "999999|gruesse.txt|$chars|0" ] || fail "result row $row, expected 999999|gruesse.txt|$chars|0"
echo "e2e own text: 1 passed, 0 failed"
