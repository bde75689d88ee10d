"""Program icon: a larkspur spike with a clock face at its foot.

The 32 and 48 pixel images are drawn as shapes; the 16 pixel image is
drawn pixel by pixel so it stays legible in the notification area.  Each
image exists twice: full colour with alpha, and in the sixteen classic
colours for displays that cannot show more.
"""

import math
from collections import Counter

from PIL import Image, ImageDraw

from picture_files import (BLACK, BLUE, GREEN, LIME, NAVY, RED,
                           SILVER, WHITE, YELLOW, from_rows, ico_bytes,
                           outlined, save)

FILE_NAME = "icon120_program.ico"

SUPERSAMPLE = 8

# Role: (full colour, classic colour).
ROLES = {
    "stem": ((46, 128, 52), GREEN),
    "leaf": ((90, 180, 70), LIME),
    "petal": ((104, 96, 240), BLUE),
    "petal_light": ((175, 170, 255), BLUE),
    "bud": ((70, 52, 170), NAVY),
    "eye": ((250, 248, 255), WHITE),
    "outline": ((28, 24, 72), BLACK),
    "face": ((255, 253, 240), WHITE),
    "rim": ((214, 160, 40), YELLOW),
    "hand": ((20, 20, 28), BLACK),
    "tick": ((128, 128, 150), SILVER),
    "pin": ((210, 40, 40), RED),
}

FULL, CLASSIC = 0, 1

# The 16 pixel drawing.  The spike is outlined in the bud colour afterwards.
SPIKE_16 = [
    "....d...........",
    "...ddd..........",
    "...lbg..........",
    "...bebl.........",
    "..lbgbeb........",
    ".lbebbb.........",
    ".bbbglb.........",
    "..lbbbeb........",
    ".lbebgbb........",
    ".bbbglb.........",
    "..lbbbeb........",
    ".lbebbbb........",
    ".bbbg...........",
    "..LLg...........",
    ".LLLg...........",
    "....g...........",
]

CLOCK_16 = [
    "..KKKKK..",
    ".KrrrrrK.",
    "KrWWhWWrK",
    "KrWWhWWrK",
    "KrWWxhhrK",
    "KrWWWWWrK",
    "KrWWWWWrK",
    ".KrrrrrK.",
    "..KKKKK..",
]

LETTER_ROLES = {
    "d": "bud", "b": "petal", "l": "petal_light", "e": "eye", "g": "stem",
    "L": "leaf", "K": "outline", "r": "rim", "W": "face", "h": "hand",
    "x": "pin",
}


def _colours(scheme):
    return {name: pair[scheme] for name, pair in ROLES.items()}


def pixel_icon_16(scheme):
    colours = _colours(scheme)
    letters = {k: colours[role] for k, role in LETTER_ROLES.items()}
    image = outlined(from_rows(SPIKE_16, letters), colours["bud"])
    image.alpha_composite(from_rows(CLOCK_16, letters), (7, 7))
    return image


