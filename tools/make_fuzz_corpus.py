#!/usr/bin/python3
"""Writes the fuzzers' seed corpora: small valid files of every variant each reader supports.

    tools/make_fuzz_corpus.py [--out fuzz/corpus]

Everything is generated from fixed data (the initial map from the core's own table), so the
corpora are reproducible. The whole-folder seeds join the parts of a wall-set folder with the
separator that fuzz_wallset_folder splits on.
"""

import argparse
import os
import re
import shutil
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_sample_wallset  # noqa: E402

PART_SEPARATOR = b"\n--8<--\n"

# ---------------------------------------------------------------------------------------------
# Pictures


def palette_colours(n):
    """n distinct colours: the sample palette first, then a deterministic ramp."""
    base = list(make_sample_wallset.PALETTE)
    out = base[:n]
    i = 0
    while len(out) < n:
        out.append(((i * 37) & 0xFF, (i * 91 + 17) & 0xFF, (i * 53 + 101) & 0xFF))
        i += 1
    return out


def pattern(w, h, colours):
    """Indices with runs, single pixels and every colour, so that RLE has both modes to use."""
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            if (x // 3 + y) % 2 == 0:
                row.append((y * 3) % colours)
            else:
                row.append((x * 7 + y * 5) % colours)
        px.append(row)
    return px


def pack_row(row, bpp):
    if bpp == 24:
        raise ValueError
    if bpp == 8:
        data = bytes(row)
    else:
        per = 8 // bpp
        data = bytearray()
        for i in range(0, len(row), per):
            b = 0
            for j in range(per):
                v = row[i + j] if i + j < len(row) else 0
                b |= v << (8 - bpp * (j + 1))
            data.append(b)
        data = bytes(data)
    return data + bytes((-len(data)) % 4)


def pack_rgb_row(row, colours):
    data = b"".join(struct.pack("BBB", colours[v][2], colours[v][1], colours[v][0]) for v in row)
    return data + bytes((-len(data)) % 4)


def rle8(px):
    out = bytearray()
    for row in px:
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and row[x + run] == row[x] and run < 255:
                run += 1
            if run >= 2:
                out += bytes([run, row[x]])
                x += run
                continue
            # absolute mode over a stretch of at least three pixels
            end = x
            while end < len(row) and (end + 1 >= len(row) or row[end + 1] != row[end]) and end - x < 255:
                end += 1
            n = end - x
            if n >= 3:
                out += bytes([0, n]) + bytes(row[x:end])
                if n % 2:
                    out.append(0)
                x = end
            else:
                out += bytes([1, row[x]])
                x += 1
        out += b"\x00\x00"  # end of line
    out += b"\x00\x01"  # end of bitmap
    return bytes(out)


def rle4(px):
    out = bytearray()
    for row in px:
        x = 0
        while x < len(row):
            # a run of two alternating nibbles
            a = row[x]
            b = row[x + 1] if x + 1 < len(row) else a
            run = 1
            while x + run < len(row) and row[x + run] == (a if run % 2 == 0 else b) and run < 255:
                run += 1
            if run >= 4 or x + run == len(row):
                out += bytes([run, (a << 4) | b])
                x += run
                continue
            n = min(len(row) - x, 8)
            if n >= 3:
                nib = row[x : x + n] + ([0] if n % 2 else [])
                data = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, len(nib), 2))
                out += bytes([0, n]) + data
                if len(data) % 2:
                    out.append(0)
                x += n
            else:
                out += bytes([run, (a << 4) | b])
                x += run
        out += b"\x00\x00"
    out += b"\x00\x01"
    return bytes(out)


def bmp(w, h, bpp, *, header=40, top_down=False, compression=0, clr_used=None, colours=None,
        pixels=None, gap=0):
    """A BMP file. header: 12 (OS/2 core), 16/64 (OS/2 2.x), 40, 52, 56, 108, 124."""
    ncol = 1 << bpp if bpp <= 8 else 0
    table_n = ncol if clr_used in (None, 0) else clr_used
    cols = colours or palette_colours(max(ncol, 16))
    px = pixels or pattern(w, h, max(1, min(table_n, ncol) if ncol else 16))
    if compression == 1:
        body = rle8(px)
    elif compression == 2:
        body = rle4(px)
    else:
        rows = [pack_rgb_row(r, cols) if bpp == 24 else pack_row(r, bpp) for r in px]
        order = rows if top_down else rows[::-1]
        body = b"".join(order)
    if header == 12:
        entry = lambda c: struct.pack("BBB", c[2], c[1], c[0])  # noqa: E731
    else:
        entry = lambda c: struct.pack("BBBB", c[2], c[1], c[0], 0)  # noqa: E731
    table = b"".join(entry(cols[i]) for i in range(table_n)) if ncol else b""
    hh = -h if top_down else h
    if header == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, bpp)
    elif header == 16:
        info = struct.pack("<IIIHH", 16, w, hh & 0xFFFFFFFF, 1, bpp)
    else:
        info = struct.pack("<IiiHHIIiiII", header, w, hh, 1, bpp, compression, len(body), 2835,
                           2835, clr_used or 0, 0)
        if header >= 52:
            masks = (0xFF0000, 0xFF00, 0xFF, 0) if bpp >= 16 else (0, 0, 0, 0)
            info += struct.pack("<III", *masks[:3])
        if header >= 56:
            info += struct.pack("<I", masks[3])
        info += bytes(header - len(info))
    offset = 14 + len(info) + len(table) + gap
    head = b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset)
    return head + info + table + bytes(gap) + body


