#!/usr/bin/env bash
# Runs the end-to-end tests again on sdl12-compat, the SDL 1.2 API over SDL 2
# that newer distributions ship in place of the classic library. Its package
# conflicts with the classic runtime, so its library is unpacked into the build
# tree and put first on the loader's path; SDL 2 itself comes from Debian.
#   scripts/e2e-sdl12-compat.sh [BUILD-DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
compat="$build/sdl12-compat"

if [ ! -e "$compat/lib/libSDL-1.2.so.0" ]; then
  rm -rf "$compat" && mkdir -p "$compat/deb"
  (cd "$compat/deb" && apt-get download libsdl1.2-compat > /dev/null 2>&1)
  dpkg-deb -x "$compat"/deb/libsdl1.2-compat_*.deb "$compat/root"
  ln -sfn "$(dirname "$(find "$compat/root" -name 'libSDL-1.2.so.0' | head -n1)")" "$compat/lib"
fi
export LD_LIBRARY_PATH="$compat/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

# The game must really load the compat library, and SDL 2 behind it.
loaded=$(ldd "$build/velkaro")
grep -q "libSDL-1.2.so.0 => $compat/" <<< "$loaded" || { echo "sdl12-compat is not the SDL the game loads"; exit 1; }
# sdl12-compat opens SDL 2 at run time, so it does not show in ldd.
grep -q 'libSDL2-2.0.so.0' <<< "$(ldconfig -p)" || { echo "SDL 2 (libsdl2-2.0-0) is not installed"; exit 1; }
echo "End-to-end tests on $(basename "$(readlink -f "$compat/lib/libSDL-1.2.so.0")") from sdl12-compat"
cd "$build"
ctest --output-on-failure -R '^e2e\.' -E 'test_package'
