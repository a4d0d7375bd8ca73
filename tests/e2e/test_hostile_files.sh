#!/usr/bin/env bash
# The real game against the files a broken download, a full disk or a player's
# experiment leave: FIFOs and devices in place of files, a course image with a
# height of -2^31, malformed sound headers, stray and planted temporaries, and a
# standard output that is closed or never read. Each run must open its window,
# print its one line where there is one, keep playing and close when asked.
source "$(dirname "$0")/lib.sh"
start_x
prepare_game_dir
game=$WORK/game

# Starts the game with stdout and stderr in out.txt, waits for the window.
run() { rm -f "$WORK/out.txt"; start_game "$@"; }
close_ok() {  # close_ok WHAT
  close_window_and_wait
  [ "$EXIT_STATUS" = 0 ] || fail "$1: exit status $EXIT_STATUS"
}
to_course_select() {  # from start: the intro, START, mode 1 or 2
  sleep 3.3
  press Up
  press z
  sleep 1.6
  [ "${1:-1}" = 2 ] && press Right
  press z
  sleep 1.6
}
count() { grep -c -- "$1" "$WORK/out.txt" || true; }

# 1. A FIFO (no writer) in place of every kind of file read at start: a sheet,
# a course image, a sound and the settings. Before the gate the window never opened.
mv "$game/image/title.bmp" "$WORK/title.bmp"; mkfifo "$game/image/title.bmp"
mv "$game/image/map2.bmp" "$WORK/map2.bmp"; mkfifo "$game/image/map2.bmp"
mv "$game/sound/tick.wav" "$WORK/tick.wav"; mkfifo "$game/sound/tick.wav"
mkfifo "$game/data/settings.txt"
run
sleep 1
[ "$(count '^NOT READ FILE$')" = 1 ] || fail "FIFO sheet: $(count '^NOT READ FILE$') NOT READ FILE lines"
[ "$(count 'NOT READ FILE sound/tick.wav')" = 1 ] || fail "FIFO sound not reported"
[ "$(count 'settings.txt: cannot be read (not a regular file), using the defaults')" = 1 ] || fail "FIFO settings"
close_ok "FIFOs read at start"
rm "$game/image/title.bmp" "$game/image/map2.bmp" "$game/sound/tick.wav" "$game/data/settings.txt"
mv "$WORK/title.bmp" "$WORK/map2.bmp" "$game/image/"; mv "$WORK/tick.wav" "$game/sound/"
echo "ok FIFOs at start"

# 2. FIFOs in place of the records the course select and the race read: each
# read prints its line and the game plays on.
for f in clearFlg.txt bestTime.txt; do mv "$game/data/$f" "$WORK/$f"; mkfifo "$game/data/$f"; done
run
to_course_select
grep -q 'ファイル読み込みエラー' "$WORK/out.txt" || fail "FIFO clearFlg/bestTime: no read error line"
close_ok "FIFO cleared flags and best times"
for f in clearFlg.txt bestTime.txt; do rm "$game/data/$f"; mv "$WORK/$f" "$game/data/"; done
mv "$game/data/check0.txt" "$WORK/check0.txt"; mkfifo "$game/data/check0.txt"
run
to_course_select
press z  # course 0: the race start reads its checkpoints
sleep 1
grep -q 'ファイル書き込みエラー' "$WORK/out.txt" || fail "FIFO checkpoints: no line"
close_ok "FIFO checkpoints"
rm "$game/data/check0.txt"; mv "$WORK/check0.txt" "$game/data/"
echo "ok FIFO records"

# 3. settings.txt linked to an endless device: the defaults, one line, a window at once.
ln -s /dev/zero "$game/data/settings.txt"
start=$(date +%s%N)
run
opened_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$opened_ms" -lt 5000 ] || fail "/dev/zero settings: the window took $opened_ms ms"
[ "$(count 'settings.txt: cannot be read (not a regular file), using the defaults')" = 1 ] || fail "/dev/zero settings line"
close_ok "/dev/zero settings"
rm "$game/data/settings.txt"
echo "ok settings.txt -> /dev/zero (window in $opened_ms ms)"

# 4. A course image claiming a height of -2147483648: not read; choosing it says so.
cp "$game/image/map0.bmp" "$WORK/map0.bmp"
printf '\x00\x00\x00\x80' | dd of="$game/image/map0.bmp" bs=1 seek=22 conv=notrunc 2>/dev/null
run
to_course_select
press z
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "height -2^31: the game died"
grep -q 'cannot load course image image/map0.bmp' "$WORK/out.txt" || fail "height -2^31: no line"
close_ok "course height -2^31"
cp "$WORK/map0.bmp" "$game/image/map0.bmp"
echo "ok course image of height -2^31"

