#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds.
#   bash fuzz/run.sh [SECONDS] [TARGET...]   (default 60, every target)
# Working corpora live in build-fuzz/corpus-NAME (outside git), seeded with
# small forms that fuzz_make_seeds generates. Exits non-zero on a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
build="${TESSALY_FUZZ_BUILD_DIR:-build-fuzz}"
all=(fuzz_resource_to_text fuzz_text_to_resource fuzz_binary_reader fuzz_round_trip fuzz_rewrite fuzz_preview_read fuzz_program_resources)
[ $# -gt 0 ] && targets=("$@") || targets=("${all[@]}")

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=include_file_mtime,include_file_ctime
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DTESSALY_BUILD_FUZZ=ON -DBUILD_TESTING=OFF -DTESSALY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_make_seeds "${targets[@]}"

seeds="$build/seeds"
mkdir -p "$seeds"
"$build/fuzz/fuzz_make_seeds" "$seeds"

status=0
for target in "${targets[@]}"; do
  echo "== $target for ${seconds}s"
  corpus="$build/corpus-$target"
  mkdir -p "$corpus" "$build/artifacts-$target"
  [ -n "$(ls -A "$corpus")" ] || cp "$seeds"/* "$corpus"/
  # fontconfig keeps its configuration for the life of the process; the
  # leak check at exit must not count it as a finding.
  if ! QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="use_tls=0:print_suppressions=0:suppressions=$(pwd)/scripts/lsan.supp" "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -max_len=65536 -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts-$target/" 2>&1 | tail -n 20; then
    status=1
  fi
done
exit $status
