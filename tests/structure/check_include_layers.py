#!/usr/bin/env python3
"""Fails when an #include points up the layers of src/, or when core folders include each other
in a circle. The order here is the one src/README.md describes; a new folder must be given its
place before anything may include it."""
import pathlib
import re
import sys

# Lower layers first. A file may include its own layer and the layers before it.
PROGRAM_LAYERS = {"core": 0, "qtimage": 1, "desk": 2, "cli": 3, "gui": 3, "win32": 3}
CORE_LAYERS = ["common", "image", "wallset", "map", "view", "export", "report", "session"]

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def layer_of(relative):
    """(program rank, program, core rank or None, core folder or None) of a path under src/."""
    parts = relative.parts
    program = parts[0]
    if program not in PROGRAM_LAYERS:
        return None
    if program != "core" or len(parts) < 3:
        return (PROGRAM_LAYERS[program], program, None, None)
    folder = parts[1]
    rank = CORE_LAYERS.index(folder) if folder in CORE_LAYERS else None
    return (0, "core", rank, folder)


def main(source_root):
    src = pathlib.Path(source_root) / "src"
    problems = []
    core_edges = set()
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src)
        here = layer_of(relative)
        if here is None:
            continue
        if here[1] == "core" and here[3] is not None and here[2] is None:
            problems.append(f"{relative}: core folder '{here[3]}' has no place in the layer order")
            continue
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            there = layer_of(pathlib.PurePosixPath(target))
            if there is None:
                continue
            if there[1] != here[1] and there[0] >= here[0]:
                problems.append(f"{relative}: includes {target}, but {here[1]} may not depend on {there[1]}")
            elif here[1] == "core" and there[1] == "core" and here[3] != there[3]:
                if there[2] is None or (here[2] is not None and there[2] > here[2]):
                    problems.append(f"{relative}: includes {target}, but core/{here[3]} comes before core/{there[3]}")
                core_edges.add((here[3], there[3]))
    for a, b in sorted(core_edges):
        if (b, a) in core_edges and a < b:
            problems.append(f"core/{a} and core/{b} include each other")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


def self_test():
    """The checker itself must notice each kind of fault, or a green run would prove nothing."""
    import tempfile
    files = {
        "core/common/texts.h": '#include "core/view/renderer.h"\n',
        "core/view/renderer.h": '#include "core/common/texts.h"\n#include "core/map/walk.h"\n',
        "core/map/walk.h": '#include "core/view/renderer.h"\n',
        "core/tools/helper.h": "",
        "core/image/decoder.h": '#include "qtimage/reader.h"\n',
        "qtimage/reader.h": '#include "core/image/decoder.h"\n',
        "cli/main.cpp": '#include "gui/box.h"\n#include "core/view/renderer.h"\n',
        "gui/box.h": '#include "qtimage/reader.h"\n',
    }
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root) / "src" / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        import contextlib
        import io
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            status = main(root)
    found = out.getvalue()
    expected = [
        "core/common/texts.h: includes core/view/renderer.h",
        "core/map/walk.h: includes core/view/renderer.h",
        "core/map and core/view include each other",
        "core/common and core/view include each other",
        "core folder 'tools' has no place",
        "core/image/decoder.h: includes qtimage/reader.h",
        "cli/main.cpp: includes gui/box.h",
    ]
    missing = [e for e in expected if e not in found]
    unexpected = [line for line in found.splitlines()
                  if not any(e in line for e in expected)]
    for line in missing:
        print(f"self-test: not reported: {line}")
    for line in unexpected:
        print(f"self-test: wrongly reported: {line}")
    return 1 if status == 0 or missing or unexpected else 0


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--self-test":
        sys.exit(self_test())
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2]))
