#!/usr/bin/env bash
# Installed like a player's copy: staging install, the launcher from a fresh home,
# a per-user game folder, records that survive a reinstall.
source "$(dirname "$0")/lib.sh"
BUILD_DIR=$(dirname "$GAME_BIN")
STAGE="$WORK/stage"
cmake --install "$BUILD_DIR" --prefix "$STAGE" > "$WORK/install.log" || fail "install failed"
for f in games/velkaro libexec/velkaro/velkaro share/games/velkaro/image/car.bmp share/games/velkaro/sound/tick.wav share/games/velkaro/icon.bmp \
         share/games/velkaro/data/bestTime.txt share/applications/org.velkaro.velkaro.desktop \
         share/icons/hicolor/64x64/apps/velkaro.png share/man/man6/velkaro.6.gz; do
  [ -e "$STAGE/$f" ] || fail "install lacks $f"
done
grep -q '^Categories=Game;' "$STAGE/share/applications/org.velkaro.velkaro.desktop" || fail "desktop entry is not in Games"
# Every installed file and folder, by content: the game must never write into them. A check
# of contents rather than permissions, which do not hold for root.
installed() { (cd "$STAGE" && find . -type f -print0 | sort -z | xargs -0 md5sum && find . | sort) | md5sum; }
pristine=$(installed)

start_x
export HOME="$WORK/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
run_launcher() {  # run_launcher [OPTION]...; leaves the window's size in SIZE
  "$STAGE/games/velkaro" "$@" > "$WORK/out.txt" 2>&1 &
  GAME_PID=$!
  find_window
  SIZE=$(window_size)
  sleep 1
  close_window_and_wait
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
}

run_launcher
folder="$HOME/.local/share/velkaro"
[ -L "$folder/image" ] || fail "no image link in $folder"
[ -f "$folder/data/bestTime.txt" ] || fail "shipped records not copied into $folder"
grep -q 'NOT READ FILE' "$WORK/out.txt" && fail "a sheet or sound failed to load from the per-user folder"
[ -L "$folder/sound" ] || fail "no sound link in $folder"
grep -q 'without sound' "$WORK/out.txt" && fail "no sound through the launcher"

# The player's records survive the next start and a reinstall.
echo "0 77760 0 0 0 0 0 0 0 0 0 0 " > "$folder/data/bestTime.txt"
cmake --install "$BUILD_DIR" --prefix "$STAGE" > "$WORK/install.log" || fail "reinstall failed"
run_launcher
[ "$(cat "$folder/data/bestTime.txt")" = "0 77760 0 0 0 0 0 0 0 0 0 0 " ] || fail "a record was overwritten"

# XDG_DATA_HOME chooses another folder.
export XDG_DATA_HOME="$WORK/xdg"
run_launcher
[ -f "$XDG_DATA_HOME/velkaro/data/bestTime.txt" ] || fail "XDG_DATA_HOME was not used"

# Options pass through the launcher, and the choice is kept in the player's folder.
version=$("$STAGE/games/velkaro" --version) || fail "--version through the launcher exits with $?"
echo "$version" | grep -qxE 'velkaro [0-9.]+' || fail "--version through the launcher prints '$version'"
run_launcher --scale 2
[ "$SIZE" = 960x960 ] || fail "--scale 2 through the launcher gives $SIZE"
grep -qx "scale 2" "$XDG_DATA_HOME/velkaro/data/settings.txt" || fail "scale not remembered in the player's folder"
[ "$(installed)" = "$pristine" ] || fail "the game changed its installed files"
echo "PASS install, launcher, per-user folder, records kept, options passed through"
