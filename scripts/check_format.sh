#!/usr/bin/env bash
# Checks that every C++ source the project tracks is formatted as
# .clang-format says; prints the files that are not and exits 1.
#   bash scripts/check_format.sh         check
#   bash scripts/check_format.sh --fix   format them in place
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 20 clang-format -i
  exit 0
fi
unformatted=$(printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 20 clang-format --dry-run 2>&1 |
  sed -nE 's/^([^:]+):[0-9]+:[0-9]+: (warning|error): code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$unformatted" ]; then
  echo "Not formatted as .clang-format says (bash scripts/check_format.sh --fix):"
  echo "$unformatted"
  exit 1
fi
echo "format: ${#files[@]} sources formatted"
