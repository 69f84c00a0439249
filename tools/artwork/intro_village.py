# SPDX-License-Identifier: MIT
"""The village of the start-up picture: the house, a windmill, trees, the path and the flower meadow."""

import math

from .pen import Pen

_FLOWER_COLOURS = ((230, 40, 50), (250, 220, 40), (255, 255, 255), (170, 80, 210),
                   (250, 140, 30), (240, 110, 180), (70, 110, 230))


def house(pen, x, y):
    """A cottage whose front wall spans x to x + 80 with its base line at y."""
    pen.rect(x, y - 48, x + 80, y, fill=(240, 215, 165), outline=(150, 110, 70))
    pen.rect(x + 56, y - 88, x + 66, y - 60, fill=(160, 70, 50))
    for i, r in enumerate((6, 8, 10)):
        pen.ellipse(x + 64 + i * 9, y - 96 - i * 12, r, r * 0.8, fill=(215, 215, 220))
    pen.polygon([(x - 10, y - 46), (x + 40, y - 88), (x + 90, y - 46)], fill=(200, 50, 40))
    pen.polygon([(x - 10, y - 46), (x + 40, y - 88), (x + 40, y - 82), (x - 4, y - 46)],
                fill=(150, 30, 30))
    for wx in (x + 8, x + 54):
        pen.rect(wx, y - 38, wx + 18, y - 22, fill=(120, 190, 240), outline=(255, 255, 255), width=2)
        pen.line([(wx + 9, y - 38), (wx + 9, y - 22)], fill=(255, 255, 255), width=1.5)
        pen.rect(wx - 2, y - 21, wx + 20, y - 18, fill=(120, 70, 40))
        for fx in range(3):
            pen.ellipse(wx + 3 + fx * 7, y - 22, 2.5, 2.5, fill=_FLOWER_COLOURS[fx])
    pen.rect(x + 32, y - 30, x + 47, y, fill=(130, 75, 35))
    pen.ellipse(x + 44, y - 15, 1.5, 1.5, fill=(250, 220, 60))


def fence(pen, x0, x1, y):
    for x in range(x0, x1 + 1, 9):
        pen.rect(x, y - 14, x + 3, y, fill=(250, 250, 245), outline=(140, 130, 120))
    pen.rect(x0, y - 10, x1 + 3, y - 8, fill=(250, 250, 245))


def windmill(pen, x, y):
    """A windmill with four sails, standing on the hill at (x, y)."""
    pen.polygon([(x - 10, y), (x + 10, y), (x + 6, y - 40), (x - 6, y - 40)], fill=(225, 220, 210))
    pen.polygon([(x - 8, y - 40), (x + 8, y - 40), (x, y - 50)], fill=(120, 60, 50))
    pen.rect(x - 3, y - 12, x + 3, y, fill=(100, 60, 40))
    hub = (x, y - 40)
    for k in range(4):
        a = math.pi / 4 + k * math.pi / 2
        tip = (hub[0] + 30 * math.cos(a), hub[1] + 30 * math.sin(a))
        side = (4 * math.cos(a + math.pi / 2), 4 * math.sin(a + math.pi / 2))
        pen.polygon([(hub[0] + 8 * math.cos(a), hub[1] + 8 * math.sin(a)), tip,
                     (tip[0] + side[0], tip[1] + side[1]),
                     (hub[0] + 8 * math.cos(a) + side[0], hub[1] + 8 * math.sin(a) + side[1])],
                    fill=(245, 245, 240))
        pen.line([hub, tip], fill=(90, 60, 40), width=1.5)
    pen.ellipse(hub[0], hub[1], 3, 3, fill=(60, 40, 30))


def chapel(pen, x, y):
    """A white chapel with a bell tower, its base centred on (x, y)."""
    pen.rect(x - 14, y - 16, x + 10, y, fill=(250, 248, 240), outline=(150, 140, 130))
    pen.polygon([(x - 17, y - 15), (x - 2, y - 26), (x + 13, y - 15)], fill=(90, 90, 120))
    pen.rect(x + 8, y - 32, x + 18, y, fill=(250, 248, 240), outline=(150, 140, 130))
    pen.polygon([(x + 6, y - 31), (x + 13, y - 46), (x + 20, y - 31)], fill=(60, 110, 80))
    pen.ellipse(x + 13, y - 24, 2.5, 2.5, fill=(240, 190, 40))
    pen.rect(x - 5, y - 9, x + 1, y, fill=(120, 70, 40))
    pen.line([(x + 13, y - 46), (x + 13, y - 54)], fill=(220, 180, 40), width=1)
    pen.line([(x + 10, y - 51), (x + 16, y - 51)], fill=(220, 180, 40), width=1)


