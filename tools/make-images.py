#!/usr/bin/env python3
"""Draws the program's icon and the five button images into res/.

Run from anywhere: python3 tools/make-images.py. Needs only Python's standard library.
Button images keep the old convention of image buttons: the colour of the bottom-left pixel
(here fuchsia) is transparent. Images of 16 colours use the standard 16-colour palette.
"""

import math
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")

BLACK = (0, 0, 0)
MAROON = (128, 0, 0)
GREEN = (0, 128, 0)
OLIVE = (128, 128, 0)
NAVY = (0, 0, 128)
PURPLE = (128, 0, 128)
TEAL = (0, 128, 128)
SILVER = (192, 192, 192)
GRAY = (128, 128, 128)
RED = (255, 0, 0)
LIME = (0, 255, 0)
YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)
FUCHSIA = (255, 0, 255)
AQUA = (0, 255, 255)
WHITE = (255, 255, 255)
PALETTE16 = [BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
             GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE]
KEY = FUCHSIA  # transparent in button images


class Canvas:
    def __init__(self, width, height, background=KEY):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def shape(self, inside, colour):
        """Paints every pixel whose centre satisfies inside(x, y)."""
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[y][x] = colour

    def polygon(self, points, colour):
        self.shape(lambda x, y: inside_polygon(points, x, y), colour)


def inside_polygon(points, x, y):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def arc_band(cx, cy, r_inner, r_outer, start, end):
    """Pixels of a ring between two radii, for angles from start to end (degrees, counter-
    clockwise with y pointing up as on paper)."""
    def inside(x, y):
        dx, dy = x - cx, cy - y
        r = math.hypot(dx, dy)
        if not r_inner <= r <= r_outer:
            return False
        angle = math.degrees(math.atan2(dy, dx)) % 360
        return (angle - start) % 360 <= (end - start) % 360
    return inside


# --- the button images ---------------------------------------------------------------------

def save_image():
    """A floppy disk, 20 by 20."""
    c = Canvas(20, 20)
    c.polygon([(1, 1), (17, 1), (19, 3), (19, 19), (1, 19)], BLACK)
    c.polygon([(2, 2), (17, 2), (18, 3.5), (18, 18), (2, 18)], NAVY)
    c.fill(3, 2, 16, 2, BLUE)
    c.fill(2, 3, 2, 17, BLUE)
    c.fill(5, 2, 14, 7, SILVER)       # the metal shutter
    c.fill(5, 7, 14, 7, GRAY)
    c.fill(11, 3, 13, 6, NAVY)        # its window
    c.fill(4, 10, 16, 18, WHITE)      # the label
    c.frame(4, 10, 16, 18, GRAY)
    c.fill(6, 12, 14, 12, SILVER)
    c.fill(6, 14, 14, 14, SILVER)
    c.fill(6, 16, 12, 16, SILVER)
    return c


def outlined(c, body, colour, outline):
    """Paints the pixels of `body` (a Canvas marking them with any colour but KEY) in colour,
    with a one-pixel outline around them."""
    around = grow(body)
    for y in range(c.height):
        for x in range(c.width):
            if body.get(x, y) != KEY:
                c.set(x, y, colour)
            elif around.get(x, y) != KEY:
                c.set(x, y, outline)


def revert_shape():
    """A 16 by 16 arrow that points left and comes from a hook on the right."""
    body = Canvas(16, 16)
    body.polygon([(1.2, 5.0), (6.0, 0.8), (6.0, 9.2)], BLACK)    # the head
    body.fill(5, 4, 12, 5, BLACK)                                  # the shaft
    body.fill(11, 4, 13, 13, BLACK)                                # the hook, down
    body.fill(8, 12, 13, 13, BLACK)                                # and back
    return body


def grow(shape):
    """The shape with one more pixel all around."""
    grown = Canvas(shape.width, shape.height)
    for y in range(shape.height):
        for x in range(shape.width):
            if shape.get(x, y) != KEY:
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        grown.set(x + dx, y + dy, BLACK)
    return grown


def revert_image():
    """Two 16 by 16 images side by side: the normal one and the one shown when disabled."""
    c = Canvas(32, 16)
    normal = Canvas(16, 16)
    outlined(normal, revert_shape(), LIME, GREEN)
    # The disabled image: the arrow embossed, white shifted by one pixel under grey.
    shape = revert_shape()
    for y in range(16):
        for x in range(16):
            c.set(x, y, normal.get(x, y))
            if shape.get(x, y) != KEY:
                c.set(16 + x + 1, y + 1, WHITE)
    for y in range(16):
        for x in range(16):
            if shape.get(x, y) != KEY:
                c.set(16 + x, y, GRAY)
    return c


def wav_image():
    """A loudspeaker with sound waves, 18 by 19, true colour."""
    c = Canvas(18, 19)
    dark = (40, 40, 48)
    body = (96, 104, 120)
    cone = (150, 160, 178)
    wave = (30, 110, 220)
    c.polygon([(1, 6), (5, 6), (10, 1), (10, 18), (5, 13), (1, 13)], dark)
    c.fill(2, 7, 4, 12, body)
    c.polygon([(5.6, 7), (9, 3.4), (9, 15.6), (5.6, 12)], cone)
    c.shape(arc_band(10.5, 9.5, 2.4, 4.2, 305, 55), wave)
    c.shape(arc_band(10.5, 9.5, 5.4, 7.2, 310, 50), wave)
    return c


