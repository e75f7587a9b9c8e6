#!/usr/bin/env bash
# How many aligned controls the preview places within one pixel of the
# bounds their form stores, over the forms that store their client size at
# 96 dpi (and frames): the figure, then every miss.
#   bash scripts/aligned_bounds.sh [FORMS-DIR] [BUILD-DIR]
# Without FORMS-DIR the form corpus the build was configured with is used;
# otherwise every .dfm below FORMS-DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
forms="${1:-}"
build="${2:-build}"
binary="$build/tests/mainwindow/mainwindow_tests"
if [[ ! -x "$binary" ]]; then
  echo "aligned_bounds: $binary not built (cmake --build $build --target mainwindow_tests)" >&2
  exit 2
fi
if [[ -n "$forms" ]]; then
  export TESSALY_FORMS_DIR="$(cd "$forms" && pwd)"
fi
QT_QPA_PLATFORM=offscreen "$binary" --gtest_filter='AlignedBoundsCorpus.*' | grep -E '^\[aligned\]|^  miss:' || true
