#!/usr/bin/python3
"""Tags fixture copies with mutagen and writes expected.txt for every MP3 in the folder.

Usage: make_media_fixtures.py FOLDER PICTURE  (run by make_media_fixtures.sh)

expected.txt has one block per file:
  [name]
  duration_ms=...   what ffprobe reports for the file on its own
  frames_ms=...     the frames ffprobe's decoder counts, times one frame's duration
  frame_ms=...      one frame's duration at the file's sample rate
  has_tag=0|1
  title=HEX ... comment=HEX  tag texts as mutagen reads them, as code page 932 bytes in hex
  year=N track=N genre=N
"""
import json
import re
import shutil
import subprocess
import sys
from pathlib import Path

from mutagen.apev2 import APEv2
from mutagen.id3 import APIC, COMM, ID3, TALB, TCON, TDRC, TIT2, TPE1, TRCK, TYER, ParseID3v1
from mutagen.id3 import delete as delete_tags


def tag(path, frames, v2_version=3, v1=2):
    tags = ID3()
    for frame in frames:
        tags.add(frame)
    if v2_version == 3:
        tags.update_to_v23()
    tags.save(path, v1=v1, v2_version=v2_version)


def make_tagged(folder, picture):
    jp_title = "日本語のタイトル"
    jp_artist = "表示テスト・ソ"
    base = folder / "lame_cbr128_44k.mp3"

    shutil.copy(base, folder / "tagged_cbr_jp.mp3")
    tag(folder / "tagged_cbr_jp.mp3", [
        TIT2(encoding=1, text=jp_title), TPE1(encoding=1, text=jp_artist), TALB(encoding=0, text="Latin Album"),
        TYER(encoding=0, text="2004"), TRCK(encoding=0, text="3/12"), TCON(encoding=0, text="Jazz"),
        COMM(encoding=1, lang="jpn", desc="", text="コメント欄"),
    ])

    image = Path(picture).read_bytes()
    shutil.copy(folder / "lame_vbr_44k.mp3", folder / "tagged_vbr_picture.mp3")
    tag(folder / "tagged_vbr_picture.mp3", [
        TIT2(encoding=1, text="絵のある曲"), TPE1(encoding=0, text="Picture Artist"), TRCK(encoding=0, text="7"),
        APIC(encoding=0, mime="image/jpeg", type=3, desc="", data=image),
        COMM(encoding=1, lang="eng", desc="説明", text="with description"),
    ])

    shutil.copy(folder / "lame_cbr64_22k.mp3", folder / "tagged_cbr_picture.mp3")
    tag(folder / "tagged_cbr_picture.mp3", [
        TIT2(encoding=1, text="大きな絵"), TALB(encoding=1, text="アルバム"), TCON(encoding=0, text="Rock"),
        APIC(encoding=0, mime="image/jpeg", type=3, desc="", data=image),
    ])

    # ID3v1 alone: mutagen always writes ID3v2 with it, so that one is removed again.
    shutil.copy(base, folder / "tagged_v1_only.mp3")
    tag(folder / "tagged_v1_only.mp3", [
        TIT2(encoding=0, text="Version One Title"), TPE1(encoding=0, text="V1 Artist"),
        TALB(encoding=0, text="A Thirty Byte Album Name Fills"), TYER(encoding=0, text="1999"),
        TRCK(encoding=0, text="12"), TCON(encoding=0, text="Blues"),
    ])
    delete_tags(folder / "tagged_v1_only.mp3", delete_v1=False, delete_v2=True)

    # Two ID3v2.3 tags in a row, as some taggers leave them: Latin-1 texts, then UTF-16 ones whose
    # title starts with "1" (FF FE 31 would pass for a frame header).
    first, second = folder / "first.tag", folder / "second.tag"
    for path, frames in ((first, [TIT2(encoding=0, text="Spring Brook"), TPE1(encoding=0, text="Latin Artist")]),
                         (second, [TIT2(encoding=1, text="1. 春の小川"), TPE1(encoding=1, text="歌手")])):
        path.write_bytes(b"")
        tag(path, frames, v1=0)
    (folder / "tagged_two_id3v2.mp3").write_bytes(first.read_bytes() + second.read_bytes() +
                                                  (folder / "lame_cbr64_22k.mp3").read_bytes())
    first.unlink()
    second.unlink()

    # mp3gain's layout: APEv2 (mutagen) before ID3v1 on a lame CBR file without Info frame.
    shutil.copy(base, folder / "tagged_ape_v1.mp3")
    ape = APEv2()
    ape["REPLAYGAIN_TRACK_GAIN"] = "-3.20 dB"
    ape["Title"] = "APE Title"
    ape["Cover Art (Front)"] = b"cover.jpg\0" + image[:3000]
    ape.save(folder / "tagged_ape_v1.mp3")
    tag(folder / "tagged_ape_v1.mp3", [TIT2(encoding=0, text="Gain Title"), TPE1(encoding=0, text="Gain Artist"),
                                        TRCK(encoding=0, text="5")])

    # ID3v2.4, what mid3v2 writes, with an ID3v1 beside it.
    shutil.copy(folder / "lame_cbr32_16k_info.mp3", folder / "tagged_v24.mp3")
    tag(folder / "tagged_v24.mp3", [
        TIT2(encoding=3, text="新しい版"), TPE1(encoding=0, text="V24 Artist"), TCON(encoding=0, text="Pop"),
    ], v2_version=4)

    # mutagen's default ID3v2.4: UTF-8, UTF-16 and UTF-16BE texts, several values in one frame and
    # the year as a recording time; then the same frames saved as 2.3, which mutagen converts to
    # UTF-16, values joined by "/" and TYER.
    for name, version in (("tagged_v24_values.mp3", 4), ("tagged_v23_values.mp3", 3)):
        shutil.copy(folder / "lame_cbr16_8k.mp3", folder / name)
        tag(folder / name, [
            TIT2(encoding=3, text=["春の歌", "別題"]), TPE1(encoding=1, text=["歌手", "合唱団"]),
            TALB(encoding=2, text="四季の歌"), TDRC(encoding=3, text="2019-04-01"), TRCK(encoding=3, text="2/10"),
            COMM(encoding=3, lang="jpn", desc="説明", text=["一行目", "二行目"]),
        ], v2_version=version)


