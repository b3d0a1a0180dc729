#!/usr/bin/env python3
"""Checks the machine code that writes the sweep's block, as built into the
program: the block is uncached, so on a real PC every store to it is one bus
transaction and its width is the sweep's speed. Wine ignores the page
attribute, so only the code tells. Fails when the code has a byte-sized
string store (`rep stosb`, what GCC makes of a large memset at -Os, and
which loses its fast-string mode on uncached memory), a byte store inside a
loop, or no 16-byte store at all; prints the store widths it found.

    fill_stores_check.py OBJDUMP OBJECT...

OBJECTs are the object files of the program's fill and of the sweep that
calls it.
"""
import re
import subprocess
import sys

WIDTHS = {"BYTE": 1, "WORD": 2, "DWORD": 4, "QWORD": 8, "XMMWORD": 16, "YMMWORD": 32}
# Instructions that write their first operand.
WRITERS = re.compile(r"^(mov\w*|stos\w*|and|or|xor|add|sub|adc|sbb|inc|dec|not|neg|xchg|sh[lr]|sa[lr])$")
MEMORY = re.compile(r"\b(BYTE|WORD|DWORD|QWORD|XMMWORD|YMMWORD) PTR (?:\w+:)?\[([^\]]*)\]")
# The stack frame and the arguments of calls are not the block.
STACK = re.compile(r"\b[er]?(sp|bp)\b")
INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\s+(?:(rep\w*|lock)\s+)?(\S+)\s*(.*)$")
JUMP_TARGET = re.compile(r"^([0-9a-f]+) <")


def functions(objdump, path):
    """Yields (name, [(address, prefix, mnemonic, operands)]) per function."""
    listing = subprocess.run([objdump, "-d", "-M", "intel", "--no-show-raw-insn", path],
                             check=True, capture_output=True, text=True).stdout
    name, code = None, []
    for line in listing.splitlines():
        head = re.match(r"^[0-9a-f]+ <(.+)>:$", line)
        if head:
            if name:
                yield name, code
            name, code = head.group(1), []
            continue
        ins = INSTRUCTION.match(line)
        if name and ins:
            code.append((int(ins.group(1), 16), ins.group(2) or "", ins.group(3), ins.group(4)))
    if name:
        yield name, code


def block_stores(code):
    """(address, width, text) of each store that may go to the block."""
    for address, prefix, mnemonic, operands in code:
        if not WRITERS.match(mnemonic):
            continue
        destination = operands.split(",")[0]
        memory = MEMORY.search(destination)
        if memory and not STACK.search(memory.group(2)):
            yield address, WIDTHS[memory.group(1)], (prefix + " " + mnemonic).strip()


def loops(code):
    """Address ranges that a backward jump repeats."""
    for address, _, mnemonic, operands in code:
        target = JUMP_TARGET.match(operands)
        if (mnemonic.startswith("j") or mnemonic.startswith("loop")) and target:
            start = int(target.group(1), 16)
            if start <= address:
                yield start, address


def main():
    objdump, objects = sys.argv[1], sys.argv[2:]
    faults, widest = [], 0
    for path in objects:
        found = {}
        for name, code in functions(objdump, path):
            ranges = list(loops(code))
            for address, width, text in block_stores(code):
                in_loop = any(start <= address <= end for start, end in ranges)
                found.setdefault((width, text, in_loop), 0)
                found[(width, text, in_loop)] += 1
                widest = max(widest, width)
                if text.startswith("rep") and width == 1:
                    faults.append(f"{path}: {name}: a byte-sized string store ({text} BYTE PTR) at {address:#x}")
                elif width == 1 and in_loop:
                    faults.append(f"{path}: {name}: a byte store in a loop ({text} BYTE PTR) at {address:#x}")
        print(f"{path.rsplit('/', 1)[-1]}: stores " + (", ".join(
            f"{width} byte{'s' if width > 1 else ''} ({text}{', in a loop' if in_loop else ''}) x{count}"
            for (width, text, in_loop), count in sorted(found.items(), reverse=True)) or "none"))
    if widest < 16:
        faults.append("no 16-byte store: the block is written in pieces narrower than SSE2's")
    for fault in faults:
        print("FAIL: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
