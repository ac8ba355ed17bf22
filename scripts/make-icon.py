#!/usr/bin/env python3
"""Draws the program icon (a green shield with a white check mark) as app/resources/tidora.ico."""
import struct
import sys


def inside(polygon, x, y):
    hit = False
    for i in range(len(polygon)):
        (x1, y1), (x2, y2) = polygon[i], polygon[i - 1]
        if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
            hit = not hit
    return hit


def near_segment(px, py, a, b, width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return (px - cx) ** 2 + (py - cy) ** 2 <= (width / 2) ** 2


def pixel(size, x, y):
    """BGRA of one pixel, with 4x4 supersampling for smooth edges."""
    s = size / 100.0
    shield = [(50 * s, 2 * s), (94 * s, 15 * s), (89 * s, 55 * s), (71 * s, 82 * s),
              (50 * s, 98 * s), (29 * s, 82 * s), (11 * s, 55 * s), (6 * s, 15 * s)]
    check = [((27 * s, 50 * s), (45 * s, 68 * s)), ((45 * s, 68 * s), (75 * s, 30 * s))]
    covered = white = 0
    for sy in range(4):
        for sx in range(4):
            px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
            if inside(shield, px, py):
                covered += 1
                if any(near_segment(px, py, a, b, 11 * s) for a, b in check):
                    white += 1
    if not covered:
        return (0, 0, 0, 0)
    shade = y / size
    green = (int(70 + 40 * (1 - shade)), int(190 - 60 * shade), int(60 + 20 * (1 - shade)))
    mix = white / covered
    r, g, b = (int(c * (1 - mix) + 255 * mix) for c in green)
    return (b, g, r, covered * 255 // 16)


def image(size):
    rows = [b"".join(struct.pack("4B", *pixel(size, x, y)) for x in range(size))
            for y in range(size)]
    xor = b"".join(reversed(rows))  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + xor + b"\0" * (mask_row * size)


def main(path):
    sizes = [16, 24, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/resources/tidora.ico")
