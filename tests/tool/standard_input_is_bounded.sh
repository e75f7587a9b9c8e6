#!/usr/bin/env bash
# Standard input is read into memory that grows with it, never twice its
# size: a 150 MB form through a pipe converts within a 400 MB address-space
# limit, and an endless one ends with "Out of memory while reading standard
# input" instead of std::bad_alloc.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
# ulimit -v cannot hold a sanitizer build, which reserves terabytes of
# address space for its shadow memory.
if ldd "$tool" 2>/dev/null | grep -q libasan; then echo "skipped: ulimit -v does not fit a sanitizer build"; exit 0; fi
python3 - "$work/big.dfm" <<'PY'
import sys
line = b"  Caption = 'a caption of some length to fill the form'\r\n"
with open(sys.argv[1], "wb") as f:
    f.write(b"object Form1: TForm1\r\n")
    f.write(line * (150 * 1024 * 1024 // len(line)))
    f.write(b"end\r\n")
PY
( ulimit -v 400000; cat "$work/big.dfm" | "$tool" totext - > /dev/null 2> "$work/err" ) ||
  { cat "$work/err"; fail "a 150 MB form through a pipe did not convert in 400 MB"; }
( ulimit -v 400000; { printf 'object Form1: TForm1\r\n'; yes "  Caption = 'endless'"; } | "$tool" totext - > /dev/null 2> "$work/err" ); status=$?
[ "$status" -eq 1 ] || { cat "$work/err"; fail "endless input: expected exit 1, got $status"; }
grep -q "Out of memory while reading standard input" "$work/err" || { cat "$work/err"; fail "endless input: unclear message"; }
grep -q "bad_alloc" "$work/err" && fail "endless input reported as std::bad_alloc"
echo ok
