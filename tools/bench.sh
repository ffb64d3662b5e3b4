#!/usr/bin/env bash
# Builds a Release tree with the benchmarks (build-bench/) and runs them: the Google Benchmark
# timings with their target ratios, the huge-file check, and the peak memory of
# `orvandel-cli check` on six maximum-size pictures.
#   tools/bench.sh [--repetitions N]   (default 3; the median of the repetitions is compared)
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=3
if [ "${1:-}" = "--repetitions" ]; then
  repetitions=$2
fi

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANDEL_BUILD_BENCHMARKS=ON \
  -DORVANDEL_BUILD_GUI=OFF -DORVANDEL_BUILD_TESTS=OFF -DORVANDEL_BUILD_CLI=ON >/dev/null
cmake --build build-bench -j2 --target orvandel_bench orvandel-cli

echo "== Machine"
lscpu | grep -E '^(Model name|CPU\(s\))' || true
c++ --version | head -n 1

echo "== Benchmarks (repetitions: $repetitions)"
build-bench/bench/orvandel_bench --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true

echo "== Peak memory of orvandel-cli check on six 320x1000 24-bit pictures"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build-bench/bench/orvandel_bench --make-maximum-wall-set "$scratch"
if [ -x /usr/bin/time ]; then
  /usr/bin/time -v build-bench/src/cli/orvandel-cli check --home "$scratch" >/dev/null \
    2>"$scratch/time.txt" || true
  grep -E 'Maximum resident set size|Elapsed' "$scratch/time.txt"
  kib=$(awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}' "$scratch/time.txt")
  echo "peak: $((kib / 1024)) MiB (target < 64 MiB)"
else
  echo "/usr/bin/time is not installed; skipped"
fi

# Whole processes, start-up and library loading included, against a process that does nothing.
echo "== orvandel-cli as a whole process (hyperfine)"
if command -v hyperfine >/dev/null; then
  cli=build-bench/src/cli/orvandel-cli
  sample=$(realpath samples/stone)
  hyperfine --warmup 20 --min-runs 200 -N --export-markdown "$scratch/startup.md" \
    "/bin/true" "$cli --version" "$cli check --quiet --home $sample" >/dev/null
  cat "$scratch/startup.md"
  # An export into an empty folder, flushed to disk or not, on the same disk, in one run.
  out="$scratch/export"
  hyperfine --warmup 3 --min-runs 30 --prepare "rm -rf $out" \
    --export-markdown "$scratch/export.md" \
    "$cli export --quiet --home $sample --output $out" \
    "$cli export --quiet --no-sync --home $sample --output $out" >/dev/null
  cat "$scratch/export.md"
  ldd "$cli" | wc -l | xargs echo "libraries loaded by orvandel-cli:"
else
  echo "hyperfine is not installed; skipped"
fi
