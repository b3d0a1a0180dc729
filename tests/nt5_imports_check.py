#!/usr/bin/env python3
"""Checks that a built program loads on Windows XP SP3 and Server 2003 SP2
(the 32-bit one) or on XP x64 / Server 2003 x64 (the 64-bit one): every
function it imports by name is exported there, and its PE header asks for
no newer subsystem. Wine exports every function whatever version it poses
as, so only a look at the import table tells.

    nt5_imports_check.py PROGRAM EXPORTS_DIR

EXPORTS_DIR holds one list of export names a line per library and
architecture: <dll>.i386.txt (XP SP3), <dll>.x86_64.txt (XP x64), and
<dll>.<arch>.nt52.txt where Server 2003 differs from XP.
"""
import os
import struct
import sys

MACHINES = {0x14C: "i386", 0x8664: "x86_64"}
# The newest subsystem version each loader accepts: 5.1 is XP, 5.2 is
# Server 2003 and XP x64.
NEWEST_SUBSYSTEM = {"i386": (5, 1), "x86_64": (5, 2)}


class TImage:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        machine, self.section_count = struct.unpack_from("<HH", data, pe + 4)
        self.arch = MACHINES.get(machine)
        if not self.arch:
            raise ValueError("unknown machine 0x%x" % machine)
        optional = pe + 24
        self.pe32plus = struct.unpack_from("<H", data, optional)[0] == 0x20B
        self.subsystem_version = struct.unpack_from("<HH", data, optional + 48)
        directories = optional + (112 if self.pe32plus else 96)
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.delay_import_rva = struct.unpack_from("<I", data, directories + 13 * 8)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(self.section_count)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError("RVA 0x%x lies in no section" % rva)

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def thunk_names(self, rva):
        """The names of one library's import lookup table; ordinals as '#N'."""
        size, ordinal_flag = (8, 1 << 63) if self.pe32plus else (4, 1 << 31)
        names = []
        at = self.offset(rva)
        while True:
            entry = struct.unpack_from("<Q" if self.pe32plus else "<I", self.data, at)[0]
            if not entry:
                return names
            names.append("#%d" % (entry & 0xFFFF) if entry & ordinal_flag else self.text((entry & 0x7FFFFFFF) + 2))
            at += size

    def imports(self):
        """(library, [names]) of the import table and of the delay-load table."""
        result = []
        if self.import_rva:
            at = self.offset(self.import_rva)
            while True:
                lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
                if not name:
                    break
                result.append((self.text(name).lower(), self.thunk_names(lookup or first)))
                at += 20
        if self.delay_import_rva:
            at = self.offset(self.delay_import_rva)
            while True:
                fields = struct.unpack_from("<IIIIIIII", self.data, at)
                if not fields[1]:
                    break
                result.append((self.text(fields[1]).lower(), self.thunk_names(fields[4])))
                at += 32
        return result


def read_names(path):
    with open(path) as names:
        return {line.strip() for line in names if line.strip()}


def systems(exports_dir, library, arch):
    """{system: exported names} of the systems this architecture must load on,
    or None when no list of the library is there."""
    stem = os.path.join(exports_dir, "%s.%s" % (os.path.splitext(library)[0], arch))
    if not os.path.exists(stem + ".txt"):
        return None
    xp = read_names(stem + ".txt")
    nt52 = read_names(stem + ".nt52.txt") if os.path.exists(stem + ".nt52.txt") else xp
    if arch == "i386":
        return {"Windows XP SP3": xp, "Windows Server 2003 SP2": nt52}
    # XP x64 is Server 2003 x64: one system, whose lists are split in two.
    return {"Windows XP x64 / Server 2003 x64": xp | nt52}


def main(program, exports_dir):
    with open(program, "rb") as image_file:
        image = TImage(image_file.read())
    problems = []
    newest = NEWEST_SUBSYSTEM[image.arch]
    if tuple(image.subsystem_version) > newest:
        problems.append("asks for subsystem %d.%d; the oldest system takes %d.%d at most" %
                        (image.subsystem_version + newest))
    count = 0
    for library, names in image.imports():
        exported = systems(exports_dir, library, image.arch)
        if exported is None:
            problems.append("imports from %s, whose exports are not listed: %s" % (library, ", ".join(names)))
            continue
        for name in names:
            count += 1
            missing = [system for system, names_there in exported.items() if name not in names_there]
            if missing:
                problems.append("imports %s!%s, which %s %s" % (library, name, " and ".join(missing),
                                                                 "lack" if len(missing) > 1 else "lacks"))
    for problem in problems:
        print("%s: %s" % (program, problem))
    if problems:
        sys.exit(1)
    print("%s: all %d imports are there on %s" % (program, count, image.arch == "i386" and
          "Windows XP SP3 and Server 2003 SP2" or "Windows XP x64 and Server 2003 x64"))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
