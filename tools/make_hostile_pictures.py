#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the corpus of awkward and broken picture files that the picture loader is tested against.

Usage: make_hostile_pictures.py [FOLDER]   (default: tests/data/hostile next to tools/)
Also writes FOLDER/manifest.txt: each file with what Qt's QImageReader makes of it.
Needs python3 with PIL. The output is the same on every run.
"""

import io
import os
import struct
import sys

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

from artwork import gif87  # noqa: E402
from artwork.bmp import BI_RLE8, bmp_bytes, pack_rows, rle8  # noqa: E402
from artwork.intro import render as render_intro  # noqa: E402

W, H = 160, 120
HUGE = 40000
_CASES = []


def case(name, outcome, description):
    """Registers a function returning the bytes of file `name` and what the loader should make of it."""
    def register(make):
        _CASES.append((name, outcome, description, make))
        return make
    return register


def _base():
    """The start-up picture at a small size: real content, small files."""
    return render_intro().resize((W, H), Image.LANCZOS)


def _encoded(image, fmt, **options):
    buffer = io.BytesIO()
    image.save(buffer, fmt, **options)
    return buffer.getvalue()


def _first_half(data):
    return data[:len(data) // 2]


def _indexed(image, colours=256):
    """(palette, indices) of an image reduced to at most `colours` colours."""
    quantised = image.quantize(colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    flat = quantised.getpalette()[:3 * colours]
    return [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)], list(quantised.getdata())


@case("truncated.jpg", "loads %dx%d" % (W, H), "first half of a baseline JPEG")
def truncated_jpeg():
    return _first_half(_encoded(_base(), "JPEG", quality=85))


@case("truncated.gif", "loads %dx%d" % (W, H), "first half of a GIF")
def truncated_gif():
    palette, pixels = _indexed(_base())
    return _first_half(gif87.gif87_bytes(W, H, palette, pixels))


@case("truncated.bmp", "loads %dx%d" % (W, H), "first half of a 24-bit BMP")
def truncated_bmp():
    return _first_half(_encoded(_base(), "BMP"))


@case("truncated.tiff", "refused", "first half of an uncompressed TIFF")
def truncated_tiff():
    return _first_half(_encoded(_base(), "TIFF"))


@case("huge.bmp", "refused", "BMP header claiming %d x %d pixels, no pixel data" % (HUGE, HUGE))
def huge_bmp():
    return bmp_bytes(HUGE, HUGE, 24, [], b"")


@case("huge.gif", "refused", "GIF whose screen and image claim %d x %d pixels" % (HUGE, HUGE))
def huge_gif():
    codes = gif87.lzw_encode([0, 1, 0, 1], 2)
    return (gif87.header(HUGE, HUGE, [(0, 0, 0), (255, 255, 255)])
            + b"," + struct.pack("<HHHHB", 0, 0, HUGE, HUGE, 0)
            + b"\2" + gif87.sub_blocks(codes) + gif87.TRAILER)


@case("zero.gif", "refused", "GIF whose screen and image are 0 x 0")
def zero_gif():
    return gif87.gif87_bytes(0, 0, [(0, 0, 0), (255, 255, 255)], [])


@case("zero_width.bmp", "refused", "BMP header with width 0 and height 16")
def zero_width_bmp():
    return bmp_bytes(0, 16, 24, [], b"")


@case("one.jpg", "loads 1x1", "1 x 1 JPEG")
def one_jpeg():
    return _encoded(Image.new("RGB", (1, 1), (200, 30, 40)), "JPEG", quality=90)


@case("one.gif", "loads 1x1", "1 x 1 GIF")
def one_gif():
    return gif87.gif87_bytes(1, 1, [(30, 160, 60), (0, 0, 0)], [0])


@case("one.bmp", "loads 1x1", "1 x 1 24-bit BMP")
def one_bmp():
    return _encoded(Image.new("RGB", (1, 1), (40, 80, 220)), "BMP")


@case("mono.bmp", "loads %dx%d" % (W, H), "1-bit BMP with a two-colour palette")
def mono_bmp():
    grey = _base().convert("L")
    rows = [[1 if grey.getpixel((x, y)) > 128 else 0 for x in range(W)] for y in range(H)]
    return bmp_bytes(W, H, 1, [(20, 20, 90), (250, 240, 200)], pack_rows(rows, 1))


@case("rle8.bmp", "loads %dx%d" % (W, H), "8-bit BMP compressed with BI_RLE8")
def rle8_bmp():
    palette, pixels = _indexed(_base(), 64)
    rows = [pixels[y * W:(y + 1) * W] for y in range(H)]
    return bmp_bytes(W, H, 8, palette, rle8(rows), BI_RLE8)


@case("cmyk.jpg", "loads %dx%d" % (W, H), "JPEG in the CMYK colour space")
def cmyk_jpeg():
    return _encoded(_base().convert("CMYK"), "JPEG", quality=85)


@case("progressive.jpg", "loads %dx%d" % (W, H), "progressive JPEG")
def progressive_jpeg():
    return _encoded(_base(), "JPEG", quality=85, progressive=True)


@case("interlaced.gif", "loads %dx%d" % (W, H), "interlaced GIF")
def interlaced_gif():
    palette, pixels = _indexed(_base())
    return gif87.gif87_bytes(W, H, palette, pixels, interlaced=True)


@case("animated.gif", "loads %dx%d" % (W, H), "animated GIF of 3 frames; the first frame counts")
def animated_gif():
    base = _base()
    frames = [base, base.rotate(180), base.transpose(Image.Transpose.FLIP_LEFT_RIGHT)]
    return _encoded(frames[0], "GIF", save_all=True, append_images=frames[1:], duration=200, loop=0)


@case("multipage.tiff", "loads %dx%d" % (W, H), "TIFF of 2 pages; the first page counts")
def multipage_tiff():
    base = _base()
    return _encoded(base, "TIFF", save_all=True, append_images=[base.rotate(180)])


def _tagged(stored, orientation):
    """A JPEG of `stored` whose EXIF orientation tag says how to turn it upright."""
    exif = Image.Exif()
    exif[0x0112] = orientation
    return _encoded(stored, "JPEG", quality=85, exif=exif)


def _portrait():
    """The start-up picture as a phone held upright takes it: H wide, W high."""
    return render_intro().resize((H, W), Image.LANCZOS)


@case("orientation3.jpg", "loads %dx%d" % (W, H), "JPEG stored upside down, EXIF orientation 3")
def orientation3_jpeg():
    return _tagged(_base().transpose(Image.Transpose.ROTATE_180), 3)


@case("orientation6.jpg", "loads %dx%d" % (H, W), "portrait phone photo stored on its side, EXIF orientation 6")
def orientation6_jpeg():
    return _tagged(_portrait().transpose(Image.Transpose.ROTATE_90), 6)


@case("orientation8.jpg", "loads %dx%d" % (H, W), "portrait photo stored on its other side, EXIF orientation 8")
def orientation8_jpeg():
    return _tagged(_portrait().transpose(Image.Transpose.ROTATE_270), 8)


@case("orientation_absurd.jpg", "loads %dx%d" % (W, H), "JPEG with EXIF orientation 9, which means nothing")
def orientation_absurd_jpeg():
    return _tagged(_base(), 9)


@case("orientation_broken.jpg", "loads %dx%d" % (W, H),
      "JPEG with EXIF orientation 6 whose directory offset points past the EXIF block")
def orientation_broken_jpeg():
    data = bytearray(_tagged(_base(), 6))
    tiff = data.find(b"Exif\0\0") + 6
    order = ">" if data[tiff:tiff + 2] == b"MM" else "<"
    data[tiff + 4:tiff + 8] = struct.pack(order + "I", 0x7FFFFFF0)
    return bytes(data)


@case("huge_40000x1.bmp", "refused", "BMP header claiming 40000 x 1 pixels, a side above 32767, no pixel data")
def huge_wide_bmp():
    return bmp_bytes(40000, 1, 24, [], b"")


@case("huge_9000x9000.bmp", "refused", "BMP header claiming 9000 x 9000 pixels, too many pixels, no pixel data")
def huge_square_bmp():
    return bmp_bytes(9000, 9000, 24, [], b"")


def _red_corner(orientation, broken=False):
    """A 48 x 32 grey JPEG, red in its stored top-left 16 x 16 pixels, tagged with `orientation`;
    if `broken`, the tag's directory offset points far past the EXIF block."""
    stored = Image.new("RGB", (48, 32), (128, 128, 128))
    stored.paste((255, 0, 0), (0, 0, 16, 16))
    exif = Image.Exif()
    exif[0x0112] = orientation
    data = bytearray(_encoded(stored, "JPEG", quality=95, exif=exif))
    if broken:
        tiff = data.find(b"Exif\0\0") + 6
        order = ">" if data[tiff:tiff + 2] == b"MM" else "<"
        data[tiff + 4:tiff + 8] = struct.pack(order + "I", 0x7FFFFFF0)
    return bytes(data)


