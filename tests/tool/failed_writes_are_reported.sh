#!/usr/bin/env bash
# A full device, a file-size limit or a closed standard output make every
# command exit 1 with a message naming the output, and no partial file stays.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
{
  printf 'object Form1: TForm1\r\n  ClientWidth = 200\r\n  ClientHeight = 100\r\n'
  for i in $(seq 1 400); do printf '  object L%d: TLabel\r\n    Caption = %s\r\n  end\r\n' "$i" "'some text for line $i'"; done
  printf 'end\r\n'
} > "$work/f.dfm"

expect_failure() {  # expect_failure NAME-IN-MESSAGE ARGS...
  local name="$1"; shift
  "$tool" "$@" > /dev/null 2> "$work/err"
  local status=$?
  [ "$status" -eq 1 ] || { cat "$work/err"; fail "$*: expected exit 1, got $status"; }
  grep -q "$name" "$work/err" || { cat "$work/err"; fail "$*: message does not name $name"; }
}
if [ -w /dev/full ]; then
  expect_failure /dev/full totext "$work/f.dfm" -o /dev/full
  expect_failure /dev/full tobinary "$work/f.dfm" -o /dev/full
  expect_failure /dev/full render "$work/f.dfm" -o /dev/full
  for cmd in totext tree rewrite; do
    "$tool" "$cmd" "$work/f.dfm" > /dev/full 2> "$work/err"
    [ $? -eq 1 ] || fail "$cmd > /dev/full: expected exit 1"
    grep -q "standard output" "$work/err" || { cat "$work/err"; fail "$cmd: message does not name standard output"; }
  done
fi

# A file-size limit of 4 KB: the result would be larger.
mkdir "$work/out"
( ulimit -f 4; "$tool" totext "$work/f.dfm" -o "$work/out/f.txt" 2> "$work/err" ); status=$?
[ "$status" -eq 1 ] || fail "file-size limit: expected exit 1, got $status"
grep -q "$work/out/f.txt" "$work/err" || { cat "$work/err"; fail "file-size limit: output not named"; }
[ -z "$(ls -A "$work/out")" ] || fail "partial files left: $(ls -A "$work/out")"

# An existing output stays as it was when the new one cannot be written.
echo old > "$work/out/f.txt"
( ulimit -f 4; "$tool" totext "$work/f.dfm" -o "$work/out/f.txt" 2> /dev/null )
[ "$(cat "$work/out/f.txt")" = old ] || fail "the old output was damaged"
[ "$(ls -A "$work/out")" = f.txt ] || fail "partial files left: $(ls -A "$work/out")"
echo ok
