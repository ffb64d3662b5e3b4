#!/usr/bin/env python3
"""Finds things in a screenshot of the desktop program, for tests that drive it from outside.

  screen_pixels.py grid SHOT.png           prints "LEFT TOP CELL": the map grid in the shot
  screen_pixels.py find SHOT.png PICTURE FIRST-LAST
                                           prints "X Y SCALE" where PICTURE, enlarged by a whole
                                           SCALE from FIRST to LAST (each pixel a block), appears
                                           exactly; exits 1 when it appears nowhere
"""
import sys

from PIL import Image

BLACK_OR_WHITE = {(0, 0, 0), (255, 255, 255)}


def longest_run(pixels):
    """(start, length) of the longest run of black and white pixels."""
    best = (0, 0)
    start = None
    for i, pixel in enumerate(list(pixels) + [None]):
        if pixel in BLACK_OR_WHITE:
            if start is None:
                start = i
        elif start is not None:
            if i - start > best[1]:
                best = (start, i - start)
            start = None
    return best


def looks_like_cells(pixels):
    """16 equal stretches of one colour each, black and white both among them: a row of the
    map, not a black band of the preview."""
    cell = len(pixels) // 16
    if cell < 2 or len(pixels) % 16:
        return False
    stretches = [set(pixels[i * cell:(i + 1) * cell]) for i in range(16)]
    return all(len(s) == 1 for s in stretches) and len(set().union(*stretches)) == 2


def grid(shot):
    """The map's 16 x 16 cells are the one long unbroken run of black and white pixels in the
    window's upper right; borders and text make only short ones."""
    image = shot.convert("RGB")
    width, height = image.size
    left_edge = width // 2
    rows = []
    for y in range(height // 2):
        row = [image.getpixel((x, y)) for x in range(left_edge, width)]
        start, length = longest_run(row)
        if looks_like_cells(row[start:start + length]):
            rows.append((length, left_edge + start, y))
    if not rows:
        raise SystemExit("no map grid in the screenshot")
    length, left, _ = max(rows)
    cell = length // 16
    if cell < 2:
        raise SystemExit("no map grid in the screenshot")
    column_x = left + cell // 2
    column = [image.getpixel((column_x, y)) for y in range(height)]
    top, tall = longest_run(column)
    if tall // 16 != cell:
        raise SystemExit(f"the map grid is not square: {length} x {tall}")
    return left, top, cell


def find(shot, picture):
    screen = shot.convert("RGB")
    wanted = picture.convert("RGB")
    sw, sh = screen.size
    pw, ph = wanted.size
    screen_rows = [screen.crop((0, y, sw, y + 1)).tobytes() for y in range(sh)]
    wanted_rows = [wanted.crop((0, y, pw, y + 1)).tobytes() for y in range(ph)]
    for y in range(sh - ph + 1):
        at = screen_rows[y].find(wanted_rows[0])
        while at != -1:
            if at % 3 == 0 and all(
                    screen_rows[y + r][at:at + 3 * pw] == wanted_rows[r] for r in range(ph)):
                return at // 3, y
            at = screen_rows[y].find(wanted_rows[0], at + 1)
    return None


def main(argv):
    if len(argv) == 3 and argv[1] == "grid":
        print(*grid(Image.open(argv[2])))
        return 0
    if len(argv) == 5 and argv[1] == "find":
        shot = Image.open(argv[2])
        picture = Image.open(argv[3]).convert("RGB")
        first, last = (int(n) for n in argv[4].split("-"))
        for scale in range(first, last + 1):
            enlarged = picture.resize((picture.width * scale, picture.height * scale),
                                      Image.NEAREST)
            if enlarged.width > shot.width or enlarged.height > shot.height:
                break
            where = find(shot, enlarged)
            if where is not None:
                print(*where, scale)
                return 0
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
