"""Folder images for the mailbox tree: 20x18, white is the transparent
colour, so no pixel inside a glyph is white (paper and highlights are
light grey or light yellow instead).
"""

from PIL import Image

from picture_files import WHITE, bmp_bytes, from_rows, save

WIDTH, HEIGHT = 20, 18

OUTLINE = (128, 88, 0)
BODY = (250, 200, 70)
LIGHT = (255, 236, 150)
SHADE = (208, 148, 28)
PAPER = (224, 224, 216)
PAPER_LINE = (96, 96, 104)
IN_ARROW = (0, 176, 0)
IN_ARROW_EDGE = (0, 88, 0)
OUT_ARROW = (32, 96, 255)
OUT_ARROW_EDGE = (0, 0, 128)

FOLDER_COLOURS = {"o": OUTLINE, "y": BODY, "Y": LIGHT, "d": SHADE}


def folder(width, height):
    """A closed folder with its tab at the top left, as an RGBA sprite."""
    tab = width * 2 // 5
    rows = [[" "] * width for _ in range(height)]

    def put(x, y, char):
        rows[y][x] = char

    for x in range(1, tab):
        put(x, 0, "o")
    for y in range(1, height - 1):
        put(0, y, "o")
        put(width - 1, y, "o" if y >= 2 else " ")
    put(tab, 1, "o")
    for x in range(tab, width - 1):
        put(x, 2, "o")
    for x in range(1, width - 1):
        put(x, height - 1, "o")
    for y in range(1, height - 1):
        for x in range(1, width - 1):
            if rows[y][x] == " " and (y >= 3 or x < tab):
                put(x, y, "y")
    for x in range(1, tab):
        put(x, 1, "Y")
    for x in range(1, width - 1):
        put(x, 3, "Y")
    for y in range(1, height - 1):
        put(1, y, "Y")
    for y in range(4, height - 1):
        put(width - 2, y, "d")
    for x in range(2, width - 1):
        put(x, height - 2, "d")
    return from_rows(["".join(r).replace(" ", ".") for r in rows],
                     FOLDER_COLOURS)


ENVELOPE = from_rows([
    "kkkkkkkkkkk",
    "kkpppppppkk",
    "kpkkpppkkpk",
    "kpppkkkpppk",
    "kpppppppppk",
    "kpppppppppk",
    "kpppppppppk",
    "kkkkkkkkkkk",
], {"k": PAPER_LINE, "p": PAPER})

ARROW_DOWN_ROWS = [
    ".eeee.",
    ".effe.",
    ".effe.",
    "eeffee",
    "effffe",
    ".effe.",
    "..ee..",
]


def arrow(fill, edge, pointing_down):
    rows = ARROW_DOWN_ROWS if pointing_down else ARROW_DOWN_ROWS[::-1]
    return from_rows(rows, {"e": edge, "f": fill})


def _compose(*layers):
    image = Image.new("RGBA", (WIDTH, HEIGHT), WHITE + (255,))
    for sprite, x, y in layers:
        image.alpha_composite(sprite, (x, y))
    return image.convert("RGB")


def _letter_box(arrow_sprite):
    """A letter half inside a folder, with an arrow beside it."""
    return _compose((ENVELOPE, 3, 1), (folder(18, 12), 0, 6),
                    (arrow_sprite, 14, 0))


def inbox():
    return _letter_box(arrow(IN_ARROW, IN_ARROW_EDGE, True))


def outbox():
    return _letter_box(arrow(OUT_ARROW, OUT_ARROW_EDGE, False))


def plain():
    return _compose((folder(18, 14), 1, 2))


def parent():
    return _compose((folder(15, 11), 5, 1), (folder(15, 11), 1, 6))


FOLDERS = [
    ("bitmap152_folder_inbox.bmp", inbox),
    ("bitmap153_folder_outbox.bmp", outbox),
    ("bitmap154_folder.bmp", plain),
    ("bitmap155_folder_parent.bmp", parent),
]


def _palette(image):
    return sorted(set(image.getdata()))


def draw(out_dir):
    for name, make in FOLDERS:
        image = make()
        save(out_dir / name, bmp_bytes(image, 8, _palette(image)))
