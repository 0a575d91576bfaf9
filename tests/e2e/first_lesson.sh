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
# The audio libraries load with the first lesson, not at start-up.
audio_loaded() { grep -q libQt6Multimedia "/proc/$app_pid/maps"; }
audio_loaded && fail "the audio libraries were loaded at start-up"
# Nor does start-up read any picture through Qt's image-format plug-ins.
grep -q /imageformats/ "/proc/$app_pid/maps" && fail "image-format plug-ins were loaded at start-up"
take_first_lesson
wait_until "$patience" audio_loaded || fail "the audio libraries were not loaded for the lesson"

# The walking figure at the left end of its bar (316, 252 in the client area, below the menu
# bar): drawn, and a moment later in another pose.
locate "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
figure=(316 $((HEIGHT - 601 + 252)) 32 32)
pose() { colours "${figure[@]}" | md5sum; }
figure_drawn() { [ "$(colours "${figure[@]}" | grep -vc c0c0ff)" -gt 100 ]; }
wait_until "$patience" figure_drawn || fail "the figure is not drawn"
first_pose=$(pose)
walked() { [ "$(pose)" != "$first_pose" ]; }
wait_until "$patience" walked || fail "the figure does not walk"
# Standing a while, it is played by the X server in a small window of its own, and walks on
# there for some steps, beyond the top-ups of the server's queue.
own_window() { xwininfo -children -id "$main" 2>/dev/null | grep -q ' 32x32+'; }
wait_until "$patience" own_window || fail "the standing figure is not played by the X server"
last_pose=$(pose)
steps=0
walks_on() {
  local now; now=$(pose)
  [ "$now" = "$last_pose" ] || steps=$((steps + 1))
  last_pose=$now
  [ "$steps" -ge 30 ]
}
wait_until "$patience" walks_on || fail "the figure stops walking on the X server"

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
  wait_until "$patience" settled || fail "a menu stayed open or the keys went elsewhere"
}
settled() { # the main window alone, with the keyboard
  [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" = 1 ] &&
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ]
}
typed=${lesson_text//$'\r'/}
type_text "${typed:0:4}"
disturb
type_text "${typed:4}"
wait_until "$patience" row_stored || fail "no result row"
# The figure has walked off its first place and left nothing there.
plain() { [ "$(colours "${figure[@]}" | grep -vc c0c0ff)" = 0 ]; }
wait_until "$patience" plain || fail "the figure left a copy at its first place"
quit_program # then all that the lesson's end stores is stored

chars=$(printf '%s' "${typed//$'\n'/}" | wc -m)
[ "$(rows)" = 1 ] || fail "expected one result row, found $(rows)"
row=$(sqlite3 "$db" "SELECT Lektion, Zeichenanzahl, Treffer, Fehler FROM log")
[ "$row" = "$first_lesson_id|$chars|$chars|0" ] || fail "result row $row, expected $first_lesson_id|$chars|$chars|0"
echo "e2e: 1 passed, 0 failed"
