#!/usr/bin/env bash
# Inputs that are not form files get a message saying what is wrong, with the
# file's name, from every command, and never hang or exhaust memory.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
mkdir "$work/folder"
: > "$work/empty.dfm"
printf 'obj' > "$work/short.dfm"
mkfifo "$work/fifo"
printf 'object Form1: TForm1\r\n  Caption = %s\r\n  Left = 1x\r\nend\r\n' "'A'" > "$work/badtext.dfm"
printf 'object Form1: TForm1\r\nend\r\n' > "$work/good.dfm"
"$tool" tobinary "$work/good.dfm" -o "$work/good.bin" || fail "tobinary failed"
head -c 26 "$work/good.bin" > "$work/cut.dfm"

expect() {  # expect TEXT ARGS...
  local text="$1"; shift
  timeout 20 "$tool" "$@" > /dev/null 2> "$work/err"
  local status=$?
  [ "$status" -eq 1 ] || { cat "$work/err"; fail "$*: expected exit 1, got $status"; }
  grep -qF "$text" "$work/err" || { cat "$work/err"; fail "$*: expected \"$text\""; }
}
for cmd in totext tree rewrite; do
  expect "$work/folder: is a folder" $cmd "$work/folder"
  expect "$work/empty.dfm: is empty" $cmd "$work/empty.dfm"
  expect "$work/short.dfm: is too short to be a form file" $cmd "$work/short.dfm"
  expect "/dev/zero: is not a" $cmd /dev/zero
  expect "$work/badtext.dfm: Line 3, column" $cmd "$work/badtext.dfm"
  expect "$work/cut.dfm: Stream read error" $cmd "$work/cut.dfm"
  grep -q "at byte 20" "$work/err" || fail "$cmd: no byte offset"
done
expect "$work/fifo: is empty" totext "$work/fifo"
expect "$work/fifo: is a pipe" tree "$work/fifo"
expect "$work/folder: is a folder" render "$work/folder" -o "$work/x.png"
expect "/dev/zero: is not a form file" tobinary /dev/zero -o "$work/x.dfm"
[ ! -e "$work/x.dfm" ] && [ ! -e "$work/x.png" ] || fail "outputs written for bad inputs"

# Beyond the 4 GB a form file can hold (a sparse file: nothing is read), and
# endless unrelated input on a pipe.
truncate -s 5G "$work/huge-file.dfm"
expect "$work/huge-file.dfm: is larger than the 4 GB" totext "$work/huge-file.dfm"
yes | timeout 20 "$tool" totext - > /dev/null 2> "$work/err"
[ $? -eq 1 ] && grep -q "is not a form file" "$work/err" || { cat "$work/err"; fail "endless pipe"; }

# An absurd client area is refused before anything is drawn.
printf 'object Form1: TForm1\r\n  ClientWidth = 60000\r\n  ClientHeight = 60000\r\nend\r\n' > "$work/huge.dfm"
expect "larger than render draws" render "$work/huge.dfm" -o "$work/huge.png"
printf 'object Form1: TForm1\r\n  ClientWidth = 2147483647\r\n  ClientHeight = -2147483648\r\nend\r\n' > "$work/limit.dfm"
timeout 20 "$tool" render "$work/limit.dfm" -o "$work/limit.png" 2> "$work/err"
[ $? -le 1 ] || { cat "$work/err"; fail "render at the integer limits crashed"; }
echo ok
