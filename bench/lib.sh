# Shared by the benchmark scripts (sourced): a scratch folder removed at exit, an X server with the
# German keymap, the keys of the template's first lesson, and one run of the driver in a fresh
# home. The sourcing script sets $build first.

fail() { echo "bench: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb() {
  local n
  for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "${display:-}" ] || fail "no free X display"
  Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
  setxkbmap de || fail "setxkbmap de failed"
}

# The template's first lesson: its id in $lesson_id and a copy of the template as first.mdb.
first_lesson() {
  template=$build/bin/quendal1_1.mdb
  lesson_id=$(sqlite3 "$template" "SELECT u.id FROM uebungen u JOIN uebungsarten a ON a.id = u.art
    WHERE a.rowid = (SELECT min(rowid) FROM uebungsarten) AND u.ordnungszahl = 1")
  [ -n "$lesson_id" ] || fail "no first lesson in the template"
  cp "$template" "$work/first.mdb"
}

key_for() { # the X key name for one character on the German layout
  case "$1" in
    [a-z0-9]) echo "$1" ;;
    [A-Z]) echo "shift+${1,,}" ;;
    ' ') echo space ;;
    $'\n') echo Return ;;
    ä) echo adiaeresis ;; ö) echo odiaeresis ;; ü) echo udiaeresis ;; ß) echo ssharp ;;
    ',') echo comma ;; '.') echo period ;; '-') echo minus ;;
    *) fail "no key for '$1'" ;;
  esac
}
keys_of() { # database -> its first lesson's keys, one a line
  local text
  text=$(sqlite3 "$1" "SELECT substr(uebungstext, 1, 200) FROM uebungen WHERE id = $lesson_id" | tr -d '\r')
  for ((i = 0; i < ${#text}; i++)); do key_for "${text:i:1}"; done
}

# Where the driver watches our program: the input box (the design's client area is 601 pixels high).
ours_region=132,-481,741,113

# One program in a fresh home; its "name value" lines go to the results under its variant.
results=$work/results
run() { # variant, driver arguments...
  local variant=$1; shift
  local home=$work/home.$variant
  rm -rf "$home"; mkdir -p "$home/config" "$home/appdata/quendal1_1"
  printf '[Optionen]\nCheckLoadTips=False\n' >"$home/config/Quendal1_1.ini"
  local db=${db:-first}
  cp "$work/$db.mdb" "$home/appdata/quendal1_1/quendal1_1.mdb"
  HOME=$home XDG_CONFIG_HOME=$home/config APPDATA=$home/appdata \
    "$build/bench/bench_driver" "$@" >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; fail "$variant failed"; }
  sed "s/^/$variant /" "$work/out" >>"$results"
}
