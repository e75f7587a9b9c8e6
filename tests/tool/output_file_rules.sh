#!/usr/bin/env bash
# Where results may go: never onto an input through standard output or
# standard input, never over a read-only file or another user's file unless
# --force, and through a symbolic link to the file it points at. A closed
# standard output is reported once.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
form() { printf 'object Form1: TForm1\r\n  Caption = %s\r\nend\r\n' "'$1'"; }
form A > "$work/a.dfm"
cp "$work/a.dfm" "$work/a.orig"

# Standard output appended onto the input, and standard input read from the output.
for cmd in totext tobinary tree rewrite; do
  "$tool" "$cmd" "$work/a.dfm" >> "$work/a.dfm" 2> "$work/err"; status=$?
  [ "$status" -eq 2 ] || { cat "$work/err"; fail "$cmd >> input: expected exit 2, got $status"; }
  grep -q "refusing to write standard output: it is the input $work/a.dfm" "$work/err" ||
    { cat "$work/err"; fail "$cmd >> input: no clear message"; }
  cmp -s "$work/a.dfm" "$work/a.orig" || fail "$cmd >> input: the input was changed"
done
"$tool" totext - -o "$work/a.dfm" < "$work/a.dfm" 2> "$work/err"; status=$?
[ "$status" -eq 2 ] && grep -q "it is the input standard input" "$work/err" ||
  { cat "$work/err"; fail "- -o input: expected a refusal, got $status"; }
cmp -s "$work/a.dfm" "$work/a.orig" || fail "- -o input: the input was changed"
"$tool" totext - < "$work/a.dfm" > "$work/piped.txt" || fail "standard input to another file failed"

# Read-only targets and other users' files are kept unless --force.
form old > "$work/ro.dfm"
chmod 444 "$work/ro.dfm"
"$tool" totext "$work/a.dfm" -o "$work/ro.dfm" 2> "$work/err"; status=$?
[ "$status" -eq 1 ] && grep -q "refusing to replace $work/ro.dfm: it is read-only" "$work/err" ||
  { cat "$work/err"; fail "read-only target: expected a refusal, got $status"; }
grep -q "'old'" "$work/ro.dfm" || fail "read-only target was replaced"
"$tool" totext "$work/a.dfm" -o "$work/ro.dfm" --force || fail "--force did not replace a read-only target"
cmp -s "$work/ro.dfm" "$work/a.orig" || fail "--force wrote something else"
if [ "$(id -u)" -eq 0 ]; then
  form theirs > "$work/theirs.dfm"
  chown 65534 "$work/theirs.dfm"
  "$tool" totext "$work/a.dfm" -o "$work/theirs.dfm" 2> "$work/err"; status=$?
  [ "$status" -eq 1 ] && grep -q "belongs to another user" "$work/err" ||
    { cat "$work/err"; fail "another user's file: expected a refusal, got $status"; }
  grep -q "'theirs'" "$work/theirs.dfm" || fail "another user's file was replaced"
fi

# A link as the output: the file it points at is written, the link stays.
mkdir "$work/real"
form old > "$work/real/target.dfm"
ln -s real/target.dfm "$work/link.dfm"
ln -s real/new.dfm "$work/dangling.dfm"
"$tool" totext "$work/a.dfm" -o "$work/link.dfm" || fail "writing through a link failed"
[ -L "$work/link.dfm" ] || fail "the link was replaced by a file"
cmp -s "$work/real/target.dfm" "$work/a.orig" || fail "the link's target was not written"
"$tool" totext "$work/a.dfm" -o "$work/dangling.dfm" || fail "writing through a dangling link failed"
[ -L "$work/dangling.dfm" ] && cmp -s "$work/real/new.dfm" "$work/a.orig" || fail "a dangling link's target was not created"
[ "$(ls -A "$work/real")" = "$(printf 'new.dfm\ntarget.dfm')" ] || fail "files left: $(ls -A "$work/real")"

# Closed standard output: one message, exit 1.
for cmd in totext tree; do
  "$tool" "$cmd" "$work/a.dfm" >&- 2> "$work/err"; status=$?
  [ "$status" -eq 1 ] || { cat "$work/err"; fail "$cmd >&-: expected exit 1, got $status"; }
  [ "$(grep -c "standard output" "$work/err")" -eq 1 ] ||
    { cat "$work/err"; fail "$cmd >&-: the failure was not reported exactly once"; }
done
"$tool" render "$work/a.dfm" -o "$work/a.png" >&- 2> "$work/err" || { cat "$work/err"; fail "render >&- -o file failed"; }
echo ok
