#!/usr/bin/env bash
# Cross-builds orvandel-cli.exe and the core's tests for 64-bit Windows (MinGW-w64, no Qt) in
# build-windows/, and packs build-windows/orvandel-cli-windows-x64.zip.
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

# The exe is linked statically, so it needs no MinGW runtime DLLs; the check keeps it so.
imports=$(x86_64-w64-mingw32-objdump -p build-windows/src/cli/orvandel-cli.exe |
  sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for dll in $imports; do
  case "$dll" in
    kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | shell32.dll | ws2_32.dll | ucrtbase.dll | api-ms-win-*) ;;
    *)
      echo "build-windows: orvandel-cli.exe needs $dll, which Windows does not have" >&2
      exit 1
      ;;
  esac
done

package=build-windows/package/orvandel-cli
rm -rf build-windows/package
mkdir -p "$package"
cp build-windows/src/cli/orvandel-cli.exe "$package/"
x86_64-w64-mingw32-strip "$package/orvandel-cli.exe"
cp tools/windows-package-readme.txt "$package/README.txt"
# The picture libraries linked into the exe, with their licences.
cp -R "$deps/licenses" "$package/licenses"
rm -f build-windows/orvandel-cli-windows-x64.zip
(cd build-windows/package && cmake -E tar cf ../orvandel-cli-windows-x64.zip --format=zip orvandel-cli)
echo "build-windows/orvandel-cli-windows-x64.zip"

if [ "${1:-}" = "--test" ]; then
  ./tools/test-windows.sh
fi
