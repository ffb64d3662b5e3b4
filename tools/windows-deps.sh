#!/usr/bin/env bash
# Builds libpng, libjpeg-turbo and giflib as static MinGW-w64 libraries from Debian's own source
# packages (the versions Linux links, or the nearest the archive still serves), with zlib from
# libz-mingw-w64-dev. The result is cached: a second run prints the same folder at once.
#   tools/windows-deps.sh     prints the folder holding include/ and lib/
# The cache lives in .cache/windows-deps/ (ORVANDEL_WINDOWS_DEPS_CACHE moves it).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# Bump when the recipe below changes, so that an old cache is not taken for the new one.
recipe=2
cache="${ORVANDEL_WINDOWS_DEPS_CACHE:-$root/.cache/windows-deps}"
packages=(libpng1.6 libjpeg-turbo giflib)

# The source version of the Debian package Linux builds against.
installed_version() {
  case "$1" in
    libpng1.6) dpkg-query -W -f='${source:Version}' libpng-dev ;;
    libjpeg-turbo) dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev ;;
    giflib) dpkg-query -W -f='${source:Version}' libgif-dev ;;
  esac
}

key="recipe$recipe"
for p in "${packages[@]}"; do
  key="$key-$p-$(installed_version "$p" | tr ':+~' '___')"
done
prefix="$cache/$key"
if [ -f "$prefix/done" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/orvandel-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
log="$work/log"
fail() {
  echo "windows-deps: $*" >&2
  tail -30 "$log" >&2 || true
  exit 1
}

# A private deb-src copy of the machine's Debian sources: the system's apt state is untouched.
apt_dir="$work/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
for list in /etc/apt/sources.list.d/*.sources; do
  [ -f "$list" ] || continue
  grep -q '^Types: *deb$' "$list" || continue
  sed 's/^Types: *deb$/Types: deb-src/' "$list" >"$apt_dir/sources/$(basename "$list")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources/main.list"
fi
apt=(apt-get -q -o "Dir::Etc::SourceParts=$apt_dir/sources" -o Dir::Etc::SourceList=/dev/null
     -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
     -o APT::Sandbox::User=root)
"${apt[@]}" update >"$log" 2>&1 || fail "cannot read Debian's source lists"

sources="$work/sources"
mkdir -p "$sources"
for p in "${packages[@]}"; do
  # The installed version first; the archive sometimes serves only newer security versions,
  # and sometimes lists one whose files are already gone: then the next newest.
  versions=("$(installed_version "$p")")
  while read -r v; do versions+=("$v"); done < <(
    apt-cache -o "Dir::Etc::SourceParts=$apt_dir/sources" -o Dir::Etc::SourceList=/dev/null \
      -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" showsrc "$p" |
      sed -n 's/^Version: //p' | sort -rV)
  fetched=""
  for v in "${versions[@]}"; do
    rm -rf "$work/fetch" && mkdir -p "$work/fetch"
    if (cd "$work/fetch" && "${apt[@]}" source --download-only "$p=$v" >>"$log" 2>&1); then
      fetched="$v"
      break
    fi
  done
  [ -n "$fetched" ] || fail "cannot fetch the source package $p"
  (cd "$work/fetch" && dpkg-source -x ./*.dsc "$sources/$p" >>"$log" 2>&1) ||
    fail "cannot unpack $p $fetched"
  echo "windows-deps: $p $fetched" >&2
done

staging="$work/prefix"
mkdir -p "$staging/include" "$staging/lib"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
cc=x86_64-w64-mingw32-gcc-posix
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2

cmake -S "$sources/libpng1.6" -B "$work/build-png" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DZLIB_USE_STATIC_LIBS=ON >>"$log" 2>&1 || fail "cannot configure libpng"
cmake --build "$work/build-png" -j"$jobs" --target png_static >>"$log" 2>&1 ||
  fail "cannot build libpng"
cp "$sources/libpng1.6/png.h" "$sources/libpng1.6/pngconf.h" "$work/build-png/pnglibconf.h" \
  "$staging/include/"
cp "$work/build-png/libpng16.a" "$staging/lib/libpng16.a"

cmake -S "$sources/libjpeg-turbo" -B "$work/build-jpeg" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF \
  -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DCMAKE_INSTALL_PREFIX="$work/unused" \
  >>"$log" 2>&1 ||
  fail "cannot configure libjpeg-turbo"
cmake --build "$work/build-jpeg" -j"$jobs" --target jpeg-static >>"$log" 2>&1 ||
  fail "cannot build libjpeg-turbo"
cp "$sources/libjpeg-turbo/jpeglib.h" "$sources/libjpeg-turbo/jmorecfg.h" \
  "$sources/libjpeg-turbo/jerror.h" "$work/build-jpeg/jconfig.h" "$staging/include/"
cp "$work/build-jpeg/libjpeg.a" "$staging/lib/libjpeg.a"

gif_files=(dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c openbsd-reallocarray.c
           quantize.c)
mkdir -p "$work/build-gif"
for f in "${gif_files[@]}"; do
  "$cc" -O2 -c "$sources/giflib/$f" -o "$work/build-gif/${f%.c}.o" >>"$log" 2>&1 ||
    fail "cannot build giflib ($f)"
done
x86_64-w64-mingw32-ar rcs "$staging/lib/libgif.a" "$work/build-gif"/*.o
cp "$sources/giflib/gif_lib.h" "$staging/include/"

# Their licences travel with the exe that links them.
mkdir -p "$staging/licenses"
cp "$sources/libpng1.6/LICENSE" "$staging/licenses/libpng.txt"
cat "$sources/libjpeg-turbo/LICENSE.md" "$sources/libjpeg-turbo/README.ijg" \
  >"$staging/licenses/libjpeg-turbo.txt"
cp "$sources/giflib/COPYING" "$staging/licenses/giflib.txt"
cp /usr/share/doc/libz-mingw-w64-dev/copyright "$staging/licenses/zlib.txt"

mkdir -p "$cache"
rm -rf "$prefix"
mv "$staging" "$prefix"
touch "$prefix/done"
# Builds of older recipes or versions are of no further use.
find "$cache" -mindepth 1 -maxdepth 1 ! -name "$key" -exec rm -rf {} +
echo "$prefix"
