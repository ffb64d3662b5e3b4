#!/usr/bin/env bash
# Checks the desktop integration as installed: the .desktop entry validates and opens one file,
# the MIME package compiles and claims "*.Pelorim", and the icon is well-formed SVG.
#   desktop_files_test.sh SOURCE_DIR_OF_DESKTOP_FILES
set -euo pipefail
src=$1

for tool in desktop-file-validate update-mime-database python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

desktop-file-validate "$src/orvandel.desktop"
grep -qx 'Exec=orvandel --home-from-file %f' "$src/orvandel.desktop"
grep -qx 'MimeType=application/x-orvandel-pelorim;' "$src/orvandel.desktop"

mkdir -p "$work/mime/packages"
cp "$src/orvandel-mime.xml" "$work/mime/packages/orvandel.xml"
update-mime-database "$work/mime" 2>/dev/null
# Globs match in any letter case, so the database stores them lower-cased.
grep -qi 'application/x-orvandel-pelorim:\*\.pelorim$' "$work/mime/globs2"
grep -q '<comment>Orvandel.Document</comment>' "$work/mime/application/x-orvandel-pelorim.xml"

python3 -c 'import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); sys.exit(0 if r.tag.endswith("svg") else 1)' \
  "$src/orvandel.svg"
echo "desktop files are valid"
