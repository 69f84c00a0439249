# SPDX-License-Identifier: MIT
"""Writes GIF files of version 87a: a global colour table, plain images and no extension blocks."""

import struct

TRAILER = b";"
_MAX_CODES = 4096


def _table_bits(count):
    """Bits per index of the smallest colour table (2 to 256 entries) that holds count colours."""
    bits = 1
    while (1 << bits) < count:
        bits += 1
    if bits > 8:
        raise ValueError("a GIF colour table holds at most 256 colours")
    return bits


def header(width, height, palette):
    """Signature, logical screen descriptor and global colour table, padded with black."""
    bits = _table_bits(len(palette))
    padded = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    packed = 0x80 | (bits - 1) << 4 | (bits - 1)
    screen = struct.pack("<HHBBB", width, height, packed, 0, 0)
    return b"GIF87a" + screen + b"".join(bytes(rgb) for rgb in padded)


class _BitWriter:
    """Packs variable-width codes least significant bit first, as GIF wants them."""

    def __init__(self):
        self.out = bytearray()
        self._acc = 0
        self._bits = 0

    def write(self, code, width):
        self._acc |= code << self._bits
        self._bits += width
        while self._bits >= 8:
            self.out.append(self._acc & 0xFF)
            self._acc >>= 8
            self._bits -= 8

    def finish(self):
        if self._bits:
            self.out.append(self._acc & 0xFF)
        return bytes(self.out)


def lzw_encode(indices, min_code_size):
    """GIF-flavoured LZW code stream of the indices, starting with a clear code and ending with EOI."""
    clear, eoi = 1 << min_code_size, (1 << min_code_size) + 1
    writer = _BitWriter()
    writer.write(clear, min_code_size + 1)
    table, width, next_code = {}, min_code_size + 1, eoi + 1
    prefix = None
    for value in indices:
        if prefix is None:
            prefix = value
        elif (prefix, value) in table:
            prefix = table[(prefix, value)]
        else:
            writer.write(prefix, width)
            table[(prefix, value)] = next_code
            next_code += 1
            # A reader widens its codes one code after the writer adds the entry that needs it.
            if next_code - 1 == 1 << width and width < 12:
                width += 1
            if next_code == _MAX_CODES:
                writer.write(clear, width)
                table, width, next_code = {}, min_code_size + 1, eoi + 1
            prefix = value
    if prefix is not None:
        writer.write(prefix, width)
    writer.write(eoi, width)
    return writer.finish()


def sub_blocks(data):
    """Data split into length-prefixed sub-blocks of at most 255 bytes, with the terminator."""
    return b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255]
                    for i in range(0, len(data), 255)) + b"\0"


def interlaced_rows(height):
    """Row numbers in the order an interlaced GIF stores them (four passes)."""
    passes = ((0, 8), (4, 8), (2, 4), (1, 2))
    return [y for start, step in passes for y in range(start, height, step)]


def image(width, height, pixels, colour_bits, interlaced=False):
    """Image descriptor at (0, 0) followed by the compressed pixels (indices row by row from the top)."""
    if len(pixels) != width * height:
        raise ValueError("pixel count must match the size")
    order = interlaced_rows(height) if interlaced else range(height)
    stored = [p for y in order for p in pixels[y * width:(y + 1) * width]]
    min_code_size = max(2, colour_bits)
    descriptor = b"," + struct.pack("<HHHHB", 0, 0, width, height, 0x40 if interlaced else 0)
    return descriptor + bytes((min_code_size,)) + sub_blocks(lzw_encode(stored, min_code_size))


def gif87_bytes(width, height, palette, pixels, interlaced=False):
    """A whole one-image GIF87a file."""
    bits = _table_bits(len(palette))
    return header(width, height, palette) + image(width, height, pixels, bits, interlaced) + TRAILER
