# SPDX-License-Identifier: MIT
"""The six button pictures drawn again at 32 x 32, for screens scaled by two: the same motifs and
colours as the 16 x 16 pixel art, with outlines one screen pixel wide instead of two."""

import math

from PIL import Image

from .palette import LETTERS, SILVER
from .pen import Pen

SIDE = 32
_SCALE = 8   # drawn eight times larger and reduced, so slanted and round edges come out smooth

K, W, Y, O, N, B, D = (LETTERS[c] for c in "kwyonbd")
_LIGHT = (224, 224, 224)

# Coordinates are in the 32-pixel grid; a one-pixel line through x.5 fills exactly one column.


def _outlined(pen, points, fill):
    pen.polygon(points, fill=fill)
    pen.line(points + points[:1], fill=K)


def _other_image(pen):
    """Blank sheet of paper with a folded corner."""
    _outlined(pen, [(4.5, 2.5), (20.5, 2.5), (28.5, 10.5), (28.5, 29.5), (4.5, 29.5)], W)
    pen.rect(26, 11, 27.9, 28.9, fill=D)
    pen.rect(5, 27, 27.9, 28.9, fill=D)
    _outlined(pen, [(20.5, 2.5), (28.5, 10.5), (20.5, 10.5)], _LIGHT)


def _open(pen):
    """Open folder with an arrow swinging into it."""
    _outlined(pen, [(1.5, 28.5), (1.5, 10.5), (3.5, 8.5), (9.5, 8.5), (11.5, 11.5), (24.5, 11.5),
                    (24.5, 28.5)], Y)
    _outlined(pen, [(4.5, 14.5), (22.5, 14.5), (22.5, 20.5), (4.5, 20.5)], W)
    _outlined(pen, [(1.5, 28.5), (6.5, 17.5), (29.5, 17.5), (24.5, 28.5)], Y)
    pen.line([(28.0, 18.5), (23.8, 27.5), (3.0, 27.5)], fill=O)
    pen.arc(21, 9, 5.5, 195, 345, fill=K, width=1.4)
    pen.polygon([(24.0, 7.0), (30.5, 6.0), (28.5, 12.5)], fill=K)


def _save(pen):
    """Floppy disk with a label and a metal shutter."""
    _outlined(pen, [(2.5, 2.5), (29.5, 2.5), (29.5, 29.5), (5.5, 29.5), (2.5, 26.5)], N)
    _outlined(pen, [(7.5, 2.5), (24.5, 2.5), (24.5, 15.5), (7.5, 15.5)], W)
    pen.rect(10, 7, 21.9, 7.9, fill=D)
    pen.rect(10, 11, 21.9, 11.9, fill=D)
    _outlined(pen, [(8.5, 19.5), (23.5, 19.5), (23.5, 29.5), (8.5, 29.5)], W)
    pen.rect(11, 22, 13.9, 27.9, fill=K)


def _setup_size(pen):
    """Small dialog window with lines of text and a button."""
    _outlined(pen, [(2.5, 2.5), (29.5, 2.5), (29.5, 29.5), (2.5, 29.5)], W)
    pen.rect(3, 3, 28.9, 8.9, fill=N)
    pen.line([(3, 9.5), (29, 9.5)], fill=K)
    pen.rect(23, 4, 26.9, 7.9, fill=W)
    for x1, y in ((15, 13), (22, 17), (13, 21)):
        pen.rect(6, y, x1 + 0.9, y + 0.9, fill=K)
    _outlined(pen, [(17.5, 24.5), (26.5, 24.5), (26.5, 27.5), (17.5, 27.5)], D)


def _solve(pen):
    """Arrow that runs right, bends down and comes back to the left, its head at the top left."""
    bend = [(22 + 7.5 * math.sin(math.radians(a)), 19.5 - 7.5 * math.cos(math.radians(a)))
            for a in range(0, 181, 10)]
    pen.line([(9, 12)] + bend + [(9, 27)], fill=N, width=6)
    pen.line([(10, 12)] + bend + [(10, 27)], fill=B, width=4)
    _outlined(pen, [(2.0, 12.0), (10.5, 4.5), (10.5, 19.5)], B)
    pen.rect(10, 9.5, 12.5, 14.4, fill=B)


def _about(pen):
    """Yellow question mark with a dark outline."""
    hook = [(16 + 6.5 * math.cos(math.radians(a)), 10 + 6.5 * math.sin(math.radians(a)))
            for a in range(170, 416, 15)]
    hook += [(16, 19), (16, 21.5)]
    pen.line(hook, fill=K, width=7.5)
    pen.line(hook, fill=Y, width=5)
    pen.ellipse(16, 26.5, 3.8, 3.8, fill=K)
    pen.ellipse(16, 26.5, 2.5, 2.5, fill=Y)


# Output name (without "@2x.png") of each picture, as in buttons.BUTTONS.
DRAWINGS = {
    "other_image": _other_image,
    "open": _open,
    "save": _save,
    "setup_size": _setup_size,
    "solve": _solve,
    "about": _about,
}


def render(name):
    """The 32 x 32 RGB picture of the named button on button grey."""
    canvas = Image.new("RGB", (SIDE * _SCALE, SIDE * _SCALE), SILVER)
    DRAWINGS[name](Pen(canvas, _SCALE))
    return canvas.resize((SIDE, SIDE), Image.BOX)
