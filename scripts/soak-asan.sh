#!/usr/bin/env bash
# Plays the real game, built with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a real X server for a number of minutes: random keys held for random times
# through the front end and the races, the game started again whenever the keys
# quit it. Fails on any sanitizer report (a leak at exit included), a crash, or a
# hang (no frame report for 10 s, or a close of the window not obeyed).
#   scripts/soak-asan.sh [minutes]        (default 10)
# Environment: SOAK_BUILD (the build dir, default build-soak; any build made with
# -DVELKARO_SANITIZE=ON will do, scripts/test.sh passes build-sanitize),
# SOAK_RUNTIME (pictures and sounds, default build/run), SOAK_SEED (of the keys,
# default 1), VELKARO_X_DISPLAY (an X display number; else a free one).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-10}
build=${SOAK_BUILD:-$here/build-soak}
runtime=${SOAK_RUNTIME:-$here/build/run}
RANDOM=${SOAK_SEED:-1}
[ -f "$runtime/image/car.bmp" ] || { echo "soak: no pictures in $runtime (build the game first)"; exit 2; }

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_SANITIZE=ON >/dev/null
cmake --build "$build" --target velkaro wm_close -j"${JOBS:-$(nproc)}" >/dev/null
game_bin=$build/velkaro
wm_close=$build/tests/wm_close

work=$build/soak-work
rm -rf "$work"
mkdir -p "$work/game/data" "$work/reports"
cp -r "$runtime/image" "$runtime/sound" "$work/game/"
cp "$runtime/icon.bmp" "$work/game/" 2>/dev/null || true
cp "$here"/data/* "$work/game/data/"

xvfb_pid= game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
fail() {
  echo "soak: FAIL: $*"
  tail -c 1500 "$work/out.txt" 2>/dev/null || true
  ls "$work/reports"/* >/dev/null 2>&1 && head -n 40 "$work/reports"/*
  exit 1
}

exec 5>"$work/displayfd"
if [ -n "${VELKARO_X_DISPLAY:-}" ]; then
  Xvfb ":$VELKARO_X_DISPLAY" -screen 0 1024x768x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
  echo "$VELKARO_X_DISPLAY" >&5
  sleep 0.5
else
  Xvfb -displayfd 5 -screen 0 1024x768x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
fi
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/displayfd")"
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=23
# Every report goes to a file of its own; any file there fails the soak.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:log_path=$work/reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$work/reports/ubsan"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"

wid=
start_game() {
  (cd "$work/game" && exec "$game_bin") >>"$work/out.txt" 2>&1 &
  game_pid=$!
  wid=
  for _ in $(seq 200); do
    wid=$(xdotool search --name '^Velkaro$' 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || fail "no window"
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  starts=$((starts + 1))
}
# The game ended by itself: only through the menu's quit entry, with status 0.
check_exit() {
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  [ "$status" = 0 ] || fail "the game ended with status $status"
  ls "$work/reports"/* >/dev/null 2>&1 && fail "sanitizer report"
  return 0
}

# Mostly forward through the menus and the throttle in races, now and then back,
# pause, the authoring key or a long hold.
keys=(Up Up Up Up z z z Left Right Left Right Down x a)
starts=0 presses=0 frames_seen=0 last_progress=$SECONDS
end=$((SECONDS + minutes * 60))
start_game
while [ $SECONDS -lt $end ]; do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    check_exit
    start_game
    continue
  fi
  # One step in twelve heads for a race (from the menu: START, the mode, the
  # course); in a race the same keys are the throttle and nothing.
  if [ $((RANDOM % 12)) = 0 ]; then
    for k in Up z z z; do
      xdotool keydown "$k" 2>/dev/null || true
      sleep 0.08
      xdotool keyup "$k" 2>/dev/null || true
      sleep 1.6
    done
    presses=$((presses + 4))
  fi
  key=${keys[RANDOM % ${#keys[@]}]}
  hold=$((RANDOM % 100 < 15 ? 500 + RANDOM % 2500 : 40 + RANDOM % 400))
  xdotool keydown "$key" 2>/dev/null || true
  sleep "$(printf '0.%03d' "$((hold % 1000))")"
  [ "$hold" -ge 1000 ] && sleep "$((hold / 1000))"
  xdotool keyup "$key" 2>/dev/null || true
  presses=$((presses + 1))
  # A frame report about every second while the game runs: none for 10 s is a hang.
  now=$(grep -c 'FPS$' "$work/out.txt" || true)
  if [ "$now" -gt "$frames_seen" ]; then
    frames_seen=$now last_progress=$SECONDS
  elif [ $((SECONDS - last_progress)) -gt 10 ] && kill -0 "$game_pid" 2>/dev/null; then
    fail "no frame for 10 s"
  fi
done
"$wm_close" "$wid"
for _ in $(seq 300); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the window's close was not obeyed within 30 s"
check_exit
races=$(grep -c 'mapCnt=' "$work/out.txt" || true)
echo "soak: $minutes min, $starts starts, $presses key holds, $races races, $frames_seen frame reports; no sanitizer report, crash or hang"
