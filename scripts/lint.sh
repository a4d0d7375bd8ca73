#!/usr/bin/env bash
# Formatting and static analysis: every C++ file as clang-format would write it,
# cppcheck clean over the game and the tools, and clang-tidy (checks in .clang-tidy)
# clean over the folders listed in tidy_dirs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
"$here/scripts/include-graph.sh"
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++17 \
  --inline-suppr -I src src tools

# Folders clang-tidy covers; a header is reported only from the folder it lives in.
tidy_dirs=(src tools tests/unit)
# clang-tidy reads the compile flags from the build's compile_commands.json.
build=${VELKARO_BUILD_DIR:-build}
if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S . -B "$build" > /dev/null
fi
header_filter="^$here/($(IFS='|'; echo "${tidy_dirs[*]}"))/"
# Two files at a time (the machines we build on have two cores). The count of
# warnings clang-tidy filtered out of system headers is dropped from the output.
tidy_log=$(mktemp)
trap 'rm -f "$tidy_log"' EXIT
tidy_status=0
tidy() {  # tidy CHECKS FOLDER...: every .cpp file of the folders, CHECKS added to .clang-tidy's
  local checks=$1
  shift
  git ls-files "${@/%//*.cpp}" |
    xargs -P 2 -n 1 clang-tidy -p "$build" --quiet --header-filter="$header_filter" --checks="$checks" \
      >> "$tidy_log" 2>&1 || tidy_status=$?
}
tidy '' src tools
# The path-sensitive analyser walks every expansion of the test macros and takes
# five times as long there, for code that runs under the sanitizers anyway: the
# tests get every other check.
tidy '-clang-analyzer-*' tests/unit
grep -v '^[0-9]* warnings\? generated\.$' "$tidy_log" || true
if [ "$tidy_status" -ne 0 ]; then
  echo "lint: clang-tidy found faults (checks in .clang-tidy)" >&2
  exit 1
fi
echo "lint: formatting and static analysis clean"
