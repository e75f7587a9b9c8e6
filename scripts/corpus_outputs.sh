#!/usr/bin/env bash
# Writes what the tool makes of every form below a folder, so that two
# builds can be compared byte for byte (a change meant to keep behaviour,
# such as moving code between files or libraries, must leave them equal):
#   bash scripts/corpus_outputs.sh OUT-DIR [BUILD-DIR] [FORMS-DIR]
#   bash scripts/corpus_outputs.sh --compare BEFORE-DIR AFTER-DIR
# For each form: its text (totext), binary form file (tobinary), rewritten
# text and log (rewrite) and the preview's tree (tree), each with the
# command's exit status. Without FORMS-DIR the corpus next to the project is
# used.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--compare" ]]; then
  before="${2:?before folder}" after="${3:?after folder}"
  if diff -rq "$before" "$after"; then
    echo "corpus_outputs: $(find "$before" -type f | wc -l) outputs byte-identical"
    exit 0
  fi
  echo "corpus_outputs: outputs differ" >&2
  exit 1
fi

out="${1:?output folder}"
build="${2:-build}"
forms="${3:-../shared/corpus}"
tool="$build/tools/tessaly-tool"
if [[ ! -x "$tool" ]]; then
  echo "corpus_outputs: $tool not built" >&2
  exit 2
fi
if [[ ! -d "$forms" ]]; then
  echo "corpus_outputs: no forms at $forms" >&2
  exit 2
fi
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
count=0
while IFS= read -r -d '' form; do
  name="$(basename "$(dirname "$form")")__$(basename "$form")"
  run() {  # run KIND COMMAND...: stdout and stderr kept apart, status last
    local kind="$1"
    shift
    local status=0
    "$@" >"$out/$name.$kind.out" 2>"$out/$name.$kind.err" || status=$?
    # The tool's own messages name the file; nothing else is path-dependent.
    echo "$status" >"$out/$name.$kind.status"
  }
  run totext "$tool" totext "$form" -o "$out/$name.dfm.txt" --force
  run tobinary "$tool" tobinary "$form" -o "$out/$name.dfm.bin" --force
  run rewrite "$tool" rewrite "$form"
  run tree "$tool" tree "$form"
  count=$((count + 1))
done < <(find "$forms" -type f -iname '*.dfm' -print0 | sort -z)
echo "corpus_outputs: $count forms written to $out"