def _tagged_case(name, orientation, broken, upright):
    description = "48 x 32 JPEG red in its stored top left, EXIF orientation %d%s" % (
        orientation, ", its directory past the EXIF block" if broken else "")
    case(name, "loads %dx%d" % upright, description)(lambda: _red_corner(orientation, broken))


for _n in range(10):   # 0 and 9 mean nothing; 5 to 8 turn the picture on its side
    _tagged_case("tagged%d.jpg" % _n, _n, False, (32, 48) if 5 <= _n <= 8 else (48, 32))
_tagged_case("tagged_broken.jpg", 6, True, (48, 32))


def _scans(count, grey=False, huge=False):
    """A progressive 64 x 64 JPEG (grey: one component) whose last scan is repeated until it has `count`,
    its frame claiming 8192 x 8192 pixels if `huge`, with a comment that holds an end-of-image marker.
    Scans are counted by their markers: in coded data a 0xFF byte is always followed by a 0 or a restart."""
    image = Image.new("L", (64, 64), 85) if grey else Image.new("RGB", (64, 64), (0, 128, 128))
    data = _encoded(image, "JPEG", quality=75, progressive=True)
    last, end = data.rfind(b"\xff\xda"), len(data) - 2   # before FF D9
    data = data[:end] + data[last:end] * (count - data.count(b"\xff\xda")) + data[end:]
    data = data[:2] + b"\xff\xfe\x00\x0azornik\xff\xd9" + data[2:]   # a comment that a decoder skips
    if huge:   # height and width, big-endian, in the progressive frame header
        at = data.find(b"\xff\xc2") + 5
        data = data[:at] + struct.pack(">HH", 8192, 8192) + data[at + 4:]
    return data


