#!/usr/bin/env bash
# Builds the fuzz targets with the fuzzing engine (clang) and runs each one
# on a copy of its seed folder: FUZZ_RUNS inputs (default 3000) from the
# fixed random seed FUZZ_SEED (default 1), so a run is repeatable, and at
# most FUZZ_SECONDS seconds (default 60). FUZZ_SEED=0 lets the engine pick a
# seed (for exploring). A crash stops the script with the engine's report;
# the crashing input is left in out/fuzz/ for adding to the seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:-3000}
seed=${FUZZ_SEED:-1}
cmake --preset fuzz >/dev/null
list=build/fuzz/fuzz_targets.txt
if [ ! -s "$list" ]; then
  echo "no fuzz targets declared"
  exit 0
fi
cmake --build --preset fuzz
mkdir -p out/fuzz
while IFS='|' read -r program corpus; do
  [ -n "$program" ] || continue
  name=$(basename "$program")
  work=$(mktemp -d)
  cp -r "$corpus"/. "$work"/
  echo "== fuzz $name: $runs inputs from seed $seed, at most ${seconds}s ($(ls "$work" | wc -l) seed files)"
  log="out/fuzz/$name.log"
  status=0
  "$program" -runs="$runs" -seed="$seed" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="out/fuzz/$name-" -print_final_stats=1 "$work" >"$log" 2>&1 || status=$?
  rm -rf "$work"
  tail -n 12 "$log"
  if [ "$status" -ne 0 ]; then
    echo "fuzz target $name failed (status $status); full log in $log"
    exit 1
  fi
done < "$list"
