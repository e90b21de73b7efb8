#!/usr/bin/env bash
# Makes the real archives of the end-to-end tests in tests/data/e2e, from real encoders:
#   three.zip.mp3    three tagged CBR tracks (lame, 64 kbit/s mono), the everyday case
#   picture.zip.mp3  CBR tracks whose ID3v2 tag holds a 40 KB picture
#   vbr.zip.mp3      VBR tracks (lame -V 2)
#   mpeg2.zip.mp3    MPEG-2 layer III tracks (22.05 kHz)
#   cue.zip.mp3      CBR tracks and a CUE sheet whose INDEX 01 times come from the frames
#   realworld.zip.mp3  what users' archives hold: Japanese names in UTF-8 (Python's zipfile), two
#                    ID3v2 tags in a row, lame and ffmpeg VBR written to a pipe (no Xing frame),
#                    CBR with APEv2 and ID3v1 (mutagen), and a ZIP of scans (Info-ZIP) stored last
# all stored with Info-ZIP `zip -0` unless said otherwise. Usage: tools/make_e2e_fixtures.sh (needs ffmpeg, lame, zip,
# ImageMagick convert).
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/tests/data/e2e"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

tone() {  # tone NAME FREQUENCY SECONDS
  ffmpeg -v error -f lavfi -i "sine=frequency=$2:duration=$3" -ac 1 -ar 44100 "$1.wav"
}
tone t1 440 1.6
tone t2 554 2.1
tone t3 659 1.3

tagged() {  # tagged OUT.mp3 WAV TRACK TITLE ARTIST LAME-OPTIONS...
  local target=$1 wav=$2 track=$3 title=$4 artist=$5
  shift 5
  lame --quiet "$@" --add-id3v2 --tt "$title" --ta "$artist" --tl "Test Album" --tn "$track" "$wav" "$target"
}

mkdir three && (
  cd three
  tagged "01 morning.mp3" ../t1.wav 1 "Morning" "Ann" -b 64 -m m
  tagged "02 noon.mp3" ../t2.wav 2 "Noon" "Ann" -b 64 -m m
  tagged "03 night.mp3" ../t3.wav 3 "Night" "Bob" -b 64 -m m
  rm -f "$out/three.zip.mp3"
  zip -q -0 -X "$out/three.zip.mp3" "01 morning.mp3" "02 noon.mp3" "03 night.mp3"
)

# Noise does not compress: the picture keeps its size inside the tag.
convert -size 120x110 xc: +noise Random -quality 95 cover.jpg
mkdir picture && (
  cd picture
  tagged "01 cover.mp3" ../t1.wav 1 "Cover One" "Ann" -b 64 -m m --ti ../cover.jpg
  tagged "02 cover.mp3" ../t2.wav 2 "Cover Two" "Ann" -b 64 -m m --ti ../cover.jpg
  tagged "03 plain.mp3" ../t3.wav 3 "Plain" "Ann" -b 64 -m m
  rm -f "$out/picture.zip.mp3"
  zip -q -0 -X "$out/picture.zip.mp3" *.mp3
)

mkdir vbr && (
  cd vbr
  tagged "01 vbr.mp3" ../t1.wav 1 "Vbr One" "Ann" -V 2
  tagged "02 vbr.mp3" ../t2.wav 2 "Vbr Two" "Ann" -V 2
  tagged "03 vbr.mp3" ../t3.wav 3 "Vbr Three" "Ann" -V 2
  rm -f "$out/vbr.zip.mp3"
  zip -q -0 -X "$out/vbr.zip.mp3" *.mp3
)

mkdir mpeg2 && (
  cd mpeg2
  tagged "01 low.mp3" ../t1.wav 1 "Low One" "Ann" --resample 22.05 -b 32 -m m
  tagged "02 low.mp3" ../t2.wav 2 "Low Two" "Ann" --resample 22.05 -b 32 -m m
  tagged "03 low.mp3" ../t3.wav 3 "Low Three" "Ann" --resample 22.05 -b 32 -m m
  rm -f "$out/mpeg2.zip.mp3"
  zip -q -0 -X "$out/mpeg2.zip.mp3" *.mp3
)