def _tiff_strip(jpeg):
    """A grey TIFF of 8192 x 8192 pixels in one strip compressed as `jpeg`: nine tags, each a LONG."""
    tags = [(256, 8192), (257, 8192), (258, 8), (259, 7), (262, 1), (273, 8 + 2 + 9 * 12 + 4), (277, 1),
            (278, 8192), (279, len(jpeg))]
    return (b"II*\0" + struct.pack("<IH", 8, len(tags)) + b"".join(struct.pack("<HHII", t, 4, 1, v) for t, v in tags)
            + struct.pack("<I", 0) + jpeg)


def _tiff_strip_typed(jpeg, offset_type, decoy=False):
    """_tiff_strip with the strip offset typed `offset_type` (1 BYTE, 6 SBYTE, 8 SSHORT, 9 SLONG), or, with
    `decoy`, kept as a LONG strip offset to nothing beside a tile offset to the JPEG: one tile of 8192 x 8192."""
    at = 8 + 2 + (13 if decoy else 9) * 12 + 4
    packed = struct.pack("<" + {1: "B", 6: "b", 8: "h", 9: "i"}[offset_type], at)
    offset = struct.pack("<HHI", 273, offset_type, 1) + packed.ljust(4, b"\0")
    if decoy:
        offset = struct.pack("<HHII", 273, 4, 1, 0xFFFFFF)
    entries = [(256, 4, 8192), (257, 4, 8192), (258, 3, 8), (259, 3, 7), (262, 3, 1)]
    tail = [(277, 3, 1), (278, 4, 8192), (279, 4, len(jpeg)), (322, 4, 8192), (323, 4, 8192), (324, 4, at),
            (325, 4, len(jpeg))] if decoy else [(277, 3, 1), (278, 4, 8192), (279, 4, len(jpeg))]
    tags = b"".join(struct.pack("<HHII", t, k, 1, v) for t, k, v in entries) + offset + b"".join(
        struct.pack("<HHII", t, k, 1, v) for t, k, v in tail)
    count = len(entries) + 1 + len(tail)
    return (b"II*\0" + struct.pack("<IH", 8, count) + tags + struct.pack("<I", 0)).ljust(at, b"\0") + jpeg


def _empty_segment(jpeg, segment):
    """`jpeg` with `segment`, a marker segment whose length says less than its own two bytes, after its start."""
    return jpeg[:2] + segment + jpeg[2:]


