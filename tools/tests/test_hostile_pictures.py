"""Checks the hostile-picture corpus: the manifest matches the files, and each file is what it claims."""

import os
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

if __name__ == "__main__":
    unittest.main()
