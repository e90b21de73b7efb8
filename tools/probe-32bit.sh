#!/usr/bin/env bash
# Finds out whether this machine runs 32-bit Windows programs: the kernel must run 32-bit x86 Linux
# programs and 32-bit Wine must start. Prints the answer as shell assignments (TC_RUNS_32BIT=yes|no
# and the reason); with --kernel, prints nothing and exits 0 when the kernel runs them.
# The kernel's probe is a 96-byte i386 ELF executable that only exits with code 42, so it needs no
# 32-bit library or package.
set -u
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
{
  # ELF header: 32-bit, little-endian, executable for i386, entry 0x08048054, one program header.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  # Program header: the whole file loaded read+execute at 0x08048000.
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  # mov eax, 1 (exit); mov ebx, 42; int 0x80
  printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'
} > "$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
kernel=$?
[ "${1:-}" = "--kernel" ] && exit $([ $kernel -eq 42 ] && echo 0 || echo 1)

if [ $kernel -ne 42 ]; then
  answer=no why="the kernel does not run 32-bit programs"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  answer=yes why="the kernel runs 32-bit programs and 32-bit Wine starts"
else
  answer=no why="the kernel runs 32-bit programs, but 32-bit Wine does not start"
fi
echo "TC_RUNS_32BIT=$answer"
echo "TC_RUNS_32BIT_WHY=\"$why\""
