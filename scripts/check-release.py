#!/usr/bin/env python3
"""Checks a release zip: its entries, the user guide's encoding, the .sha256 file beside it,
and the resources of the Notes.exe inside (version, names, icon, manifest).

Usage: check-release.py <Notes-<version>-win32.zip> <version>
Prints each fault and exits 1 when there is one.
"""
import hashlib
import re
import struct
import sys
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
IMAGE_FILE_MACHINE_I386 = 0x14C
ENTRIES = ["Notes/Notes.exe", "Notes/user-guide.txt"]
BOM = b"\xef\xbb\xbf"


class Pe:
    """Just enough of the PE format to reach the resource section."""

    def __init__(self, data: bytes):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an executable (no MZ header)")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, _, self.symbol_table, self.symbols, optional_size,
         _) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), rva, max(vsize, raw_size), raw))

    def offset(self, rva: int) -> int:
        for _, start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def resources(self):
        """{(type, name): data} with the first language of each; ids as ints, names as str."""
        if not self.resource_rva:
            return {}
        base = self.offset(self.resource_rva)

        def directory(at):
            named, ids = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + ids):
                key, child = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                if key & 0x80000000:
                    length = struct.unpack_from("<H", self.data, base + (key & 0x7FFFFFFF))[0]
                    start = base + (key & 0x7FFFFFFF) + 2
                    key = self.data[start:start + 2 * length].decode("utf-16-le")
                yield key, child

        found = {}
        for kind, names in directory(0):
            for name, languages in directory(names & 0x7FFFFFFF):
                _, leaf = next(directory(languages & 0x7FFFFFFF))
                rva, size = struct.unpack_from("<II", self.data, base + leaf)
                start = self.offset(rva)
                found.setdefault((kind, name), self.data[start:start + size])
        return found


def version_info(blob: bytes):
    """(file version, product version, {string name: value}) of a VS_VERSIONINFO."""
    strings = {}

    def node(at):
        length, value_length, kind = struct.unpack_from("<HHH", blob, at)
        end_key = at + 6
        while blob[end_key:end_key + 2] != b"\0\0":
            end_key += 2
        key = blob[at + 6:end_key].decode("utf-16-le")
        value = (end_key + 2 + 3) & ~3
        size = value_length * 2 if kind == 1 else value_length
        return length, key, kind, blob[value:value + size], (value + size + 3) & ~3

    length, key, _, fixed, children = node(0)
    if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        raise ValueError("no VS_FIXEDFILEINFO")
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", fixed, 8)

    def walk(at, end):
        while at < end:
            size, name, kind, value, inner = node(at)
            if size == 0:
                break
            if kind == 1 and value:
                strings[name] = value.decode("utf-16-le").rstrip("\0")
            walk(inner, at + size)
            at = (at + size + 3) & ~3

    walk(children, length)

    def dotted(ms, ls):
        return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    return dotted(file_ms, file_ls), dotted(product_ms, product_ls), strings


