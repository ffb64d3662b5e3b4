#!/usr/bin/env bash
# Runs orvandel-cli the way a build does: a Makefile over generated wall sets (clean, a missing
# picture, a broken palette with a missing picture, a garbage .Pelorim, a read-only output
# folder). Checks exit codes, which files were written and which left alone (by modification
# time), and that one run reports every problem, on the right stream.
# Every JSON report is validated against the report's schema.
#   pipeline_test.sh ORVANDEL_CLI SAMPLE_FOLDER REPORT_SCHEMA
set -euo pipefail
cli=$(realpath "$1")
sample=$(realpath "$2")
schema=$(realpath "$3")

work=$(mktemp -d)
chmod 755 "$work"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
expect_status() {  # expected actual what
  [ "$1" = "$2" ] || fail "$3: exit status $2, expected $1"
}
expect_in() {  # file text what
  grep -qF -- "$2" "$1" || { fail "$3: '$2' not in $1:"; sed 's/^/    /' "$1"; }
}
expect_valid_report() {  # set what
  "$cli" check --json --home "art/$1" "art/$1/$1.Pelorim" >report.json 2>/dev/null || true
  python3 - "$schema" report.json <<'PY' || fail "$2: the report does not match the schema"
import json, sys
import jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator.check_schema(schema)
jsonschema.Draft202012Validator(schema).validate(json.load(open(sys.argv[2])))
PY
}
expect_empty() {  # file what
  [ ! -s "$1" ] || { fail "$2: $1 is not empty:"; sed 's/^/    /' "$1"; }
}

# A set under simple names (make cannot handle the default names' blanks).
make_set() {  # folder
  mkdir -p "art/$1"
  local key
  for key in 0084 0085 0086 0087 0088 0089; do
    cp "$sample/$key "*.bmp "art/$1/$key.bmp"
  done
  cp "$sample/wallpalette.pal" "art/$1/"
  {
    echo "[BMP]"
    for key in 0084 0085 0086 0087 0088 0089; do echo "$key=$key.bmp"; done
  } >"art/$1/$1.Pelorim"
}
for set in clean missing palette garbage; do make_set "$set"; done
rm art/missing/0086.bmp
rm art/palette/0087.bmp
echo "garbage" >art/palette/wallpalette.pal
# The garbage file falls back to the default names, and the pictures are there under them:
# only the lint can tell that anything is wrong.
for key in 0084 0085 0086 0087 0088 0089; do
  mv "art/garbage/$key.bmp" "art/garbage/$(cd "$sample" && ls "$key "*.bmp)"
done
printf 'garbage\n[BMP\n0084\n' >art/garbage/garbage.Pelorim

# The rule the README shows: one export per set behind a stamp, with the dependency file the
# export writes, so unchanged pictures keep their times, only what depends on a changed picture
# is rebuilt, and a deleted piece comes back.
cat >Makefile <<'EOF'
CLI ?= orvandel-cli
SET ?= clean
OUT := build/$(SET)

all: $(OUT)/.exported
$(OUT)/.exported:
	$(CLI) export --strict --quiet --no-sync --home art/$(SET) --output $(OUT) \
	  --depfile $(OUT)/.exported.d --depfile-target $@ art/$(SET)/$(SET).Pelorim
	touch $@
-include $(OUT)/.exported.d
EOF

mtimes() {  # folder: "name mtime" lines
  (cd "$1" && find . -name 'Wall_*.bmp' -printf '%f %T@\n' | sort)
}

# Clean: 28 pictures, nothing said; a second run with a touched input leaves all 28 alone.
status=0
make -s CLI="$cli" SET=clean >out.txt 2>err.txt || status=$?
expect_status 0 "$status" "make clean set"
expect_empty out.txt "make clean set stdout"
expect_empty err.txt "make clean set stderr"
[ "$(mtimes build/clean | wc -l)" = 28 ] || fail "clean set: not 28 pictures"
cp -r build/clean before
mtimes build/clean >before.txt
sleep 1.1
touch art/clean/0084.bmp
make -s CLI="$cli" SET=clean >/dev/null 2>&1 || fail "second make of the clean set"
mtimes build/clean >after.txt
cmp -s before.txt after.txt || fail "an unchanged picture was rewritten"
make -q CLI="$cli" SET=clean || fail "the run after an export still finds work to do"

# A deleted piece is exported again, and then nothing is left to do.
rm build/clean/Wall_D1.bmp
make -q CLI="$cli" SET=clean && fail "make does not see the deleted piece"
make -s CLI="$cli" SET=clean >/dev/null 2>&1 || fail "make after a piece was deleted"
cmp -s before/Wall_D1.bmp build/clean/Wall_D1.bmp || fail "the deleted piece was not rebuilt"
make -q CLI="$cli" SET=clean || fail "the run after rebuilding a piece still finds work to do"
mtimes build/clean >before.txt

