#!/usr/bin/env bash
# Makes the host's measuring fixtures and their reference figures from ffprobe.
# Members: MPEG-1 layer III 44.1 kHz CBR with ID3v2 and ID3v1 tags, MPEG-2 layer III 22.05 kHz
# VBR, MPEG-2.5 layer III 8 kHz, MPEG-1 layer II 48 kHz; all without a LAME/Xing frame so every
# frame is audio. archive.zip.mp3 stores them uncompressed, one after the other.
# Usage: tests/host/data/make_fixtures.sh   (needs ffmpeg, ffprobe, lame, zip)
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=0.6" -ac 1 "$tmp/tone.wav"
lame --quiet -t -b 128 --add-id3v2 --tt "Probe A" --ta "Host" "$tmp/tone.wav" a44.mp3
lame --quiet -t --resample 22.05 -V 5 "$tmp/tone.wav" b22.mp3
lame --quiet -t --resample 8 -b 16 "$tmp/tone.wav" c8.mp3
ffmpeg -v error -y -i "$tmp/tone.wav" -ar 48000 -c:a mp2 -b:a 192k -f mp2 d48.mp2
rm -f archive.zip.mp3
zip -q -0 -X archive.zip.mp3 a44.mp3 b22.mp3 c8.mp3 d48.mp2

# One line per file: name, packets, play time in microseconds (packet durations summed; the
# mp3 demuxer's time base is 1/14112000 s). For the archive ffmpeg's parser also turns the ZIP
# records and the trailing directory into packets and mislabels some durations, so its whole-
# archive figure is kept for the record only; the reference is the sum over the members.
{
  echo "# file packets microseconds (ffprobe $(ffprobe -version | head -1 | cut -d' ' -f3))"
  for f in a44.mp3 b22.mp3 c8.mp3 d48.mp2 archive.zip.mp3; do
    ffprobe -v error -f mp3 -select_streams a:0 -show_entries packet=duration -of csv=p=0 "$f" |
      awk -v name="$f" '{n++; s+=$1} END {printf "%s %d %d\n", name, n, int(s*1000000/14112000)}'
  done
} > ffprobe-figures.txt
cat ffprobe-figures.txt
