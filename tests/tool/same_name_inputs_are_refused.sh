#!/usr/bin/env bash
# Two inputs with one file name, converted into one -o folder, would write
# the same result file: the tool refuses before writing anything.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/a" "$work/b" "$work/out"
printf 'object Form1: TForm1\r\n  Caption = %s\r\nend\r\n' "'A'" > "$work/a/Unit1.dfm"
printf 'object Form1: TForm1\r\n  Caption = %s\r\nend\r\n' "'B'" > "$work/b/Unit1.dfm"

"$tool" tobinary "$work/a/Unit1.dfm" "$work/b/Unit1.dfm" -o "$work/out" 2> "$work/err"
status=$?
if [ "$status" -ne 2 ]; then echo "expected exit 2, got $status"; exit 1; fi
grep -q "would both be written to" "$work/err" || { echo "no clear message:"; cat "$work/err"; exit 1; }
if [ -n "$(ls -A "$work/out")" ]; then echo "files were written:"; ls "$work/out"; exit 1; fi

# Distinct names still convert side by side.
mv "$work/b/Unit1.dfm" "$work/b/Unit2.dfm"
"$tool" tobinary "$work/a/Unit1.dfm" "$work/b/Unit2.dfm" -o "$work/out" || { echo "distinct names failed"; exit 1; }
[ -s "$work/out/Unit1.dfm" ] && [ -s "$work/out/Unit2.dfm" ] || { echo "results missing"; exit 1; }
echo ok
