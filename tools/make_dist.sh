#!/usr/bin/env bash
# The release files: DIR/gen_trackcase-VERSION.zip (the DLL, the licence, the Japanese guide as a
# code page 932 text with CRLF line ends and the English one) and DIR/gen_trackcase-VERSION-setup.exe
# (the NSIS installer). Builds the win32 DLL first unless --dll names one.
# Usage: tools/make_dist.sh [--out DIR] [--dll FILE]      (DIR defaults to dist/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/dist"
dll=""
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --dll) dll=$2; shift 2 ;;
    *) echo "usage: $0 [--out DIR] [--dll FILE]" >&2; exit 2 ;;
  esac
done

# The one version number of the project, from the top CMake file.
version=$(sed -n 's/^project(gen_trackcase VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "make_dist: no project version in CMakeLists.txt" >&2; exit 1; }

for tool in makensis zip iconv; do
  command -v "$tool" >/dev/null || { echo "make_dist: $tool is missing; run 'make setup'" >&2; exit 1; }
done

if [ -z "$dll" ]; then
  build=${BUILD_DIR:-build}
  case "$build" in /*) ;; *) build="$root/$build" ;; esac
  build="$build/win32"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$build" --target gen_trackcase -j "${JOBS:-$(nproc)}"
  # The shipped DLL as the build's install step delivers it.
  staged=$(mktemp -d)
  cmake --install "$build" --prefix "$staged" --component plugin >/dev/null
  dll="$staged/gen_trackcase.dll"
  [ -f "$dll" ] || dll=""
  [ -n "$dll" ] || { echo "make_dist: the build made no gen_trackcase.dll" >&2; exit 1; }
fi
[ -f "$dll" ] || { echo "make_dist: $dll does not exist" >&2; rm -rf ${staged:+"$staged"}; exit 1; }
dll=$(cd "$(dirname "$dll")" && pwd)/$(basename "$dll")  # makensis reads it from elsewhere

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip_file="$out/gen_trackcase-$version.zip"
setup_file="$out/gen_trackcase-$version-setup.exe"
staging=$(mktemp -d)
trap 'rm -rf "$staging" ${staged:+"$staged"}' EXIT

# Windows users of the player's era read plain texts in Notepad: CRLF, and the Japanese guide in
# code page 932 (iconv stops at any character that code page cannot hold).
crlf() { sed 's/\r$//; s/$/\r/' "$1"; }
cp "$dll" "$staging/gen_trackcase.dll"
crlf "$root/LICENSE" > "$staging/LICENSE.txt"
crlf "$root/docs/guide-ja.md" | iconv -f UTF-8 -t CP932 > "$staging/readme-ja.txt"
# The English guide quotes the Japanese labels: UTF-8 with a byte-order mark, which Notepad reads
# whatever the system's code page.
{ printf '\xEF\xBB\xBF'; crlf "$root/docs/guide-en.md"; } > "$staging/readme-en.txt"

rm -f "$zip_file"
(cd "$staging" && zip -q -X "$zip_file" gen_trackcase.dll LICENSE.txt readme-ja.txt readme-en.txt)

rm -f "$setup_file"
makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DDLL="$dll" -DLICENSE_FILE="$staging/LICENSE.txt" \
         -DOUTFILE="$setup_file" "$root/installer/gen_trackcase.nsi"

for f in "$zip_file" "$setup_file"; do
  echo "$(stat -c %s "$f") bytes  $f"
done
