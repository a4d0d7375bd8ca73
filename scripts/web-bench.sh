#!/usr/bin/env bash
# Figures of the browser edition (a benchmark, not a test): the work of a race
# frame in headless Chromium against the desktop build on this machine, the
# sizes of what the page transfers, raw and gzipped, and the time to the
# first frame.
#   scripts/web-bench.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"
port=${VELKARO_WEB_BENCH_PORT:-8722}
"$here/scripts/web.sh" >/dev/null
(cd "$here/tests/web" && [ -d node_modules/playwright-core ] || npm ci --no-audit --no-fund --loglevel=error)
cmake --build "$here/build" -j2 --target velkaro_race_bench >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/data"
ln -s "$here/build/run/image" "$scratch/image"
cp "$here"/data/*.txt "$scratch/data/"
native=$(cd "$scratch" && SDL_VIDEODRIVER=dummy "$here/build/tools/bench/velkaro_race_bench" "$here/tools/autopilot/rivals" 3)
echo "$native" | grep '^race frame' | sed 's/^/native  /'
native_ms=$(echo "$native" | sed -n 's/^race frame work: \([0-9.]*\) ms.*/\1/p')
node "$here/web/bench/bench.js" "$out" "$port" "$native_ms"

echo
echo "what the page transfers (bytes):"
printf '%-22s %10s %10s\n' file raw gzipped
total_raw=0
total_gz=0
for f in index.html page.js velkaro.js velkaro.wasm velkaro-data.tar.gz; do
  raw=$(stat -c %s "$out/$f")
  if [ "$f" = velkaro-data.tar.gz ]; then
    gz=$raw
    raw=$(gzip -dc "$out/$f" | wc -c)
  else
    gz=$(gzip -9c "$out/$f" | wc -c)
  fi
  printf '%-22s %10d %10d\n' "$f" "$raw" "$gz"
  total_raw=$((total_raw + raw))
  total_gz=$((total_gz + gz))
done
printf '%-22s %10d %10d\n' total "$total_raw" "$total_gz"
echo "(the data package is served as it is stored, gzipped; the rest as python's http.server sends it, uncompressed)"