def sheep(pen, flock):
    for x, y in flock:
        pen.line([(x - 3, y + 2), (x - 3, y + 6)], fill=(40, 40, 40), width=1)
        pen.line([(x + 3, y + 2), (x + 3, y + 6)], fill=(40, 40, 40), width=1)
        pen.ellipse(x, y, 6, 4, fill=(250, 250, 250))
        pen.ellipse(x + 6, y - 2, 2.5, 2, fill=(50, 45, 45))


def round_tree(pen, x, y, size, colour):
    pen.rect(x - size * 0.12, y - size * 0.9, x + size * 0.12, y, fill=(110, 70, 40))
    pen.ellipse(x, y - size * 1.3, size * 0.7, size * 0.6, fill=colour)
    pen.ellipse(x - size * 0.2, y - size * 1.45, size * 0.35, size * 0.3,
                fill=tuple(min(255, c + 40) for c in colour))


def fir(pen, x, y, size):
    pen.rect(x - size * 0.08, y - size * 0.3, x + size * 0.08, y, fill=(100, 65, 40))
    for i in range(3):
        top = y - size * (1.4 - i * 0.3)
        pen.polygon([(x, top), (x + size * (0.35 + i * 0.08), top + size * 0.55),
                     (x - size * (0.35 + i * 0.08), top + size * 0.55)],
                    fill=(30 + i * 10, 100 + i * 12, 60))


def _bare(x, y):
    """Whether (x, y) lies on the path or in the lake, where no grass or flower grows."""
    on_path = 104 < x - (y - 224) * 0.9 < 165
    in_lake = ((x - 360) / 178) ** 2 + ((y - 250) / 65) ** 2 < 1
    return on_path or in_lake


def meadow(pen, rng):
    """The foreground meadow with grass strokes, a sandy path and flowers."""
    pen.polygon([(0, 240), (120, 228), (230, 262), (245, 360), (0, 360)], fill=(100, 175, 60))
    pen.polygon([(230, 262), (270, 300), (480, 305), (480, 360), (245, 360)], fill=(95, 165, 55))
    pen.polygon([(108, 224), (124, 224), (150, 290), (210, 360), (150, 360), (118, 290)],
                fill=(215, 185, 125))
    for _ in range(900):
        x, y = rng.uniform(0, 480), rng.uniform(232, 360)
        shade = rng.choice(((70, 140, 45), (130, 200, 80), (85, 160, 50)))
        if not _bare(x, y):
            pen.line([(x, y), (x + rng.uniform(-2, 2), y - rng.uniform(3, 7))], fill=shade)
    for _ in range(160):
        x, y = rng.uniform(0, 480), rng.uniform(250, 358)
        colour = rng.choice(_FLOWER_COLOURS)
        if not _bare(x, y):
            r = 1.5 + (y - 240) / 50
            pen.ellipse(x, y, r, r, fill=colour)
            pen.ellipse(x, y, r * 0.4, r * 0.4, fill=(250, 200, 40))


def paint_village(image, scale, rng):
    pen = Pen(image, scale)
    windmill(pen, 215, 150)
    for x, y, size in ((188, 200, 22), (250, 195, 18), (15, 200, 26)):
        fir(pen, x, y, size)
    chapel(pen, 392, 170)
    sheep(pen, ((312, 176), (330, 181), (296, 184), (446, 172)))
    house(pen, 75, 220)
    round_tree(pen, 40, 230, 34, (50, 130, 50))
    round_tree(pen, 182, 222, 28, (70, 150, 40))
    meadow(pen, rng)
    fence(pen, 20, 100, 248)
    round_tree(pen, 455, 330, 40, (40, 120, 60))
