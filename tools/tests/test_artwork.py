# SPDX-License-Identifier: MIT
"""Checks the generated pictures in assets/ are what the script makes now."""

import os
import tempfile
import unittest

import support

support.require_pil()

from PIL import Image  # noqa: E402

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
