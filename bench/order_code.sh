#!/usr/bin/env bash
# Writes src/hot.order: the program's functions that run from its start to the idle main window,
# then those that choosing a lesson and typing add. The linker lays them out first and together
# (src/CMakeLists.txt): the kernel maps a program's code in blocks around every page touched, so
# start-up code spread over the whole program brings nearly all of it into memory.
# Run it after larger changes to the start-up or typing code (callgrind counts what runs):
#   bench/order_code.sh BUILD_DIR
set -euo pipefail
export LC_ALL=C.UTF-8
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
command -v valgrind >/dev/null || fail "valgrind is missing"
cmake --build "$build" --target quendal bench_driver >/dev/null
start_xvfb
first_lesson
keys_of "$work/first.mdb" >"$work/first.keys"

profiled() { # phase, callgrind options, driver arguments...: the program under callgrind
  local phase=$1 options=$2; shift 2
  cat >"$work/program" <<W
#!/bin/sh
exec valgrind --tool=callgrind $options --demangle=no --dump-instr=no --callgrind-out-file=$work/$phase.cg $build/bin/quendal
W
  chmod +x "$work/program"
  run "$phase" --program "$work/program" --ours --keys "$work/first.keys" "$@"
}
# The names of the program's own functions that ran: callgrind gives each name in full once
# and then as "(n)".
ran() {
  awk -v object="$build/bin/quendal" '
    function name(kind, text,   id) {
      id = text; sub(/^\(/, "", id); sub(/\).*/, "", id)
      sub(/^\([0-9]+\) ?/, "", text)
      if (text != "") names[kind id] = text
      return names[kind id]
    }
    /^ob=/  { ob = name("o", substr($0, 4)); next }
    /^cob=/ { name("o", substr($0, 5)); next }
    /^fn=/  { fn = name("f", substr($0, 4)); next }
    /^cfn=/ { name("f", substr($0, 5)); next }
    /^[0-9+*-]/ { if (ob == object && fn != "") { sub(/'\''[0-9]+$/, "", fn); seen[fn] = 1 } }
    END { for (f in seen) if (f !~ /^(\(|0x)/) print f }' "$1" | LC_ALL=C sort
}

profiled start "" --paces '' # ends at the idle main window
# Counted from the first typed key: a program counted throughout does not settle in time.
BENCH_HOOK="callgrind_control -i on >/dev/null" profiled typing --instr-atstart=no --paces 13 --max-keys 40 --region "$ours_region"
ran "$work/start.cg" >"$work/start.txt"
ran "$work/typing.cg" >"$work/typing.txt"
[ -s "$work/start.txt" ] || fail "callgrind saw none of the program's functions"
{
  cat "$work/start.txt"
  LC_ALL=C comm -13 "$work/start.txt" "$work/typing.txt"
} >"$here/../src/hot.order"
echo "bench: $(wc -l <"$here/../src/hot.order") functions in src/hot.order" >&2
