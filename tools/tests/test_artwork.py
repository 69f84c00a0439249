"""Checks the generated pictures in assets/ and the hand-written ICO, GIF and BMP writers behind them."""

import io
import os
import random
import struct
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

import support

support.require_pil()

from PIL import Image  # noqa: E402

from artwork import bmp, gif87, ico  # noqa: E402
from artwork.buttons import BUTTONS  # noqa: E402
from artwork.palette import SILVER, VGA16  # noqa: E402
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

    def test_rejects_what_it_cannot_write(self):
        good = dict(width=2, height=1, bpp=4, palette=[(0, 0, 0)] * 2, pixels=[0, 1],
                    transparent=[False, False])
        for change in ({"bpp": 24}, {"pixels": [0, 2]}, {"width": 3},
                       {"palette": [(0, 0, 0)] * 17}, {"width": 0, "pixels": [], "transparent": []}):
            with self.assertRaises(ValueError, msg=change):
                ico.dib_payload(ico.IconImage(**dict(good, **change)))


class WindowIconTest(unittest.TestCase):
    def setUp(self):
        self.data = read(asset("zornik.ico"))

    def test_four_images_in_the_window_order_and_depths(self):
        entries = support.ico_entries(self.data)
        self.assertEqual([(w, h, bpp) for w, h, _, bpp, _, _ in entries],
                         [(32, 32, 4), (48, 48, 8), (32, 32, 8), (16, 16, 4)])
        self.assertEqual([c for _, _, c, _, _, _ in entries], [16, 0, 0, 16])

    def test_payloads_are_contiguous_palette_bitmaps(self):
        entries = support.ico_entries(self.data)
        offset = 6 + 16 * len(entries)
        for w, h, _, bpp, size, start in entries:
            self.assertEqual(start, offset)
            fields = struct.unpack_from("<IiiHHI", self.data, start)
            self.assertEqual(fields, (40, w, 2 * h, 1, bpp, 0))
            row = lambda bits: (bits + 31) // 32 * 4  # noqa: E731
            self.assertEqual(size, 40 + 4 * (1 << bpp) + h * (row(w * bpp) + row(w)))
            offset += size
        self.assertEqual(offset, len(self.data))

    def test_rim_is_transparent_and_board_opaque(self):
        with Image.open(asset("zornik.ico")) as icon:
            frames = [icon.ico.frame(index).convert("RGBA") for index in range(4)]
        for frame in frames:
            side = frame.width
            self.assertEqual(frame.getpixel((0, 0))[3], 0)
            self.assertEqual(frame.getpixel((side // 2, side // 2))[3], 255)

    def test_png_matches_large_image(self):
        png = picture("zornik.png")
        self.assertEqual((png.size, png.mode), ((48, 48), "RGBA"))


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

    def test_interlaced_row_order(self):
        self.assertEqual(gif87.interlaced_rows(10), [0, 8, 4, 2, 6, 1, 3, 5, 7, 9])
        self.assertEqual(sorted(gif87.interlaced_rows(37)), list(range(37)))

    def test_too_many_colours_refused(self):
        with self.assertRaises(ValueError):
            gif87.header(1, 1, [(0, 0, 0)] * 257)


class BackgroundPatternTest(unittest.TestCase):
    def setUp(self):
        self.data = read(asset("pattern.gif"))
        self.image = picture("pattern.gif")

    def test_gif87a_with_full_colour_table_and_no_extensions(self):
        self.assertEqual(self.data[:6], b"GIF87a")
        self.assertEqual(struct.unpack_from("<HH", self.data, 6), (64, 64))
        self.assertEqual(self.data[10] & 0x87, 0x87, "global table of 256 entries")
        self.assertEqual(support.gif_blocks(self.data), [b",", b";"])

    def test_about_thirty_light_colours(self):
        used = self.image.convert("RGB").getcolors()
        self.assertTrue(24 <= len(used) <= 36, len(used))
        self.assertGreaterEqual(min(min(rgb) for _, rgb in used), 190)

    def test_pink_green_and_grey_tones(self):
        pixels = list(self.image.convert("RGB").getdata())
        pink = sum(1 for r, g, b in pixels if r - g > 8)
        green = sum(1 for r, g, b in pixels if g - r > 8)
        grey = sum(1 for r, g, b in pixels if max(r, g, b) - min(r, g, b) <= 3 and r < 240)
        for name, count in (("pink", pink), ("green", green), ("grey", grey)):
            self.assertGreater(count, len(pixels) // 20, name)

    def test_tiles_without_seams(self):
        grey = self.image.convert("L")
        px = lambda x, y: grey.getpixel((x % 64, y % 64))  # noqa: E731

        def step(pairs):
            return sum(abs(px(*a) - px(*b)) for a, b in pairs) / len(pairs)
        inside = step([((x, y), (x + 1, y)) for x in range(62) for y in range(64)])
        across = step([((63, y), (64, y)) for y in range(64)] + [((x, 63), (x, 64)) for x in range(64)])
        self.assertLess(across, inside * 1.6 + 0.5)


class ButtonPicturesTest(unittest.TestCase):
    def test_every_button_is_16_colour_pixel_art_on_button_grey(self):
        for name in BUTTONS:
            with self.subTest(name=name):
                image = picture("buttons", name + ".png")
                self.assertEqual(image.size, (16, 16))
                colours = {rgb for _, rgb in image.convert("RGB").getcolors()}
                self.assertLessEqual(len(colours), 16)
                self.assertTrue(colours <= set(VGA16))
                self.assertEqual(image.convert("RGB").getpixel((0, 0)), SILVER)
                drawn = sum(1 for p in image.convert("RGB").getdata() if p != SILVER)
                self.assertGreater(drawn, 40, "too little drawn to be recognisable")

    def test_about_is_a_yellow_question_mark(self):
        colours = picture("buttons", "about.png").convert("RGB").getcolors()
        yellow = dict((rgb, n) for n, rgb in colours).get((255, 255, 0), 0)
        self.assertGreater(yellow, 25)

    def test_malformed_art_is_refused(self):
        from artwork.buttons import render
        with self.assertRaises(ValueError):
            render("." * 16 + "\n" * 15)


class StartUpPictureTest(unittest.TestCase):
    def test_baseline_jpeg_of_432_by_288(self):
        image = picture("intro.jpg")
        self.assertEqual((image.format, image.size, image.mode), ("JPEG", (432, 288), "RGB"))
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

    def test_colourful(self):
        hues = picture("intro.jpg").convert("HSV").reduce(4)
        saturated = {h // 16 for h, s, v in hues.getdata() if s > 100 and v > 80}
        self.assertGreaterEqual(len(saturated), 12)


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

    def test_long_runs_are_split(self):
        rows = [[3] * 600]
        self.assertEqual(bmp.rle8(rows), bytes((255, 3, 255, 3, 90, 3)) + b"\0\1")


if __name__ == "__main__":
    unittest.main()