class _Pen:
    """Draws in icon units (0..1) onto a supersampled canvas."""

    def __init__(self, size, colours):
        self.colours = colours
        self.scale = size * SUPERSAMPLE
        self.image = Image.new("RGBA", (self.scale, self.scale), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.image)

    def _ink(self, role):
        return None if role is None else self.colours[role]

    def disc(self, x, y, r, fill, outline=None, width=0.0):
        s = self.scale
        self.draw.ellipse([(x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s],
                          fill=self._ink(fill), outline=self._ink(outline),
                          width=round(width * s))

    def line(self, points, fill, width):
        s = self.scale
        self.draw.line([(x * s, y * s) for x, y in points],
                       fill=self._ink(fill), width=round(width * s),
                       joint="curve")

    def polygon(self, points, fill, outline=None, width=0.0):
        s = self.scale
        self.draw.polygon([(x * s, y * s) for x, y in points],
                          fill=self._ink(fill), outline=self._ink(outline),
                          width=round(width * s))


def _florets():
    """(x, y, radius, side) of each blossom, bottom first, in icon units."""
    spots = []
    for i in range(6):
        t = i / 5
        side = 1 if i % 2 else -1
        y = 0.70 - 0.52 * t
        x = 0.34 + side * 0.085 * (1 - 0.45 * t)
        spots.append((x, y, 0.105 - 0.045 * t, side))
    return spots


def _petal_centres(x, y, r):
    for k in range(5):
        a = math.radians(-90 + 72 * k)
        yield x + 0.55 * r * math.cos(a), y + 0.55 * r * math.sin(a)


def _blossom(pen, x, y, r, side, edge):
    spur = [(x, y - 0.3 * r), (x + side * 1.15 * r, y - 0.95 * r),
            (x + side * 0.3 * r, y + 0.1 * r)]
    pen.polygon(spur, "bud", "outline", edge)
    for px, py in _petal_centres(x, y, r):
        pen.disc(px, py, 0.5 * r + edge, "outline")
    for px, py in _petal_centres(x, y, r):
        pen.disc(px, py, 0.5 * r, "petal")
        pen.disc(px - 0.12 * r, py - 0.12 * r, 0.22 * r, "petal_light")
    pen.disc(x, y, 0.2 * r, "eye")


def _spike(pen, edge):
    pen.line([(0.34, 0.97), (0.34, 0.06)], "outline", 0.06 + 2 * edge)
    pen.line([(0.34, 0.97), (0.34, 0.06)], "stem", 0.06)
    for side in (-1, 1):
        leaf = [(0.34, 0.95), (0.34 + side * 0.12, 0.82),
                (0.34 + side * 0.26, 0.78), (0.34 + side * 0.16, 0.92)]
        pen.polygon(leaf, "leaf", "outline", edge)
    for x, y in ((0.34, 0.05), (0.30, 0.11), (0.38, 0.14)):
        pen.disc(x, y, 0.04, "bud", "outline", edge)
    for x, y, r, side in _florets():
        _blossom(pen, x, y, r, side, edge)


def _clock(pen, edge):
    cx, cy, r = 0.72, 0.72, 0.265
    pen.disc(cx, cy, r + edge, "outline")
    pen.disc(cx, cy, r, "rim")
    pen.disc(cx, cy, r - 0.06, "face")
    for k in range(12):
        a = math.radians(30 * k)
        inner = r - (0.13 if k % 3 == 0 else 0.10)
        outer = r - 0.07
        pen.line([(cx + inner * math.cos(a), cy + inner * math.sin(a)),
                  (cx + outer * math.cos(a), cy + outer * math.sin(a))],
                 "tick", 0.02)
    pen.line([(cx, cy), (cx, cy - 0.15)], "hand", 0.045)
    pen.line([(cx, cy), (cx + 0.11, cy + 0.02)], "hand", 0.055)
    pen.disc(cx, cy, 0.035, "pin")


def _majority(image, factor):
    """Shrink by `factor`, each pixel taking the commonest colour of its
    block, so no colours are mixed."""
    width, height = image.width // factor, image.height // factor
    result = Image.new("RGBA", (width, height))
    for y in range(height):
        for x in range(width):
            block = image.crop((x * factor, y * factor,
                                (x + 1) * factor, (y + 1) * factor))
            result.putpixel((x, y),
                            Counter(block.getdata()).most_common(1)[0][0])
    return result


def shape_icon(size, scheme):
    """The drawn icon at `size` pixels: antialiased with alpha in full
    colour, hard-edged in classic colours."""
    edge = 1.0 / size
    pen = _Pen(size, _colours(scheme))
    _spike(pen, edge)
    _clock(pen, edge)
    if scheme == FULL:
        return pen.image.resize((size, size), Image.Resampling.BOX)
    return _majority(pen.image, SUPERSAMPLE)


def images():
    """(image, bits) for every image in the icon, largest first."""
    return [(shape_icon(48, FULL), 32),
            (shape_icon(32, FULL), 32),
            (pixel_icon_16(FULL), 32),
            (shape_icon(32, CLASSIC), 4),
            (pixel_icon_16(CLASSIC), 4)]


def draw(out_dir):
    save(out_dir / FILE_NAME, ico_bytes(images()))