# One picture changed: its pieces are rewritten, every other picture keeps its time.
head -c 784 /dev/zero | tr '\0' '\3' | dd of=art/clean/0089.bmp bs=1 seek=118 conv=notrunc 2>/dev/null
sleep 1.1
make -s CLI="$cli" SET=clean >/dev/null 2>&1 || fail "make after one picture changed"
mtimes build/clean >changed.txt
rewritten=0
while read -r name time; do
  old=$(grep -F "$name " before.txt | cut -d' ' -f2)
  if cmp -s "before/$name" "build/clean/$name"; then
    [ "$old" = "$time" ] || fail "$name has the same bytes but a new time"
  else
    rewritten=$((rewritten + 1))
    [ "$old" != "$time" ] || fail "$name changed but kept its time"
  fi
done <changed.txt
[ "$rewritten" -gt 0 ] && [ "$rewritten" -lt 28 ] || fail "$rewritten pictures rewritten"

# A missing picture: check fails naming it; a strict export writes nothing.
status=0
"$cli" check --home art/missing art/missing/missing.Pelorim >out.txt 2>err.txt || status=$?
expect_status 1 "$status" "check, missing picture"
expect_in err.txt "art/missing/0086.bmp: error: missing file" "check, missing picture"
status=0
make -s CLI="$cli" SET=missing >/dev/null 2>err.txt || status=$?
[ "$status" != 0 ] || fail "make of the set with a missing picture succeeded"
[ ! -e build/missing ] || fail "a strict export of a failed set wrote files"

# A broken palette and a missing picture: both in one run, the picture by its name.
status=0
"$cli" check --home art/palette art/palette/palette.Pelorim >out.txt 2>err.txt || status=$?
expect_status 1 "$status" "check, broken palette"
expect_in err.txt "art/palette/wallpalette.pal: error: " "check, broken palette"
expect_in err.txt "art/palette/0087.bmp: error: missing file" "check, broken palette"
expect_in out.txt "not matched, the palette failed" "check, broken palette"
if grep -q '""\|^: ' out.txt err.txt; then fail "an empty name is shown"; fi
for set in clean missing palette garbage; do expect_valid_report "$set" "check --json, $set"; done
status=0
"$cli" export --home art/palette --output build/palette art/palette/palette.Pelorim >out.txt 2>err.txt || status=$?
expect_status 1 "$status" "export, broken palette"
expect_in err.txt "nothing was exported" "export, broken palette"
[ ! -e build/palette ] || fail "an export without a palette wrote files"

# A garbage .Pelorim: warnings with line numbers; only --strict fails on them.
status=0
"$cli" check --home art/garbage art/garbage/garbage.Pelorim >out.txt 2>err.txt || status=$?
expect_status 0 "$status" "check, garbage .Pelorim"
for line in ':1: ' ':2: ' ':3: ' 'no [BMP] section'; do
  expect_in err.txt "$line" "check, garbage .Pelorim"
done
status=0
"$cli" check --strict --quiet --home art/garbage art/garbage/garbage.Pelorim >out.txt 2>err.txt || status=$?
expect_status 1 "$status" "check --strict, garbage .Pelorim"
expect_empty out.txt "check --strict --quiet stdout"
expect_in err.txt "garbage.Pelorim:1: " "check --strict, garbage .Pelorim"
status=0
"$cli" export --strict --home art/garbage --output build/garbage art/garbage/garbage.Pelorim \
  >out.txt 2>err.txt || status=$?
expect_status 1 "$status" "export --strict, garbage .Pelorim"
expect_in err.txt "no [BMP] section" "export --strict, garbage .Pelorim"
[ ! -e build/garbage ] || fail "a strict export of a linted set wrote files"

# A read-only output folder: every picture fails with its reason, earlier files stay as
# they were. Root writes anywhere, so the export then runs as nobody.
mkdir build/readonly
cp before/Wall_D1.bmp build/readonly/Wall_D2.bmp
touch -d '2001-01-01' build/readonly/Wall_D2.bmp
chmod 555 build/readonly
as_user=()
if [ "$(id -u)" = 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
status=0
"${as_user[@]}" "$cli" export --home art/clean --output build/readonly art/clean/clean.Pelorim \
  >out.txt 2>err.txt || status=$?
expect_status 1 "$status" "export into a read-only folder"
expect_in err.txt "build/readonly: error: 28 pictures not written: permission denied" \
  "export into a read-only folder"
[ "$(wc -l <err.txt)" = 1 ] || { fail "one cause, more than one line:"; cat err.txt; }
expect_in out.txt "0 written, 0 unchanged, 28 failed" "export into a read-only folder"
[ "$(ls build/readonly)" = Wall_D2.bmp ] || fail "files appeared in the read-only folder"
[ "$(date -r build/readonly/Wall_D2.bmp +%Y)" = 2001 ] || fail "the earlier file was touched"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "pipeline: all checks passed"
