#!/usr/bin/env bash
# Builds the fuzz targets with the fuzzing engine (clang) and runs each one
# for a short while on a copy of its seed folder. FUZZ_SECONDS sets the time
# per target (default 10). A crash stops the script with the engine's report;
# the crashing input is left in out/fuzz/ for adding to the seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-10}
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
  echo "== fuzz $name for ${seconds}s ($(ls "$work" | wc -l) seeds)"
  log="out/fuzz/$name.log"
  status=0
  "$program" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="out/fuzz/$name-" -print_final_stats=1 "$work" >"$log" 2>&1 || status=$?
  rm -rf "$work"
  tail -n 12 "$log"
  if [ "$status" -ne 0 ]; then
    echo "fuzz target $name failed (status $status); full log in $log"
    exit 1
  fi
done < "$list"