mkdir cue && (
  cd cue
  tagged "01 cue.mp3" ../t1.wav 1 "Cue One" "Ann" -b 64 -m m
  tagged "02 cue.mp3" ../t2.wav 2 "Cue Two" "Ann" -b 64 -m m
  tagged "03 cue.mp3" ../t3.wav 3 "Cue Three" "Ann" -b 64 -m m
  # INDEX 01 times in the sheet's 10-millisecond units, from each track's frames.
  /usr/bin/python3 - "01 cue.mp3" "02 cue.mp3" "03 cue.mp3" > album.cue <<'PY'
import sys

RATES = {3: (44100, 48000, 32000), 2: (22050, 24000, 16000), 0: (11025, 12000, 8000)}
BITRATES_V1_L3 = (0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320)
BITRATES_V2_L3 = (0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160)

def seconds(path):
    data = open(path, "rb").read()
    pos = 0
    if data[:3] == b"ID3":
        size = 0
        for b in data[6:10]:
            size = (size << 7) | (b & 0x7F)
        pos = 10 + size
    total = 0.0
    while pos + 4 <= len(data):
        h = data[pos:pos + 4]
        version = (h[1] >> 3) & 3
        if h[0] != 0xFF or (h[1] & 0xE0) != 0xE0 or version == 1 or ((h[1] >> 1) & 3) != 1:
            pos += 1
            continue
        index, rate_index, padding = h[2] >> 4, (h[2] >> 2) & 3, (h[2] >> 1) & 1
        if index in (0, 15) or rate_index == 3:
            pos += 1
            continue
        rate = RATES[version][rate_index]
        if version == 3:
            length, samples = 144000 * BITRATES_V1_L3[index] // rate + padding, 1152
        else:
            length, samples = 72000 * BITRATES_V2_L3[index] // rate + padding, 576
        total += samples / rate
        pos += length
    return total

start = 0.0
print('FILE "album.mp3" MP3\r')
for number, path in enumerate(sys.argv[1:], 1):
    centis = int(round(start * 100))
    print("  TRACK %02d AUDIO\r" % number)
    print("    INDEX 01 %02d:%02d:%02d\r" % (centis // 6000, centis // 100 % 60, centis % 100))
    start += seconds(path)
PY
  rm -f "$out/cue.zip.mp3"
  zip -q -0 -X "$out/cue.zip.mp3" "01 cue.mp3" "02 cue.mp3" "03 cue.mp3" album.cue
  cp album.cue "$out/cue-sheet.txt"
)
mkdir realworld && (
  cd realworld
  lame --quiet -b 64 -m m -t ../t1.wav brook.mp3
  lame --quiet -V 2 ../t2.wav - > soft.mp3
  ffmpeg -v error -i ../t3.wav -c:a libmp3lame -q:a 2 -f mp3 pipe:1 > table.mp3
  lame --quiet -b 64 -m m -t ../t2.wav gain.mp3
  convert -size 32x24 xc: +noise Random page1.png
  convert -size 32x24 xc: +noise Random page2.png
  zip -q -X scans.zip page1.png page2.png
  /usr/bin/python3 - <<'PY'
import shutil
import zipfile
from pathlib import Path

from mutagen.apev2 import APEv2
from mutagen.id3 import ID3, TIT2, TPE1, TRCK


def id3(path, frames, v1=0):
    tags = ID3()
    for frame in frames:
        tags.add(frame)
    tags.update_to_v23()
    tags.save(path, v1=v1, v2_version=3)


# Two tags in a row: Latin-1, then UTF-16 with a title that starts with "1" (FF FE 31).
for path, frames in (("first.tag", [TIT2(encoding=0, text="Spring Brook")]),
                     ("second.tag", [TIT2(encoding=1, text="1. 春の小川"), TPE1(encoding=1, text="歌手")])):
    Path(path).write_bytes(b"")
    id3(path, frames)
Path("brook.mp3").write_bytes(Path("first.tag").read_bytes() + Path("second.tag").read_bytes() +
                              Path("brook.mp3").read_bytes())
# mp3gain's layout: APEv2 before ID3v1.
ape = APEv2()
ape["REPLAYGAIN_TRACK_GAIN"] = "-2.10 dB"
ape["Cover Art (Front)"] = b"cover.png\0" + Path("page1.png").read_bytes()
ape.save("gain.mp3")
id3("gain.mp3", [TIT2(encoding=0, text="Gain"), TRCK(encoding=0, text="4")], v1=2)

with zipfile.ZipFile("realworld.zip.mp3", "w", zipfile.ZIP_STORED) as zf:
    for stored, name in (("brook.mp3", "01 春の小川.mp3"), ("soft.mp3", "02 ソフト.mp3"), ("table.mp3", "03 表.mp3"),
                         ("gain.mp3", "04 gain.mp3"), ("scans.zip", "scans.zip")):
        zf.write(stored, "春/" + name if name.endswith(".mp3") else name)
PY
  cp realworld.zip.mp3 "$out/realworld.zip.mp3"
)
ls -l "$out"
