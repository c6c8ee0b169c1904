#!/usr/bin/env python3
"""make_icon.py: turns character-grid pictures (icons/*.txt) into a 16-colour Windows .ico file.

    make_icon.py OUTPUT.ico IMAGE.txt [IMAGE.txt ...]

Each IMAGE.txt holds one square image: lines starting with '#' are comments, every other
non-empty line is one row of pixels, top row first, one character per pixel (see PALETTE).
Each image becomes one entry of the icon, in the order given: up to 32x32 a 4-bit-per-pixel
bitmap, as every version of Windows reads it; larger ones (for screens above 96 dots per
inch) a PNG image, which Windows reads since Vista and which takes a tenth of the space.
"""
import struct
import sys
import zlib

# The standard 16-colour VGA palette, in Windows' index order. Lower case are the dark
# variants of the upper-case colours; '.' is transparent (AND-mask bit set).
PALETTE = [
    ("K", (0x00, 0x00, 0x00)),  # 0 black
    ("r", (0x80, 0x00, 0x00)),  # 1 maroon
    ("g", (0x00, 0x80, 0x00)),  # 2 dark green
    ("y", (0x80, 0x80, 0x00)),  # 3 olive
    ("b", (0x00, 0x00, 0x80)),  # 4 navy
    ("m", (0x80, 0x00, 0x80)),  # 5 purple
    ("c", (0x00, 0x80, 0x80)),  # 6 teal
    ("s", (0xC0, 0xC0, 0xC0)),  # 7 silver
    ("d", (0x80, 0x80, 0x80)),  # 8 dark grey
    ("R", (0xFF, 0x00, 0x00)),  # 9 red
    ("G", (0x00, 0xFF, 0x00)),  # 10 lime
    ("Y", (0xFF, 0xFF, 0x00)),  # 11 yellow
    ("B", (0x00, 0x00, 0xFF)),  # 12 blue
    ("M", (0xFF, 0x00, 0xFF)),  # 13 fuchsia
    ("C", (0x00, 0xFF, 0xFF)),  # 14 aqua
    ("W", (0xFF, 0xFF, 0xFF)),  # 15 white
]
TRANSPARENT = "."
INDEX_OF = {char: index for index, (char, _) in enumerate(PALETTE)}
ALLOWED_SIZES = (16, 24, 32, 48, 64)
LARGEST_BITMAP = 32  # larger pictures become PNG images


class PictureError(Exception):
    pass


def read_picture(path):
    """Returns the rows of palette indexes (None for transparent) of one picture file."""
    rows = []
    with open(path, encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            row = []
            for column, char in enumerate(line, 1):
                if char == TRANSPARENT:
                    row.append(None)
                elif char in INDEX_OF:
                    row.append(INDEX_OF[char])
                else:
                    raise PictureError(f"{path}:{number}:{column}: '{char}' is not a palette character")
            if rows and len(row) != len(rows[0]):
                raise PictureError(f"{path}:{number}: row has {len(row)} pixels, the first row {len(rows[0])}")
            rows.append(row)
    if not rows:
        raise PictureError(f"{path}: no pixel rows")
    size = len(rows[0])
    if len(rows) != size or size not in ALLOWED_SIZES:
        raise PictureError(f"{path}: picture is {size}x{len(rows)}, expected square {ALLOWED_SIZES}")
    return rows


def _padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def encode_image(rows):
    """The DIB of one icon image: header, palette, 4-bit colour rows, then the 1-bit AND mask.
    Both bitmaps are stored bottom row first with rows padded to 4 bytes, and the header's
    height counts both of them, as the icon format requires."""
    size = len(rows)
    colour_rows, mask_rows = [], []
    for row in reversed(rows):
        nibbles = [0 if index is None else index for index in row]
        colour_rows.append(_padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))))
        mask = bytearray((size + 7) // 8)
        for x, index in enumerate(row):
            if index is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(_padded(bytes(mask)))
    colour_bits, mask_bits = b"".join(colour_rows), b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         len(colour_bits) + len(mask_bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", blue, green, red, 0) for _, (red, green, blue) in PALETTE)
    return header + palette + colour_bits + mask_bits


def _png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def encode_png(rows):
    """A PNG image of the picture: 8-bit RGBA, transparent where the picture is."""
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(b"\0\0\0\0" if index is None else bytes(PALETTE[index][1]) + b"\xff"
                                     for index in row) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header) + _png_chunk(b"IDAT", zlib.compress(raw, 9)) +
            _png_chunk(b"IEND", b""))


def encode_icon(pictures):
    """A complete .ico file holding one image per picture: 16 colours, or PNG when large."""
    entries, images = b"", []
    offset = 6 + 16 * len(pictures)
    for rows in pictures:
        size = len(rows)
        large = size > LARGEST_BITMAP
        image = encode_png(rows) if large else encode_image(rows)
        colours, bits = (0, 32) if large else (16, 4)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(image), offset)
        images.append(image)
        offset += len(image)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images)


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        pictures = [read_picture(path) for path in argv[2:]]
    except (OSError, PictureError) as error:
        print(f"make_icon: {error}", file=sys.stderr)
        return 1
    with open(argv[1], "wb") as target:
        target.write(encode_icon(pictures))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
