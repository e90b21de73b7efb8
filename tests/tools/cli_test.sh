#!/usr/bin/env bash
# trackcase-info's command line, one row per run, under a UTF-8 terminal: the arguments, the exit
# code, stderr (its lines joined by " // ", "-" for none) and a line that stdout must hold ("-" for
# an empty stdout, "*" for no check). Texts in the table are UTF-8, as the terminal shows them.
# Usage: cli_test.sh TRACKCASE_INFO ROOT WORK
set -u
info=$1 root=$2 work=$3
rm -rf "$work" && mkdir -p "$work/folder" && cd "$work" || exit 1
cp "$root/samples/sample.zip.mp3" sample.zip.mp3
cp sample.zip.mp3 ./-dash.zip.mp3
cp "$root/LICENSE" licence.txt
printf '\xEF\xBB\xBF[List]\r\nNormal=「%%FILE_NAME%%」\r\n' > utf8.ini
# As the plug-in writes it: code page 932 ("曲" is 0x8B 0xC8).
printf '[List]\r\nNormal=\x8B\xC8 %%FILE_NAME%%\r\n' > cp932.ini
export LC_ALL=C.UTF-8
T=$'\t'
try="Try 'trackcase-info --help'"
fail=0 rows=0
while IFS='|' read -r args code err out; do
  [ -z "$args" ] && continue
  rows=$((rows + 1))
  eval "set -- $args"
  "$info" "$@" > out.txt 2> err.txt
  rc=$?
  got_err=$(sed ':a;N;$!ba;s/\n/ \/\/ /g' err.txt)
  [ -n "$got_err" ] || got_err="-"
  expected_out=$(printf '%b' "$out")
  problem=""
  [ "$rc" = "$code" ] || problem+=" exit $rc (want $code);"
  [ "$got_err" = "$err" ] || problem+=" stderr [$got_err] (want [$err]);"
  case "$out" in
    "*") ;;
    "-") [ ! -s out.txt ] || problem+=" stdout not empty;" ;;
    *) grep -qxF -- "$expected_out" out.txt || problem+=" no stdout line [$expected_out];" ;;
  esac
  if [ -n "$problem" ]; then
    echo "FAIL: trackcase-info $args:$problem"
    sed 's/^/  | /' out.txt | head -n 20
    fail=$((fail + 1))
  fi
done <<TABLE
-- missing.zip.mp3|10|trackcase-info: cannot open missing.zip.mp3: No such file or directory|status\t0 the file cannot be opened
folder|10|trackcase-info: cannot open folder: Is a directory|index\ttitle\tartist\talbum\tyear\ttrack\tgenre\tcomment
licence.txt|11|-|status\t1 not a ZIP archive (no local header at its start)
sample.zip.mp3|0|-|status\t4 playable zip.mp3 archive
-- -dash.zip.mp3|0|-|1\t02 Sine E.mp3
-dash.zip.mp3|2|trackcase-info: unknown option -dash.zip.mp3 // $try|-
--bogus sample.zip.mp3|2|trackcase-info: unknown option --bogus // $try|-
sample.zip.mp3 --normal|2|trackcase-info: --normal needs a value // $try|-
--use-id3=yes sample.zip.mp3|2|trackcase-info: unknown option --use-id3=yes // $try|-
sample.zip.mp3 sample.zip.mp3|2|trackcase-info: one archive only // $try|-
--help|0|-|usage: trackcase-info [OPTIONS] [--] ARCHIVE
--use-id3 --id3 '曲%TRACK_NUMBER2%：%TRACK_NAME%' sample.zip.mp3|0|-|1\t曲02：正弦波 E
--use-id3 --id3='曲%TRACK_NUMBER2%：%TRACK_NAME%' sample.zip.mp3|0|-|2\t曲03：Sine low
--raw --use-id3 --id3='曲%TRACK_NUMBER2%：%TRACK_NAME%' sample.zip.mp3|0|-|2\t曲03：Sine low
--normal='♪%FILE_PATH%' sample.zip.mp3|0|-|0\t♪album/01 Sine A.mp3
--normal='€ %FILE_NAME%' sample.zip.mp3|0|-|0\t? 01 Sine A.mp3
--ini=utf8.ini sample.zip.mp3|0|-|2\t「03 Sine low.mp3」
--ini cp932.ini sample.zip.mp3|0|-|2\t曲 03 Sine low.mp3
--ini=missing.ini sample.zip.mp3|2|trackcase-info: cannot read missing.ini: No such file or directory|-
TABLE
# The empty-arguments row is skipped by the loop's guard; it runs here.
"$info" > out.txt 2> err.txt
rc=$?
[ $rc -eq 2 ] && [ "$(cat err.txt)" = "trackcase-info: no archive given"$'\n'"$try" ] || { echo "FAIL: no arguments: exit $rc"; fail=$((fail + 1)); }
rows=$((rows + 1))
echo "$((rows - fail)) passed, $fail failed"
[ $fail -eq 0 ]
