#!/usr/bin/env bash
# The real game under X driven by real key presses: its window and FPS report, intro, menu,
# mode and course select, a race on course 0, pause, back to the course select and the menu,
# quit; then a missing sheet and a user's close of the window.
source "$(dirname "$0")/lib.sh"
start_x
prepare_game_dir
start_game
[ "$(window_size)" = 480x480 ] || fail "window is $(window_size), not 480x480"

sleep 3.3  # the intro runs about 90 frames and cannot be skipped
fps=$(grep -aoE '(^|[^0-9])[0-9]+FPS' "$WORK/out.txt" | grep -oE '[0-9]+' || true)
[ "$(echo "$fps" | grep -c .)" -ge 2 ] || fail "fewer than two FPS reports in 3 seconds"
for v in $(echo "$fps" | tail -n +2); do [ "$v" -ge 36 ] && [ "$v" -le 42 ] || fail "FPS report $v is not near 40"; done
screenshot "$WORK/menu.png"
# The background between the title and the menu is the front end's sand colour.
colours=$(convert "$WORK/menu.png" -format '%[pixel:p{5,300}] %[pixel:p{470,470}] %[pixel:p{240,60}]' info: | sed 's/srgb/rgb/g')
[ "$colours" = "rgb(179,163,140) rgb(179,163,140) rgb(179,163,140)" ] || fail "menu background is $colours, not (179,163,140)"

press Up          # the cursor starts on the help entry; up to START
press z           # to the mode select
sleep 1.6
press z           # mode 1, to the course select
sleep 1.4
press z           # course 0
wait_for_output 'mapCnt=0' 5 || fail "no race started on course 0"
sleep 0.8
press x           # pause
sleep 0.3
press Down        # highlight the return entry
press z           # back to the course select
sleep 1.0
kill -0 "$GAME_PID" || fail "game ended after leaving the race"
press x           # course select back to the mode select
sleep 1.2
press x           # mode select back to the menu
sleep 1.8
press Up          # the cursor was on START; up wraps to QUIT
press z
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after choosing quit"
[ "$(grep -c 'mapCnt=' "$WORK/out.txt")" = 1 ] || fail "expected exactly one race start"
grep -q "NOT READ FILE" "$WORK/out.txt" && fail "a sheet failed to load"

# Without the veil the game reports one missing file, runs on, and a user's close ends it.
rm "$WORK/game/image/full.bmp"
start_game
sleep 1.5
kill -0 "$GAME_PID" || fail "game stopped without full.bmp"
[ "$(grep -c 'NOT READ FILE' "$WORK/out.txt")" = 1 ] || fail "expected exactly one NOT READ FILE"
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after closing the window"
echo "PASS window, FPS, intro, menu, mode select, course select, race, pause, return, quit, missing sheet, close"
