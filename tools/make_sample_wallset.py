#!/usr/bin/python3
"""Draws the bundled sample wall set: a stone corridor in 16 colours.

Writes wallpalette.pal and the six default-named wall pictures (8-bit indexed BMP files) into
samples/stone/ (or the folder given with --out). The output is fully deterministic: every pixel
is computed from the view geometry and a fixed integer hash, so re-running the script reproduces
the committed files byte for byte.

Geometry. The view is a perspective projection whose square outlines are the front rectangles of
the distance-1, -2 and -3 pieces. Between those planes every edge is interpolated linearly in
s = 1 / (depth + A), which keeps edges straight on screen, and planes 0 and 4 are extrapolated
from the nearest pair. Each "Front and Sides" picture is one strip: its leftmost columns are the
corridor-facing side of the block to the right, the middle is the front texture, and its
rightmost columns are the corridor-facing side of the block to the left. Each piece of the view
takes its own window of that strip, so every image column is classified by the piece that uses
it. Parts of a side-face rectangle outside the face's trapezoid get the transparent index 10.
"""

import argparse
import os
import struct
import sys

from wallset_geometry import FILE_NAMES, TABLE

TRANSPARENT = 10

# Index 0 stays black: the viewer clears to it, so it reads as the darkness beyond the walls.
# Indices 1..15 (without 10) are a warm stone ramp from dark to light.
PALETTE = [
    (0, 0, 0),
    (22, 19, 17),
    (36, 32, 28),
    (50, 45, 40),
    (64, 58, 51),
    (79, 71, 62),
    (94, 85, 74),
    (110, 99, 86),
    (126, 114, 99),
    (142, 129, 112),
    (255, 0, 255),  # transparent key, never a visible stone colour
    (158, 145, 126),
    (175, 161, 141),
    (193, 179, 158),
    (212, 199, 178),
    (232, 221, 201),
]
STONE_LEVELS = [1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15]

VIEW_W, VIEW_H = 224, 136
CX = 112.0  # horizontal centre of the view, in pixel-edge coordinates

# Plane k is the front of the squares k ahead. Known outlines (pixel edges, right/bottom
# exclusive) of planes 1, 2 and 3, from the front pieces' rectangles.
A = 6.0 / 7.0  # fits the three known widths 160, 104, 76 to w = C / (k + A)
KNOWN = {1: (32.0, 9.0, 120.0), 2: (60.0, 20.0, 91.0), 3: (74.0, 25.0, 76.0)}


def s_of(depth):
    return 1.0 / (depth + A)


def _lerp_plane(s, k0, k1):
    """Left edge, top and bottom at s, linear through planes k0 and k1 (extrapolates)."""
    s0, s1 = s_of(k0), s_of(k1)
    t = (s - s0) / (s1 - s0)
    a, b = KNOWN[k0], KNOWN[k1]
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def outline(s):
    """(left, top, bottom) of the plane at s; piecewise linear in s."""
    if s >= s_of(2):
        return _lerp_plane(s, 1, 2)
    return _lerp_plane(s, 2, 3)


def half_width(s):
    return CX - outline(s)[0]


def s_for_half_width(hw):
    """Inverse of half_width (monotonic increasing in s)."""
    lo, hi = s_of(40.0), s_of(-0.5)
    for _ in range(60):
        mid = (lo + hi) / 2
        if half_width(mid) < hw:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


# Pieces as they use their slot's picture (own, unmirrored form; D3RR mirrors D3LL, D0 draws
# nothing). name, lateral, forward, left, top, right, bottom, source x, slot
PIECES = [
    (name, lat, fwd, left, top, right, bottom, sx, slot)
    for name, lat, fwd, _, left, top, right, bottom, sx, _, slot, mirrored in TABLE
    if not mirrored and slot != 6
]

# Picture sizes: wide and tall enough for every piece's window.
SLOT_SIZE = {0: (32, 136), 1: (32, 136), 2: (256, 111), 3: (136, 71), 4: (117, 51), 5: (16, 49)}

# The centre piece of each distance anchors the front texture of its strip.
FRONT_ANCHOR = {2: (48, 1), 3: (16, 2), 4: (18, 3)}

COURSES = 6  # stone courses per wall height
STONES = 4  # stones per wall width (and per square of depth on side faces)


def hash32(*values):
    h = 0x811C9DC5
    for v in values:
        v &= 0xFFFFFFFF
        for _ in range(4):
            h ^= v & 0xFF
            h = (h * 0x01000193) & 0xFFFFFFFF
            v >>= 8
    h ^= h >> 15
    h = (h * 0x2C1B3C6D) & 0xFFFFFFFF
    h ^= h >> 12
    return h


def brightness(depth):
    """Stone level (index into STONE_LEVELS) for a wall at this depth: darker with distance."""
    return max(2.5, 13.0 - 2.7 * depth)


