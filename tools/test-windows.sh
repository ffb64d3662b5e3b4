#!/usr/bin/env bash
# Runs the Windows build (build-windows/, made by tools/build-windows.sh) under Wine: the test
# binaries and the picture corpus (PNG, GIF, JPEG) the Linux build was tested on, then
# orvandel-cli.exe check, render and export on the sample wall set and on PNG, GIF and JPEG
# copies of it: every picture written must be byte-identical to the Linux build's (build/, made
# by tools/test.sh). Then the desktop program orvandel.exe, driven from outside with xdotool:
# keys, a map click, the preview's pixels against orvandel-cli's render, its export against the
# Linux build's, live reload, and the PNG copy of the sample.
# Wine runs in a fresh prefix in a temporary folder, its windows on a private Xvfb server.
# When Wine or the X server cannot start, this fails and says why; it never skips.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

linux_cli=build/src/cli/orvandel-cli
windows_cli=build-windows/src/cli/orvandel-cli.exe
windows_gui=build-windows/src/win32/orvandel.exe
corpus_check=build-windows/tests/pictures/picture_corpus_check.exe
for needed in "$linux_cli" "$windows_cli" "$windows_gui" "$corpus_check"; do
  if [ ! -x "$needed" ] && [ ! -f "$needed" ]; then
    echo "test-windows: $needed is missing; run tools/test.sh and tools/build-windows.sh first" >&2
    exit 1
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvandel-wine.XXXXXX")
export ORVANDEL_WINEPREFIX="$work/prefix"
wineserver=""
for server in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver /usr/bin/wineserver; do
  if [ -x "$server" ]; then
    wineserver="$server"
    break
  fi
