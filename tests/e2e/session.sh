# Shared by the end-to-end runs (sourced, not run): a real X server with a German keymap, the
# user's working copy of the lesson database, the program brought to its idle main window, and
# readers of what the screen shows.
#
# The sourcing script sets `program` (the executable) and `name` (for messages) first.

set -euo pipefail
export LC_ALL=C.UTF-8
work=$(mktemp -d)
xvfb_pid=""; app_pid=""; extra_pids=()
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  for pid in "${extra_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e $name: $*" >&2; [ -f "$work/app.log" ] && cat "$work/app.log" >&2; exit 1; }
# Polls until the command succeeds, for at most $1 seconds: a busy machine makes a run slow,
# never wrong.
wait_until() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.1; done
}
ended() { ! kill -0 "$1" 2>/dev/null; } # the process has ended
# The bound for a state that a quiet machine reaches at once: generous, reached only when the
# state never comes.
patience=120
# A search dies on a window that vanishes meanwhile ("BadWindow"): that proves nothing either way.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 | grep .; }
gone() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>&1)" ]; }
shown() { wait_until "$patience" visible "$1"; } # prints the window once it is there
# Gives a window the keyboard and waits until the server has given it: keys go where they should.
focus() { wait_until "$patience" has_focus "$1" || fail "window $1 did not get the keyboard"; }
has_focus() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
  xdotool windowfocus "$1" 2>/dev/null
  return 1
}

# Xvfb on a free display with the German keymap; -fbdir keeps the screen in $fb (XWD format).
start_x() {
  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "${display:-}" ] || fail "no free X display"
  Xvfb "$display" -screen 0 1280x1024x24 -fbdir "$work" -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  wait_until "$patience" xdotool getmouselocation >/dev/null 2>&1 || fail "the X server did not start"
  setxkbmap de || fail "setxkbmap de failed"
  fb="$work/Xvfb_screen0"
  [ -f "$fb" ] || fail "no frame buffer file"
}

# A window manager (openbox) on that display, for what only frames and focus changes show; ready
# once it has announced itself on the root window.
start_wm() {
  openbox >"$work/openbox.log" 2>&1 &
  extra_pids+=($!)
  wait_until "$patience" wm_up || fail "the window manager did not start"
}
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# The user's working copy, made from the template: $db, and $first_lesson_id, the first lesson
# of the first exercise type, whose text is set to $1 when given.
working_copy() {
  data="$APPDATA/quendal1_1"
  mkdir -p "$data"
  db="$data/quendal1_1.mdb"
  cp "$(dirname "$program")/quendal1_1.mdb" "$db"
  first_lesson_id=$(sqlite3 "$db" "SELECT u.id FROM uebungen u JOIN uebungsarten a ON a.id = u.art
    WHERE a.rowid = (SELECT min(rowid) FROM uebungsarten) AND u.ordnungszahl = 1")
  [ -n "$first_lesson_id" ] || fail "no first lesson in the template"
  if [ $# -gt 0 ]; then
    sqlite3 "$db" "UPDATE uebungen SET uebungstext = CAST(X'$(hex "$1")' AS TEXT) WHERE id = $first_lesson_id"
  fi
}
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }

# Starts the program and brings it to its idle main window ($main): the about box first (Enter),
# then the tips of the day over the main window (Esc).
start_program() {
  QT_QPA_PLATFORM=xcb "$program" >>"$work/app.log" 2>&1 &
  app_pid=$!
  local about tips
  about=$(wait_until "$patience" xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1) || fail "about box did not appear"
  focus "$about"
  xdotool key Return
  main=$(shown '^Quendal 1\.1') || fail "main window did not appear"
  tips=$(shown '^Tips und Tricks$') || fail "tips did not appear"
  focus "$tips"
  xdotool key Escape
  wait_until "$patience" gone '^Tips und Tricks$' || fail "the tips did not close"
  focus "$main"
}

quit_program() {
  focus "$main"
  xdotool key --clearmodifiers ctrl+q
  wait_until "$patience" ended "$app_pid" || fail "the program did not quit"
  wait "$app_pid" || true
  app_pid=""
}

# Ctrl+L, Enter takes the first lesson of the first type, Enter starts it.
take_first_lesson() {
  local dialog
  xdotool key --clearmodifiers ctrl+l
  dialog=$(shown '^Lektionen$') || fail "selection did not open"
  focus "$dialog"
  xdotool key Return
  wait_until "$patience" gone '^Lektionen$' || fail "the selection did not close"
  focus "$main"
  xdotool key Return
}

# The program may be storing a row right now: wait for the lock rather than fail on it.
rows() { sqlite3 -cmd '.timeout 10000' "$db" "SELECT count(*) FROM log"; }
row_stored() { [[ $(rows 2>/dev/null) =~ ^[1-9] ]]; } # a result row has arrived

# Reading the screen. The frame buffer is an XWD image: a big-endian header, a colour map, then
# the pixels. locate sets the origin of a window's client area on the screen, framed or not
# (under a window manager xdotool's getwindowgeometry adds the frame's offset once more).
win_x=0; win_y=0
locate() {
  local info
  info=$(xwininfo -id "$1") || fail "no window $1"
  win_x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  win_y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
}
# Colours (RRGGBB, one a line) of a rectangle given in window pixels.
colours() {
  local header header_size byte_order bits_per_pixel bytes_per_line ncolors pixels endian
  read -r -a header <<<"$(od -An -v -tu4 --endian=big -N 100 "$fb" | tr -s ' \n' '  ')"
  header_size=${header[0]}; byte_order=${header[7]}; bits_per_pixel=${header[11]}
  bytes_per_line=${header[12]}; ncolors=${header[19]}
  [ "$bits_per_pixel" = 32 ] || fail "unexpected frame buffer depth $bits_per_pixel"
  pixels=$((header_size + ncolors * 12))
  endian=little; [ "$byte_order" = 1 ] && endian=big
  local x=$1 y=$2 w=$3 h=$4 row
  for ((row = y; row < y + h; row++)); do
    od -An -v -tx4 --endian=$endian -w$((w * 4)) \
       -j $((pixels + (win_y + row) * bytes_per_line + (win_x + x) * 4)) -N $((w * 4)) "$fb"
  done | tr -s ' ' '\n' | sed -n 's/^..\(......\)$/\1/p'
}
count() { # how many pixels of a rectangle match an extended regular expression
  local pattern=$1; shift
  colours "$@" | grep -Ec "$pattern" || true
}

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

type_text() { # types the text with real key events; "\n" is Return
  local i stroke
  for ((i = 0; i < ${#1}; i++)); do
    stroke=$(key_for "${1:i:1}")
    if [[ $stroke == altgr+* ]]; then
      xdotool keydown ISO_Level3_Shift key "${stroke#altgr+}" keyup ISO_Level3_Shift
    else
      xdotool key "$stroke"
    fi
  done
}
