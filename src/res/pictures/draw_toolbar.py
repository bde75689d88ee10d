"""Toolbar strip: seven 16x15 button images side by side.

Button order: 0 start timer, 1 settings, 2 abort, 3 fetch mail now,
4 hide clock, 5 stop timer, 6 show clock.  The background is silver, which
the toolbar maps to the button face colour, so silver never appears inside
a glyph.
"""

from PIL import Image

from picture_files import CLASSIC16, SILVER, bmp_bytes, from_rows, save

FILE_NAME = "bitmap151_toolbar.bmp"
CELL_WIDTH, CELL_HEIGHT = 16, 15

CLOCK = from_rows([
    "...KKKKK...",
    ".KKWWgWWKK.",
    ".KWWWKWWWK.",
    "KWWWWKWWWWK",
    "KWWWWKWWWWK",
    "KgWWWKKKWgK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    ".KWWWWWWWK.",
    ".KKWWgWWKK.",
    "...KKKKK...",
])

PLAY = from_rows([
    "KK.....",
    "KLKK...",
    "KLLLKK.",
    "KLLLLLK",
    "KLLLKK.",
    "KLKK...",
    "KK.....",
])

STOP_SQUARE = from_rows([
    "KKKKKKK",
    "KRRRRRK",
    "KRRRRRK",
    "KRRRRRK",
    "KRRRRRK",
    "KRRRRRK",
    "KKKKKKK",
])

ARROW_UP = from_rows([
    "...K...",
    "..KBK..",
    ".KBBBK.",
    "KBBBBBK",
    "KKBBBKK",
    ".KBBBK.",
    ".KBBBK.",
    ".KKKKK.",
])

ARROW_DOWN = ARROW_UP.transpose(Image.Transpose.FLIP_TOP_BOTTOM)

GEAR = from_rows([
    "......KKK......",
    "......KWK......",
    "..KK.KKWKK.KK..",
    "..KWKKWWWKKgK..",
    "...KWWWWWWgK...",
    "..KKWWKKKggKK..",
    "KKKWWKWWWKggKKK",
    "KWWWWKWWWKggggK",
    "KKKWgKWWWKggKKK",
    "..KKggKKKggKK..",
    "...KgggggggK...",
    "..KgKKgggKKgK..",
    "..KK.KKgKK.KK..",
    "......KgK......",
    "......KKK......",
])

STOP_SIGN = from_rows([
    "....MMMMM....",
    "...MRRRRRM...",
    "..MRRRRRRRM..",
    ".MRWWRRRWWRM.",
    "MRRWWWRWWWRRM",
    "MRRRWWWWWRRRM",
    "MRRRRWWWRRRRM",
    "MRRRWWWWWRRRM",
    "MRRWWWRWWWRRM",
    ".MRWWRRRWWRM.",
    "..MRRRRRRRM..",
    "...MRRRRRM...",
    "....MMMMM....",
])

ENVELOPE = from_rows([
    "KKKKKKKKKKKKKKK",
    "KKWWWWWWWWWWWKK",
    "KWKKWWWWWWWKKWK",
    "KWWWKKWWWKKWWWK",
    "KWWWWWKKKWWWWWK",
    "KWWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWWK",
    "KKKKKKKKKKKKKKK",
])


def _cell(*layers):
    """Stack (image, x, y) layers into one transparent 16x15 cell."""
    cell = Image.new("RGBA", (CELL_WIDTH, CELL_HEIGHT), (0, 0, 0, 0))
    for image, x, y in layers:
        cell.alpha_composite(image, (x, y))
    return cell


def buttons():
    return [
        _cell((CLOCK, 0, 0), (PLAY, 9, 8)),
        _cell((GEAR, 0, 0)),
        _cell((STOP_SIGN, 1, 1)),
        _cell((ARROW_DOWN, 4, 0), (ENVELOPE, 0, 7)),
        _cell((CLOCK, 0, 0), (ARROW_UP, 8, 7)),
        _cell((CLOCK, 0, 0), (STOP_SQUARE, 9, 8)),
        _cell((CLOCK, 0, 0), (ARROW_DOWN, 8, 7)),
    ]


def strip():
    images = buttons()
    result = Image.new("RGBA", (CELL_WIDTH * len(images), CELL_HEIGHT),
                       SILVER + (255,))
    for index, image in enumerate(images):
        result.alpha_composite(image, (index * CELL_WIDTH, 0))
    return result.convert("RGB")


def draw(out_dir):
    save(out_dir / FILE_NAME, bmp_bytes(strip(), 4, CLASSIC16))
