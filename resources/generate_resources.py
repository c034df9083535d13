#!/usr/bin/env python3
"""Draws Zelmivo's icons and logo and synthesises its two sounds.

Standard library only, and deterministic: the same script always writes the
same bytes, so the generated files can live in the repository and the build
never needs Python. Shapes are signed distance functions sampled once per
pixel; the distance gives the anti-aliased coverage of the edge.
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Shapes: each returns the signed distance (in pixels) from a point to the
# shape's edge, negative inside.


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return distance


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def distance(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2

    return distance


def polygon(points):
    def distance(x, y):
        best = float("inf")
        inside = False
        count = len(points)
        for i in range(count):
            ax, ay = points[i]
            bx, by = points[(i + 1) % count]
            ex, ey = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey if ey else 1e-12):
                inside = not inside
        return -best if inside else best

    return distance


def ellipse_ring(cx, cy, rx, ry, width):
    """Outline of an axis-aligned ellipse (first-order distance estimate)."""

    def distance(x, y):
        nx, ny = (x - cx) / rx, (y - cy) / ry
        value = math.hypot(nx, ny)
        if value == 0.0:
            return min(rx, ry)
        gradient = math.hypot(nx / rx, ny / ry) / value
        return abs(value - 1.0) / gradient - width / 2

    return distance


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def intersection(*shapes):
    return lambda x, y: max(shape(x, y) for shape in shapes)


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


# ---------------------------------------------------------------------------
# Paints: colour (r, g, b, a) at a point, components 0..1.


def solid(r, g, b, a=255):
    colour = (r / 255, g / 255, b / 255, a / 255)
    return lambda x, y: colour


def vertical_gradient(top, bottom, y0, y1):
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple((top[i] + (bottom[i] - top[i]) * t) / 255 for i in range(3)) + (1.0,)

    return paint


def radial_gradient(inner, outer, cx, cy, radius):
    def paint(x, y):
        t = max(0.0, min(1.0, math.hypot(x - cx, y - cy) / radius))
        return tuple((inner[i] + (outer[i] - inner[i]) * t) / 255 for i in range(3)) + (1.0,)

    return paint


class Canvas:
    """Premultiplied RGBA, composited layer by layer with the 'over' rule."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, shape, paint):
        for j in range(self.height):
            for i in range(self.width):
                x, y = i + 0.5, j + 0.5
                coverage = max(0.0, min(1.0, 0.5 - shape(x, y)))
                if coverage == 0.0:
                    continue
                r, g, b, a = paint(x, y)
                a *= coverage
                pixel = self.pixels[j * self.width + i]
                keep = 1.0 - a
                pixel[0] = r * a + pixel[0] * keep
                pixel[1] = g * a + pixel[1] * keep
                pixel[2] = b * a + pixel[2] * keep
                pixel[3] = a + pixel[3] * keep

    def rgba_rows(self):
        """Top-down rows of straight (not premultiplied) 8-bit RGBA."""
        rows = []
        for j in range(self.height):
            row = []
            for i in range(self.width):
                r, g, b, a = self.pixels[j * self.width + i]
                alpha = round(a * 255)
                if alpha == 0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(min(255, round(c / a * 255)) for c in (r, g, b)) + (alpha,))
            rows.append(row)
        return rows


# ---------------------------------------------------------------------------
# The designs. Every size is drawn from the same geometry scaled to the
# canvas; strokes keep a minimum width so the 16-pixel images stay crisp.

WARM_TOP = (255, 170, 76)
WARM_BOTTOM = (236, 92, 38)
WARM_EDGE = (190, 66, 22)