def check_exe(exe: bytes, version: str, faults: list):
    pe = Pe(exe)
    if pe.machine != IMAGE_FILE_MACHINE_I386:
        faults.append(f"Notes.exe is for machine {pe.machine:#x}, not 32-bit x86")
    # A stripped file may keep a string table for long section names, but no symbols.
    if pe.symbols:
        faults.append("Notes.exe still carries its symbol table (not stripped)")
    resources = pe.resources()

    major, minor = (int(part) for part in version.split("."))
    blob = resources.get((RT_VERSION, 1))
    if blob is None:
        faults.append("no VERSIONINFO resource")
    else:
        try:
            file_version, product_version, strings = version_info(blob)
        except (ValueError, struct.error) as e:
            faults.append(f"VERSIONINFO cannot be read: {e}")
            file_version = product_version = None
            strings = {}
        for what, got in (("file", file_version), ("product", product_version)):
            if got != (major, minor, 0, 0):
                faults.append(f"{what} version is {got}, not {major}.{minor}.0.0")
        for name in ("FileVersion", "ProductVersion"):
            if strings.get(name) != version:
                faults.append(f"{name} is {strings.get(name)!r}, not {version!r}")
        for name in ("ProductName", "FileDescription", "OriginalFilename"):
            if not strings.get(name):
                faults.append(f"VERSIONINFO has no {name}")
        if strings.get("OriginalFilename", "Notes.exe") != "Notes.exe":
            faults.append(f"OriginalFilename is {strings['OriginalFilename']!r}")

    # The application icon is the first icon group: the one Explorer shows for the file.
    groups = sorted((name for kind, name in resources if kind == RT_GROUP_ICON),
                    key=lambda n: (isinstance(n, int), n))
    if not groups or groups[0] != 1:
        faults.append(f"the first icon group is {groups[:1]}, not the application icon 1")
    else:
        group = resources[(RT_GROUP_ICON, 1)]
        count = struct.unpack_from("<H", group, 4)[0]
        images = []
        for i in range(count):
            width, height, colours, _, _, bits, _, icon = struct.unpack_from(
                "<BBBBHHIH", group, 6 + 14 * i)
            images.append((width, height, colours, bits))
            if (RT_ICON, icon) not in resources:
                faults.append(f"icon image {icon} of the application icon is missing")
        if sorted(images) != [(16, 16, 16, 4), (32, 32, 16, 4)]:
            faults.append(f"application icon images are {images}, not 16x16 and 32x32 in 16 colours")

    manifest = resources.get((RT_MANIFEST, 1))
    if manifest is None:
        faults.append("no manifest (RT_MANIFEST 1)")
    else:
        root = ET.fromstring(manifest.decode("utf-8"))
        levels = [e.get("level") for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
        if levels != ["asInvoker"]:
            faults.append(f"requested execution levels {levels}, not asInvoker")
        aware = [e.text for e in root.iter() if e.tag.endswith("}dpiAware")]
        awareness = [e.text for e in root.iter() if e.tag.endswith("}dpiAwareness")]
        # System-aware: the window scales itself once, by the density at start-up.
        if aware != ["true"]:
            faults.append(f"dpiAware is {aware}, not true (system-aware)")
        if awareness not in ([], ["system"]):
            faults.append(f"dpiAwareness is {awareness}, not system")


def check(archive: Path, version: str) -> list:
    faults = []
    if archive.name != f"Notes-{version}-win32.zip":
        faults.append(f"archive is named {archive.name}")
    data = archive.read_bytes()

    sums = archive.with_name(archive.name + ".sha256")
    if not sums.exists():
        faults.append(f"{sums.name} is missing")
    else:
        line = sums.read_bytes()
        expected = f"{hashlib.sha256(data).hexdigest()}  {archive.name}\n".encode()
        if line != expected:
            faults.append(f"{sums.name} holds {line!r}, expected {expected!r}")

    with zipfile.ZipFile(archive) as z:
        infos = z.infolist()
        names = [i.filename for i in infos]
        if names != ENTRIES:
            faults.append(f"entries are {names}, expected {ENTRIES}")
        for info in infos:
            if info.date_time != (1980, 1, 1, 0, 0, 0):
                faults.append(f"{info.filename} has the time stamp {info.date_time}")
            if info.external_attr & 0x01:
                faults.append(f"{info.filename} is marked read-only")
        if z.testzip() is not None:
            faults.append("the zip is damaged")
        if "Notes/user-guide.txt" in names:
            check_guide(z.read("Notes/user-guide.txt"), faults)
        if "Notes/Notes.exe" in names:
            check_exe(z.read("Notes/Notes.exe"), version, faults)
    return faults


def check_guide(guide: bytes, faults: list):
    if not guide.startswith(BOM):
        faults.append("user-guide.txt has no UTF-8 byte-order mark")
    if re.search(rb"(?<!\r)\n|\r(?!\n)", guide):
        faults.append("user-guide.txt has line ends other than CRLF")
    try:
        text = guide.decode("utf-8")
    except UnicodeDecodeError as e:
        faults.append(f"user-guide.txt is not UTF-8: {e}")
        return
    for word in ("Memo.rtf", "Setup.ini", "开机启动", "Start at log-on", "卸载", "Removing"):
        if word not in text:
            faults.append(f"user-guide.txt does not mention {word}")


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__.strip().splitlines()[3])
    faults = check(Path(argv[1]), argv[2])
    for fault in faults:
        print(f"FAULT: {fault}")
    if not faults:
        print(f"{argv[1]}: entries, guide, checksum and resources are as they should be")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
