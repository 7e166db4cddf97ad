#!/usr/bin/env python3
"""Draws the KALO DC icon (a framed picture: evening sky, a hill, falling snow) and
writes it as kalo_dc.ico with 16, 24, 32 and 48 pixel images, 32 bits with alpha.
Run it from any folder; it writes beside itself."""
import os
import struct

SAMPLES = 4  # per axis, for smooth edges


def inside_rounded_square(x, y, radius):
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


FLAKES = [(0.30, 0.28, 0.075), (0.62, 0.20, 0.06), (0.78, 0.45, 0.085), (0.45, 0.52, 0.05), (0.20, 0.60, 0.06)]


def colour_at(x, y):
    """Colour (r, g, b, a) of the design at (x, y) in the unit square, y downwards."""
    if not inside_rounded_square(x, y, 0.18):
        return (0, 0, 0, 0)
    if not inside_rounded_square((x - 0.08) / 0.84, (y - 0.08) / 0.84, 0.12):
        return (40, 44, 60, 255)  # the frame
    for fx, fy, r in FLAKES:
        if (x - fx) ** 2 + (y - fy) ** 2 <= r * r:
            return (255, 255, 255, 255)
    hill = 0.78 - 0.16 * (1 - ((x - 0.35) / 0.7) ** 2)
    if y >= hill:
        return (236, 242, 250, 255)  # snow on the hill
    t = (y - 0.08) / 0.84
    return (int(20 + 40 * t), int(50 + 90 * t), int(120 + 110 * t), 255)  # sky


def pixel(size, px, py):
    total = [0, 0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) / size
            y = (py + (sy + 0.5) / SAMPLES) / size
            r, g, b, a = colour_at(x, y)
            total = [total[0] + r * a, total[1] + g * a, total[2] + b * a, total[3] + a]
    alpha = total[3]
    if alpha == 0:
        return (0, 0, 0, 0)
    return (total[0] // alpha, total[1] // alpha, total[2] // alpha, alpha // (SAMPLES * SAMPLES))


def image_bytes(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b""
    for py in reversed(range(size)):  # bottom-up
        for px in range(size):
            r, g, b, a = pixel(size, px, py)
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    return header + rows + bytes(mask_row * size)


def main():
    sizes = [16, 24, 32, 48]
    images = [image_bytes(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "kalo_dc.ico")
    with open(target, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
