#!/usr/bin/env bash
# The web edition's tests: builds it (scripts/web.sh), replays the six shipped
# rivals through its wasm race under node, then plays the page in headless
# Chromium against the desktop build's own frames. Screenshots are kept in
# build-web/screenshots.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out="$here/build-web"
port=${VELKARO_WEB_TEST_PORT:-8721}
"$here/scripts/web.sh"

# playwright-core, at the version the lock file names.
if ! cmp -s "$here/tests/web/package-lock.json" "$here/tests/web/node_modules/.package-lock.json" 2>/dev/null; then
  (cd "$here/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
fi

echo "== the shipped rivals through the wasm race"
node --no-experimental-fetch "$out/tests/velkaro_core_replay.js" "$here/build/run" "$here" "$out/core-replay"

echo "== the page in headless Chromium"
cmake --build "$here/build" -j2 --target velkaro_shots >/dev/null
rm -rf "$out/reference"
"$here/build/tools/shots/velkaro_shots" "$here/build/run" "$out/reference" "$here/tests/web/menus.script"
cd "$here/tests/web"
node browser_test.js "$out" "$out/reference" "$here/tests/e2e/mode1_course0.keys" "$out/screenshots" "$port"
