#!/usr/bin/env bash
# The program's hot functions (src/hot.order) lie first and together in its code, and the list
# still names the program's functions: a list gone stale after a change is refreshed with
# bench/order_code.sh.
#   tests/code_layout.sh PROGRAM ORDER_FILE
set -euo pipefail
program=$1 order=$2
nm -S --defined-only "$program" | awk -v order="$order" '
  function hex(s,   i, v) {
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  BEGIN { while ((getline name < order) > 0) { listed[name] = 1; n++ } }
  NF == 4 && $3 ~ /^[tTwW]$/ && ($4 in listed) {
    if (!($4 in found)) { found[$4] = 1; present++ }
    at = hex($1); end = at + hex($2)
    # Aliases (constructors, destructors) share their code: counted once.
    if (!(at in counted)) { counted[at] = 1; bytes += end - at; functions++ }
    if (lo == "" || at < lo) lo = at
    if (end > hi) hi = end
  }
  END {
    if (n < 100) { print "code layout: only " n " functions listed"; exit 1 }
    if (present < 0.9 * n) {
      printf "code layout: %d of the %d listed functions are not in the program: run bench/order_code.sh\n", n - present, n
      exit 1
    }
    # Each function starts at a 16-byte boundary.
    if (hi - lo > bytes + 16 * functions) {
      printf "code layout: the listed functions (%d bytes) spread over %d bytes\n", bytes, hi - lo
      exit 1
    }
    printf "code layout: %d of %d listed functions, %d bytes in %d bytes\n", present, n, bytes, hi - lo
  }'
