#!/usr/bin/env python3
"""Prints what the security test checks in a 32-bit PE file's headers:

  machine 0x14c
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
    if struct.unpack_from("<H", data, optional)[0] != 0x10B:
        sys.exit("not a PE32 (32-bit) optional header")
    subsystem, dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
    directory_count = struct.unpack_from("<I", data, optional + 92)[0]

    def directory(index):
        if index >= directory_count:
            return 0, 0
        return struct.unpack_from("<II", data, optional + 96 + 8 * index)

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
