#!/usr/bin/env bash
# The demo: the stand-in host plays the sample archive with the plug-in loaded from its Plugins
# folder (the Makefile has built everything). With a display the host plays in real time for you
# to watch; without one it runs under a private Xvfb for a few seconds and writes a PNG of the
# screen (the host's windows and the plug-in's) to the path it prints. WINDOWS is the pair it runs:
# win32 (the shipped i686 plug-in and host, under 32-bit Wine) or win64 (their x86_64 build, under
# 64-bit Wine, for machines that cannot run 32-bit programs).
# Usage: bash tools/demo.sh BUILD_DIR [win32|win64]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
arch=${2:-win32}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
case "$arch" in
  win32) echo "== the pair: the shipped 32-bit plug-in in the 32-bit stand-in host (32-bit Wine)" ;;
  win64) echo "== the pair: the 64-bit build of the plug-in in the 64-bit stand-in host (64-bit Wine; this machine runs no 32-bit programs)" ;;
  *) echo "demo: unknown pair $arch" >&2; exit 2 ;;
esac
sample="$root/samples/sample.zip.mp3"

info="$build/native/tools/trackcase-info"
if [ -x "$info" ]; then
  echo "== trackcase-info samples/sample.zip.mp3"
  # The tool prints texts as the plug-in holds them (code page 932); show them readably here.
  "$info" --raw "$sample" | iconv -f CP932 -t UTF-8 2>/dev/null || "$info" "$sample"
fi

stage="$build/$arch/stage"
prefix="$build/$arch/wineprefix"
if [ ! -x "$stage/trackcase-host.exe" ] || [ ! -f "$stage/Plugins/gen_trackcase.dll" ]; then
  echo "demo: the stand-in host or the plug-in is missing in $stage; run 'make build' first" >&2
  exit 1
fi
if [ ! -f "$sample" ]; then
  echo "demo: $sample is missing; tools/make_sample.sh makes it" >&2
  exit 1
fi

if [ -n "${DISPLAY:-}" ]; then
  echo "== the host plays samples/sample.zip.mp3 (close it with Alt+F4)"
  exec "$root/cmake/wine-run.sh" --arch "$arch" --prefix "$prefix" "$stage/trackcase-host.exe" "$sample"
fi

out="$build/demo"
mkdir -p "$out"
# Place the plug-in's window just below the host's playlist editor (the script snaps it there)
# and list the tracks by their tags, so the Japanese title shows. Written on every run: the last
# run's shut-down saved the position after its moves.
ini="$stage/Plugins/gen_trackcase.ini"
printf '[List]\r\nuseID3=yes\r\n[pos]\r\nx=0\r\ny=468\r\n' > "$ini"
png="$out/trackcase-demo.png"
log="$out/demo.log"
rm -f "$png" "$log"
# Into the second track, so the list, the mark and the time have something to show.
cat > "$out/demo.script" <<SCRIPT
log $log
load $sample
play
advance 100 300
advance 2000 300
advance 2000 300
advance 1500 600
# The plug-in's window is dragged onto the playlist editor's bottom edge, where it snaps and
# docks; then the host's windows move together, as the player moves its docked windows, and the
# plug-in's window follows the main window and stays under the playlist editor.
drag plugin 100 5 100 3
move main 40 30
move eq 40 146
move pe 40 262
move mb 315 146
pump 300
mark screenshot
pump 2500
quit
SCRIPT

echo "== the host plays samples/sample.zip.mp3 under Xvfb"
export TC_DEMO_HOST="$stage/trackcase-host.exe" TC_DEMO_SCRIPT="$out/demo.script" TC_DEMO_LOG="$log" TC_DEMO_PNG="$png"
"$root/cmake/wine-session.sh" --arch "$arch" "$prefix" bash -c '
  wine wineboot </dev/null >/dev/null 2>&1
  wine "$TC_DEMO_HOST" --script "$TC_DEMO_SCRIPT" </dev/null >/dev/null 2>&1 &
  host=$!
  for _ in $(seq 1 200); do
    if grep -q "^# mark screenshot" "$TC_DEMO_LOG" 2>/dev/null; then
      sleep 0.5
      import -display "$DISPLAY" -window root "$TC_DEMO_PNG"
      break
    fi
    sleep 0.1
  done
  wait $host
'
if [ ! -f "$png" ]; then
  echo "demo: no screenshot was taken; see $log" >&2
  exit 1
fi
echo "== screenshot: $png"