def delete_image():
    """A waste bin with a red cross, 32 by 32."""
    c = Canvas(32, 32)
    c.fill(12, 2, 19, 3, BLACK)                 # the lid's handle
    c.fill(13, 3, 18, 3, GRAY)
    c.fill(5, 4, 26, 7, BLACK)                  # the lid
    c.fill(6, 5, 25, 6, SILVER)
    c.fill(6, 5, 25, 5, WHITE)
    c.polygon([(7, 8), (25, 8), (23.5, 30), (8.5, 30)], BLACK)   # the bin
    c.polygon([(8, 8), (24, 8), (22.6, 29), (9.4, 29)], SILVER)
    for x in (11, 15, 19):                      # its ribs
        c.fill(x, 10, x, 27, GRAY)
        c.fill(x + 1, 10, x + 1, 27, WHITE)
    # The cross, lower right.
    c.shape(lambda x, y: abs((x - 24) - (y - 23)) < 2.1 and abs(x - 24) < 6 and abs(y - 23) < 6,
            MAROON)
    c.shape(lambda x, y: abs((x - 24) + (y - 23)) < 2.1 and abs(x - 24) < 6 and abs(y - 23) < 6,
            MAROON)
    c.shape(lambda x, y: abs((x - 24) - (y - 23)) < 1.3 and abs(x - 24) < 5 and abs(y - 23) < 5,
            RED)
    c.shape(lambda x, y: abs((x - 24) + (y - 23)) < 1.3 and abs(x - 24) < 5 and abs(y - 23) < 5,
            RED)
    return c


def run_image():
    """A green start arrow, 18 by 18, true colour."""
    c = Canvas(18, 18)
    c.polygon([(3, 1), (17, 9), (3, 17)], (0, 90, 20))
    c.polygon([(4.4, 3.4), (14.8, 9), (4.4, 14.6)], (40, 190, 70))
    c.polygon([(4.4, 3.4), (14.8, 9), (4.4, 9)], (110, 225, 130))
    return c


# --- the program's icon ------------------------------------------------------------------

def icon_rgba(size):
    """A white quill over a blue rounded square, drawn at 8x8 samples per pixel."""
    samples = 8
    scale = size / 32.0
    pixels = []

    def colour_at(x, y):
        # Coordinates in a 32-unit square.
        r = 5.0
        qx, qy = min(max(x, r), 32 - r), min(max(y, r), 32 - r)
        if math.hypot(x - qx, y - qy) > r or not (0 <= x <= 32 and 0 <= y <= 32):
            return None
        # The quill runs from the lower left (the nib) to the upper right.
        ux, uy = (x - 16) * 0.7071 - (y - 16) * 0.7071, (x - 16) * 0.7071 + (y - 16) * 0.7071
        # ux along the quill (towards the upper right is positive), uy across it.
        if -13.5 <= ux <= -7.0 and abs(uy) <= (ux + 13.5) * 0.22:
            return (230, 180, 40) if abs(uy) > 0.45 else (60, 40, 10)      # the nib
        vane = 13.0 * math.sqrt(max(0.0, 1 - ((ux - 3.5) / 10.5) ** 2)) * 0.42
        if -7.0 < ux <= 14.0 and -vane * 0.75 <= uy <= vane:
            if abs(uy) < 0.55:
                return (150, 150, 160)                                      # the shaft
            return (250, 250, 245) if uy < 0 else (215, 222, 235)           # the vane
        shade = 1 - y / 64.0
        return (int(40 * shade), int(90 * shade), int(190 * shade))

    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / scale
                    y = (py + (sy + 0.5) / samples) / scale
                    colour = colour_at(x, y)
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = samples * samples
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3],
                            255 * acc[3] // n))
        pixels.append(row)
    return pixels


# --- file writers ------------------------------------------------------------------------

def bmp_bytes(canvas, bits):
    width, height = canvas.width, canvas.height
    if bits == 4:
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE16)
        stride = ((width * 4 + 31) // 32) * 4
    else:
        palette = b""
        stride = ((width * 24 + 31) // 32) * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        if bits == 4:
            indexes = [PALETTE16.index(canvas.get(x, y)) for x in range(width)]
            for x in range(0, width, 2):
                high = indexes[x]
                low = indexes[x + 1] if x + 1 < width else 0
                row.append(high << 4 | low)
        else:
            for x in range(width):
                r, g, b = canvas.get(x, y)
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 3780, 3780,
                       16 if bits == 4 else 0, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + data


def ico_bytes(images):
    """images: list of (size, rgba rows); each stored as a 32-bit image with its mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, pixels in images:
        xor = bytearray()
        for row in reversed(pixels):
            for (r, g, b, a) in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(pixels):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                                   offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def write(name, data):
    path = os.path.normpath(os.path.join(RES, name))
    with open(path, "wb") as out:
        out.write(data)
    print("wrote", path)


def main():
    os.makedirs(RES, exist_ok=True)
    write("save.bmp", bmp_bytes(save_image(), 4))
    write("revert.bmp", bmp_bytes(revert_image(), 4))
    write("wav.bmp", bmp_bytes(wav_image(), 24))
    write("delete.bmp", bmp_bytes(delete_image(), 4))
    write("run.bmp", bmp_bytes(run_image(), 24))
    write("quillory.ico", ico_bytes([(size, icon_rgba(size)) for size in (16, 32, 48)]))


if __name__ == "__main__":
    main()
