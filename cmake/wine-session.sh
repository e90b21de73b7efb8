#!/usr/bin/env bash
# Runs a command (a whole ctest run, the demo) inside one Wine session: one X display,
# one persistent wineserver for all the Wine processes it starts, both ended afterwards.
# Usage: wine-session.sh PREFIX COMMAND [ARGS...]
set -u
TC_WINEPREFIX=$1
shift
. "$(dirname "$0")/wine-env.sh"
tc_start_xvfb
tc_init_prefix
wineserver -p 2>/dev/null
"$@"
rc=$?
wineserver -k 2>/dev/null
tc_stop_xvfb
exit $rc
