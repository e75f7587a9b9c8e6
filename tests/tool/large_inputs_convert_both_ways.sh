#!/usr/bin/env bash
# Inputs of several megabytes are read differently from small ones (onto
# large memory pages). A 20 MB text, laid out as the converter writes it,
# and its 10 MB binary must convert both ways to the same bytes.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

awk -v q="'" 'BEGIN {
  printf "object Big: TForm\r\n"
  hex = ""
  for (i = 0; i < 32; i++) hex = hex sprintf("%02X", (i * 37) % 256)
  for (c = 0; c < 2500; c++) {
    printf "  object P%d: TPanel\r\n    Left = %d\r\n    Ratio = %d.500000000000000000\r\n", c, c, c
    printf "    Caption = %spanel %d with a %s#39%squoted%s#39%s word%s\r\n", q, c, q, q, q, q, q
    printf "    Glyph.Data = {\r\n"
    for (r = 0; r < 120; r++) printf "      %s\r\n", hex
    printf "      00FF}\r\n  end\r\n"
  }
  printf "end\r\n"
}' > "$work/big.txt"
size=$(stat -c %s "$work/big.txt")
[ "$size" -gt $((16 << 20)) ] || fail "generated text is only $size bytes"

"$tool" tobinary "$work/big.txt" -o "$work/big.dfm" || fail "tobinary failed"
[ "$(stat -c %s "$work/big.dfm")" -gt $((8 << 20)) ] || fail "binary is smaller than 8 MB"
"$tool" totext "$work/big.dfm" -o "$work/back.txt" || fail "totext failed"
cmp "$work/big.txt" "$work/back.txt" || fail "text -> binary -> text changed the text"
"$tool" tobinary "$work/back.txt" -o "$work/back.dfm" || fail "second tobinary failed"
cmp "$work/big.dfm" "$work/back.dfm" || fail "binary -> text -> binary changed the binary"
# The same through a pipe, which is read in blocks instead.
"$tool" totext - < "$work/big.dfm" > "$work/piped.txt" || fail "totext from a pipe failed"
cmp "$work/big.txt" "$work/piped.txt" || fail "a piped binary converted differently"
echo ok
