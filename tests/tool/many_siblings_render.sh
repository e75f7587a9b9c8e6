#!/usr/bin/env bash
# Rendering paints the children of one parent recursively, one level per
# sibling: ten thousand siblings must render even with a small stack limit.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
{
  printf 'object Form1: TForm1\r\n  ClientWidth = 400\r\n  ClientHeight = 300\r\n'
  for i in $(seq 1 10000); do
    printf '  object B%d: TButton\r\n    Left = %d\r\n    Top = %d\r\n    Width = 20\r\n    Height = 20\r\n  end\r\n' \
      "$i" $((i % 300)) $((i % 200))
  done
  printf 'end\r\n'
} > "$work/many.dfm"
( ulimit -S -s 2048; timeout 120 "$tool" render "$work/many.dfm" -o "$work/many.png" 2> /dev/null ); status=$?
[ "$status" -eq 0 ] || { echo "render exited with $status"; exit 1; }
[ -s "$work/many.png" ] || { echo "no image"; exit 1; }
echo ok
