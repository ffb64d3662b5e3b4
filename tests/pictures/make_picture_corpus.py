#!/usr/bin/env python3
"""Writes PNG, GIF and JPEG pictures of every kind a painting tool saves, each with the result
a decoder must give: <name>.expect holds "ok <width> <height> <bits> <table size>" or
"refused <words of the reason>", and <name>.rgb the expected pixels (RGB, top row first).

PNGs are written here byte by byte, so every colour type, depth, tRNS and interlacing is the one
asked for, and the expected pixels come from the samples themselves. GIFs and JPEGs come from
PIL; a JPEG's expected pixels are PIL's own decoding of it (the same libjpeg-turbo settings)."""
import io
import struct
import sys
import zlib
from pathlib import Path

from PIL import Image

out = Path(sys.argv[1])
out.mkdir(parents=True, exist_ok=True)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def pack_row(samples, depth):
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    row, bits, acc = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        bits += depth
        if bits == 8:
            row.append(acc)
            bits, acc = 0, 0
    if bits:
        row.append(acc << (8 - bits))
    return bytes(row)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def write_png(name, width, height, colour_type, depth, pixels, plte=None, trns=None,
              interlace=False, extra=b""):
    """pixels[y][x] is a tuple of samples (one per channel)."""
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    raw = bytearray()
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, width, dx))
        if not xs:
            continue
        for y in range(y0, height, dy):
            samples = [s for x in xs for s in pixels[y][x]]
            assert len(samples) == len(xs) * channels
            raw += b"\0" + pack_row(samples, depth)
    data = b"\x89PNG\r\n\x1a\n"
    data += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                                       1 if interlace else 0))
    data += extra
    if plte is not None:
        data += chunk(b"PLTE", b"".join(bytes(c) for c in plte))
    if trns is not None:
        data += chunk(b"tRNS", trns)
    data += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    (out / name).write_bytes(data)


def expect_ok(name, width, height, bits, table, rgb_rows):
    (out / (name + ".expect")).write_text(f"ok {width} {height} {bits} {table}\n")
    (out / (name + ".rgb")).write_bytes(bytes(v for row in rgb_rows for px in row for v in px))


def expect_refused(name, words):
    (out / (name + ".expect")).write_text(f"refused {words}\n")


def div257(v):
    return (v * 255 + 32767) // 65535


W, H = 37, 23  # odd sizes: rows end inside a byte and interlace passes are uneven
PALETTE16 = [(17 * i, 255 - 17 * i, (97 * i) % 256) for i in range(16)]


def index_at(x, y, count):
    return (x * 3 + y * 5 + (x * y) % 7) % count


# Palette pictures at every depth, with and without tRNS (unused, then used).
for depth in (1, 2, 4, 8):
    count = min(16, 1 << depth)
    plte = PALETTE16[:count]
    pix = [[(index_at(x, y, count),) for x in range(W)] for y in range(H)]
    rgb = [[plte[p[0]] for p in row] for row in pix]
    bits = depth
    for interlace in (False, True):
        name = f"palette{depth}{'-interlaced' if interlace else ''}.png"
        write_png(name, W, H, 3, depth, pix, plte=plte, interlace=interlace)
        # Two bits keep their depth; the wall set refuses that depth later, naming it.
        expect_ok(name, W, H, bits, count, rgb)
    if depth >= 4:
        # An entry past the used ones is see-through: harmless.
        spare = plte + [(1, 2, 3)]
        write_png(f"palette{depth}-trns-unused.png", W, H, 3, depth, pix, plte=spare,
                  trns=bytes([255] * count + [0]))
        # A PLTE longer than the depth allows is cut to 2^depth entries.
        expect_ok(f"palette{depth}-trns-unused.png", W, H, bits, min(count + 1, 1 << depth), rgb)
        write_png(f"palette{depth}-trns-used.png", W, H, 3, depth, pix, plte=plte,
                  trns=bytes([255, 128]))
        expect_refused(f"palette{depth}-trns-used.png", "transparent pixels")
# Indices past a short palette.
pix = [[(index_at(x, y, 16),) for x in range(W)] for y in range(H)]
write_png("palette8-short.png", W, H, 3, 8, pix, plte=PALETTE16[:8])
expect_refused("palette8-short.png", "outside the colour table")

