#!/usr/bin/env bash
# Runs a command (a whole ctest run, the demo) inside one Wine session: one X display,
# one persistent wineserver for all the Wine processes it starts, both ended afterwards.
# Usage: wine-session.sh [--arch win32|win64] PREFIX COMMAND [ARGS...]
set -u
if [ "${1:-}" = "--arch" ]; then
  export TC_WINEARCH=$2
  shift 2
fi
export TC_WINEPREFIX=$1  # nested wine-run.sh calls use the same prefix
shift
. "$(dirname "$0")/wine-env.sh"
tc_start_xvfb
tc_init_prefix
wineserver -p 2>/dev/null
# Wine's service processes start with the first program of a session and would inherit (and keep
# open) the output pipe of whatever runs first, such as ctest; start them here, detached from it.
wine cmd /c exit >/dev/null 2>&1 </dev/null
"$@"
rc=$?
wineserver -k 2>/dev/null
tc_stop_xvfb
exit $rc
