#!/usr/bin/env bash
# The program side by side with two bare Qt windows, interleaved in one run under Xvfb with the
# German keymap; prints medians, min-max over the runs and the ratios to the references.
#   bench/run_bench.sh BUILD_DIR [RUNS]     (RUNS defaults to $BENCH_RUNS or 5)
# BENCH_IDLE sets the seconds over which the CPU of an idle running lesson is measured (default 10).
# Each run also starts the three programs $BENCH_STARTS more times (default 3), interleaved, for
# the start-up figures alone: a start varies by several milliseconds from one to the next.
set -euo pipefail
export LC_ALL=C.UTF-8
build=$(cd "$1" && pwd)
runs=${2:-${BENCH_RUNS:-5}}
starts=${BENCH_STARTS:-3}
idle=${BENCH_IDLE:-10} # seconds of a running lesson without keys
program=$build/bin/quendal
. "$(dirname "$0")/lib.sh"
start_xvfb

# Set-up: the first lesson of the template, and copies of the database whose first lesson is a
# 100,000-character text on one line and on many lines.
first_lesson
long_db() { # name, unit: the unit repeated to 100,000 characters
  local text="$2"
  while [ ${#text} -lt 100000 ]; do text+=$text; done
  printf '%s' "${text:0:100000}" >"$work/$1.txt"
  cp "$template" "$work/$1.mdb"
  sqlite3 "$work/$1.mdb" "UPDATE uebungen SET uebungstext = CAST(readfile('$work/$1.txt') AS TEXT) WHERE id = $lesson_id"
}
long_db oneline 'fff jjj fff jjj '
long_db lines $'fff jjj fff jjj\r\n'

keys_of "$work/first.mdb" >"$work/first.keys"
# The whole text of the first lesson (a lesson longer than 200 characters is cut short).
full=$(sqlite3 "$template" "SELECT length(replace(uebungstext, char(13), '')) FROM uebungen WHERE id = $lesson_id")
[ "$full" -le 200 ] || fail "the first lesson is longer than the bench types"
keys_of "$work/oneline.mdb" >"$work/oneline.keys"
keys_of "$work/lines.mdb" >"$work/lines.keys"

: >"$results"
for r in $(seq "$runs"); do
  echo "bench: run $r of $runs" >&2
  order=(label textbox ours oneline lines)
  for ((k = 0; k < ${#order[@]}; k++)); do
    case ${order[(k + r) % ${#order[@]}]} in
      label) run label --program "$build/bench/bench_ref_label" --keys "$work/first.keys" --paces 13,60 ;;
      textbox) run textbox --program "$build/bench/bench_ref_textbox" --keys "$work/first.keys" --paces 13,60 --idle "$idle" ;;
      ours) run ours --program "$program" --ours --keys "$work/first.keys" --paces 13,60 --region "$ours_region" --idle "$idle" ;;
      oneline) db=oneline run oneline --program "$program" --ours --keys "$work/oneline.keys" --paces 13 --max-keys 60 --region "$ours_region" ;;
      lines) db=lines run lines --program "$program" --ours --keys "$work/lines.keys" --paces 13 --max-keys 60 --region "$ours_region" ;;
    esac
  done
  for ((k = 0; k < starts * 3; k++)); do
    case $(((k + r) % 3)) in
      0) run label --program "$build/bench/bench_ref_label" --start-only ;;
      1) run textbox --program "$build/bench/bench_ref_textbox" --start-only ;;
      2) run ours --program "$program" --ours --start-only ;;
    esac
  done
done
echo "bench: one traced lesson" >&2
run traced --program "$program" --ours --keys "$work/first.keys" --paces 13 --region "$ours_region" --trace "$work/strace.log"

awk -v runs="$runs" -v starts="$starts" -v idle="$idle" '
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
    printf "Medians (min-max) over %d runs (the start-up figures over %d starts); ratio = ours / the\n", runs, runs * (1 + starts)
    printf "reference named in the target, of the medians; paired = the median of that ratio taken\n"
    printf "within each run (a start paired with the reference started in the same round).\n"
    printf "Key to screen: key press sent to the first X DAMAGE in the box of the typed text. PSS depends on\n"
    printf "what else maps the same libraries at the moment; RSS does not. Idle: CPU over %d s of a\n", idle
    printf "running lesson after its first key, nothing typed after it.\n\n"
    printf "%-34s %-24s %-24s %-24s %-7s %-7s %s\n", "measure", "ours", "bare label", "bare text box", "ratio", "paired", "target"
    row("first window mapped (ms)", "first_window_ms", 1, "%.1f", "label", "<= 1.1x label")
    row("Return to idle main window (ms)", "main_window_ms", 1, "%.1f", "-", "")
    row("PSS after start (MB)", "pss_kb", 1/1024, "%.1f", "label", "<= 1.2x label")
    row("RSS after start (MB)", "rss_kb", 1/1024, "%.1f", "label", "")
    row("CPU/key at 13 keys/s (us)", "cpu_key_us_13", 1, "%.0f", "textbox", "<= 2x text box")
    row("CPU/key at 60 keys/s (us)", "cpu_key_us_60", 1, "%.0f", "textbox", "<= 2x text box")
    row("  same from utime+stime (us)", "cpu_ticks_key_us_13", 1, "%.0f", "textbox", "(10 ms ticks)")
    row("key to screen at 13 keys/s (us)", "latency_us_13", 1, "%.0f", "textbox", "<= 0.8x text box")
    row("key to screen at 60 keys/s (us)", "latency_us_60", 1, "%.0f", "textbox", "<= 0.8x text box")
    row("keys painted before the next (%)", "latency_seen_pct_13", 1, "%.0f", "textbox", "")
    row("CPU, lesson running idle (ms/s)", "idle_cpu_ms_per_s", 1, "%.2f", "textbox", "<= 1.5x text box")
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
