#!/usr/bin/env bash
# Pictures of the installer's Japanese pages for the user guide: the welcome page and the folder
# page, taken under Wine on a private display and written to docs/screenshots/.
# Needs dist/gen_trackcase-VERSION-setup.exe (make dist) and xdotool (not part of make setup).
# Usage: bash tools/installer_screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
version=$(sed -n 's/^project(gen_trackcase VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
setup="$root/dist/gen_trackcase-$version-setup.exe"
[ -f "$setup" ] || { echo "installer_screenshots: $setup is missing; run 'make dist'" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "installer_screenshots: xdotool is missing" >&2; exit 1; }
# The installer is a 32-bit program: 64-bit Wine cannot run it.
if [ "$(bash "$root/tools/runs-32bit.sh")" != yes ]; then
  echo "installer_screenshots: this machine cannot run 32-bit programs ($(bash "$root/tools/runs-32bit.sh" --why)); take the pictures where it can" >&2
  exit 1
fi

export TC_SETUP="$setup" TC_SHOTS="$root/docs/screenshots" TC_WORK=$(mktemp -d)
"$root/cmake/wine-session.sh" "$build/win32/wineprefix" bash -c '
  set -u
  # The top-level window of the given title, once it is mapped.
  wait_window() {
    for _ in $(seq 1 100); do
      id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
      [ -n "$id" ] && { sleep 1; echo "$id"; return 0; }
      sleep 0.2
    done
    return 1
  }
  shot() {  # window id, file: the window and nothing around it
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  }
  wine "$TC_SETUP" </dev/null >/dev/null 2>&1 &
  setup=$!
  id=$(wait_window "Installer Language") && xdotool key --window "$id" Return   # Japanese
  id=$(wait_window "gen_trackcase") && shot "$id" "$TC_SHOTS/installer-welcome.png"
  xdotool key --window "$id" Return                                         # welcome: next
  sleep 1; xdotool key --window "$id" Return                                # licence: agree
  sleep 1.5; shot "$id" "$TC_SHOTS/installer-directory.png"
  kill $setup 2>/dev/null
'
rm -rf "$TC_WORK"
ls -l "$root/docs/screenshots/installer-welcome.png" "$root/docs/screenshots/installer-directory.png"
