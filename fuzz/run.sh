#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds.
#   bash fuzz/run.sh [SECONDS]   (default 60)
# Working corpora live in build-fuzz/corpus-NAME (outside git), seeded from
# the shared form corpus when it is present. Exits non-zero on a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${TESSALY_FUZZ_BUILD_DIR:-build-fuzz}"
corpus_src="${TESSALY_CORPUS_DIR:-$(pwd)/../shared/corpus}"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESSALY_BUILD_FUZZ=ON -DBUILD_TESTING=OFF -DTESSALY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_resource_to_text fuzz_text_to_resource fuzz_binary_reader

seed() {  # seed NAME SUBFOLDER
  local dir="$build/corpus-$1"
  mkdir -p "$dir"
  if [ -d "$corpus_src/$2" ] && [ -z "$(ls -A "$dir")" ]; then
    cp "$corpus_src/$2"/*.dfm "$dir"/ 2>/dev/null || true
  fi
}
seed fuzz_resource_to_text binary
seed fuzz_text_to_resource text
seed fuzz_binary_reader binary

status=0
for target in fuzz_resource_to_text fuzz_text_to_resource fuzz_binary_reader; do
  echo "== $target for ${seconds}s"
  mkdir -p "$build/artifacts-$target"
  if ! "$build/fuzz/$target" "$build/corpus-$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -max_len=1048576 -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts-$target/" 2>&1 | tail -n 20; then
    status=1
  fi
done
exit $status
