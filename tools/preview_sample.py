#!/usr/bin/python3
"""Composes first-person views from a wall-set folder, for checking a wall set by eye.

A plain re-implementation of the viewer's drawing (view-cell table, square lookup, even/odd
choice, piece copy with index 10 transparent) on the initial test map. Writes one enlarged PNG
per view and reports pixels left dark between drawn neighbours, which are holes where pieces
should meet. Exits non-zero when a picture uses a colour that is not in the palette.

    tools/preview_sample.py [--dir samples/stone] [--out /tmp/preview] [--scale 3]
"""

import argparse
import os
import struct
import sys

from PIL import Image

from wallset_geometry import DX, DY, FILE_NAMES, TABLE


def initial_map():
    cells = [[0x00] * 16 for _ in range(16)]
    for i in range(16):
        for x, y in ((i, 0), (i, 15), (0, i), (15, i)):
            cells[y][x] = 0x20
    for x, y in ((7, 7), (7, 6), (7, 5), (7, 4), (6, 6), (8, 5)):
        cells[y][x] = 0x20
    return cells


def read_palette(path):
    data = open(path, "rb").read()
    assert data[:4] == b"RIFF", "not a RIFF file"
    pos = 12
    while pos + 8 <= len(data):
        cid, size = data[pos : pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        if cid == b"data":
            version, count = struct.unpack_from("<HH", data, pos + 8)
            assert version == 0x300 and 16 <= count <= 256
            return [tuple(data[pos + 12 + 4 * i : pos + 15 + 4 * i]) for i in range(16)]
        pos += 8 + size + (size & 1)
    raise ValueError("no data chunk")


def read_indexed(path, palette):
    """(width, height, indices) with every pixel matched exactly against the palette."""
    img = Image.open(path).convert("RGB")
    lookup = {}
    for i, colour in enumerate(palette):
        lookup[colour] = i  # the highest index wins, as in the viewer's matching
    w, h = img.size
    out = []
    for y in range(h):
        for x in range(w):
            c = img.getpixel((x, y))
            if c not in lookup:
                raise ValueError(f"{os.path.basename(path)}: colour {c} at ({x},{y}) not in palette")
            out.append(lookup[c])
    return w, h, out


def form(row, alternate):
    r = TABLE[row]
    if not alternate or r[3] < 0:
        return r[4], r[5], r[6], r[7], r[8], r[9], r[10], r[11]
    a = TABLE[r[3]]
    return r[4], r[5], r[6], r[7], a[8], a[9], a[10], not r[11]


def blit(view, image, left, top, right, bottom, srcx, srcy, mirrored):
    w, h, px = image
    for i in range(h):
        dy = top + i
        if not (0 <= dy <= 135 and i <= bottom - top):
            continue
        sy = srcy + i
        if not (0 <= sy < h):
            continue
        for j in range(w):
            dx = left + j
            if not (0 <= dx <= 223 and j <= right - left):
                continue
            sx = srcx + (right - left) - j if mirrored else srcx + j
            if not (0 <= sx < w):
                continue
            v = px[sy * w + sx] & 0x0F
            if v != 10:
                view[dy * 224 + dx] = v


def compose(images, cells, vx, vy, d, even_odd):
    view = [0] * (224 * 136)
    for row, r in enumerate(TABLE):
        lat, fwd = r[1], r[2]
        sx = vx + lat * DX[(d + 1) % 4] + fwd * DX[d % 4]
        sy = vy + lat * DY[(d + 1) % 4] + fwd * DY[d % 4]
        if 0 <= sx <= 15 and 0 <= sy <= 15 and (cells[sy][sx] & 0xE0) == 0x20:
            continue
        alternate = even_odd and (d + sx + sy) % 2 != 0
        left, top, right, bottom, srcx, srcy, slot, mirrored = form(row, alternate)
        blit(view, images[slot], left, top, right, bottom, srcx, srcy, mirrored)
    return view


def holes(view):
    """Dark pixels with drawn pixels directly on both sides (left/right or above/below)."""
    count = 0
    for y in range(1, 135):
        for x in range(1, 223):
            if view[y * 224 + x] != 0:
                continue
            lr = view[y * 224 + x - 1] and view[y * 224 + x + 1]
            ud = view[(y - 1) * 224 + x] and view[(y + 1) * 224 + x]
            if lr or ud:
                count += 1
    return count


def save(view, palette, path, scale):
    img = Image.new("RGB", (224, 136))
    img.putdata([palette[v] for v in view])
    img.resize((224 * scale, 136 * scale), Image.NEAREST).save(path)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dir", default=os.path.join(here, "..", "samples", "stone"))
    parser.add_argument("--out", default="preview")
    parser.add_argument("--scale", type=int, default=3)
    args = parser.parse_args(argv)
    palette = read_palette(os.path.join(args.dir, "wallpalette.pal"))
    images = [read_indexed(os.path.join(args.dir, n), palette) for n in FILE_NAMES]
    images.append((0, 0, []))
    os.makedirs(args.out, exist_ok=True)
    cells = initial_map()
    views = [(7, 7, 0), (7, 7, 1), (7, 6, 0), (7, 5, 1), (7, 7, 2), (7, 4, 3)]
    total_holes = 0
    for vx, vy, d in views:
        for even_odd in (False, True):
            view = compose(images, cells, vx, vy, d, even_odd)
            n = holes(view)
            total_holes += n
            name = f"view_{vx}_{vy}_{'NESW'[d]}{'_eo' if even_odd else ''}.png"
            save(view, palette, os.path.join(args.out, name), args.scale)
            print(f"{name}: {n} hole pixels")
    # Every square a wall: the nearest ring must cover the whole view's walls seamlessly.
    walls = [[0x00] * 16 for _ in range(16)]
    walls[7][7] = 0x20
    for d in range(2):
        for even_odd in (False, True):
            view = compose(images, walls, 7, 7, d, even_odd)
            n = holes(view)
            total_holes += n
            print(f"closed_{'NESW'[d]}{'_eo' if even_odd else ''}: {n} hole pixels")
    return 0 if total_holes == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
