"""The nine value classes of the ball sheet told apart by every player: for each pair of cells 1
to 9, the mean over the ball's pixels of the CIEDE2000 difference between the two pictures is
at least 10 in normal vision, under simulated protanopia, deuteranopia and tritanopia (Machado,
Oliveira and Fernandes 2009, full severity) and in greyscale.

Run by hand, `python3 ball_colours_test.py [BALLS.bmp]` prints the closest pair in each view."""
import itertools
import math
import os
import struct
import sys
import unittest

SHEET = os.environ.get("KESTROLA_BALL_SHEET",
                       os.path.join(os.environ.get("KESTROLA_ASSET_DIR", "."), "Images",
                                    "balls.bmp"))
CELL = 14
CLASSES = range(1, 10)
SMALLEST = 10.0

# The simulation matrices for full severity, applied to linear RGB.
MACHADO = {
    "protanopia": ((0.152286, 1.052583, -0.204868), (0.114503, 0.786281, 0.099216),
                   (-0.003882, -0.048116, 1.051998)),
    "deuteranopia": ((0.367322, 0.860646, -0.227968), (0.280085, 0.672501, 0.047413),
                     (-0.011820, 0.042940, 0.968881)),
    "tritanopia": ((1.255528, -0.076749, -0.178779), (-0.078411, 0.930809, 0.147602),
                   (0.004733, 0.691367, 0.303900)),
}


def read_bmp(path):
    """The pixels of an uncompressed 24- or 32-bit BMP as rows of (r, g, b), top row first."""
    with open(path, "rb") as file:
        data = file.read()
    assert data[:2] == b"BM", path + " is no BMP"
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    assert bits in (24, 32) and compression in (0, 3), "unexpected BMP layout"
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = offset + stride * (abs(height) - 1 - y if height > 0 else y)
        rows.append([(data[row + x * step + 2], data[row + x * step + 1], data[row + x * step])
                     for x in range(width)])
    return rows


def linear(channel):
    c = channel / 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def lab(rgb_linear):
    r, g, b = (min(max(c, 0.0), 1.0) for c in rgb_linear)
    x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047
    y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b
    z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883

    def f(t):
        return t ** (1 / 3) if t > 216 / 24389 else (24389 / 27 * t + 16) / 116

    return 116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))


def ciede2000(first, second):
    L1, a1, b1 = first
    L2, a2, b2 = second
    c_mean = (math.hypot(a1, b1) + math.hypot(a2, b2)) / 2
    g = 0.5 * (1 - math.sqrt(c_mean ** 7 / (c_mean ** 7 + 25 ** 7)))
    a1, a2 = a1 * (1 + g), a2 * (1 + g)
    c1, c2 = math.hypot(a1, b1), math.hypot(a2, b2)
    h1 = math.degrees(math.atan2(b1, a1)) % 360 if c1 else 0.0
    h2 = math.degrees(math.atan2(b2, a2)) % 360 if c2 else 0.0
    dL, dC = L2 - L1, c2 - c1
    dh = 0.0
    if c1 * c2:
        dh = h2 - h1
        if dh > 180:
            dh -= 360
        elif dh < -180:
            dh += 360
    dH = 2 * math.sqrt(c1 * c2) * math.sin(math.radians(dh / 2))
    L_mean, C_mean = (L1 + L2) / 2, (c1 + c2) / 2
    h_mean = h1 + h2
    if c1 * c2:
        h_mean = (h1 + h2) / 2 if abs(h1 - h2) <= 180 else (
            (h1 + h2 + 360) / 2 if h1 + h2 < 360 else (h1 + h2 - 360) / 2)
    t = (1 - 0.17 * math.cos(math.radians(h_mean - 30)) + 0.24 * math.cos(math.radians(2 * h_mean))
         + 0.32 * math.cos(math.radians(3 * h_mean + 6))
         - 0.20 * math.cos(math.radians(4 * h_mean - 63)))
    s_L = 1 + 0.015 * (L_mean - 50) ** 2 / math.sqrt(20 + (L_mean - 50) ** 2)
    s_C = 1 + 0.045 * C_mean
    s_H = 1 + 0.015 * C_mean * t
    r_T = (-2 * math.sqrt(C_mean ** 7 / (C_mean ** 7 + 25 ** 7))
           * math.sin(math.radians(60 * math.exp(-((h_mean - 275) / 25) ** 2))))
    return math.sqrt((dL / s_L) ** 2 + (dC / s_C) ** 2 + (dH / s_H) ** 2
                     + r_T * (dC / s_C) * (dH / s_H))


def seen(pixel, view):
    """The pixel's L*a*b* as a player with that vision sees it."""
    rgb = [linear(c) for c in pixel]
    if view in MACHADO:
        rgb = [sum(m * c for m, c in zip(row, rgb)) for row in MACHADO[view]]
    L, a, b = lab(rgb)
    return (L, 0.0, 0.0) if view == "greyscale" else (L, a, b)


VIEWS = ("normal", "protanopia", "deuteranopia", "tritanopia", "greyscale")


def differences(path):
    """{view: {(cell, cell): mean difference}} over the pixels both balls cover."""
    rows = read_bmp(path)
    key = (0, 0, 255)
    cells = {k: [[rows[y][CELL * k + x] for x in range(CELL)] for y in range(CELL)]
             for k in CLASSES}
    table = {}
    for view in VIEWS:
        cache = {}

        def colour(pixel):
            if pixel not in cache:
                cache[pixel] = seen(pixel, view)
            return cache[pixel]

        table[view] = {}
        for a, b in itertools.combinations(CLASSES, 2):
            both = [(cells[a][y][x], cells[b][y][x]) for y in range(CELL) for x in range(CELL)
                    if cells[a][y][x] != key and cells[b][y][x] != key]
            table[view][a, b] = sum(ciede2000(colour(p), colour(q)) for p, q in both) / len(both)
    return table


class TheFormula(unittest.TestCase):
    def test_it_gives_the_published_differences(self):
        # Pairs 1, 7 and 17 of the worked examples that come with the formula.
        self.assertAlmostEqual(ciede2000((50, 2.6772, -79.7751), (50, 0, -82.7485)), 2.0425, 4)
        self.assertAlmostEqual(ciede2000((50, 0, 0), (50, -1, 2)), 2.3669, 4)
        self.assertAlmostEqual(ciede2000((50, 2.5, 0), (73, 25, -18)), 27.1492, 4)

    def test_the_simulations_keep_grey_grey_and_fold_red_onto_green(self):
        for view in MACHADO:
            L, a, b = seen((128, 128, 128), view)
            self.assertLess(math.hypot(a, b), 1.0, view)
        red, green = (200, 60, 40), (110, 120, 40)
        self.assertGreater(ciede2000(seen(red, "normal"), seen(green, "normal")), 30)
        self.assertLess(ciede2000(seen(red, "deuteranopia"), seen(green, "deuteranopia")), 12)


class TheBallSheet(unittest.TestCase):
    def test_every_two_value_classes_differ_in_every_view(self):
        table = differences(SHEET)
        for view in VIEWS:
            for pair, difference in table[view].items():
                self.assertGreaterEqual(difference, SMALLEST, "cells %d and %d in %s" % (*pair, view))


if __name__ == "__main__" and len(sys.argv) == 2 and sys.argv[1].endswith(".bmp"):
    for view, pairs in differences(sys.argv[1]).items():
        pair = min(pairs, key=pairs.get)
        print("%-13s closest: cells %d and %d, %.1f" % (view, *pair, pairs[pair]))
elif __name__ == "__main__":
    unittest.main()
