#!/usr/bin/env bash
# Runs every benchmark program: natively from NATIVE_BUILD_DIR, and under Wine from
# WINDOWS_BUILD_DIR when it is given (an i686 build under 32-bit Wine, an x86_64 one under 64-bit).
# Usage: bench/run.sh NATIVE_BUILD_DIR [WINDOWS_BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for b in "$1"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== native $(basename "$b")"
  "$b"
done
if [ -n "${2:-}" ]; then
  windows=$(cd "$2" && pwd)
  arch=win32
  grep -q '^CMAKE_TOOLCHAIN_FILE:.*x86_64' "$windows/CMakeCache.txt" 2>/dev/null && arch=win64
  for b in "$windows"/bench/*_bench.exe; do
    [ -f "$b" ] || continue
    echo "== wine ($arch) $(basename "$b")"
    "$root/cmake/wine-session.sh" --arch $arch "$windows/wineprefix" \
      "$root/cmake/wine-run.sh" --arch $arch --prefix "$windows/wineprefix" "$b"
  done
fi
exit 0
