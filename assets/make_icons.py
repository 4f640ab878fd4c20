#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""Rebuild Tessaly's icons from the pixel drawings in assets/icons/.

The drawings are the source; every file written here is generated from them:

  tessaly.ico                       program icon: 32x32 two-colour, 32x32 and 16x16 16-colour
  books.ico                         32x32 and 16x16, 16-colour
  hicolor/<n>x<n>/apps/tessaly.png  the program icon's 16-colour images as RGBA, for desktops
                                    that look icons up by theme directory

Output is byte-for-byte repeatable, so the generated files can live in the repository and
`--check` can tell when someone edited a drawing but forgot to rerun this script.

Only the standard library is used, so the build machine needs nothing beyond Python 3.
"""

import argparse
import re
import struct
import sys
import zlib
from pathlib import Path

ASSETS = Path(__file__).resolve().parent
SOURCES = ASSETS / "icons"

# The 16-colour VGA palette, in index order. The legends in the drawings refer to these
# indices, and the 4-bit images carry this table verbatim so every image agrees on colours.
VGA_PALETTE = [
    (0x00, 0x00, 0x00),  # 0  black
    (0x80, 0x00, 0x00),  # 1  dark red
    (0x00, 0x80, 0x00),  # 2  dark green
    (0x80, 0x80, 0x00),  # 3  olive
    (0x00, 0x00, 0x80),  # 4  navy
    (0x80, 0x00, 0x80),  # 5  purple
    (0x00, 0x80, 0x80),  # 6  teal
    (0xC0, 0xC0, 0xC0),  # 7  silver
    (0x80, 0x80, 0x80),  # 8  grey
    (0xFF, 0x00, 0x00),  # 9  red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 magenta
    (0x00, 0xFF, 0xFF),  # 14 cyan
    (0xFF, 0xFF, 0xFF),  # 15 white
]

MONO_PALETTE = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF)]

# Halfway between grey (luma 128) and silver (luma 192): grey must come out black or the
# drop shadow would vanish in the two-colour image, and silver white or the title-bar
# buttons would merge into the title strip.
MONO_DARK_BELOW = 160

TRANSPARENT = None

LEGEND_RE = re.compile(r"(\S)\s*=\s*(transparent|\d+)(?:\s.*)?")
IMAGE_RE = re.compile(r"image\s+(\d+)x(\d+)")


class DrawingError(Exception):
    pass


def load_drawing(path):
    """Return {(width, height): rows}, each row a list of palette indices or TRANSPARENT."""
    legend = {}
    images = {}
    rows = None
    size = None

    def fail(lineno, message):
        raise DrawingError(f"{path}:{lineno}: {message}")

    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()

    for lineno, line in enumerate(lines, 1):
        if rows is not None and len(rows) < size[1]:
            # Inside an image every line is a row, so legend characters such as '#' or '='
            # can never be mistaken for comments or legend entries here.
            if len(line) != size[0]:
                fail(lineno, f"row is {len(line)} pixels wide, expected {size[0]}")
            unknown = sorted(set(line) - legend.keys())
            if unknown:
                fail(lineno, f"character(s) {''.join(unknown)!r} not in the legend")
            rows.append([legend[ch] for ch in line])
            continue

        text = line.strip()
        if not text or text.startswith("#"):
            continue

        m = IMAGE_RE.fullmatch(text)
        if m:
            size = (int(m.group(1)), int(m.group(2)))
            if size in images:
                fail(lineno, f"second {size[0]}x{size[1]} image")
            if not legend:
                fail(lineno, "image before any legend entry")
            rows = []
            images[size] = rows
            continue

        m = LEGEND_RE.fullmatch(text)
        if m and not images:
            ch, value = m.group(1), m.group(2)
            if ch == "#":
                fail(lineno, "'#' starts a comment and cannot be a pixel")
            if ch in legend:
                fail(lineno, f"{ch!r} is in the legend twice")
            if value == "transparent":
                legend[ch] = TRANSPARENT
            elif int(value) < len(VGA_PALETTE):
                legend[ch] = int(value)
            else:
                fail(lineno, f"palette index {value} is out of range 0-15")
            continue

        fail(lineno, f"unexpected line {text!r}")

    if rows is not None and len(rows) < size[1]:
        fail(len(lines), f"{size[0]}x{size[1]} image has only {len(rows)} rows")
    return images


def need(images, path, width, height):
    try:
        return images[(width, height)]
    except KeyError:
        raise DrawingError(f"{path}: no {width}x{height} image") from None


def to_mono(pixels):
    def mono(index):
        if index is TRANSPARENT:
            return TRANSPARENT
        r, g, b = VGA_PALETTE[index]
        return 0 if (299 * r + 587 * g + 114 * b) // 1000 < MONO_DARK_BELOW else 1

    return [[mono(p) for p in row] for row in pixels]


def pack_row(values, bpp):
    """Pack one scan line MSB-first and pad it to a 4-byte boundary, as DIBs require."""
    bits = 0
    for v in values:
        assert 0 <= v < 1 << bpp
        bits = (bits << bpp) | v
    nbits = len(values) * bpp
    stride = (nbits + 31) // 32 * 4
    bits <<= stride * 8 - nbits
    return bits.to_bytes(stride, "big")


def ico_image(pixels, bpp, palette):
    """One icon resource: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    height = len(pixels)
    width = len(pixels[0])
    # Masked pixels are 0 in the colour bitmap so that AND-then-XOR leaves the screen alone.
    xor = b"".join(
        pack_row([0 if p is TRANSPARENT else p for p in row], bpp) for row in reversed(pixels)
    )
    mask = b"".join(
        pack_row([1 if p is TRANSPARENT else 0 for p in row], 1) for row in reversed(pixels)
    )
    header = struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        width,
        height * 2,  # the colour bitmap and the mask are stacked
        1,  # biPlanes
        bpp,
        0,  # BI_RGB
        len(xor) + len(mask),
        0,
        0,
        0,  # biClrUsed: 0 means the full 2^bpp table follows
        0,
    )
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    assert len(palette) == 1 << bpp
    return width, height, bpp, header + table + xor + mask


