#!/usr/bin/env bash
# How many auto-sized single-line labels come out within one pixel of the
# width their form stores, in total and per face, size and style.
#   bash bench/label_widths.sh [BUILD-DIR] [FORMS-DIR]
# Without FORMS-DIR the corpus is measured; with it, every .dfm below it.
# The floor the test checks applies to the corpus only. With
# TESSALY_LABEL_MISSES=1 each label off by more than a pixel is listed too.
set -euo pipefail
build="${1:-build}"
forms="${2:-}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
TESSALY_LABEL_FORMS="$forms" "$build/tests/mainwindow/mainwindow_tests" \
  --gtest_filter='LabelWidthCorpus.*' --gtest_also_run_disabled_tests | grep '^\[\(labels\|miss\)\]' || true
