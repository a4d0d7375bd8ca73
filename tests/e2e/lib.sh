# lib.sh -- shared steps of the end-to-end tests: an X server, the game in a
# scratch copy of its runtime directory, real key presses, a user's close.
# Sourced by test_*.sh, which are called as: test_X.sh GAME-BINARY RUNTIME-DIR WORK-DIR

set -euo pipefail
GAME_BIN=$1
RUNTIME_DIR=$2
WORK=$3
WM_CLOSE=$(dirname "$GAME_BIN")/tests/wm_close
rm -rf "$WORK"
mkdir -p "$WORK/game"

fail() { echo "FAIL: $*"; [ -f "$WORK/out.txt" ] && { echo "--- game output (tail)"; tail -c 2000 "$WORK/out.txt"; echo; }; exit 1; }

XVFB_PID=
GAME_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  # Waited for, so that the next test may take the same display number.
  [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; } || true
}
trap cleanup EXIT

# VELKARO_X_DISPLAY=N runs the server on display :N (on a shared machine, one of
# the numbers set aside for you); otherwise the server takes the first free one.
start_x() {  # start_x [SCREEN-WxH], 1024x768 by default
  exec 5> "$WORK/displayfd"
  Xvfb ${VELKARO_X_DISPLAY:+":$VELKARO_X_DISPLAY"} -displayfd 5 -screen 0 "${1:-1024x768}x24" -noreset -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$WORK/displayfd" ] && break; sleep 0.1; done
  [ -s "$WORK/displayfd" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$WORK/displayfd")"
  unset SDL_VIDEODRIVER
  # Sound goes to a file at about the pace a sound card takes it.
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw" SDL_DISKAUDIODELAY=23
}

# A fresh working directory: the generated images and the shipped data.
prepare_game_dir() {
  cp -r "$RUNTIME_DIR/image" "$WORK/game/image"
  cp -r "$RUNTIME_DIR/sound" "$WORK/game/sound"
  cp "$RUNTIME_DIR/icon.bmp" "$WORK/game/" 2>/dev/null || true
  mkdir -p "$WORK/game/data"
  cp "$(dirname "$0")/../../data/"* "$WORK/game/data/" 2>/dev/null || true
}

start_game() {  # start_game [OPTION]...
  (cd "$WORK/game" && exec "$GAME_BIN" "$@") > "$WORK/out.txt" 2>&1 &
  GAME_PID=$!
  find_window
}

# open_and_close COMMAND...: starts an installed game, keeps its window's size in
# SIZE, closes it after a second; it must exit 0 having loaded every sheet and sound.
open_and_close() {
  "$@" > "$WORK/out.txt" 2>&1 &
  GAME_PID=$!
  find_window
  SIZE=$(window_size)
  sleep 1
  close_window_and_wait
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
  ! grep -q 'NOT READ FILE\|without sound' "$WORK/out.txt" || fail "a sheet or sound failed to load"
}

# Waits for the game's window, leaves its id in WID and gives it the focus.
find_window() {
  WID=
  for _ in $(seq 100); do
    WID=$(xdotool search --name '^Velkaro$' 2>/dev/null | head -n1 || true)
    [ -n "$WID" ] && break
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no window named Velkaro"
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
}

# press KEY [HOLD-SECONDS]: one real press and release.
# Keys go to the focused window through XTEST, as a keyboard's would.
press() {
  xdotool keydown "$1"
  sleep "${2:-0.08}"
  xdotool keyup "$1"
  sleep 0.08
}

play_keys() {  # play_keys FILE: lines of KEY HOLD PAUSE (seconds), # for comments
  local key hold pause
  while read -r key hold pause; do
    case "$key" in ''|'#'*) continue ;; esac
    press "$key" "$hold"
    sleep "$pause"
  done < "$1"
}

wait_for_output() {  # wait_for_output PATTERN SECONDS
  local deadline=$((SECONDS + $2))
  while [ $SECONDS -lt $deadline ]; do
    grep -q -- "$1" "$WORK/out.txt" 2>/dev/null && return 0
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Sends the close and leaves the game's exit status in EXIT_STATUS.
close_window_and_wait() {
  "$WM_CLOSE" "$WID"
  wait_for_exit
}

wait_for_exit() {
  for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$GAME_PID" 2>/dev/null && fail "game still running"
  EXIT_STATUS=0
  wait "$GAME_PID" || EXIT_STATUS=$?
  GAME_PID=
}

screenshot() {  # screenshot FILE.png
  import -window "$WID" "PNG24:$1"
}

window_size() { xwininfo -id "$WID" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
