#!/usr/bin/python3
"""Makes the peer archives under tests/data/archive/ with Info-ZIP zip and Python's zipfile, and
writes beside each one NAME.tsv with what zipinfo -v (names, methods, sizes, offsets) and zipfile
(the data offset it seeks to after parsing the local header) report. The archive tests compare our
reader with these files.

Run from anywhere: /usr/bin/python3 tools/make_archive_fixtures.py
"""
import os
import random
import re
import shutil
import subprocess
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "tests", "data", "archive")
SIGNATURES = (b"PK\x01\x02", b"PK\x03\x04", b"PK\x05\x06")


def payload(rng, size):
    """Stand-in member data, free of ZIP signatures so that no decoy end record appears."""
    while True:
        data = bytes(rng.getrandbits(8) for _ in range(size))
        if not any(sig in data for sig in SIGNATURES):
            return data


def text(size):
    line = b"the quick brown fox jumps over the lazy dog 0123456789\n"
    return (line * (size // len(line) + 1))[:size]


def make_tree(folder, rng):
    files = {
        "01 intro.mp3": payload(rng, 2000),
        "02.MP3": payload(rng, 3333),
        "disc1/03.mp3": payload(rng, 1500),
        "disc1/notes.txt": text(900),
        "disc2/04.Mp3": payload(rng, 777),
    }
    for name, data in files.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        os.utime(path, (1700000000, 1700000000))
    for d in ("disc1", "disc2"):
        os.utime(os.path.join(folder, d), (1700000000, 1700000000))
    return files


def zip_in(folder, archive, options, names=(), stdin=None):
    subprocess.run(["zip", "-q", *options, archive, *names], cwd=folder, check=True, input=stdin)


def zipinfo(archive):
    """Archive and member values as zipinfo -v prints them."""
    out = subprocess.run(["zipinfo", "-v", archive], check=True, capture_output=True).stdout.decode("utf-8")
    head = {
        "endRecordOffset": int(re.search(r"Actual end-cent-dir record offset:\s+(\d+)", out).group(1)),
        "directoryOffset": int(re.search(r"from the beginning of the zipfile\s+is (\d+)", out).group(1)),
        "entryCount": int(re.search(r"central directory contains (\d+) entr", re.sub(r"\s+", " ", out)).group(1)),
    }
    m = re.search(r"The zipfile comment is (\d+) bytes long", out)
    head["commentLength"] = int(m.group(1)) if m else 0
    members = []
    for block in re.split(r"\nCentral directory entry #\d+:\n-+\n", out)[1:]:
        lines = block.split("\n")
        # Members behind a data descriptor get a note line before their name.
        name = next(l for l in lines if l.strip() and not re.match(r"\s*There (are|is) an extra", l)).strip()
        num = lambda label: int(re.search(label + r":\s+(\d+)", block).group(1))
        method = re.search(r"compression method:\s+(\S+)", block).group(1)
        members.append({
            "name": name,
            "method": 0 if method == "none" else 8 if method == "deflated" else -1,
            "compressedSize": num("compressed size"),
            "uncompressedSize": num("uncompressed size"),
            "localHeaderOffset": num("offset of local header from start of archive"),
        })
    return head, members


def data_offsets(archive):
    """Where zipfile starts reading each member's data, after its own local-header parsing."""
    offsets = []
    with zipfile.ZipFile(archive) as zf:
        for info in zf.infolist():
            with zf.open(info) as member:
                offsets.append((info, member._fileobj.tell()))
    return offsets


def write_expected(archive):
    head, members = zipinfo(archive)
    pairs = data_offsets(archive)
    assert len(pairs) == len(members) == head["entryCount"], archive
    for m, (info, offset) in zip(members, pairs):
        # The two peers must agree before either is trusted.
        assert (info.filename, info.compress_size, info.file_size, info.header_offset) == (
            m["name"], m["compressedSize"], m["uncompressedSize"], m["localHeaderOffset"]), (archive, m, info)
        m["dataOffset"] = offset
    tsv = os.path.splitext(archive)[0] + ".tsv"
    # Names as the plug-in shows them: UTF-8 names (zipfile decoded them by their flag) in code page 932.
    with open(tsv, "w", encoding="cp932") as f:
        f.write("# archive\tendRecordOffset\tdirectoryOffset\tentryCount\tcommentLength\n")
        f.write("archive\t%(endRecordOffset)d\t%(directoryOffset)d\t%(entryCount)d\t%(commentLength)d\n" % head)
        f.write("# member\tindex\tname\tmethod\tcompressedSize\tuncompressedSize\tlocalHeaderOffset\tdataOffset\n")
        for i, m in enumerate(members):
            f.write("member\t%d\t%s\t%d\t%d\t%d\t%d\t%d\n" % (
                i, m["name"], m["method"], m["compressedSize"], m["uncompressedSize"], m["localHeaderOffset"],
                m["dataOffset"]))


def main():
    os.makedirs(OUT, exist_ok=True)
    rng = random.Random(20261208)
    work = tempfile.mkdtemp()
    try:
        tree = os.path.join(work, "tree")
        files = make_tree(tree, rng)
        flat = sorted(files)
        out = lambda name: os.path.join(OUT, name)
        for name in ("infozip_stored", "infozip_deflated", "infozip_folders", "infozip_comment", "infozip_streamed",
                     "python_zipfile", "infozip_inner_zip", "python_utf8_names"):
            for ext in (".zip", ".tsv"):
                if os.path.exists(out(name + ext)):
                    os.remove(out(name + ext))
        zip_in(tree, out("infozip_stored.zip"), ["-0", "-D"], flat)
        zip_in(tree, out("infozip_deflated.zip"), ["-9", "-D"], flat)
        zip_in(tree, out("infozip_folders.zip"), ["-0", "-r"], ["01 intro.mp3", "disc1", "disc2"])
        zip_in(tree, out("infozip_comment.zip"), ["-0", "-D"], flat)
        zip_in(tree, out("infozip_comment.zip"), ["-z"], stdin=b"made for the zip.mp3 tests\n")
        # Written to a pipe, zip cannot seek back: sizes go to data descriptors behind the data.
        with open(out("infozip_streamed.zip"), "wb") as f:
            p1 = subprocess.Popen(["zip", "-q", "-0", "-D", "-", *flat], cwd=tree, stdout=subprocess.PIPE)
            f.write(p1.communicate()[0])
        with zipfile.ZipFile(out("python_zipfile.zip"), "w") as zf:
            zf.comment = b"python archive comment"
            zf.writestr(zipfile.ZipInfo("album/", (2023, 11, 14, 22, 13, 20)), b"")
            for i, name in enumerate(flat):
                info = zipfile.ZipInfo("album/" + name, (2023, 11, 14, 22, 13, 20))
                info.compress_type = zipfile.ZIP_DEFLATED if name.endswith(".txt") else zipfile.ZIP_STORED
                if i == 1:
                    info.comment = b"member comment"
                    info.extra = b"\x99\x99\x04\x00abcd"
                zf.writestr(info, files[name])
        # A stored ZIP of booklet scans as the last member: its end record lies in the archive's
        # last 4 KiB, below the archive's own.
        zip_in(tree, os.path.join(work, "scans.zip"), ["-D"], ["disc1/notes.txt", "02.MP3"])
        shutil.copy(os.path.join(work, "scans.zip"), os.path.join(tree, "scans.zip"))
        zip_in(tree, out("infozip_inner_zip.zip"), ["-0", "-D"], flat + ["scans.zip"])
        # Python's zipfile sets the UTF-8 flag for names that are not ASCII (ソ and 表 end in 0x5C in code page 932).
        with zipfile.ZipFile(out("python_utf8_names.zip"), "w") as zf:
            for i, (name, data) in enumerate((("春/01 春の小川.mp3", files["01 intro.mp3"]),
                                              ("春/02 ソフト表示.mp3", files["02.MP3"]),
                                              ("春/メモ.txt", files["disc1/notes.txt"]))):
                info = zipfile.ZipInfo(name, (2023, 11, 14, 22, 13, 20))
                if i == 0:
                    info.comment = "曲のメモ".encode("utf-8")
                zf.writestr(info, data)
        for name in sorted(os.listdir(OUT)):
            if name.endswith(".zip"):
                write_expected(out(name))
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