def _same_tiles(count):
    """A TIFF of `count` 32 x 32 JPEG tiles whose offsets all point at one start-of-image marker, nothing after."""
    side = 32 * int(count ** 0.5)
    at = 8 + 2 + 11 * 12 + 4
    tags = [(256, 4, 1, side), (257, 4, 1, side), (258, 3, 1, 8), (259, 3, 1, 7), (262, 3, 1, 1), (277, 3, 1, 1),
            (322, 3, 1, 32), (323, 3, 1, 32), (324, 4, count, at + 2), (325, 4, count, at + 2 + 4 * count)]
    head = b"II*\0" + struct.pack("<IH", 8, len(tags)) + b"".join(struct.pack("<HHII", *t) for t in tags)
    return (head + struct.pack("<I", 0)).ljust(at, b"\0") + b"\xff\xd8" + struct.pack("<I", at) * count + \
        struct.pack("<I", 2) * count


case("scans500.jpg", "loads 64x64", "progressive JPEG of 500 scans")(lambda: _scans(500))
case("scans501.jpg", "refused", "progressive JPEG of 501 scans")(lambda: _scans(501))
case("scans33_8192.jpg", "refused", "progressive JPEG of 33 scans claiming 8192 x 8192 pixels")(
    lambda: _scans(33, huge=True))
case("scans33_8192.tif", "refused", "TIFF whose one 8192 x 8192 strip is a grey JPEG of 33 scans")(
    lambda: _tiff_strip(_scans(33, grey=True, huge=True)))


case("scans1000_app15_empty.jpg", "refused",
     "progressive JPEG of 1000 scans claiming 8192 x 8192 pixels behind an APP15 segment of length 0")(
    lambda: _empty_segment(_scans(1000, huge=True), b"\xff\xef\x00\x00"))
case("scans1000_com_short.jpg", "refused",
     "progressive JPEG of 1000 scans claiming 8192 x 8192 pixels behind a comment of length 1")(
    lambda: _empty_segment(_scans(1000, huge=True), b"\xff\xfe\x00\x01"))
case("same_tiles16384.tif", "refused", "TIFF of 16384 JPEG tiles that all point at one start-of-image marker")(
    lambda: _same_tiles(16384))
for _type, _name in ((1, "byte"), (6, "sbyte"), (8, "sshort"), (9, "slong")):
    case("scans33_8192_%s.tif" % _name, "refused",
         "scans33_8192.tif with its strip offset typed %s" % _name.upper())(
        lambda _type=_type: _tiff_strip_typed(_scans(33, grey=True, huge=True), _type))
case("scans33_8192_decoy.tif", "refused",
     "TIFF whose one 8192 x 8192 tile is a grey JPEG of 33 scans, beside a strip offset to nothing")(
    lambda: _tiff_strip_typed(_scans(33, grey=True, huge=True), 9, decoy=True))


@case("cmyk_progressive_8000.jpg", "refused", "progressive CMYK JPEG claiming 8000 x 8000 pixels")
def cmyk_progressive_8000():
    data = _encoded(Image.new("CMYK", (64, 64), (10, 200, 30, 0)), "JPEG", quality=75, progressive=True)
    at = data.find(b"\xff\xc2") + 5
    return data[:at] + struct.pack(">HH", 8000, 8000) + data[at + 4:]


@case("text.jpg", "refused", "plain text wearing a .jpg name")
def text_jpeg():
    return b"This is not a picture, only a few lines of text\nwith a picture's name.\n"


def manifest_text():
    lines = ["# Awkward and broken pictures for the picture loader, made by tools/make_hostile_pictures.py.",
             "# One file a line: NAME OUTCOME, where OUTCOME is what the game's picture loader gives:",
             "# \"loads WxH\" (QImageReader's picture, turned upright by a valid orientation tag) or",
             "# \"refused\" (by QImageReader, or by the game as too large or too slow to decode).",
             "# A comment line above each entry says what the file is."]
    for name, outcome, description, _ in _CASES:
        lines += ["# " + description, "%s %s" % (name, outcome)]
    return "\n".join(lines) + "\n"


def make_all(folder):
    """Writes every file of the corpus and the manifest into `folder`."""
    os.makedirs(folder, exist_ok=True)
    for name, _, _, make in _CASES:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(make())
    with open(os.path.join(folder, "manifest.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write(manifest_text())


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, os.pardir, "tests", "data", "hostile")
    make_all(os.path.normpath(folder))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
