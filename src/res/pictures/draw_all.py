#!/usr/bin/python3
"""Regenerate every picture file.

Usage: draw_all.py [OUTPUT_DIR]   (default: the folder this script is in)
"""

import sys
from pathlib import Path

import draw_folders
import draw_marks
import draw_program_icon
import draw_splash
import draw_toolbar

PAINTERS = [draw_program_icon, draw_marks, draw_splash, draw_toolbar,
            draw_folders]


def draw_all(out_dir):
    out_dir.mkdir(parents=True, exist_ok=True)
    for painter in PAINTERS:
        painter.draw(out_dir)


if __name__ == "__main__":
    draw_all(Path(sys.argv[1]) if len(sys.argv) > 1
             else Path(__file__).resolve().parent)
