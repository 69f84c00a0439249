"""Checks the generated pictures in assets/ are what the script makes now, and the hand-written GIF writer."""

import io
import os
import random
import tempfile
import unittest

import support

support.require_pil()

from PIL import Image  # noqa: E402

from artwork import gif87  # noqa: E402
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


if __name__ == "__main__":
    unittest.main()