def side_sample(px, py, lateral, forward):
    """Face coordinates of the corridor-facing side of block (lateral, forward) at a pixel centre.

    Returns (u, v, depth) with u = 0..1 from the near to the far edge and v = 0..1 from top to
    bottom, or None when the pixel lies outside the face's trapezoid.
    """
    m = 2 * abs(lateral) - 1
    off = (px - CX) if lateral > 0 else (CX - px)
    if off <= 0:
        return None
    s = s_for_half_width(off / m)
    depth = 1.0 / s - A
    if depth < forward - 1e-9 or depth > forward + 1 + 1e-9:
        return None
    _, top, bottom = outline(s)
    if py < top or py >= bottom:
        return None
    return depth - forward, (py - top) / (bottom - top), depth


def stone_cell(u, v, face):
    """Course and stone of a face point; alternate courses are offset by half a stone."""
    course = int(v * COURSES) if v < 1 else COURSES - 1
    shift = 0.5 if (course + face) % 2 else 0.0
    stone = int(u * STONES + shift + 8) - 8
    return course, stone


def classify(slot, col, row):
    """What the picture holds at (col, row): ('side', u, v, depth, face) / ('front', ...) / None."""
    kinds = []
    for name, lat, fwd, left, top, right, bottom, sx, pslot in PIECES:
        if pslot != slot:
            continue
        x = left + (col - sx)
        y = top + row
        if not (left <= x <= right and top <= y <= bottom):
            continue
        px, py = x + 0.5, y + 0.5
        side = side_sample(px, py, lat, fwd) if lat != 0 else None
        if side is not None:
            u, v, depth = side
            kinds.append(("side", u, v, depth, 2 + lat))
            continue
        if fwd >= 1:
            pleft, ptop, pbottom = KNOWN[fwd]
            width = 2 * (CX - pleft)
            fl = pleft + lat * width
            if fl <= px < fl + width and ptop <= py < pbottom:
                kinds.append(("front", fwd))
                continue
        kinds.append(None)
    real = [k for k in kinds if k is not None]
    if not real:
        return None
    sides = [k for k in real if k[0] == "side"]
    return sides[0] if sides else real[0]


def level_index(level):
    level = int(round(level))
    level = min(max(level, 0), len(STONE_LEVELS) - 1)
    return STONE_LEVELS[level]


def draw_slot(slot):
    w, h = SLOT_SIZE[slot]
    pixels = bytearray([TRANSPARENT]) * (w * h)
    info = [[classify(slot, c, r) for c in range(w)] for r in range(h)]

    def front_stone(c, r, dist):
        anchor = FRONT_ANCHOR[slot][0]
        height = KNOWN[dist][2] - KNOWN[dist][1]
        width = 2 * (CX - KNOWN[dist][0])
        return stone_cell((c + 0.5 - anchor) / width, (r + 0.5) / height, 0)

    def stone_at(c, r):
        if not (0 <= c < w and 0 <= r < h):
            return None
        k = info[r][c]
        if k is None:
            return None
        if k[0] == "front":
            return ("f",) + front_stone(c, r, k[1])
        return ("s", k[4]) + stone_cell(k[1], k[2], k[4])

    for r in range(h):
        for c in range(w):
            k = info[r][c]
            if k is None:
                continue
            if k[0] == "front":
                depth = float(k[1])
                level = brightness(depth)
                thick = 2 if depth < 1.5 else 1
            else:
                depth = k[3]
                level = brightness(depth) - 1.2
                thick = 2 if depth < 1.2 else 1
            me = stone_at(c, r)
            mortar = False
            for d in range(1, thick + 1):
                for nc, nr in ((c + d, r), (c, r + d)):
                    other = stone_at(nc, nr)
                    if other is not None and other != me:
                        mortar = True
            if mortar:
                level -= 4.5
            else:
                hv = hash32(slot, *[x if isinstance(x, int) else ord(x) for x in me])
                level += (hv % 3) - 1
                # A lit upper edge and a shaded lower edge give each stone some relief.
                above = stone_at(c, r - 1)
                below = stone_at(c, r + 2)
                if above is not None and above != me:
                    level += 1
                elif below is not None and below != me:
                    level -= 1
                speck = hash32(slot, c, r, 7) % 29
                if speck == 0:
                    level -= 1
                elif speck == 1:
                    level += 1
            pixels[r * w + c] = level_index(level)
    return w, h, bytes(pixels)


def bmp_bytes(w, h, pixels):
    """An 8-bit bottom-up BMP with a 16-entry colour table."""
    stride = (w + 3) & ~3
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(table)
    size = offset + stride * h
    out = bytearray(b"BM" + struct.pack("<IHHI", size, 0, 0, offset))
    out += struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, stride * h, 2835, 2835, 16, 16)
    out += table
    for y in range(h - 1, -1, -1):
        out += pixels[y * w : (y + 1) * w] + bytes(stride - w)
    return bytes(out)


def pal_bytes():
    entries = b"".join(struct.pack("<BBBB", r, g, b, 0) for (r, g, b) in PALETTE)
    data = struct.pack("<HH", 0x0300, len(PALETTE)) + entries
    body = b"PAL " + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "samples", "stone"))
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "wallpalette.pal"), "wb") as f:
        f.write(pal_bytes())
    for slot, name in enumerate(FILE_NAMES):
        w, h, pixels = draw_slot(slot)
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(bmp_bytes(w, h, pixels))
    print("wrote", os.path.normpath(args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
