#!/usr/bin/env python3
"""Makes every picture, mask, icon and sound in resources/. Deterministic:
running it again gives the same bytes. Standard library only.

    python3 resources/generate/make_assets.py
"""

import math
import os
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art  # noqa: E402
import formats  # noqa: E402
import outline  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
KEY = (255, 0, 255)  # outside the outline; the mask is every other pixel

STEEL_TOP, STEEL_BOTTOM = (78, 90, 112), (22, 26, 34)
BODY_TOP, BODY_BOTTOM = (36, 41, 52), (11, 12, 17)
ACCENT = (40, 150, 255)


def write(name, data):
    path = os.path.join(ROOT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def inside_table(width, height, runs):
    table = [[False] * width for _ in range(height)]
    for y in range(height):
        for left, right in runs(y):
            for x in range(left, right):
                table[y][x] = True
    return table


def paint_skin(width, height, runs):
    inside = inside_table(width, height, runs)
    c = art.Canvas(width, height, KEY)
    body_top = 36
    for y in range(height):
        for x in range(width):
            if not inside[y][x]:
                continue
            if y < body_top:
                col = art.lerp(STEEL_TOP, STEEL_BOTTOM, (y - 1) / 34)
                if y < 15:  # gloss on the title humps
                    col = art.lerp(col, (255, 255, 255), 0.20 * (1 - y / 15))
            else:
                col = art.lerp(BODY_TOP, BODY_BOTTOM, (y - body_top) / (height - body_top))
                if y < body_top + 26:
                    col = art.lerp(col, (120, 140, 170), 0.10 * (1 - (y - body_top) / 26))
                # a broad soft sheen across the body
                d = abs((x * 0.55 + y) - width * 0.45) / (width * 0.35)
                col = art.lerp(col, (90, 110, 140), 0.07 * max(0.0, 1 - d))
            c.px[y][x] = list(col)

    # The recessed panel the controls sit on.
    px0, py0, px1, py1 = 12, body_top + 12, width - 12, height - 16
    for y in range(py0, py1):
        for x in range(px0, px1):
            if not inside[y][x]:
                continue
            cx = min(x - px0, px1 - 1 - x)
            cy = min(y - py0, py1 - 1 - y)
            if cx < 6 and cy < 6 and math.hypot(6 - cx, 6 - cy) > 6.5:
                continue
            c.blend(x, y, (6, 7, 10), 0.45)
            if y == py0 or x == px0:
                c.blend(x, y, (0, 0, 0), 0.6)
            elif y == py1 - 1 or x == px1 - 1:
                c.blend(x, y, (110, 125, 150), 0.35)

    # The accent line under the title.
    for x in range(6, width - 6):
        fade = min(1.0, (x - 6) / 80, (width - 6 - x) / 80)
        for y, a in ((body_top, 0.25), (body_top + 1, 0.9), (body_top + 2, 0.25)):
            if inside[y][x]:
                c.blend(x, y, ACCENT, a * fade)

    # Rim: light where the outline faces up or left, dark where it faces down or right.
    for y in range(height):
        for x in range(width):
            if not inside[y][x]:
                continue
            up = y == 0 or not inside[y - 1][x]
            left = x == 0 or not inside[y][x - 1]
            down = y == height - 1 or not inside[y + 1][x]
            right = x == width - 1 or not inside[y][x + 1]
            if up or left:
                c.blend(x, y, (150, 165, 190), 0.85)
            elif down or right:
                c.blend(x, y, (0, 0, 0), 0.9)

    art.draw_logo(c, 30, 9, 18)
    if width == 600:
        # three grip marks on the right hump, beside the title buttons
        for i in range(3):
            for y in range(20, 28):
                c.blend(452 + i * 4 - (27 - y) // 3, y, (140, 155, 180), 0.35)
    return c, inside


def finish(c, inside):
    """Pixels as integers; nothing inside may come out as the key colour."""
    def pixel(x, y):
        if not inside[y][x]:
            return KEY
        p = c.get(x, y)
        return (254, 0, 255) if p == KEY else p
    return pixel


def median_cut(counts, size):
    boxes = [list(counts.items())]
    while len(boxes) < size:
        best, axis, spread = None, 0, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for a in range(3):
                values = [c[a] for c, _ in box]
                if max(values) - min(values) > spread:
                    best, axis, spread = i, a, max(values) - min(values)
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: (item[0][axis], item[0]))
        total = sum(n for _, n in box)
        run, cut = 0, 1
        for i, (_, n) in enumerate(box):
            run += n
            if run >= total / 2:
                cut = max(1, min(len(box) - 1, i + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[a] * n for c, n in box) / total) for a in range(3)))
    return sorted(set(palette))


def save_skin(name, width, height, runs, bits):
    c, inside = paint_skin(width, height, runs)
    pixel = finish(c, inside)
    if bits == 24:
        write("skins/%s.bmp" % name, formats.bmp24(width, height, pixel))
    else:
        counts = Counter(pixel(x, y) for y in range(height) for x in range(width) if inside[y][x])
        palette = [KEY] + [p for p in median_cut(counts, 255) if p != KEY]
        nearest = {KEY: 0}
        for color in counts:
            nearest[color] = min(range(1, len(palette)), key=lambda i: sum(
                (palette[i][a] - color[a]) ** 2 for a in range(3)))
        write("skins/%s.bmp" % name,
              formats.bmp8(width, height, palette, lambda x, y: nearest[pixel(x, y)]))
    data, rects, bounds = formats.mask_from_rows(width, height, runs)
    write("masks/%s.msk" % name, data)
    return len(data), len(rects), bounds


