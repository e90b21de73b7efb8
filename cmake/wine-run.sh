#!/usr/bin/env bash
# Runs one Windows program under Wine (32-bit by default, 64-bit with --arch win64): code page 932,
# quiet, project-local prefix, and a private X display when none is set. Used by ctest as the
# cross-compiling emulator.
# Usage: wine-run.sh [--arch win32|win64] --prefix DIR PROGRAM [ARGS...]
set -u
while :; do
  case "${1:-}" in
    --arch) TC_WINEARCH=$2; shift 2 ;;
    --prefix) TC_WINEPREFIX=$2; shift 2 ;;
    *) break ;;
  esac
done
: "${TC_WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}"
. "$(dirname "$0")/wine-env.sh"
tc_init_prefix
# Wine starts helper processes (services, the desktop's explorer) on demand from whichever program
# needs them first; they would inherit our output and keep the caller (ctest) waiting for its end.
# The program's output therefore goes through a file the helpers may keep without harm.
run_wine() {
  local out rc
  out=$(mktemp)
  wine "$@" >"$out" 2>&1 </dev/null
  rc=$?
  cat "$out"
  rm -f "$out"
  return $rc
}
if [ -n "${DISPLAY:-}" ]; then
  # Inside a session (or on a desktop): keep one persistent server, so later starts are fast.
  wineserver -p 2>/dev/null
  run_wine "$@"
  exit $?
fi
# Alone: a display and a server of our own, both gone afterwards.
tc_start_xvfb
run_wine "$@"
rc=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
tc_stop_xvfb
exit $rc
