#!/usr/bin/env python3
"""The house rules of src/, checked rather than remembered (src/README.md states them):

- every #include, in any form ("...", <...>, with ../), is resolved to the file it names and
  points down the layer order below, never sideways to another program;
- every source file sits in a layer folder, and src/README.md names every layer folder;
- only per-system files include a system header or test a platform macro;
- std::filesystem::path meets text only in the path-text files.

`--self-test` builds a scratch tree with one fault of each kind and fails unless each is found.
"""
import pathlib
import re
import sys

# Lowest first: a file may include its own folder and the folders before it. Programs share the
# last rank and may not include each other.
LAYERS = [
    "core/common", "core/image", "core/wallset", "core/map", "core/view", "core/export",
    "core/report", "core/session", "qtimage", "desk",
]
PROGRAMS = ["cli", "gui", "win32"]
RANK = {folder: rank for rank, folder in enumerate(LAYERS)}
RANK.update({program: len(LAYERS) for program in PROGRAMS})
# Standard C++ only, no Qt: neither Qt's headers nor a folder built on them.
WITHOUT_QT = [folder for folder in LAYERS if folder.startswith("core/")] + ["desk"]
QT_FOLDERS = {"qtimage", "gui"}

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inl"}
PER_SYSTEM_NAME = re.compile(r"_(posix|windows)\.(cpp|h)$")
PER_SYSTEM_FOLDERS = {"win32"}
# The only places a path becomes text and back: UTF-8 for the program's own text, and Qt's file
# names.
PATH_TEXT_FILES = {"core/common/path_text.h", "core/common/path_text.cpp",
                   "qtimage/qt_file_name.h", "qtimage/qt_file_name.cpp"}

STANDARD_HEADERS = set("""
algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
cinttypes climits clocale cmath codecvt compare complex concepts condition_variable coroutine
csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque
exception execution expected filesystem format forward_list fstream functional future
initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
memory memory_resource mutex new numbers numeric optional ostream queue random ranges ratio
regex scoped_allocator semaphore set shared_mutex source_location span sstream stack
stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
version
""".split())
QT_HEADER = re.compile(r"^Qt[A-Za-z]*/|^Q[A-Z][A-Za-z]*$")
# Libraries other than Qt, by the headers they install, and the folders that may use them.
LIBRARIES = [
    (re.compile(r"^CLI/"), ["cli"]),
    (re.compile(r"^nlohmann/"), ["core/report", "cli", "gui", "win32"]),
    (re.compile(r"^(png|pngconf|zlib|gif_lib|jpeglib|jerror|jconfig|jmorecfg)\.h$"),
     ["core/image"]),
]

INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*([<"])([^>"]+)[>"]', re.MULTILINE)
PLATFORM_CONDITIONAL = re.compile(
    r"^[ \t]*#[ \t]*(?:if|ifdef|ifndef|elif|elifdef|elifndef)\b.*\b("
    r"_WIN32|_WIN64|WIN32|_MSC_VER|__MINGW32__|__MINGW64__|__CYGWIN__|__linux__|__linux|"
    r"__unix__|__unix|__APPLE__|__MACH__|__FreeBSD__|__ANDROID__|_POSIX_VERSION|Q_OS_[A-Z0-9_]+"
    r")\b", re.MULTILINE)
PATH_MEETS_TEXT = re.compile(
    r"(?:\.|->)(?:u8string|u16string|u32string|wstring|string|generic_string|generic_u8string|"
    r"generic_wstring)\(\)|\b(?:encodeName|decodeName)\b|"
    r"fromStdString\([^;]*\b(?:path|native)\b")
# A path in the system's own encoding: what a per-system file hands to the system.
NATIVE_PATH = re.compile(r"(?:\.|->)native\(\)")


def layer_folder(relative):
    """The layer folder ("core/view", "gui") a path under src/ belongs to, or None."""
    parts = relative.parts
    if len(parts) >= 3 and parts[0] == "core" and f"core/{parts[1]}" in RANK:
        return f"core/{parts[1]}"
    if len(parts) >= 2 and parts[0] in RANK:
        return parts[0]
    return None


def strip_comments(text):
    """The code without comments (a comment may name a rule it keeps); strings stay, so an
    #include's name survives."""
    return re.sub(r"//[^\n]*|/\*.*?\*/",
                  lambda m: re.sub(r"[^\n]", " ", m.group(0)), text, flags=re.DOTALL)


def resolve(src, including, form, name):
    """The file under src/ an #include names, or None for one from outside (standard, library,
    system). A quoted name is looked for beside the including file first, as compilers do."""
    places = ([including.parent] if form == '"' else []) + [src]
    for place in places:
        candidate = (place / name).resolve()
        if candidate.is_file() and src.resolve() in candidate.parents:
            return candidate.relative_to(src.resolve())
    return None


def check_layers(relative, here, there, name):
    if there != here and RANK[there] >= RANK[here]:
        return f"{relative}: includes {name}, but {here} may not depend on {there}"
    if here in WITHOUT_QT and there in QT_FOLDERS:
        return f"{relative}: includes {name}, but {here} is standard C++ only"
    return None


def check_include(src, path, relative, here, form, name, per_system):
    target = resolve(src, path, form, name)
    if target is not None:
        there = layer_folder(target)
        if there is None:
            return f"{relative}: includes {name}, which is in no layer folder"
        return check_layers(relative, here, there, name)
    # A header the build generates ("win32/version.h") is judged by the folder it names; one
    # that names none sits beside its includer.
    named = layer_folder(pathlib.PurePosixPath(name))
    if named is not None:
        return check_layers(relative, here, named, name)
    if form == '"' or name in STANDARD_HEADERS:
        return None
    if QT_HEADER.search(name):
        if here in WITHOUT_QT:
            return f"{relative}: includes Qt's <{name}>, but {here} is standard C++ only"
        return None
    for pattern, users in LIBRARIES:
        if pattern.search(name):
            if here not in users:
                return f"{relative}: includes <{name}>, which {here} may not use"
            return None
    if not per_system:
        return f"{relative}: includes the system header <{name}> outside a per-system file"
    return None


def check_file(src, path, relative, here):
    problems = []
    code = strip_comments(path.read_text(encoding="utf-8", errors="replace"))
    per_system = bool(PER_SYSTEM_NAME.search(path.name)) or here in PER_SYSTEM_FOLDERS
    for form, name in INCLUDE.findall(code):
        problem = check_include(src, path, relative, here, form, name, per_system)
        if problem:
            problems.append(problem)
    if not per_system:
        for match in PLATFORM_CONDITIONAL.finditer(code):
            problems.append(f"{relative}: tests {match.group(1)} outside a per-system file")
    if relative.as_posix() not in PATH_TEXT_FILES:
        for number, line in enumerate(code.splitlines(), 1):
            match = PATH_MEETS_TEXT.search(line)
            if not match and not per_system:
                match = NATIVE_PATH.search(line)
            if match:
                problems.append(f"{relative}:{number}: a path meets text ({match.group(0)}) "
                                "outside path_text")
    return problems


def check_readme(src):
    """Every layer folder that exists is named in src/README.md, as `folder/`."""
    readme = src / "README.md"
    text = readme.read_text(encoding="utf-8") if readme.is_file() else ""
    problems = []
    for folder in list(RANK):
        if (src / folder).is_dir() and f"`{folder.split('/')[-1]}/`" not in text:
            problems.append(f"src/README.md does not name the layer folder {folder}/")
    return problems


def main(source_root):
    src = pathlib.Path(source_root) / "src"
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        relative = path.relative_to(src)
        here = layer_folder(relative)
        if here is None:
            problems.append(f"{relative}: is in no layer folder")
            continue
        problems.extend(check_file(src, path, relative, here))
    problems.extend(check_readme(src))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


def self_test():
    """The checker must notice each kind of fault, or a green run would prove nothing."""
    import contextlib
    import io
    import tempfile
    files = {
        "README.md": "`common/` `image/` `view/` `session/` `qtimage/` `cli/` `gui/` `win32/`",
        # Sound files: nothing here may be reported.
        "core/common/status.h": "#include <string>\n// .string() in a comment is no call\n",
        "core/common/path_text.cpp": "auto t = p.u8string();\n",
        "core/common/file_reader_posix.cpp":
            "#include <unistd.h>\n#ifdef __linux__\n#endif\nopen(path.native().c_str());\n",
        "core/view/renderer.h": '#include "core/common/status.h"\n#include "../common/status.h"\n',
        "core/view/renderer.cpp": '#include "renderer.h"\n',
        "qtimage/reader.h": "#include <QImage>\n#include <core/view/renderer.h>\n",
        "gui/box.cpp": '#include "qtimage/reader.h"\nauto s = QString::fromStdString(text);\n',
        "win32/frame.cpp": '#include <windows.h>\n#ifdef _WIN32\n#endif\n#include "win32/version.h"\n',
        "core/image/png_reader.cpp": "#include <png.h>\n",
        # One fault of each kind.
        "core/common/texts.h": '#include "core/view/renderer.h"\n',
        "core/image/decoder.h": '#include "../session/session.h"\n',
        "core/session/session.h": "",
        "core/map/walk.h": "#include <core/session/session.h>\n",
        "core/view/paint.h": "#include <QString>\n",
        "core/view/generated.h": '#include "core/view/made.h"\n#include "core/session/made.h"\n',
        "core/helper.h": "",
        "tools/helper.cpp": "",
        "core/export/write.cpp": "#include <unistd.h>\n#include <png.h>\n",
        "core/wallset/lookup.cpp": "#if defined(_WIN32)\n#endif\n",
        "cli/main.cpp": '#include "gui/box.h"\n#include "win32/frame.h"\n',
        "gui/box.h": "",
        "win32/frame.h": "",
        "desk/model.h": '#include "cli/main.h"\n#include <QWidget>\n#include "qtimage/reader.h"\n',
        "cli/main.h": "#include <nlohmann/json.hpp>\n",
        "cli/commands.cpp":
            "out << request.output.string();\nauto u = p.u8string();\nout << map->string();\n"
            "auto n = p.native();\n",
        "gui/watcher.cpp": "QFile::decodeName(bytes);\nQFile::encodeName(name);\n",
        "qtimage/png.cpp": "QString n = QString::fromStdString(path.native());\n",
        "gui/terminal.cpp": "#ifdef Q_OS_WIN\n#endif\n",
    }
    expected = [
        "core/common/texts.h: includes core/view/renderer.h, but core/common may not depend on "
        "core/view",
        "core/image/decoder.h: includes ../session/session.h, but core/image may not depend on "
        "core/session",
        "core/map/walk.h: includes core/session/session.h, but core/map may not depend on",
        "core/view/paint.h: includes Qt's <QString>, but core/view is standard C++ only",
        "core/view/generated.h: includes core/session/made.h, but core/view may not depend on",
        "core/helper.h: is in no layer folder",
        "tools/helper.cpp: is in no layer folder",
        "core/export/write.cpp: includes the system header <unistd.h> outside a per-system file",
        "core/export/write.cpp: includes <png.h>, which core/export may not use",
        "core/wallset/lookup.cpp: tests _WIN32 outside a per-system file",
        "cli/main.cpp: includes gui/box.h, but cli may not depend on gui",
        "cli/main.cpp: includes win32/frame.h, but cli may not depend on win32",
        "desk/model.h: includes cli/main.h, but desk may not depend on cli",
        "desk/model.h: includes Qt's <QWidget>, but desk is standard C++ only",
        "desk/model.h: includes qtimage/reader.h, but desk is standard C++ only",
        "cli/commands.cpp:1: a path meets text (.string())",
        "cli/commands.cpp:2: a path meets text (.u8string())",
        "cli/commands.cpp:3: a path meets text (->string())",
        "cli/commands.cpp:4: a path meets text (.native())",
        "gui/watcher.cpp:1: a path meets text (decodeName)",
        "gui/watcher.cpp:2: a path meets text (encodeName)",
        "qtimage/png.cpp:1: a path meets text (fromStdString(path",
        "gui/terminal.cpp: tests Q_OS_WIN outside a per-system file",
        "src/README.md does not name the layer folder core/map/",
        "src/README.md does not name the layer folder core/wallset/",
        "src/README.md does not name the layer folder core/export/",
        "src/README.md does not name the layer folder desk/",
    ]
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root) / "src" / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            status = main(root)
    found = out.getvalue().splitlines()
    missing = [e for e in expected if not any(line.startswith(e) for line in found)]
    unexpected = [line for line in found if not any(line.startswith(e) for e in expected)]
    for line in missing:
        print(f"self-test: not reported: {line}")
    for line in unexpected:
        print(f"self-test: wrongly reported: {line}")
    return 1 if status == 0 or missing or unexpected else 0


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--self-test":
        sys.exit(self_test())
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2]))
