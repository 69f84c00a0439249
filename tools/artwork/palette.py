# SPDX-License-Identifier: MIT
"""The 16-colour display palette that the buttons and the small icon images are drawn in."""

# Ordered as the 4-bit display palette, so index i is colour i of a 16-colour bitmap.
VGA16 = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)

# Button face grey: every button picture stands on it.
SILVER = (192, 192, 192)

# One letter per colour, used to write pixel art as text.
LETTERS = {
    "k": (0, 0, 0), "m": (128, 0, 0), "g": (0, 128, 0), "o": (128, 128, 0),
    "n": (0, 0, 128), "p": (128, 0, 128), "t": (0, 128, 128), ".": SILVER,
    "d": (128, 128, 128), "r": (255, 0, 0), "l": (0, 255, 0), "y": (255, 255, 0),
    "b": (0, 0, 255), "f": (255, 0, 255), "c": (0, 255, 255), "w": (255, 255, 255),
}


def nearest_index(rgb, palette=VGA16):
    """Index of the palette colour closest to rgb (squared RGB distance; first wins ties)."""
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(rgb, palette[i])))
