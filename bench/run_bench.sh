#!/usr/bin/env bash
# The program side by side with two bare Qt windows, interleaved in one run under Xvfb with the
# German keymap; prints medians, min-max over the runs and the ratios to the references.
#   bench/run_bench.sh BUILD_DIR [RUNS]     (RUNS defaults to $BENCH_RUNS or 5)
set -euo pipefail
export LC_ALL=C.UTF-8
build=$(cd "$1" && pwd)
runs=${2:-${BENCH_RUNS:-5}}
program=$build/bin/quendal
driver=$build/bench/bench_driver
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "bench: $*" >&2; exit 1; }

for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || fail "no free X display"
Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap de || fail "setxkbmap de failed"

# Set-up: the first lesson of the template, and copies of the database whose first lesson is a
# 100,000-character text on one line and on many lines.
template=$build/bin/quendal1_1.mdb
lesson_id=$(sqlite3 "$template" "SELECT u.id FROM uebungen u JOIN uebungsarten a ON a.id = u.art
  WHERE a.rowid = (SELECT min(rowid) FROM uebungsarten) AND u.ordnungszahl = 1")
[ -n "$lesson_id" ] || fail "no first lesson in the template"
cp "$template" "$work/first.mdb"
long_db() { # name, unit: the unit repeated to 100,000 characters
  local text="$2"
  while [ ${#text} -lt 100000 ]; do text+=$text; done
  printf '%s' "${text:0:100000}" >"$work/$1.txt"
  cp "$template" "$work/$1.mdb"
  sqlite3 "$work/$1.mdb" "UPDATE uebungen SET uebungstext = CAST(readfile('$work/$1.txt') AS TEXT) WHERE id = $lesson_id"
}
long_db oneline 'fff jjj fff jjj '
long_db lines $'fff jjj fff jjj\r\n'

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
keys_of "$work/first.mdb" >"$work/first.keys"
# The whole text of the first lesson (a lesson longer than 200 characters is cut short).
full=$(sqlite3 "$template" "SELECT length(replace(uebungstext, char(13), '')) FROM uebungen WHERE id = $lesson_id")
[ "$full" -le 200 ] || fail "the first lesson is longer than the bench types"
keys_of "$work/oneline.mdb" >"$work/oneline.keys"
keys_of "$work/lines.mdb" >"$work/lines.keys"

results=$work/results
: >"$results"
# One program in a fresh home; its "name value" lines go to the results under its variant.
run() { # variant, driver arguments...
  local variant=$1; shift
  local home=$work/home.$variant
  rm -rf "$home"; mkdir -p "$home/config" "$home/appdata/quendal1_1"
  printf '[Optionen]\nCheckLoadTips=False\n' >"$home/config/Quendal1_1.ini"
  local db=${db:-first}
  cp "$work/$db.mdb" "$home/appdata/quendal1_1/quendal1_1.mdb"
  HOME=$home XDG_CONFIG_HOME=$home/config APPDATA=$home/appdata \
    "$driver" "$@" >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; fail "$variant failed"; }
  sed "s/^/$variant /" "$work/out" >>"$results"
}

ours_region=132,-481,741,113 # the input box: the design's client area is 601 pixels high
for r in $(seq "$runs"); do
  echo "bench: run $r of $runs" >&2
  order=(label textbox ours oneline lines)
  for ((k = 0; k < ${#order[@]}; k++)); do
    case ${order[(k + r) % ${#order[@]}]} in
      label) run label --program "$build/bench/bench_ref_label" --keys "$work/first.keys" --paces 13,60 ;;
      textbox) run textbox --program "$build/bench/bench_ref_textbox" --keys "$work/first.keys" --paces 13,60 ;;
      ours) run ours --program "$program" --ours --keys "$work/first.keys" --paces 13,60 --region "$ours_region" ;;
      oneline) db=oneline run oneline --program "$program" --ours --keys "$work/oneline.keys" --paces 13 --max-keys 60 --region "$ours_region" ;;
      lines) db=lines run lines --program "$program" --ours --keys "$work/lines.keys" --paces 13 --max-keys 60 --region "$ours_region" ;;
    esac
  done
done
echo "bench: one traced lesson" >&2
run traced --program "$program" --ours --keys "$work/first.keys" --paces 13 --region "$ours_region" --trace "$work/strace.log"

awk -v runs="$runs" '
  { v[$1 " " $2] = v[$1 " " $2] " " $3 }
  function stats(key,   n, a, i, j, t) {
    n = split(v[key], a, " ")
    if (n == 0) { med = ""; return 0 }
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    med = (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    lo = a[1]; hi = a[n]; return 1
  }
  function cell(variant, metric, scale, fmt,   s) {
    if (!stats(variant " " metric)) return sprintf("%-24s", "-")
    s = sprintf(fmt " (" fmt "-" fmt ")", med * scale, lo * scale, hi * scale)
    return sprintf("%-24s", s)
  }
  function value(variant, metric) { return stats(variant " " metric) ? med : "" }
  function ratio(a, b) { return (a == "" || b == "" || b == 0) ? "-" : sprintf("%.2fx", a / b) }
  # The median of the ratios within each run: the programs of one run ran minutes apart at most,
  # so a machine getting busier or quieter between runs cancels out.
  function paired(metric, refvar,   n, m, a, b, r, i, j, t) {
    n = split(v["ours " metric], a, " "); m = split(v[refvar " " metric], b, " ")
    if (n == 0 || n != m) return "-"
    for (i = 1; i <= n; i++) { if (b[i] == 0) return "-"; r[i] = a[i] / b[i] }
    for (i = 2; i <= n; i++) { t = r[i]; for (j = i - 1; j >= 1 && r[j] > t; j--) r[j + 1] = r[j]; r[j + 1] = t }
    return sprintf("%.2fx", (n % 2) ? r[(n + 1) / 2] : (r[n / 2] + r[n / 2 + 1]) / 2)
  }
  function row(title, metric, scale, fmt, refvar, target,   o, l, t, rv) {
    o = value("ours", metric); rv = value(refvar, metric)
    printf "%-34s %s %s %s %-7s %-7s %s\n", title, cell("ours", metric, scale, fmt), cell("label", metric, scale, fmt), cell("textbox", metric, scale, fmt), ratio(o, rv), paired(metric, refvar), target
  }
  function long(title, variant, metric, scale, fmt, target,   o, b) {
    o = value(variant, metric); b = value("ours", metric)
    printf "%-34s %s %s %s %-7s %-7s %s\n", title, cell(variant, metric, scale, fmt), "", "", ratio(o, b), "", target
  }
  END {
    printf "Medians (min-max) over %d runs; ratio = ours / the reference named in the target, of the\n", runs
    printf "medians; paired = the median of that ratio taken within each run.\n"
    printf "Key to screen: key press sent to the first X DAMAGE in the box of the typed text. PSS depends on\n"
    printf "what else maps the same libraries at the moment; RSS does not.\n\n"
    printf "%-34s %-24s %-24s %-24s %-7s %-7s %s\n", "measure", "ours", "bare label", "bare text box", "ratio", "paired", "target"
    row("first window mapped (ms)", "first_window_ms", 1, "%.1f", "label", "<= 1.1x label")
    row("Return to idle main window (ms)", "main_window_ms", 1, "%.1f", "-", "")
    row("PSS after start (MB)", "pss_kb", 1/1024, "%.1f", "label", "<= 1.2x label")
    row("RSS after start (MB)", "rss_kb", 1/1024, "%.1f", "label", "")
    row("CPU/key at 13 keys/s (us)", "cpu_key_us_13", 1, "%.0f", "textbox", "<= 2x text box")
    row("CPU/key at 60 keys/s (us)", "cpu_key_us_60", 1, "%.0f", "textbox", "<= 2x text box")
    row("  same from utime+stime (us)", "cpu_ticks_key_us_13", 1, "%.0f", "textbox", "(10 ms ticks)")
    row("key to screen at 13 keys/s (us)", "latency_us_13", 1, "%.0f", "textbox", "<= 1.2x text box")
    row("key to screen at 60 keys/s (us)", "latency_us_60", 1, "%.0f", "textbox", "<= 1.2x text box")
    row("keys painted before the next (%)", "latency_seen_pct_13", 1, "%.0f", "textbox", "")
    row("lesson end: last key to screen (ms)", "end_ms_13", 1, "%.1f", "-", "")
    row("lesson end: CPU (ms)", "end_cpu_ms_13", 1, "%.1f", "-", "")
    row("written while typing (bytes)", "typing_write_bytes_13", 1, "%.0f", "-", "0")
    row("write calls while typing", "typing_syscw_13", 1, "%.0f", "textbox", "(X socket)")
    row("written at the lesson end (bytes)", "end_write_bytes_13", 1, "%.0f", "-", "")
    long("100,000 chars, one line: CPU/key", "oneline", "cpu_key_us_13", 1, "%.0f", "<= 1.5x first lesson")
    long("100,000 chars, one line: to screen", "oneline", "latency_us_13", 1, "%.0f", "")
    long("  keys painted before the next (%)", "oneline", "latency_seen_pct_13", 1, "%.0f", "")
    long("100,000 chars, lines: CPU/key", "lines", "cpu_key_us_13", 1, "%.0f", "<= 1.5x first lesson")
    long("100,000 chars, lines: to screen", "lines", "latency_us_13", 1, "%.0f", "")
    long("  keys painted before the next (%)", "lines", "latency_seen_pct_13", 1, "%.0f", "")
    printf "\nOne lesson traced with strace (file system calls):\n"
    printf "  while typing: %d fsyncs, %d writes to files, %d journals\n", value("traced", "typing_fsyncs"), value("traced", "typing_file_writes"), value("traced", "typing_journals")
    printf "  lesson end:   %d fsyncs, %d writes to files, %d journals (transactions)\n", value("traced", "end_fsyncs"), value("traced", "end_file_writes"), value("traced", "end_journals")
  }' "$results"
if [ -n "${BENCH_KEEP:-}" ]; then cp "$results" "$BENCH_KEEP"; fi
