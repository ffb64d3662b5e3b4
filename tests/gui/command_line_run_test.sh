#!/usr/bin/env bash
# Runs the real binary without any display: --help and --version answer, a second argument is a
# usage error, and a wall-set file that cannot be opened ends the program with a message.
#   command_line_run_test.sh ORVANDEL
set -uo pipefail
app=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0

failures=0
expect() {  # expect NAME EXPECTED_CODE PATTERN_IN_OUTPUT -- ARGS...
  local name=$1 code=$2 pattern=$3
  shift 4
  local output rc
  output=$("$app" "$@" 2>&1)
  rc=$?
  if [ "$rc" -ne "$code" ] || ! grep -q -- "$pattern" <<<"$output"; then
    echo "FAIL $name: exit $rc (want $code), output:"; echo "$output"
    failures=$((failures + 1))
  fi
}

expect help 0 'Usage: orvandel \[--no-watch\] \[--home-from-file\] \[WALLSET | FOLDER\]' -- --help
expect version 0 '^orvandel [0-9]' -- --version
expect two-files 2 'Usage: orvandel' -- a.Pelorim b.Pelorim
expect unknown-option 2 "unknown option '--bogus'" -- --bogus
expect missing-file 1 "$work/missing.Pelorim' cannot be opened" -- missing.Pelorim

[ "$failures" -eq 0 ] && echo "command line behaves"
exit "$failures"
