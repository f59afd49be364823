#!/usr/bin/env python3
"""Draws the program's icon, a small message box (title bar with its close
box, text lines and an OK button) with a soft shadow, at every size Windows
asks for at the usual display scales, and writes wizard.ico:

    make_icon.py [wizard.ico]          writes the icon
    make_icon.py --check wizard.ico    exits 1 when the file is not what this
                                       script draws (it is kept in the
                                       repository, so that a build needs no
                                       Python)

Every image is 32-bit with alpha; the 256-pixel one is stored as PNG, the
others as bitmaps, which every Windows reads. Edges are placed on whole
pixels at each size, so that the small images stay sharp."""
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# From this size on an image is stored as PNG; Windows shows it from Vista on.
PNG_FROM = 256
DESIGN = 32  # the unit grid the layout below is drawn on

CLEAR = (0, 0, 0, 0)
SHADOW = (0, 0, 0, 64)
FRAME = (40, 40, 40, 255)
TITLE = (15, 86, 204, 255)
CLOSE_BOX = (220, 60, 60, 255)
BODY = (250, 250, 250, 255)
TEXT = (90, 90, 90, 255)
BUTTON = (60, 150, 60, 255)
BUTTON_TEXT = (255, 255, 255, 255)
TEXT_LINE_ENDS = (0.86, 0.62, 0.74)  # each line's length, of the text area's width


def draw(size):
    """The image as rows of (red, green, blue, alpha), top row first."""
    pixels = [[CLEAR] * size for _ in range(size)]
    scale = size / DESIGN

    def at(value):  # a place on the design grid, in whole pixels
        return int(value * scale + 0.5)

    def thick(value):  # a thickness on the design grid: whole pixels, at least one
        return max(1, int(value * scale))

    def fill(left, top, right, bottom, colour):  # right and bottom excluded
        for y in range(max(top, 0), min(bottom, size)):
            for x in range(max(left, 0), min(right, size)):
                pixels[y][x] = colour

    frame = (at(1), at(3), size - at(1), size - at(3))
    if size >= 24:
        shadow = thick(1)
        fill(frame[0] + shadow, frame[1] + shadow, frame[2] + shadow, frame[3] + shadow, SHADOW)
    fill(*frame, FRAME)
    line = thick(1)
    left, top, right, bottom = frame[0] + line, frame[1] + line, frame[2] - line, frame[3] - line
    fill(left, top, right, bottom, BODY)
    title_bottom = max(at(10), top + 3)
    fill(left, top, right, title_bottom, TITLE)
    close = title_bottom - top - 2 * line
    fill(right - line - close, top + line, right - line, title_bottom - line, CLOSE_BOX)

    # The OK button sits in the lower right corner; the text lines fill the
    # space above it, as many as fit with a gap between them and the button.
    margin = max(1, at(2))
    button = (right - margin - at(11), bottom - margin - max(3, int(5 * scale)), right - margin, bottom - margin)
    fill(*button, BUTTON)
    label_top = (button[1] + button[3] - line) // 2
    fill(button[0] + margin, label_top, button[2] - margin, label_top + line, BUTTON_TEXT)
    text_left = left + at(3)
    text_width = right - margin - text_left
    text_line = thick(2)
    pitch = max(text_line + 1, at(3))
    y = title_bottom + margin
    for end in TEXT_LINE_ENDS:
        if y + text_line >= button[1]:
            break
        fill(text_left, y, text_left + max(1, int(text_width * end)), y + text_line, TEXT)
        y += pitch
    return pixels


def png_bytes(pixels):
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8 bits a channel, RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def bitmap_bytes(pixels):
    """A bitmap icon image: the header (twice the height: colour and mask),
    the colour rows in BGRA and the 1-bit mask of the clear pixels, both
    bottom-up, each mask row padded to 32 bits."""
    size = len(pixels)
    colour = bytearray()
    mask = bytearray()
    mask_row_bytes = (size + 31) // 32 * 4
    for row in reversed(pixels):
        bits = 0
        for red, green, blue, alpha in row:
            colour += bytes((blue, green, red, alpha))
            bits = bits << 1 | (alpha == 0)
        mask += (bits << (mask_row_bytes * 8 - size)).to_bytes(mask_row_bytes, "big")
    image = bytes(colour) + bytes(mask)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(image), 0, 0, 0, 0)
    return header + image


def image_bytes(size):
    pixels = draw(size)
    return png_bytes(pixels) if size >= PNG_FROM else bitmap_bytes(pixels)


def icon_bytes():
    images = [image_bytes(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def decoded_images(data):
    """The images of an icon file, a PNG one by its header and its pixel
    data, so that the comparison does not depend on zlib's exact output."""
    count = struct.unpack_from("<H", data, 4)[0]
    images = []
    for index in range(count):
        entry = data[6 + 16 * index:22 + 16 * index]
        length, offset = struct.unpack_from("<II", entry, 8)
        image = data[offset:offset + length]
        if image.startswith(b"\x89PNG"):
            header = image[16:29]
            idat_length = struct.unpack_from(">I", image, 33)[0]
            image = header + zlib.decompress(image[41:41 + idat_length])
        images.append((entry[:8], image))
    return images


def main(arguments):
    if arguments[:1] == ["--check"] and len(arguments) == 2:
        with open(arguments[1], "rb") as existing:
            if decoded_images(existing.read()) != decoded_images(icon_bytes()):
                print(f"{arguments[1]} is not what {sys.argv[0]} draws: run it and commit the icon",
                      file=sys.stderr)
                return 1
        return 0
    with open(arguments[0] if arguments else "wizard.ico", "wb") as out:
        out.write(icon_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
