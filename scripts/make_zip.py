#!/usr/bin/env python3
"""Writes a zip archive that is the same to the byte whoever makes it and
when: entries in the order given, every entry dated at one moment (seconds
since 1970, UTC: the commit's date), plain files readable by all, nothing of
the maker's system (no user ids, no extra fields).

    make_zip.py ARCHIVE EPOCH NAME=FILE [NAME=FILE ...]
"""
import sys
import time
import zipfile


def main(archive, epoch, entries):
    # Zip times have no zone and start in 1980; UTC keeps them alike everywhere.
    moment = time.gmtime(max(int(epoch), 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as out:
        for entry in entries:
            name, _, path = entry.partition("=")
            info = zipfile.ZipInfo(name, date_time=moment)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so the permissions below are read
            info.external_attr = 0o100644 << 16
            with open(path, "rb") as source:
                out.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
