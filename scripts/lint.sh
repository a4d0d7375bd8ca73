#!/usr/bin/env bash
# Formatting and static analysis: every C++ file as clang-format would write it,
# and cppcheck clean over the game and the tools.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
"$here/scripts/include-graph.sh"
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++17 \
  --inline-suppr -I src src tools
echo "lint: formatting and static analysis clean"
