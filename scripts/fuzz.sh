#!/usr/bin/env bash
# Fuzzes every record-file reader for a bounded time each, with AddressSanitizer
# and UndefinedBehaviorSanitizer, starting from the committed seed corpus.
#   scripts/fuzz.sh [seconds-per-target]      (default 20)
# Builds in build-fuzz/ with clang++. The committed corpus is copied, never
# written; what a run adds stays in build-fuzz/fuzz-work/<target>/corpus, and any
# crashing input in build-fuzz/fuzz-work/<target>/findings. Exits non-zero when
# any target finds something.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build="$here/build-fuzz"
targets=(checkpoints run_count run_entries clear_flags best_times)

CXX=${FUZZ_CXX:-clang++} cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_targets -j"${JOBS:-$(nproc)}"

work="$build/fuzz-work"
failed=0
printf '\n%-12s %10s %8s %8s  %s\n' target execs seeds corpus result
for t in "${targets[@]}"; do
  dir="$work/$t"
  rm -rf "$dir"
  mkdir -p "$dir/corpus" "$dir/findings" "$dir/scratch"
  cp "$here/tests/fuzz/corpus/$t/"* "$dir/corpus/"
  seeds=$(ls "$dir/corpus" | wc -l)
  # The targets change into a scratch directory, so every path given is absolute.
  status=0
  TMPDIR="$dir/scratch" "$build/fuzz/fuzz_$t" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/findings/" "$dir/corpus" >"$dir/log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  size=$(ls "$dir/corpus" | wc -l)
  result="nothing found"
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$dir/findings")" ]; then
    result="FOUND: see $dir/log and $dir/findings/"
    failed=1
  fi
  printf '%-12s %10s %8s %8s  %s\n' "$t" "${execs:-?}" "$seeds" "$size" "$result"
done
exit "$failed"
