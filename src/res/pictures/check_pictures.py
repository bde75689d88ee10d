#!/usr/bin/python3
"""Check the generated picture files before they go into the resource script.

Reads every .ico and .bmp with its own parser (not the one that wrote them),
checks sizes, depths, masks and the colour rules each picture must keep,
checks that the files match what the drawing scripts produce now, and, when
a mingw-w64 windres is installed, that it compiles them into a resource.
Prints one line per fault and exits 1 if there is any.
"""

import shutil
import struct
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

HERE = Path(__file__).resolve().parent

CLASSIC16 = {(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
             (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
             (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
             (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)}
SILVER = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)

# File name: the (size, bits) images the icon must hold.
ICONS = {
    "icon120_program.ico": {(48, 32), (32, 32), (16, 32), (32, 4), (16, 4)},
    **{name: {(16, 4)} for name in [
        "icon130_blank.ico", "icon131_double_arrow.ico",
        "icon132_check_maroon.ico", "icon133_check_olive.ico",
        "icon134_check_green.ico", "icon135_check_teal.ico",
        "icon136_check_navy.ico", "icon137_check_purple.ico",
        "icon138_check_grey.ico", "icon139_check_black.ico",
        "icon140_blank.ico"]},
}

# Check mark icons and the colour their mark must mostly be drawn in.
CHECK_COLOURS = {
    "icon132_check_maroon.ico": (128, 0, 0),
    "icon133_check_olive.ico": (128, 128, 0),
    "icon134_check_green.ico": (0, 128, 0),
    "icon135_check_teal.ico": (0, 128, 128),
    "icon136_check_navy.ico": (0, 0, 128),
    "icon137_check_purple.ico": (128, 0, 128),
    "icon138_check_grey.ico": (128, 128, 128),
    "icon139_check_black.ico": BLACK,
}

BLANK_ICONS = ["icon130_blank.ico", "icon140_blank.ico"]

SPLASH = "bitmap150_splash.bmp"
TOOLBAR = "bitmap151_toolbar.bmp"
FOLDERS = ["bitmap152_folder_inbox.bmp", "bitmap153_folder_outbox.bmp",
           "bitmap154_folder.bmp", "bitmap155_folder_parent.bmp"]
RESOURCE_IDS = {SPLASH: 150, TOOLBAR: 151, FOLDERS[0]: 152, FOLDERS[1]: 153,
                FOLDERS[2]: 154, FOLDERS[3]: 155}


class Fault(Exception):
    pass


def _stride(width, bits):
    return (width * bits + 31) // 32 * 4


def _unpack_row(row, width, bits):
    if bits == 24:
        return [tuple(row[x * 3 + 2 - c] for c in range(3))
                for x in range(width)]
    if bits == 32:
        return [(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3])
                for x in range(width)]
    per_byte = 8 // bits
    top = (1 << bits) - 1
    return [row[x // per_byte] >> (8 - bits * (x % per_byte + 1)) & top
            for x in range(width)]


def read_dib(data, start, icon):
    """Parse a BITMAPINFOHEADER DIB at `start`.  Returns (info, end) where
    info has width, height, bits, palette, pixels (top-down rows of colours)
    and, for icons, mask (top-down rows of AND bits)."""
    if data[start:start + 8] == b"\x89PNG\r\n\x1a\n":
        raise Fault("image is PNG, not BMP encoded")
    (size, width, height, planes, bits, compression, _, _, _, used,
     _) = struct.unpack_from("<IiiHHIIiiII", data, start)
    if size != 40:
        raise Fault(f"header size {size}, expected BITMAPINFOHEADER (40)")
    if planes != 1 or compression != 0:
        raise Fault(f"planes {planes}, compression {compression}")
    if height <= 0:
        raise Fault("rows are stored top-down; expected bottom-up")
    if icon:
        if height % 2:
            raise Fault(f"icon height {height} is not doubled for the mask")
        height //= 2
    entries = (used or 1 << bits) if bits <= 8 else 0
    pos = start + 40
    palette = [tuple(data[pos + 4 * i + 2 - c] for c in range(3))
               for i in range(entries)]
    pos += 4 * entries
    stride = _stride(width, bits)
    rows = []
    for y in range(height):
        row = data[pos + (height - 1 - y) * stride:
                   pos + (height - y) * stride]
        if len(row) < stride:
            raise Fault("pixel data is cut short")
        values = _unpack_row(row, width, bits)
        if bits <= 8:
            if max(values) >= entries:
                raise Fault(f"row {y} uses a colour beyond the palette")
            values = [palette[v] for v in values]
        rows.append(values)
    pos += stride * height
    mask = None
    if icon:
        mask_stride = _stride(width, 1)
        if len(data) < pos + mask_stride * height:
            raise Fault("AND mask is missing or cut short")
        mask = [_unpack_row(data[pos + (height - 1 - y) * mask_stride:
                                 pos + (height - y) * mask_stride], width, 1)
                for y in range(height)]
        pos += mask_stride * height
    info = {"width": width, "height": height, "bits": bits,
            "palette": palette, "pixels": rows, "mask": mask}
    return info, pos


def read_bmp(path):
    data = path.read_bytes()
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data)
    if magic != b"BM":
        raise Fault("not a BMP file")
    if file_size != len(data):
        raise Fault(f"header says {file_size} bytes, file has {len(data)}")
    info, end = read_dib(data, 14, icon=False)
    palette_end = 14 + 40 + 4 * len(info["palette"])
    if offset != palette_end:
        raise Fault(f"pixels start at {offset}, expected {palette_end}")
    if end != len(data):
        raise Fault(f"{len(data) - end} stray bytes after the pixels")
    return info


def read_ico(path):
    data = path.read_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1 or count == 0:
        raise Fault("not an icon file")
    images = []
    for i in range(count):
        (width, height, colours, _, planes, bits, size,
         offset) = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if offset + size > len(data):
            raise Fault(f"image {i} runs past the end of the file")
        info, end = read_dib(data, offset, icon=True)
        if (info["width"], info["height"]) != (width or 256, height or 256):
            raise Fault(f"image {i}: directory says {width}x{height}, "
                        f"bitmap is {info['width']}x{info['height']}")
        if info["bits"] != bits or planes != 1:
            raise Fault(f"image {i}: directory says {bits} bits, bitmap has "
                        f"{info['bits']}")
        if colours != (1 << bits if bits < 8 else 0):
            raise Fault(f"image {i}: colour count {colours} for {bits} bits")
        if end - offset != size:
            raise Fault(f"image {i}: directory says {size} bytes, image "
                        f"takes {end - offset}")
        images.append(info)
    return images


def _transparent(info, x, y):
    return info["mask"][y][x] == 1


def check_icon_image(info):
    """Faults in one icon image: transparent pixels that would not be
    transparent, or a mask that disagrees with the alpha channel."""
    faults = []
    size = info["width"]
    corners = [(0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)]
    if not all(_transparent(info, x, y) for x, y in corners):
        faults.append(f"{size}x{size}x{info['bits']}: corners are not "
                      "transparent")
    for y, row in enumerate(info["pixels"]):
        for x, pixel in enumerate(row):
            masked = _transparent(info, x, y)
            if info["bits"] == 32:
                if masked != (pixel[3] < 128):
                    faults.append(f"{size}x{size}x32: mask and alpha disagree "
                                  f"at {x},{y}")
                    return faults
            elif masked and pixel != BLACK:
                faults.append(f"{size}x{size}x{info['bits']}: transparent "
                              f"pixel {x},{y} is not black, it would invert "
                              "the screen")
                return faults
    return faults


def _opaque_colours(info):
    return Counter(pixel[:3] for y, row in enumerate(info["pixels"])
                   for x, pixel in enumerate(row)
                   if not _transparent(info, x, y))


def check_icon(name):
    images = read_ico(HERE / name)
    found = sorted((i["width"], i["bits"]) for i in images)
    if found != sorted(ICONS[name]):
        return [f"images {found}, expected {sorted(ICONS[name])}"]
    faults = []
    for info in images:
        if info["bits"] == 4 and set(info["palette"]) != CLASSIC16:
            faults.append("4-bit image does not use the classic palette")
        if name in BLANK_ICONS:
            if _opaque_colours(info):
                faults.append("blank icon has visible pixels")
        else:
            faults += check_icon_image(info)
            if not _opaque_colours(info):
                faults.append(f"{info['width']}x{info['width']} image is "
                              "empty")
    if name in CHECK_COLOURS:
        colours = _opaque_colours(images[0])
        main = colours.most_common(1)[0][0]
        if main != CHECK_COLOURS[name]:
            faults.append(f"mark is mostly {main}, expected "
                          f"{CHECK_COLOURS[name]}")
    if name == "icon131_double_arrow.ico":
        info = images[0]
        if _opaque_colours(info).most_common(1)[0][0] != RED:
            faults.append("arrow is not mostly red")
        if any(row != row[::-1] for row in info["mask"]):
            faults.append("arrow is not the same both ways")
    return faults


def _enclosed(pixels, box, colour):
    """Pixels of `colour` inside box (x0, y0, x1, y1) that cannot be reached
    from the box edge through pixels of that colour."""
    x0, y0, x1, y1 = box
    inside = {(x, y) for y in range(y0, y1) for x in range(x0, x1)
              if pixels[y][x] == colour}
    reached = {(x, y) for x, y in inside
               if x in (x0, x1 - 1) or y in (y0, y1 - 1)}
    todo = list(reached)
    while todo:
        x, y = todo.pop()
        for step in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if step in inside and step not in reached:
                reached.add(step)
                todo.append(step)
    return sorted(inside - reached)


def check_toolbar():
    info = read_bmp(HERE / TOOLBAR)
    if (info["width"], info["height"]) != (112, 15):
        return [f"size {info['width']}x{info['height']}, expected 112x15"]
    if info["bits"] not in (4, 8):
        return [f"{info['bits']} bits, expected 4 or 8"]
    pixels = info["pixels"]
    faults = []
    used = {p for row in pixels for p in row}
    if not used <= CLASSIC16:
        faults.append(f"colours outside the classic 16: {used - CLASSIC16}")
    cells = []
    for index in range(7):
        box = (index * 16, 0, index * 16 + 16, 15)
        cell = [row[box[0]:box[2]] for row in pixels]
        cells.append(cell)
        flat = [p for row in cell for p in row]
        if flat.count(SILVER) < 40:
            faults.append(f"button {index}: too little silver background")
        if len(set(flat) - {SILVER}) < 2:
            faults.append(f"button {index}: no glyph")
        enclosed = _enclosed(pixels, box, SILVER)
        if enclosed:
            faults.append(f"button {index}: silver inside the glyph at "
                          f"{enclosed[:3]}; it would take the face colour")
    for i in range(7):
        for j in range(i + 1, 7):
            if cells[i] == cells[j]:
                faults.append(f"buttons {i} and {j} are the same")
    return faults


def check_splash():
    info = read_bmp(HERE / SPLASH)
    faults = []
    if (info["width"], info["height"]) != (312, 132):
        faults.append(f"size {info['width']}x{info['height']}, "
                      "expected 312x132")
    if info["bits"] != 8 or len(info["palette"]) != 256:
        faults.append(f"{info['bits']} bits with {len(info['palette'])} "
                      "colours, expected 8 bits with 256")
    used = {p for row in info["pixels"] for p in row}
    if len(used) < 64:
        faults.append(f"only {len(used)} colours used; the picture is "
                      "missing")
    return faults


def check_folder(name):
    info = read_bmp(HERE / name)
    width, height = info["width"], info["height"]
    if (width, height) != (20, 18):
        return [f"size {width}x{height}, expected 20x18"]
    if info["bits"] not in (8, 24):
        return [f"{info['bits']} bits, expected 8 or 24"]
    pixels = info["pixels"]
    faults = []
    corners = [pixels[0][0], pixels[0][-1], pixels[-1][0], pixels[-1][-1]]
    if any(c != WHITE for c in corners):
        faults.append(f"corners {corners} are not all white")
    enclosed = _enclosed(pixels, (0, 0, width, height), WHITE)
    if enclosed:
        faults.append(f"white inside the glyph at {enclosed[:3]}; it would "
                      "be transparent")
    near_white = {p for row in pixels for p in row
                  if p != WHITE and min(p) >= 240}
    if near_white:
        faults.append(f"near-white colours {near_white} may turn white "
                      "on a 256-colour display")
    if sum(p != WHITE for row in pixels for p in row) < 60:
        faults.append("no glyph")
    return faults


def check_regenerates():
    """The committed files must be what the scripts draw now."""
    sys.path.insert(0, str(HERE))
    from draw_all import draw_all
    with tempfile.TemporaryDirectory() as temp:
        draw_all(Path(temp))
        fresh = {p.name: p.read_bytes() for p in Path(temp).iterdir()}
    faults = []
    for name, data in sorted(fresh.items()):
        kept = HERE / name
        if not kept.exists():
            faults.append(f"{name} is drawn but missing here")
        elif kept.read_bytes() != data:
            faults.append(f"{name} differs from what the scripts draw; "
                          "run draw_all.py")
    expected = set(ICONS) | set(RESOURCE_IDS)
    if set(fresh) != expected:
        faults.append(f"scripts draw {sorted(set(fresh) ^ expected)} "
                      "unexpectedly")
    return faults


def check_windres():
    windres = shutil.which("x86_64-w64-mingw32-windres")
    if windres is None:
        return None
    lines = [f'{name[4:7]} ICON "{HERE / name}"' for name in ICONS]
    lines += [f'{rid} BITMAP "{HERE / name}"'
              for name, rid in RESOURCE_IDS.items()]
    with tempfile.TemporaryDirectory() as temp:
        script = Path(temp) / "pictures.rc"
        script.write_text("\n".join(lines) + "\n")
        result = subprocess.run(
            [windres, str(script), "-O", "coff", "-o",
             str(Path(temp) / "pictures.o")],
            capture_output=True, text=True)
    return [result.stderr.strip()] if result.returncode else []


def main():
    checks = [(name, lambda n=name: check_icon(n)) for name in ICONS]
    checks += [(TOOLBAR, check_toolbar), (SPLASH, check_splash)]
    checks += [(name, lambda n=name: check_folder(n)) for name in FOLDERS]
    checks += [("regenerate", check_regenerates),
               ("windres", check_windres)]
    passed = failed = skipped = 0
    for label, check in checks:
        try:
            faults = check()
        except (Fault, OSError, struct.error) as error:
            faults = [str(error)]
        if faults is None:
            print(f"skip  {label}: x86_64-w64-mingw32-windres not installed")
            skipped += 1
        elif faults:
            for fault in faults:
                print(f"FAIL  {label}: {fault}")
            failed += 1
        else:
            print(f"ok    {label}")
            passed += 1
    print(f"pictures: {passed} passed, {failed} failed, {skipped} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
