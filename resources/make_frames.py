#!/usr/bin/env python3
"""Builds the animation strip of the tray icon from its cell grid, at one size.

Usage: make_frames.py FRAMES.txt SIZE OUT_IMAGE.bmp OUT_MASK.bmp
FRAMES.txt holds three lines of 3 x 3 cell grids, one grid a frame, 'C' cyan
and 'K' black (lines starting with '#' are comments). Each frame becomes a
SIZE x SIZE image of 3 x 3 square cells, each a quarter of SIZE wide; the
pixels left over make the transparent lines between and around the cells
(at 16: cells at 1-4, 6-9 and 11-14, lines at 0, 5, 10 and 15). The image is
a 4-bit strip of all frames side by side, the mask a 1-bit strip of the same
size whose bit is set exactly on the transparent pixels. Transparent pixels
are black in the image, so that an icon made from it leaves the screen as it
is there.
"""
import struct
import sys

from make_ico import INDEX, PALETTE

COLOURS = ('C', 'K')
# Which of the four lines (left/top, the two inner ones, right/bottom) get
# the pixels that do not divide evenly: the inner ones first, so that the
# cells stay centred, and a single one goes to the far edge.
WIDER_LINES = {0: (), 1: (3,), 2: (1, 2), 3: (1, 2, 3)}


def read_frames(path):
    with open(path, encoding='ascii') as f:
        lines = [line.split() for line in f if line.strip() and not line.startswith('#')]
    if len(lines) != 3 or len({len(line) for line in lines}) != 1:
        sys.exit(f'{path}: want three lines with the same number of grids')
    frames = []
    for n in range(len(lines[0])):
        grid = [lines[row][n] for row in range(3)]
        for row in grid:
            if len(row) != 3 or any(ch not in COLOURS for ch in row):
                sys.exit(f'{path}: frame {n}: {row!r} is not three of {COLOURS}')
        frames.append(grid)
    return frames


def cell_ranges(size):
    """The pixel ranges of the three cells along a row or column."""
    cell = size // 4
    spare = size - 3 * cell
    lines = [spare // 4 + (1 if i in WIDER_LINES[spare % 4] else 0) for i in range(4)]
    ranges, start = [], lines[0]
    for i in range(3):
        ranges.append(range(start, start + cell))
        start += cell + lines[i + 1]
    return ranges


def bmp(width, bits_per_pixel, rows, palette):
    """A bitmap file of bottom-up rows already padded to 4 bytes."""
    pixels = b''.join(reversed(rows))
    header_size = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, len(rows), 1, bits_per_pixel, 0, len(pixels),
                       2835, 2835, len(palette) // 4, 0)
    head = struct.pack('<2sIHHI', b'BM', header_size + len(pixels), 0, 0, header_size)
    return head + info + palette + pixels


def pad(row):
    return row + b'\0' * (-len(row) % 4)


def main():
    source, size, out_image, out_mask = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    frames = read_frames(source)
    cells = cell_ranges(size)

    def cell_of(pixel):
        return next((i for i, r in enumerate(cells) if pixel in r), None)

    width = size * len(frames)
    image_rows, mask_rows = [], []
    for y in range(size):
        indexes, bits = [], 0
        for grid in frames:
            for x in range(size):
                column, row = cell_of(x), cell_of(y)
                transparent = column is None or row is None
                indexes.append(INDEX['K'] if transparent else INDEX[grid[row][column]])
                bits = (bits << 1) | transparent
        indexes += [0] * (len(indexes) % 2)
        image_rows.append(pad(bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, len(indexes), 2))))
        whole_bytes = (width + 7) // 8
        mask_rows.append(pad((bits << (whole_bytes * 8 - width)).to_bytes(whole_bytes, 'big')))
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for _, (r, g, b) in PALETTE)
    mono = struct.pack('<4B4B', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0)
    with open(out_image, 'wb') as f:
        f.write(bmp(width, 4, image_rows, palette))
    with open(out_mask, 'wb') as f:
        f.write(bmp(width, 1, mask_rows, mono))


if __name__ == '__main__':
    main()
