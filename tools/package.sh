#!/usr/bin/env bash
# Builds the Debian package with CPack in a Release tree and checks it (tests/packaging).
#   tools/package.sh    the package lands in build-release/package/
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
deb=$(find "$build_dir/package" -maxdepth 1 -name '*.deb' -print -quit)
bash tests/packaging/package_test.sh "$deb" samples/stone
echo "package: $deb"
