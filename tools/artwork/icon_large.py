# SPDX-License-Identifier: MIT
"""The application icon for menus and software centres: the window icon's tiled landscape as a
scalable SVG and as large PNG pictures, both drawn from one list of shapes."""

from PIL import Image, ImageDraw

from .icon import GRID, HOLE, HOLE_LIGHT, HOLE_SHADE, SCENE_3, SKY

UNIT = 256                  # the shapes' square, in SVG user units
_FRAME, _GAP, _TILE = 4, 4, 80
_SHADE = 3                  # width of the empty slot's sunken edge
_SUPERSAMPLE_TO = 1024      # PNG pictures are drawn this large and reduced


def _hex(rgb):
    return "#%02x%02x%02x" % rgb


def shapes():
    """The icon, back to front, as (kind, geometry, colour) in the UNIT square.

    Kinds: "gradient" (box, (top, bottom)), "rect" and "ellipse" (box), "polygon" (points).
    The scene may spill over its tiles: the frame and the gaps are drawn over it.
    """
    lo, hi = _FRAME, UNIT - _FRAME
    out = [("gradient", (lo, lo, hi, hi), SKY[1])]
    for shape, (x0, y0, x1, y1), colour in SCENE_3:
        box = tuple(lo + f * (hi - lo) for f in (x0, y0, x1, y1))
        if shape == "triangle":
            out.append(("polygon", ((box[0], box[3]), ((box[0] + box[2]) / 2, box[1]),
                                    (box[2], box[3])), colour[1]))
        else:
            out.append(("rect" if shape == "rectangle" else shape, box, colour[1]))
    bars = [(0, 0, UNIT, lo), (0, hi, UNIT, UNIT), (0, 0, lo, UNIT), (hi, 0, UNIT, UNIT)]
    for k in (1, 2):
        at = lo + k * (_TILE + _GAP) - _GAP
        bars += [(at, 0, at + _GAP, UNIT), (0, at, UNIT, at + _GAP)]
    out += [("rect", bar, GRID[1]) for bar in bars]
    end = lo + _TILE   # the empty slot is the top-left tile, sunk into the board
    out += [("rect", (lo, lo, end, end), HOLE[1]),
            ("rect", (lo, lo, end, lo + _SHADE), HOLE_SHADE[1]),
            ("rect", (lo, lo, lo + _SHADE, end), HOLE_SHADE[1]),
            ("rect", (lo + _SHADE, end - _SHADE, end, end), HOLE_LIGHT[1]),
            ("rect", (end - _SHADE, lo + _SHADE, end, end), HOLE_LIGHT[1])]
    return out


def _svg_element(kind, geometry, colour):
    if kind == "gradient":
        x0, y0, x1, y1 = geometry
        return ('<rect x="%g" y="%g" width="%g" height="%g" fill="url(#sky)"/>'
                % (x0, y0, x1 - x0, y1 - y0))
    if kind == "rect":
        x0, y0, x1, y1 = geometry
        return ('<rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>'
                % (x0, y0, x1 - x0, y1 - y0, _hex(colour)))
    if kind == "ellipse":
        x0, y0, x1, y1 = (round(v, 2) for v in geometry)
        return ('<ellipse cx="%g" cy="%g" rx="%g" ry="%g" fill="%s"/>'
                % ((x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2, _hex(colour)))
    points = " ".join("%g,%g" % (round(x, 2), round(y, 2)) for x, y in geometry)
    return '<polygon points="%s" fill="%s"/>' % (points, _hex(colour))


def svg_text():
    """The icon as a standalone SVG document."""
    top, bottom = SKY[1]
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
             % (UNIT, UNIT, UNIT, UNIT),
             '  <title>Zornik PUZZLE!</title>',
             '  <defs>',
             '    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">',
             '      <stop offset="0" stop-color="%s"/>' % _hex(top),
             '      <stop offset="1" stop-color="%s"/>' % _hex(bottom),
             '    </linearGradient>',
             '  </defs>']
    lines += ["  " + _svg_element(*shape) for shape in shapes()]
    lines += ["</svg>", ""]
    return "\n".join(lines)


def render(side):
    """The icon as an RGB picture of side x side pixels."""
    scale = _SUPERSAMPLE_TO / UNIT
    image = Image.new("RGB", (_SUPERSAMPLE_TO, _SUPERSAMPLE_TO))
    draw = ImageDraw.Draw(image)
    for kind, geometry, colour in shapes():
        if kind == "polygon":
            draw.polygon([(x * scale, y * scale) for x, y in geometry], fill=colour)
            continue
        x0, y0, x1, y1 = (round(v * scale) for v in geometry)
        if kind == "gradient":
            (top, bottom), rows = colour, y1 - y0
            for i in range(rows):
                t = i / max(1, rows - 1)
                draw.line((x0, y0 + i, x1 - 1, y0 + i),
                          fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
        elif kind == "rect":
            draw.rectangle((x0, y0, x1 - 1, y1 - 1), fill=colour)
        else:
            draw.ellipse((x0, y0, x1 - 1, y1 - 1), fill=colour)
    return image.resize((side, side), Image.LANCZOS)


def write_large_icons(svg_path, png_paths):
    """Writes the SVG icon and, for each side in png_paths (side -> path), a PNG picture."""
    with open(svg_path, "w", encoding="utf-8", newline="\n") as f:
        f.write(svg_text())
    for side, path in png_paths.items():
        render(side).save(path, optimize=False)
