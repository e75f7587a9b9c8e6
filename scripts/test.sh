#!/usr/bin/env bash
# Installs what is missing, builds Tessaly and runs every test:
#   1. the unit tests (ctest, headless on Qt's off-screen platform);
#   2. the same tests under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. each fuzz target for TESSALY_FUZZ_SECONDS (default 60) seconds.
# First of all it checks the house rules that need no build: includes point
# down the layers and, once the tools are installed, no product file or
# function grows past its limit and every source is formatted.
# After the build it checks that no library calls up the layers, and runs
# clang-tidy on the sources the newest commit changed.
# TESSALY_QUICK=1 runs step 1 only.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

echo "== Layers"
bash scripts/check_layers.sh

bash scripts/install-deps.sh
echo "== Sizes and format"
python3 scripts/check_sizes.py
bash scripts/check_format.sh

echo "== Unit tests"
bash scripts/build.sh build -DTESSALY_WERROR=ON
python3 scripts/check_links.py build
bash scripts/tidy_changed.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${TESSALY_QUICK:-0}" = "1" ]; then exit 0; fi

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# use_tls=0: this toolchain's leak checker reads garbage bounds for the
# thread-local storage of libraries loaded at run time (Qt's image format
# plugins and libjpeg, libgomp behind them) and crashes its own tracer; the
# leak check therefore leaves thread-local storage out of its roots.
bash scripts/build.sh build-asan -DTESSALY_WERROR=ON -DTESSALY_SANITIZE=ON -DTESSALY_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="use_tls=0:print_suppressions=0:suppressions=$(pwd)/scripts/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzz targets"
bash fuzz/run.sh "${TESSALY_FUZZ_SECONDS:-60}"
