#!/usr/bin/env python3
"""Packs a built Notes.exe and the user guide into the release zip and its .sha256 file.

Usage: package-release.py <Notes.exe> <user-guide.txt> <version> <output directory>

The zip holds one folder, Notes/, because the program keeps its files beside itself: what
is unzipped is the note's home. The same inputs always give the same bytes: entries are
sorted, every time stamp and attribute is fixed, and nothing of the machine goes in.
The guide goes out as UTF-8 with a byte-order mark and CRLF line ends: that is what
Notepad on Windows 7 reads correctly on every system language (GBK would turn to mojibake
on a non-Chinese system, and UTF-8 without the mark is left to Notepad's guessing).
"""
import hashlib
import sys
import zipfile
from pathlib import Path

FOLDER = "Notes"
# The earliest time a zip can hold; no clock or file system leaks into the archive.
FIXED_TIME = (1980, 1, 1, 0, 0, 0)
BOM = b"\xef\xbb\xbf"


def guide_bytes(text: bytes) -> bytes:
    if text.startswith(BOM):
        text = text[len(BOM):]
    lines = text.decode("utf-8").replace("\r\n", "\n").replace("\r", "\n")
    return BOM + lines.replace("\n", "\r\n").encode("utf-8")


def entry(name: str) -> zipfile.ZipInfo:
    info = zipfile.ZipInfo(f"{FOLDER}/{name}", FIXED_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: Windows' own zip folders read the attributes as such
    info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE, never read-only
    return info


def main(argv):
    if len(argv) != 5:
        sys.exit(__doc__.strip().splitlines()[2])
    exe, guide, version, out = Path(argv[1]), Path(argv[2]), argv[3], Path(argv[4])
    files = {
        "Notes.exe": exe.read_bytes(),
        "user-guide.txt": guide_bytes(guide.read_bytes()),
    }
    out.mkdir(parents=True, exist_ok=True)
    archive = out / f"Notes-{version}-win32.zip"
    with zipfile.ZipFile(archive, "w") as z:
        for name in sorted(files):
            z.writestr(entry(name), files[name], compresslevel=9)
    digest = hashlib.sha256(archive.read_bytes()).hexdigest()
    # sha256sum's own format, so `sha256sum -c` checks it in the zip's directory.
    (out / f"{archive.name}.sha256").write_bytes(f"{digest}  {archive.name}\n".encode())
    print(f"{archive} ({archive.stat().st_size} bytes)\nsha256 {digest}")


if __name__ == "__main__":
    main(sys.argv)
