#!/usr/bin/env bash
# Whole-process speed of `tessaly-tool totext` and `tobinary` on the generated
# 50 MB form, beside a plain copy of the same input (cat to a file) timed in
# the same run. Each case runs RUNS times in turn with its copy; the medians
# are printed, with throughput as input size over wall time.
#   bash bench/tool_throughput.sh [BUILD-DIR] [RUNS]
# Two outputs are timed: a new file, and replacing the file of the previous
# run (the file system writes a replaced result out at the rename).
set -euo pipefail
build="${1:-build}"
runs="${2:-9}"
tool="$build/tools/tessaly-tool"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/tessaly_bench_streaming" --write-inputs "$work" >/dev/null

# Prints the wall seconds of one run of the command.
seconds() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", (e - s) / 1e9 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

report() {  # report NAME INPUT TIMES-OF-TOOL TIMES-OF-CAT
  awk -v name="$1" -v size="$(stat -c %s "$2")" -v tool="$(median < "$3")" -v cat="$(median < "$4")" 'BEGIN {
    mb = size / 1e6
    printf "%-26s %6.2f MB  tool %.3f s (%4.0f MB/s)  cat %.3f s  tool/cat %.1f\n", name, mb, tool, mb / tool, cat, tool / cat
  }'
}

for case in totext tobinary; do
  input="$work/form.dfm"
  [ "$case" = tobinary ] && input="$work/form.txt"
  : > "$work/new.tool"; : > "$work/new.cat"; : > "$work/old.tool"; : > "$work/old.cat"
  for i in $(seq 1 "$runs"); do
    seconds "$tool" "$case" "$input" -o "$work/new-$i.out" >> "$work/new.tool"
    seconds sh -c "cat '$input' > '$work/cat-$i.out'" >> "$work/new.cat"
    rm -f "$work/new-$i.out" "$work/cat-$i.out"
    "$tool" "$case" "$input" -o "$work/replaced.out"
    cat "$input" > "$work/replaced.cat"
    seconds "$tool" "$case" "$input" -o "$work/replaced.out" >> "$work/old.tool"
    seconds sh -c "cat '$input' > '$work/replaced.cat'" >> "$work/old.cat"
  done
  report "$case, new file" "$input" "$work/new.tool" "$work/new.cat"
  report "$case, replacing a file" "$input" "$work/old.tool" "$work/old.cat"
done
