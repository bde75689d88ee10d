"""Splash picture: larkspur spikes, a clock, a letter and the program name.

Painted at three times the final size, shrunk, then reduced to a 256-colour
palette.  The program paints its own message band below the picture, so the
picture carries no other text.
"""

import math
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

from picture_files import bmp_bytes, save

FILE_NAME = "bitmap150_splash.bmp"
WIDTH, HEIGHT = 312, 132
SCALE = 3
TEXT_MARGIN = 4

TITLE = "Larkspur32"
TITLE_FONT = Path("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf")
TITLE_SIZE = 26
TITLE_COLOUR = (44, 36, 120)

SKY_TOP = (226, 232, 252)
SKY_BOTTOM = (250, 244, 236)
HILL_BACK = (168, 206, 140)
HILL_FRONT = (112, 170, 92)
STEM = (52, 120, 54)
LEAF = (74, 146, 64)

# Blossom colours of each spike: petal, light petal, dark edge.
BLUE_SPIKE = ((86, 96, 226), (150, 164, 255), (44, 46, 140))
VIOLET_SPIKE = ((132, 80, 200), (190, 150, 240), (74, 36, 122))
PALE_SPIKE = ((170, 176, 246), (226, 228, 255), (96, 98, 176))


def _s(value):
    return round(value * SCALE)


class _Canvas:
    """Drawing in final-size pixel units on the enlarged image."""

    def __init__(self):
        self.image = Image.new("RGB", (WIDTH * SCALE, HEIGHT * SCALE))
        self.draw = ImageDraw.Draw(self.image)

    def disc(self, x, y, r, fill, outline=None, width=0.0):
        self.draw.ellipse([_s(x - r), _s(y - r), _s(x + r), _s(y + r)],
                          fill=fill, outline=outline, width=_s(width))

    def ellipse(self, box, fill):
        self.draw.ellipse([_s(v) for v in box], fill=fill)

    def line(self, points, fill, width):
        self.draw.line([(_s(x), _s(y)) for x, y in points], fill=fill,
                       width=max(1, _s(width)), joint="curve")

    def polygon(self, points, fill, outline=None, width=0.0):
        self.draw.polygon([(_s(x), _s(y)) for x, y in points], fill=fill,
                          outline=outline, width=_s(width))


def _sky(canvas):
    height = HEIGHT * SCALE
    for y in range(height):
        t = y / (height - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(SKY_TOP,
                                                              SKY_BOTTOM))
        canvas.draw.line([(0, y), (WIDTH * SCALE, y)], fill=colour)
    canvas.ellipse((-60, 112, 200, 190), HILL_BACK)
    canvas.ellipse((120, 116, 400, 200), HILL_BACK)
    canvas.ellipse((-30, 122, 140, 170), HILL_FRONT)
    canvas.ellipse((230, 124, 360, 170), HILL_FRONT)


def _leaf_fan(canvas, x, y, spread):
    for k in range(5):
        a = math.radians(-90 - spread / 2 + spread * k / 4)
        tip = (x + 15 * math.cos(a), y + 11 * math.sin(a) + 4)
        side = (-math.sin(a) * 2.2, math.cos(a) * 2.2)
        canvas.polygon([(x, y), (tip[0] + side[0] * 0.4, tip[1] + side[1]),
                        tip, (tip[0] - side[0] * 0.4, tip[1] - side[1])],
                       LEAF)


def _blossom(canvas, x, y, r, colours, side):
    petal, light, dark = colours
    canvas.polygon([(x, y - r * 0.2), (x + side * r * 1.3, y - r * 1.2),
                    (x + side * r * 0.4, y + r * 0.2)], dark)
    for k in range(5):
        a = math.radians(-90 + 72 * k + 18 * side)
        px, py = x + 0.55 * r * math.cos(a), y + 0.55 * r * math.sin(a)
        canvas.disc(px, py, 0.52 * r, dark)
    for k in range(5):
        a = math.radians(-90 + 72 * k + 18 * side)
        px, py = x + 0.55 * r * math.cos(a), y + 0.55 * r * math.sin(a)
        canvas.disc(px, py, 0.44 * r, petal)
        canvas.disc(px - 0.1 * r, py - 0.12 * r, 0.2 * r, light)
    canvas.disc(x, y, 0.22 * r, (250, 250, 255))
    canvas.disc(x + 0.05 * r, y + 0.05 * r, 0.09 * r, dark)


def _spike(canvas, x, ground, height, colours, lean):
    """One flower spike rising from (x, ground), curving by `lean`."""
    def stem_at(t):
        return x + lean * t * t, ground - height * t

    canvas.line([stem_at(i / 20) for i in range(21)], STEM, 1.6)
    _leaf_fan(canvas, x, ground - 4, 150)
    count = max(5, round(height / 8))
    for i in range(count):
        t = 0.32 + 0.6 * i / (count - 1)
        sx, sy = stem_at(t)
        side = 1 if i % 2 else -1
        r = 6.2 - 3.4 * i / (count - 1)
        _blossom(canvas, sx + side * r * 0.55, sy, r, colours, side)
    for t, dx in ((0.95, -1.2), (0.99, 1.0), (1.03, 0.0)):
        bx, by = stem_at(t)
        canvas.ellipse((bx + dx - 1.6, by - 2.4, bx + dx + 1.6, by + 2.4),
                       colours[2])