# 5. Six malformed sound headers (they crashed SDL's loader at start), muted or not.
wav() {  # wav FILE FORMAT CHANNELS RATE BLOCK: a 44-byte header and 100 silent frames
  /usr/bin/python3 - "$@" <<'PY'
import struct, sys
path, fmt, ch, rate, block = sys.argv[1], *map(int, sys.argv[2:])
data = bytes(200)
hdr = struct.pack('<4sI4s4sIHHIIHH4sI', b'RIFF', 36 + len(data), b'WAVE', b'fmt ', 16, fmt, ch, rate,
                  rate * max(block, 1), block, 16, b'data', len(data))
open(path, 'wb').write(hdr + data)
PY
}
wav "$game/sound/back.wav" 1 0 44100 2
wav "$game/sound/confirm.wav" 1 1 0 2
wav "$game/sound/cursor.wav" 1 1 1 2
wav "$game/sound/finish.wav" 17 1 44100 0
wav "$game/sound/go.wav" 2 1 44100 0
/usr/bin/python3 -c "
import struct; d=bytes(200)
open('$game/sound/knock.wav','wb').write(struct.pack('<4sI4s4sIH4sI',b'RIFF',4+10+8+len(d),b'WAVE',b'fmt ',2,1,b'data',len(d))+d)"
for option in "" --mute; do
  run $option
  sleep 1.5
  kill -0 "$GAME_PID" 2>/dev/null || fail "malformed sounds $option: the game died"
  [ "$(count 'NOT READ FILE sound/')" = 6 ] || fail "malformed sounds $option: $(count 'NOT READ FILE sound/') lines"
  close_ok "malformed sounds $option"
done
cp "$RUNTIME_DIR"/sound/*.wav "$game/sound/"
echo "ok six malformed sound headers"

# 6. Stray temporaries of the game's own names go at start, nothing else does;
# a link planted at a temporary's name after start is never written through.
for f in bestTime.txt.tmp ghost3.txt.tmp saveCnt5.txt.old check5.txt.tmp settings.txt.tmp; do echo stray > "$game/data/$f"; done
echo mine > "$game/data/notes.tmp"; echo mine > "$game/data/bestTime.txt.bak"
echo "victim" > "$WORK/victim.txt"
run --author  # the recording stores its checkpoints with the a key
sleep 0.5
left=$(cd "$game/data" && ls | grep -c '\.tmp$\|\.old$' || true)
[ "$left" = 1 ] || fail "strays: $left temporaries left ($(cd "$game/data" && ls))"
[ -f "$game/data/notes.tmp" ] && [ -f "$game/data/bestTime.txt.bak" ] || fail "a file of the player's was removed"
ln -s "$WORK/victim.txt" "$game/data/saveCnt0.txt.tmp"
sleep 2.8
play_keys "$(dirname "$0")/mode1_course0.keys"
grep -q 'saveCntファイル書き込みエラー' "$WORK/out.txt" || fail "planted link: no line"
[ "$(cat "$WORK/victim.txt")" = victim ] || fail "the save wrote through the planted link"
[ -f "$game/data/saveCnt0.txt" ] && fail "a run was stored half"
close_ok "strays and planted link"
echo "ok stray temporaries removed, planted link not followed"

# 7. Standard output closed early: `velkaro | head -c 100` must not kill the game.
rm -f "$game/data/saveCnt0.txt.tmp"
(cd "$game" && echo "$BASHPID" > "$WORK/head.pid" && exec "$GAME_BIN") 2>"$WORK/err.txt" | head -c 100 > "$WORK/head.txt" &
HEAD_JOB=$!
sleep 0.5
GAME_PID=$(cat "$WORK/head.pid")
find_window
sleep 6
kill -0 "$GAME_PID" 2>/dev/null || fail "head -c 100: the game died (SIGPIPE)"
[ "$(wc -c < "$WORK/head.txt")" = 100 ] || fail "head -c 100 read $(wc -c < "$WORK/head.txt") bytes"
"$WM_CLOSE" "$WID"
for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "head -c 100: the window did not close"
GAME_PID=
wait "$HEAD_JOB"
echo "ok velkaro | head -c 100"

# 8. A reader that never reads, on a pipe made as small as Linux allows (4 KiB,
# full within seconds of front-end lines): the game keeps drawing and closes.
export WORK
/usr/bin/python3 - "$game" "$GAME_BIN" <<'PY' &
import fcntl, os, sys, time
r, w = os.pipe()
fcntl.fcntl(w, 1031, 4096)  # F_SETPIPE_SZ
pid = os.fork()
if pid == 0:
    os.chdir(sys.argv[1]); os.dup2(w, 1); os.dup2(w, 2); os.execv(sys.argv[2], [sys.argv[2]])
os.close(w)
open(os.environ['WORK'] + '/stalled.pid', 'w').write(str(pid))
os.waitpid(pid, 0)  # holds the read end open, never reading
PY
READER_PID=$!
sleep 1
GAME_PID=$(cat "$WORK/stalled.pid")
find_window
sleep 8  # two front-end lines a frame: 4 KiB is full within a few seconds
before=$(xwd -id "$WID" -silent | md5sum)
press Down
sleep 0.3
after=$(xwd -id "$WID" -silent | md5sum)
[ "$before" != "$after" ] || fail "stalled reader: a key press changed nothing on screen"
"$WM_CLOSE" "$WID"
for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "stalled reader: the window did not close"
GAME_PID=
wait "$READER_PID" || true
echo "ok a reader that stops reading"
echo "PASS hostile files and outputs"
