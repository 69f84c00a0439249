# SPDX-License-Identifier: MIT
"""Writes Windows ICO files whose images are 4-bit or 8-bit palette bitmaps, in the order given."""

import struct
from collections import namedtuple

# One icon image: `pixels` are palette indices row by row from the top, `transparent` the
# matching flags for the AND mask, `palette` at most 2**bpp RGB triples.
IconImage = namedtuple("IconImage", "width height bpp palette pixels transparent")

_DIR_SIZE = 6
_ENTRY_SIZE = 16
_INFO_SIZE = 40


def _row_bytes(bits_per_row):
    """Bytes in one bitmap row: rows are padded to whole 32-bit words."""
    return (bits_per_row + 31) // 32 * 4


def _pack_row(values, bpp):
    """Packs one row of small integers, most significant bits first, padded to a word."""
    out = bytearray(_row_bytes(len(values) * bpp))
    per_byte = 8 // bpp
    for x, value in enumerate(values):
        shift = 8 - bpp * (x % per_byte + 1)
        out[x // per_byte] |= value << shift
    return bytes(out)


def _check(image):
    """Raises ValueError for an image the container or a reader could not represent."""
    if image.bpp not in (4, 8):
        raise ValueError("only 4-bit and 8-bit images are written")
    if not 0 < image.width <= 256 or not 0 < image.height <= 256:
        raise ValueError("icon sides must be 1 to 256")
    count = image.width * image.height
    if len(image.pixels) != count or len(image.transparent) != count:
        raise ValueError("pixel and mask counts must match the size")
    if len(image.palette) > 1 << image.bpp or max(image.pixels) >= len(image.palette):
        raise ValueError("palette too large for the depth, or index outside it")


def dib_payload(image):
    """The BITMAPINFOHEADER, full palette, XOR bitmap and AND mask of one icon image."""
    _check(image)
    w, h = image.width, image.height
    rows = [image.pixels[y * w:(y + 1) * w] for y in range(h)]
    masks = [[int(t) for t in image.transparent[y * w:(y + 1) * w]] for y in range(h)]
    # Transparent pixels get index 0 so that XOR-ing them onto the screen changes nothing.
    xor = b"".join(_pack_row([0 if m else p for p, m in zip(row, mask)], image.bpp)
                   for row, mask in zip(reversed(rows), reversed(masks)))
    and_mask = b"".join(_pack_row(mask, 1) for mask in reversed(masks))
    colours = 1 << image.bpp
    palette = list(image.palette) + [(0, 0, 0)] * (colours - len(image.palette))
    header = struct.pack("<IiiHHIIiiII", _INFO_SIZE, w, 2 * h, 1, image.bpp, 0,
                         len(xor) + len(and_mask), 0, 0, colours, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + table + xor + and_mask


def ico_bytes(images):
    """The whole ICO file holding `images` in the given order."""
    payloads = [dib_payload(image) for image in images]
    offset = _DIR_SIZE + _ENTRY_SIZE * len(images)
    out = [struct.pack("<HHH", 0, 1, len(images))]
    for image, payload in zip(images, payloads):
        colour_count = 16 if image.bpp == 4 else 0  # the field holds 0 for 256 colours
        out.append(struct.pack("<BBBBHHII", image.width % 256, image.height % 256,
                               colour_count, 0, 1, image.bpp, len(payload), offset))
        offset += len(payload)
    return b"".join(out + payloads)


def write_ico(path, images):
    """Writes `images` as one ICO file at `path`."""
    with open(path, "wb") as f:
        f.write(ico_bytes(images))
