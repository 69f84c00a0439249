# SPDX-License-Identifier: MIT
"""Drawing in picture units on a larger canvas, so that shapes come out smooth once it is reduced."""

from PIL import ImageDraw


class Pen:
    """Draws on `image` with every coordinate and width multiplied by `scale`."""

    def __init__(self, image, scale):
        self.image = image
        self.scale = scale
        self.draw = ImageDraw.Draw(image)

    def _xy(self, points):
        return [(x * self.scale, y * self.scale) for x, y in points]

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=1):
        s = self.scale
        self.draw.ellipse(((cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s),
                          fill=fill, outline=outline, width=round(width * s))

    def rect(self, x0, y0, x1, y1, fill, outline=None, width=1):
        s = self.scale
        self.draw.rectangle((x0 * s, y0 * s, x1 * s, y1 * s), fill=fill, outline=outline,
                            width=round(width * s))

    def polygon(self, points, fill):
        self.draw.polygon(self._xy(points), fill=fill)

    def line(self, points, fill, width=1):
        self.draw.line(self._xy(points), fill=fill, width=max(1, round(width * self.scale)),
                       joint="curve")

    def arc(self, cx, cy, r, start, end, fill, width):
        s = self.scale
        self.draw.arc(((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), start, end,
                      fill=fill, width=round(width * s))

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        """Fills a rectangle with colours running from `top` to `bottom`."""
        s = self.scale
        rows = max(1, round((y1 - y0) * s))
        for i in range(rows):
            t = i / max(1, rows - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.draw.line((x0 * s, y0 * s + i, x1 * s, y0 * s + i), fill=colour)