def rle8_with_delta(w, h):
    """RLE8 using the delta escape and a short line: skipped pixels stay index 0."""
    body = bytearray()
    body += bytes([3, 1]) + bytes([0, 2, 2, 1])  # run, then move right 2 and up 1 row
    body += bytes([0, 3, 4, 5, 6, 0])  # absolute run of 3, padded
    body += b"\x00\x00"
    body += bytes([w, 7]) + b"\x00\x00"
    body += b"\x00\x01"
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, len(body), 0, 0, 16, 0)
    table = b"".join(struct.pack("BBBB", c[2], c[1], c[0], 0) for c in palette_colours(16))
    offset = 14 + 40 + len(table)
    return b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + info + table + bytes(body)


def bmp_seeds():
    s = {}
    for bpp in (1, 4, 8, 24):
        s[f"core12_{bpp}bpp.bmp"] = bmp(7, 5, bpp, header=12)
        s[f"info40_{bpp}bpp.bmp"] = bmp(9, 4, bpp)
    s["info40_8bpp_topdown.bmp"] = bmp(6, 3, 8, top_down=True)
    s["info40_24bpp_topdown.bmp"] = bmp(5, 3, 24, top_down=True)
    s["info40_8bpp_clrused3.bmp"] = bmp(5, 5, 8, clr_used=3)
    s["info40_4bpp_clrused5.bmp"] = bmp(5, 5, 4, clr_used=5)
    s["info40_8bpp_gap.bmp"] = bmp(4, 2, 8, gap=6)
    s["info40_rle8.bmp"] = bmp(13, 6, 8, compression=1)
    s["info40_rle4.bmp"] = bmp(13, 6, 4, compression=2)
    s["info40_rle8_delta.bmp"] = rle8_with_delta(8, 4)
    for header in (52, 56, 108, 124):
        s[f"v{header}_8bpp.bmp"] = bmp(5, 4, 8, header=header)
        s[f"v{header}_24bpp.bmp"] = bmp(5, 4, 24, header=header)
    s["os2v2_64_8bpp.bmp"] = bmp(6, 3, 8, header=64)
    s["os2v2_16_4bpp.bmp"] = bmp(6, 3, 4, header=16)
    s["one_pixel_1bpp.bmp"] = bmp(1, 1, 1)
    s["widest_24bpp.bmp"] = bmp(320, 1, 24)
    # Refused ones, so that the refusals start from a well-formed file too.
    s["refused_16bpp.bmp"] = bmp(4, 2, 24)[:28] + struct.pack("<H", 16) + bmp(4, 2, 24)[30:]
    s["refused_too_wide.bmp"] = bmp(321, 1, 8)
    return s


# ---------------------------------------------------------------------------------------------
# Palettes


def riff_palette(count=16, *, form=b"PAL ", before=b"", extra_chunks=b"", used=None,
                 top_level_junk=b""):
    cols = palette_colours(count if used is None else used)
    entries = b"".join(struct.pack("BBBB", r, g, b, 0) for (r, g, b) in cols)
    data = struct.pack("<HH", 0x0300, count) + entries
    chunk = b"data" + struct.pack("<I", len(data)) + data + (b"\x00" if len(data) % 2 else b"")
    body = form + before + chunk + extra_chunks
    return top_level_junk + b"RIFF" + struct.pack("<I", len(body)) + body