def leading_int(text):
    match = re.match(r"\s*([+-]?\d+)", text)
    return int(match.group(1)) if match else 0


def hex932(text):
    return text.encode("cp932").hex()


def first_text(frames, frame_id):
    found = frames.getall(frame_id) if hasattr(frames, "getall") else [frames[frame_id]] if frame_id in frames else []
    return str(found[0].text[0]) if found and found[0].text else ""


def genre_byte(data):
    # The last byte of an ID3v1 block, as mutagen's own ID3v1 reader sees the block.
    if len(data) >= 128 and data[-128:-125] == b"TAG" and ParseID3v1(data[-128:]) is not None:
        return data[-1]
    return 0


def expected_tags(path):
    data = path.read_bytes()
    try:
        tags = ID3(path)
        v2 = tags.version[:2] in ((2, 2), (2, 3), (2, 4)) and data[:3] == b"ID3" and data[3] <= 4
    except Exception:
        tags, v2 = None, False
    # A 2.4 tag with none of the six texts (ffmpeg's, naming only the encoder) does not count.
    if v2 and tags.version[:2] == (2, 4) and not any(
            first_text(tags, key) for key in ("TIT2", "TPE1", "TALB", "TDRC", "TRCK")) and not tags.getall("COMM"):
        v2 = False
    if v2:
        comments = tags.getall("COMM")
        return {
            "has_tag": 1,
            "title": first_text(tags, "TIT2"), "artist": first_text(tags, "TPE1"), "album": first_text(tags, "TALB"),
            "comment": str(comments[0].text[0]) if comments else "",
            "year": leading_int(first_text(tags, "TDRC")), "track": leading_int(first_text(tags, "TRCK")),
            "genre": genre_byte(data),
        }
    v1 = ParseID3v1(data[-128:]) if len(data) >= 128 else None
    if v1 is None:
        return {"has_tag": 0}
    text = {key: str(frame.text[0]) if frame.text else "" for key, frame in v1.items()}
    comment = next((str(f.text[0]) for k, f in v1.items() if k.startswith("COMM")), "")
    return {
        "has_tag": 1,
        "title": text.get("TIT2", ""), "artist": text.get("TPE1", ""), "album": text.get("TALB", ""),
        "comment": comment, "year": leading_int(text.get("TDRC", "")),
        # mutagen reports no track for a zero track byte; then the file has no number to compare.
        "track": leading_int(text["TRCK"]) if "TRCK" in text else None,
        "genre": data[-1],
    }


def probe(path):
    result = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-print_format", "json", "-show_format",
                             "-show_streams", str(path)], check=True, capture_output=True, text=True)
    info = json.loads(result.stdout)
    rate = int(info["streams"][0]["sample_rate"])
    samples = 1152 if rate >= 32000 else 576
    frames = int(info["streams"][0]["nb_read_frames"])
    return float(info["format"]["duration"]) * 1000.0, samples * 1000.0 / rate, frames * samples * 1000.0 / rate


def main():
    folder, picture = Path(sys.argv[1]), sys.argv[2]
    make_tagged(folder, picture)
    lines = ["# Made by tools/make_media_fixtures.sh; texts are code page 932 bytes in hex."]
    for path in sorted(folder.glob("*.mp3")):
        duration, frame, frames = probe(path)
        lines.append(f"[{path.name}]")
        lines.append(f"duration_ms={duration:.3f}")
        lines.append(f"frames_ms={frames:.3f}")
        lines.append(f"frame_ms={frame:.3f}")
        tags = expected_tags(path)
        lines.append(f"has_tag={tags['has_tag']}")
        if tags["has_tag"]:
            for key in ("title", "artist", "album", "comment"):
                lines.append(f"{key}={hex932(tags[key])}")
            for key in ("year", "track", "genre"):
                if tags[key] is not None:
                    lines.append(f"{key}={tags[key]}")
    (folder / "expected.txt").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
