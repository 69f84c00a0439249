# SPDX-License-Identifier: MIT
"""The window icon: a little landscape cut into tiles, its top-left slot empty as at the start of a game."""

from PIL import Image, ImageDraw

from .ico import IconImage, write_ico
from .palette import VGA16, nearest_index

# Colours as (flat 16-colour choice, rich 256-colour choice); the large icons use the rich ones.
SKY = ((0, 255, 255), ((70, 130, 230), (175, 215, 255)))
_SUN = ((255, 255, 0), (255, 210, 40))
_CLOUD = ((255, 255, 255), (250, 250, 250))
_FAR_HILL = ((0, 128, 128), (95, 150, 140))
_MEADOW = ((0, 255, 0), (120, 200, 70))
_LAKE = ((0, 0, 255), (40, 90, 200))
_WALL = ((255, 255, 255), (245, 230, 195))
_ROOF = ((255, 0, 0), (200, 50, 40))
_DOOR = ((128, 0, 0), (120, 60, 30))
_TRUNK = ((128, 0, 0), (110, 70, 40))
_PATH = ((128, 128, 0), (205, 175, 115))
_RED_FLOWER = ((255, 0, 0), (230, 40, 60))
_YELLOW_FLOWER = ((255, 255, 0), (255, 230, 60))
_PINK_FLOWER = ((255, 0, 255), (235, 110, 200))
_CROWN = ((0, 128, 0), (30, 120, 40))
GRID = ((0, 0, 0), (25, 25, 30))
HOLE = ((128, 128, 128), (70, 70, 80))
HOLE_SHADE = ((0, 0, 0), (35, 35, 40))
HOLE_LIGHT = ((192, 192, 192), (120, 120, 130))

# The scene for a board of 3 x 3 tiles, as (shape, box in fractions of the picture, colour),
# drawn in order; each feature keeps to a few tiles so that the cut pieces stay recognisable.
SCENE_3 = (
    ("ellipse", (0.40, 0.10, 0.62, 0.22), _CLOUD),
    ("ellipse", (0.72, 0.06, 0.95, 0.29), _SUN),
    ("ellipse", (-0.3, 0.42, 0.70, 1.2), _FAR_HILL),
    ("ellipse", (0.45, 0.50, 1.5, 1.3), _FAR_HILL),
    ("rectangle", (0.0, 0.63, 1.0, 1.0), _MEADOW),
    ("ellipse", (0.62, 0.76, 1.15, 1.05), _LAKE),
    ("rectangle", (0.16, 0.52, 0.21, 0.72), _TRUNK),
    ("ellipse", (0.06, 0.36, 0.31, 0.58), _CROWN),
    ("triangle", (0.40, 0.62, 0.66, 1.1), _PATH),
    ("ellipse", (0.06, 0.78, 0.12, 0.84), _RED_FLOWER),
    ("ellipse", (0.20, 0.86, 0.26, 0.92), _YELLOW_FLOWER),
    ("ellipse", (0.08, 0.90, 0.14, 0.96), _PINK_FLOWER),
    ("ellipse", (0.26, 0.76, 0.32, 0.82), _RED_FLOWER),
    ("rectangle", (0.42, 0.50, 0.60, 0.64), _WALL),
    ("triangle", (0.38, 0.37, 0.64, 0.50), _ROOF),
    ("rectangle", (0.49, 0.56, 0.54, 0.64), _DOOR),
)

# The same kind of scene simplified for 2 x 2 tiles.
_SCENE_2 = (
    ("ellipse", (0.62, 0.08, 0.92, 0.38), _SUN),
    ("rectangle", (0.0, 0.55, 1.0, 1.0), _MEADOW),
    ("rectangle", (0.14, 0.60, 0.28, 0.85), _TRUNK),
    ("ellipse", (0.0, 0.42, 0.42, 0.74), _CROWN),
    ("rectangle", (0.62, 0.74, 0.92, 0.98), _WALL),
    ("triangle", (0.54, 0.54, 1.0, 0.74), _ROOF),
)

# The four images in the order the window expects them: (side, bits per pixel).
ICON_IMAGES = ((32, 4), (48, 8), (32, 8), (16, 4))

