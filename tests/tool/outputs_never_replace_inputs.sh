#!/usr/bin/env bash
# An output that names an input (by any path, a hard link or a symbolic link)
# is refused before anything is written, and the input keeps its bytes.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
form() { printf 'object Form1: TForm1\r\n  Caption = %s\r\nend\r\n' "'$1'"; }
mkdir -p "$work/d"
form A > "$work/d/a.dfm"
form B > "$work/d/b.dfm"
cp "$work/d/a.dfm" "$work/a.orig"
ln "$work/d/a.dfm" "$work/hard.dfm"
ln -s "$work/d/a.dfm" "$work/soft.dfm"

expect_refused() {  # expect_refused ARGS...
  "$tool" "$@" 2> "$work/err"
  local status=$?
  [ "$status" -eq 2 ] || fail "$*: expected exit 2, got $status"
  grep -q "it is the input" "$work/err" || { cat "$work/err"; fail "$*: no clear message"; }
  cmp -s "$work/d/a.dfm" "$work/a.orig" || fail "$*: the input was changed"
}
expect_refused totext "$work/d/a.dfm" -o "$work/d/a.dfm"
expect_refused totext "$work/d/a.dfm" -o "$work/d"
expect_refused tobinary "$work/d/a.dfm" "$work/d/b.dfm" -o "$work/d"
expect_refused totext "$work/d/a.dfm" -o "$work/hard.dfm"
expect_refused totext "$work/soft.dfm" -o "$work/d/a.dfm"
expect_refused render "$work/d/a.dfm" -o "$work/d/a.dfm"
[ "$(ls -A "$work/d")" = "$(printf 'a.dfm\nb.dfm')" ] || fail "files left in the folder: $(ls -A "$work/d")"

# A converted result replaces an older output in one step and keeps its mode.
"$tool" tobinary "$work/d/a.dfm" -o "$work/out.dfm" || fail "tobinary failed"
chmod 640 "$work/out.dfm"
"$tool" totext "$work/out.dfm" -o "$work/back.dfm" || fail "totext failed"
cmp -s "$work/back.dfm" "$work/a.orig" || fail "round trip changed the form"
"$tool" tobinary "$work/d/b.dfm" -o "$work/out.dfm" || fail "second tobinary failed"
[ "$(stat -c %a "$work/out.dfm")" = 640 ] || fail "mode not kept"
echo ok
