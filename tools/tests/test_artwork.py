# SPDX-License-Identifier: MIT
"""Checks the generated pictures in assets/ are what the script makes now, so nobody edits one by hand."""

import importlib.util
import pathlib
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
TOOLS = pathlib.Path(__file__).resolve().parent.parent
ASSETS = TOOLS.parent / "assets"
sys.path.insert(0, str(TOOLS))
if importlib.util.find_spec("PIL") is None:   # nothing is wrong with the files: CTest counts 77 as skipped
    sys.stderr.write("PIL (Debian package python3-pil) is not installed\n")
    sys.exit(77)

from PIL import Image  # noqa: E402

from artwork.buttons import BUTTONS  # noqa: E402
import make_artwork  # noqa: E402


def rgba(path):
    with Image.open(path) as image:
        return image.convert("RGBA")


class RegenerationTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.folder.cleanup)
        make_artwork.make_all(cls.folder.name)

    def test_hand_written_formats_are_identical(self):
        for name in ("pattern.gif", "resources.qrc", "zornik.ico", "icons/app.svg"):
            fresh, kept = (pathlib.Path(folder, name).read_bytes() for folder in (self.folder.name, ASSETS))
            self.assertEqual(fresh, kept, name)

    def test_encoded_pictures_have_the_same_pixels(self):
        pictures = ["buttons/%s%s.png" % (n, x) for n in BUTTONS for x in ("", "@2x")]
        for name in pictures + ["zornik.png", "intro.jpg", "icons/app-128.png", "icons/app-256.png"]:
            fresh, kept = rgba(pathlib.Path(self.folder.name, name)), rgba(ASSETS / name)
            self.assertEqual(fresh.size, kept.size, name)
            diff = sum(abs(a - b) for p, q in zip(fresh.getdata(), kept.getdata()) for a, b in zip(p, q))
            self.assertLessEqual(diff / (4 * kept.width * kept.height), 0.5, name)


class ButtonPicturesTest(unittest.TestCase):
    def test_double_size_buttons_are_drawn_not_scaled(self):
        compiled_in = (ASSETS / "resources.qrc").read_text()
        for name in BUTTONS:
            # Qt takes NAME@2x.png from beside NAME.png in the resources for a scale of two.
            self.assertIn("<file>buttons/%s@2x.png</file>" % name, compiled_in)
            one, two = (rgba(ASSETS / "buttons" / (name + x + ".png")) for x in ("", "@2x"))
            self.assertEqual((one.size, two.size), ((16, 16), (32, 32)), name)
            self.assertTrue(two.tobytes() != one.resize((32, 32), Image.NEAREST).tobytes(), name)


if __name__ == "__main__":
    unittest.main()
