#!/usr/bin/env python3
"""Draws the desktop icons from the window's own 32 x 32 picture.

    scripts/draw_icons.py [XPM] [FOLDER]

Reads app/resources/vorn.xpm and writes FOLDER/hicolor/NxN/apps/vorn.png for
the usual theme sizes, plus FOLDER/hicolor/scalable/apps/vorn.svg, one square
per pixel run. FOLDER defaults to packaging/icons. Only the standard library
is used, so the script runs on any machine that has Python 3; its output is
committed, and the build merely installs it.
"""

import os
import re
import struct
import sys
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def read_xpm(path):
    """Returns (width, height, rows of (r, g, b, a) tuples)."""
    with open(path, encoding="ascii") as f:
        strings = re.findall(r'"((?:[^"\\]|\\.)*)"', f.read())
    width, height, ncolors, cpp = (int(v) for v in strings[0].split()[:4])
    colors = {}
    for line in strings[1 : 1 + ncolors]:
        key, rest = line[:cpp], line[cpp:].split()
        value = rest[rest.index("c") + 1]
        if value.lower() == "none":
            colors[key] = (0, 0, 0, 0)
        elif re.fullmatch(r"#[0-9a-fA-F]{6}", value):
            colors[key] = tuple(int(value[i : i + 2], 16) for i in (1, 3, 5)) + (255,)
        else:
            raise ValueError(f"{path}: colour {value!r} is not #RRGGBB or None")
    rows = []
    for line in strings[1 + ncolors : 1 + ncolors + height]:
        rows.append([colors[line[i : i + cpp]] for i in range(0, width * cpp, cpp)])
    if len(rows) != height or any(len(r) != width for r in rows):
        raise ValueError(f"{path}: the pixel rows do not match {width} x {height}")
    return width, height, rows


def resample(width, height, rows, size):
    """Area-weighted resampling in premultiplied alpha: whole multiples come out
    as sharp blocks, smaller sizes as averages of the pixels each one covers."""
    out = []
    sx, sy = width / size, height / size
    for ty in range(size):
        y0, y1 = ty * sy, (ty + 1) * sy
        line = []
        for tx in range(size):
            x0, x1 = tx * sx, (tx + 1) * sx
            acc = [0.0, 0.0, 0.0, 0.0]
            for y in range(int(y0), min(height, int(-(-y1 // 1)))):
                wy = min(y1, y + 1) - max(y0, y)
                for x in range(int(x0), min(width, int(-(-x1 // 1)))):
                    w = wy * (min(x1, x + 1) - max(x0, x))
                    r, g, b, a = rows[y][x]
                    acc[0] += w * r * a
                    acc[1] += w * g * a
                    acc[2] += w * b * a
                    acc[3] += w * a
            area = sx * sy
            alpha = acc[3] / area
            if alpha <= 0:
                line.append((0, 0, 0, 0))
            else:
                line.append(
                    tuple(round(c / acc[3]) for c in acc[:3]) + (min(255, round(alpha)),)
                )
        out.append(line)
    return out


def png_bytes(rows):
    size_y, size_x = len(rows), len(rows[0])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", size_x, size_y, 8, 6, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def svg_text(width, height, rows):
    rects = []
    for y, row in enumerate(rows):
        x = 0
        while x < width:
            px = row[x]
            end = x
            while end < width and row[end] == px:
                end += 1
            if px[3]:
                rects.append(
                    f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                    f'fill="#{px[0]:02x}{px[1]:02x}{px[2]:02x}"/>'
                )
            x = end
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}" shape-rendering="crispEdges">\n'
        + "\n".join(rects)
        + "\n</svg>\n"
    )


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    xpm = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "app/resources/vorn.xpm")
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "packaging/icons")
    width, height, rows = read_xpm(xpm)
    for size in SIZES:
        write(
            os.path.join(folder, f"hicolor/{size}x{size}/apps/vorn.png"),
            png_bytes(resample(width, height, rows, size)),
        )
    write(
        os.path.join(folder, "hicolor/scalable/apps/vorn.svg"),
        svg_text(width, height, rows).encode("ascii"),
    )


if __name__ == "__main__":
    main()
