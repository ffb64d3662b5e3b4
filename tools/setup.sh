#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test, fuzz and run.
# Idempotent and non-interactive; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  nlohmann-json3-dev g++-mingw-w64-x86-64-posix googletest wine64
  clang-14 libclang-rt-14-dev clang-format-14
  xvfb xauth x11-utils xdotool imagemagick
  python3 python3-pil python3-xlib python3-jsonschema time hyperfine
  desktop-file-utils shared-mime-info fonts-dejavu-core
  appstream librsvg2-bin scdoc dpkg-dev lintian file
  libpng-dev libgif-dev libjpeg62-turbo-dev libz-mingw-w64-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
