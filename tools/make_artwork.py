#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Regenerates Zornik PUZZLE!'s pictures in assets/: buttons, icons, background pattern and start-up picture.

Usage: make_artwork.py [ASSETS_FOLDER]   (default: the assets folder next to tools/)
Needs python3 with PIL. The output is the same on every run.
"""

import os
import sys

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artwork.buttons import write_buttons  # noqa: E402
from artwork.icon import write_icon  # noqa: E402
from artwork.icon_large import write_large_icons  # noqa: E402
from artwork.intro import write_intro  # noqa: E402
from artwork.pattern import write_pattern  # noqa: E402
from artwork.qrc import write_qrc  # noqa: E402


# The application icon's PNG sizes for menus and software centres (besides the 48 x 48 one).
LARGE_ICON_SIDES = (128, 256)


def make_all(assets):
    """Writes every generated asset into the folder `assets`."""
    names = write_buttons(os.path.join(assets, "buttons"))
    write_icon(os.path.join(assets, "zornik.ico"), os.path.join(assets, "zornik.png"))
    icons = os.path.join(assets, "icons")
    os.makedirs(icons, exist_ok=True)
    write_large_icons(os.path.join(icons, "app.svg"),
                      {side: os.path.join(icons, "app-%d.png" % side) for side in LARGE_ICON_SIDES})
    write_pattern(os.path.join(assets, "pattern.gif"))
    write_intro(os.path.join(assets, "intro.jpg"))
    compiled_in = ["buttons/%s%s.png" % (name, scale) for name in names for scale in ("", "@2x")]
    compiled_in += ["zornik.ico", "zornik.png", "pattern.gif"]
    write_qrc(os.path.join(assets, "resources.qrc"), compiled_in)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    assets = argv[1] if len(argv) > 1 else os.path.join(here, os.pardir, "assets")
    make_all(os.path.normpath(assets))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
