#!/usr/bin/env bash
# Fuzzes every record-file reader, and the picture and sound checks with the
# decoders behind them, for a bounded time each, with AddressSanitizer
# and UndefinedBehaviorSanitizer, starting from the committed seed corpus; as
# many readers at a time as there are cores (JOBS overrides).
#   scripts/fuzz.sh [seconds-per-target]      (default 20)
# Builds in build-fuzz/ with clang++. The committed corpus is copied, never
# written; what a run adds stays in build-fuzz/fuzz-work/<target>/corpus, and any
# crashing input in build-fuzz/fuzz-work/<target>/findings. Exits non-zero when
# any target finds something.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build="$here/build-fuzz"
targets=(checkpoints run_entries clear_flags best_times bmp wav)

CXX=${FUZZ_CXX:-clang++} cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_targets -j"${JOBS:-$(nproc)}"

work="$build/fuzz-work"
jobs=${JOBS:-$(nproc)}
# One target: its corpus and findings under fuzz-work/<target>; the exit status in status.
fuzz_one() {
  local t=$1 dir="$work/$1"
  rm -rf "$dir"
  mkdir -p "$dir/corpus" "$dir/findings" "$dir/scratch"
  cp "$here/tests/fuzz/corpus/$t/"* "$dir/corpus/"
  ls "$dir/corpus" | wc -l >"$dir/seeds"
  # The targets change into a scratch directory, so every path given is absolute.
  # The record readers open a file per input: in memory (/dev/shm) that is
  # several times faster than on disk.
  local scratch="$dir/scratch" status=0
  if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch=$(mktemp -d /dev/shm/velkaro-fuzz.XXXXXX); fi
  TMPDIR="$scratch" "$build/fuzz/fuzz_$t" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/findings/" "$dir/corpus" >"$dir/log" 2>&1 || status=$?
  [ "$scratch" = "$dir/scratch" ] || rm -rf "$scratch"
  echo "$status" >"$dir/status"
}
# As many targets at a time as there are cores, each for its full time.
running=0
for t in "${targets[@]}"; do
  fuzz_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

failed=0
printf '\n%-12s %10s %8s %8s  %s\n' target execs seeds corpus result
for t in "${targets[@]}"; do
  dir="$work/$t"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  size=$(ls "$dir/corpus" | wc -l)
  result="nothing found"
  if [ "$(cat "$dir/status")" -ne 0 ] || [ -n "$(ls -A "$dir/findings")" ]; then
    result="FOUND: see $dir/log and $dir/findings/"
    failed=1
  fi
  printf '%-12s %10s %8s %8s  %s\n' "$t" "${execs:-?}" "$(cat "$dir/seeds")" "$size" "$result"
done
exit "$failed"
