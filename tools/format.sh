#!/usr/bin/env bash
# Formats the project's own C++ files (src, tests, bench, fuzz) with clang-format 14 and the
# repository's .clang-format. Files git knows or would add count (new files too, before
# `git add`); build trees and other ignored files are left alone.
#   tools/format.sh           rewrites the files in place
#   tools/format.sh --check   changes nothing; lists the files that are not formatted and
#                             exits 1 if there are any
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
case "${1:-}" in
  "") ;;
  --check) check=1 ;;
  -h|--help) sed -n '2,7p' "$0"; exit 0 ;;
  *) echo "format.sh: unknown option $1" >&2; exit 2 ;;
esac

# The pinned version: another clang-format release formats some constructs differently, and
# the check would then fail on code nobody touched.
clang_format=clang-format-14
if ! command -v "$clang_format" >/dev/null; then
  echo "format.sh: $clang_format is not installed (tools/setup.sh installs it)" >&2
  exit 2
fi

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "format.sh: no C++ files found (is this a git checkout?)" >&2
  exit 2
fi

# A file deleted in the work tree but still in git's index is not there to format.
present=()
for f in "${files[@]}"; do
  [ -f "$f" ] && present+=("$f")
done
files=("${present[@]}")

if [ "$check" -eq 0 ]; then
  "$clang_format" -i "${files[@]}"
  exit 0
fi

# One process for all files: starting one per file costs far more than the formatting.
status=0
report=$("$clang_format" --dry-run -Werror "${files[@]}" 2>&1) || status=$?
mapfile -t unformatted < <(sed -nE 's/^(.+):[0-9]+:[0-9]+: error: code should be clang-formatted.*/\1/p' \
  <<<"$report" | sort -u)
if [ "$status" -ne 0 ] && [ ${#unformatted[@]} -eq 0 ]; then
  # Failed, but not over formatting (an unreadable file, a broken .clang-format): show why.
  echo "$report" >&2
  exit 2
fi

if [ ${#unformatted[@]} -gt 0 ]; then
  echo "format.sh: ${#unformatted[@]} file(s) not formatted with $clang_format:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  echo "Run tools/format.sh to format them." >&2
  exit 1
fi
echo "format.sh: ${#files[@]} files formatted"
