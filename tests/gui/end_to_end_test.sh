#!/usr/bin/env bash
# Starts the real program under Xvfb in a fresh home folder holding a generated wall set, types
# walk keys, takes a screenshot of its window and checks the preview pixel for pixel against the
# view the core renders for the same keys. Exit 77 (skipped) when the X tools are missing.
#   end_to_end_test.sh ORVANDEL HELPER
set -euo pipefail
app=$(realpath "$1")
helper=$(realpath "$2")

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/home"
"$helper" make-wallset "$work/home"

# Xvfb picks a free display number and writes it to fd 3. Other X servers may be starting at
# the same moment, so a lost race for a display number is tried again.
start_xvfb() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && return 0
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
started=
for _ in 1 2 3; do
  if start_xvfb; then started=yes; break; fi
  kill "$xvfb_pid" 2>/dev/null || true
  sleep 1
done
if [ -z "$started" ]; then
  echo "Xvfb did not start:"; cat "$work/xvfb.log"
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0

(cd "$work/home" && exec "$app") >"$work/app.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq 300); do
  kill -0 "$app_pid" 2>/dev/null || break
  window=$(xdotool search --onlyvisible --name '^Orvandel$' 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "the main window did not appear:"; cat "$work/app.log"
  exit 1
fi

# No window manager runs here: give the window the input focus directly, then type.
xdotool windowfocus --sync "$window"
sleep 0.5
keys=8997e
for key in $(echo "$keys" | fold -w1); do
  xdotool key "$key"
  sleep 0.2
done
sleep 1

import -window "$window" "$work/shot.png"
if ! "$helper" check "$work/home" "$work/shot.png" "$keys"; then
  mkdir -p "${TMPDIR:-/tmp}/orvandel-e2e-failure"
  cp "$work"/shot.png* "${TMPDIR:-/tmp}/orvandel-e2e-failure/" 2>/dev/null || true
  echo "screenshots kept in ${TMPDIR:-/tmp}/orvandel-e2e-failure"
  cat "$work/app.log"
  exit 1
fi
echo "the preview matches the core's render"
