#!/usr/bin/env bash
# Installs every Debian package the builds, tests, fixtures and demo need, and finds out once
# whether this machine runs 32-bit programs (build/machine.env, read by tools/runs-32bit.sh).
# Idempotent and quiet: does nothing when everything is already present.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make g++ clang libclang-rt-14-dev llvm
  googletest libgtest-dev libbenchmark-dev valgrind
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 7zip
  xvfb xauth x11-utils fonts-ipafont-gothic imagemagick
  zip unzip lame ffmpeg python3 python3-mutagen locales nsis
  pandoc chromium
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing_of() {
  local p status
  for p in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || echo "$p"
  done
}

# A mirror caught mid-sync fails some index files; the packages may still come from the others,
# and the install says so when they do not.
apt_install() {
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null 2>&1 || true
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

mapfile -t missing < <(missing_of "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_install "${missing[@]}"
fi

# Wine needs the Japanese locale to exist to use code page 932 and Japanese file names.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

# 32-bit Wine, for running the shipped i686 build itself, only where the kernel runs 32-bit
# programs; elsewhere the 64-bit Windows build carries the Win32 tests.
if bash "$root/tools/probe-32bit.sh" --kernel; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  mapfile -t missing < <(missing_of wine32:i386)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing wine32:i386"
    apt_install wine32:i386 || echo "setup: wine32:i386 could not be installed"
  fi
fi
answer_file="${BUILD_DIR:-$root/build}/machine.env"
case "$answer_file" in /*) ;; *) answer_file="$root/$answer_file" ;; esac
answer=$(bash "$root/tools/probe-32bit.sh")
if [ ! -f "$answer_file" ] || [ "$(cat "$answer_file")" != "$answer" ]; then
  mkdir -p "$(dirname "$answer_file")"
  echo "$answer" > "$answer_file"
  (. "$answer_file"; echo "setup: 32-bit Windows programs: $TC_RUNS_32BIT ($TC_RUNS_32BIT_WHY)")
fi
exit 0
