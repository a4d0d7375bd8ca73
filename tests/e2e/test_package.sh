#!/usr/bin/env bash
# The Debian package: built by CPack, complete, clean for lintian and the desktop
# and AppStream validators, one version throughout, and a game that starts from
# the unpacked tree. With VELKARO_SYSTEM_PACKAGE_TEST=1 (CI) it is also installed
# with apt-get, started and purged, and a player's saves are left alone.
source "$(dirname "$0")/lib.sh"
BUILD_DIR=$(dirname "$GAME_BIN")
SRC_DIR=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")/\1/p' "$BUILD_DIR/CPackConfig.cmake")
cpack -G DEB -B "$WORK/pkg" --config "$BUILD_DIR/CPackConfig.cmake" > "$WORK/cpack.log" 2>&1 || fail "cpack failed"
deb="$WORK/pkg/velkaro_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$WORK/contents"
id=org.velkaro.velkaro
for f in /usr/games/velkaro /usr/libexec/velkaro/velkaro /usr/share/games/velkaro/icon.bmp \
         /usr/share/games/velkaro/image/map5.bmp /usr/share/games/velkaro/sound/squeal.wav \
         /usr/share/games/velkaro/data/ghost11.txt \
         /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
         /usr/share/man/man6/velkaro.6.gz /usr/share/doc/velkaro/copyright /usr/share/doc/velkaro/changelog.gz \
         /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/velkaro.png; do
  grep -qx "$f" "$WORK/contents" || fail "package lacks $f"
done
grep -q '^/home\|^/root\|/data/settings' "$WORK/contents" && fail "package writes where it must not"

lintian --fail-on error,warning "$deb" > "$WORK/lintian.log" 2>&1 || { cat "$WORK/lintian.log"; fail "lintian"; }
dpkg-deb -x "$deb" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$WORK/root/usr/share/metainfo/$id.metainfo.xml" > "$WORK/as.log" 2>&1 ||
  { cat "$WORK/as.log"; fail "metainfo"; }
for size in 16 32 48 64 128 256; do
  identify "$WORK/root/usr/share/icons/hicolor/${size}x$size/apps/velkaro.png" | grep -q " ${size}x$size " ||
    fail "icon at $size px has the wrong size"
done

# One version: package, program, changelog, man page, metainfo release.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
zcat "$WORK/root/usr/share/doc/velkaro/changelog.gz" | head -n1 | grep -q "^velkaro ($version)" ||
  fail "changelog's newest entry is not $version"
zcat "$WORK/root/usr/share/man/man6/velkaro.6.gz" | head -n1 | grep -q "Velkaro $version" || fail "man page version"
grep -q "<release version=\"$version\"" "$WORK/root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo release"
[ "$(HOME="$WORK/nohome" "$WORK/root/usr/games/velkaro" --version)" = "velkaro $version" ] || fail "--version"
[ -e "$WORK/nohome" ] && fail "--version made a game folder"

# The unpacked tree runs as installed: the launcher prepares a player folder.
start_x
run_installed() {  # run_installed LAUNCHER HOME
  HOME="$2" XDG_DATA_HOME= "$1" > "$WORK/out.txt" 2>&1 &
  GAME_PID=$!
  find_window
  sleep 1
  close_window_and_wait
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
  grep -q 'NOT READ FILE' "$WORK/out.txt" && fail "a sheet or sound failed to load"
  grep -q 'without sound' "$WORK/out.txt" && fail "no sound from the installed game"
  [ -f "$2/.local/share/velkaro/data/bestTime.txt" ] || fail "no player folder in $2"
}
mkdir -p "$WORK/home"
run_installed "$WORK/root/usr/games/velkaro" "$WORK/home"

if [ "${VELKARO_SYSTEM_PACKAGE_TEST:-0}" = 1 ]; then
  dpkg-query -W velkaro > /dev/null 2>&1 && fail "velkaro is already installed on this system"
  player="$WORK/player"
  mkdir -p "$player/.local/share/velkaro/data"
  echo "0 77760 0 0 0 0 0 0 0 0 0 0 " > "$player/.local/share/velkaro/data/bestTime.txt"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > "$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get install"; }
  dpkg -L velkaro | while read -r f; do [ -d "$f" ] || echo "$f"; done > "$WORK/installed"
  run_installed /usr/games/velkaro "$player"
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq velkaro > "$WORK/apt.log" 2>&1 || fail "apt-get purge"
  while read -r f; do [ -e "$f" ] && fail "purge left $f"; done < "$WORK/installed"
  [ "$(cat "$player/.local/share/velkaro/data/bestTime.txt")" = "0 77760 0 0 0 0 0 0 0 0 0 0 " ] ||
    fail "a player's record changed"
  echo "system install, start and purge: ok"
fi
echo "PASS package velkaro_${version}_amd64.deb"
