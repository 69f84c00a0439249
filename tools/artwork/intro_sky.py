# SPDX-License-Identifier: MIT
"""The sky of the start-up picture: gradient, rainbow, sun, clouds, a balloon and birds."""

import math

from PIL import Image

from .pen import Pen

HORIZON = 170


def sky(pen):
    pen.vertical_gradient(0, 0, 480, HORIZON + 40, (30, 85, 190), (170, 215, 250))


def rainbow(image, scale):
    """A translucent rainbow arc over the left of the picture; later layers hide its feet."""
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    pen = Pen(layer, scale)
    bands = ((230, 40, 40), (245, 140, 30), (250, 230, 50), (60, 190, 70),
             (50, 120, 230), (80, 60, 180), (150, 70, 200))
    for i, colour in enumerate(bands):
        pen.arc(95, 215, 150 - i * 6, 180, 360, colour + (120,), 6)
    image.alpha_composite(layer)


def sun(pen):
    cx, cy = 415, 58
    for k in range(16):
        a = k * math.pi / 8
        length = 52 if k % 2 else 42
        side = 0.12
        pen.polygon([(cx + 30 * math.cos(a - side), cy + 30 * math.sin(a - side)),
                     (cx + length * math.cos(a), cy + length * math.sin(a)),
                     (cx + 30 * math.cos(a + side), cy + 30 * math.sin(a + side))],
                    fill=(255, 170, 40) if k % 2 else (255, 220, 60))
    pen.ellipse(cx, cy, 31, 31, fill=(255, 150, 30))
    pen.ellipse(cx, cy, 27, 27, fill=(255, 225, 70))
    pen.ellipse(cx - 8, cy - 8, 9, 9, fill=(255, 245, 170))


def cloud(pen, cx, cy, size):
    """A cloud of overlapping puffs with a grey underside."""
    puffs = ((-1.0, 0.2, 0.7), (-0.4, -0.3, 0.9), (0.4, -0.2, 0.8), (1.0, 0.25, 0.6), (0.0, 0.3, 0.8))
    for dx, dy, r in puffs:
        pen.ellipse(cx + dx * size, cy + dy * size + 3, r * size, r * size * 0.8, (200, 210, 225))
    for dx, dy, r in puffs:
        pen.ellipse(cx + dx * size, cy + dy * size, r * size, r * size * 0.8, (252, 252, 255))


def balloon(pen, cx, cy):
    """A hot-air balloon with a striped envelope and a wicker basket."""
    colours = ((220, 40, 50), (250, 200, 40), (40, 110, 210), (60, 180, 80), (240, 120, 30))
    pen.ellipse(cx, cy, 26, 30, fill=colours[0])
    for i, colour in enumerate(colours):
        half = 24 - i * 5.5
        pen.ellipse(cx, cy, max(3, half), 30, fill=colour)
    pen.polygon([(cx - 20, cy + 18), (cx + 20, cy + 18), (cx + 7, cy + 38), (cx - 7, cy + 38)],
                fill=(220, 40, 50))
    pen.line([(cx - 7, cy + 38), (cx - 5, cy + 46)], fill=(80, 60, 40), width=1)
    pen.line([(cx + 7, cy + 38), (cx + 5, cy + 46)], fill=(80, 60, 40), width=1)
    pen.rect(cx - 6, cy + 46, cx + 6, cy + 54, fill=(150, 100, 50), outline=(90, 60, 30))


def kite(pen, x, y):
    """A diamond kite with a bowed tail, flown from somewhere off to the lower right."""
    pen.polygon([(x, y - 16), (x + 11, y), (x, y + 20), (x - 11, y)], fill=(230, 50, 120))
    pen.polygon([(x, y - 16), (x + 11, y), (x, y)], fill=(250, 210, 40))
    pen.polygon([(x, y), (x - 11, y), (x, y + 20)], fill=(60, 170, 220))
    tail = [(x + math.sin(i / 2.0) * 5, y + 20 + i * 6) for i in range(9)]
    pen.line(tail, fill=(80, 60, 90), width=1)
    for i, (tx, ty) in enumerate(tail[1::2]):
        colour = ((250, 120, 30), (120, 200, 60))[i % 2]
        pen.polygon([(tx - 3, ty - 2), (tx + 3, ty + 2), (tx + 3, ty - 2), (tx - 3, ty + 2)], fill=colour)
    pen.line([(x, y + 20), (x + 60, y + 140)], fill=(245, 245, 245), width=0.5)


def birds(pen, flock):
    for x, y, span in flock:
        pen.line([(x - span, y - span / 2), (x - span / 3, y - span / 5), (x, y + span / 6)],
                 fill=(40, 40, 60), width=1.5)
        pen.line([(x, y + span / 6), (x + span / 3, y - span / 5), (x + span, y - span / 2)],
                 fill=(40, 40, 60), width=1.5)


def paint_sky(image, scale):
    """Everything above the horizon that stands in the open sky."""
    pen = Pen(image, scale)
    sky(pen)
    rainbow(image, scale)
    sun(pen)
    for cx, cy, size in ((80, 45, 22), (250, 30, 18), (330, 105, 16), (195, 120, 12)):
        cloud(pen, cx, cy, size)
    balloon(pen, 160, 60)
    kite(pen, 335, 30)
    birds(pen, ((268, 70, 7), (285, 62, 6), (300, 76, 8), (60, 110, 5)))
