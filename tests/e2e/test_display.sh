#!/usr/bin/env bash
# Options, a scaled window, full screen and back, the remembered choice, and mistakes on the command line.
source "$(dirname "$0")/lib.sh"
start_x 1280x1024
prepare_game_dir
IM=/usr/bin
listing() { (cd "$WORK/game" && find . -printf '%p %s %T@\n' | sort); }

# A mistake: status 2, one line on standard error, and no window even tried
# (without a display that would end in status 255), no file touched.
before=$(listing)
for bad in "--scale 0" "--scale 5" "--scale abc" "--scale" "--fullscreen=1" "--bogus" "extra"; do
  status=0
  # shellcheck disable=SC2086
  (cd "$WORK/game" && env -u DISPLAY SDL_VIDEODRIVER=x11 "$GAME_BIN" $bad) > "$WORK/bad.out" 2> "$WORK/bad.err" || status=$?
  [ "$status" = 2 ] || fail "'$bad' exits with $status"
  [ ! -s "$WORK/bad.out" ] && [ "$(wc -l < "$WORK/bad.err")" = 1 ] || fail "'$bad' does not print one line on stderr"
  grep -q -- "--help" "$WORK/bad.err" || fail "'$bad' does not point at --help"
done
(cd "$WORK/game" && env -u DISPLAY "$GAME_BIN" --help) | grep -- "--scale N" > /dev/null || fail "--help lacks --scale"
[ "$(listing)" = "$before" ] || fail "the options touched files"

# Every 2x2 block of a picture is one colour: halving and doubling it by
# sampling gives it back, and it is not one flat colour.
expect_blocks() {  # expect_blocks FILE.png
  $IM/convert "$1" -sample 50% -sample 200% "$WORK/resampled.png"
  [ "$($IM/compare -metric AE "$1" "$WORK/resampled.png" null: 2>&1)" = 0 ] || fail "$1 is not made of 2x2 blocks"
  [ "$($IM/identify -format %k "$1")" -gt 8 ] || fail "$1 is nearly flat"
}
setting() { grep -qx "$1" "$WORK/game/data/settings.txt" || fail "settings lack '$1'"; }

start_game --scale 2
[ "$(window_size)" = 960x960 ] || fail "--scale 2 gives a $(window_size) window"
sleep 2.5  # past the first frames of the intro
screenshot "$WORK/scale2.png"
expect_blocks "$WORK/scale2.png"
setting "scale 2"

# Full screen: the whole screen, the frame twice as large, centred on black.
# Without a window manager SDL 2 (sdl12-compat) leaves the full-screen window
# where the window stood, so the screen is read from the window's corner on.
press F11; sleep 1
[ "$(window_size)" = 1280x1024 ] || fail "full screen gives a $(window_size) window"
corner=$(xwininfo -id "$WID" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print "+" x "+" y}')
$IM/import -window root -crop "1280x1024$corner" +repage "PNG24:$WORK/full.png"
shown=$($IM/identify -format %wx%h "$WORK/full.png")
borders="160x${shown#*x}+0+0 960x32+160+0"
[ "$shown" = 1280x1024 ] && borders="$borders 160x1024+1120+0 960x32+160+992"
for border in $borders; do
  [ "$($IM/convert "$WORK/full.png" -crop "$border" +repage -format '%[max]' info:)" = 0 ] || fail "border $border not black"
done
$IM/convert "$WORK/full.png" -crop 960x960+160+32 +repage "$WORK/centre.png"
[ "$($IM/identify -format %wx%h "$WORK/centre.png")" = 960x960 ] || fail "the frame is not all on the screen"
expect_blocks "$WORK/centre.png"
setting "fullscreen 1"

press F11; sleep 1
[ "$(window_size)" = 960x960 ] || fail "back from full screen the window is $(window_size)"
setting "fullscreen 0"
press alt+Return; sleep 1
setting "fullscreen 1"
press alt+Return; sleep 1
[ "$(window_size)" = 960x960 ] || fail "after Alt+Enter twice the window is $(window_size)"
setting "fullscreen 0"
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"

# The next start without options remembers the scale.
start_game
[ "$(window_size)" = 960x960 ] || fail "the next start opens a $(window_size) window"
close_window_and_wait
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS on the second start"
echo "PASS bad options, --scale 2 in blocks, F11 and Alt+Enter full screen and back, scale remembered"
