#!/usr/bin/env bash
# Writes docs/screenshots/config-dialog.png: the configuration dialog with the default settings,
# opened by the stand-in host's `config` command under Wine (code page 932) and taken from the
# Xvfb display with ImageMagick. Needs the Windows build that this machine runs (host, plug-in,
# e2e stage): build/win32 where 32-bit programs run, build/win64 elsewhere.
# Usage: tools/config_dialog_screenshot.sh [WINDOWS_BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
arch=win32
[ "$(bash "$root/tools/runs-32bit.sh")" = yes ] || arch=win64
build=$(cd "${1:-$root/build/$arch}" && pwd)
grep -q '^CMAKE_TOOLCHAIN_FILE:.*x86_64' "$build/CMakeCache.txt" 2>/dev/null && arch=win64
stage=$build/tests/e2e/stage
cmake --build "$build" --target e2e_stage -j2 >/dev/null
rm -f "$stage/Plugins/gen_trackcase.ini"
printf 'load Z:%s/tests/data/e2e/three.zip.mp3\nplay\nadvance 200\nconfig\nquit\n' "$root" >"$stage/shot.script"
cat >"$stage/shot.sh" <<INNER
cd "$stage"
wine trackcase-host.exe --script shot.script &
pid=\$!
id=
for i in \$(seq 1 200); do
  id=\$(xwininfo -root -tree 2>/dev/null | grep '"設定"' | awk '{print \$1}' | head -1)
  [ -n "\$id" ] && break
  sleep 0.05
done
sleep 0.6  # painted; the host cancels an unanswered dialog after 3 s
[ -n "\$id" ] && import -window "\$id" "$stage/config-dialog.png"
wait \$pid
INNER
rm -f "$stage/config-dialog.png"
"$root/cmake/wine-session.sh" --arch "$arch" "$build/wineprefix" bash "$stage/shot.sh"
mkdir -p "$root/docs/screenshots"
convert "$stage/config-dialog.png" "$root/docs/screenshots/config-dialog.png"
rm -f "$stage/Plugins/gen_trackcase.ini" "$stage/shot.sh" "$stage/shot.script" "$stage/config-dialog.png"
echo "wrote $root/docs/screenshots/config-dialog.png"
