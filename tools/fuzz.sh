#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz/ (clang-14, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them one after another.
#
#   tools/fuzz.sh [--ci] [--time SECONDS] [target...]
#
#   target     fuzz_bmp_decoder, fuzz_palette, fuzz_profile, fuzz_map_text, fuzz_wallset_folder,
#              fuzz_display_text, fuzz_picture_formats
#              (the "fuzz_" may be left out); all of them when none is named
#   --time S   how long each target runs (default 60)
#   --ci       replays every committed corpus and runs each target for 20 seconds
#
# Inputs that add coverage go to build-fuzz/grown/<target>/; the committed seeds in
# fuzz/corpus/<target>/ are only read. A crash, leak, sanitizer report, time-out or memory
# blow-up fails the run; the input that caused it is kept as build-fuzz/artifacts/<target>-*.
# Extra libFuzzer options can be passed in FUZZ_ARGS (for example FUZZ_ARGS="-jobs=2").
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(fuzz_bmp_decoder fuzz_palette fuzz_profile fuzz_map_text fuzz_wallset_folder
             fuzz_display_text fuzz_picture_formats)
seconds=60
ci=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --ci) ci=1; seconds=20 ;;
    --time) seconds="$2"; shift ;;
    --time=*) seconds="${1#--time=}" ;;
    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) name="$1"; [[ "$name" == fuzz_* ]] || name="fuzz_$name"; targets+=("$name") ;;
  esac
  shift
done
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  [ -f "fuzz/$t.cpp" ] || { echo "fuzz.sh: no such target: $t" >&2; exit 2; }
done

./tools/setup.sh

build_dir=build-fuzz
# Line tables are enough for the sanitizers' stack traces and much cheaper to build; asserts
# stay on. Compiler-cache hits across checkouts keep a fresh CI clone's build short.
export CCACHE_NOHASHDIR=1
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DORVANDEL_BUILD_FUZZERS=ON -DORVANDEL_BUILD_GUI=OFF -DORVANDEL_BUILD_CLI=OFF \
  -DORVANDEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j2 --target "${targets[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for t in "${targets[@]}"; do
  work="$build_dir/grown/$t"
  artifacts="$build_dir/artifacts"
  mkdir -p "$work" "$artifacts"
  opts=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$artifacts/$t-")
  [ -f "fuzz/dict/$t.dict" ] && opts+=(-dict="fuzz/dict/$t.dict")
  echo "== $t: ${seconds}s"
  if [ "$ci" -eq 1 ]; then
    # Every committed seed on its own first, so that a regression names its seed.
    if ! "$build_dir/fuzz/$t" -runs=0 "${opts[@]}" "fuzz/corpus/$t"/* >"$build_dir/$t-replay.log" 2>&1; then
      tail -40 "$build_dir/$t-replay.log"
      failed+=("$t (corpus replay)")
      continue
    fi
  fi
  # shellcheck disable=SC2086
  if ! "$build_dir/fuzz/$t" "${opts[@]}" ${FUZZ_ARGS:-} "$work" "fuzz/corpus/$t" \
      >"$build_dir/$t.log" 2>&1; then
    tail -60 "$build_dir/$t.log"
    failed+=("$t")
    continue
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build_dir/$t.log" | tr '\n' ' '
  grep -E "DONE|INITED" "$build_dir/$t.log" | tail -1
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in: ${failed[*]} (inputs in $build_dir/artifacts/)" >&2
  exit 1
fi
echo "fuzz.sh: ${#targets[@]} targets ran without findings"
