#!/usr/bin/env bash
# Builds Velkaro and runs every test: unit and scene tests headless, end-to-end
# tests of the real binary under Xvfb (on the classic SDL 1.2 and again on
# sdl12-compat) and of the Debian package; the browser edition in headless
# Chromium; formatting and static analysis; then the
# unit and scene tests (fault matrix and soak included) again under the address,
# leak and undefined-behaviour sanitizers, and a bounded fuzzing run of every
# record-file reader and of the picture and sound checks, and a minute's
# sanitizer soak of the real game under Xvfb. The end-to-end tests run the same code as the unit tests,
# so the sanitizers leave them out.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)"
# The browser edition: built with Emscripten, its race replayed under node, the
# page played in headless Chromium.
"$here/tests/web/run.sh"
"$here/scripts/e2e-sdl12-compat.sh" "$here/build"
"$here/scripts/lint.sh"
# Fewer soak sessions under the sanitizers: each is several times slower there.
VELKARO_SOAK_SESSIONS=6 "$here/scripts/sanitize.sh" -E '^e2e\.'
"$here/scripts/fuzz.sh" 10
# One minute of the real game, built with the sanitizers above, played with random keys under Xvfb.
SOAK_BUILD="$here/build-sanitize" "$here/scripts/soak-asan.sh" 1
