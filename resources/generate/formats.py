"""Writers for the binary formats the program embeds: BMP, ICO, WAV and the
stored window mask. Standard library only."""

import struct


def _rows_bottom_up(height):
    return range(height - 1, -1, -1)


def bmp24(width, height, pixel):
    """pixel(x, y) -> (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in _rows_bottom_up(height):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        body += row
    return _bmp_file(width, height, 24, b"", bytes(body))


def bmp8(width, height, palette, index):
    """palette: up to 256 (r, g, b); index(x, y) -> palette index."""
    stride = (width + 3) & ~3
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pal += b"\0" * (4 * (256 - len(palette)))
    body = bytearray()
    for y in _rows_bottom_up(height):
        row = bytearray(index(x, y) for x in range(width))
        row += b"\0" * (stride - len(row))
        body += row
    return _bmp_file(width, height, 8, pal, bytes(body), colors=256)


def _bmp_file(width, height, bits, palette, body, colors=0):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(body),
                       2835, 2835, colors, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return head + info + palette + body


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def ico16(size, index, opaque):
    """A one-image icon in the 16 standard colours; index(x, y) -> 0..15,
    opaque(x, y) -> bool."""
    xor = bytearray()
    mask = bytearray()
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    for y in _rows_bottom_up(size):
        row = bytearray()
        for x in range(0, size, 2):
            a = index(x, y) if opaque(x, y) else 0
            b = index(x + 1, y) if opaque(x + 1, y) else 0
            row.append((a << 4) | b)
        xor += row + b"\0" * (xor_stride - len(row))
        bits = 0
        mrow = bytearray()
        for x in range(size):
            bits = (bits << 1) | (0 if opaque(x, y) else 1)
            if x % 8 == 7:
                mrow.append(bits)
                bits = 0
        mask += mrow + b"\0" * (and_stride - len(mrow))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                       0, 0, 16, 0)
    image = info + pal + bytes(xor) + bytes(mask)
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return head + entry + image


def wav8(rate, samples):
    """Mono unsigned 8-bit PCM."""
    data = bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)


def mask_from_rows(width, height, runs_of_row):
    """The stored mask: N, then RGNDATA. runs_of_row(y) -> [(left, right)]
    (right exclusive). Rows with the same runs share one band."""
    rects = []
    band, top = [], 0
    for y in range(height + 1):
        runs = runs_of_row(y) if y < height else []
        if runs != band or not runs:
            rects += [(l, top, r, y) for l, r in band]
            band, top = runs, y
    if rects:
        bounds = (min(r[0] for r in rects), rects[0][1], max(r[2] for r in rects),
                  max(r[3] for r in rects))
    else:
        bounds = (0, 0, 0, 0)
    data = struct.pack("<IIII", 32, 1, len(rects), 16 * len(rects))
    data += struct.pack("<iiii", *bounds)
    for r in rects:
        data += struct.pack("<iiii", *r)
    return struct.pack("<i", len(data)) + data, rects, bounds
