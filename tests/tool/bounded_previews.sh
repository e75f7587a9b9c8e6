#!/usr/bin/env bash
# Previews cost what a form shows: tree writes a bounded number of cells per
# grid (all of them with --all-cells), and the pictures of one form share one
# decoding budget, so ten run-length pictures of 5000 x 5000 pixels in a form
# of a few megabytes render in bounded memory with one log line.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
export QT_QPA_PLATFORM=offscreen

printf 'object Form1: TForm1\r\n  object G: TStringGrid\r\n    ColCount = 400\r\n    RowCount = 400\r\n  end\r\nend\r\n' > "$work/grid.dfm"
"$tool" tree "$work/grid.dfm" > "$work/tree.json" 2> "$work/err" || { cat "$work/err"; fail "tree failed"; }
grep -q '"cellsOmitted": 60000' "$work/tree.json" || fail "tree did not count the cells it left out"
"$tool" tree --all-cells "$work/grid.dfm" > "$work/all.json" 2> "$work/err" || { cat "$work/err"; fail "tree --all-cells failed"; }
grep -q cellsOmitted "$work/all.json" && fail "tree --all-cells left cells out"
[ "$(grep -o '""' "$work/all.json" | wc -l)" -ge 160000 ] || fail "tree --all-cells did not write every cell"

python3 - "$work/pictures.dfm" <<'PY'
import struct, sys
w = h = 5000
rows = b""
for _ in range(h):
    x = 0
    while x < w:
        k = min(255, w - x); rows += bytes([k, 0]); x += k
    rows += b"\0\0"
rows += b"\0\1"
dib = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, len(rows), 2835, 2835, 1, 0) + b"\0\0\xff\0" + rows
bmp = b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, 0) + dib
data = (b"\x07TBitmap" + len(bmp).to_bytes(4, "little") + bmp).hex().upper()
lines = ["object Form1: TForm1", "  ClientWidth = 200", "  ClientHeight = 100"]
for i in range(10):
    lines += [f"  object I{i}: TImage", f"    Left = {i * 20}", "    Width = 16", "    Height = 16",
              "    Stretch = True", "    Picture.Data = {"]
    lines += ["      " + data[k:k + 64] for k in range(0, len(data), 64)]
    lines += ["    }", "  end"]
lines.append("end")
open(sys.argv[1], "w").write("\r\n".join(lines) + "\r\n")
PY
/usr/bin/time -f '%M' -o "$work/peak" "$tool" render "$work/pictures.dfm" -o "$work/p.png" 2> "$work/err" ||
  { cat "$work/err"; fail "render of the pictures failed"; }
grep -c "not decoded" "$work/err" | grep -qx 1 || { cat "$work/err"; fail "expected one log line for the refused pictures"; }
grep -q "^8 pictures were not decoded" "$work/err" || { cat "$work/err"; fail "expected 8 refused pictures"; }
peak=$(tail -1 "$work/peak")
[ "$peak" -lt 700000 ] || fail "rendering took $((peak / 1024)) MB"
echo ok
