#!/usr/bin/env bash
# Checks the desktop integration as installed: the .desktop entry validates and opens one file,
# the MIME package compiles and claims "*.Pelorim", the metainfo validates and names the same
# id and MIME type, and the icon is well-formed SVG.
#   desktop_files_test.sh SOURCE_DIR_OF_DESKTOP_FILES
set -euo pipefail
src=$1
id=io.github.orvandel.Orvandel

for tool in desktop-file-validate update-mime-database appstreamcli python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

desktop-file-validate "$src/$id.desktop"
grep -qx 'Exec=orvandel --home-from-file %f' "$src/$id.desktop"
grep -qx "Icon=$id" "$src/$id.desktop"
grep -qx 'MimeType=application/x-orvandel-pelorim;' "$src/$id.desktop"

mkdir -p "$work/mime/packages"
cp "$src/$id.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null
# Globs match in any letter case, so the database stores them lower-cased.
grep -qi 'application/x-orvandel-pelorim:\*\.pelorim$' "$work/mime/globs2"
grep -q '<comment>Orvandel.Document</comment>' "$work/mime/application/x-orvandel-pelorim.xml"
grep -qx "application/x-orvandel-pelorim:$id" "$work/mime/icons"

# --strict fails on warnings too; only the id's capital letter (pedantic) is let through.
appstreamcli validate --no-net --strict "$src/$id.metainfo.xml"
grep -q "<id>$id</id>" "$src/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$src/$id.metainfo.xml"
grep -q '<mediatype>application/x-orvandel-pelorim</mediatype>' "$src/$id.metainfo.xml"
grep -qx 'MimeType=application/x-orvandel-pelorim;' "$src/$id.thumbnailer"

python3 -c 'import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); sys.exit(0 if r.tag.endswith("svg") else 1)' \
  "$src/$id.svg"
echo "desktop files are valid"