_SUPERSAMPLE = 4


def _pick(colour, rich):
    return colour[1] if rich else colour[0]


def _sky(image, rich):
    """Fills the image with sky: a gradient when rich, one flat colour otherwise."""
    draw = ImageDraw.Draw(image)
    w, h = image.size
    if not rich:
        draw.rectangle((0, 0, w, h), fill=SKY[0])
        return
    top, bottom = SKY[1]
    for y in range(h):
        t = y / max(1, h - 1)
        draw.line((0, y, w, y), fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))


def _scene(width, height, tiles, rich):
    """The uncut picture for a board of tiles x tiles, drawn larger and reduced when rich."""
    scale = _SUPERSAMPLE if rich else 1
    w, h = width * scale, height * scale
    image = Image.new("RGB", (w, h))
    _sky(image, rich)
    draw = ImageDraw.Draw(image)
    for shape, (x0, y0, x1, y1), colour in (SCENE_3 if tiles == 3 else _SCENE_2):
        box = (round(x0 * w), round(y0 * h), round(x1 * w) - 1, round(y1 * h) - 1)
        fill = _pick(colour, rich)
        if shape == "ellipse":
            draw.ellipse(box, fill=fill)
        elif shape == "rectangle":
            draw.rectangle(box, fill=fill)
        else:
            draw.polygon([(box[0], box[3]), ((box[0] + box[2]) / 2, box[1]), (box[2], box[3])],
                         fill=fill)
    if rich:
        image = image.resize((width, height), Image.LANCZOS)
    return image


def _edges(start, end, count):
    """Pixel spans (first, last) of `count` tiles between start and end with 1-pixel gaps."""
    length = end - start + 1
    cuts = [start + round(k * (length + 1) / count) - 1 for k in range(1, count)]
    firsts = [start] + [c + 1 for c in cuts]
    lasts = [c - 1 for c in cuts] + [end]
    return list(zip(firsts, lasts))


def render(side, rich):
    """RGBA icon picture of the given side; the one-pixel rim around the board is transparent."""
    tiles = 3 if side >= 32 else 2
    image = Image.new("RGBA", (side, side), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.rectangle((1, 1, side - 2, side - 2), fill=_pick(GRID, rich) + (255,))
    inner = side - 4
    image.paste(_scene(inner, inner, tiles, rich), (2, 2))
    spans = _edges(2, side - 3, tiles)
    for first, last in spans[:-1]:
        d.line((last + 1, 2, last + 1, side - 3), fill=_pick(GRID, rich))
        d.line((2, last + 1, side - 3, last + 1), fill=_pick(GRID, rich))
    (x0, x1) = (y0, y1) = spans[0]  # the empty slot is the top-left tile
    d.rectangle((x0, y0, x1, y1), fill=_pick(HOLE, rich))
    d.line((x0, y0, x1, y0), fill=_pick(HOLE_SHADE, rich))
    d.line((x0, y0, x0, y1), fill=_pick(HOLE_SHADE, rich))
    d.line((x0 + 1, y1, x1, y1), fill=_pick(HOLE_LIGHT, rich))
    d.line((x1, y0 + 1, x1, y1), fill=_pick(HOLE_LIGHT, rich))
    return image


def _indexed(image, bpp):
    """IconImage of an RGBA picture: 4-bit maps onto the fixed 16 colours, 8-bit gets its own palette."""
    rgb = image.convert("RGB")
    transparent = [a < 128 for a in image.getchannel("A").getdata()]
    if bpp == 4:
        palette = list(VGA16)
        pixels = [nearest_index(p) for p in rgb.getdata()]
    else:
        quantised = rgb.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        flat = quantised.getpalette()[:768]
        palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
        pixels = list(quantised.getdata())
    return IconImage(image.width, image.height, bpp, palette, pixels, transparent)


def write_icon(ico_path, png_path):
    """Writes the four-image window icon to ico_path and its 48 x 48 picture as PNG to png_path."""
    write_ico(ico_path, [_indexed(render(side, bpp == 8), bpp) for side, bpp in ICON_IMAGES])
    render(48, True).save(png_path, optimize=False)
