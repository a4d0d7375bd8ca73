#!/usr/bin/env bash
# Renders the README's pictures with the game's own code, headless, into docs/images/:
# still frames as PNG and a short animation of a race as GIF (ImageMagick).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$here/build" --target velkaro_shots velkaro_assets
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
cd "$here"
build/tools/shots/velkaro_shots "$here/build/run" "$frames" docs/shots/readme.script
out="$here/docs/images"
mkdir -p "$out"
for name in title-menu mode-select course-select result; do
  convert "$frames/$name.bmp" -strip "PNG24:$out/$name.png"
done
# The race at full size some seconds in, and a 6-second loop at 180 pixels.
convert "$frames/race-0040.bmp" -strip "PNG24:$out/race.png"
convert -delay 10 -loop 0 $(ls "$frames"/race-*.bmp | sed -n '16,75p') -resize 180x180 \
  -colors 24 -fuzz 3% -layers OptimizeTransparency "$out/race.gif"
ls -l "$out"