def palette_seeds():
    odd = b"odd " + struct.pack("<I", 3) + b"abc" + b"\x00"
    junk = b"JUNK" + struct.pack("<I", 4) + b"junk"
    return {
        "pal16.pal": riff_palette(16),
        "pal256.pal": riff_palette(256),
        "count256_in_16.pal": riff_palette(256, used=16),
        "odd_chunk_first.pal": riff_palette(16, before=odd),
        "other_form.pal": riff_palette(16, form=b"WAVE"),
        "trailing_chunk.pal": riff_palette(16, extra_chunks=junk),
        "junk_before_riff.pal": riff_palette(16, top_level_junk=junk),
        "sample.pal": make_sample_wallset.pal_bytes(),
    }


# ---------------------------------------------------------------------------------------------
# Wall-set files

NAMES = make_sample_wallset.FILE_NAMES


def profile_seeds():
    keys = ["0084", "0085", "0086", "0087", "0088", "0089"]
    full = "[BMP]\n" + "".join(f"{k}={n}\n" for k, n in zip(keys, NAMES))
    return {
        "full.Pelorim": full,
        "crlf.Pelorim": full.replace("\n", "\r\n"),
        "cr_only.Pelorim": full.replace("\n", "\r"),
        "bom_and_case.Pelorim": "\ufeff[bmp]\n0084 = walls/a.bmp \n0086=\"quoted name.bmp\"\n",
        "comments_and_sections.Pelorim": (
            "; made by hand\n[Other]\n0084=not this\n[BMP]\n;0085=commented\n0085='single'\n"
            "no equals sign here\n0087=\n[BMP]\n0088=second section ignored\n"
        ),
        "duplicate_keys.Pelorim": "[BMP]\n0089=first\n0089=second\n\t0084\t=\ttabs\t\n",
        "long_value.Pelorim": "[BMP]\n0086=" + "x" * 3000 + "\n0087=after\n",
        "nul_in_value.Pelorim": "[BMP]\n0084=before\0after\n",
        "empty.Pelorim": "",
    }


# ---------------------------------------------------------------------------------------------
# Maps

def initial_map():
    """The map every run starts from, read from the core's own table so it has one home."""
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "src", "core",
                          "map", "map_state.cpp")
    with open(source, encoding="utf-8") as f:
        text = f.read()
    table = text[text.index("kInitialMap = {"):]
    rows = re.findall(r'"([.#]{16})"', table[:table.index("};")])
    if len(rows) != 16:
        sys.exit(f"make_fuzz_corpus: kInitialMap in {source} is not 16 rows of 16 cells")
    return rows


def map_seeds():
    lf = "\n".join(initial_map()) + "\n"
    return {
        "initial.txt": lf,
        "initial_crlf.txt": lf.replace("\n", "\r\n"),
        "no_final_newline.txt": lf[:-1],
        "all_floor.txt": ("." * 16 + "\n") * 16,
        "all_wall.txt": ("#" * 16 + "\n") * 16,
    }


# ---------------------------------------------------------------------------------------------
# Whole folders


def folder(palette, pelorim, pictures):
    parts = [palette, pelorim] + list(pictures)
    return PART_SEPARATOR.join(parts)


def sample_set():
    pics = []
    for slot in range(6):
        w, h, px = make_sample_wallset.draw_slot(slot)
        pics.append(make_sample_wallset.bmp_bytes(w, h, px))
    return pics


def tiny_set(bpp, compression=0, header=40):
    """Six small pictures in the sample palette, each with transparent index 10 somewhere."""
    cols = list(make_sample_wallset.PALETTE)
    pics = []
    for slot, (w, h) in enumerate([(8, 20), (8, 20), (24, 16), (20, 12), (16, 10), (6, 9)]):
        px = [[(x + y + slot) % 16 for x in range(w)] for y in range(h)]
        if bpp == 1:
            px = [[v & 1 for v in row] for row in px]
        pics.append(bmp(w, h, bpp, header=header, compression=compression,
                        colours=cols + palette_colours(256)[16:], pixels=px))
    return pics


def folder_seeds():
    pal = make_sample_wallset.pal_bytes()
    keys = ["0084", "0085", "0086", "0087", "0088", "0089"]
    swapped = "[BMP]\n" + "".join(f"{k}={NAMES[5 - i]}\n" for i, k in enumerate(keys))
    partial = "[BMP]\n0086=missing.bmp\n0087=\n0088=./" + NAMES[4] + "\n"
    return {
        "stone.bin": folder(pal, b"", sample_set()),
        "tiny_8bpp.bin": folder(pal, b"", tiny_set(8)),
        "tiny_4bpp_rle.bin": folder(pal, b"", tiny_set(4, compression=2)),
        "tiny_rle8_swapped.bin": folder(pal, swapped.encode(), tiny_set(8, compression=1)),
        "tiny_24bpp_partial.bin": folder(riff_palette(256), partial.encode(), tiny_set(24)),
        "tiny_1bpp_core.bin": folder(pal, b"[BMP]\n", tiny_set(1, header=12)),
        "no_palette.bin": folder(b"", b"", tiny_set(8)),
        "palette_only.bin": pal,
    }


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(width, height, colour_type, depth, rows, *, plte=None, trns=None, interlace=0):
    """rows are the filtered scanlines already packed (a 0 filter byte each), in file order."""
    data = b"\x89PNG\r\n\x1a\n" + png_chunk(
        b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace))
    if plte is not None:
        data += png_chunk(b"PLTE", bytes(plte))
    if trns is not None:
        data += png_chunk(b"tRNS", trns)
    return data + png_chunk(b"IDAT", zlib.compress(rows, 9)) + png_chunk(b"IEND", b"")


