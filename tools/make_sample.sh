#!/usr/bin/env bash
# Makes samples/sample.zip.mp3: three short tracks from real encoders (ffmpeg tones, lame at two
# constant bitrates and one VBR setting), tagged ID3v2.3 by mutagen (one Japanese title), stored
# with Info-ZIP zip -0 so the player can play the archive as one stream.
# Usage: bash tools/make_sample.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tone() {  # tone FREQUENCY SECONDS OUT.wav
  ffmpeg -hide_banner -loglevel error -f lavfi -i "sine=frequency=$1:duration=$2:sample_rate=44100" \
    -ac 2 "$3"
}
tone 440 4 "$work/1.wav"
tone 660 3 "$work/2.wav"
tone 330 5 "$work/3.wav"

mkdir -p "$work/album"
lame --quiet -b 128 "$work/1.wav" "$work/album/01 Sine A.mp3"
lame --quiet -b 64 -m m "$work/2.wav" "$work/album/02 Sine E.mp3"
lame --quiet -V 4 "$work/3.wav" "$work/album/03 Sine low.mp3"

/usr/bin/python3 - "$work/album" <<'PY'
import os, sys
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TRCK, TYER
folder = sys.argv[1]
tracks = [("01 Sine A.mp3", "Sine A"), ("02 Sine E.mp3", "正弦波 E"), ("03 Sine low.mp3", "Sine low")]
for number, (name, title) in enumerate(tracks, 1):
    tag = ID3()
    tag.add(TIT2(encoding=1, text=title))
    tag.add(TPE1(encoding=1, text="trackcase"))
    tag.add(TALB(encoding=1, text="Sample tones"))
    tag.add(TRCK(encoding=0, text=str(number)))
    tag.add(TYER(encoding=0, text="2026"))
    tag.save(os.path.join(folder, name), v2_version=3)
PY

mkdir -p "$root/samples"
rm -f "$root/samples/sample.zip.mp3"
# zip insists on a .zip name; the archive is renamed afterwards. -X keeps the headers small, -D
# leaves out the folder entry, which would only be an empty line in the list.
(cd "$work" && TZ=UTC touch -d 2026-01-01T00:00:00 album album/* && zip -q -0 -X -D sample.zip album/01*.mp3 album/02*.mp3 album/03*.mp3)
mv "$work/sample.zip" "$root/samples/sample.zip.mp3"
ls -l "$root/samples/sample.zip.mp3"
