#!/usr/bin/env python3
"""Builds a 16-colour .ico from text pictures, one character a pixel.

Usage: make_ico.py OUT.ico PICTURE.txt [PICTURE.txt ...]
Each picture is a square of characters; '.' is transparent, every other
character names a colour of the standard 16-colour palette (see PALETTE).
"""
import struct
import sys

# The standard VGA palette, in the order Windows uses for 4-bit images.
PALETTE = [
    ('K', (0x00, 0x00, 0x00)), ('r', (0x80, 0x00, 0x00)),
    ('g', (0x00, 0x80, 0x00)), ('o', (0x80, 0x80, 0x00)),
    ('N', (0x00, 0x00, 0x80)), ('p', (0x80, 0x00, 0x80)),
    ('t', (0x00, 0x80, 0x80)), ('S', (0xC0, 0xC0, 0xC0)),
    ('G', (0x80, 0x80, 0x80)), ('R', (0xFF, 0x00, 0x00)),
    ('L', (0x00, 0xFF, 0x00)), ('Y', (0xFF, 0xFF, 0x00)),
    ('B', (0x00, 0x00, 0xFF)), ('F', (0xFF, 0x00, 0xFF)),
    ('C', (0x00, 0xFF, 0xFF)), ('W', (0xFF, 0xFF, 0xFF)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
TRANSPARENT = '.'


def read_picture(path):
    with open(path, encoding='ascii') as f:
        rows = [line.rstrip('\n') for line in f if line.strip()]
    size = len(rows)
    for n, row in enumerate(rows):
        if len(row) != size:
            sys.exit(f'{path}:{n + 1}: row is {len(row)} wide, picture is {size} high')
        for ch in row:
            if ch != TRANSPARENT and ch not in INDEX:
                sys.exit(f'{path}:{n + 1}: unknown colour {ch!r}')
    return rows


def row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def dib(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for _, (r, g, b) in PALETTE)
    colour, mask = b'', b''
    for row in reversed(rows):  # DIBs are stored bottom-up
        nibbles = [0 if ch == TRANSPARENT else INDEX[ch] for ch in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour += line.ljust(row_bytes(size * 4), b'\0')
        bits = 0
        for ch in row:
            bits = (bits << 1) | (1 if ch == TRANSPARENT else 0)
        # Pixels from the row's first bit on: a width that is not a multiple
        # of 8 (20) leaves the last byte's low bits over.
        whole_bytes = (size + 7) // 8
        bits <<= whole_bytes * 8 - size
        mask += bits.to_bytes(whole_bytes, 'big').ljust(row_bytes(size), b'\0')
    return header + palette + colour + mask


def main():
    out, pictures = sys.argv[1], [read_picture(p) for p in sys.argv[2:]]
    images = [dib(rows) for rows in pictures]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, image in zip(pictures, images):
        size = len(rows)
        data += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