def draw_program_mark(size):
    """The launcher: a warm rounded tile with a white 'Z' over a faint grid."""
    canvas = Canvas(size, size)
    s = size
    margin = max(1, round(s * 0.04))
    tile = rounded_rect(margin, margin, s - margin, s - margin, s * 0.22)
    canvas.fill(tile, solid(*WARM_EDGE))
    edge = max(1.0, s / 40)
    canvas.fill(inset(tile, edge), vertical_gradient(WARM_TOP, WARM_BOTTOM, margin, s - margin))
    if size >= 32:
        # Four faint tiles: the launcher's grid of programs behind the letter.
        gap = s * 0.05
        lo, hi = s * 0.17, s * 0.83
        mid = s / 2
        cells = [(lo, lo, mid - gap / 2, mid - gap / 2), (mid + gap / 2, lo, hi, mid - gap / 2),
                 (lo, mid + gap / 2, mid - gap / 2, hi), (mid + gap / 2, mid + gap / 2, hi, hi)]
        grid = union(*(rounded_rect(*cell, s * 0.06) for cell in cells))
        canvas.fill(grid, solid(255, 255, 255, 56))
    # Whole-pixel bars keep the letter sharp at the small sizes.
    thickness = max(2, round(s * 0.14))
    left, right = round(s * 0.27), s - round(s * 0.27)
    top, bottom = round(s * 0.26), s - round(s * 0.26)
    letter = union(
        rounded_rect(left, top, right, top + thickness, thickness * 0.18),
        rounded_rect(left, bottom - thickness, right, bottom, thickness * 0.18),
        polygon([(right - thickness * 1.25, top + thickness * 0.5), (right, top + thickness * 0.5),
                 (left + thickness * 1.25, bottom - thickness * 0.5),
                 (left, bottom - thickness * 0.5)]),
    )
    if size >= 32:
        canvas.fill(lambda x, y: letter(x - s * 0.015, y - s * 0.025), solid(120, 36, 8, 90))
    canvas.fill(letter, solid(255, 255, 255))
    return canvas


def draw_program_tile(size):
    """A generic application window: title bar, frame and a few lines of content."""
    canvas = Canvas(size, size)
    s = size
    x0, y0, x1, y1 = round(s * 0.06), round(s * 0.12), s - round(s * 0.06), s - round(s * 0.12)
    radius = max(1.0, s * 0.07)
    frame = rounded_rect(x0, y0, x1, y1, radius)
    canvas.fill(frame, solid(74, 86, 104))
    border = max(1.0, s / 32)
    inner = inset(frame, border)
    canvas.fill(inner, solid(248, 250, 252))
    bar_bottom = y0 + max(4, round(s * 0.22))
    title = intersection(inner, lambda x, y: y - bar_bottom)
    canvas.fill(title, vertical_gradient((84, 150, 236), (42, 104, 204), y0, bar_bottom))
    if size >= 32:
        dot = s * 0.035
        cy = (y0 + bar_bottom) / 2
        for k in range(3):
            cx = x1 - border - s * 0.08 - k * s * 0.09
            canvas.fill(circle(cx, cy, dot), solid(255, 255, 255, 220))
    line_width = max(1.0, s * 0.05)
    left = x0 + border + s * 0.1
    rows = [(0.40, 0.72), (0.55, 0.58), (0.70, 0.66)]
    for row, length in rows:
        y = y0 + (y1 - y0) * row + s * 0.04
        if line_width < 2:
            y = math.floor(y) + 0.5
        canvas.fill(rounded_rect(left, y - line_width / 2, left + (x1 - x0) * length * 0.85,
                                 y + line_width / 2, min(line_width / 2, s * 0.02)),
                    solid(160, 172, 190))
    return canvas


def draw_web_tile(size):
    """A globe: a blue sphere with meridians and parallels."""
    canvas = Canvas(size, size)
    s = size
    c = s / 2
    radius = s * 0.44
    sphere = circle(c, c, radius)
    canvas.fill(sphere, solid(22, 84, 170))
    border = max(1.0, s / 32)
    inside = inset(sphere, border)
    canvas.fill(inside, radial_gradient((120, 196, 255), (36, 118, 214),
                                        c - radius * 0.35, c - radius * 0.4, radius * 1.5))
    width = max(1.0, s * 0.045)
    # A one-pixel line on a pixel boundary would smear over two pixels.
    axis = c - 0.5 if width < 1.5 else c
    lines = [segment(axis, c - radius, axis, c + radius, width),
             segment(c - radius, axis, c + radius, axis, width),
             ellipse_ring(axis, c, radius * 0.5, radius - border, width)]
    for offset in (-0.5, 0.5):
        y = c + radius * offset
        if width < 1.5:
            y = math.floor(y) + 0.5
        lines.append(segment(c - radius, y, c + radius, y, width))
    canvas.fill(intersection(union(*lines), inside), solid(255, 255, 255, 190))
    return canvas


