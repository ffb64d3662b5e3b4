#!/usr/bin/env bash
# Runs the .thumbnailer entry's Exec line the way a file manager does (%s %i %o replaced by
# quoted values, the line split like a shell) on a copy of the sample and on broken sets.
#   thumbnailer_test.sh THUMBNAILER_FILE FOLDER_OF_ORVANDEL_CLI SAMPLE_FOLDER
set -euo pipefail
entry=$1
export PATH="$(cd "$2" && pwd):$PATH"
sample=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
exec_line=$(sed -n 's/^Exec=//p' "$entry")

# thumbnail SIZE INPUT OUTPUT: runs from another folder, since file managers do.
thumbnail() {
  (cd / && python3 - "$exec_line" "$@" <<'PY'
import shlex, subprocess, sys
line, size, source, target = sys.argv[1:]
values = {"%s": size, "%i": shlex.quote(source), "%o": shlex.quote(target), "%%": "%"}
for code, value in values.items():
    line = line.replace(code, value)
sys.exit(subprocess.run(shlex.split(line)).returncode)
PY
  )
}

png_size() {
  python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); assert d[:8] == b"\x89PNG\r\n\x1a\n"; print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"
}

home="$work/walls and more"
cp -r "$sample" "$home"
printf '[BMP]\n' >"$home/stone.Pelorim"

# size  expected picture
for case in "128 128x78" "256 224x136" "512 448x272"; do
  set -- $case
  thumbnail "$1" "$home/stone.Pelorim" "$work/thumb-$1"
  [ "$(png_size "$work/thumb-$1")" = "$2" ] || { echo "size $1 gave $(png_size "$work/thumb-$1")" >&2; exit 1; }
done

# A broken set gives a failing status, and no thumbnail: a file the file manager left there
# keeps its bytes, and a new name is never created.
for broken in wallpalette.pal "0087 [Dungeon Graphics - Wall (Front and Sides 2)] .bmp"; do
  rm -rf "$work/broken"
  cp -r "$home" "$work/broken"
  rm "$work/broken/$broken"
  printf 'old' >"$work/kept.png"
  if thumbnail 128 "$work/broken/stone.Pelorim" "$work/kept.png" 2>/dev/null; then
    echo "a set without '$broken' gave a thumbnail" >&2; exit 1
  fi
  [ "$(cat "$work/kept.png")" = old ] || { echo "the old file was overwritten" >&2; exit 1; }
  thumbnail 128 "$work/broken/stone.Pelorim" "$work/new.png" 2>/dev/null || true
  [ "$(ls -A "$work" | sort | tr '\n' ' ')" = "broken kept.png thumb-128 thumb-256 thumb-512 walls and more " ] ||
    { echo "a set without '$broken' left files: $(ls -A "$work")" >&2; exit 1; }
done
echo "thumbnailer renders the sample and refuses broken sets"
