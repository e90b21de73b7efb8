#!/usr/bin/env bash
# Runs every native benchmark program. Usage: bench/run.sh NATIVE_BUILD_DIR
set -euo pipefail
for b in "$1"/bench/*_bench; do
  [ -x "$b" ] && "$b"
done
exit 0
