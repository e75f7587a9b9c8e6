#!/usr/bin/env python3
"""Builds Inventory.exe, a small Windows program (PE32) whose resources hold
the two forms beside this script, as a Delphi program holds its forms: each
an RT_RCDATA resource named after its class in capitals, US English.

    python3 examples/program/make_program.py PATH/TO/tessaly-tool

The program has no code worth running; it exists to be opened by Tessaly
(tessaly-tool forms/extract/render Inventory.exe:TMAINFORM, the main window).
"""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FORMS = ["MainForm.dfm", "AboutBox.dfm"]
LANGUAGE = 0x0409
FILE_ALIGN, SECTION_ALIGN, RSRC_RVA = 0x200, 0x1000, 0x1000


def binary_form(tool, dfm):
    """The binary form stream (from "TPF0") of a form text file."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "form.bin")
        subprocess.run([tool, "tobinary", dfm, "-o", out], check=True)
        data = open(out, "rb").read()
    return data[data.index(b"TPF0"):]


def resource_section(forms):
    """Type directory (RT_RCDATA) -> name directories -> one language each."""
    forms = sorted(forms)  # named entries are sorted by name
    n = len(forms)
    root, type_dir = 0, 24
    lang_dirs = [type_dir + 16 + 8 * n + i * 24 for i in range(n)]
    entries = lang_dirs[-1] + 24
    names_at, strings = entries + 16 * n, b""
    name_offsets = []
    for name, _ in forms:
        name_offsets.append(names_at + len(strings))
        strings += struct.pack("<H", len(name)) + name.encode("utf-16-le")
    data_at = (names_at + len(strings) + 3) & ~3
    out = bytearray(data_at)
    struct.pack_into("<IIHHHH", out, root, 0, 0, 0, 0, 0, 1)
    struct.pack_into("<II", out, root + 16, 10, 0x80000000 | type_dir)
    struct.pack_into("<IIHHHH", out, type_dir, 0, 0, 0, 0, n, 0)
    for i, (name, data) in enumerate(forms):
        struct.pack_into("<II", out, type_dir + 16 + 8 * i, 0x80000000 | name_offsets[i], 0x80000000 | lang_dirs[i])
        struct.pack_into("<IIHHHH", out, lang_dirs[i], 0, 0, 0, 0, 0, 1)
        struct.pack_into("<II", out, lang_dirs[i] + 16, LANGUAGE, entries + 16 * i)
    out[names_at:names_at + len(strings)] = strings
    for i, (name, data) in enumerate(forms):
        struct.pack_into("<IIII", out, entries + 16 * i, RSRC_RVA + len(out), len(data), 0, 0)
        out += data + b"\0" * (-len(data) % 4)
    return bytes(out)


def program(section):
    raw_size = (len(section) + FILE_ALIGN - 1) // FILE_ALIGN * FILE_ALIGN
    headers = bytearray(FILE_ALIGN)
    headers[0:2] = b"MZ"
    struct.pack_into("<I", headers, 0x3C, 0x80)
    headers[0x80:0x84] = b"PE\0\0"
    struct.pack_into("<HHIIIHH", headers, 0x84, 0x14C, 1, 0, 0, 0, 224, 0x0102)
    opt = 0x98
    image_size = RSRC_RVA + (len(section) + SECTION_ALIGN - 1) // SECTION_ALIGN * SECTION_ALIGN
    struct.pack_into("<HBBIIIIII", headers, opt, 0x10B, 1, 0, 0, raw_size, 0, 0, 0, 0)
    struct.pack_into("<IIIHHHHHHIIIIHH", headers, opt + 28, 0x400000, SECTION_ALIGN, FILE_ALIGN,
                     4, 0, 0, 0, 4, 0, 0, image_size, FILE_ALIGN, 0, 2, 0)
    struct.pack_into("<IIIIII", headers, opt + 72, 0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
    struct.pack_into("<II", headers, opt + 96 + 2 * 8, RSRC_RVA, len(section))
    struct.pack_into("<8sIIIIIIHHI", headers, opt + 224, b".rsrc", len(section), RSRC_RVA, raw_size,
                     FILE_ALIGN, 0, 0, 0, 0, 0x40000040)
    return bytes(headers) + section + b"\0" * (raw_size - len(section))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_program.py PATH/TO/tessaly-tool")
    forms = []
    for dfm in FORMS:
        data = binary_form(sys.argv[1], os.path.join(HERE, dfm))
        class_name = data[5:5 + data[4]].decode("ascii")
        forms.append((class_name.upper(), data))
    target = os.path.join(HERE, "Inventory.exe")
    with open(target, "wb") as f:
        f.write(program(resource_section(forms)))
    print(target)


if __name__ == "__main__":
    main()
