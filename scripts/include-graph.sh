#!/usr/bin/env bash
# The folders of src/ and which folders each one includes from, then a check
# that the graph runs one way: no folder includes from a folder that includes
# from it, however indirectly. Prints the edges and exits 1 on a cycle.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here/src"
edges=$(grep -rhoE '^#include "[a-z_]+/' --include='*.h' --include='*.cpp' --with-filename . |
  sed -E 's#^\./([a-z_]+)/[^:]*:\#include "([a-z_]+)/#\1 \2#' | awk '$1 != $2' | sort -u)
echo "$edges" | awk '{ out[$1] = out[$1] " " $2 } END { for (f in out) print f " ->" out[f] }' | sort
# tsort fails and names the loop when the edges hold a cycle.
if ! loop=$(echo "$edges" | tsort 2>&1 >/dev/null); then
  echo "$loop" >&2
  echo "include graph: a cycle between folders" >&2
  exit 1
fi
echo "include graph: one way, no cycle"
