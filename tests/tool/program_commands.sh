#!/usr/bin/env bash
# The commands for forms inside programs, on the example program: forms
# lists both, extract writes them (binary and text), the converters and the
# preview commands take PROGRAM:NAME, images writes the main form's pictures,
# and a packed or damaged program gets a message instead of a result.
set -u
tool="$1"
program="$2/examples/program/Inventory.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$1"; [ -f "$work/out" ] && cat "$work/out"; [ -f "$work/err" ] && cat "$work/err"; exit 1; }

"$tool" forms "$program" > "$work/out" 2> "$work/err" || fail "forms failed"
grep -qP '^TABOUTBOX\t0409\t\d+\tTAboutBox\tAboutBox$' "$work/out" || fail "no about box listed"
grep -qP '^TMAINFORM\t0409\t\d+\tTMainForm\tMainForm$' "$work/out" || fail "no main form listed"

"$tool" extract "$program" -o "$work/bin" > "$work/out" 2> "$work/err" || fail "extract failed"
[ -f "$work/bin/TMAINFORM.dfm" ] && [ -f "$work/bin/TABOUTBOX.dfm" ] || fail "extract wrote no forms"
"$tool" extract "$program" -o "$work/text" --text > "$work/out" 2> "$work/err" || fail "extract --text failed"
head -n 1 "$work/text/TMAINFORM.dfm" | grep -q "^object MainForm: TMainForm" || fail "not form text"
# The binary form converts to the same text.
"$tool" totext "$work/bin/TMAINFORM.dfm" -o "$work/bin.txt" || fail "extracted binary does not convert"
cmp -s "$work/bin.txt" "$work/text/TMAINFORM.dfm" || fail "binary and text extraction differ"

"$tool" totext "$program:tmainform" -o "$work/named.txt" 2> "$work/err" || fail "totext PROGRAM:NAME failed"
cmp -s "$work/named.txt" "$work/text/TMAINFORM.dfm" || fail "totext PROGRAM:NAME differs from extract"
"$tool" totext "$program" > "$work/out" 2> "$work/err" && fail "a program of two forms converted without a name"
grep -q "holds 2 forms; name one as" "$work/err" || fail "no message naming the forms"

"$tool" tree "$program:TABOUTBOX" > "$work/out" 2> "$work/err" || fail "tree PROGRAM:NAME failed"
grep -q '"name": "OKButton"' "$work/out" || fail "tree lacks the about box's button"
"$tool" render "$program:TMAINFORM" -o "$work/main.png" 2> "$work/err" || fail "render PROGRAM:NAME failed"
[ "$(head -c 4 "$work/main.png" | tail -c 3)" = "PNG" ] || fail "render wrote no PNG"
"$tool" rewrite "$program:TMAINFORM" > "$work/out" 2> "$work/err" || fail "rewrite PROGRAM:NAME failed"
grep -q "object AddButton: TBitBtn" "$work/out" || fail "rewrite lost the button"

"$tool" images "$program:TMAINFORM" --list > "$work/out" 2> "$work/err" || fail "images --list failed"
for name in MainForm.Icon.Data.ico Logo.Picture.Data.png AddButton.Glyph.Data.png Icons.Bitmap.0.png Icons.Bitmap.1.png; do
  grep -q "^$name	" "$work/out" || fail "images --list lacks $name"
done
[ ! -e "$work/pictures" ] || fail "--list wrote something"
"$tool" images "$program:TMAINFORM" -o "$work/pictures" > "$work/out" 2> "$work/err" || fail "images failed"
[ "$(ls "$work/pictures" | wc -l)" -eq 5 ] || fail "expected five pictures"

# Damaged programs: a message, exit 1, no crash.
head -c 700 "$program" > "$work/cut.exe"
"$tool" forms "$work/cut.exe" > "$work/out" 2> "$work/err"
[ $? -eq 1 ] || fail "a truncated program was not refused"
grep -q "cut.exe: " "$work/err" || fail "no message for the truncated program"
python3 - "$program" "$work/packed.exe" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
at = data.index(b".rsrc\0")
data[at:at + 5] = b"UPX1\0"
# Point the resource directory at nothing, as a packer leaves it.
pe = int.from_bytes(data[0x3C:0x40], "little")
data[pe + 24 + 96 + 16:pe + 24 + 96 + 24] = bytes(8)
open(sys.argv[2], "wb").write(data)
PY
"$tool" forms "$work/packed.exe" > "$work/out" 2> "$work/err"
[ $? -eq 1 ] || fail "a packed program was not refused"
grep -q "packed by an executable packer (section UPX1)" "$work/err" || fail "no packer message"
exit 0
