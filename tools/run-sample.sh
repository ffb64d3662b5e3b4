#!/usr/bin/env bash
# Builds the desktop program and starts it on the bundled stone wall set. The sample is copied
# into build/sample-home/ first (a fresh copy every time), and the program starts there, so that
# folder is its home: exported pieces land in the copy, never in the source tree.
#   tools/run-sample.sh [SAMPLE]     SAMPLE defaults to stone (a folder under samples/)
set -euo pipefail
cd "$(dirname "$0")/.."

sample=${1:-stone}
if [ ! -d "samples/$sample" ]; then
  echo "run-sample: samples/$sample does not exist" >&2
  exit 1
fi

./tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target orvandel

home=build/sample-home
rm -rf "$home"
cp -r "samples/$sample" "$home"

cd "$home"
# A wall-set file in the sample names its pictures; without one the default names apply.
shopt -s nullglob
wallsets=(*.Pelorim)
if [ ${#wallsets[@]} -eq 1 ]; then
  exec ../src/gui/orvandel "${wallsets[0]}"
fi
exec ../src/gui/orvandel
