"""Checks the generated pictures in assets/ and the hand-written ICO, GIF and BMP writers behind them."""

import io
import os
import random
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

import support

support.require_pil()

from PIL import Image  # noqa: E402

from artwork import bmp, gif87, ico  # noqa: E402
from artwork.buttons import BUTTONS  # noqa: E402
import make_artwork  # noqa: E402


def asset(*parts):
    return os.path.join(support.ASSETS, *parts)


def picture(*parts):
    """The decoded picture at assets/<parts>, with its file already closed."""
    with Image.open(asset(*parts)) as image:
        image.load()
        return image


def read(path):
    with open(path, "rb") as f:
        return f.read()


class IcoWriterTest(unittest.TestCase):
    def _round_trip(self, image):
        decoded = Image.open(io.BytesIO(ico.ico_bytes([image])))
        return decoded.convert("RGBA")

    def test_pixels_rows_and_transparency_survive(self):
        rng = random.Random(5)
        for bpp, side in ((4, 16), (4, 5), (8, 7), (8, 32)):
            palette = [tuple(rng.randrange(256) for _ in range(3)) for _ in range(1 << bpp)]
            pixels = [rng.randrange(1 << bpp) for _ in range(side * side)]
            clear = [rng.random() < 0.2 for _ in range(side * side)]
            decoded = self._round_trip(ico.IconImage(side, side, bpp, palette, pixels, clear))
            for i, (p, t) in enumerate(zip(pixels, clear)):
                got = decoded.getpixel((i % side, i // side))
                self.assertEqual(got[3] == 0, t, (bpp, side, i))
                if not t:
                    self.assertEqual(got[:3], palette[p], (bpp, side, i))

class WindowIconTest(unittest.TestCase):
    def setUp(self):
        self.data = read(asset("zornik.ico"))

    def test_four_images_in_the_window_order_and_depths(self):
        entries = support.ico_entries(self.data)
        self.assertEqual([(w, h, bpp) for w, h, _, bpp, _, _ in entries],
                         [(32, 32, 4), (48, 48, 8), (32, 32, 8), (16, 16, 4)])
        self.assertEqual([c for _, _, c, _, _, _ in entries], [16, 0, 0, 16])

class GifWriterTest(unittest.TestCase):
    def test_round_trip_through_pil(self):
        rng = random.Random(11)
        # 300 x 300 random pixels fill the 4096-entry code table several times over.
        for w, h, colours, interlaced in ((1, 1, 2, False), (3, 5, 2, False), (64, 64, 256, False),
                                          (100, 37, 16, True), (300, 300, 256, False)):
            palette = [tuple(rng.randrange(256) for _ in range(3)) for _ in range(colours)]
            pixels = [rng.randrange(colours) for _ in range(w * h)]
            data = gif87.gif87_bytes(w, h, palette, pixels, interlaced)
            decoded = Image.open(io.BytesIO(data)).convert("RGB")
            self.assertEqual(list(decoded.getdata()), [palette[p] for p in pixels], (w, h))
            self.assertEqual(decoded.size, (w, h))

class StartUpPictureTest(unittest.TestCase):
    def test_baseline_jpeg_of_480_by_360(self):
        image = picture("intro.jpg")
        self.assertEqual((image.format, image.size, image.mode), ("JPEG", (480, 360), "RGB"))
        self.assertNotIn("progressive", image.info)
        self.assertNotIn("progression", image.info)

    def test_tiles_of_an_8_by_8_board_all_differ(self):
        image = picture("intro.jpg").convert("RGB").reduce(3)
        w, h = image.width // 8, image.height // 8
        tiles = [list(image.crop((c * w, r * h, c * w + w, r * h + h)).getdata())
                 for r in range(8) for c in range(8)]

        def distance(a, b):
            return sum(abs(x - y) for p, q in zip(a, b) for x, y in zip(p, q)) / (3 * len(a))
        closest = min(distance(a, b) for i, a in enumerate(tiles) for b in tiles[i + 1:])
        self.assertGreater(closest, 4)

class ResourceListTest(unittest.TestCase):
    def test_lists_existing_files_under_root_prefix(self):
        root = ElementTree.parse(asset("resources.qrc")).getroot()
        resources = root.findall("qresource")
        self.assertEqual([r.get("prefix") for r in resources], ["/"])
        files = [f.text for f in resources[0].findall("file")]
        expected = ["buttons/%s.png" % n for n in BUTTONS] + ["zornik.ico", "zornik.png", "pattern.gif"]
        self.assertEqual(sorted(files), sorted(expected))
        for name in files:
            self.assertTrue(os.path.isfile(asset(name)), name)


class RegenerationTest(unittest.TestCase):
    """The committed pictures are what the script makes now, so nobody edits one by hand."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        make_artwork.make_all(cls.folder.name)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_hand_written_formats_are_identical(self):
        for name in ("pattern.gif", "resources.qrc", "zornik.ico"):
            self.assertEqual(read(os.path.join(self.folder.name, name)), read(asset(name)), name)

    def test_encoded_pictures_have_the_same_pixels(self):
        names = ["buttons/%s.png" % n for n in BUTTONS] + ["zornik.png", "intro.jpg"]
        for name in names:
            with Image.open(os.path.join(self.folder.name, name)) as image:
                fresh = image.convert("RGBA")
            kept = picture(name).convert("RGBA")
            self.assertEqual(fresh.size, kept.size, name)
            diff = sum(abs(a - b) for p, q in zip(fresh.getdata(), kept.getdata()) for a, b in zip(p, q))
            self.assertLessEqual(diff / (4 * kept.width * kept.height), 0.5, name)


class BmpWriterTest(unittest.TestCase):
    def test_rle8_and_1_bit_round_trip(self):
        rng = random.Random(8)
        w, h = 37, 21
        palette = [tuple(rng.randrange(256) for _ in range(3)) for _ in range(256)]
        # Left half runs, right half noise: both encoded and absolute mode are used.
        rows = [[(x // 5 + y) % 7 if x < 20 else rng.randrange(256) for x in range(w)] for y in range(h)]
        data = bmp.bmp_bytes(w, h, 8, palette, bmp.rle8(rows), bmp.BI_RLE8)
        decoded = Image.open(io.BytesIO(data))
        self.assertEqual(decoded.info.get("compression"), bmp.BI_RLE8)
        self.assertEqual(list(decoded.convert("RGB").getdata()), [palette[v] for r in rows for v in r])
        mono = [[(x ^ y) & 1 for x in range(w)] for y in range(h)]
        data = bmp.bmp_bytes(w, h, 1, [(0, 0, 0), (255, 255, 255)], bmp.pack_rows(mono, 1))
        self.assertEqual(list(Image.open(io.BytesIO(data)).convert("L").getdata()),
                         [255 * v for r in mono for v in r])


if __name__ == "__main__":
    unittest.main()
