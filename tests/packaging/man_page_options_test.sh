#!/usr/bin/env bash
# Every option and command that a program's --help prints must appear in its manual page, so
# the pages cannot fall behind the programs.
#   man_page_options_test.sh MAN_SOURCE_FOLDER PROGRAM [SUBCOMMAND...]
# The page is MAN_SOURCE_FOLDER/<program name>.1.scd; each SUBCOMMAND's own --help is read too.
set -euo pipefail
man_dir=$1
program=$2
shift 2
page="$man_dir/$(basename "$program").1.scd"

helps=$("$program" --help)
for command in "$@"; do
  helps+=$'\n'$("$program" "$command" --help)
  grep -q "^\*$command\*\$" "$page" || { echo "command '$command' is not described in $page" >&2; exit 1; }
done

options=$(grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z-]*' <<<"$helps" | sed 's/^[ ,]//' | sort -u)
[ -n "$options" ] || { echo "no options found in the help of $program" >&2; exit 1; }
missing=0
for option in $options; do
  # In the scdoc source an option is written in bold: *--size*.
  if ! grep -qF -- "*$option*" "$page"; then
    echo "$option is in $(basename "$program")'s --help but not in $page" >&2
    missing=1
  fi
done
exit $missing
