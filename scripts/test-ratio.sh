#!/usr/bin/env bash
# Prints how much test code there is against product code: non-blank lines of
# C/C++, shell and Python under tests/ against the same count under src/ and
# tools/, leaving out lines that start with // or # (comments; in C++ this also
# leaves out the preprocessor lines, the same count the project has always used).
#   scripts/test-ratio.sh
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  git ls-files -co --exclude-standard -- "$@" | grep -E '\.(c|cc|cpp|h|hpp|sh|py)$' |
    while read -r f; do [ -f "$f" ] && cat "$f"; done | grep -cvE '^[[:space:]]*(//|#|$)' || true
}

tests=$(count tests)
product=$(count src tools)
awk -v t="$tests" -v p="$product" 'BEGIN {
  printf "test lines     %6d\nproduct lines  %6d\ntest / product %6.1f%%\n", t, p, 100 * t / p }'
