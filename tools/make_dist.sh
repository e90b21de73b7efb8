#!/usr/bin/env bash
# The release files: DIR/gen_trackcase-VERSION.zip (the DLL and trackcase-info.exe without debug
# sections, the licence, the version history, the guides as plain texts with CRLF line ends, the
# Japanese one in code page 932, and as HTML pages with a table of contents and their screenshots) and DIR/gen_trackcase-VERSION-setup.exe (the NSIS
# installer, which installs the DLL, the guides and the licence). Builds the win32 DLL and
# trackcase-info.exe first unless --dll and --info name them.
# Usage: tools/make_dist.sh [--out DIR] [--dll FILE] [--info FILE]      (DIR defaults to dist/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/dist"
dll=""
info=""
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --dll) dll=$2; shift 2 ;;
    --info) info=$2; shift 2 ;;
    *) echo "usage: $0 [--out DIR] [--dll FILE] [--info FILE]" >&2; exit 2 ;;
  esac
done

# The one version number of the project, from the top CMake file.
version=$(sed -n 's/^project(gen_trackcase VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "make_dist: no project version in CMakeLists.txt" >&2; exit 1; }

for tool in makensis zip iconv pandoc i686-w64-mingw32-objdump i686-w64-mingw32-strip; do
  command -v "$tool" >/dev/null || { echo "make_dist: $tool is missing; run 'make setup'" >&2; exit 1; }
done

staged=""
if [ -z "$dll" ] || [ -z "$info" ]; then
  build=${BUILD_DIR:-build}
  case "$build" in /*) ;; *) build="$root/$build" ;; esac
  build="$build/win32"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$build" --target gen_trackcase trackcase-info -j "${JOBS:-$(nproc)}"
  # The shipped files as the build's install step delivers them.
  staged=$(mktemp -d)
  cmake --install "$build" --prefix "$staged" --component plugin >/dev/null
  cmake --install "$build" --prefix "$staged" --component tools >/dev/null
  [ -n "$dll" ] || dll="$staged/gen_trackcase.dll"
  [ -n "$info" ] || info="$staged/trackcase-info.exe"
fi
for f in "$dll" "$info"; do
  [ -f "$f" ] || { echo "make_dist: $f does not exist" >&2; rm -rf ${staged:+"$staged"}; exit 1; }
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip_file="$out/gen_trackcase-$version.zip"
setup_file="$out/gen_trackcase-$version-setup.exe"
staging=$(mktemp -d)
trap 'rm -rf "$staging" ${staged:+"$staged"}' EXIT

# Windows users of the player's era read plain texts in Notepad: CRLF, and the Japanese guide in
# code page 932 (iconv stops at any character that code page cannot hold). The English guide quotes
# the Japanese labels: UTF-8 with a byte-order mark, which Notepad reads whatever the system's code
# page. The guides' "{{version}}" becomes this release's version.
crlf() { sed 's/\r$//; s/$/\r/'; }
utf8_bom() { printf '\xEF\xBB\xBF'; cat; }
markdown=markdown-smart-raw_tex-raw_html-tex_math_dollars-all_symbols_escapable
convert() {  # convert SOURCE FORMAT [pandoc options...]
  local source=$1 format=$2
  shift 2
  pandoc -f "$markdown" -t "$format" --lua-filter "$root/tools/guide_filter.lua" -M version="$version" "$@" "$source"
}
# The shipped programs without debug sections (the inspector's build keeps them; they would double
# its size). A file without them is shipped as built, byte for byte.
ship_pe() {  # ship_pe SOURCE DEST
  if i686-w64-mingw32-objdump -h "$1" | grep -q ' \.debug_'; then
    i686-w64-mingw32-strip --strip-all -o "$2" "$1"
  else
    cp "$1" "$2"
  fi
}
ship_pe "$dll" "$staging/gen_trackcase.dll"
ship_pe "$info" "$staging/trackcase-info.exe"
crlf < "$root/LICENSE" > "$staging/LICENSE.txt"
convert "$root/CHANGES.md" plain -M plain --columns=78 | crlf | utf8_bom > "$staging/CHANGES.txt"
mkdir -p "$staging/screenshots"
for lang in ja en; do
  guide="$root/docs/guide-$lang.md"
  text=$(convert "$guide" plain -M plain -M html="guide-$lang.html" --columns=78 | crlf)
  if [ "$lang" = ja ]; then
    printf '%s\r\n' "$text" | iconv -f UTF-8 -t CP932 > "$staging/readme-$lang.txt"
  else
    printf '%s\r\n' "$text" | utf8_bom > "$staging/readme-$lang.txt"
  fi
  # The first heading is the page's title, the others make the table of contents; the style sheet
  # goes into the head as it is (metadata would be escaped into the page's text); the pictures go
  # beside the page.
  if [ "$lang" = ja ]; then toc_title="目次"; else toc_title="Contents"; fi
  convert "$guide" html5 --quiet --standalone --shift-heading-level-by=-1 -M lang="$lang" \
    --toc --toc-depth=2 -M toc-title="$toc_title" --include-in-header="$root/tools/guide_style.html" \
    > "$staging/guide-$lang.html"
  for picture in $(sed -n 's/.*](\(screenshots\/[^)]*\)).*/\1/p' "$guide"); do
    cp "$root/docs/$picture" "$staging/$picture"
  done
done

files=(gen_trackcase.dll trackcase-info.exe LICENSE.txt CHANGES.txt readme-ja.txt readme-en.txt guide-ja.html
       guide-en.html)
rm -f "$zip_file"
(cd "$staging" && zip -q -X "$zip_file" "${files[@]}" screenshots/*)

rm -f "$setup_file"
makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DDLL="$staging/gen_trackcase.dll" -DLICENSE_FILE="$staging/LICENSE.txt" \
         -DREADME_JA="$staging/readme-ja.txt" -DREADME_EN="$staging/readme-en.txt" \
         -DOUTFILE="$setup_file" "$root/installer/gen_trackcase.nsi"

for f in "$zip_file" "$setup_file"; do
  echo "$(stat -c %s "$f") bytes  $f"
done
