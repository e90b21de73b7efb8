#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from its seed corpus in the repo.
# Usage: fuzz/run.sh NATIVE_BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=${2:-30}
root=$(cd "$(dirname "$0")" && pwd)
status=0
for target in "$build"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target" _fuzz)
  work="$build/fuzz-work/$name"
  mkdir -p "$work"
  seeds="$root/corpus/$name"
  [ -d "$seeds" ] || seeds=""
  log="$build/fuzz-work/$name.log"
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/" "$work" $seeds >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz $name: ${runs:-?} executions, no failure"
  else
    echo "fuzz $name: FAILED (see $log)"
    tail -40 "$log"
    status=1
  fi
done
exit $status
