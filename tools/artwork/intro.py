"""The start-up picture: a bright drawn landscape whose every part looks different once cut into tiles."""

import random

from PIL import Image

from .intro_land import paint_land
from .intro_sky import paint_sky
from .intro_village import paint_village

WIDTH, HEIGHT = 480, 360
_SCALE = 3
_SEED = 20240
_QUALITY = 90


def render():
    """The picture as an RGB image, drawn three times larger and reduced for smooth edges."""
    rng = random.Random(_SEED)
    canvas = Image.new("RGBA", (WIDTH * _SCALE, HEIGHT * _SCALE), (0, 0, 0, 255))
    paint_sky(canvas, _SCALE)
    paint_land(canvas, _SCALE, rng)
    paint_village(canvas, _SCALE, rng)
    return canvas.convert("RGB").resize((WIDTH, HEIGHT), Image.LANCZOS)


def write_intro(path):
    """Writes the picture as a baseline JPEG."""
    render().save(path, "JPEG", quality=_QUALITY, progressive=False, optimize=False)
