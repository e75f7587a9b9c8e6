#!/usr/bin/env bash
# How `tessaly-tool render` grows with what a form holds: wall time and peak
# resident memory of the whole process for generated forms, doubling one
# quantity at a time. Each row should grow at most in proportion to its size.
#   bash bench/bounded_work.sh [BUILD-DIR]
# Families: N labelled buttons; a multi-line page control of N tabs; a
# word-wrapped auto-sized label of N characters; one panel declared N pixels
# square on a 300 x 300 form; N run-length pictures of 4096 x 4096 each.
set -euo pipefail
build="${1:-build}"
tool="$build/tools/tessaly-tool"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

make_form() {  # make_form FAMILY N FILE
  python3 - "$@" <<'PY'
import struct, sys
family, n, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
out = ["object Form1: TForm1", "  ClientWidth = 300", "  ClientHeight = 300"]
def rle_bitmap(w, h):
    rows = b""
    for _ in range(h):
        x = 0
        while x < w:
            k = min(255, w - x); rows += bytes([k, 0]); x += k
        rows += b"\0\0"
    rows += b"\0\1"
    dib = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, len(rows), 2835, 2835, 1, 0) + b"\0\0\xff\0" + rows
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, 0) + dib
if family == "controls":
    for i in range(n):
        out += [f"  object B{i}: TButton", f"    Left = {i % 20 * 14}", f"    Top = {i // 20 % 20 * 14}",
                "    Width = 12", "    Height = 12", f"    Caption = 'B{i}'", "  end"]
elif family == "tabs":
    out += ["  object P: TPageControl", "    Width = 300", "    Height = 300", "    MultiLine = True"]
    for i in range(n):
        out += [f"    object S{i}: TTabSheet", f"      Caption = 'Page {i}'", "    end"]
    out += ["  end"]
elif family == "caption":
    words = ("lorem ipsum dolor sit amet " * (n // 27 + 1))[:n]
    chunks = [words[i:i + 200] for i in range(0, len(words), 200)]
    out += ["  object L: TLabel", "    Width = 280", "    AutoSize = True", "    WordWrap = True",
            "    Caption = " + " + ".join("'" + c + "'" for c in chunks), "  end"]
elif family == "declared":
    out += ["  object P: TPanel", f"    Width = {n}", f"    Height = {n}", "    Caption = 'x'", "  end"]
elif family == "pictures":
    data = rle_bitmap(4096, 4096)
    blob = (len(data)).to_bytes(4, "little") + data
    hexed = blob.hex().upper()
    for i in range(n):
        out += [f"  object I{i}: TImage", "    Width = 40", "    Height = 40", "    Picture.Data = {",
                "      07544269746D6170" + hexed, "    }", "  end"]
out += ["end"]
open(path, "w").write("\r\n".join(out) + "\r\n")
PY
}

printf '%-10s %10s %10s %12s\n' family size seconds "peak MB"
run() {  # run FAMILY SIZES...
  local family="$1"; shift
  for n in "$@"; do
    make_form "$family" "$n" "$work/f.dfm"
    /usr/bin/time -f '%e %M' -o "$work/time" "$tool" render "$work/f.dfm" -o "$work/f.png" 2> /dev/null || true
    read -r secs kb < "$work/time"
    printf '%-10s %10s %10s %12s\n' "$family" "$n" "$secs" "$((kb / 1024))"
  done
}
run controls 500 1000 2000 4000
run tabs 500 1000 2000 4000
run caption 25000 50000 100000 200000
run declared 3000 6000 12000 30000
run pictures 1 2 4 8 16