def save_logo():
    w, h = 171, 44
    c = art.Canvas(w, h, (0, 0, 0))
    for y in range(h):
        for x in range(w):
            col = art.lerp(BODY_TOP, BODY_BOTTOM, y / (h - 1))
            if y < h // 2:
                col = art.lerp(col, (255, 255, 255), 0.10 * (1 - y / (h / 2)))
            c.px[y][x] = list(col)
    art.draw_logo(c, 6, 9, 26)
    for x in range(w):
        c.blend(x, h - 3, ACCENT, 0.8 * min(1.0, x / 40, (w - 1 - x) / 40))
    write("Logo.bmp", formats.bmp24(w, h, c.get))


def save_glyphs():
    ink = (28, 34, 46)

    def glyph(on):
        return lambda x, y: ink if on(x, y) else (255, 255, 255)
    hide = glyph(lambda x, y: 3 <= x <= 11 and 9 <= y <= 10)
    close = glyph(lambda x, y: 3 <= x <= 11 and 3 <= y <= 11 and (abs(x - y) <= 0 or abs(x + y - 14) <= 0
                                                                  or abs(x - y) == 1 and (x + y) % 2 == 0
                                                                  or abs(x + y - 14) == 1 and (x - y) % 2 == 0))
    write("glyphs/Hide.bmp", formats.bmp24(15, 15, hide))
    write("glyphs/Close.bmp", formats.bmp24(15, 15, close))


RED_ROWS = [(255, 160, 150), (255, 88, 76), (236, 38, 30), (208, 20, 16), (176, 12, 10),
            (134, 8, 6), (84, 4, 4)]


def save_bar():
    def segment(x, y):
        col = RED_ROWS[y]
        if x == 24:
            return tuple(v // 3 for v in col)  # the gap between segments
        if x == 0:
            return art.lerp(col, (255, 255, 255), 0.15)
        return col
    write("bar/Segment.bmp", formats.bmp24(25, 7, lambda x, y: tuple(round(v) for v in segment(x, y))))

    back = (14, 16, 21)

    def cap(x, y):
        # the bar ends in a rounded tip at x = 30
        cov = 0.0
        for sy in range(4):
            for sx in range(4):
                px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
                if px < 27 or math.hypot(px - 27, py - 3.5) <= 3.5:
                    cov += 1 / 16
        col = art.lerp(back, RED_ROWS[y], cov)
        if cov > 0 and x > 20:
            col = art.lerp(col, (255, 210, 120), 0.15 * (x - 20) / 10 * cov)
        return tuple(round(v) for v in col)
    write("bar/Cap.bmp", formats.bmp24(36, 7, cap))


def save_icon():
    size = 32
    bolt = art.coverage_of_polygon(art.bolt_polygon(7, 4, 24), (0, 0, size, size), 4)

    def corner_out(x, y):
        cx = min(x, size - 1 - x)
        cy = min(y, size - 1 - y)
        return cx < 5 and cy < 5 and math.hypot(5 - cx - 0.5, 5 - cy - 0.5) > 5.2

    def opaque(x, y):
        return not corner_out(x, y)

    def index(x, y):
        if bolt.get((x, y), 0) >= 0.5:
            if bolt.get((x - 1, y - 1), 0) < 0.5 or bolt.get((x, y - 1), 0) < 0.5:
                return 15  # white highlight on the bolt's upper edges
            return 11  # yellow
        if bolt.get((x - 1, y - 1), 0) >= 0.5:
            return 0  # drop shadow
        ring = min(x, y, size - 1 - x, size - 1 - y)
        if ring == 0 or corner_out(x - 1, y) or corner_out(x + 1, y) or corner_out(x, y - 1) or corner_out(x, y + 1):
            return 12  # bright blue rim
        if ring == 1:
            return 8  # steel inner ring
        return 4 if y < 13 else 0  # navy sheen over the top
    write("TrayIcon.ico", formats.ico16(size, index, opaque))


def save_tick():
    rate, count = 11025, 1128
    seed = 12345
    samples = []
    for n in range(count):
        t = n / rate
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        noise = (seed / 0x7FFFFFFF - 0.5) * 2
        body = (0.55 * math.sin(2 * math.pi * 2350 * t) + 0.35 * math.sin(2 * math.pi * 1180 * t)) * math.exp(-t / 0.012)
        snap = noise * math.exp(-t / 0.0015) * 0.5
        attack = min(1.0, n / 6)
        tail = min(1.0, (count - 1 - n) / 40)
        v = (body + snap) * attack * tail
        samples.append(max(0, min(255, 128 + round(100 * v))))
    write("Tick.wav", formats.wav8(rate, samples))


def main():
    results = [
        ("Wizard", save_skin("Wizard", 600, 228, outline.wide_runs(228), 8)),
        ("Automatic", save_skin("Automatic", 600, 460, outline.wide_runs(460), 24)),
        ("Advanced", save_skin("Advanced", 600, 460, outline.wide_runs(460), 24)),
        ("Apply", save_skin("Apply", 331, 181, outline.narrow_runs(181), 24)),
        ("About", save_skin("About", 331, 182, outline.narrow_runs(182), 24)),
    ]
    expected = {"Wizard": (1044, 63, (1, 1, 599, 227)), "Automatic": (1044, 63, (1, 1, 599, 459)),
                "Advanced": (1044, 63, (1, 1, 599, 459)), "Apply": (708, 42, (1, 1, 330, 181)),
                "About": (708, 42, (1, 1, 330, 181))}
    for name, got in results:
        if got != expected[name]:
            sys.exit("mask of %s came out %r, wanted %r" % (name, got, expected[name]))
    save_logo()
    save_glyphs()
    save_bar()
    save_icon()
    save_tick()


if __name__ == "__main__":
    main()
