#!/usr/bin/env bash
# The demo: shows how the plug-in reads the sample archive (the Makefile has built everything).
# Usage: bash tools/demo.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
info="$build/native/tools/trackcase-info"
if [ ! -x "$info" ]; then
  echo "demo: $info is missing; run 'make build' first" >&2
  exit 1
fi
echo "== trackcase-info samples/sample.zip.mp3"
"$info" "$root/samples/sample.zip.mp3"
