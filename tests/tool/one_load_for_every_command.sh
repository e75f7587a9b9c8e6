#!/usr/bin/env bash
# rewrite, render, tree, ancestors and totext --flatten load a form as the
# main window does: an inherited form works in all of them, with the same
# log; rewrite checks the rewritten text; no output replaces any form the
# load read; every command answers --help; Qt's own start-up warnings and
# named pipes around the form never get in the way.
set -u
tool="$1"
examples="$2/examples/inherited"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
cp "$examples"/* "$work/"
mkfifo "$work/Pipe.pas" "$work/Other.dfm"
unset XDG_RUNTIME_DIR

for cmd in totext tobinary rewrite render tree ancestors; do
  "$tool" $cmd --help > "$work/help" 2> "$work/err" || fail "$cmd --help: exit $?"
  grep -q "^usage: tessaly-tool $cmd" "$work/help" || { cat "$work/help" "$work/err"; fail "$cmd --help: no usage"; }
  [ -s "$work/err" ] && { cat "$work/err"; fail "$cmd --help wrote to stderr"; }
done

form="$work/CustomerForm.dfm"
timeout 60 "$tool" render "$form" -o "$work/c.png" 2> "$work/render.log" || { cat "$work/render.log"; fail "render"; }
timeout 60 "$tool" tree "$form" > "$work/tree.json" 2> "$work/tree.log" || { cat "$work/tree.log"; fail "tree"; }
timeout 60 "$tool" rewrite "$form" > "$work/rewritten" 2> "$work/rewrite.log" || { cat "$work/rewrite.log"; fail "rewrite"; }
grep -q '"name": "OkButton"' "$work/tree.json" || fail "tree lacks the ancestor's button"
grep -q "XDG_RUNTIME_DIR" "$work/render.log" "$work/tree.log" && fail "Qt's warning reached the user"
cmp -s "$work/render.log" "$work/tree.log" || { diff "$work/render.log" "$work/tree.log"; fail "render and tree log differently"; }
grep -q "^Inherits \[TFormBase\] from BaseForm.dfm$" "$work/tree.log" || { cat "$work/tree.log"; fail "no ancestor line"; }
grep -q "^Frame \[TFrameAddress\] from AddressFrame.dfm$" "$work/tree.log" || { cat "$work/tree.log"; fail "no frame line"; }
head -n 1 "$work/rewritten" | grep -q "^inherited FormCustomer" || fail "rewrite changed the root"

# A bad value on an event line is blanked by the rewriting, so it loads.
printf 'object Form1: TForm1\r\n  OnClick = 1x\r\n  Caption = %s\r\nend\r\n' "'A'" > "$work/event.dfm"
"$tool" rewrite "$work/event.dfm" > /dev/null 2> "$work/err" || { cat "$work/err"; fail "rewrite refused a blanked value"; }

# Neither the form nor any ancestor or frame form it was read with is replaced.
cp "$work/BaseForm.dfm" "$work/base.orig"
cp "$work/AddressFrame.dfm" "$work/frame.orig"
"$tool" totext --flatten "$form" -o "$work/BaseForm.dfm" 2> "$work/err"
[ $? -eq 2 ] || fail "flatten over the ancestor: expected exit 2"
grep -q "it is the input" "$work/err" || { cat "$work/err"; fail "flatten: no clear message"; }
"$tool" render "$form" -o "$work/AddressFrame.dfm" 2> "$work/err"
[ $? -eq 2 ] || fail "render over the frame form: expected exit 2"
cmp -s "$work/BaseForm.dfm" "$work/base.orig" && cmp -s "$work/AddressFrame.dfm" "$work/frame.orig" || fail "a form was replaced"
echo ok
