#!/usr/bin/env bash
# End to end under a real X server: another program holds the lesson database locked while a
# lesson ends. The window must answer (the time it took is printed; bench/ judges speed) with a
# message that the result is kept, the result must be in the pending file before that message
# shows, and after the lock is gone the next start must store the row, exactly once.
program=$1
name=pending_result
source "$(dirname "$0")/session.sh"

start_x
working_copy asdf
pending="$data/quendal1_1.pending"

start_program
take_first_lesson

# Another program takes the database and keeps it: sqlite3 in a coprocess inside BEGIN EXCLUSIVE,
# waiting for any reader to finish first, and saying so once it holds the lock.
coproc LOCK { exec sqlite3 "$db"; }
lock_pid=$LOCK_PID
extra_pids+=("$lock_pid")
printf '.bail on\n.timeout 120000\nBEGIN EXCLUSIVE;\nSELECT %s;\n' "'locked'" >&"${LOCK[1]}"
read -r -t 120 answer <&"${LOCK[0]}" || answer=""
[ "$answer" = locked ] || fail "the lock was not taken"
readable() { sqlite3 "$db" "SELECT count(*) FROM log" >/dev/null 2>&1; }
readable && fail "the lock does not keep others out"

xdotool type --delay 80 asd
started=$(date +%s%N)
xdotool key f               # the last character: the lesson ends while the lock is held
box=$(shown '^Quendal1_1$') || fail "no message after the lesson end"
answered_ms=$(( ($(date +%s%N) - started) / 1000000 ))
# The result is on disk before the message shows.
[ "$(grep -c . "$pending")" = 1 ] || fail "the pending file does not hold the one result"
focus "$box"
xdotool key Return
wait_until "$patience" gone '^Quendal1_1$' || fail "the message did not close"
quit_program

echo "ROLLBACK;" >&"${LOCK[1]}"
exec {LOCK[1]}>&-
wait_until 120 ended "$lock_pid" || fail "the lock holder did not end"
lock_pid=""
wait_until 120 readable || fail "the lock was not released"
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
