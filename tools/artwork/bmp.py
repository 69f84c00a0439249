# SPDX-License-Identifier: MIT
"""Writes Windows BMP files by hand, including the forms PIL cannot write: RLE8 and bare headers."""

import struct

BI_RGB = 0
BI_RLE8 = 1
_FILE_HEADER = 14
_INFO_HEADER = 40


def bmp_bytes(width, height, bpp, palette, data, compression=BI_RGB):
    """A BMP file: file header, BITMAPINFOHEADER, palette and `data` exactly as given.

    `data` need not match the size: a bare header is written with empty data.
    """
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = _FILE_HEADER + _INFO_HEADER + len(table)
    file_header = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", _INFO_HEADER, width, height, 1, bpp, compression,
                       len(data), 2835, 2835, len(palette), 0)
    return file_header + info + table + data


def pack_rows(rows, bpp):
    """Uncompressed pixel data: index rows (top first) packed at 1, 4 or 8 bits, bottom row first."""
    out = []
    per_byte = 8 // bpp
    for row in reversed(rows):
        packed = bytearray((len(row) * bpp + 31) // 32 * 4)
        for x, value in enumerate(row):
            packed[x // per_byte] |= value << (8 - bpp * (x % per_byte + 1))
        out.append(bytes(packed))
    return b"".join(out)


def _run_length(row, start):
    value, end = row[start], start
    while end < len(row) and row[end] == value and end - start < 255:
        end += 1
    return end - start


def _rle8_row(row):
    """One row in RLE8: runs of two or more as (count, index), stretches of others in absolute mode."""
    out, x = bytearray(), 0
    while x < len(row):
        run = _run_length(row, x)
        if run >= 2:
            out += bytes((run, row[x]))
            x += run
            continue
        end = x
        while end < len(row) and end - x < 255 and _run_length(row, end) < 2:
            end += 1
        literal = row[x:end]
        if len(literal) >= 3:
            out += bytes((0, len(literal))) + bytes(literal) + b"\0" * (len(literal) % 2)
        else:
            out += b"".join(bytes((1, v)) for v in literal)
        x = end
    return bytes(out) + b"\0\0"


def rle8(rows):
    """RLE8 data for index rows given top first; the file stores the bottom row first."""
    return b"".join(_rle8_row(row) for row in reversed(rows))[:-2] + b"\0\1"
