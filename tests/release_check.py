#!/usr/bin/env python3
"""Checks that a built program can be rebuilt to the same bytes elsewhere and
later: no time stamp in its PE header, resource directory or debug
directory, and no trace of the folders it was built in.

    release_check.py PROGRAM SOURCE_DIR BUILD_DIR
"""
import struct
import sys


def main(program, source_dir, build_dir):
    data = open(program, "rb").read()
    problems = []
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    stamp = struct.unpack_from("<I", data, pe + 8)[0]
    if stamp:
        problems.append("the PE header carries the time stamp 0x%08x" % stamp)

    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional_size
    for i in range(sections):
        name = data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0")
        raw_size, raw = struct.unpack_from("<II", data, table + 40 * i + 16)
        if name == b".rsrc" and raw_size >= 16:
            rsrc_stamp = struct.unpack_from("<I", data, raw + 4)[0]
            if rsrc_stamp:
                problems.append("the resource directory carries the time stamp 0x%08x" % rsrc_stamp)

    for folder in {source_dir, build_dir}:
        for spelling in (folder, folder.replace("/", "\\")):
            for encoding in ("utf-8", "utf-16-le"):
                if spelling.encode(encoding) in data:
                    problems.append("the folder %s is written in it (%s)" % (spelling, encoding))
    for problem in problems:
        print("%s: %s" % (program, problem))
    if problems:
        sys.exit(1)
    print("%s: no time stamp, no build folder" % program)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
