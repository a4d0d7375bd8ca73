#!/usr/bin/env bash
# A mode-1 race on course 0 in the real game, keys pressed from a recording: the
# first finish is a record, its run is stored at the goal, and z on the result
# screen writes the best time.
source "$(dirname "$0")/lib.sh"
start_x
prepare_game_dir
before=$(cat "$WORK/game/data/bestTime.txt")
[ "$(echo "$before" | awk '{print $1}')" = 0 ] || fail "slot 0 already has a best time"
start_game --author  # the recording stores its checkpoints with the a key
sleep 3.2
play_keys "$(dirname "$0")/mode1_course0.keys"
grep -q 'mapCnt=0' "$WORK/out.txt" || fail "no race on slot 0"
[ -f "$WORK/game/data/saveCnt0.txt" ] || fail "no run stored at the goal"
count=$(cat "$WORK/game/data/saveCnt0.txt")
after=$(cat "$WORK/game/data/bestTime.txt")
best=$(echo "$after" | awk '{print $1}')
[ "$best" -gt 0 ] || fail "best time of slot 0 not written: $after"
[ "$best" = $((16 * count)) ] || fail "best time $best is not 16 x $count stored entries"
[ "$(echo "$after" | cut -d' ' -f2-)" = "$(echo "$before" | cut -d' ' -f2-)" ] || fail "other slots changed"
entries=$(wc -w < "$WORK/game/data/ghost0.txt")
[ "$entries" = $((3 * count)) ] || fail "ghost file holds $entries numbers for $count entries"
close_window_and_wait
# The race was heard: the sound device wrote something other than silence.
size=$(stat -c %s "$WORK/audio.raw")
[ "$size" -gt 1000000 ] || fail "only $size bytes of sound"
cmp -s -n "$size" "$WORK/audio.raw" /dev/zero && fail "the race was silent"
grep -q 'without sound\|NOT READ FILE' "$WORK/out.txt" && fail "sound did not start"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS mode-1 record on course 0: best time $best ms, $count entries"
