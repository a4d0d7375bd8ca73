#!/usr/bin/env bash
# Mutation run: applies each one-line mutant of scripts/mutants.txt to the
# game's sources in turn, rebuilds the unit tests in build-mutate/, runs them
# (not the end-to-end tests, not the long soak, not the art generator's own
# check, which the sources here never reach), restores the file and says
# whether some test failed (killed) or none did (survived).
#   scripts/mutate.sh [mutant-file] [numbers...]
# With numbers (e.g. 3 10-14) only those mutants of the list run.
# MUTATE_SAMPLE=N runs every Nth mutant only (1, N+1, 2N+1, ...; with
# MUTATE_SAMPLE_FROM=K from mutant K on): a quick look at the whole list.
# A line may start with a category tag such as [cmp]; the summary counts the
# results per category and per source file.
# MUTATE_REPORT=FILE runs every test for each mutant instead of stopping at the
# first failure and writes the failing tests per mutant into FILE: which tests
# hold which mutants, for deciding what a test suite can do without.
# The source file is restored after every mutant, also when interrupted.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$here/scripts/mutants.txt}
shift || true
build="$here/build-mutate"
filter=${MUTATE_FILTER:-'-Soak.*:ArtSheets.GeneratorIsDeterministic'}
jobs=${JOBS:-2}
report=${MUTATE_REPORT:-}
sample=${MUTATE_SAMPLE:-1}
sample_from=${MUTATE_SAMPLE_FROM:-1}
fail_fast=--gtest_fail_fast
if [ -n "$report" ]; then
  fail_fast=
  : >"$report"
fi

wanted() {
  local n=$1 r
  shift
  [ "$n" -ge "$sample_from" ] && [ $(((n - sample_from) % sample)) -eq 0 ] || return 1
  [ $# -eq 0 ] && return 0
  for r in "$@"; do
    if [[ $r == *-* ]]; then
      [ "$n" -ge "${r%-*}" ] && [ "$n" -le "${r#*-}" ] && return 0
    elif [ "$n" -eq "$r" ]; then return 0; fi
  done
  return 1
}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target velkaro_tests -j"$jobs" >/dev/null
tests="$build/tests/velkaro_tests"

backup=""
target=""
# The restored file gets a new time stamp, so that the next build compiles it
# again instead of keeping the object built from the mutant.
restore() {
  if [ -n "$backup" ]; then
    cat "$backup" >"$target"
    touch "$target"
    rm -f "$backup"
    backup=""
  fi
}
trap 'restore' EXIT
trap 'restore; exit 130' INT TERM

# Runs the filtered tests as two shards side by side; stops at a failure, the
# other shard too (unless every failing test is wanted, for MUTATE_REPORT).
run_tests() {
  local pids=() s status=0
  for s in $(seq 0 $((jobs - 1))); do
    GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$s SDL_VIDEODRIVER=dummy timeout 300 \
      "$tests" --gtest_filter="$filter" $fail_fast --gtest_brief=1 >"$build/mutant-shard$s.log" 2>&1 &
    pids+=($!)
  done
  for s in "${pids[@]}"; do
    if ! wait -n; then
      status=1
      [ -n "$report" ] || kill "${pids[@]}" 2>/dev/null || true
    fi
  done
  return $status
}

# The unmutated sources must pass, or no mutant says anything.
run_tests || { echo "the tests fail without any mutant: see $build/mutant-shard*.log"; exit 1; }

# Applies one mutant line to its file: each "text @@ replacement" pair in turn,
# the first occurrence of the text (one space each side belongs to the separator).
apply='
my ($path, $line) = @ARGV;
my @f = split /@@/, $line, -1;
for (@f) { s/^ //; s/ $//; }
local $/;
open my $in, "<", $path or die "$path: $!\n";
my $text = <$in>;
close $in;
for (my $i = 1; $i < @f; $i += 2) {
  my ($old, $new) = ($f[$i], $i + 1 < @f ? $f[$i + 1] : "");
  my $at = index($text, $old);
  die "pattern not found: $old\n" if $at < 0;
  substr($text, $at, length $old) = $new;
}
open my $out, ">", $path or die "$path: $!\n";
print $out $text;
close $out;
'

started=$(date +%s)
declare -A tally
n=0
killed=0
survived=0
broken=0
survivors=()
while IFS= read -r line <&3; do
  case $line in '' | '#'*) continue ;; esac
  n=$((n + 1))
  wanted "$n" "$@" || continue
  category=other
  if [[ $line == '['*'] '* ]]; then
    category=${line%%]*}
    category=${category#[}
    line=${line#*] }
  fi
  file=${line%% @@*}
  target="$here/$file"
  backup=$(mktemp "$build/mutant-backup.XXXXXX")
  cp "$target" "$backup"
  if ! perl -e "$apply" "$target" "$line"; then
    result="BROKEN (pattern)"
    broken=$((broken + 1))
  elif ! cmake --build "$build" --target velkaro_tests -j"$jobs" >"$build/mutant-build.log" 2>&1; then
    result="BROKEN (does not build)"
    broken=$((broken + 1))
  elif run_tests; then
    result="survived"
    survived=$((survived + 1))
    survivors+=("$n")
  else
    result="killed"
    killed=$((killed + 1))
    if [ -n "$report" ]; then
      echo "$n $(cat "$build"/mutant-shard*.log | sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_/]*\.[A-Za-z0-9_./]*\).*/\1/p' | sort -u | tr '\n' ' ')" >>"$report"
    fi
  fi
  restore
  for key in "category $category" "file $file"; do
    [ -n "${tally[$key]+set}" ] || tally[$key]=0/0
    case $result in
      killed) tally[$key]="$(( ${tally[$key]%/*} + 1 ))/$(( ${tally[$key]#*/} + 1 ))" ;;
      survived) tally[$key]="$(( ${tally[$key]%/*} + 0 ))/$(( ${tally[$key]#*/} + 1 ))" ;;
    esac
  done
  printf '%3d %-24s %s\n' "$n" "$result" "$line"
done 3<"$list"
# Leave the build matching the restored sources.
cmake --build "$build" --target velkaro_tests -j"$jobs" >/dev/null

total=$((killed + survived))
echo
echo "killed/run by category and by file:"
for key in "${!tally[@]}"; do echo "  $key ${tally[$key]}"; done | sort
echo "time: $(( ($(date +%s) - started) / 60 )) min $(( ($(date +%s) - started) % 60 )) s"
echo "killed $killed, survived $survived, broken $broken"
[ "$total" -gt 0 ] && awk -v k="$killed" -v t="$total" 'BEGIN { printf "kill rate %.1f%% (%d of %d)\n", 100 * k / t, k, t }'
[ ${#survivors[@]} -eq 0 ] || echo "survivors: ${survivors[*]}"
