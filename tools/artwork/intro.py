# SPDX-License-Identifier: MIT
"""The start-up picture: a bright drawn landscape whose every part looks different once cut into tiles."""

import random

from PIL import Image

from .intro_land import paint_land
from .intro_sky import paint_sky
from .intro_village import paint_village

# The scene is drawn on a 480 x 360 plan; the picture shows the plan's band VIEW, reduced to
# WIDTH x HEIGHT. That size fits inside the main window's inner frame at 96 dpi with 8 pixels
# to spare on every side, and both sides divide by 4, so the first 4 x 4 board has whole tiles.
PLAN = (480, 360)
VIEW = (0, 4, 480, 324)
WIDTH, HEIGHT = 432, 288
_SCALE = 3
_SEED = 20240
_QUALITY = 90


def render():
    """The picture as an RGB image, drawn three times larger and reduced for smooth edges."""
    rng = random.Random(_SEED)
    canvas = Image.new("RGBA", (PLAN[0] * _SCALE, PLAN[1] * _SCALE), (0, 0, 0, 255))
    paint_sky(canvas, _SCALE)
    paint_land(canvas, _SCALE, rng)
    paint_village(canvas, _SCALE, rng)
    view = canvas.convert("RGB").crop(tuple(v * _SCALE for v in VIEW))
    return view.resize((WIDTH, HEIGHT), Image.LANCZOS)


def write_intro(path):
    """Writes the picture as a baseline JPEG."""
    render().save(path, "JPEG", quality=_QUALITY, progressive=False, optimize=False)
