#!/usr/bin/env bash
# Renders every screen of the game with its own code, headless, and lays them out as one
# contact sheet: build/contact-sheet.png (the single frames stay in build/contact-sheet/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$here/build" --target velkaro_shots velkaro_assets
frames="$here/build/contact-sheet"
rm -rf "$frames"
cd "$here"
build/tools/shots/velkaro_shots "$here/build/run" "$frames" docs/shots/contact.script
# Of the mode select's pulse: the strongest and the faintest frame of the highlight.
mv "$frames/05-mode-0005.bmp" "$frames/05-mode-pulse-strong.bmp"
mv "$frames/05-mode-0015.bmp" "$frames/05-mode-pulse-faint.bmp"
rm -f "$frames"/05-mode-00*.bmp
montage -label '%t' -pointsize 14 -background '#202020' -fill '#e0e0e0' "$frames"/*.bmp \
  -tile 6x -geometry 480x480+4+4 "$here/build/contact-sheet.png"
echo "$here/build/contact-sheet.png"
