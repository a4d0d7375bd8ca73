#!/usr/bin/env bash
# Builds Velkaro and starts it in its runtime directory (build/run), where the
# generated images and your saved records live. Options are passed to the game
# (scripts/play.sh --scale 2).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only what the game needs to start: the program, its pictures and sounds, and the
# shipped records laid out. The tests and the other tools wait for scripts/test.sh.
cmake --build "$here/build" -j"$(nproc)" --target velkaro velkaro_assets velkaro_sounds runtime_data
cd "$here/build/run"
exec ../velkaro "$@"