def ico_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    data = b""
    for width, height, bpp, blob in images:
        entries += struct.pack(
            "<BBBBHHII",
            width % 256,  # 0 stands for 256
            height % 256,
            1 << bpp,
            0,
            1,
            bpp,
            len(blob),
            offset + len(data),
        )
        data += blob
    return directory + entries + data


def png_chunk(tag, payload):
    return struct.pack(">I", len(payload)) + tag + payload + struct.pack(">I", zlib.crc32(tag + payload))


def png_file(pixels, palette):
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter type None
        for p in row:
            raw += b"\0\0\0\0" if p is TRANSPARENT else bytes((*palette[p], 255))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    # No tIME or text chunks: anything that varies between runs would defeat --check.
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + png_chunk(b"IEND", b"")
    )


def png_content(data):
    """The chunks of a PNG with IDAT replaced by its inflated pixels."""
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        return None
    pos = 8
    chunks = []
    idat = b""
    try:
        while pos < len(data):
            (length,) = struct.unpack_from(">I", data, pos)
            tag = data[pos + 4 : pos + 8]
            payload = data[pos + 8 : pos + 8 + length]
            pos += 12 + length
            if tag == b"IDAT":
                idat += payload
            else:
                chunks.append((tag, payload))
        return chunks, zlib.decompress(idat)
    except (struct.error, zlib.error):
        return None


def same_output(path, expected):
    try:
        actual = path.read_bytes()
    except FileNotFoundError:
        return False
    if actual == expected:
        return True
    # Another zlib build (zlib-ng, for one) may deflate the same pixels differently; that
    # is not a stale icon, so PNGs are compared by what they decode to.
    if path.suffix == ".png":
        decoded = png_content(actual)
        return decoded is not None and decoded == png_content(expected)
    return False


def build():
    """Return {output path: bytes} for everything generated from the drawings."""
    program_src = SOURCES / "program.txt"
    books_src = SOURCES / "books.txt"
    program = load_drawing(program_src)
    books = load_drawing(books_src)

    program32 = need(program, program_src, 32, 32)
    program16 = need(program, program_src, 16, 16)
    books32 = need(books, books_src, 32, 32)
    books16 = need(books, books_src, 16, 16)

    return {
        ASSETS / "tessaly.ico": ico_file(
            [
                ico_image(to_mono(program32), 1, MONO_PALETTE),
                ico_image(program32, 4, VGA_PALETTE),
                ico_image(program16, 4, VGA_PALETTE),
            ]
        ),
        ASSETS / "books.ico": ico_file(
            [
                ico_image(books32, 4, VGA_PALETTE),
                ico_image(books16, 4, VGA_PALETTE),
            ]
        ),
        ASSETS / "hicolor/16x16/apps/tessaly.png": png_file(program16, VGA_PALETTE),
        ASSETS / "hicolor/32x32/apps/tessaly.png": png_file(program32, VGA_PALETTE),
    }


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument(
        "--check",
        action="store_true",
        help="write nothing; exit 1 if any generated file is missing or out of date",
    )
    args = parser.parse_args(argv)

    try:
        outputs = build()
    except DrawingError as e:
        print(f"make_icons: {e}", file=sys.stderr)
        return 2

    stale = [path for path, data in outputs.items() if not same_output(path, data)]

    if args.check:
        for path in stale:
            print(f"make_icons: {path.relative_to(ASSETS)} is out of date", file=sys.stderr)
        if stale:
            print("make_icons: run python3 assets/make_icons.py to rebuild", file=sys.stderr)
        return 1 if stale else 0

    for path in stale:
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(outputs[path])
        print(f"wrote {path.relative_to(ASSETS)} ({len(outputs[path])} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
