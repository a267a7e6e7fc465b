#!/usr/bin/env python3
"""Draws the logo (80 x 60, 16 colours) and the icon (32 x 32, 256 colours).

Run once after changing the pictures; the outputs are committed.
The picture: a sun over hills inside a turning wheel of frames.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
SKY, HILL, HILL_DARK, SUN, RIM, SPOKE, WHITE = 14, 10, 2, 11, 4, 8, 15


def scene(w, h, x, y):
    """Colour index (of PALETTE16) at pixel x, y, top row y = 0."""
    cx, cy = w / 2, h / 2
    r = min(w, h) / 2 - 1
    dx, dy = x + 0.5 - cx, y + 0.5 - cy
    d = math.hypot(dx, dy)
    if d > r:
        return WHITE
    if d > r * 0.82:
        # the rim, with eight notches for the frames it turns through
        ang = (math.degrees(math.atan2(dy, dx)) + 360) % 45
        return SPOKE if ang < 6 else RIM
    hill = cy + r * 0.25 + math.sin((x / w) * math.pi * 2) * r * 0.12
    if y > hill:
        return HILL_DARK if y > hill + r * 0.25 else HILL
    if math.hypot(dx + r * 0.25, dy + r * 0.25) < r * 0.22:
        return SUN
    return SKY


def bmp_info(w, h, bpp, colours):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, 0, 2835, 2835, colours, 0)


def rows(w, h, bpp, pixel):
    """Bottom-up rows, each padded to four bytes."""
    out = b''
    for y in range(h - 1, -1, -1):
        if bpp == 4:
            row = bytearray()
            for x in range(0, w, 2):
                row.append(pixel(x, y) << 4 | pixel(x + 1, y))
        else:
            row = bytearray(pixel(x, y) for x in range(w))
        row += b'\0' * (-len(row) % 4)
        out += bytes(row)
    return out


def palette_bytes(pal):
    return b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in pal)


def logo():
    w, h = 80, 60
    info = bmp_info(w, h, 4, 16)
    pal = palette_bytes(PALETTE16)
    data = rows(w, h, 4, lambda x, y: scene(w, h, x, y) if x < w else WHITE)
    offset = 14 + len(info) + len(pal)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return head + info + pal + data


def icon():
    w, h = 32, 32
    pal256 = PALETTE16 + [(0, 0, 0)] * 240
    info = bmp_info(w, h * 2, 8, 256)  # an icon's height counts the mask too
    xor = rows(w, h, 8, lambda x, y: scene(w, h, x, y))
    mask = b''
    for y in range(h - 1, -1, -1):
        bits = 0
        for x in range(w):
            cx, cy = x + 0.5 - w / 2, y + 0.5 - h / 2
            if math.hypot(cx, cy) > w / 2 - 1:
                bits |= 1 << (w - 1 - x)
        mask += struct.pack('>I', bits)
    image = info + palette_bytes(pal256) + xor + mask
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', w, h, 0, 0, 1, 8, len(image), 6 + 16)
    return head + entry + image


if __name__ == '__main__':
    with open(os.path.join(HERE, 'logo.bmp'), 'wb') as f:
        f.write(logo())
    with open(os.path.join(HERE, 'app.ico'), 'wb') as f:
        f.write(icon())
