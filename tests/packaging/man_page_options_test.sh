#!/usr/bin/env bash
# A program's --help and its manual page must offer the same options, command by command, so
# neither can fall behind the other.
#   man_page_options_test.sh MAN_SOURCE_FOLDER PROGRAM [SUBCOMMAND...]
# The page is MAN_SOURCE_FOLDER/<program name>.1.scd. For each SUBCOMMAND, the options its own
# --help lists must be exactly those of its SYNOPSIS line (`*program* *command* ...`); every
# option must also be described under OPTIONS. Without subcommands, the program's --help is
# compared with the whole SYNOPSIS.
set -euo pipefail
man_dir=$1
program=$2
shift 2
name=$(basename "$program")
page="$man_dir/$name.1.scd"
failed=0

# The option column of a help text: "  -q,--quiet   text" (CLI11) or "  -h, --help   text" (Qt)
# gives "-q --quiet" on one line, so the names of one option stay together.
help_options() {
  "$@" --help | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//; s/[:[].*//' | tr ',' ' ' |
    awk '{ line = ""; for (i = 1; i <= NF; ++i) if ($i ~ /^-/ && $i != "-h" && $i != "--help" && $i != "--help-all" && $i != "-v" && $i != "--version") line = line (line == "" ? "" : " ") $i; if (line != "") print line }' || true
}

# The options named in one SYNOPSIS paragraph of the scdoc source, written in bold: *--size*.
synopsis_options() {  # first-line pattern
  awk -v start="$1" '
    /^# / { in_synopsis = ($0 == "# SYNOPSIS") }
    in_synopsis && index($0, start) == 1 { taking = 1 }
    in_synopsis && taking && /^$/ { taking = 0 }
    taking { print }' "$page" |
    grep -oE '\*-[-A-Za-z0-9]+\*' | tr -d '*' | grep -vE '^(-h|--help|--version)$' | sort -u || true
}

compare() {  # what synopsis-pattern help-command...
  local what=$1 start=$2
  shift 2
  local synopsis help_groups group option found
  synopsis=$(synopsis_options "$start")
  help_groups=$(help_options "$@")
  while read -r group; do
    [ -n "$group" ] || continue
    found=0
    for option in $group; do
      grep -qx -- "$option" <<<"$synopsis" && found=1
    done
    if [ "$found" = 0 ]; then
      echo "$what: '$group' is in --help but not in the page's synopsis" >&2
      failed=1
    fi
  done <<<"$help_groups"
  for option in $synopsis; do
    if ! grep -qw -- "$option" <<<"$(tr ' ' '\n' <<<"$help_groups")"; then
      echo "$what: '$option' is in the page's synopsis but not in --help" >&2
      failed=1
    fi
  done
  for option in $(tr ' ' '\n' <<<"$help_groups"); do
    if ! grep -qE -- "^\*$option\*|, \*$option\*" "$page"; then
      echo "$what: '$option' is not described under OPTIONS" >&2
      failed=1
    fi
  done
}

if [ "$#" = 0 ]; then
  compare "$name" "*$name*" "$program"
fi
for command in "$@"; do
  grep -q "^\*$command\*\$" "$page" || { echo "command '$command' is not described in $page" >&2; failed=1; }
  compare "$name $command" "*$name* *$command*" "$program" "$command"
done
exit $failed
