#!/usr/bin/env bash
# Prints how much test code there is against product code: non-blank lines of
# C/C++, shell and Python under tests/ against the same count under src/,
# tools/ and web/ (the browser edition's platform layer), leaving out comment
# lines (starting with // in C/C++, /* or * in web/'s C, # in shell and Python;
# preprocessor lines count as code). The second figure is C/C++ alone,
# the count the before-stop reminder prints.
#   scripts/test-ratio.sh
set -euo pipefail
cd "$(dirname "$0")/.."

count() {  # count EXTENSIONS-REGEX COMMENT-REGEX DIR...
  local ext=$1 comment=$2
  shift 2
  git ls-files -co --exclude-standard -- "$@" | grep -E "\.($ext)$" |
    while read -r f; do [ -f "$f" ] && cat "$f"; done | grep -cvE "^[[:space:]]*($comment|$)" || true
}

cpp_tests=$(count 'c|cc|cpp|h|hpp' '//' tests)
cpp_product=$(count 'c|cc|cpp|h|hpp' '//|/\*|\*' src tools web)
tests=$((cpp_tests + $(count 'sh|py' '#' tests)))
product=$((cpp_product + $(count 'sh|py' '#' src tools)))
awk -v t="$tests" -v p="$product" -v ct="$cpp_tests" -v cp="$cpp_product" 'BEGIN {
  printf "                 all    C/C++\n"
  printf "test lines    %6d   %6d\nproduct lines %6d   %6d\ntest/product  %5.1f%%   %5.1f%%\n",
         t, ct, p, cp, 100 * t / p, 100 * ct / cp }'
