#!/usr/bin/env python3
"""Prints what the security test checks in a PE file's headers (PE32 or PE32+):

  machine 0x14c             (0x8664 for a 64-bit program)
  characteristics 0x30e
  subsystem 2
  dll_characteristics 0x140
  relocations 8520          (bytes of base relocations; 0 = none)
  import KERNEL32.dll       (one line per imported library)
  delay_import NAME         (one line per delay-loaded library)
"""
import struct
import sys


def main(path):
    data = open(path, "rb").read()
    if data[:2] != b"MZ":
        sys.exit("not an MZ file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit("no PE signature")
    machine, sections, _, _, _, optional_size, characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    # PE32+ widens the image base and the stack and heap sizes, which moves
    # the data directories 16 bytes further on.
    if magic == 0x10B:
        directories = optional + 92
    elif magic == 0x20B:
        directories = optional + 108
    else:
        sys.exit("unknown optional header 0x%x" % magic)
    subsystem, dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
    directory_count = struct.unpack_from("<I", data, directories)[0]

    def directory(index):
        if index >= directory_count:
            return 0, 0
        return struct.unpack_from("<II", data, directories + 4 + 8 * index)

    table = optional + optional_size
    section_list = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def offset(rva):
        for virtual_size, address, raw_size, raw in section_list:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        sys.exit("address 0x%x is in no section" % rva)

    def text_at(rva):
        start = offset(rva)
        return data[start:data.index(b"\0", start)].decode("ascii")

    def library_names(index, size, name_field):
        rva, _ = directory(index)
        names = []
        if rva:
            entry = offset(rva)
            while any(data[entry:entry + size]):
                names.append(text_at(struct.unpack_from("<I", data, entry + name_field)[0]))
                entry += size
        return names

    print("machine 0x%x" % machine)
    print("characteristics 0x%x" % characteristics)
    print("subsystem %d" % subsystem)
    print("dll_characteristics 0x%x" % dll_characteristics)
    print("relocations %d" % directory(5)[1])
    for name in library_names(1, 20, 12):
        print("import " + name)
    for name in library_names(13, 32, 4):
        print("delay_import " + name)


if __name__ == "__main__":
    main(sys.argv[1])
