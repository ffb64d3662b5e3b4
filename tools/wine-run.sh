#!/usr/bin/env bash
# Runs a Windows program under Wine, in a Wine prefix of its own, without a display unless
# ORVANDEL_WINE_DISPLAY names an X server.
#   tools/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# The prefix is ORVANDEL_WINEPREFIX when set (reused, so Wine starts only once), otherwise
# build-windows/wineprefix. Exits with the program's status; when Wine itself cannot start,
# says why and exits with 125.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${ORVANDEL_WINEPREFIX:-$root/build-windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Windows that are to be seen (the desktop program's tests) get the X server named here.
if [ -n "${ORVANDEL_WINE_DISPLAY:-}" ]; then
  export DISPLAY="$ORVANDEL_WINE_DISPLAY"
  unset WAYLAND_DISPLAY
else
  unset DISPLAY WAYLAND_DISPLAY
fi

wine=""
for candidate in /usr/lib/wine/wine64 /usr/bin/wine64 /usr/bin/wine; do
  if [ -x "$candidate" ]; then
    wine="$candidate"
    break
  fi
done
if [ -z "$wine" ]; then
  echo "wine-run: Wine is not installed (package wine64); run tools/setup.sh" >&2
  exit 125
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  if ! mkdir -p "$WINEPREFIX" 2>/dev/null; then
    echo "wine-run: Wine cannot start: cannot create its prefix $WINEPREFIX" >&2
    exit 125
  fi
  # The first start builds the prefix; its output is the only clue when that fails.
  if ! log=$("$wine" wineboot --init 2>&1); then
    echo "wine-run: Wine cannot start in $WINEPREFIX:" >&2
    echo "$log" | tail -20 >&2
    exit 125
  fi
fi

exec "$wine" "$@"
