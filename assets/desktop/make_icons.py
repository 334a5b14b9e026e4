#!/usr/bin/env python3
"""Paints the program's icon: four shaded balls (yellow, green, blue, red) in
the holes of a walnut board, with a clue box of pegs in the corner.

Writes kalvex.svg and kalvex-<size>.png for 16, 32, 48, 64, 128 and 256
pixels into assets/desktop/icons/. Python 3 standard library only: the PNGs
are rasterised here with 4 by 4 supersampling, so the output is the same on
every run. Run it once and commit the files.

    assets/desktop/make_icons.py [output directory]
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)
SAMPLES = 4

# The design, on a 256 by 256 canvas.
BOARD = (16, 16, 240, 240, 44)  # left, top, right, bottom, corner radius
BALLS = [  # centre x, centre y, radius, colour
    (88, 88, 50, (255, 206, 20)),
    (168, 88, 50, (40, 186, 72)),
    (88, 168, 50, (38, 104, 230)),
    (168, 168, 50, (226, 44, 40)),
]
PEGS = [  # a clue: two green, one yellow, one empty
    (200, 200, 10, (34, 176, 64)),
    (222, 200, 10, (34, 176, 64)),
    (200, 222, 10, (240, 170, 0)),
    (222, 222, 10, (250, 250, 250)),
]
SMALL = 24  # below this size the pegs are left out: they would be mud


def rounded_box_coverage(x, y, box):
    left, top, right, bottom, r = box
    cx = min(max(x, left + r), right - r)
    cy = min(max(y, top + r), bottom - r)
    return math.hypot(x - cx, y - cy) <= r and left <= x <= right and top <= y <= bottom


def board_colour(x, y):
    # Walnut: a diagonal gradient with soft grain lines.
    t = (x + y) / 512.0
    grain = 0.06 * math.sin(y * 0.11 + 3.0 * math.sin(x * 0.02))
    base = (128 - 40 * t, 78 - 28 * t, 42 - 16 * t)
    return tuple(max(0.0, min(255.0, c * (1.0 + grain))) for c in base)


def sphere_colour(x, y, cx, cy, r, colour):
    """A ball lit from the top left: diffuse shading plus a white highlight."""
    dx, dy = (x - cx) / r, (y - cy) / r
    dz = math.sqrt(max(0.0, 1.0 - dx * dx - dy * dy))
    light = (-0.45, -0.55, 0.70)
    diffuse = max(0.0, dx * light[0] + dy * light[1] + dz * light[2])
    shade = 0.35 + 0.75 * diffuse
    specular = max(0.0, diffuse) ** 24
    return tuple(min(255.0, c * shade + 255.0 * specular * 0.85) for c in colour)


def shadow_strength(x, y, cx, cy, r):
    d = math.hypot(x - cx - r * 0.08, y - cy - r * 0.12)
    return max(0.0, min(1.0, (r * 1.12 - d) / (r * 0.25))) * 0.55


def paint_sample(x, y, size):
    """The colour and alpha of the design at canvas point (x, y)."""
    if not rounded_box_coverage(x, y, BOARD):
        return (0.0, 0.0, 0.0, 0.0)
    rgb = board_colour(x, y)
    # Rim: a lighter bevel along the board's edge.
    left, top, right, bottom, _ = BOARD
    edge = min(x - left, y - top, right - x, bottom - y)
    if edge < 6:
        rgb = tuple(min(255.0, c * 1.25) for c in rgb)
    items = BALLS + (PEGS if size >= SMALL else [])
    for cx, cy, r, colour in items:
        s = shadow_strength(x, y, cx, cy, r)
        if s > 0:
            rgb = tuple(c * (1.0 - s) for c in rgb)
        if math.hypot(x - cx, y - cy) <= r:
            rgb = sphere_colour(x, y, cx, cy, r, colour)
    return rgb + (255.0,)


def render(size):
    scale = 256.0 / size
    rows = []
    for py in range(size):
        row = bytearray([0])  # PNG filter: none
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    r, g, b, a = paint_sample(x, y, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if acc[3] > 0:
                pixel = [acc[i] / acc[3] for i in range(3)]
            else:
                pixel = [0.0, 0.0, 0.0]
            row += bytes(int(round(c)) for c in pixel) + bytes([int(round(alpha))])
        rows.append(bytes(row))
    return b"".join(rows)


def write_png(path, size, data):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
           chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def svg():
    left, top, right, bottom, r = BOARD
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        '<defs>',
        '<linearGradient id="wood" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#805030"/><stop offset="1" stop-color="#582e1a"/>'
        '</linearGradient>',
    ]
    for i, (_, _, _, (cr, cg, cb)) in enumerate(BALLS + PEGS):
        dark = "#%02x%02x%02x" % (int(cr * 0.35), int(cg * 0.35), int(cb * 0.35))
        parts.append(
            f'<radialGradient id="b{i}" cx="0.35" cy="0.3" r="0.75">'
            f'<stop offset="0" stop-color="#ffffff"/>'
            f'<stop offset="0.18" stop-color="#{cr:02x}{cg:02x}{cb:02x}"/>'
            f'<stop offset="1" stop-color="{dark}"/></radialGradient>')
    parts.append('</defs>')
    parts.append(f'<rect x="{left}" y="{top}" width="{right - left}" height="{bottom - top}" '
                 f'rx="{r}" fill="url(#wood)" stroke="#a8764e" stroke-width="6"/>')
    for i, (cx, cy, rad, _) in enumerate(BALLS + PEGS):
        parts.append(f'<circle cx="{cx + rad * 0.08:.1f}" cy="{cy + rad * 0.12:.1f}" '
                     f'r="{rad * 1.05:.1f}" fill="#000000" fill-opacity="0.35"/>')
        parts.append(f'<circle cx="{cx}" cy="{cy}" r="{rad}" fill="url(#b{i})"/>')
    parts.append('</svg>')
    return "\n".join(parts) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "icons")
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "kalvex.svg"), "w") as f:
        f.write(svg())
    for size in SIZES:
        write_png(os.path.join(out_dir, f"kalvex-{size}.png"), size, render(size))
    print(f"made kalvex.svg and {len(SIZES)} PNG sizes in {os.path.normpath(out_dir)}")


if __name__ == "__main__":
    main()