TINY_GIF = bytes([0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 2, 0, 1, 0, 0x80, 0, 0, 10, 20, 30, 40, 50,
                  60, 0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 0x0A, 0, 0x3B])


def picture_format_seeds():
    seeds = {}
    w, h = 5, 3
    seeds["png-palette8.png"] = png(w, h, 3, 8, b"".join(b"\0" + bytes(range(y, y + w)) for y in range(h)),
                                    plte=[v for i in range(8) for v in (i * 30, 255 - i * 30, i)])
    seeds["png-palette4-trns.png"] = png(w, h, 3, 4, b"".join(b"\0\x12\x34\x50" for _ in range(h)),
                                         plte=list(range(48)), trns=b"\xff\x00")
    seeds["png-grey1.png"] = png(w, h, 0, 1, b"\0\xa8" * h)
    seeds["png-grey16.png"] = png(2, 2, 0, 16, b"\0\x12\x34\xff\xff" * 2)
    seeds["png-rgb8.png"] = png(2, 2, 2, 8, b"\0" + bytes(range(6)) + b"\0" + bytes(range(6, 12)))
    seeds["png-rgba16.png"] = png(1, 1, 6, 16, b"\0" + b"\x01\x02" * 3 + b"\xff\xff")
    # Adam7 on a 3 x 3 picture: passes 1, 2 (empty), 3 (empty), 4, 5, 6, 7.
    seeds["png-rgb8-interlaced.png"] = png(3, 3, 2, 8, b"\0" + bytes(3) + b"\0" + bytes(3) +
                                           b"\0" + bytes(3) + b"\0" + bytes(6) * 2 + b"\0" + bytes(9),
                                           interlace=1)
    seeds["gif-tiny.gif"] = TINY_GIF
    transparent = bytearray(TINY_GIF)
    transparent[19:19] = bytes([0x21, 0xF9, 4, 1, 0, 0, 1, 0])
    seeds["gif-transparent.gif"] = bytes(transparent)
    local = bytearray(TINY_GIF)
    local[10] = 0
    del local[13:19]
    local[13 + 9] = 0x80  # the picture's own two-entry table follows its descriptor
    local[23:23] = bytes([10, 20, 30, 40, 50, 60])
    seeds["gif-local-table.gif"] = bytes(local)
    try:
        from PIL import Image
        import io
        for name, mode, options in (("jpeg-baseline.jpg", "RGB", {}),
                                    ("jpeg-progressive.jpg", "RGB", {"progressive": True}),
                                    ("jpeg-grey.jpg", "L", {}), ("jpeg-cmyk.jpg", "CMYK", {})):
            buffer = io.BytesIO()
            image = Image.new(mode, (9, 7))
            image.putdata([((x * 31 + y * 7) % 256,) * len(mode) if mode != "L" else (x * 31 + y * 7) % 256
                           for y in range(7) for x in range(9)])
            image.save(buffer, "JPEG", quality=80, **options)
            seeds[name] = buffer.getvalue()
    except ImportError:
        print("make_fuzz_corpus: no PIL, so no JPEG seeds", file=sys.stderr)
    return seeds


def text_seeds():
    """Names and lines as the program shows them: plain, other scripts, a Windows code page,
    escapes a terminal obeys, and a character that turns the line around."""
    return {
        "plain": b"0084 [Dungeon Graphics - Wall (Right Side 0)] .bmp",
        "utf8": "Z\u00f6e/W\u00e4nde \u58c1 \U0001F9F1.bmp".encode("utf-8"),
        "cp1252": b"W\xe4nde \x80.bmp",
        "terminal": b"\x1b]0;title\x07\x1b[2K\rSummary: 0 file(s) failed\n\x08\x7f",
        "reordered": "abc\u202egnp.exe\u2028\u0085".encode("utf-8"),
        "broken": b"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82",
    }


