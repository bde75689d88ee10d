"""Writers for Windows .bmp and .ico files, plus the pixel-grid helper the
drawing scripts share.

Everything is written by hand with struct so the output is byte-for-byte
stable and uses exactly the layouts windres and LoadImage expect:
BITMAPINFOHEADER, bottom-up rows, no compression, and in icons a BMP-encoded
XOR image followed by a 1-bit AND mask.
"""

import struct

from PIL import Image

BLACK = (0, 0, 0)
MAROON = (128, 0, 0)
GREEN = (0, 128, 0)
OLIVE = (128, 128, 0)
NAVY = (0, 0, 128)
PURPLE = (128, 0, 128)
TEAL = (0, 128, 128)
SILVER = (192, 192, 192)
GREY = (128, 128, 128)
RED = (255, 0, 0)
LIME = (0, 255, 0)
YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)
FUCHSIA = (255, 0, 255)
AQUA = (0, 255, 255)
WHITE = (255, 255, 255)

# The sixteen colours every display can show, in the order Windows uses.
CLASSIC16 = [BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
             GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE]

TRANSPARENT = (0, 0, 0, 0)

# One letter for each classic colour, for pixel grids drawn as text.
CLASSIC_LETTERS = {
    "K": BLACK, "M": MAROON, "G": GREEN, "O": OLIVE, "N": NAVY, "P": PURPLE,
    "T": TEAL, "s": SILVER, "g": GREY, "R": RED, "L": LIME, "Y": YELLOW,
    "B": BLUE, "F": FUCHSIA, "A": AQUA, "W": WHITE,
}


def from_rows(rows, colours=CLASSIC_LETTERS):
    """Build an RGBA image from equal-length strings, one character a pixel.

    `colours` maps each character to an RGB triple, or to None for a
    transparent pixel; '.' is always transparent.
    """
    width = len(rows[0])
    image = Image.new("RGBA", (width, len(rows)), TRANSPARENT)
    for y, row in enumerate(rows):
        if len(row) != width:
            raise ValueError(f"row {y} is {len(row)} wide, expected {width}")
        for x, char in enumerate(row):
            colour = None if char == "." else colours[char]
            if colour is not None:
                image.putpixel((x, y), colour + (255,))
    return image


def outlined(image, colour):
    """Copy of an RGBA image with a one-pixel edge of `colour` around every
    opaque area (drawn on the transparent side, touching edges only)."""
    width, height = image.size
    alpha = image.getchannel("A")
    result = image.copy()
    for y in range(height):
        for x in range(width):
            if alpha.getpixel((x, y)):
                continue
            neighbours = [(x + dx, y + dy) for dx, dy in
                          ((1, 0), (-1, 0), (0, 1), (0, -1))]
            if any(0 <= nx < width and 0 <= ny < height
                   and alpha.getpixel((nx, ny)) for nx, ny in neighbours):
                result.putpixel((x, y), colour + (255,))
    return result


def _row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def _pack_row(values, bits):
    """Pack palette indices (or 0/1 mask bits) into one padded DIB row."""
    out = bytearray(_row_stride(len(values), bits))
    per_byte = 8 // bits
    for x, value in enumerate(values):
        shift = 8 - bits * (x % per_byte + 1)
        out[x // per_byte] |= value << shift
    return bytes(out)


def _info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 2835, 2835, colours_used, 0)


def _palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def _indices(image, palette):
    """Palette index of every pixel, rows top-down; colours must be exact."""
    lookup = {colour: i for i, colour in enumerate(palette)}
    rgb = image.convert("RGB")
    width, height = rgb.size
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            colour = rgb.getpixel((x, y))
            if colour not in lookup:
                raise ValueError(f"colour {colour} at {x},{y} not in palette")
            row.append(lookup[colour])
        rows.append(row)
    return rows


def bmp_bytes(image, bits, palette=None):
    """Encode an RGB image as an uncompressed bottom-up BMP.

    bits is 4 or 8 (palette required, every pixel colour must be in it)
    or 24.
    """
    width, height = image.size
    if bits == 24:
        rgb = image.convert("RGB")
        stride = _row_stride(width, 24)
        rows = []
        for y in range(height):
            row = bytearray(stride)
            for x in range(width):
                r, g, b = rgb.getpixel((x, y))
                row[x * 3:x * 3 + 3] = bytes((b, g, r))
            rows.append(bytes(row))
        colour_table = b""
        colours_used = 0
    else:
        if len(palette) > 1 << bits:
            raise ValueError(f"{len(palette)} colours do not fit {bits} bits")
        rows = [_pack_row(r, bits) for r in _indices(image, palette)]
        colour_table = _palette_bytes(palette)
        colours_used = len(palette)
    pixels = b"".join(reversed(rows))
    offset = 14 + 40 + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0,
                              offset)
    return (file_header
            + _info_header(width, height, bits, len(pixels), colours_used)
            + colour_table + pixels)


def _and_mask_rows(image, threshold):
    alpha = image.getchannel("A")
    width, height = image.size
    return [[1 if alpha.getpixel((x, y)) < threshold else 0
             for x in range(width)] for y in range(height)]


def _icon_image_bytes(image, bits):
    """One icon image: header with doubled height, XOR bitmap, AND mask."""
    width, height = image.size
    mask = _and_mask_rows(image, 128)
    if bits == 32:
        rgba = image.convert("RGBA")
        xor_rows = []
        for y in range(height):
            row = bytearray()
            for x in range(width):
                r, g, b, a = rgba.getpixel((x, y))
                row += bytes((b, g, r, a)) if a else bytes(4)
            xor_rows.append(bytes(row))
        colour_table = b""
    elif bits == 4:
        opaque = Image.new("RGB", image.size, BLACK)
        opaque.paste(image, mask=image.getchannel("A").point(
            lambda a: 255 if a >= 128 else 0))
        xor_rows = [_pack_row(r, 4) for r in _indices(opaque, CLASSIC16)]
        colour_table = _palette_bytes(CLASSIC16)
    else:
        raise ValueError(f"icons are drawn at 4 or 32 bits, not {bits}")
    and_rows = [_pack_row(r, 1) for r in mask]
    body = b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    header = _info_header(width, height * 2, bits, len(body), 0)
    return header + colour_table + body


def ico_bytes(images):
    """Encode (RGBA image, bits) pairs as one .ico file.

    32-bit images keep their alpha; 4-bit images use the classic palette and
    the AND mask alone decides transparency.
    """
    encoded = [(image.size, bits, _icon_image_bytes(image, bits))
               for image, bits in images]
    offset = 6 + 16 * len(encoded)
    directory = struct.pack("<HHH", 0, 1, len(encoded))
    for (width, height), bits, data in encoded:
        colour_count = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", width % 256, height % 256,
                                 colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, _, data in encoded)


def save(path, data):
    with open(path, "wb") as f:
        f.write(data)
