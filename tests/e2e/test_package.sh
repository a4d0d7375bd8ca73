#!/usr/bin/env bash
# The Debian package: built by CPack, complete, clean for lintian and the desktop
# and AppStream validators, one version throughout. Unpacked, it runs as a
# player's installed copy: a per-user game folder, records kept over a
# reinstall, options passed through, installed files never written. With
# VELKARO_SYSTEM_PACKAGE_TEST=1 (CI) it is also installed with apt-get, started
# and purged, and a player's saves are left alone.
source "$(dirname "$0")/lib.sh"
BUILD_DIR=$(dirname "$GAME_BIN")
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
ROOT="$WORK/root"
dpkg-deb -x "$deb" "$ROOT"
desktop-file-validate "$ROOT/usr/share/applications/$id.desktop" || fail "desktop entry"
grep -q '^Categories=Game;' "$ROOT/usr/share/applications/$id.desktop" || fail "desktop entry is not in Games"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$id.metainfo.xml" > "$WORK/as.log" 2>&1 ||
  { cat "$WORK/as.log"; fail "metainfo"; }
for size in 16 32 48 64 128 256; do
  identify "$ROOT/usr/share/icons/hicolor/${size}x$size/apps/velkaro.png" | grep -q " ${size}x$size " ||
    fail "icon at $size px has the wrong size"
done

# One version: package, program, changelog, man page, metainfo release.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
zcat "$ROOT/usr/share/doc/velkaro/changelog.gz" | head -n1 | grep -q "^velkaro ($version)" ||
  fail "changelog's newest entry is not $version"
zcat "$ROOT/usr/share/man/man6/velkaro.6.gz" | head -n1 | grep -q "Velkaro $version" || fail "man page version"
grep -q "<release version=\"$version\"" "$ROOT/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo release"
[ "$(HOME="$WORK/nohome" "$ROOT/usr/games/velkaro" --version)" = "velkaro $version" ] || fail "--version"
[ -e "$WORK/nohome" ] && fail "--version made a game folder"

# Played as installed. Every installed file is compared by content afterwards:
# permissions would not keep root from writing.
installed() { (cd "$ROOT" && find . -type f -print0 | sort -z | xargs -0 md5sum && find . | sort) | md5sum; }
pristine=$(installed)
start_x
export HOME="$WORK/home" XDG_DATA_HOME=
mkdir -p "$HOME"
launcher="$ROOT/usr/games/velkaro"
folder="$HOME/.local/share/velkaro"
# A refused option is reported once and prepares nothing.
status=0
"$launcher" --scale 5 > "$WORK/refused.out" 2> "$WORK/refused.err" || status=$?
[ "$status" = 2 ] && [ "$(wc -l < "$WORK/refused.err")" = 1 ] && [ ! -s "$WORK/refused.out" ] ||
  fail "--scale 5 through the launcher: status $status, $(cat "$WORK/refused.err")"
[ -e "$HOME/.local" ] && fail "a refused option made a game folder"
open_and_close "$launcher"
[ -L "$folder/image" ] && [ -L "$folder/sound" ] && [ -f "$folder/data/bestTime.txt" ] || fail "no game folder in $folder"
# Links left pointing nowhere (the game purged, or installed elsewhere since) are
# repaired or taken away, and a shipped file whose copy was such a link is copied.
for name in image sound icon.bmp stale.bmp data/clearFlg.txt; do ln -sfn "$WORK/gone/$name" "$folder/$name"; done
open_and_close "$launcher"
for name in image sound icon.bmp; do [ -e "$folder/$name" ] || fail "$name still points nowhere"; done
[ -e "$folder/stale.bmp" ] || [ -L "$folder/stale.bmp" ] && fail "a link to nowhere was left"
[ -f "$folder/data/clearFlg.txt" ] && [ ! -L "$folder/data/clearFlg.txt" ] || fail "clearFlg.txt was not laid out again"
record="0 77760 0 0 0 0 0 0 0 0 0 0 "
echo "$record" > "$folder/data/bestTime.txt"
dpkg-deb -x "$deb" "$ROOT"  # a reinstall
open_and_close "$launcher"
[ "$(cat "$folder/data/bestTime.txt")" = "$record" ] || fail "a record was overwritten"
# XDG_DATA_HOME chooses another folder; options pass through and are kept there.
export XDG_DATA_HOME="$WORK/xdg"
open_and_close "$launcher" --scale 2
[ "$SIZE" = 960x960 ] || fail "--scale 2 through the launcher gives $SIZE"
grep -qx "scale 2" "$XDG_DATA_HOME/velkaro/data/settings.txt" || fail "scale not kept in XDG_DATA_HOME's folder"
[ "$(installed)" = "$pristine" ] || fail "the game changed its installed files"

if [ "${VELKARO_SYSTEM_PACKAGE_TEST:-0}" = 1 ]; then
  dpkg-query -W velkaro > /dev/null 2>&1 && fail "velkaro is already installed on this system"
  export HOME="$WORK/player" XDG_DATA_HOME=
  mkdir -p "$HOME/.local/share/velkaro/data"
  echo "$record" > "$HOME/.local/share/velkaro/data/bestTime.txt"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > "$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get install"; }
  dpkg -L velkaro | while read -r f; do [ -d "$f" ] || echo "$f"; done > "$WORK/installed"
  open_and_close /usr/games/velkaro
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq velkaro > "$WORK/apt.log" 2>&1 || fail "apt-get purge"
  while read -r f; do [ -e "$f" ] && fail "purge left $f"; done < "$WORK/installed"
  [ "$(cat "$HOME/.local/share/velkaro/data/bestTime.txt")" = "$record" ] || fail "a player's record changed"
  echo "system install, start and purge: ok"
fi
echo "PASS package velkaro_${version}_amd64.deb, installed play, records kept, options passed through"
