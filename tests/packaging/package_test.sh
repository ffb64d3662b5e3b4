#!/usr/bin/env bash
# Checks a built Debian package: lintian finds no errors, every desktop-integration file is in
# it, the dependencies were computed, and the unpacked orvandel-cli renders the sample wall set.
#   package_test.sh PACKAGE.deb SAMPLE_WALL_SET_FOLDER
set -euo pipefail
deb=$1
sample=$2
id=io.github.orvandel.Orvandel

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Errors fail; warnings are printed for whoever reads the log.
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt" || true
if grep -q '^E: ' "$work/lintian.txt"; then
  echo "lintian reports errors" >&2
  exit 1
fi

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files.txt"
expected=(
  /usr/bin/orvandel
  /usr/bin/orvandel-cli
  "/usr/share/applications/$id.desktop"
  "/usr/share/mime/packages/$id.xml"
  "/usr/share/metainfo/$id.metainfo.xml"
  "/usr/share/thumbnailers/$id.thumbnailer"
  "/usr/share/icons/hicolor/scalable/apps/$id.svg"
  /usr/share/man/man1/orvandel.1.gz
  /usr/share/man/man1/orvandel-cli.1.gz
  /usr/share/doc/orvandel/copyright
  /usr/share/doc/orvandel/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  grep -qx -- "$file" "$work/files.txt" || { echo "missing from the package: $file" >&2; exit 1; }
done

# dpkg-shlibdeps ran: the Qt and C++ runtime libraries are named.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libstdc++6 libqt6gui6 libqt6widgets6; do
  [[ "$depends" == *"$library"* ]] || { echo "Depends lacks $library: $depends" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
cp -r "$sample" "$work/home"
"$work/root/usr/bin/orvandel-cli" render --home "$work/home" --output "$work/view.bmp" >/dev/null
python3 - "$work/view.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert data[:2] == b"BM" and (width, height, bits) == (224, 136, 8), (width, height, bits)
PY
echo "package is complete and its orvandel-cli renders the sample"
