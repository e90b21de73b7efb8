#!/usr/bin/env bash
# Makes the MP3 fixtures of tests/data/media with tools nobody here wrote: lame and ffmpeg encode,
# mutagen (and ffmpeg) tag, ffprobe measures. The files and tests/data/media/expected.txt are
# committed; run this again only to renew them.
# Usage: bash tools/make_media_fixtures.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/tests/data/media"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
rm -f "$out"/*.mp3 "$out"/expected.txt

# Source audio: a chord with a little noise, so the VBR encoder has something to vary.
tone() {  # seconds rate file
  ffmpeg -v error -y -f lavfi -i "sine=f=440:d=$1:r=$2" -f lavfi -i "sine=f=660:d=$1:r=$2" \
    -f lavfi -i "anoisesrc=d=$1:r=$2:a=0.05:s=7" \
    -filter_complex "[0][1][2]amix=inputs=3,volume=2,aformat=channel_layouts=stereo" -ar "$2" "$3"
}
tone 2.5 44100 "$work/a44.wav"
tone 3 22050 "$work/a22.wav"
tone 3 16000 "$work/a16.wav"
tone 4 8000 "$work/a8.wav"
tone 1.5 48000 "$work/a48.wav"

# lame: constant bitrates without (-t) and with the Info header frame, both MPEG versions and 2.5.
lame --quiet -t -b 128 "$work/a44.wav" "$out/lame_cbr128_44k.mp3"
lame --quiet -b 320 "$work/a48.wav" "$out/lame_cbr320_48k_info.mp3"
lame --quiet -t -b 64 "$work/a22.wav" "$out/lame_cbr64_22k.mp3"
lame --quiet -b 32 "$work/a16.wav" "$out/lame_cbr32_16k_info.mp3"
lame --quiet -t -b 16 "$work/a8.wav" "$out/lame_cbr16_8k.mp3"
lame --quiet -m m -t -b 96 "$work/a44.wav" "$out/lame_cbr96_mono.mp3"
# lame: variable bitrate with its Xing header.
lame --quiet -V 4 "$work/a44.wav" "$out/lame_vbr_44k.mp3"
lame --quiet -V 6 "$work/a22.wav" "$out/lame_vbr_22k.mp3"

# ffmpeg: constant bitrate without header frame, and variable bitrate with one.
ffmpeg -v error -y -i "$work/a44.wav" -c:a libmp3lame -b:a 96k -write_xing 0 "$out/ffmpeg_cbr96.mp3"
ffmpeg -v error -y -i "$work/a44.wav" -c:a libmp3lame -q:a 5 "$out/ffmpeg_vbr.mp3"
# ffmpeg tags ID3v2.3 by itself: non-ASCII texts in UTF-16 with byte-order mark.
ffmpeg -v error -y -i "$work/a22.wav" -c:a libmp3lame -b:a 48k -write_xing 0 -id3v2_version 3 \
  -metadata title="東京の夜" -metadata artist="ソフト表示" -metadata album="Album 2" \
  -metadata date=2011 -metadata track=4/9 "$out/ffmpeg_tagged.mp3"
# ffmpeg's own default: ID3v2.4 with UTF-8 texts and no ID3v1, as converted albums come.
ffmpeg -v error -y -i "$work/a16.wav" -c:a libmp3lame -b:a 24k -write_xing 0 \
  -metadata title="春の歌" -metadata artist="歌い手" -metadata album="四季" \
  -metadata date=2019 -metadata track=1/3 "$out/ffmpeg_tagged_v24.mp3"

# VBR written to a pipe: neither encoder can go back to write its Xing frame.
lame --quiet -V 2 "$work/a44.wav" - > "$out/lame_vbr_pipe.mp3"
ffmpeg -v error -y -i "$work/a22.wav" -c:a libmp3lame -q:a 2 -f mp3 pipe:1 > "$out/ffmpeg_vbr_pipe.mp3"

# A picture of about 100 kB for the tags that carry one.
convert -seed 1 -size 260x210 xc: +noise Random -quality 92 "$work/picture.jpg"

# mutagen tags the lame files (ID3v2.3, ID3v2.4 and ID3v1) and writes expected.txt.
/usr/bin/python3 "$root/tools/make_media_fixtures.py" "$out" "$work/picture.jpg"
ls -l "$out"
du -sh "$out"
