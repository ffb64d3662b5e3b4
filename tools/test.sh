#!/usr/bin/env bash
# Builds the project and runs the whole test suite.
#   tools/test.sh             normal build in build/
#   tools/test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
#   tools/test.sh --release   Release build (-O3) with the benchmarks in build-bench/, the tree
#                             tools/bench.sh uses; the suite, then one short benchmark pass.
#                             The optimiser sees more at -O3 and warns differently, so this is
#                             the build a packager makes, kept compiling.
set -euo pipefail
cd "$(dirname "$0")/.."

"$(dirname "$0")/setup.sh"

build_dir=build
extra=()
release=0
case "${1:-}" in
  "") ;;
  --sanitize)
    build_dir=build-asan
    extra=(-DORVANDEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  --release)
    release=1
    build_dir=build-bench
    # Everything on: tools/bench.sh may have configured this tree without the GUI and tests.
    extra=(-DCMAKE_BUILD_TYPE=Release -DORVANDEL_BUILD_BENCHMARKS=ON -DORVANDEL_BUILD_GUI=ON
           -DORVANDEL_BUILD_CLI=ON -DORVANDEL_BUILD_TESTS=ON)
    ;;
  *) echo "test.sh: unknown option $1" >&2; exit 2 ;;
esac

cmake -S . -B "$build_dir" -G Ninja "${extra[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 300

if [ "$release" -eq 1 ]; then
  # Only that the optimised benchmarks run to the end; the figures are tools/bench.sh's job.
  "$build_dir/bench/orvandel_bench" --benchmark_min_time=0.01 >"$build_dir/bench-smoke.log" 2>&1 ||
    { tail -40 "$build_dir/bench-smoke.log"; exit 1; }
  echo "Release benchmarks ran (log: $build_dir/bench-smoke.log)"
fi
