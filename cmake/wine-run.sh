#!/usr/bin/env bash
# Runs one Windows program under 32-bit Wine: code page 932, quiet, project-local prefix,
# and a private X display when none is set. Used by ctest as the cross-compiling emulator.
# Usage: wine-run.sh --prefix DIR PROGRAM [ARGS...]
set -u
if [ "${1:-}" = "--prefix" ]; then
  TC_WINEPREFIX=$2
  shift 2
fi
: "${TC_WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}"
. "$(dirname "$0")/wine-env.sh"
tc_init_prefix
started_xvfb=0
if [ -z "${DISPLAY:-}" ]; then
  tc_start_xvfb
  started_xvfb=1
fi
# A persistent server makes each later start take milliseconds; it is harmless when one runs already.
wineserver -p60 2>/dev/null
wine "$@"
rc=$?
[ $started_xvfb -eq 1 ] && tc_stop_xvfb
exit $rc
