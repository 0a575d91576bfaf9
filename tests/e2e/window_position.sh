#!/usr/bin/env bash
# End to end under a real X server with a window manager (openbox): the stored MainLeft and
# MainTop are the corner of the main window's frame, title bar included. A first start shows the
# frame at the screen's top left corner; starting and quitting leave the frame and the stored
# values where they were, also without a window manager; the lesson selection's frame is
# top-aligned with the main window's.
program=$1
name=window_position
source "$(dirname "$0")/session.sh"

ini="$XDG_CONFIG_HOME/Quendal1_1.ini"
stored() { echo "$(sed -n 's/^MainLeft=//p' "$ini") $(sed -n 's/^MainTop=//p' "$ini")"; }

# A window's frame corner: its client area's absolute corner less the frame's left and top
# extents (none without a window manager).
frame_corner() {
  local left=0 top=0 x y
  if [[ $(xprop -id "$1" _NET_FRAME_EXTENTS) =~ =\ ([0-9]+),\ [0-9]+,\ ([0-9]+), ]]; then
    left=${BASH_REMATCH[1]}; top=${BASH_REMATCH[2]}
  fi
  x=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}')
  y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}')
  echo "$((x - left)) $((y - top))"
}
expect_frame() { # window, "x y" (a pattern), what: waits a bounded time for the frame there
  wait_until "$patience" frame_at "$1" "$2" || fail "$3: frame at $at, expected $2"
}
frame_at() { at=$(frame_corner "$1") && [[ $at =~ ^$2$ ]]; }
# The lesson selection opens with its frame's top on the main window's frame's top.
selection_on_top() { # the main window's frame top
  local dialog
  xdotool key --clearmodifiers ctrl+l
  dialog=$(shown '^Lektionen$') || fail "selection did not open"
  expect_frame "$dialog" "-?[0-9]+ $1" "lesson selection"
  focus "$dialog"
  xdotool key Escape
  wait_until "$patience" gone '^Lektionen$' || fail "the selection did not close"
  focus "$main"
}

start_x
start_wm
wm_pid=${extra_pids[-1]}
working_copy

start_program # no settings file yet
[[ $(xprop -id "$main" _NET_FRAME_EXTENTS) =~ =\ [0-9]+,\ [0-9]+,\ [1-9] ]] || fail "no title bar"
expect_frame "$main" "0 0" "first start"
selection_on_top 0
quit_program
[ "$(stored)" = "0 0" ] || fail "the first start stored $(stored)"
# Restarts (the corner only a frame keeps on screen, then one away from it) leave it there.
restarts() { # corner in pixels, stored twips, number of starts
  local run
  for ((run = 1; run <= $3; run++)); do
    start_program
    expect_frame "$main" "$1" "start $run at $1"
    [ "$run" = 1 ] && selection_on_top "${1#* }"
    quit_program
    [ "$(stored)" = "$2" ] || fail "start $run at $1 stored $(stored)"
  done
}
restarts "0 0" "0 0" 5
sed -i 's/^MainLeft=.*/MainLeft=1500/; s/^MainTop=.*/MainTop=3000/' "$ini" # 100, 200 pixels
restarts "100 200" "1500 3000" 2

kill "$wm_pid"; wait "$wm_pid" 2>/dev/null || true
start_program
expect_frame "$main" "100 200" "start without a window manager"
quit_program
[ "$(stored)" = "1500 3000" ] || fail "the start without a window manager stored $(stored)"
echo "e2e window_position: 1 passed, 0 failed"
