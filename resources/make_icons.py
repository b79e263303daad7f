#!/usr/bin/env python3
"""Draws Tallix's two icons and writes them as .ico files (32-bit BGRA images).

IMAGE_CALCULATOR3: the program icon, a desk calculator with its paper tape.
IMAGE_GENERAL: the transfer key's picture, two computers and a transfer arrow.
Usage: make_icons.py OUTPUT_FOLDER
"""
import os
import struct
import sys


def blank(size):
    return [[(0, 0, 0, 0) for _ in range(size)] for _ in range(size)]


def rect(img, x0, y0, x1, y1, rgba):
    size = len(img)
    for y in range(max(0, y0), min(size, y1)):
        for x in range(max(0, x0), min(size, x1)):
            img[y][x] = rgba


def frame(img, x0, y0, x1, y1, rgba):
    rect(img, x0, y0, x1, y0 + 1, rgba)
    rect(img, x0, y1 - 1, x1, y1, rgba)
    rect(img, x0, y0, x0 + 1, y1, rgba)
    rect(img, x1 - 1, y0, x1, y1, rgba)


OUTLINE = (40, 40, 48, 255)
BODY = (196, 200, 210, 255)
DISPLAY = (40, 64, 56, 255)
DIGITS = (150, 230, 170, 255)
KEY = (245, 245, 248, 255)
OPKEY = (220, 60, 50, 255)
PAPER = (255, 255, 250, 255)
INK = (70, 90, 200, 255)
SCREEN = (90, 150, 230, 255)
ARROW = (30, 160, 60, 255)

# Every size a window or key asks for from 100 % to 200 % display scale.
SIZES = (16, 20, 24, 32, 40, 48, 64)


def calculator(size):
    img = blank(size)
    s = size / 32.0

    def r(a, b, c, d, col):
        rect(img, round(a * s), round(b * s), round(c * s), round(d * s), col)

    # paper tape rising behind the calculator
    r(18, 0, 29, 14, PAPER)
    frame(img, round(18 * s), 0, round(29 * s), round(14 * s), OUTLINE)
    for line in (3, 6, 9):
        r(20, line, 27, line + 1, INK)
    # body
    r(2, 9, 30, 32, BODY)
    frame(img, round(2 * s), round(9 * s), round(30 * s), size, OUTLINE)
    # display
    r(5, 12, 27, 17, DISPLAY)
    r(17, 14, 25, 15, DIGITS)
    # keys: 4 columns, 3 rows; the right column holds the operators
    for row in range(3):
        for col in range(4):
            x = 5 + col * 6
            y = 19 + row * 4
            colour = OPKEY if col == 3 else KEY
            r(x, y, x + 4, y + 3, colour)
    return img


def transfer(size):
    img = blank(size)
    s = size / 32.0

    def r(a, b, c, d, col):
        rect(img, round(a * s), round(b * s), round(c * s), round(d * s), col)

    for left in (1, 19):
        r(left, 4, left + 12, 14, OUTLINE)
        r(left + 1, 5, left + 11, 13, SCREEN)
        r(left + 4, 14, left + 8, 17, OUTLINE)
        r(left + 1, 17, left + 11, 19, OUTLINE)
    # arrow from the left computer to the right one
    r(6, 24, 24, 27, ARROW)
    for i in range(5):
        r(22 + i, 21 + i, 23 + i, 30 - i, ARROW)
    return img


def ico(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    blobs = b""
    offset = 6 + 16 * len(images)
    for img in images:
        size = len(img)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        pixels = b"".join(
            bytes((b, g, r, a)) for row in reversed(img) for (r, g, b, a) in row
        )
        mask_row = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(img):
            bits = bytearray(mask_row)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        blob = info + pixels + mask
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "calculator3.ico"), "wb") as f:
        f.write(ico([calculator(size) for size in SIZES]))
    with open(os.path.join(out, "general.ico"), "wb") as f:
        f.write(ico([transfer(size) for size in SIZES]))


if __name__ == "__main__":
    main()
