#!/usr/bin/env bash
# End to end under a real X server: another program holds the lesson database locked while a
# lesson ends. The window must answer within a short time with a message that the result is
# kept, the result must be in the pending file before that message shows, and after the lock
# is gone the next start must store the row, exactly once.
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1
work=$(mktemp -d)
xvfb_pid=""; app_pid=""; lock_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$lock_pid" ] && kill "$lock_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e: $*" >&2; [ -f "$work/app.log" ] && cat "$work/app.log" >&2; exit 1; }

# A free display number.
for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || fail "no free X display"
Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap de || fail "setxkbmap de failed"

# The user's working copy: the template with a short first lesson.
data="$APPDATA/quendal1_1"
mkdir -p "$data"
db="$data/quendal1_1.mdb"
pending="$data/quendal1_1.pending"
cp "$(dirname "$program")/quendal1_1.mdb" "$db"
first_lesson_id=$(sqlite3 "$db" "SELECT u.id FROM uebungen u JOIN uebungsarten a ON a.id = u.art
  WHERE a.rowid = (SELECT min(rowid) FROM uebungsarten) AND u.ordnungszahl = 1")
[ -n "$first_lesson_id" ] || fail "no first lesson in the template"
sqlite3 "$db" "UPDATE uebungen SET uebungstext = 'asdf' WHERE id = $first_lesson_id"

# Starts the program and brings it to its idle main window: the about box first (Enter), then
# the tips of the day over the main window (Esc).
start_program() {
  QT_QPA_PLATFORM=xcb "$program" >>"$work/app.log" 2>&1 &
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
}

quit_program() {
  xdotool windowfocus --sync "$main" || true
  xdotool key --clearmodifiers ctrl+q
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app_pid" 2>/dev/null && fail "the program did not quit"
  wait "$app_pid" || true
  app_pid=""
}

rows() { sqlite3 "$db" "SELECT count(*) FROM log"; }

start_program
xdotool key --clearmodifiers ctrl+l
dialog=$(timeout 10 xdotool search --sync --name '^Lektionen$' | head -n1) || fail "selection did not open"
xdotool windowfocus --sync "$dialog" || true
sleep 0.5
xdotool key Return          # OK: the first lesson of the first type
sleep 0.5
xdotool windowfocus --sync "$main" || true
xdotool key Return          # Start
sleep 0.5

# Another program takes the database and keeps it: sqlite3 in a coprocess inside BEGIN EXCLUSIVE.
coproc LOCK { exec sqlite3 "$db"; }
lock_pid=$LOCK_PID
echo "BEGIN EXCLUSIVE;" >&"${LOCK[1]}"
for _ in $(seq 50); do
  sqlite3 "$db" "SELECT count(*) FROM log" >/dev/null 2>&1 || break
  sleep 0.1
done
sqlite3 "$db" "SELECT count(*) FROM log" >/dev/null 2>&1 && fail "the lock was not taken"

xdotool type --delay 80 asd
started=$(date +%s%N)
xdotool key f               # the last character: the lesson ends while the lock is held
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quendal1_1$' | head -n1) || fail "no message after the lesson end"
answered_ms=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$answered_ms" -lt 3000 ] || fail "the window answered only after $answered_ms ms"
# The result is on disk before the message shows.
[ "$(grep -c . "$pending")" = 1 ] || fail "the pending file does not hold the one result"
xdotool windowfocus --sync "$box"
sleep 0.3
xdotool key Return
sleep 0.5
quit_program

echo "ROLLBACK;" >&"${LOCK[1]}"
exec {LOCK[1]}>&-
wait "$lock_pid" || true
lock_pid=""
[ "$(rows)" = 0 ] || fail "a row was stored although the database was locked"

# The next start stores the kept result once.
start_program
[ "$(rows)" = 1 ] || fail "expected one result row after the restart, found $(rows)"
row=$(sqlite3 "$db" "SELECT Lektion, Zeichenanzahl, Treffer, Fehler FROM log")
[ "$row" = "$first_lesson_id|4|4|0" ] || fail "result row $row, expected $first_lesson_id|4|4|0"
[ ! -e "$pending" ] || fail "the pending file is still there after its result was stored"
quit_program
start_program
quit_program
[ "$(rows)" = 1 ] || fail "the kept result was stored more than once"
echo "e2e: the window answered the locked lesson end after ${answered_ms} ms; the result was stored once after the lock"
echo "e2e: 1 passed, 0 failed"
