#!/usr/bin/env python3
"""Draws the program's icon: a small message box (title bar, text lines and
an OK button) as one 32 x 32 image in 24-bit colour, and writes wizard.ico."""
import struct
import sys

SIZE = 32
TRANSPARENT = None
FRAME = (40, 40, 40)
TITLE = (15, 86, 204)
CLOSE_BOX = (220, 60, 60)
BODY = (250, 250, 250)
TEXT = (90, 90, 90)
BUTTON = (60, 150, 60)
BUTTON_TEXT = (255, 255, 255)


def draw():
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def rectangle(left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                pixels[y][x] = colour

    rectangle(1, 3, 30, 28, FRAME)
    rectangle(2, 4, 29, 27, BODY)
    rectangle(2, 4, 29, 9, TITLE)
    rectangle(25, 5, 28, 8, CLOSE_BOX)
    for top, right in ((12, 26), (15, 22), (18, 24)):
        rectangle(5, top, right, top + 1, TEXT)
    rectangle(17, 21, 27, 25, BUTTON)
    rectangle(19, 23, 25, 23, BUTTON_TEXT)
    return pixels


def icon_bytes(pixels):
    colour_rows = []
    mask_rows = []
    for y in reversed(range(SIZE)):  # bottom-up rows
        colour = bytearray()
        mask_bits = 0
        for x in range(SIZE):
            pixel = pixels[y][x]
            if pixel is TRANSPARENT:
                colour += bytes((0, 0, 0))
                mask_bits |= 1 << (SIZE - 1 - x)
            else:
                red, green, blue = pixel
                colour += bytes((blue, green, red))
        colour_rows.append(bytes(colour))
        mask_rows.append(struct.pack(">I", mask_bits))
    image = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(image), 0, 0, 0, 0)
    data = header + image
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(data), 6 + 16)
    return directory + entry + data


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "wizard.ico"
    with open(target, "wb") as out:
        out.write(icon_bytes(draw()))
