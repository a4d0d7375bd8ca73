#!/usr/bin/env bash
# Builds Velkaro and runs every test: unit and scene tests headless, end-to-end
# tests of the real binary under Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)"
