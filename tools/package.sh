#!/usr/bin/env bash
# Builds the Debian packages (orvandel-cli, and orvandel depending on it) with CPack in a Release
# tree and checks them (tests/packaging).
#   tools/package.sh    the packages land in build-release/package/
# An existing Release tree (CI's benchmark build) is reused as configured; a new one is set up
# to build the programs alone, which is all the package needs.
set -euo pipefail
cd "$(dirname "$0")/.."

"$(dirname "$0")/setup.sh"

build_dir=${ORVANDEL_RELEASE_BUILD:-build-release}
extra=()
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  extra=(-DORVANDEL_BUILD_TESTS=OFF)
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${extra[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
rm -rf "$build_dir/package"
(cd "$build_dir" && cpack -G DEB -B package >/dev/null)
cli_deb=$(find "$build_dir/package" -maxdepth 1 -name 'orvandel-cli_*.deb' -print -quit)
gui_deb=$(find "$build_dir/package" -maxdepth 1 -name 'orvandel_*.deb' -print -quit)
bash tests/packaging/package_test.sh "$cli_deb" "$gui_deb" samples/stone
echo "packages: $cli_deb $gui_deb"
