# Shared steps of the end-to-end scripts; sourced, not run. Provides fail, start_x (a free
# Xvfb display with the German keymap), start_program (the program with a copy of the template
# database, past its about box and tips) and key_for (the xdotool stroke for a character).
work=$(mktemp -d)
xvfb_pid=""; app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e: $*" >&2; [ -f "$work/app.log" ] && cat "$work/app.log" >&2; exit 1; }

start_x() { # first and last display number to try
  local n
  for n in $(seq "$1" "$2"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "${display:-}" ] || fail "no free X display"
  Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
  setxkbmap de || fail "setxkbmap de failed"
}

copy_template() { # program; sets db
  local data="$APPDATA/quendal1_1"
  mkdir -p "$data"
  cp "$(dirname "$1")/quendal1_1.mdb" "$data/quendal1_1.mdb"
  db="$data/quendal1_1.mdb"
}

start_program() { # program; sets app_pid and main
  QT_QPA_PLATFORM=xcb "$1" >"$work/app.log" 2>&1 &
  app_pid=$!
  # The about box comes first, alone; Enter closes it and the start goes on.
  local about tips
  about=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" | head -n1) || fail "about box did not appear"
  xdotool windowfocus --sync "$about"
  sleep 0.3
  xdotool key Return
  main=$(timeout 20 xdotool search --sync --name '^Quendal 1\.1' | head -n1) || fail "main window did not appear"
  # A first start shows the tips of the day over the main window; Esc closes them.
  tips=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tips und Tricks$' | head -n1) || fail "tips did not appear"
  xdotool windowfocus --sync "$tips"
  sleep 0.3
  xdotool key Escape
  sleep 0.3
  xdotool windowfocus --sync "$main"
  sleep 0.5
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
