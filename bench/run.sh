#!/usr/bin/env bash
# Runs every benchmark program: natively from NATIVE_BUILD_DIR, and under Wine from WIN32_BUILD_DIR
# when it is given. Usage: bench/run.sh NATIVE_BUILD_DIR [WIN32_BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for b in "$1"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== native $(basename "$b")"
  "$b"
done
if [ -n "${2:-}" ]; then
  win32=$(cd "$2" && pwd)
  for b in "$win32"/bench/*_bench.exe; do
    [ -f "$b" ] || continue
    echo "== wine $(basename "$b")"
    "$root/cmake/wine-session.sh" "$win32/wineprefix" "$root/cmake/wine-run.sh" --prefix "$win32/wineprefix" "$b"
  done
fi
exit 0
