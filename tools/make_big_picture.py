#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes a large colourful JPEG for the benchmarks (4000 x 3000 unless told otherwise).

Usage: make_big_picture.py PATH [WIDTH HEIGHT]
Needs python3 with PIL. The output is the same on every run and takes about a second.
"""

import colorsys
import sys

from PIL import Image, ImageDraw

_CELL = 100


def _backdrop(width, height):
    """Smooth colour fields: a gradient across, a ring pattern and a fractal, one per channel."""
    red = Image.linear_gradient("L").rotate(90).resize((width, height))
    green = Image.radial_gradient("L").resize((width, height))
    blue = Image.effect_mandelbrot((width // 4, height // 4), (-2.2, -1.2, 1.0, 1.2), 60)
    return Image.merge("RGB", (red, green, blue.resize((width, height))))


def _hue(t):
    return tuple(round(c * 255) for c in colorsys.hsv_to_rgb(t % 1.0, 0.8, 0.95))


def _marks(image):
    """One differently coloured and sized disc per cell, so any cut of the picture looks unique."""
    draw = ImageDraw.Draw(image)
    width, height = image.size
    for row in range(height // _CELL):
        for col in range(width // _CELL):
            x, y = col * _CELL + _CELL // 2, row * _CELL + _CELL // 2
            r = 12 + (col * 7 + row * 13) % 30
            draw.ellipse((x - r, y - r, x + r, y + r), fill=_hue(col * 0.023 + row * 0.061),
                         outline=(255, 255, 255), width=3)


def make(path, width=4000, height=3000):
    """Writes the picture to `path` as a baseline JPEG."""
    image = _backdrop(width, height)
    _marks(image)
    image.save(path, "JPEG", quality=88)


def main(argv):
    if len(argv) not in (2, 4):
        sys.stderr.write(__doc__)
        return 2
    size = (int(argv[2]), int(argv[3])) if len(argv) == 4 else (4000, 3000)
    make(argv[1], *size)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
