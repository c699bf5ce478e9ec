#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on its members' names and contents.

    make_zip.py ZIP EPOCH NAME=FILE...

Members are stored in name order, each with the time EPOCH (seconds since
1970, UTC; a zip keeps it to two seconds), MS-DOS attributes of an ordinary
file and no extra fields, so neither the clock, the time zone, the umask nor
the order of the arguments reaches the archive.
"""
import sys
import time
import zipfile

# Zip times count from 1980; an older EPOCH cannot be stored.
ZIP_EPOCH = 315532800
FILE_ATTRIBUTE_ARCHIVE = 0x20


def main(argv):
    if len(argv) < 4:
        sys.exit("usage: make_zip.py ZIP EPOCH NAME=FILE...")
    target, epoch = argv[1], int(argv[2])
    if epoch < ZIP_EPOCH:
        sys.exit(f"make_zip.py: {epoch} is before 1980, which a zip cannot hold")
    members = dict(pair.split("=", 1) for pair in argv[3:])
    if len(members) != len(argv) - 3:
        sys.exit("make_zip.py: a member name is given twice")
    stamp = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(target, "w") as archive:
        for name in sorted(members):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0  # MS-DOS: the attributes below are Windows'
            info.external_attr = FILE_ATTRIBUTE_ARCHIVE
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(members[name], "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main(sys.argv)
