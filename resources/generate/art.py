"""Drawing helpers for the skins: a float canvas, anti-aliased strokes, a
small stroke font for the product name and the lightning-bolt emblem."""

import math


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0)):
        self.w, self.h = width, height
        self.px = [[list(fill) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, color, alpha):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            p = self.px[y][x]
            a = min(1.0, alpha)
            for i in range(3):
                p[i] += (color[i] - p[i]) * a

    def get(self, x, y):
        return tuple(max(0, min(255, int(round(c)))) for c in self.px[y][x])


def lerp(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


def coverage_of_strokes(segments, thickness, box):
    """{(x, y): coverage} of round-capped strokes within box (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = box
    out = {}
    half = thickness / 2
    for y in range(y0, y1):
        for x in range(x0, x1):
            d = min(_segment_distance(x + 0.5, y + 0.5, *s) for s in segments)
            c = half + 0.5 - d
            if c > 0:
                out[(x, y)] = min(1.0, c)
    return out


def coverage_of_polygon(points, box, samples=4):
    """{(x, y): coverage} of a filled polygon, supersampled."""
    x0, y0, x1, y1 = box
    out = {}
    n = len(points)

    def inside(px, py):
        hit = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    step = 1.0 / samples
    for y in range(y0, y1):
        for x in range(x0, x1):
            hits = sum(inside(x + (i + 0.5) * step, y + (j + 0.5) * step)
                       for i in range(samples) for j in range(samples))
            if hits:
                out[(x, y)] = hits / (samples * samples)
    return out


def _arc(cx, cy, rx, ry, a0, a1, steps=14):
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


# Glyphs on a grid 10 units high (0 = cap line, 10 = baseline, 3 = x-height),
# each a list of polylines, with its advance width.
GLYPHS = {
    "B": ([[(0, 10), (0, 0), (3.2, 0)] + _arc(3.2, 2.5, 2.4, 2.5, -90, 90)[1:] + [(0, 5)],
           [(0, 5), (3.6, 5)] + _arc(3.6, 7.5, 2.6, 2.5, -90, 90)[1:] + [(0, 10)]], 7.4),
    "r": ([[(0, 3), (0, 10)], _arc(3.4, 6.6, 3.4, 3.6, 180, 265)], 4.4),
    "i": ([[(0, 3.4), (0, 10)], [(0, 0.4), (0, 0.9)]], 2.4),
    "s": ([[(3.8, 4.0), (3.0, 3.2), (1.8, 3.0), (0.7, 3.4), (0.4, 4.6), (1.3, 5.8), (2.8, 6.5),
            (3.8, 7.5), (3.7, 9.1), (2.4, 10.0), (1.1, 9.9), (0.0, 9.0)]], 5.6),
    "b": ([[(0, 0), (0, 10)], _arc(2.4, 6.5, 2.5, 3.5, 0, 360, 28)], 6.6),
    "o": ([_arc(2.5, 6.5, 2.5, 3.5, 0, 360, 28)], 6.8),
    "l": ([[(0, 0), (0, 10)]], 2.6),
    "t": ([[(0.6, 0.8), (0.6, 8.6)] + _arc(2.4, 8.6, 1.8, 1.4, 180, 100)[1:],
           [(-0.8, 3.2), (2.8, 3.2)]], 3.6),
}


def text_segments(text, x, y, size, slant=0.18):
    """Segments of text drawn with its cap line at y, `size` pixels tall."""
    unit = size / 10.0
    segs = []
    cx = x
    for ch in text:
        lines, advance = GLYPHS[ch]
        for line in lines:
            pts = [(cx + (px + (10 - py) * slant) * unit, y + py * unit) for px, py in line]
            segs += [(a[0], a[1], b[0], b[1]) for a, b in zip(pts, pts[1:])]
        cx += advance * unit
    return segs, cx - x


def bolt_polygon(x, y, h):
    """A lightning bolt, h pixels tall, top-left near (x, y)."""
    s = h / 20.0
    pts = [(9, 0), (2, 11), (7.5, 11), (4, 20), (14, 7.5), (8.5, 7.5), (13, 0)]
    return [(x + px * s, y + py * s) for px, py in pts]


def paint_coverage(canvas, coverage, color_at, dx=0, dy=0, strength=1.0):
    for (x, y), c in coverage.items():
        canvas.blend(x + dx, y + dy, color_at(x, y), c * strength)


def draw_logo(canvas, x, y, size, glow=True):
    """The emblem and the name, `size` pixels from cap line to baseline."""
    bolt = bolt_polygon(x, y - size * 0.12, size * 1.25)
    bolt_box = (int(x) - 2, int(y - size * 0.2), int(x + size * 1.0) + 2, int(y + size * 1.2) + 2)
    bolt_cov = coverage_of_polygon(bolt, bolt_box)
    gold_top, gold_bottom = (255, 236, 140), (255, 150, 20)
    top, bottom = bolt_box[1], bolt_box[3]
    paint_coverage(canvas, bolt_cov, lambda px, py: (0, 0, 0), 1, 1, 0.7)
    paint_coverage(canvas, bolt_cov, lambda px, py: lerp(gold_top, gold_bottom, (py - top) / (bottom - top)))

    tx = x + size * 0.95
    segs, width = text_segments("Brisbolt", tx, y, size)
    thick = max(1.6, size * 0.16)
    box = (int(tx) - 3, int(y) - 3, int(tx + width + size * 0.4) + 3, int(y + size) + 4)
    cov = coverage_of_strokes(segs, thick, box)
    if glow:
        halo = coverage_of_strokes(segs, thick + 4, box)
        paint_coverage(canvas, halo, lambda px, py: (40, 140, 255), 0, 0, 0.22)
    paint_coverage(canvas, cov, lambda px, py: (0, 0, 0), 1, 1, 0.8)
    text_top, text_bottom = (255, 255, 255), (150, 200, 255)
    paint_coverage(canvas, cov, lambda px, py: lerp(text_top, text_bottom, (py - y) / size))
    return box[2]
