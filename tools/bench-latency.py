#!/usr/bin/env python3
"""Save -> changed pixels on screen, end to end: starts the desktop program on a copy of the
sample wall set under an X server, changes a file the way a painting program saves it, and polls
the window's pixels with XGetImage until they change.

    xvfb-run -a -s "-screen 0 1280x1024x24" tools/bench-latency.py [--program build/src/gui/orvandel]
        [--rounds 10]

Prints one line per kind of save (median, lowest and highest of the rounds, in milliseconds) as
a Markdown table. Needs python3-xlib and python3-pil (tools/setup.sh installs both)."""
import argparse
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

try:
    from Xlib import X, display
except ImportError:
    # A Python of its own (pyenv, a virtualenv) does not see Debian's packages.
    if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise
from PIL import Image, ImageOps

ROOT = pathlib.Path(__file__).resolve().parents[1]
RIGHT0 = "0084 [Dungeon Graphics - Wall (Right Side 0)] .bmp"
POLL_LIMIT_S = 3.0
QUIET_S = 0.5  # between rounds, so every round starts from a settled window


def find_window(dpy, title, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for child in dpy.screen().root.query_tree().children:
            try:
                name = child.get_wm_name()
                attrs = child.get_attributes()
            except Exception:
                continue
            if name == title and attrs.map_state == X.IsViewable:
                return child
        time.sleep(0.05)
    sys.exit(f"bench-latency: no window titled {title!r} appeared")


class Probe:
    """A band of rows across the preview's middle: every save below changes pixels there."""

    def __init__(self, window):
        geometry = window.get_geometry()
        self.window = window
        self.width = geometry.width
        self.y = geometry.height // 4
        self.height = 8

    def grab(self):
        return self.window.get_image(0, self.y, self.width, self.height, X.ZPixmap,
                                     0xFFFFFFFF).data

    def wait_for_change(self, before, start):
        while time.perf_counter() - start < POLL_LIMIT_S:
            if self.grab() != before:
                return time.perf_counter() - start
        return None


def write_in_place(path, data):
    with open(path, "wb") as out:
        out.write(data)


def write_by_rename(path, data):
    fresh = path.with_name(".saving-" + path.name)
    with open(fresh, "wb") as out:
        out.write(data)
    os.replace(fresh, path)


def picture_bytes(image):
    from io import BytesIO
    buffer = BytesIO()
    image.save(buffer, format="BMP")
    return buffer.getvalue()


def palette_versions(data):
    """The RIFF palette as it is and with all its colours inverted."""
    inverted = bytearray(data)
    start = data.index(b"data") + 8 + 4  # chunk size, then version and count
    for entry in range(16):
        for i in range(3):
            inverted[start + 4 * entry + i] = 255 - data[start + 4 * entry + i]
    return data, bytes(inverted)


def measure(probe, rounds, save):
    times = []
    for _ in range(rounds):
        time.sleep(QUIET_S)
        before = probe.grab()
        start = time.perf_counter()
        save()
        elapsed = probe.wait_for_change(before, start)
        if elapsed is None:
            sys.exit("bench-latency: the window did not change within "
                     f"{POLL_LIMIT_S} s of a save")
        times.append(elapsed * 1000.0)
    return times


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=str(ROOT / "build/src/gui/orvandel"))
    parser.add_argument("--rounds", type=int, default=10)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("bench-latency: needs an X server; run it under xvfb-run -a")

    with tempfile.TemporaryDirectory() as temp:
        home = pathlib.Path(temp) / "home"
        shutil.copytree(ROOT / "samples/stone", home)
        right = home / "right.bmp"
        shutil.copy(home / RIGHT0, right)
        mirrored = home / "right-mirrored.bmp"
        original = Image.open(right)
        versions = [picture_bytes(original), picture_bytes(ImageOps.mirror(original))]
        mirrored.write_bytes(versions[1])
        wall_set = home / "bench.Pelorim"
        sets = [f"[BMP]\n0084={name}\n".encode() for name in ("right.bmp", "right-mirrored.bmp")]
        wall_set.write_bytes(sets[0])
        palettes = palette_versions((home / "wallpalette.pal").read_bytes())

        program = subprocess.Popen([args.program, wall_set.name], cwd=home,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            dpy = display.Display()
            probe = Probe(find_window(dpy, "Orvandel"))
            time.sleep(1.0)
            # Each save writes the version the file does not hold, so every save changes the view.
            shown = {"picture": 0, "palette": 0, "set": 0}

            def other(kind, choices):
                shown[kind] = 1 - shown[kind]
                return choices[shown[kind]]

            kinds = [
                ("picture renamed over",
                 lambda: write_by_rename(right, other("picture", versions)), 50),
                ("picture rewritten in place",
                 lambda: write_in_place(right, other("picture", versions)), 100),
                ("palette renamed over",
                 lambda: write_by_rename(home / "wallpalette.pal", other("palette", palettes)), 50),
                ("palette rewritten in place",
                 lambda: write_in_place(home / "wallpalette.pal", other("palette", palettes)), 100),
                ("wall-set file rewritten in place",
                 lambda: write_in_place(wall_set, other("set", sets)), 100),
            ]
            print("| Save | Median | Lowest | Highest | Target |")
            print("|---|---|---|---|---|")
            failed = False
            for name, save, target in kinds:
                times = measure(probe, args.rounds, save)
                median = statistics.median(times)
                failed |= median > target
                print(f"| {name} | {median:.1f} ms | {min(times):.1f} ms | {max(times):.1f} ms "
                      f"| ≤ {target} ms |", flush=True)
        finally:
            program.terminate()
            program.wait(timeout=10)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