def _clock(canvas, cx, cy, r):
    canvas.disc(cx + 2, cy + 3, r + 1, (200, 196, 214))
    canvas.disc(cx, cy, r + 1, (96, 64, 20))
    canvas.disc(cx, cy, r, (222, 170, 52))
    canvas.disc(cx - 1, cy - 1, r - 3, (248, 214, 120))
    canvas.disc(cx, cy, r - 4.5, (150, 104, 30))
    canvas.disc(cx, cy, r - 5.5, (255, 252, 240))
    for k in range(60):
        a = math.radians(6 * k)
        inner = r - (11 if k % 15 == 0 else 9.5 if k % 5 == 0 else 7.5)
        outer = r - 6.5
        canvas.line([(cx + inner * math.cos(a), cy + inner * math.sin(a)),
                     (cx + outer * math.cos(a), cy + outer * math.sin(a))],
                    (60, 56, 90), 1.2 if k % 5 == 0 else 0.5)
    hour = math.radians(-90 + 30 * 10 + 4)
    minute = math.radians(-90 + 6 * 8)
    canvas.line([(cx, cy), (cx + 12 * math.cos(hour),
                            cy + 12 * math.sin(hour))], (30, 30, 50), 2.6)
    canvas.line([(cx, cy), (cx + 19 * math.cos(minute),
                            cy + 19 * math.sin(minute))], (30, 30, 50), 1.8)
    canvas.disc(cx, cy, 2.2, (200, 40, 40))


def _letter(canvas, x, y, w, h):
    for k, dy in enumerate((0.3, 0.5, 0.7)):
        canvas.line([(x - 14 + 4 * k, y + h * dy), (x - 4, y + h * dy)],
                    (150, 150, 190), 1.0)
    canvas.polygon([(x, y), (x + w, y), (x + w, y + h), (x, y + h)],
                   (255, 252, 244), (90, 84, 120), 1.0)
    canvas.line([(x + 0.5, y + 0.5), (x + w / 2, y + h * 0.58),
                 (x + w - 0.5, y + 0.5)], (90, 84, 120), 1.0)
    canvas.disc(x + w / 2, y + h * 0.58, 2.0, (200, 40, 40))


def _flight_path(canvas, start, end, lift):
    """A dotted arc, the way the letter has come."""
    (x0, y0), (x1, y1) = start, end
    for i in range(15):
        t = i / 14
        x = x0 + (x1 - x0) * t
        y = y0 + (y1 - y0) * t - lift * 4 * t * (1 - t)
        canvas.disc(x, y, 0.9, (150, 150, 200))


def _rule(canvas, left, right, y):
    """A thin line under the name with a small diamond at its middle."""
    middle = (left + right) / 2
    canvas.line([(left, y), (right, y)], (150, 140, 210), 0.8)
    canvas.polygon([(middle - 4, y), (middle, y - 3), (middle + 4, y),
                    (middle, y + 3)], (120, 104, 210))


def _title(canvas, centre_x, top):
    """The program name, centred on centre_x, with a soft light halo;
    returns its box."""
    font = ImageFont.truetype(str(TITLE_FONT), _s(TITLE_SIZE))
    left, _, right, _ = canvas.draw.textbbox((0, 0), TITLE, font=font)
    origin = (_s(centre_x) - (left + right) // 2, _s(top))
    halo = Image.new("L", canvas.image.size, 0)
    ImageDraw.Draw(halo).text(origin, TITLE, font=font, fill=255,
                              stroke_width=_s(2.5), stroke_fill=255)
    halo = halo.filter(ImageFilter.GaussianBlur(_s(1.5)))
    canvas.image.paste((255, 255, 255), mask=halo)
    canvas.draw.text(origin, TITLE, font=font, fill=TITLE_COLOUR)
    box = canvas.draw.textbbox(origin, TITLE, font=font)
    return [v / SCALE for v in box]


def _check_text_margin(box):
    left, top, right, bottom = box
    if (left < TEXT_MARGIN + 1 or top < TEXT_MARGIN + 1
            or right > WIDTH - TEXT_MARGIN - 1
            or bottom > HEIGHT - TEXT_MARGIN - 1):
        raise ValueError(f"title box {box} is too close to the edge")


def painting():
    """The picture in full colour at its final size."""
    canvas = _Canvas()
    _sky(canvas)
    _spike(canvas, 20, 126, 92, PALE_SPIKE, -3)
    _spike(canvas, 40, 128, 114, BLUE_SPIKE, 4)
    _spike(canvas, 60, 127, 80, VIOLET_SPIKE, 6)
    _clock(canvas, 98, 80, 34)
    _spike(canvas, 294, 128, 62, VIOLET_SPIKE, -4)
    _flight_path(canvas, (140, 82), (210, 98), 22)
    _letter(canvas, 226, 88, 30, 20)
    box = _title(canvas, 221, 18)
    _check_text_margin(box)
    _rule(canvas, box[0] + 10, box[2] - 10, box[3] + 8)
    return canvas.image.resize((WIDTH, HEIGHT), Image.Resampling.LANCZOS)


def picture():
    """The picture reduced to 256 colours, as an RGB image and its palette."""
    reduced = painting().quantize(256, method=Image.Quantize.MEDIANCUT,
                                  dither=Image.Dither.FLOYDSTEINBERG)
    flat = reduced.getpalette()[:256 * 3]
    flat += [0] * (256 * 3 - len(flat))
    palette = [tuple(flat[i:i + 3]) for i in range(0, 256 * 3, 3)]
    return reduced.convert("RGB"), palette


def draw(out_dir):
    image, palette = picture()
    save(out_dir / FILE_NAME, bmp_bytes(image, 8, palette))
