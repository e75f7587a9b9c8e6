#!/usr/bin/env python3
"""Draws the outline's default pictures as 24-bit bitmap files.

Run from this folder: python3 outline_pictures.py. Each picture is drawn as
rows of characters; the bottom-left pixel is the background, which the
outline leaves out when it draws a picture.
"""
import struct

PALETTE = {
    '.': (255, 0, 255),    # background, left out when drawn
    'k': (0, 0, 0),
    'g': (128, 128, 128),
    'w': (255, 255, 255),
    'y': (255, 255, 0),
    'o': (128, 128, 0),
    's': (192, 192, 192),
}

PICTURES = {
    'OutlinePlus': [
        "...........",
        ".ggggggggg.",
        ".gwwwwwwwg.",
        ".gwwwkwwwg.",
        ".gwwwkwwwg.",
        ".gwkkkkkwg.",
        ".gwwwkwwwg.",
        ".gwwwkwwwg.",
        ".gwwwwwwwg.",
        ".ggggggggg.",
        "...........",
    ],
    'OutlineMinus': [
        "...........",
        ".ggggggggg.",
        ".gwwwwwwwg.",
        ".gwwwwwwwg.",
        ".gwwwwwwwg.",
        ".gwkkkkkwg.",
        ".gwwwwwwwg.",
        ".gwwwwwwwg.",
        ".gwwwwwwwg.",
        ".ggggggggg.",
        "...........",
    ],
    'OutlineClosed': [
        "................",
        "................",
        "..ooooo.........",
        ".oyyyyyo........",
        ".oyyyyyyoooooo..",
        ".oyyyyyyyyyyyok.",
        ".oyyyyyyyyyyyok.",
        ".oyyyyyyyyyyyok.",
        ".oyyyyyyyyyyyok.",
        ".oyyyyyyyyyyyok.",
        ".oyyyyyyyyyyyok.",
        ".oyyyyyyyyyyyok.",
        ".ooooooooooooook",
        "..kkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    'OutlineOpen': [
        "................",
        "................",
        "..ooooo.........",
        ".oyyyyyo........",
        ".oyyyyyyoooooo..",
        ".oyyyyyyyyyyyo..",
        ".oyyyoooooooooooo",
        ".oyyowwwwwwwwwwo",
        ".oyyowwwwwwwwwo.",
        ".oyowwwwwwwwwwo.",
        ".oyowwwwwwwwwo..",
        ".oowwwwwwwwwwo..",
        ".oowwwwwwwwwo...",
        ".ooooooooooooo..",
        "................",
        "................",
    ],
    'OutlineLeaf': [
        "................",
        "...kkkkkkk......",
        "...kwwwwwkk.....",
        "...kwwwwwkwk....",
        "...kwwwwwkkkk...",
        "...kwkkkwwwwk...",
        "...kwwwwwwwwk...",
        "...kwkkkkkkwk...",
        "...kwwwwwwwwk...",
        "...kwkkkkkkwk...",
        "...kwwwwwwwwk...",
        "...kwkkkkkkwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
        "................",
    ],
}


def bitmap_file(rows):
    height = len(rows)
    width = max(len(r) for r in rows)
    stride = (width * 3 + 3) // 4 * 4
    pixels = b''
    for row in reversed(rows):
        line = b''.join(bytes(reversed(PALETTE[ch])) for ch in row.ljust(width, '.')[:width])
        pixels += line + b'\0' * (stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


if __name__ == '__main__':
    for name, rows in PICTURES.items():
        with open(name + '.bmp', 'wb') as f:
            f.write(bitmap_file([r[:16] for r in rows]))
