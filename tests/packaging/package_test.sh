#!/usr/bin/env bash
# Checks the built Debian packages: lintian finds no errors and no missing hardening, each
# package holds its files, the dependencies were computed (the tool's package depends on Qt only
# as far as the tool links it, the desktop program's on the tool's), and the unpacked
# orvandel-cli renders the sample wall set.
#   package_test.sh CLI_PACKAGE.deb GUI_PACKAGE.deb SAMPLE_WALL_SET_FOLDER
set -euo pipefail
cli_deb=$1
gui_deb=$2
sample=$3
id=io.github.orvandel.Orvandel

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}

for deb in "$cli_deb" "$gui_deb"; do
  # Errors fail, and so does a program built without the hardening flags; other warnings are
  # printed for whoever reads the log.
  lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt" || true
  grep -q '^E: ' "$work/lintian.txt" && fail "lintian reports errors for $deb"
  grep -qE 'hardening-no-(bindnow|fortify-functions|relro|pie)' "$work/lintian.txt" &&
    fail "$deb was built without the hardening flags"
done

expect_files() {  # deb files...
  local deb=$1
  shift
  dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files.txt"
  for file in "$@"; do
    grep -qx -- "$file" "$work/files.txt" || fail "missing from $(basename "$deb"): $file"
  done
}
expect_files "$cli_deb" /usr/bin/orvandel-cli /usr/share/man/man1/orvandel-cli.1.gz \
  "/usr/share/thumbnailers/$id.thumbnailer" "/usr/share/mime/packages/$id.xml" \
  /usr/share/orvandel-cli/check-report.schema.json \
  /usr/share/doc/orvandel-cli/copyright /usr/share/doc/orvandel-cli/changelog.gz
gui_files=(/usr/bin/orvandel "/usr/share/applications/$id.desktop"
  "/usr/share/metainfo/$id.metainfo.xml" "/usr/share/icons/hicolor/scalable/apps/$id.svg"
  /usr/share/man/man1/orvandel.1.gz /usr/share/doc/orvandel/copyright
  /usr/share/doc/orvandel/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
  gui_files+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
expect_files "$gui_deb" "${gui_files[@]}"
dpkg-deb --contents "$gui_deb" | grep -q 'usr/bin/orvandel-cli' && fail "the tool is in both packages"

dpkg-deb -x "$cli_deb" "$work/unpacked"
cli_depends=$(dpkg-deb --field "$cli_deb" Depends)
gui_depends=$(dpkg-deb --field "$gui_deb" Depends)
for library in libc6 libstdc++6; do
  [[ "$cli_depends" == *"$library"* ]] || fail "orvandel-cli's Depends lacks $library: $cli_depends"
done
[[ "$cli_depends" != *libqt6widgets* ]] || fail "orvandel-cli depends on Qt Widgets: $cli_depends"
# Qt Gui only while the tool links it: the dependencies follow the binary, not a list.
if objdump -p "$work/unpacked/usr/bin/orvandel-cli" | grep -q 'NEEDED.*libQt6Gui'; then
  [[ "$cli_depends" == *libqt6gui6* ]] || fail "orvandel-cli links Qt Gui but does not depend on it"
else
  [[ "$cli_depends" != *libqt6* ]] || fail "orvandel-cli links no Qt but depends on it: $cli_depends"
fi
[[ "$gui_depends" == *"orvandel-cli (= "* ]] || fail "orvandel does not depend on orvandel-cli: $gui_depends"
[[ "$gui_depends" == *libqt6widgets6* ]] || fail "orvandel's Depends lacks Qt Widgets: $gui_depends"

cp -r "$sample" "$work/home"
"$work/unpacked/usr/bin/orvandel-cli" render --home "$work/home" --output "$work/view.bmp" >/dev/null
python3 - "$work/view.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert data[:2] == b"BM" and (width, height, bits) == (224, 136, 8), (width, height, bits)
PY
[ "$failed" = 0 ] || exit 1
echo "packages are complete and the unpacked orvandel-cli renders the sample"
