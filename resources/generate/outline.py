"""The window outlines: a rounded hump at the top left (first row 77..105 on
row 1, meeting the left edge on row 35), on the wide windows a second hump at
the top right from row 12, and the body from row 36 with cut corners."""

import math


def _quarter(y, first, last):
    """0 at row `first`, rising steeply, 1 at row `last`."""
    u = (last - y) / (last - first)
    return math.sqrt(max(0.0, 1.0 - u * u))


def hump_rows(hump_reach):
    """Row -> (left, right) of the top-left hump for rows 1..35."""
    rows = {}
    prev_right = 104
    for y in range(1, 36):
        q = _quarter(y, 1, 35)
        left = round(77 - 76 * q)
        right = max(round(105 + hump_reach * q), prev_right + 1)
        rows[y] = (left, right)
        prev_right = right
    return rows


def wide_runs(height):
    """Outline of the 600-wide windows; the last picture row stays outside."""
    hump = hump_rows(195)
    bottom = height - 1  # exclusive

    def runs(y):
        if y < 1 or y >= bottom:
            return []
        if y <= 35:
            out = [hump[y]]
            if y >= 12:
                q = _quarter(y, 12, 35)
                out.append((round(460 - 100 * q), round(559 + 40 * q)))
            return out
        inset = max(0, y - (bottom - 4))
        return [(1 + inset, 599 - inset)]
    return runs


def narrow_runs(height, bottom=181):
    """Outline of the 331-wide windows."""
    hump = hump_rows(145)

    def runs(y):
        if y < 1 or y >= bottom:
            return []
        if y <= 35:
            return [hump[y]]
        top_cut = max(0, 39 - y)
        inset = max(0, y - (bottom - 4))
        return [(1 + inset, 330 - max(top_cut, inset))]
    return runs