# Grey at every depth.
for depth in (1, 2, 4, 8, 16):
    top = (1 << depth) - 1
    pix = [[((x * 7 + y * 11) * 2654435761 % (top + 1),) for x in range(W)] for y in range(H)]
    for interlace in (False, True):
        name = f"grey{depth}{'-interlaced' if interlace else ''}.png"
        write_png(name, W, H, 0, depth, pix, interlace=interlace)
        if depth == 16:
            rgb = [[(div257(p[0]),) * 3 for p in row] for row in pix]
        else:
            rgb = [[((p[0] * 255 // top),) * 3 for p in row] for row in pix]
        if depth == 1:
            expect_ok(name, W, H, 1, 2, rgb)
        elif depth < 8:
            expect_ok(name, W, H, 8, 1 << depth, rgb)
        else:
            expect_ok(name, W, H, 24, 0, rgb)
    if depth in (4, 8):
        unused = top if all(p[0] != top for row in pix for p in row) else None
        used = pix[0][0][0]
        write_png(f"grey{depth}-trns-used.png", W, H, 0, depth, pix, trns=struct.pack(">H", used))
        expect_refused(f"grey{depth}-trns-used.png", "transparent pixels")
# Every 16-bit grey value once: the rounding to 8 bits, exhaustively.
ramp = [[((y * 256 + x),) for x in range(256)] for y in range(256)]
write_png("grey16-every-value.png", 256, 256, 0, 16, ramp)
expect_ok("grey16-every-value.png", 256, 256, 24, 0, [[(div257(p[0]),) * 3 for p in row] for row in ramp])

# Colour, 8 and 16 bits, with and without alpha and tRNS.
def colour_at(x, y, top):
    return ((x * 37 + y * 3) * 977 % (top + 1), (x * y * 31 + 5) % (top + 1), (y * 41 + x) * 613 % (top + 1))


for depth in (8, 16):
    top = (1 << depth) - 1
    pix = [[colour_at(x, y, top) for x in range(W)] for y in range(H)]
    to8 = (lambda v: v) if depth == 8 else div257
    rgb = [[tuple(to8(v) for v in p) for p in row] for row in pix]
    for interlace in (False, True):
        name = f"rgb{depth}{'-interlaced' if interlace else ''}.png"
        write_png(name, W, H, 2, depth, pix, interlace=interlace)
        expect_ok(name, W, H, 24, 0, rgb)
    opaque = [[p + (top,) for p in row] for row in pix]
    write_png(f"rgba{depth}-opaque.png", W, H, 6, depth, opaque)
    expect_ok(f"rgba{depth}-opaque.png", W, H, 24, 0, rgb)
    partly = [row[:] for row in opaque]
    partly[5][6] = pix[5][6] + (top - 1 if depth == 8 else top - 200,)
    write_png(f"rgba{depth}-partly.png", W, H, 6, depth, partly)
    expect_refused(f"rgba{depth}-partly.png", "transparent pixels")
    grey_alpha = [[(p[0], top) for p in row] for row in pix]
    write_png(f"greyalpha{depth}-opaque.png", W, H, 4, depth, grey_alpha)
    expect_ok(f"greyalpha{depth}-opaque.png", W, H, 24, 0, [[(to8(p[0]),) * 3 for p in row] for row in pix])
    write_png(f"rgb{depth}-trns-used.png", W, H, 2, depth, pix, trns=struct.pack(">HHH", *pix[3][4]))
    expect_refused(f"rgb{depth}-trns-used.png", "transparent pixels")
    write_png(f"rgb{depth}-trns-unused.png", W, H, 2, depth, pix, trns=struct.pack(">HHH", 1, 2, 3))
    expect_ok(f"rgb{depth}-trns-unused.png", W, H, 24, 0, rgb)
# A gamma chunk changes nothing: the numbers in the file are the colours.
pix = [[colour_at(x, y, 255) for x in range(W)] for y in range(H)]
write_png("rgb8-gamma.png", W, H, 2, 8, pix, extra=chunk(b"gAMA", struct.pack(">I", 100000)))
expect_ok("rgb8-gamma.png", W, H, 24, 0, pix)
# Broken files.
good = (out / "rgb8.png").read_bytes()
(out / "truncated.png").write_bytes(good[: len(good) // 2])
expect_refused("truncated.png", "cannot decode")
write_png("too-wide.png", 321, 1, 0, 8, [[(0,)] * 321])
expect_refused("too-wide.png", "too wide")


# GIFs from PIL: a global table, then the same with the table moved into the picture's own.
def gif_bytes(image, **options):
    buffer = io.BytesIO()
    image.save(buffer, "GIF", **options)
    return buffer.getvalue()


def move_table_to_local(data):
    packed = data[10]
    assert packed & 0x80
    size = 3 * (2 << (packed & 7))
    table = data[13:13 + size]
    rest = bytearray(data[:10]) + bytes([packed & 0x70]) + data[11:13]
    at = 13 + size
    while data[at] == 0x21:  # extensions before the picture
        end = at + 2
        while data[end]:
            end += data[end] + 1
        rest += data[at:end + 1]
        at = end + 1
    assert data[at] == 0x2C
    descriptor = bytearray(data[at:at + 10])
    descriptor[9] = (descriptor[9] & 0x40) | 0x80 | (packed & 7)
    return bytes(rest) + bytes(descriptor) + table + data[at + 10:]


def indexed_image(width, height, palette, count):
    image = Image.new("P", (width, height))
    image.putpalette([v for c in palette for v in c] + [0] * (768 - 3 * len(palette)))
    image.putdata([index_at(x, y, count) for y in range(height) for x in range(width)])
    return image


for count in (2, 16, 256):
    palette = [((i * 53) % 256, (i * 101) % 256, (255 - i) % 256) for i in range(count)]
    image = indexed_image(W, H, palette, count)
    rgb = [[palette[index_at(x, y, count)] for x in range(W)] for y in range(H)]
    data = gif_bytes(image, interlace=False)
    (out / f"gif{count}.gif").write_bytes(data)
    (out / f"gif{count}-local.gif").write_bytes(move_table_to_local(data))
    (out / f"gif{count}-interlaced.gif").write_bytes(gif_bytes(image, interlace=True))
    for name in (f"gif{count}.gif", f"gif{count}-local.gif", f"gif{count}-interlaced.gif"):
        expect_ok(name, W, H, 24, 0, rgb)
palette = [((i * 53) % 256, (i * 101) % 256, (255 - i) % 256) for i in range(16)]
image = indexed_image(W, H, palette, 15)
rgb = [[palette[index_at(x, y, 15)] for x in range(W)] for y in range(H)]
(out / "gif-trns-unused.gif").write_bytes(gif_bytes(image, transparency=15))
expect_ok("gif-trns-unused.gif", W, H, 24, 0, rgb)
(out / "gif-trns-used.gif").write_bytes(gif_bytes(image, transparency=3))
expect_refused("gif-trns-used.gif", "transparent pixels")
second = indexed_image(W, H, palette[::-1], 16)
buffer = io.BytesIO()
image.save(buffer, "GIF", save_all=True, append_images=[second])
(out / "gif-animated.gif").write_bytes(buffer.getvalue())
expect_ok("gif-animated.gif", W, H, 24, 0, rgb)
(out / "gif-truncated.gif").write_bytes(gif_bytes(image)[:40])
expect_refused("gif-truncated.gif", "cannot decode")

# JPEGs: expected pixels are PIL's decoding, which uses libjpeg-turbo's defaults too.
photo = Image.new("RGB", (W * 3, H * 3))
photo.putdata([colour_at(x, y, 255) for y in range(H * 3) for x in range(W * 3)])
jpegs = {
    "jpeg-420.jpg": dict(quality=85, subsampling=2),
    "jpeg-444.jpg": dict(quality=95, subsampling=0),
    "jpeg-422-progressive.jpg": dict(quality=75, subsampling=1, progressive=True),
}
for name, options in jpegs.items():
    photo.save(out / name, "JPEG", **options)
photo.convert("L").save(out / "jpeg-grey.jpg", "JPEG", quality=90)
photo.convert("CMYK").save(out / "jpeg-cmyk.jpg", "JPEG", quality=90)
for name in list(jpegs) + ["jpeg-grey.jpg"]:
    decoded = Image.open(out / name).convert("RGB")
    px = list(decoded.getdata())
    expect_ok(name, decoded.width, decoded.height, 24, 0,
              [px[y * decoded.width:(y + 1) * decoded.width] for y in range(decoded.height)])
cmyk = Image.open(out / "jpeg-cmyk.jpg")
assert cmyk.mode == "CMYK"
# Adobe tools store CMYK inverted, and PIL turns it back on reading; the file's own numbers are
# 255 - PIL's, and black scales each of the other three.
px = [tuple((255 - k) * (255 - v) // 255 for v in (c, m, y)) for c, m, y, k in cmyk.getdata()]
expect_ok("jpeg-cmyk.jpg", cmyk.width, cmyk.height, 24, 0,
          [px[y * cmyk.width:(y + 1) * cmyk.width] for y in range(cmyk.height)])
(out / "jpeg-truncated-header.jpg").write_bytes((out / "jpeg-444.jpg").read_bytes()[:100])
expect_refused("jpeg-truncated-header.jpg", "cannot decode")
Image.new("RGB", (100, 1001)).save(out / "jpeg-too-tall.jpg", "JPEG")
expect_refused("jpeg-too-tall.jpg", "too tall")