def dictionaries():
    bmp_words = ['"BM"', '"\\x0c\\x00\\x00\\x00"', '"\\x28\\x00\\x00\\x00"',
                 '"\\x34\\x00\\x00\\x00"', '"\\x38\\x00\\x00\\x00"', '"\\x6c\\x00\\x00\\x00"',
                 '"\\x7c\\x00\\x00\\x00"', '"\\x40\\x00\\x00\\x00"', '"\\x10\\x00\\x00\\x00"',
                 '"\\x01\\x00"', '"\\x04\\x00"', '"\\x08\\x00"', '"\\x18\\x00"', '"\\x10\\x00"',
                 '"\\x20\\x00"', '"\\x01\\x00\\x00\\x00"', '"\\x02\\x00\\x00\\x00"',
                 '"\\x03\\x00\\x00\\x00"', '"\\xff\\xff\\xff\\xff"', '"\\x40\\x01\\x00\\x00"',
                 '"\\xe8\\x03\\x00\\x00"', '"\\x41\\x01\\x00\\x00"', '"\\x00\\x00"',
                 '"\\x00\\x01"', '"\\x00\\x02"']
    pal_words = ['"RIFF"', '"PAL "', '"data"', '"JUNK"', '"\\x00\\x03"', '"\\x10\\x00"',
                 '"\\x00\\x01"', '"\\x44\\x00\\x00\\x00"', '"\\x04\\x04\\x00\\x00"',
                 '"\\x08\\x04\\x00\\x00"', '"\\xff\\xff\\xff\\xff"']
    ini_words = ['"[BMP]"', '"[bmp]"', '"0084="', '"0085="', '"0086="', '"0087="', '"0088="',
                 '"0089="', '"\\x0d\\x0a"', '"\\x0d"', '";"', '"="', '"\\x22"', '"\'"',
                 '"\\xef\\xbb\\xbf"', '"\\x00"', '"\\x09"']
    map_words = ['"################"', '"................"', '"\\x0d\\x0a"', '"#"', '"."']
    folder_words = (['"\\x0a--8<--\\x0a"'] + bmp_words + pal_words + ini_words +
                    [f'"{n}"' for n in NAMES])
    return {
        "fuzz_bmp_decoder.dict": bmp_words,
        "fuzz_palette.dict": pal_words,
        "fuzz_profile.dict": ini_words,
        "fuzz_map_text.dict": map_words,
        "fuzz_wallset_folder.dict": folder_words,
        "fuzz_picture_formats.dict": ['"\\x89PNG\\x0d\\x0a\\x1a\\x0a"', '"IHDR"', '"PLTE"', '"tRNS"',
                                      '"IDAT"', '"IEND"', '"gAMA"', '"GIF89a"', '"GIF87a"',
                                      '"\\x21\\xf9\\x04"', '"\\x2c"', '"\\x3b"', '"\\xff\\xd8\\xff"',
                                      '"\\xff\\xc0"', '"\\xff\\xc2"', '"\\xff\\xc4"', '"\\xff\\xda"',
                                      '"\\xff\\xdb"', '"\\xff\\xd9"', '"Adobe"'],
        "fuzz_display_text.dict": ['"\\x1b["', '"\\xe2\\x80\\xae"', '"\\xc2\\x85"', '"\\x0a"',
                                   '"\\x80"', '"\\xf0\\x9f\\xa7\\xb1"'],
    }


def write_all(out):
    seeds = {
        "fuzz_bmp_decoder": bmp_seeds(),
        "fuzz_palette": palette_seeds(),
        "fuzz_profile": profile_seeds(),
        "fuzz_map_text": map_seeds(),
        "fuzz_wallset_folder": folder_seeds(),
        "fuzz_picture_formats": picture_format_seeds(),
        "fuzz_display_text": text_seeds(),
    }
    total = 0
    for target, files in seeds.items():
        folder_path = os.path.join(out, "corpus", target)
        shutil.rmtree(folder_path, ignore_errors=True)
        os.makedirs(folder_path)
        for name, data in sorted(files.items()):
            if isinstance(data, str):
                data = data.encode("utf-8")
            with open(os.path.join(folder_path, name), "wb") as f:
                f.write(data)
            total += len(data)
    os.makedirs(os.path.join(out, "dict"), exist_ok=True)
    for name, words in dictionaries().items():
        with open(os.path.join(out, "dict", name), "w") as f:
            f.write("".join(w + "\n" for w in words))
    print(f"wrote {sum(len(v) for v in seeds.values())} seeds, {total} bytes, into {out}")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "fuzz"))
    args = parser.parse_args(argv)
    write_all(os.path.normpath(args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
