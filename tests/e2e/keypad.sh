#!/usr/bin/env bash
# End to end under a real X server with a German keymap: Ctrl+N hides the main window and opens
# the keypad trainer with its NumLock key blinking; a double-click starts the first keypad
# lesson, which is typed on the keypad (NumLock switched on by its key, both Enter keys) with
# real key events; the closing message appears, "Beenden" brings the main window back, and no
# result row is written. The screen is read from the server's frame buffer file.
program=$1
name=keypad
source "$(dirname "$0")/session.sh"

start_x
DARK='^[0-5][0-9a-f][0-5][0-9a-f][0-5][0-9a-f]$'
YELLOW='^(e|f)[0-9a-f](e|f)[0-9a-f][0-3][0-9a-f]$'

# Key codes of the keypad (evdev + 8), the same with NumLock on and off.
declare -A keypad=([0]=90 [1]=87 [2]=88 [3]=89 [4]=83 [5]=84 [6]=85 [7]=79 [8]=80 [9]=81
                   [,]=91 [+]=86 [-]=82 [*]=63 [/]=106)
keypad_enter=104

# The first keypad lesson uses every key of the keypad and two line breaks.
working_copy
lesson=$'47,5+1\r\n2*3-9/6\r\n80'
sqlite3 "$db" "UPDATE numuebungen SET txt = CAST(X'$(hex "$lesson")' AS TEXT)
  WHERE rowid = (SELECT min(rowid) FROM numuebungen WHERE title IS NOT NULL AND txt IS NOT NULL)"

start_program

xdotool key --clearmodifiers ctrl+n
trainer=$(shown '^NumBlock-Trainer$') || fail "the trainer did not open"
wait_until "$patience" gone '^Quendal 1\.1' || fail "the main window stayed visible"
focus "$trainer"
locate "$trainer"

# The NumLock key's border (the key at 24,16 in the frame at 8,180) blinks: red and the button
# face by turns, followed over two periods.
numlock() { [ "$(colours 33 197 1 1)" = "$1" ]; }
for colour in ff0000 efefef ff0000 efefef; do
  wait_until "$patience" numlock $colour || fail "the NumLock key does not blink (no $colour)"
done

# Double-click the first title (the list at 8,52), then move the mouse off its tooltip. The
# lesson has begun when its text is shown and the expected-key label names the first key.
xdotool mousemove --window "$trainer" 30 61 click --repeat 2 --delay 80 1
xdotool mousemove 1270 1010
started() { [ "$(count "$DARK" 104 12 210 80)" -gt 0 ] && [ "$(count "$YELLOW" 10 10 85 29)" -gt 20 ]; }
wait_until "$patience" started || fail "the lesson text is not shown"

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

# The closing message, all at once: the lesson box empty, "ENDE" in yellow, the message in the
# typing box.
closed() {
  why="the lesson box was not emptied"
  [ "$(count '^e0e0e0$' 104 12 210 80)" = $((210 * 80)) ] || return 1
  why="the expected-key label does not show ENDE"
  [ "$(count "$YELLOW" 10 10 85 29)" -gt 20 ] || return 1
  why="no closing message in the typing box"
  [ "$(count "$DARK" 104 108 210 28)" -gt 100 ] || return 1
  # Small print on two lines: what was typed (three lines at 16 pt) is gone.
  why="the typing box still shows the typed lines"
  [ "$(count "$DARK" 104 144 210 24)" = 0 ] || return 1
  # Keys pressed on the keypad are grey now: 4 (24,112 in the frame) and Enter (216,160).
  why="the keypad's 4 is not grey"
  [ "$(colours 33 293 1 1)" = c0c0c0 ] || return 1
  why="the keypad's Enter is not grey"
  [ "$(colours 225 341 1 1)" = c0c0c0 ]
}
wait_until "$patience" closed || fail "$why"

# "Beenden" (236,460) closes the trainer and brings the main window back; nothing was stored.
xdotool mousemove --window "$trainer" 274 472 click 1
shown '^Quendal 1\.1' >/dev/null || fail "the main window did not come back"
wait_until "$patience" gone '^NumBlock-Trainer$' || fail "the trainer stayed open"
rows=$(sqlite3 "$db" "SELECT count(*) FROM log")
[ "$rows" = 0 ] || fail "the keypad lesson wrote $rows result rows"
echo "e2e keypad: 1 passed, 0 failed"
