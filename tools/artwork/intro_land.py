# SPDX-License-Identifier: MIT
"""The land and water of the start-up picture: mountains, hills, the lake and its boats."""

import math

from .intro_sky import HORIZON
from .pen import Pen

LAKE_TOP = 200


def mountains(pen):
    ranges = (((100, 110, 165), ((0, 160), (40, 120), (70, 135), (120, 95), (170, 140))),
              ((120, 105, 170), ((260, 160), (320, 100), (360, 125), (420, 85), (480, 130))),
              ((140, 130, 185), ((150, 165), (215, 118), (260, 150), (300, 165))))
    for colour, peaks in ranges:
        pen.polygon([(peaks[0][0], HORIZON + 20)] + list(peaks) + [(peaks[-1][0], HORIZON + 20)],
                    fill=colour)
        for (x0, y0), (x, y), (x1, y1) in zip(peaks, peaks[1:], peaks[2:]):
            if y < 125:
                # A snow cap follows the two slopes a short way down from the peak.
                pen.polygon([(x, y), (x + (x1 - x) * 0.3, y + (y1 - y) * 0.3),
                             (x + 2, y + 11), (x + (x0 - x) * 0.3, y + (y0 - y) * 0.3)],
                            fill=(245, 248, 255))


def hill(pen, left, right, top, base, colour):
    """A rounded hill from left to right rising to `top`, filled down to `base`."""
    steps = 40
    points = [(left + (right - left) * i / steps,
               base - (base - top) * math.sin(math.pi * i / steps) ** 0.8) for i in range(steps + 1)]
    pen.polygon(points + [(right, 360), (left, 360)], fill=colour)


def hills(pen):
    hill(pen, -60, 260, 140, 200, (85, 150, 70))
    hill(pen, 180, 540, 150, 205, (70, 135, 85))
    hill(pen, -40, 200, 165, 215, (120, 185, 65))


def lake(pen, rng):
    """The lake to the lower right, with ripples and a sandy shore."""
    pen.ellipse(360, 250, 175, 62, fill=(215, 195, 140))
    pen.ellipse(362, 250, 166, 55, fill=(45, 110, 185))
    pen.ellipse(370, 243, 140, 40, fill=(70, 140, 205))
    pen.ellipse(385, 236, 90, 22, fill=(110, 175, 225))
    for _ in range(45):
        x, y = rng.uniform(215, 500), rng.uniform(205, 295)
        if ((x - 362) / 160) ** 2 + ((y - 250) / 50) ** 2 < 1:
            pen.line([(x, y), (x + rng.uniform(5, 14), y)], fill=(200, 230, 250), width=1)


def sailboat(pen, x, y):
    """A sailing boat with a red hull and a striped sail, and its wavering reflection."""
    pen.polygon([(x - 30, y), (x + 30, y), (x + 22, y + 12), (x - 22, y + 12)], fill=(190, 30, 40))
    pen.rect(x - 22, y + 12, x + 22, y + 15, fill=(60, 80, 150))
    pen.line([(x, y), (x, y - 62)], fill=(90, 60, 30), width=2)
    pen.polygon([(x + 2, y - 60), (x + 2, y - 4), (x + 34, y - 4)], fill=(250, 250, 245))
    for i, colour in enumerate(((250, 200, 40), (240, 110, 40), (250, 200, 40))):
        top = y - 52 + i * 14
        pen.polygon([(x - 2, top), (x - 2, top + 14), (x - 30 + i * 4, top + 14)], fill=colour)
    pen.line([(x - 18, y - 58), (x, y - 64)], fill=(220, 30, 50), width=3)
    for i in range(4):
        pen.line([(x - 20 + i * 3, y + 20 + i * 4), (x + 18 - i * 3, y + 20 + i * 4)],
                 fill=(150, 70, 90), width=1.5)


def rowing_boat(pen, x, y):
    pen.polygon([(x - 16, y), (x + 16, y), (x + 11, y + 7), (x - 11, y + 7)], fill=(40, 140, 70))
    pen.ellipse(x - 2, y - 7, 4, 4, fill=(240, 190, 150))
    pen.rect(x - 5, y - 4, x + 2, y, fill=(230, 220, 40))
    pen.line([(x - 14, y + 8), (x + 10, y - 6)], fill=(120, 80, 40), width=1.5)


def ducks(pen, positions):
    for x, y in positions:
        pen.ellipse(x, y, 5, 3, fill=(255, 255, 255))
        pen.ellipse(x + 4, y - 4, 2.5, 2.5, fill=(255, 255, 255))
        pen.polygon([(x + 6, y - 4.5), (x + 9, y - 3.5), (x + 6, y - 2.5)], fill=(250, 150, 30))


def paint_land(image, scale, rng):
    pen = Pen(image, scale)
    mountains(pen)
    hills(pen)
    lake(pen, rng)
    sailboat(pen, 335, 238)
    rowing_boat(pen, 440, 226)
    ducks(pen, ((260, 262), (275, 270), (385, 282)))
