# SPDX-License-Identifier: MIT
"""The 64 x 64 background pattern: a pale mottled texture that repeats without seams, saved as GIF87a."""

import random

from .gif87 import gif87_bytes

SIDE = 64
_SEED = 1987
_LEVELS = 10
# Deepest shade of each tint; level 0 is near white for every tint.
_TINTS = ((212, 212, 214), (242, 204, 216), (206, 232, 206))  # grey, pink, green
_WHITE = (253, 253, 252)
# Lattice periods of the noise octaves (each divides SIDE, so every octave wraps) and their weights.
_OCTAVES = ((4, 0.5), (8, 0.3), (16, 0.2))


def _smooth(t):
    return t * t * (3 - 2 * t)


def _octave(rng, period):
    """One octave of value noise on a period x period lattice that wraps at the picture's edges."""
    lattice = [[rng.random() for _ in range(period)] for _ in range(period)]
    cell = SIDE / period

    def value(x, y):
        gx, gy = x / cell, y / cell
        x0, y0 = int(gx), int(gy)
        fx, fy = _smooth(gx - x0), _smooth(gy - y0)
        x1, y1 = (x0 + 1) % period, (y0 + 1) % period
        top = lattice[y0][x0] + (lattice[y0][x1] - lattice[y0][x0]) * fx
        bottom = lattice[y1][x0] + (lattice[y1][x1] - lattice[y1][x0]) * fx
        return top + (bottom - top) * fy
    return value


def _field(rng):
    """A SIDE x SIDE grid of seamless noise values in [0, 1]."""
    octaves = [(_octave(rng, period), weight) for period, weight in _OCTAVES]
    return [[sum(f(x, y) * w for f, w in octaves) for x in range(SIDE)] for y in range(SIDE)]


def palette():
    """The texture's colours, tint by tint from near white to the tint's deepest shade."""
    return [tuple(round(a + (b - a) * level / (_LEVELS - 1)) for a, b in zip(_WHITE, tint))
            for tint in _TINTS for level in range(_LEVELS)]


def _index(shade, tone, grain):
    """Palette index for a pixel: tone picks the tint, shade plus grain its depth."""
    tint = 2 if tone < 0.42 else 1 if tone > 0.58 else 0
    depth = min(_LEVELS - 1, max(0, int((shade * 1.6 - 0.35 + grain) * _LEVELS)))
    return tint * _LEVELS + depth


def pixels():
    """Palette indices of the pattern, row by row from the top."""
    rng = random.Random(_SEED)
    shade, tone = _field(rng), _field(rng)
    return [_index(shade[y][x], tone[y][x], rng.uniform(-0.08, 0.08))
            for y in range(SIDE) for x in range(SIDE)]


def write_pattern(path):
    """Writes the pattern as a GIF87a file whose colour table has 256 entries."""
    colours = palette()
    colours += [(0, 0, 0)] * (256 - len(colours))
    with open(path, "wb") as f:
        f.write(gif87_bytes(SIDE, SIDE, colours, pixels()))
