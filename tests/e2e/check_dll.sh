#!/usr/bin/env sh
# The shipped DLL: a 32-bit PE DLL of at most 430,080 bytes that imports nothing but Windows' own
# DLLs, only functions that Windows XP has (ALLOWLIST records each with its oldest Windows), and
# exports its entry under its plain name. Usage: check_dll.sh OBJDUMP DLL ALLOWLIST
set -u
# The output is parsed: keep it untranslated.
export LC_ALL=C
objdump=$1
dll=$2
allowlist=$3
fail=0
private=$("$objdump" -p "$dll") || { echo "cannot read $dll"; exit 1; }
echo "$private" | grep -q 'file format pei-i386' || { echo "not an i386 PE file"; fail=1; }
echo "$private" | grep -q '^Magic.*(PE32)' || { echo "not PE32"; fail=1; }
echo "$private" | sed -n '/^Characteristics/,/^$/p' | grep -q '^[[:space:]]*DLL$' || { echo "not a DLL"; fail=1; }
# Windows' own DLLs, which every system has; anything else would have to ship beside the plug-in.
for name in $(echo "$private" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
  case $(echo "$name" | tr 'A-Z' 'a-z') in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|shell32.dll|msvcrt.dll|advapi32.dll) ;;
    *) echo "imports $name"; fail=1 ;;
  esac
done
# Each imported function as "dll function", the DLL name in lower case.
imports=$(echo "$private" | awk '/^\tDLL Name:/ { dll = tolower($3); next }
                                  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }
                                  /^$/ { dll = "" }' | sort -u)
[ -n "$imports" ] || { echo "no imported functions read from $dll"; fail=1; }
unlisted=$(echo "$imports" | awk -v list="$allowlist" '
  BEGIN {
    while ((getline line < list) > 0) {
      if (line ~ /^#/ || line ~ /^[ \t]*$/) continue
      split(line, f, " ")
      version = line
      sub(/^[^ ]+ +[^ ]+ +/, "", version)
      known[tolower(f[1]) " " f[2]] = version
    }
  }
  {
    version = known[$1 " " $2]
    if (version == "") print "imports " $1 "!" $2 ", which " list " does not list: add it with the oldest Windows that has it"
    else if (version !~ /^Windows (2000|XP)/) print "imports " $1 "!" $2 ", which needs " version
  }')
[ -z "$unlisted" ] || { echo "$unlisted"; fail=1; }
exports=$(echo "$private" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] //p' | sort -u)
if [ "$exports" != "winampGetGeneralPurposePlugin" ]; then
  echo "exports: $exports"
  fail=1
fi
# Growth is easy to miss (41 KB came with std::wstring alone): the file stays within its ceiling.
size=$(wc -c < "$dll")
[ "$size" -le 430080 ] || { echo "the DLL is $size bytes, more than its ceiling of 430080"; fail=1; }
[ $fail -eq 0 ] && echo "gen_trackcase.dll: PE32 DLL, $size bytes, $(echo "$imports" | wc -l) imports of system DLLs all in Windows XP, export winampGetGeneralPurposePlugin"
exit $fail
