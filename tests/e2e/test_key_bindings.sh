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

press w           # up to START
press space       # to the mode select
sleep 1.6
press Return      # Return confirms beside space: mode 1, to the course select
sleep 1.4
press z           # z is no game key now
sleep 1.0
grep -q 'mapCnt=' "$WORK/out.txt" && fail "z still confirms"
press space       # course 0
wait_for_output 'mapCnt=0' 5 || fail "space did not start a race"
sleep 0.8
press Escape      # Escape pauses beside q
sleep 0.3
press Down
press space       # back to the course select
sleep 1.0
press space       # a second race: only if Escape paused and space chose in the pause menu
sleep 1.0
[ "$(grep -c 'mapCnt=' "$WORK/out.txt")" = 2 ] || fail "Escape did not pause, or space did not choose"
sleep 0.5
press q           # pause with the bound back key
sleep 0.3
press Down
press space
sleep 1.0
press q           # course select back to the mode select
sleep 1.2
press q           # and to the menu
sleep 1.8
press w           # START up to QUIT
press space
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after choosing quit with the bound keys"
[ "$(grep -c 'mapCnt=' "$WORK/out.txt")" = 2 ] || fail "a race started where none should"
cmp -s "$WORK/settings.before" "$WORK/game/data/settings.txt" || fail "the game rewrote the player's settings"
echo "PASS bound keys w, space, q; Return and Escape beside them; z unbound; one line for a bad binding"