done
xvfb_pid=""
stop_wine() {
  if [ -n "$wineserver" ]; then
    WINEPREFIX="$ORVANDEL_WINEPREFIX" "$wineserver" -k 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop_wine EXIT

# A private X server for the windows of the desktop program and of its tests; it picks a free
# display number itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "test-windows: FAILED: Xvfb does not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export ORVANDEL_WINE_DISPLAY=":$(head -1 "$work/display")"
wine=(tools/wine-run.sh)
failures=0

# Wine's start, separately, so that a Wine that cannot start is named as the cause.
started=$(date +%s)
if ! version=$("${wine[@]}" "$windows_cli" --version 2>"$work/wine-start.log"); then
  echo "test-windows: FAILED: Wine cannot run $windows_cli:" >&2
  tail -20 "$work/wine-start.log" >&2
  exit 1
fi
echo "Wine runs ${version%$'\r'} (prefix ready in $(($(date +%s) - started)) s)"
# Wine's server stops a few seconds after its last program ends, and a program that starts just
# then loses its connection ("wine client error"): keep one server for the whole run.
if [ -n "$wineserver" ]; then
  WINEPREFIX="$ORVANDEL_WINEPREFIX" "$wineserver" -p 2>/dev/null || true
fi

run_test() {
  "${wine[@]}" "$1" --gtest_brief=1 >"$work/test.log" 2>&1
}
for test in build-windows/tests/test_*.exe; do
  # A failure of Wine's own plumbing is not the test's: that alone earns one more run.
  if run_test "$test" ||
     { grep -q "wine client error" "$work/test.log" &&
       echo "Wine lost its server running $(basename "$test"); running it once more" &&
       run_test "$test"; }; then
    echo "passed under Wine: $(basename "$test") ($(grep -o '[0-9]* tests\? from [0-9]* test suites\? ran' "$work/test.log" | head -1))"
  else
    echo "FAILED under Wine: $(basename "$test")" >&2
    cat "$work/test.log" >&2
    failures=$((failures + 1))
  fi
done

# The same pictures and expectations as the Linux build's corpus test.
/usr/bin/python3 tests/pictures/make_picture_corpus.py "$work/corpus" ||
  { echo "test-windows: cannot make the picture corpus (python3-pil)" >&2; exit 1; }
# Wine's drive Z: is the root folder.
corpus_windows="Z:${work//\//\\}\\corpus"
if ORVANDEL_PICTURE_CORPUS="$corpus_windows" "${wine[@]}" "$corpus_check" --gtest_brief=1 >"$work/test.log" 2>&1; then
  echo "passed under Wine: $(basename "$corpus_check") ($(ls "$work/corpus"/*.expect | wc -l) pictures)"
else
  echo "FAILED under Wine: $(basename "$corpus_check")" >&2
  cat "$work/test.log" >&2
  failures=$((failures + 1))
fi

# The sample wall set in a folder named outside ASCII, which on Windows exists only under its
# wide name; the Linux build gets a plain copy.
windows_home="$work/Zoë/Wände 壁"
linux_home="$work/linux"
mkdir -p "$windows_home" "$linux_home"
cp -R samples/stone/. "$windows_home/"
cp -R samples/stone/. "$linux_home/"

run_windows() {
  (cd "$windows_home" && "$root/tools/wine-run.sh" "$root/$windows_cli" "$@")
}
run_linux() {
  (cd "$linux_home" && "$root/$linux_cli" "$@")
}
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
# identical_pieces A B: how many of A's exported pictures B holds byte for byte.
identical_pieces() {
  local same=0 picture
  for picture in "$1"/Wall_*.bmp; do
    if cmp -s "$picture" "$2/$(basename "$picture")"; then
      same=$((same + 1))
    fi
  done
  echo "$same"
}

# check: the same report, apart from the home folder's name and Windows line ends.
run_linux check >"$work/check-linux.txt" || fail "orvandel-cli check on Linux"
if run_windows check >"$work/check-windows.txt"; then
  if ! diff <(grep -v '^Home folder:' "$work/check-linux.txt") \
            <(tr -d '\r' <"$work/check-windows.txt" | grep -v '^Home folder:') >&2; then
    fail "orvandel-cli.exe check reports differently from the Linux build"
  fi
  if ! tr -d '\r' <"$work/check-windows.txt" | grep -qF "Home folder: Z:${windows_home//\//\\}"; then
    fail "orvandel-cli.exe check names its home folder wrongly:
$(grep '^Home folder:' "$work/check-windows.txt")"
  fi
else
  fail "orvandel-cli.exe check"
  cat "$work/check-windows.txt" >&2
fi

# render: BMP identical to the Linux build's; PNG refused with the reason.
placement=(--at 3,12,E --toggle 4,12 --even-odd)
run_linux render "${placement[@]}" --output view.bmp >/dev/null || fail "orvandel-cli render on Linux"
run_windows render "${placement[@]}" --output view.bmp >/dev/null || fail "orvandel-cli.exe render"
cmp "$linux_home/view.bmp" "$windows_home/view.bmp" || fail "the rendered views differ"
# The same picture through standard output, which Windows opens in text mode.
run_windows render "${placement[@]}" --output - >"$work/view-stdout.bmp" 2>/dev/null ||
  fail "orvandel-cli.exe render --output -"
cmp "$linux_home/view.bmp" "$work/view-stdout.bmp" || fail "the view sent to standard output differs"
# PNG: the view and the overlay sheet, the same bytes as the Linux build writes.
run_linux render "${placement[@]}" --output view.png >/dev/null || fail "render to PNG on Linux"
run_windows render "${placement[@]}" --output view.png >/dev/null ||
  fail "orvandel-cli.exe render --output view.png"
cmp "$linux_home/view.png" "$windows_home/view.png" || fail "the views written as PNG differ"
run_linux check --overlay sheet.png >/dev/null || fail "check --overlay on Linux"
run_windows check --overlay sheet.png >/dev/null || fail "orvandel-cli.exe check --overlay sheet.png"
cmp "$linux_home/sheet.png" "$windows_home/sheet.png" || fail "the overlay sheets differ"
# A device named as output is written as a stream, "nul.bmp" included, and no file appears.
run_windows render --output nul.bmp >/dev/null 2>"$work/nul.txt" ||
  fail "orvandel-cli.exe render --output nul.bmp: $(cat "$work/nul.txt")"
[ ! -e "$windows_home/nul.bmp" ] || fail "render --output nul.bmp made a file"

# export: the 28 pictures, byte for byte the Linux build's.
run_linux export >/dev/null || fail "orvandel-cli export on Linux"
run_windows export >/dev/null || fail "orvandel-cli.exe export"
compared=0
for picture in "$linux_home"/Wall_*.bmp; do
  name=$(basename "$picture")
  if cmp -s "$picture" "$windows_home/$name"; then
    compared=$((compared + 1))
  else
    fail "$name differs between the Linux and the Windows export"
  fi
done
windows_count=$(find "$windows_home" -maxdepth 1 -name 'Wall_*.bmp' | wc -l)
if [ "$compared" -ne 28 ] || [ "$windows_count" -ne 28 ]; then
  fail "expected 28 identical exported pictures, found $compared identical of $windows_count"
else
  echo "orvandel-cli.exe export: all 28 pictures byte-identical to the Linux build's"
fi

# A folder as cmd's completion writes it, a backslash before the closing quote, from a batch file
# so that cmd itself makes the command line.
quoted_home="$work/Mein Set"
mkdir -p "$quoted_home"
cp -R samples/stone/. "$quoted_home/"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
printf '@"%s" check --home "%s\\" >"%s"\r\n' "$(windows_path "$root/$windows_cli")" \
  "$(windows_path "$quoted_home")" "$(windows_path "$work/quoted.txt")" >"$work/quoted.bat"
"${wine[@]}" cmd /c "$(windows_path "$work/quoted.bat")" >/dev/null 2>&1 ||
  fail "orvandel-cli.exe check --home \"...\\Mein Set\\\" from cmd"
if ! tr -d '\r' <"$work/quoted.txt" 2>/dev/null |
     grep -qxF "Home folder: $(windows_path "$quoted_home")"; then
  fail "--home \"...\\Mein Set\\\" from cmd: $(grep '^Home folder' "$work/quoted.txt" 2>/dev/null)"
fi

# The sample's pictures as PNG, GIF and JPEG (ImageMagick), each set exported by both builds.
for format in png gif jpg; do
  set_linux="$work/set-$format-linux"
  set_windows="$work/set-$format-windows"
  mkdir -p "$set_linux"
  cp samples/stone/wallpalette.pal "$set_linux/"
  printf '[BMP]\n' >"$set_linux/walls.Pelorim"
  for picture in samples/stone/*.bmp; do
    key=$(basename "$picture" | cut -c1-4)
    # ImageMagick reads brackets in a name as a frame number: a plain copy first.
    cp "$picture" "$work/plain.bmp"
    convert "$work/plain.bmp" "$set_linux/$key.$format"
    printf '%s=%s.%s\n' "$key" "$key" "$format" >>"$set_linux/walls.Pelorim"
  done
  cp -R "$set_linux" "$set_windows"
  (cd "$set_linux" && "$root/$linux_cli" export walls.Pelorim >/dev/null) ||
    fail "export of the $format set on Linux"
  (cd "$set_windows" && "$root/tools/wine-run.sh" "$root/$windows_cli" export walls.Pelorim \
    >/dev/null) || fail "orvandel-cli.exe export of the $format set"
  same=$(identical_pieces "$set_linux" "$set_windows")
  if [ "$same" -ne 28 ]; then
    fail "the $format set: $same of 28 exported pictures byte-identical"
  else
    echo "orvandel-cli.exe export of the $format set: all 28 pictures byte-identical"
  fi
done

# The desktop program, driven as an artist would: keys (the keypad too), a click on the map, a
# look at the preview, and an export answered Yes.
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
gui_home="$work/gui"
mkdir -p "$gui_home"
cp -R samples/stone/. "$gui_home/"
# A refused request (say, focus for a window Wine is just mapping) fails only the check that
# needed it, not the whole run.
xdo() {
  DISPLAY="$ORVANDEL_WINE_DISPLAY" xdotool "$@" || echo "xdotool $* failed" >&2
}
# The program's windows: the main window first, then any message box (all titled "Orvandel").
orvandel_windows() {
  xdo search --onlyvisible --name '^Orvandel$' 2>/dev/null || true
}
wait_for_windows() {  # COUNT: until that many are open; fails after 30 s
  for _ in $(seq 300); do
    [ "$(orvandel_windows | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
gui_failed() {
  DISPLAY="$ORVANDEL_WINE_DISPLAY" import -window root build-windows/test-windows-gui.png 2>/dev/null || true
  fail "orvandel.exe: $* (the screen is in build-windows/test-windows-gui.png)"
}
gui_started=$(date +%s)
(cd "$gui_home" && exec "$root/tools/wine-run.sh" "$root/$windows_gui") \
  >"$work/gui.log" 2>&1 &
gui_pid=$!
if ! wait_for_windows 1; then
  gui_failed "no window appeared: $(cat "$work/gui.log")"
else
  main_window=$(orvandel_windows | head -1)
  xdo windowfocus "$main_window"
  sleep 0.3
  # 8 forward to (7,6) facing north, 9 turns east, the keypad's 8 goes on to (8,6), E switches
  # the even/odd simulation on.
  xdo key --delay 200 8 9 KP_8 e
  sleep 0.5
  DISPLAY="$ORVANDEL_WINE_DISPLAY" import -window "$main_window" "$work/before-click.png"
  if ! grid=$("$python" tools/screen_pixels.py grid "$work/before-click.png"); then
    gui_failed "no map grid on the screen"
  else
    read -r grid_left grid_top cell <<<"$grid"
    # The square in front of the viewer, (9,6), swaps between wall and floor.
    xdo mousemove --window "$main_window" $((grid_left + 9 * cell + cell / 2)) \
      $((grid_top + 6 * cell + cell / 2)) click 1
    xdo mousemove 0 0
    sleep 0.8
    DISPLAY="$ORVANDEL_WINE_DISPLAY" import -window "$main_window" "$work/shown.png"
    shown_at=(--at 8,6,E --toggle 9,6 --even-odd)
    run_windows render "${shown_at[@]}" --output "$work/view-1x.bmp" >/dev/null ||
      fail "orvandel-cli.exe render of the shown position"
    found=""
    # Wine paints when it gets to it: look again for a few seconds before calling it wrong.
    for _ in $(seq 10); do
      found=$("$python" tools/screen_pixels.py find "$work/shown.png" "$work/view-1x.bmp" 1-8) && break
      sleep 0.5
      DISPLAY="$ORVANDEL_WINE_DISPLAY" import -window "$main_window" "$work/shown.png"
    done
    if [ -z "$found" ]; then
      gui_failed "the preview does not show orvandel-cli's render of (8,6,E) with 9,6 swapped at any whole scale"
    else
      read -r view_x view_y scale <<<"$found"
      run_windows render "${shown_at[@]}" --size $((224 * scale)) --output "$work/view-shown.bmp" \
        >/dev/null || fail "orvandel-cli.exe render --size $((224 * scale))"
      if "$python" tools/screen_pixels.py find "$work/shown.png" "$work/view-shown.bmp" 1-1 >/dev/null; then
        echo "orvandel.exe: the preview at ($view_x,$view_y) is orvandel-cli's render at scale $scale, pixel for pixel"
      else
        gui_failed "the preview differs from orvandel-cli render --size $((224 * scale))"
      fi
    fi
  fi

  # Export: Tab from the even/odd switch (the last control the keys pressed) to the export
  # button, then Yes.
  xdo key --delay 200 Tab Tab space
  if ! wait_for_windows 2; then
    gui_failed "Export asked nothing"
  else
    xdo windowfocus "$(orvandel_windows | tail -1)"
    sleep 0.3
    xdo key y
    for _ in $(seq 100); do
      [ "$(find "$gui_home" -maxdepth 1 -name 'Wall_*.bmp' | wc -l)" -ge 28 ] && break
      sleep 0.1
    done
    sleep 0.5
    if wait_for_windows 2; then  # "export finished"
      xdo windowfocus "$(orvandel_windows | tail -1)"
      sleep 0.3
      xdo key Return
    fi
    same=$(identical_pieces "$linux_home" "$gui_home")
    if [ "$same" -ne 28 ]; then
      gui_failed "its export has $same of 28 pictures byte-identical to the Linux build's"
    else
      echo "orvandel.exe: Export + Yes wrote all 28 pictures byte-identical to the Linux build's"
    fi
  fi

  # Live reload: the palette is saved with another colour 7 (the stone's mortar); the preview
  # must follow by itself and show what orvandel-cli renders from the changed files.
  if [ -n "${scale:-}" ]; then
    "$python" - "$gui_home/wallpalette.pal" <<'PALETTE'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
colours = data.index(b"data") + 8 + 4
data[colours + 7 * 4:colours + 7 * 4 + 3] = bytes((255, 0, 255))
open(path + ".new", "wb").write(data)
PALETTE
    mv "$gui_home/wallpalette.pal.new" "$gui_home/wallpalette.pal"
    run_windows render "${shown_at[@]}" --size $((224 * scale)) --home "$gui_home" \
      --output "$work/view-recoloured.bmp" >/dev/null || fail "orvandel-cli.exe render after the change"
    followed=""
    for _ in $(seq 20); do
      DISPLAY="$ORVANDEL_WINE_DISPLAY" import -window "$main_window" "$work/followed.png"
      if "$python" tools/screen_pixels.py find "$work/followed.png" "$work/view-recoloured.bmp" 1-1 >/dev/null; then
        followed=yes
        break
      fi
      sleep 0.25
    done
    if [ -n "$followed" ]; then
      echo "orvandel.exe: the preview followed the saved palette by itself"
    else
      gui_failed "the preview did not follow the saved palette within 5 s"
    fi
  fi

  # The PNG copy of the sample, opened from the command line: the preview shows what
  # orvandel-cli renders from it.
  kill "$gui_pid" 2>/dev/null || true
  wait "$gui_pid" 2>/dev/null || true
  for _ in $(seq 50); do
    [ -z "$(orvandel_windows)" ] && break
    sleep 0.1
  done
  (cd "$work/set-png-windows" && exec "$root/tools/wine-run.sh" "$root/$windows_gui" --no-watch \
    walls.Pelorim) >"$work/gui.log" 2>&1 &
  gui_pid=$!
  if ! wait_for_windows 1; then
    gui_failed "no window appeared for the PNG wall set: $(cat "$work/gui.log")"
  else
    main_window=$(orvandel_windows | head -1)
    (cd "$work/set-png-windows" && "$root/tools/wine-run.sh" "$root/$windows_cli" render \
      walls.Pelorim --output "$work/png-view.bmp" >/dev/null) || fail "orvandel-cli.exe render of the PNG set"
    found=""
    for _ in $(seq 10); do
      DISPLAY="$ORVANDEL_WINE_DISPLAY" import -window "$main_window" "$work/png-shown.png"
      found=$("$python" tools/screen_pixels.py find "$work/png-shown.png" "$work/png-view.bmp" 1-8) && break
      sleep 0.5
    done
    if [ -n "$found" ]; then
      echo "orvandel.exe: the PNG wall set's preview is orvandel-cli's render, pixel for pixel"
    else
      gui_failed "the PNG wall set's preview differs from orvandel-cli's render"
    fi
  fi
  echo "orvandel.exe driven under Wine in $(($(date +%s) - gui_started)) s"
fi
kill "$gui_pid" 2>/dev/null || true
wait "$gui_pid" 2>/dev/null || true

if [ "$failures" -ne 0 ]; then
  echo "test-windows: $failures failure(s)" >&2
  exit 1
fi
echo "test-windows: all passed"
