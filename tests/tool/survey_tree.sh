#!/usr/bin/env bash
# A survey of a tree the test makes: results and report for every form, the
# tree left untouched, incremental re-runs, shards joined by survey-merge,
# a hanging or crashing preview reported while the survey goes on.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# A sanitizer build reserves far more address space than a memory limit
# allows, so its previews run without one.
limit=()
if ldd "$tool" 2>/dev/null | grep -q libasan; then limit=(--memory-limit 0); fi

tree="$work/project"
mkdir -p "$tree/forms" "$tree/sub/deeper" "$work/outside"
printf 'object Main: TMain\r\n  ClientWidth = 200\r\n  ClientHeight = 120\r\n  object OK: TButton\r\n    Left = 8\r\n    Top = 8\r\n    Width = 75\r\n    Height = 25\r\n    Caption = '"'OK'"'\r\n  end\r\n  object Fancy: TRxLabel\r\n    Left = 8\r\n    Top = 40\r\n    Width = 60\r\n    Height = 13\r\n    ShadowColor = clGray\r\n  end\r\nend\r\n' > "$tree/forms/Main.dfm"
printf 'unit Main;\ninterface\nuses Forms, RxCtrls;\ntype\n  TMain = class(TBaseForm)\n  end;\nimplementation\nend.\n' > "$tree/forms/Main.pas"
printf 'object Dialog: TDialog\n  Caption = '"'Dialog'"'\n  object L: TLabel\n    Caption = '"'Name'"'\n  end\nend\n' > "$work/dialog.txt"
"$tool" tobinary "$work/dialog.txt" -o "$tree/sub/deeper/DIALOG.DFM" || fail "tobinary"
printf 'object Broken: TForm\n  object B: TButton\n' > "$tree/sub/Broken.dfm"
printf 'object Away: TForm\nend\n' > "$work/outside/Away.dfm"
ln -s "$work/outside/Away.dfm" "$tree/Linked.dfm"
ln -s "$work/outside" "$tree/linked-folder"

snapshot() { (cd "$tree" && find . -printf '%p %y %s %T@\n' | sort); }
before="$(snapshot)"

out="$work/out"
"$tool" survey "${limit[@]}" "$tree" -o "$out" -j 2 2> "$work/first.log" || { cat "$work/first.log"; fail "survey exited $?"; }
[ "$(snapshot)" = "$before" ] || fail "the source tree changed"
grep -q "3 forms, 3 to survey, 0 unchanged" "$work/first.log" || { cat "$work/first.log"; fail "first run counts"; }
for f in index.html census.html census.csv forms.csv report.css report.js units.tsv; do
  [ -s "$out/$f" ] || fail "no $f"
done
[ "$(ls "$out/forms" | wc -l)" -eq 3 ] || fail "not one result folder per form"
grep -q '^forms/Main.dfm,[0-9a-f]*,ok,TMain,Main,no,TBaseForm,200,120,2,2,TRxLabel,' "$out/forms.csv" || { cat "$out/forms.csv"; fail "Main row"; }
grep -q '^sub/Broken.dfm,[0-9a-f]*,failed,' "$out/forms.csv" || fail "Broken row"
grep -q '^sub/deeper/DIALOG.DFM,[0-9a-f]*,ok,TDialog,' "$out/forms.csv" || fail "binary form row"
grep -q '^TRxLabel,1,1,no,no,,forms/Main.dfm,Height=1; Left=1; ShadowColor=1; Top=1; Width=1' "$out/census.csv" || { cat "$out/census.csv"; fail "census row"; }
main="$(grep '^forms/Main.dfm' "$out/forms.csv" | cut -d, -f2)"
for f in preview.png thumb.png tree.json rewritten.txt log.txt index.html tree.js; do
  [ -s "$out/forms/$main/$f" ] || fail "Main has no $f"
done
grep -q 'object Fancy: TUnknown' "$out/forms/$main/rewritten.txt" || fail "rewritten text"
grep -q '\[TRxLabel\]: \[True\]' "$out/forms/$main/log.txt" || fail "log"
grep -q '"class": "TButton"' "$out/forms/$main/tree.json" || fail "tree"

# Unchanged: nothing redone. One form changed, one removed: only that redone, the other pruned.
"$tool" survey "${limit[@]}" "$tree" -o "$out" 2> "$work/second.log" || fail "second run"
grep -q "3 forms, 0 to survey, 3 unchanged" "$work/second.log" || { cat "$work/second.log"; fail "second run counts"; }
sed -i 's/ClientWidth = 200/ClientWidth = 240/' "$tree/forms/Main.dfm"
rm "$tree/sub/deeper/DIALOG.DFM"
"$tool" survey "${limit[@]}" "$tree" -o "$out" 2> "$work/third.log" || fail "third run"
grep -q "2 forms, 1 to survey, 1 unchanged" "$work/third.log" || { cat "$work/third.log"; fail "third run counts"; }
[ "$(ls "$out/forms" | wc -l)" -eq 2 ] || fail "removed form not pruned"
grep -q '^forms/Main.dfm,[0-9a-f]*,ok,TMain,Main,no,TBaseForm,240,120,' "$out/forms.csv" || fail "changed form not redone"

