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
