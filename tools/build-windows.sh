#!/usr/bin/env bash
# Cross-builds the desktop program orvandel.exe, orvandel-cli.exe and the tests for 64-bit Windows
# (MinGW-w64, no Qt) in build-windows/, and packs build-windows/orvandel-windows-x64.zip.
#   tools/build-windows.sh           build and pack
#   tools/build-windows.sh --test    also run the core's tests under Wine
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/setup.sh

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}"
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2

# libpng, libjpeg-turbo and giflib for MinGW, built once from Debian's sources and cached.
deps=$(./tools/windows-deps.sh)
# CMake keeps the libraries it found; when they moved (new versions), it must look again.
if [ -f build-windows/CMakeCache.txt ] &&
   grep -F "$(dirname "$deps")/" build-windows/CMakeCache.txt | grep -qvF "$deps"; then
  rm -f build-windows/CMakeCache.txt
fi
# The preset (CMakePresets.json) holds the toolchain file and the options: no Qt.
cmake --preset windows-cross -DORVANDEL_WINDOWS_DEPS="$deps" >/dev/null
cmake --build build-windows -j"$jobs"

# The exes are linked statically, so they need no MinGW runtime DLLs, only Windows' own; the
# check keeps them so.
programs=(build-windows/src/win32/orvandel.exe build-windows/src/cli/orvandel-cli.exe)
for program in "${programs[@]}"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$program" |
    sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  for dll in $imports; do
    case "$dll" in
      kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-* | user32.dll | gdi32.dll | \
        comdlg32.dll | comctl32.dll | shell32.dll | ole32.dll | oleaut32.dll | advapi32.dll | \
        ws2_32.dll) ;;
      *)
        echo "build-windows: $(basename "$program") needs $dll, which Windows does not have" >&2
        exit 1
        ;;
    esac
  done
done

# What an artist downloads: the two programs and a README with Windows line ends, in one folder.
package=build-windows/package/Orvandel
rm -rf build-windows/package
mkdir -p "$package"
for program in "${programs[@]}"; do
  cp "$program" "$package/"
  x86_64-w64-mingw32-strip "$package/$(basename "$program")"
done
sed 's/\r*$/\r/' tools/windows-package-readme.txt >"$package/README.txt"
# The picture libraries linked into the exes, with their licences.
cp -R "$deps/licenses" "$package/licenses"
zip=build-windows/orvandel-windows-x64.zip
rm -f "$zip"
(cd build-windows/package && cmake -E tar cf "../$(basename "$zip")" --format=zip Orvandel)
echo "$zip"

if [ "${1:-}" = "--test" ]; then
  ./tools/test-windows.sh
fi
