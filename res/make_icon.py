#!/usr/bin/env python3
"""Builds quillbox.ico, the program's icon group, from the pixel map quillbox_icon.txt.

The map is the reviewable source of the icon: one character per pixel, 32 lines of 32. Its
legend gives each character a colour of the standard 16-colour palette and the black or white
it becomes in the 2-colour image; '.' is transparent. The .ico holds two 32 x 32 images, the
2-colour one first (1 bit per pixel, 304 bytes) and the 16-colour one second (4 bits per pixel,
744 bytes), as classic Windows icons are laid out.

    make_icon.py quillbox_icon.txt quillbox.ico          writes the icon
    make_icon.py --check quillbox_icon.txt quillbox.ico  fails unless the icon matches the map
"""
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
PALETTE2 = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF)]
TRANSPARENT = "."


def fail(message):
    sys.exit("make_icon.py: " + message)


def read_map(path):
    """Returns the legend {char: (index16, index2)} and the 32 rows of the map."""
    legend = {}
    rows = []
    with open(path, encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith("colour "):
                # colour <char> <index 0..15> <black|white> [name]
                fields = line.split()
                if len(fields) < 4 or len(fields[1]) != 1 or fields[3] not in ("black", "white"):
                    fail(f"{path}:{number}: expected 'colour <char> <index> <black|white>'")
                index = int(fields[2])
                if not 0 <= index < 16 or fields[1] == TRANSPARENT:
                    fail(f"{path}:{number}: bad colour entry")
                legend[fields[1]] = (index, 0 if fields[3] == "black" else 1)
                continue
            if len(line) != SIZE:
                fail(f"{path}:{number}: a pixel row must have {SIZE} characters")
            for char in line:
                if char != TRANSPARENT and char not in legend:
                    fail(f"{path}:{number}: character '{char}' is not in the legend")
            rows.append(line)
    if len(rows) != SIZE:
        fail(f"{path}: expected {SIZE} pixel rows, found {len(rows)}")
    return legend, rows


def pack_rows(values, bits):
    """Packs rows of pixel values (top row first) bottom-up, each row padded to 4 bytes."""
    data = b""
    for row in reversed(values):
        packed = 0
        for value in row:
            packed = (packed << bits) | value
        width = SIZE * bits
        padded = (width + 31) // 32 * 32
        data += (packed << (padded - width)).to_bytes(padded // 8, "big")
    return data


def image(legend, rows, bits):
    """One icon image: BITMAPINFOHEADER, palette, colour (XOR) bitmap, transparency (AND) mask."""
    palette = PALETTE2 if bits == 1 else PALETTE16
    slot = 1 if bits == 1 else 0
    # Transparent pixels are black in the colour bitmap and set in the mask, so that the
    # screen shows through unchanged.
    colours = [[0 if c == TRANSPARENT else legend[c][slot] for c in row] for row in rows]
    mask = [[1 if c == TRANSPARENT else 0 for c in row] for row in rows]
    xor = pack_rows(colours, bits)
    and_mask = pack_rows(mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, bits, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + quads + xor + and_mask


def icon_file(legend, rows):
    images = [(2, 1, image(legend, rows, 1)), (16, 4, image(legend, rows, 4))]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for colours, bits, body in images:
        data += struct.pack("<BBBBHHII", SIZE, SIZE, colours, 0, 1, bits, len(body), offset)
        offset += len(body)
    return data + b"".join(body for _, _, body in images)


def main(argv):
    check = argv[1:2] == ["--check"]
    args = argv[2:] if check else argv[1:]
    if len(args) != 2:
        fail("usage: make_icon.py [--check] quillbox_icon.txt quillbox.ico")
    legend, rows = read_map(args[0])
    data = icon_file(legend, rows)
    if check:
        with open(args[1], "rb") as existing:
            if existing.read() != data:
                fail(f"{args[1]} does not match {args[0]}; run make_icon.py to rebuild it")
        return
    with open(args[1], "wb") as output:
        output.write(data)


if __name__ == "__main__":
    main(sys.argv)
