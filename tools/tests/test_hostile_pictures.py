"""Checks the hostile-picture corpus: the manifest matches the files, and each file is what it claims."""

import os
import struct
import unittest

import support

support.require_pil()

from PIL import Image, ImageFile  # noqa: E402

import make_hostile_pictures  # noqa: E402

# Qt's TIFF reader refuses a strip that is cut short; PIL fills in the rest, so PIL cannot tell.
QT_STRICTER_THAN_PIL = {"truncated.tiff"}
# Qt refuses any picture whose 32-bit pixels would need more than this (QImageReader::allocationLimit).
QT_ALLOCATION_LIMIT = 128 * 1024 * 1024


def path(name):
    return os.path.join(support.HOSTILE, name)


def read(name):
    with open(path(name), "rb") as f:
        return f.read()


def manifest():
    """The manifest as {file name: outcome}, checking each entry's form on the way."""
    entries = {}
    for line in read("manifest.txt").decode("utf-8").splitlines():
        if line.startswith("#"):
            continue
        name, outcome = line.split(" ", 1)
        if outcome != "refused":
            kind, size = outcome.split(" ")
            width, height = (int(v) for v in size.split("x"))
            assert kind == "loads" and width > 0 and height > 0, line
        assert name not in entries, "listed twice: " + name
        entries[name] = outcome
    return entries


def pil_outcome(name, tolerant):
    """What PIL makes of a file, in the manifest's words; tolerant lets it fill in cut-off data."""
    ImageFile.LOAD_TRUNCATED_IMAGES = tolerant
    try:
        with Image.open(path(name)) as image:
            image.load()
            width, height = image.size
    except (OSError, SyntaxError, ValueError, Image.DecompressionBombError):
        return "refused"
    finally:
        ImageFile.LOAD_TRUNCATED_IMAGES = False
    if width * height * 4 > QT_ALLOCATION_LIMIT:
        return "refused"
    return "loads %dx%d" % (width, height)


class ManifestTest(unittest.TestCase):
    def test_lists_exactly_the_files_present(self):
        present = set(os.listdir(support.HOSTILE)) - {"manifest.txt"}
        self.assertEqual(set(manifest()), present)

    def test_is_what_the_generator_writes_now(self):
        self.assertEqual(read("manifest.txt").decode("utf-8"), make_hostile_pictures.manifest_text())

    def test_agrees_with_pil(self):
        for name, outcome in manifest().items():
            with self.subTest(name=name):
                if name in QT_STRICTER_THAN_PIL:
                    self.assertEqual(outcome, "refused")
                    self.assertEqual(pil_outcome(name, tolerant=False), "refused")
                else:
                    self.assertEqual(pil_outcome(name, tolerant=True), outcome)

    def test_corpus_stays_small(self):
        total = sum(os.path.getsize(path(n)) for n in os.listdir(support.HOSTILE))
        self.assertLess(total, 2 * 1024 * 1024)


class CorpusFileTest(unittest.TestCase):
    def test_truncated_files_really_are_cut(self):
        for name in ("truncated.jpg", "truncated.gif", "truncated.bmp", "truncated.tiff"):
            with self.subTest(name=name):
                self.assertEqual(pil_outcome(name, tolerant=False), "refused")

    def test_huge_headers_claim_40000_square_without_pixels(self):
        data = read("huge.bmp")
        self.assertEqual(struct.unpack_from("<ii", data, 18), (40000, 40000))
        self.assertEqual(len(data), 54)
        data = read("huge.gif")
        self.assertEqual(struct.unpack_from("<HH", data, 6), (40000, 40000))
        image_at = data.index(b",", 13)
        self.assertEqual(struct.unpack_from("<HH", data, image_at + 5), (40000, 40000))

    def test_zero_sides(self):
        self.assertEqual(struct.unpack_from("<HH", read("zero.gif"), 6), (0, 0))
        self.assertEqual(struct.unpack_from("<ii", read("zero_width.bmp"), 18), (0, 16))

    def test_special_encodings(self):
        data = read("rle8.bmp")
        self.assertEqual(struct.unpack_from("<HI", data, 28), (8, 1), "8 bits, BI_RLE8")
        self.assertEqual(struct.unpack_from("<H", read("mono.bmp"), 28), (1,))
        with Image.open(path("cmyk.jpg")) as image:
            self.assertEqual(image.mode, "CMYK")
        with Image.open(path("progressive.jpg")) as image:
            self.assertTrue(image.info.get("progressive"))
        self.assertTrue(read("interlaced.gif")[13 + 768 + 9] & 0x40, "interlace flag")

    def test_several_frames(self):
        for name, frames in (("animated.gif", 3), ("multipage.tiff", 2)):
            with Image.open(path(name)) as image:
                self.assertEqual(image.n_frames, frames, name)

    def test_text_is_plain_text(self):
        text = read("text.jpg").decode("ascii")
        self.assertTrue(all(c.isprintable() or c == "\n" for c in text))


if __name__ == "__main__":
    unittest.main()
