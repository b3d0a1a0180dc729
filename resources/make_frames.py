#!/usr/bin/env python3
"""Builds the animation strip of the tray icon from its cell grid.

Usage: make_frames.py FRAMES.txt OUT_IMAGE.bmp OUT_MASK.bmp
FRAMES.txt holds three lines of 3 x 3 cell grids, one grid a frame, 'C' cyan
and 'K' black (lines starting with '#' are comments). Each frame becomes a
16 x 16 image: cells of 4 x 4 pixels at columns and rows 1-4, 6-9 and 11-14;
the pixel rows and columns 0, 5, 10 and 15 are transparent. The image is a
24-bit strip of all frames side by side, the mask a 1-bit strip of the same
size whose bit is set exactly on the transparent pixels. Transparent pixels
are black in the image, so that an icon made from it leaves the screen as it
is there.
"""
import struct
import sys

COLOURS = {'C': (0x00, 0xFF, 0xFF), 'K': (0x00, 0x00, 0x00)}
SIZE = 16
CELL_STARTS = (1, 6, 11)
CELL = 4


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
                sys.exit(f'{path}: frame {n}: {row!r} is not three of {sorted(COLOURS)}')
        frames.append(grid)
    return frames


def cell_of(pixel):
    """The cell index (0-2) that covers a pixel column or row, or None."""
    for index, start in enumerate(CELL_STARTS):
        if start <= pixel < start + CELL:
            return index
    return None


def pixel(grid, x, y):
    """(red, green, blue, transparent) of one pixel of a frame."""
    column, row = cell_of(x), cell_of(y)
    if column is None or row is None:
        return (0, 0, 0, True)
    return COLOURS[grid[row][column]] + (False,)


def bmp(width, bits_per_pixel, rows, palette=b''):
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
    source, out_image, out_mask = sys.argv[1:4]
    frames = read_frames(source)
    width = SIZE * len(frames)
    image_rows, mask_rows = [], []
    for y in range(SIZE):
        line, bits = b'', 0
        for grid in frames:
            for x in range(SIZE):
                red, green, blue, transparent = pixel(grid, x, y)
                line += bytes((blue, green, red))
                bits = (bits << 1) | transparent
        image_rows.append(pad(line))
        mask_rows.append(pad(bits.to_bytes((width + 7) // 8, 'big')))
    mono = struct.pack('<4B4B', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0)
    with open(out_image, 'wb') as f:
        f.write(bmp(width, 24, image_rows))
    with open(out_mask, 'wb') as f:
        f.write(bmp(width, 1, mask_rows, mono))


if __name__ == '__main__':
    main()
