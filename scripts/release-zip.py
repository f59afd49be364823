#!/usr/bin/env python3
"""Zips the release folder OUT/NAME into OUT/NAME-windows.zip and writes
OUT/SHA256SUMS: the checksums of the zip and of every program and library in
it and of its BUILDINFO.txt, by their paths inside the zip, in the format
`sha256sum -c` reads in the folder where the zip is unpacked.

    release-zip.py OUT NAME EPOCH

The zip is the same bytes wherever it is made: its entries in sorted order,
each with the time EPOCH (seconds since 1970, UTC) and the same permissions."""
import hashlib
import sys
import time
import zipfile
from pathlib import Path

CHECKED_SUFFIXES = (".exe", ".dll")
CHECKED_NAMES = ("BUILDINFO.txt",)
EARLIEST_ZIP_TIME = (1980, 1, 1, 0, 0, 0)
FILE_MODE = 0o100644  # a regular file, readable by all
UNIX = 3  # the system that made the entry, which tells how to read its mode


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def is_checked(path):
    return path.suffix.lower() in CHECKED_SUFFIXES or path.name in CHECKED_NAMES


def main(out, name, epoch):
    out = Path(out)
    entries = sorted((path.relative_to(out).as_posix(), path) for path in (out / name).rglob("*") if path.is_file())
    stamp = max(time.gmtime(int(epoch))[:6], EARLIEST_ZIP_TIME)
    zip_path = out / f"{name}-windows.zip"
    with zipfile.ZipFile(zip_path, "w") as archive:
        for entry_name, path in entries:
            entry = zipfile.ZipInfo(entry_name, stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = UNIX
            entry.external_attr = FILE_MODE << 16
            archive.writestr(entry, path.read_bytes(), compresslevel=9)
    sums = [(sha256(zip_path), zip_path.name)]
    sums += [(sha256(path), entry_name) for entry_name, path in entries if is_checked(path)]
    (out / "SHA256SUMS").write_text("".join(f"{digest}  {entry_name}\n" for digest, entry_name in sums))


if __name__ == "__main__":
    main(*sys.argv[1:])
