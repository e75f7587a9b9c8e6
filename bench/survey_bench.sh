#!/usr/bin/env bash
# Forms per second of `tessaly-tool survey` on a tree of forms (by default
# the shared corpus): surveyed from scratch, then re-run unchanged, on 1 and
# 2 workers. Each case runs RUNS times; the median is printed.
#   bash bench/survey_bench.sh [BUILD-DIR] [TREE] [RUNS]
set -euo pipefail
build="${1:-build}"
tree="${2:-../shared/corpus}"
runs="${3:-3}"
tool="$build/tools/tessaly-tool"
[ -d "$tree" ] || { echo "no tree of forms at $tree"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
forms=$("$tool" census "$tree" 2>/dev/null | tail -1 | awk '{ print $1 }')

seconds() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", (e - s) / 1e9 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
report() {  # report NAME TIMES
  awk -v name="$1" -v t="$(median < "$2")" -v n="$forms" \
    'BEGIN { printf "%-28s %4d forms  %7.3f s  %7.1f forms/s\n", name, n, t, n / t }'
}

for jobs in 1 2; do
  : > "$work/scratch" ; : > "$work/unchanged"
  for _ in $(seq "$runs"); do
    rm -rf "$work/out"
    seconds "$tool" survey "$tree" -o "$work/out" -j "$jobs" >> "$work/scratch"
    seconds "$tool" survey "$tree" -o "$work/out" -j "$jobs" >> "$work/unchanged"
  done
  report "survey from scratch, -j $jobs" "$work/scratch"
  report "survey unchanged, -j $jobs" "$work/unchanged"
done
: > "$work/census"
for _ in $(seq "$runs"); do seconds "$tool" census "$tree" >> "$work/census"; done
report "census" "$work/census"
