"""What makes two releases of the same commit byte for byte the same: one time for every time
stamp (SOURCE_DATE_EPOCH, by default the commit's time), zip entries that carry nothing of the
machine that wrote them, and an installer whose summary information holds that time and a
package code derived from the installer's content instead of a random one.

The installer is an OLE compound file. Its summary information stream holds the times it was
created and last saved, which msitools always sets to the present; `set_summary_times` finds
the stream in the file and writes the release's time over them in place.
"""

import os
import struct
import subprocess
import sys
import time
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent

# The earliest time a zip entry can hold (1980-01-01 00:00 UTC).
ZIP_EPOCH = 315532800


def source_date_epoch():
    """SOURCE_DATE_EPOCH when set, else the time of the commit the sources are at."""
    given = os.environ.get("SOURCE_DATE_EPOCH")
    if given:
        if not given.isdigit():
            sys.exit(f"make-release: SOURCE_DATE_EPOCH is not a number of seconds: {given}")
        return int(given)
    result = subprocess.run(["git", "-C", str(HERE), "log", "-1", "--format=%ct"],
                            capture_output=True, text=True)
    if result.returncode != 0 or not result.stdout.strip().isdigit():
        sys.exit("make-release: set SOURCE_DATE_EPOCH: the sources are not in a git checkout")
    return int(result.stdout.strip())


def set_file_times(folder, epoch):
    """Every file and folder under `folder` gets the time `epoch`: the installer's cabinet
    records the files' times."""
    for path in [folder, *folder.rglob("*")]:
        os.utime(path, (epoch, epoch))


def zip_entry(name, epoch):
    """A zip entry named `name` that says nothing of the file it came from: the release's time
    (in UTC, no earlier than zip allows) and an ordinary file's permissions."""
    entry = zipfile.ZipInfo(name, date_time=time.gmtime(max(epoch, ZIP_EPOCH))[:6])
    entry.external_attr = 0o100644 << 16
    entry.compress_type = zipfile.ZIP_DEFLATED
    return entry


class CompoundFile:
    """Just enough of the OLE compound file format to find a stream's bytes in the file."""

    SIGNATURE = bytes.fromhex("D0CF11E0A1B11AE1")
    END_OF_CHAIN = 0xFFFFFFFE
    DIRECTORY_ENTRY = 128
    HEADER_DIFAT_ENTRIES = 109

    def __init__(self, data):
        if data[:8] != self.SIGNATURE:
            raise ValueError("not a compound file")
        self.data = data
        self.sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini_sector = 1 << struct.unpack_from("<H", data, 0x20)[0]
        first_directory, = struct.unpack_from("<I", data, 0x30)
        self.mini_cutoff, first_mini_fat = struct.unpack_from("<II", data, 0x38)
        first_difat, difat_sectors = struct.unpack_from("<II", data, 0x44)
        fat_sectors = list(struct.unpack_from(f"<{self.HEADER_DIFAT_ENTRIES}I", data, 0x4C))
        per_sector = self.sector // 4
        for _ in range(difat_sectors):
            entries = struct.unpack_from(f"<{per_sector}I", data, self.offset(first_difat))
            fat_sectors += entries[:-1]
            first_difat = entries[-1]
        self.fat = []
        for sid in fat_sectors:
            if sid < self.END_OF_CHAIN - 2:
                self.fat += struct.unpack_from(f"<{per_sector}I", data, self.offset(sid))
        self.mini_fat = []
        for sid in self.chain(first_mini_fat):
            self.mini_fat += struct.unpack_from(f"<{per_sector}I", data, self.offset(sid))
        directory = b"".join(self.sector_bytes(sid) for sid in self.chain(first_directory))
        self.entries = [directory[at:at + self.DIRECTORY_ENTRY]
                        for at in range(0, len(directory), self.DIRECTORY_ENTRY)]
        self.mini_stream_sectors = list(self.chain(struct.unpack_from("<I", self.entries[0],
                                                                      116)[0]))

    def offset(self, sid):
        return (sid + 1) * self.sector

    def sector_bytes(self, sid):
        return self.data[self.offset(sid):self.offset(sid) + self.sector]

    def chain(self, start, table=None):
        table = self.fat if table is None else table
        seen = set()
        while start < len(table) and start not in seen:
            seen.add(start)
            yield start
            start = table[start]

    def stream_offsets(self, name):
        """The offset in the file of each byte of the stream `name` of the root storage."""
        for entry in self.entries[1:]:
            length, = struct.unpack_from("<H", entry, 64)
            if entry[:max(length - 2, 0)].decode("utf-16-le", "replace") != name:
                continue
            start, size = struct.unpack_from("<IQ", entry, 116)
            size &= 0xFFFFFFFF
            offsets = []
            if size < self.mini_cutoff:
                for mini in self.chain(start, self.mini_fat):
                    at = mini * self.mini_sector
                    big = self.mini_stream_sectors[at // self.sector]
                    base = self.offset(big) + at % self.sector
                    offsets += range(base, base + self.mini_sector)
            else:
                for sid in self.chain(start):
                    offsets += range(self.offset(sid), self.offset(sid) + self.sector)
            return offsets[:size]
        raise ValueError(f"no stream {name}")


# A property of type VT_FILETIME: 100 ns intervals since 1601-01-01 UTC.
VT_FILETIME = 64
FILETIME_UNIX_EPOCH = 11644473600


def set_summary_times(msi, epoch):
    """Writes `epoch` over every time in the summary information of the installer `msi`."""
    data = bytearray(msi.read_bytes())
    offsets = CompoundFile(bytes(data)).stream_offsets("\x05SummaryInformation")
    stream = bytes(data[at] for at in offsets)
    section, = struct.unpack_from("<I", stream, 44)
    _, count = struct.unpack_from("<II", stream, section)
    filetime = struct.pack("<Q", (epoch + FILETIME_UNIX_EPOCH) * 10_000_000)
    changed = 0
    for i in range(count):
        _, at = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        kind, = struct.unpack_from("<I", stream, section + at)
        if kind == VT_FILETIME:
            for j, byte in enumerate(filetime):
                data[offsets[section + at + 4 + j]] = byte
            changed += 1
    if not changed:
        sys.exit(f"make-release: {msi.name} has no times in its summary information")
    msi.write_bytes(bytes(data))
