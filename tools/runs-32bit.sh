#!/usr/bin/env bash
# Prints "yes" or "no": whether this machine runs 32-bit Windows programs, as `make setup` found
# out (BUILD_DIR/machine.env); with --why, the reason as well. Probes when no answer is kept.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
answer_file="${BUILD_DIR:-$root/build}/machine.env"
case "$answer_file" in /*) ;; *) answer_file="$root/$answer_file" ;; esac
if [ -f "$answer_file" ]; then
  . "$answer_file"
else
  eval "$(bash "$root/tools/probe-32bit.sh")"
fi
if [ "${1:-}" = "--why" ]; then
  echo "$TC_RUNS_32BIT ($TC_RUNS_32BIT_WHY)"
else
  echo "$TC_RUNS_32BIT"
fi
