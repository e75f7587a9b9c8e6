#!/usr/bin/env python3
"""Draws Tessaly's application icon and writes it as a Windows .ico file.

The icon is 32 by 32 pixels in the standard 16-colour palette (4 bits per
pixel) with a 1-bit transparency mask: a main window with its two panes and
its button, looked at through a magnifying glass.

    python3 scripts/make_icon.py resources/Tessaly.ico
"""
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, OLIVE, NAVY, TEAL, SILVER, GREY = 0, 1, 3, 4, 6, 7, 8
RED, YELLOW, BLUE, AQUA, WHITE = 9, 11, 12, 14, 15
CLEAR = None  # transparent


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def fill(img, left, top, right, bottom, colour):
    """Fills the rectangle with inclusive corners."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            img[y][x] = colour


def frame(img, left, top, right, bottom, colour):
    fill(img, left, top, right, top, colour)
    fill(img, left, bottom, right, bottom, colour)
    fill(img, left, top, left, bottom, colour)
    fill(img, right, top, right, bottom, colour)


def disc(img, cx, cy, radius, colour):
    """Pixels whose centres lie within radius of (cx, cy)."""
    for y in range(SIZE):
        for x in range(SIZE):
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                img[y][x] = colour


def draw_window(img):
    frame(img, 0, 1, 24, 24, BLACK)
    fill(img, 1, 2, 23, 5, NAVY)                # title bar
    fill(img, 2, 3, 9, 4, WHITE)                # caption
    fill(img, 20, 3, 22, 4, SILVER)             # close box
    fill(img, 1, 6, 23, 23, SILVER)             # client area
    fill(img, 2, 8, 8, 19, WHITE)               # component pane
    frame(img, 2, 8, 8, 19, GREY)
    for y in (10, 12, 14):
        fill(img, 4, y, 7, y, BLUE)
    fill(img, 10, 8, 22, 19, WHITE)             # source pane
    frame(img, 10, 8, 22, 19, GREY)
    for y, right in ((10, 19), (12, 17), (14, 20), (16, 16)):
        fill(img, 12, y, right, y, BLACK)
    fill(img, 7, 21, 17, 22, GREY)              # buttons
    fill(img, 8, 21, 11, 21, WHITE)
    fill(img, 14, 21, 16, 21, WHITE)


def draw_glass(img):
    # Handle first, so that the rim covers its top end.
    for i in range(7):
        x, y = 25 + i, 25 + i
        for dx, dy, colour in ((-1, 0, BLACK), (0, -1, BLACK), (0, 0, MAROON),
                               (1, 0, MAROON), (0, 1, MAROON), (1, 1, BLACK)):
            if 0 <= x + dx < SIZE and 0 <= y + dy < SIZE:
                img[y + dy][x + dx] = colour
    cx, cy = 20, 19
    disc(img, cx, cy, 8.3, BLACK)               # rim
    disc(img, cx, cy, 7.3, YELLOW)
    disc(img, cx, cy, 6.3, BLACK)
    disc(img, cx, cy, 5.6, AQUA)                # lens, showing a magnified line
    for x in range(16, 25):
        for y in (17, 18):
            if (x - cx) ** 2 + (y - cy) ** 2 <= 5.6 ** 2:
                img[y][x] = NAVY
    for x in range(16, 22):
        for y in (21, 22):
            if (x - cx) ** 2 + (y - cy) ** 2 <= 5.6 ** 2:
                img[y][x] = NAVY
    img[15][17] = WHITE                          # glint
    img[16][16] = WHITE


def ico_bytes(img):
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):              # rows are stored bottom-up
        row = img[y]
        xor = bytearray()
        for x in range(0, SIZE, 2):
            hi, lo = row[x] or 0, row[x + 1] or 0
            xor.append((hi << 4) | lo)
        mask = 0
        for x in range(SIZE):
            if row[x] is CLEAR:
                mask |= 1 << (SIZE - 1 - x)
        xor_rows.append(bytes(xor))
        and_rows.append(struct.pack(">I", mask))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUT.ico")
    img = blank()
    draw_window(img)
    draw_glass(img)
    with open(sys.argv[1], "wb") as out:
        out.write(ico_bytes(img))


if __name__ == "__main__":
    main()
