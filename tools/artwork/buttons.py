# SPDX-License-Identifier: MIT
"""The six 16 x 16 button pictures, drawn as pixel art in the 16-colour palette on button grey."""

import os

from PIL import Image

from . import buttons2x
from .palette import LETTERS, VGA16

# Blank sheet of paper with a folded corner ("Other Image").
OTHER_IMAGE = """
................
..kkkkkkkkk.....
..kwwwwwwwkk....
..kwwwwwwwkwk...
..kwwwwwwwkwwk..
..kwwwwwwwkkkkk.
..kwwwwwwwwwddk.
..kwwwwwwwwwwdk.
..kwwwwwwwwwwdk.
..kwwwwwwwwwwdk.
..kwwwwwwwwwwdk.
..kwwwwwwwwwwdk.
..kwwwwwwwwwwdk.
..kdddddddddddk.
..kkkkkkkkkkkkk.
................
"""

# Open folder with an arrow swinging into it ("Open").
OPEN = """
................
.........kkk....
........k...k.k.
.............kk.
.kkkk.......kkk.
kyyyyk..........
kyyyyykkkkkkk...
kywwwwwwwwwwk...
kwyykkkkkkkkkkk.
kwykyyyyyyyyyok.
kwkyyyyyyyyyok..
kkyyyyyyyyyok...
kyyyyyyyyyok....
kooooooooook....
kkkkkkkkkkkk....
................
"""

# Floppy disk with a label and a metal shutter ("Save").
SAVE = """
................
.kkkkkkkkkkkkkk.
.knkwwwwwwwwknk.
.knkwwwwwwwwknk.
.knkwddddddwknk.
.knkwwwwwwwwknk.
.knkwddddddwknk.
.knkwwwwwwwwknk.
.knnkkkkkkkknnk.
.knnnnnnnnnnnnk.
.knnwwwwwwwwnnk.
.knnwkkwwwwwnnk.
.knnwkkwwwwwnnk.
.knnwkkwwwwwnnk.
..kkkkkkkkkkkkk.
................
"""

# Small dialog window with lines of text and a button ("Setup Size").
SETUP_SIZE = """
................
.kkkkkkkkkkkkkk.
.knnnnnnnnnwwnk.
.knnnnnnnnnwwnk.
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwkkkkkwwwwwwk.
.kwwwwwwwwwwwwk.
.kwkkkkkkkkwwwk.
.kwwwwwwwwwwwwk.
.kwkkkkwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwdddddk.
.kwwwwwwwdddddk.
.kkkkkkkkkkkkkk.
................
"""

# Arrow that runs right, bends down and comes back to the left ("Solve It!").
SOLVE = """
................
................
....n...........
...nn...........
..nbbnnnnnnnn...
.nbbbbbbbbbbbn..
..nbbbbbbbbbbbn.
...nn......nbbn.
....n.......nbbn
............nbbn
............nbbn
...........nbbn.
....nnnnnnnbbbn.
....nbbbbbbbbn..
....nnnnnnnnn...
................
"""

# Yellow question mark with a dark outline ("About").
ABOUT = """
................
......kkkk......
....kkyyyykk....
...kyyyyyyyyk...
...kyyokkyyyok..
...kkkk.kkyyyok.
........kyyyok..
.......kyyyok...
......kyyyok....
......kyyok.....
......kkkkk.....
......kyyyk.....
......kyyok.....
......kkkkk.....
................
................
"""

# Output name (without ".png") of each picture, in button-bar order.
BUTTONS = {
    "other_image": OTHER_IMAGE,
    "open": OPEN,
    "save": SAVE,
    "setup_size": SETUP_SIZE,
    "solve": SOLVE,
    "about": ABOUT,
}


def render(art):
    """16-colour palette image of pixel art written one text row per pixel row, one letter per pixel.

    Raises ValueError unless the art is exactly 16 rows of 16 known letters.
    """
    rows = art.strip("\n").split("\n")
    if len(rows) != 16 or any(len(row) != 16 for row in rows):
        raise ValueError("button art must be 16 x 16")
    image = Image.new("P", (16, 16))
    image.putpalette([channel for rgb in VGA16 for channel in rgb])
    image.putdata([VGA16.index(LETTERS[ch]) for row in rows for ch in row])
    return image


def write_buttons(folder):
    """Writes every button picture as a 4-bit <folder>/<name>.png and, for screens scaled by two,
    <folder>/<name>@2x.png beside it (the name Qt looks for); returns the names written."""
    os.makedirs(folder, exist_ok=True)
    for name, art in BUTTONS.items():
        render(art).save(os.path.join(folder, name + ".png"), bits=4, optimize=False)
        buttons2x.render(name).save(os.path.join(folder, name + "@2x.png"), optimize=False)
    return list(BUTTONS)
