"""Small 16x16 mark icons: coloured check marks, a black check mark, a red
double-headed arrow and blank icons.  All have a transparent background
carried by the AND mask, and use only the sixteen classic colours.
"""

from picture_files import (AQUA, BLACK, BLUE, FUCHSIA, GREEN, GREY, LIME,
                           MAROON, NAVY, OLIVE, PURPLE, RED, SILVER, TEAL,
                           YELLOW, from_rows, ico_bytes, save)

# K outline, C body, H a glint at the upper end of each stroke.
CHECK_ROWS = [
    "................",
    ".............KK.",
    "............KHHK",
    "...........KHCCK",
    "..........KHCCK.",
    ".........KCCCK..",
    "........KCCCK...",
    ".KK....KCCCK....",
    "KHHK..KCCCK.....",
    "KCHCKKCCCK......",
    ".KCCCCCCK.......",
    "..KCCCCK........",
    "...KCCK.........",
    "....KK..........",
    "................",
    "................",
]

DOUBLE_ARROW_ROWS = [
    "................",
    "................",
    "................",
    "....M......M....",
    "...MRM....MRM...",
    "..MRRM....MRRM..",
    ".MRRRMMMMMMRRRM.",
    "MRRRRRRRRRRRRRRM",
    "MRRRRRRRRRRRRRRM",
    ".MRRRMMMMMMRRRM.",
    "..MRRM....MRRM..",
    "...MRM....MRM...",
    "....M......M....",
    "................",
    "................",
    "................",
]

BLANK_ROWS = ["." * 16] * 16

# File name, body colour, glint colour.
COLOURED_CHECKS = [
    ("icon132_check_maroon.ico", MAROON, RED),
    ("icon133_check_olive.ico", OLIVE, YELLOW),
    ("icon134_check_green.ico", GREEN, LIME),
    ("icon135_check_teal.ico", TEAL, AQUA),
    ("icon136_check_navy.ico", NAVY, BLUE),
    ("icon137_check_purple.ico", PURPLE, FUCHSIA),
    ("icon138_check_grey.ico", GREY, SILVER),
]


def coloured_check(body, highlight):
    return from_rows(CHECK_ROWS, {"K": BLACK, "C": body, "H": highlight})


def black_check():
    return from_rows(CHECK_ROWS, {"K": None, "C": BLACK, "H": BLACK})


def double_arrow():
    return from_rows(DOUBLE_ARROW_ROWS, {"M": MAROON, "R": RED})


def blank():
    return from_rows(BLANK_ROWS)


def mark_icons():
    """(file name, image) for every mark icon."""
    icons = [("icon130_blank.ico", blank()),
             ("icon131_double_arrow.ico", double_arrow())]
    icons += [(name, coloured_check(body, highlight))
              for name, body, highlight in COLOURED_CHECKS]
    icons += [("icon139_check_black.ico", black_check()),
              ("icon140_blank.ico", blank())]
    return icons


def draw(out_dir):
    for name, image in mark_icons():
        save(out_dir / name, ico_bytes([(image, 4)]))
