#!/usr/bin/env python3
"""Prints the file version of a Windows program, as its version block gives
it (the fixed part, VS_FIXEDFILEINFO): "0.5.5.6"."""
import struct
import sys

SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def file_version(path):
    data = open(path, "rb").read()
    at = data.find(SIGNATURE)
    if at < 0:
        sys.exit("%s has no version block" % path)
    _, most, least = struct.unpack_from("<III", data, at + 4)
    return "%d.%d.%d.%d" % (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)


if __name__ == "__main__":
    print(file_version(sys.argv[1]))
