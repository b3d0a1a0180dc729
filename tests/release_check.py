#!/usr/bin/env python3
"""Checks that a built program can be rebuilt to the same bytes elsewhere and
later: no time stamp in its PE header, resource directory or debug
directory, and no trace of the folders it was built in. Also that it runs
from the page file when started from a share or a removable drive, with a
header checksum that still holds after those bits were set.

    release_check.py PROGRAM SOURCE_DIR BUILD_DIR
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import pe_swap_flags  # noqa: E402


def main(program, source_dir, build_dir):
    data = open(program, "rb").read()
    problems = []
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    stamp = struct.unpack_from("<I", data, pe + 8)[0]
    if stamp:
        problems.append("the PE header carries the time stamp 0x%08x" % stamp)

    flags = struct.unpack_from("<H", data, pe_swap_flags.characteristics_offset(data))[0]
    if flags & pe_swap_flags.RUN_FROM_SWAP != pe_swap_flags.RUN_FROM_SWAP:
        problems.append("it is not marked to run from the page file off a share and a removable drive "
                        "(characteristics 0x%04x)" % flags)
    written = struct.unpack_from("<I", data, pe_swap_flags.checksum_offset(data))[0]
    if written != pe_swap_flags.checksum(data):
        problems.append("its header checksum 0x%08x is not its own (0x%08x)" % (written, pe_swap_flags.checksum(data)))

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
    print("%s: no time stamp, no build folder, runs from the page file, checksum true" % program)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
