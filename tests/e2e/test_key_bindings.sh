#!/usr/bin/env bash
# Keys of one's own, in the real game under X with real key presses: bindings from
# data/settings.txt (w for up, space to confirm, q for back), Return and Escape beside them,
# z no longer confirming, and one line for a bad binding.
source "$(dirname "$0")/lib.sh"
start_x
prepare_game_dir
printf 'key.up w\nkey.confirm space\nkey.back q\nkey.left nonsense\n' > "$WORK/game/data/settings.txt"
cp "$WORK/game/data/settings.txt" "$WORK/settings.before"
start_game
sleep 3.3  # the intro cannot be skipped
[ "$(grep -c 'settings.txt' "$WORK/out.txt")" = 1 ] || fail "expected one line about the settings"
grep -qx 'data/settings.txt: key.left "nonsense" is not a key name; Left kept' "$WORK/out.txt" ||
  fail "the bad binding was not named"
races() { grep -c 'mapCnt=0' "$WORK/out.txt"; }

press w           # up to START
press space       # to the mode select
sleep 1.6
press Return      # Return confirms beside space: mode 1, to the course select
sleep 1.4
press z           # z is no game key now
sleep 1.0
[ "$(races)" = 0 ] || fail "z still confirms"
press space       # course 0
wait_for_output 'mapCnt=0' 5 || fail "space did not start a race"
# Each pause (q, then Escape), Down, and space in the pause menu lead back to the course
# select, where space starts the next race: only if the key paused and space chose.
for pause in q Escape; do
  sleep 0.8
  press "$pause"
  sleep 0.3
  press Down
  press space
  sleep 1.0
  press space
done
sleep 1.0
[ "$(races)" = 3 ] || fail "$(races) races: q or Escape did not pause, or space did not choose"
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
cmp -s "$WORK/settings.before" "$WORK/game/data/settings.txt" || fail "the game rewrote the player's settings"
echo "PASS bound keys w, space, q; Return and Escape beside them; z unbound; one line for a bad binding"