# Glyphs of the logo's pixel font: rows top to bottom, '#' is ink.
FONT = {
    "Z": ["#######", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....",
          "#######"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", "#...#", ".###."],
    "l": ["#", "#", "#", "#", "#", "#", "#", "#"],
    "m": [".....", ".....", "####.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "i": ["#", ".", "#", "#", "#", "#", "#", "#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", "#...#", ".###."],
}

LOGO_WIDTH, LOGO_HEIGHT = 164, 50
LOGO_INK = (44, 48, 58)


def draw_logo():
    """164 x 50 on pure black, which the about box draws as transparent.

    Edges are hard (no blending with the black) and no drawn pixel is pure
    black, so the logo sits cleanly on any background.
    """
    image = [[(0, 0, 0)] * LOGO_WIDTH for _ in range(LOGO_HEIGHT)]
    mark_size = 42
    mark_x, mark_y = 4, (LOGO_HEIGHT - mark_size) // 2
    for j, row in enumerate(draw_program_mark(mark_size).rgba_rows()):
        for i, (r, g, b, a) in enumerate(row):
            if a >= 128:
                image[mark_y + j][mark_x + i] = (r, g, b)
    scale = 3
    text = "Zelmivo"
    columns = sum(len(FONT[ch][0]) for ch in text) + len(text) - 1
    x = mark_x + mark_size + (LOGO_WIDTH - mark_x - mark_size - columns * scale) // 2
    y = (LOGO_HEIGHT - len(FONT["Z"]) * scale) // 2
    for ch in text:
        glyph = FONT[ch]
        for j, row in enumerate(glyph):
            for i, cell in enumerate(row):
                if cell == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            image[y + j * scale + dy][x + i * scale + dx] = LOGO_INK
        x += (len(glyph[0]) + 1) * scale
    return image


# ---------------------------------------------------------------------------
# File formats.


def png_bytes(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def icon_bitmap_bytes(rows):
    """A 32-bit BGRA image with its 1-bit AND mask, as an .ico stores it."""
    height, width = len(rows), len(rows[0])
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for i, pixel in enumerate(row):
            if pixel[3] == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    return header + colour + bytes(mask)


def ico_bytes(images):
    """images: canvases, smallest first; 256-pixel images are stored as PNG."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for canvas in images:
        rows = canvas.rgba_rows()
        blob = png_bytes(rows) if canvas.width >= 256 else icon_bitmap_bytes(rows)
        size_byte = 0 if canvas.width >= 256 else canvas.width
        entries.append(struct.pack("<BBBBHHII", size_byte, size_byte, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def bmp24_bytes(image):
    height, width = len(image), len(image[0])
    stride = (width * 3 + 3) // 4 * 4
    pixels = b"".join(
        bytes(c for (r, g, b) in row for c in (b, g, r)).ljust(stride, b"\x00")
        for row in reversed(image))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


SAMPLE_RATE = 22050


def wav_bytes(samples):
    """Mono 16-bit PCM from samples in -1..1."""
    data = b"".join(struct.pack("<h", max(-32767, min(32767, round(v * 32767)))) for v in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, SAMPLE_RATE, SAMPLE_RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack(
        "<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def tone(frequency, seconds, decay, volume):
    count = int(SAMPLE_RATE * seconds)
    attack = int(SAMPLE_RATE * 0.002)
    samples = []
    for n in range(count):
        t = n / SAMPLE_RATE
        envelope = math.exp(-t * decay) * min(1.0, n / attack if attack else 1.0)
        # Fade the last few milliseconds so the sound ends without a pop.
        envelope *= min(1.0, (count - n) / (SAMPLE_RATE * 0.004))
        wave = math.sin(2 * math.pi * frequency * t) + 0.25 * math.sin(4 * math.pi * frequency * t)
        samples.append(volume * envelope * wave / 1.25)
    return samples


def click_sound():
    return tone(2200.0, 0.045, 110.0, 0.6)


def chime_sound():
    first = tone(1046.5, 0.11, 22.0, 0.5)
    second = tone(1568.0, 0.16, 18.0, 0.5)
    return first + second


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        "zelmivo.ico": ico_bytes([draw_program_mark(n) for n in (16, 32, 48, 256)]),
        "program_tile.ico": ico_bytes([draw_program_tile(n) for n in (16, 32, 48)]),
        "web_tile.ico": ico_bytes([draw_web_tile(n) for n in (16, 32, 48)]),
        "logo.bmp": bmp24_bytes(draw_logo()),
        "click.wav": wav_bytes(click_sound()),
        "chime.wav": wav_bytes(chime_sound()),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), "wb") as file:
            file.write(data)
        print(f"{name}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
