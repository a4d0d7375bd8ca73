#!/usr/bin/env bash
# The real game under X: its window, the FPS report, a user's close, a missing sheet.
source "$(dirname "$0")/lib.sh"
start_x
prepare_game_dir

start_game
geometry=$(xwininfo -id "$WID" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "480x480" ] || fail "window is $geometry, not 480x480"
sleep 3.3
fps_lines=$(grep -aoE '(^|[^0-9])[0-9]+FPS' "$WORK/out.txt" | grep -oE '[0-9]+' || true)
[ "$(echo "$fps_lines" | grep -c .)" -ge 2 ] || fail "fewer than two FPS reports in 3 seconds"
steady=$(echo "$fps_lines" | tail -n +2)
for v in $steady; do
  [ "$v" -ge 36 ] && [ "$v" -le 42 ] || fail "FPS report $v is not near 40"
done
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after closing the window"
grep -q "NOT READ FILE" "$WORK/out.txt" && fail "a sheet failed to load"

# Without the veil the game reports one missing file and runs on.
rm "$WORK/game/image/full.bmp"
start_game
sleep 1.5
kill -0 "$GAME_PID" || fail "game stopped without full.bmp"
[ "$(grep -c 'NOT READ FILE' "$WORK/out.txt")" = 1 ] || fail "expected exactly one NOT READ FILE"
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS without full.bmp"
echo "PASS window, FPS ($(echo $steady)), close, missing sheet"