# Shards cover the tree once; merged, they give the whole survey's rows.
for i in 1 2 3; do printf 'object F%d: TForm\n  object P: TPanel\n  end\nend\n' $i > "$tree/F$i.dfm"; done
"$tool" survey "${limit[@]}" "$tree" -o "$work/all" 2> /dev/null || fail "whole survey"
"$tool" survey "${limit[@]}" "$tree" -o "$work/s1" --shard 1/2 2> /dev/null || fail "shard 1"
"$tool" survey "${limit[@]}" "$tree" -o "$work/s2" --shard 2/2 2> /dev/null || fail "shard 2"
n1=$(($(wc -l < "$work/s1/forms.csv") - 1)); n2=$(($(wc -l < "$work/s2/forms.csv") - 1))
[ $((n1 + n2)) -eq 5 ] || fail "shards hold $n1 + $n2 forms"
"$tool" survey-merge -o "$work/merged" "$work/s1" "$work/s2" 2> /dev/null || fail "merge"
diff <(cut -d, -f1-13 "$work/all/forms.csv") <(cut -d, -f1-13 "$work/merged/forms.csv") || fail "merged forms differ"
diff "$work/all/census.csv" "$work/merged/census.csv" || fail "merged census differs"
"$tool" survey-merge -o "$work/bad" "$tree" 2> /dev/null && fail "merging a non-survey folder succeeded"

# A preview that hangs is stopped at its time limit; one that crashes is reported.
printf '#!/bin/sh\nsleep 60\n' > "$work/hang.sh"
printf '#!/bin/sh\necho "about to crash" >&2\nkill -SEGV $$\n' > "$work/crash.sh"
chmod +x "$work/hang.sh" "$work/crash.sh"
start=$(date +%s)
TESSALY_SURVEY_WORKER="$work/hang.sh" "$tool" survey "${limit[@]}" "$tree" -o "$work/hung" -j 2 --time-limit 1 2> /dev/null || fail "hung survey"
[ $(($(date +%s) - start)) -lt 30 ] || fail "hanging previews were not stopped"
[ "$(grep -c ',timeout,' "$work/hung/forms.csv")" -eq 5 ] || { cat "$work/hung/forms.csv"; fail "timeouts not reported"; }
grep -q 'longer than 1 s' "$work/hung/forms.csv" || fail "timeout message"
TESSALY_SURVEY_WORKER="$work/crash.sh" "$tool" survey "${limit[@]}" "$tree" -o "$work/crashed" 2> /dev/null || fail "crashed survey"
grep -q ',crashed,.*signal 11.*about to crash' "$work/crashed/forms.csv" || { cat "$work/crashed/forms.csv"; fail "crash not reported"; }

# Stopping a survey stops its children too (they run in groups of their own).
TESSALY_SURVEY_WORKER="$work/hang.sh" "$tool" survey "${limit[@]}" "$tree" -o "$work/stopped" -j 2 --time-limit 60 2> "$work/stopped.log" &
pid=$!
for _ in $(seq 200); do pgrep -f "$work/hang.sh" > /dev/null && break; sleep 0.1; done
kill -TERM "$pid"
wait "$pid"; status=$?
[ "$status" -eq 130 ] || fail "a stopped survey exited with $status"
sleep 0.3
pgrep -f "$work/hang.sh" > /dev/null && fail "children of a stopped survey are still running"

# census alone; output folders inside the tree are refused.
"$tool" census "$tree" > "$work/census.txt" 2> /dev/null || fail "census"
grep -q '^TRxLabel  *1  *1  placeholder' "$work/census.txt" || { cat "$work/census.txt"; fail "census table"; }
"$tool" census "$tree" --csv 2> /dev/null | cmp - "$work/all/census.csv" || fail "census --csv differs from the survey's"
"$tool" survey "${limit[@]}" "$tree" -o "$tree/report" 2> /dev/null && fail "an output inside the tree was accepted"
[ -e "$tree/report" ] && fail "something was written into the tree"

# An inherited form is redone when its ancestor changes, though its own bytes did not.
family="$work/family"
mkdir -p "$family"
printf 'object Base: TBase\n  Caption = '"'Base'"'\n  object Title: TPanel\n  end\nend\n' > "$family/Base.dfm"
printf 'unit Base;\ninterface\ntype\n  TBase = class(TForm)\n  end;\nend.\n' > "$family/Base.pas"
printf 'inherited Child: TChild\n  inherited Title: TPanel\n    Caption = '"'Child'"'\n  end\nend\n' > "$family/Child.dfm"
printf 'unit Child;\ninterface\nuses Base;\ntype\n  TChild = class(TBase)\n  end;\nend.\n' > "$family/Child.pas"
"$tool" survey "${limit[@]}" "$family" -o "$work/family-out" 2> /dev/null || fail "family survey"
grep -q '^Child.dfm,[0-9a-f]*,ok,TChild,Child,yes,TBase; TForm,' "$work/family-out/forms.csv" || { cat "$work/family-out/forms.csv"; fail "inherited row"; }
sed -i 's/Caption = .Base./Caption = '"'Base form'"'/' "$family/Base.dfm"
"$tool" survey "${limit[@]}" "$family" -o "$work/family-out" 2> "$work/family.log" || fail "family re-run"
grep -q "2 forms, 2 to survey, 0 unchanged" "$work/family.log" || { cat "$work/family.log"; fail "the inherited form was not redone"; }
echo ok
