#!/usr/bin/env bash
# Builds Velkaro and starts it in its runtime directory (build/run), where the
# generated images and your saved records live. Options are passed to the game
# (scripts/play.sh --scale 2).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)"
cd "$here/build/run"
exec ../velkaro "$@"
