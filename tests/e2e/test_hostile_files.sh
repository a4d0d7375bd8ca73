#!/usr/bin/env bash
# The real game against the files a broken download or a player's experiment
# leave, and against a standard output that is closed or never read: FIFOs in
# place of files, a course image with a height of -2^31, malformed sound
# headers. Each run must open its window, print its one line where there is
# one, keep playing and close when asked. The file gate, the picture and sound
# checks and the save's failure paths are tested case by case in the unit tests;
# here the program as a player starts it.
source "$(dirname "$0")/lib.sh"
start_x
prepare_game_dir
game=$WORK/game
count() { grep -c -- "$1" "$WORK/out.txt" || true; }

# 1. At start a FIFO (no writer) in place of a sheet, a course image, a sound
# and the settings (before the gate the window never opened), six sound headers
# that crashed SDL's loader, and a course claiming a height of -2147483648.
mv "$game/image/title.bmp" "$WORK/title.bmp"; mkfifo "$game/image/title.bmp"
mv "$game/image/map2.bmp" "$WORK/map2.bmp"; mkfifo "$game/image/map2.bmp"
mv "$game/sound/tick.wav" "$WORK/tick.wav"; mkfifo "$game/sound/tick.wav"
mkfifo "$game/data/settings.txt"
printf '\x00\x00\x00\x80' | dd of="$game/image/map0.bmp" bs=1 seek=22 conv=notrunc 2>/dev/null
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
start_game
sleep 1
[ "$(count '^NOT READ FILE$')" = 1 ] || fail "FIFO sheet: $(count '^NOT READ FILE$') NOT READ FILE lines"
[ "$(count 'NOT READ FILE sound/')" = 7 ] || fail "FIFO and malformed sounds: $(count 'NOT READ FILE sound/') lines"
[ "$(count 'settings.txt: cannot be read (not a regular file), using the defaults')" = 1 ] || fail "FIFO settings"
# The intro, START, mode 1, course 0: the course that cannot be loaded says so.
sleep 2.3
press Up
press z
sleep 1.6
press z
sleep 1.6
press z
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "height -2^31: the game died"
grep -q 'cannot load course image image/map0.bmp' "$WORK/out.txt" || fail "height -2^31: no line"
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "hostile files: exit status $EXIT_STATUS"
echo "ok FIFOs, malformed sounds and a course of height -2^31"
rm -rf "$game" && mkdir "$game" && prepare_game_dir

# 2. Standard output closed early: `velkaro | head -c 100` must not kill the game.
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

# 3. A reader that never reads, on a pipe made as small as Linux allows (4 KiB,
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
