#!/usr/bin/env bash
# Builds Velkaro with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# in build-sanitize/ and runs the whole test suite there. Any report fails the run.
#   scripts/sanitize.sh [extra ctest arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-sanitize"
jobs=${JOBS:-$(nproc)}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_SANITIZE=ON
# The generators run under the sanitizers as they make the art, so they are
# checked too; the same options apply to them.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks inside the system's SDL and X libraries are not ours to mend; the
# suppressions name library frames only.
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
cmake --build "$build" -j"$jobs"
cd "$build"
ctest --output-on-failure -j"$jobs" "$@"
