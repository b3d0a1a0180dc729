#!/usr/bin/env python3
"""Marks a Windows program to be run from the page file when it is started
from a network share or a removable drive, and writes its header checksum
anew:

    pe_swap_flags.py PROGRAM

A sweep pushes idle pages out of memory, the program's own code among them,
and code pages are read back from where the file lies: from a share that has
dropped or a stick that was pulled, the next click kills the program with an
in-page error. With these two bits the loader copies the image into the page
file first. GNU ld has no option for them, so they are set after linking.
Wine maps the image from where it lies whatever the bits say, so no run here
shows them: tests/release_check.py reads them from the file.
"""
import struct
import sys

IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP = 0x0400
IMAGE_FILE_NET_RUN_FROM_SWAP = 0x0800
RUN_FROM_SWAP = IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP


def characteristics_offset(data):
    return struct.unpack_from("<I", data, 0x3C)[0] + 4 + 18


def checksum_offset(data):
    # CheckSum sits at the same place in PE32 and PE32+ optional headers.
    return struct.unpack_from("<I", data, 0x3C)[0] + 24 + 64


def checksum(data):
    """The header checksum as Windows computes it (CheckSumMappedFile): the
    file's 16-bit words summed with their carries folded back in, the
    checksum field read as zero, plus the file's length."""
    at = checksum_offset(data)
    words = bytes(data[:at]) + b"\0\0\0\0" + bytes(data[at + 4:]) + b"\0" * (len(data) % 2)
    total = 0
    for (word,) in struct.iter_unpack("<H", words):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def main(path):
    data = bytearray(open(path, "rb").read())
    at = characteristics_offset(data)
    flags = struct.unpack_from("<H", data, at)[0]
    struct.pack_into("<H", data, at, flags | RUN_FROM_SWAP)
    struct.pack_into("<I", data, checksum_offset(data), checksum(data))
    open(path, "wb").write(data)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
