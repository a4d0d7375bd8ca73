#!/usr/bin/env bash
# Builds the browser edition into build-web/: the page (index.html, page.js),
# the game (velkaro.js, velkaro.wasm) and its data (velkaro-data.tar.gz).
#   scripts/web.sh           install what is missing, then build
#   scripts/web.sh --serve   the same, then serve build-web/ on 127.0.0.1
# SDL 1.2 and SDL_mixer 1.2 come from Debian's source packages and are built
# with Debian's Emscripten beside the game; their objects stay in
# build-web/cmake, so a second run rebuilds only what changed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"
port=${VELKARO_WEB_PORT:-8720}
serve=0
for arg in "$@"; do
  case "$arg" in
    --serve) serve=1 ;;
    *) echo "usage: scripts/web.sh [--serve]" >&2; exit 2 ;;
  esac
done

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

# Debian's Emscripten, the browser for the tests, and dpkg-source for SDL's sources.
packages=(emscripten chromium dpkg-dev nodejs python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
command -v npm >/dev/null || missing+=(npm)

# Source packages: a deb-src entry with the same archive and suites as the
# machine's own Debian entry.
src_list=/etc/apt/sources.list.d/velkaro-debian-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  debian_entry=$(grep -ls '^URIs:.*/debian/*$' /etc/apt/sources.list.d/*.sources | head -1 || true)
  if [ -z "$debian_entry" ]; then
    echo "web.sh: no Debian entry under /etc/apt/sources.list.d to take the deb-src entry from" >&2
    exit 1
  fi
  awk 'BEGIN{RS=""; ORS="\n\n"} /URIs:[^\n]*\/debian\/*(\n|$)/ {sub(/Types:[^\n]*/, "Types: deb-src"); print; exit}' \
    "$debian_entry" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  "${sudo_cmd[@]}" apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The native build makes the pictures and sounds the data package carries.
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j2 --target velkaro_assets velkaro_sounds

# SDL's sources, fetched and unpacked once.
sources="$out/sdl-src"
mkdir -p "$sources"
fetch_source() {  # package, directory it unpacks to
  if [ ! -d "$sources/$2" ]; then
    (cd "$sources" && apt-get source -qq "$1" >/dev/null)
  fi
  [ -d "$sources/$2" ] || { echo "web.sh: apt-get source $1 gave no $2" >&2; exit 1; }
}
fetch_source libsdl1.2 libsdl1.2-1.2.15+dfsg2
fetch_source libsdl-mixer1.2 sdl-mixer1.2-1.2.12

# Emscripten 3.1.6 as Debian ships it finds its node modules only here.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$here" -B "$out/cmake" -DVELKARO_WEB=ON -DCMAKE_BUILD_TYPE=Release \
  -DVELKARO_SDL_SOURCE="$sources/libsdl1.2-1.2.15+dfsg2" \
  -DVELKARO_MIXER_SOURCE="$sources/sdl-mixer1.2-1.2.12" -DVELKARO_WEB_OUT="$out" >/dev/null
cmake --build "$out/cmake" -j2

# The data package: the same files the desktop game reads, in one reproducible tar.
package="$out/velkaro-data.tar.gz"
inputs=("$here/build/run/image" "$here/build/run/sound" "$here/build/run/icon.bmp" "$here/data")
if [ ! -f "$package" ] || [ -n "$(find "${inputs[@]}" -newer "$package" -print -quit)" ]; then
  stage="$out/cmake/package"
  rm -rf "$stage"
  mkdir -p "$stage"
  cp -r "${inputs[@]}" "$stage/"
  tar -C "$stage" --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner --format=ustar \
    -cf - image sound icon.bmp data | gzip -9n > "$package.tmp"
  mv "$package.tmp" "$package"
  rm -rf "$stage"
fi
echo "Built the browser edition in $out ($(du -ch "$out"/index.html "$out"/page.js "$out"/velkaro.js \
  "$out"/velkaro.wasm "$package" | tail -1 | cut -f1) to transfer)"

if [ $serve -eq 1 ]; then
  echo "Serving Velkaro at http://127.0.0.1:$port/ (Ctrl+C stops)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
