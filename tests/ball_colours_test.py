"""The nine value classes of the ball sheet told apart by every player: for each pair of cells 1
to 9, the mean over the ball's pixels of the CIEDE2000 difference between the two pictures is
at least 10 in normal vision, under simulated protanopia, deuteranopia and tritanopia (Machado,
Oliveira and Fernandes 2009, full severity) and in greyscale."""
import itertools
import math
import os
import unittest

import bmp

SHEET = os.environ.get("KESTROLA_BALL_SHEET", os.path.join(
    os.environ.get("KESTROLA_ASSET_DIR", "."), "Images", "balls.bmp"))
# The simulation matrices for full severity, applied to linear RGB.
MACHADO = {
    "protanopia": ((0.152286, 1.052583, -0.204868), (0.114503, 0.786281, 0.099216),
                   (-0.003882, -0.048116, 1.051998)),
    "deuteranopia": ((0.367322, 0.860646, -0.227968), (0.280085, 0.672501, 0.047413),
                     (-0.011820, 0.042940, 0.968881)),
    "tritanopia": ((1.255528, -0.076749, -0.178779), (-0.078411, 0.930809, 0.147602),
                   (0.004733, 0.691367, 0.303900)),
}
VIEWS = ("normal", *MACHADO, "greyscale")
# Linear RGB to CIE XYZ, each row divided by the D65 white's component.
TO_XYZ = ((0.4124564 / 0.95047, 0.3575761 / 0.95047, 0.1804375 / 0.95047),
          (0.2126729, 0.7151522, 0.0721750),
          (0.0193339 / 1.08883, 0.1191920 / 1.08883, 0.9503041 / 1.08883))


def times(matrix, vector):
    return [sum(m * v for m, v in zip(row, vector)) for row in matrix]


def seen(pixel, view):
    """The pixel's L*a*b* as a player with that vision sees it."""
    rgb = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in
           (channel / 255 for channel in pixel)]
    if view in MACHADO:
        rgb = times(MACHADO[view], rgb)
    x, y, z = (t ** (1 / 3) if t > 216 / 24389 else (24389 / 27 * t + 16) / 116
               for t in times(TO_XYZ, [min(max(c, 0.0), 1.0) for c in rgb]))
    return (116 * y - 16, *((0.0, 0.0) if view == "greyscale" else (500 * (x - y), 200 * (y - z))))


def ciede2000(first, second):
    (L1, a1, b1), (L2, a2, b2) = first, second
    c7 = ((math.hypot(a1, b1) + math.hypot(a2, b2)) / 2) ** 7
    g = 1.5 - 0.5 * math.sqrt(c7 / (c7 + 25 ** 7))
    c1, c2 = math.hypot(a1 * g, b1), math.hypot(a2 * g, b2)
    h1, h2 = (math.degrees(math.atan2(b, a * g)) % 360 if c else 0.0
              for a, b, c in ((a1, b1, c1), (a2, b2, c2)))
    dh, h = h2 - h1, h1 + h2
    if c1 * c2:
        dh += 360 if dh < -180 else -360 if dh > 180 else 0
        h = h / 2 if abs(h1 - h2) <= 180 else (h + 360) / 2 if h < 360 else (h - 360) / 2
    else:
        dh = 0.0
    C, L = (c1 + c2) / 2, (L1 + L2) / 2 - 50
    t = (1 - 0.17 * math.cos(math.radians(h - 30)) + 0.24 * math.cos(math.radians(2 * h))
         + 0.32 * math.cos(math.radians(3 * h + 6)) - 0.20 * math.cos(math.radians(4 * h - 63)))
    dL = (L2 - L1) / (1 + 0.015 * L ** 2 / math.sqrt(20 + L ** 2))
    dC = (c2 - c1) / (1 + 0.045 * C)
    dH = 2 * math.sqrt(c1 * c2) * math.sin(math.radians(dh / 2)) / (1 + 0.015 * C * t)
    r_T = (-2 * math.sqrt(C ** 7 / (C ** 7 + 25 ** 7))
           * math.sin(math.radians(60 * math.exp(-((h - 275) / 25) ** 2))))
    return math.sqrt(dL ** 2 + dC ** 2 + dH ** 2 + r_T * dC * dH)


class TheFormula(unittest.TestCase):
    def test_it_gives_the_published_differences(self):
        # Pairs 1, 7 and 17 of the worked examples that come with the formula.
        self.assertAlmostEqual(ciede2000((50, 2.6772, -79.7751), (50, 0, -82.7485)), 2.0425, 4)
        self.assertAlmostEqual(ciede2000((50, 0, 0), (50, -1, 2)), 2.3669, 4)
        self.assertAlmostEqual(ciede2000((50, 2.5, 0), (73, 25, -18)), 27.1492, 4)


class TheBallSheet(unittest.TestCase):
    def test_every_two_value_classes_differ_in_every_view(self):
        _, _, rows = bmp.read(SHEET)
        # Cell k is the 14 x 14 square at x 14k; the key blue is no part of the ball.
        cells = {k: [row[14 * k + x] for row in rows[:14] for x in range(14)] for k in range(1, 10)}
        for view in VIEWS:
            colour = {p: seen(p, view) for cell in cells.values() for p in cell}
            for a, b in itertools.combinations(cells, 2):
                both = [(p, q) for p, q in zip(cells[a], cells[b]) if (0, 0, 255) not in (p, q)]
                mean = sum(ciede2000(colour[p], colour[q]) for p, q in both) / len(both)
                self.assertGreaterEqual(mean, 10.0, "cells %d and %d in %s" % (a, b, view))


if __name__ == "__main__":
    unittest.main()
