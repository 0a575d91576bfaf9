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
dialog=$(shown '^Lektionen$') || fail "selection did not open"
focus "$dialog" # the dialog is up and placed
# "Eigenen Text laden" stands at the dialog's bottom left (180, 4140 twips: 12, 276 pixels).
xdotool mousemove --window "$dialog" 60 292 click 1
open=$(shown '^Datei öffnen$') || fail "file dialog did not open"
focus "$open"
xdotool type --delay 20 "$file"
xdotool key Return
# Umlauts lie outside the plain characters: the warning comes.
warning=$(shown '^Eigene Texte$') || fail "no warning"
focus "$warning"
xdotool key Return
wait_until "$patience" gone '^Lektionen$' || fail "selection still open"
titled() { title=$(xdotool getwindowname "$main") && [[ $title == *gruesse.txt* ]]; }
wait_until "$patience" titled || fail "caption '$title' without the file name"
focus "$main"
xdotool key Return          # Start
type_text "$lesson"
wait_until "$patience" row_stored || fail "no result row"
quit_program # then all that the lesson's end stores is stored

chars=$(printf '%s' "${lesson//$'\n'/}" | wc -m)
[ "$(rows)" = 1 ] || fail "expected one result row, found $(rows)"
row=$(sqlite3 "$db" "SELECT Lektion, Dateiname, Zeichenanzahl, Fehler FROM log")
[ "$row" = "999999|gruesse.txt|$chars|0" ] || fail "result row $row, expected 999999|gruesse.txt|$chars|0"
echo "e2e own text: 1 passed, 0 failed"
