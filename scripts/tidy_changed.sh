#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) on the product sources that the
# newest commit changes, or those changed since the revision given as $2, with
# the compile commands of the build folder $1; at most TESSALY_TIDY_MAX (25)
# of them, so that a sweeping change costs minutes, not an hour. Exits 1 on
# a finding.
#   bash scripts/tidy_changed.sh build [REV]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
base="${2:-HEAD~1}"
if ! git rev-parse -q --verify "$base^{commit}" >/dev/null; then
  echo "tidy: no revision $base to compare with; nothing to check"
  exit 0
fi
mapfile -t files < <(git diff --name-only --diff-filter=AM "$base" -- 'viewer/*.cpp' 'controls/*.cpp' 'tools/*.cpp')
if ((${#files[@]} == 0)); then
  echo "tidy: no product source changed since $base"
  exit 0
fi
max="${TESSALY_TIDY_MAX:-25}"
echo "tidy: ${#files[@]} changed source(s) since $base"
if ((${#files[@]} > max)); then
  echo "tidy: checking the first $max"
  files=("${files[@]:0:$max}")
fi
# clang-tidy counts the warnings it suppressed in headers; only findings are shown.
set +o pipefail
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet 2>&1 |
  { grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' || true; }
status=${PIPESTATUS[1]}
if ((status != 0)); then
  echo "tidy: findings above"
  exit 1
fi
echo "tidy: no findings"
