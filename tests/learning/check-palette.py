#!/usr/bin/env python3
"""The mastery states' colours, told apart with red-green colour blindness.

Reads the four colours from learning/MasteryMap.cpp, simulates protanopia and deuteranopia
(and tritanopia, for the record) with Machado, Oliveira and Fernandes' matrices (2009, severity
1.0, applied to linear RGB) and prints the smallest CIEDE2000 difference between any two states
for normal vision and each simulation. Fails when a pair falls below MIN_DELTA_E under normal
vision, protanopia or deuteranopia.

Usage: check-palette.py SOURCE_DIR
"""
import itertools
import math
import re
import sys
from pathlib import Path

MIN_DELTA_E = 20  # well apart: 2.3 is a just noticeable difference
STATES = ["未出題", "要復習", "学習中", "習得"]
MACHADO = {
    "protanopia": [[0.152286, 1.052583, -0.204868], [0.114503, 0.786281, 0.099216],
                   [-0.003882, -0.048116, 1.051998]],
    "deuteranopia": [[0.367322, 0.860646, -0.227968], [0.280085, 0.672501, 0.047413],
                     [-0.011820, 0.042940, 0.968881]],
    "tritanopia": [[1.255528, -0.076749, -0.178779], [-0.078411, 0.930809, 0.147602],
                   [0.004733, 0.691367, 0.303900]],
}
CHECKED = ("normal", "protanopia", "deuteranopia")


def to_linear(c):
    c /= 255
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def lab(rgb_linear):
    r, g, b = (min(max(v, 0.0), 1.0) for v in rgb_linear)
    x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883
    f = [t ** (1 / 3) if t > 216 / 24389 else (24389 / 27 * t + 16) / 116 for t in (x, y, z)]
    return 116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])


def ciede2000(p, q):
    (l1, a1, b1), (l2, a2, b2) = p, q
    c_bar = (math.hypot(a1, b1) + math.hypot(a2, b2)) / 2
    g = 0.5 * (1 - math.sqrt(c_bar ** 7 / (c_bar ** 7 + 25 ** 7)))
    a1p, a2p = a1 * (1 + g), a2 * (1 + g)
    c1p, c2p = math.hypot(a1p, b1), math.hypot(a2p, b2)
    h1p = math.degrees(math.atan2(b1, a1p)) % 360
    h2p = math.degrees(math.atan2(b2, a2p)) % 360
    dl, dc = l2 - l1, c2p - c1p
    dh = 0.0 if c1p * c2p == 0 else (h2p - h1p + 180) % 360 - 180
    dH = 2 * math.sqrt(c1p * c2p) * math.sin(math.radians(dh / 2))
    l_bar, c_bar_p = (l1 + l2) / 2, (c1p + c2p) / 2
    if c1p * c2p == 0:
        h_bar = h1p + h2p
    elif abs(h1p - h2p) <= 180:
        h_bar = (h1p + h2p) / 2
    else:
        h_bar = (h1p + h2p + 360) / 2 % 360
    t = (1 - 0.17 * math.cos(math.radians(h_bar - 30)) + 0.24 * math.cos(math.radians(2 * h_bar))
         + 0.32 * math.cos(math.radians(3 * h_bar + 6))
         - 0.20 * math.cos(math.radians(4 * h_bar - 63)))
    sl = 1 + 0.015 * (l_bar - 50) ** 2 / math.sqrt(20 + (l_bar - 50) ** 2)
    sc = 1 + 0.045 * c_bar_p
    sh = 1 + 0.015 * c_bar_p * t
    rt = (-2 * math.sqrt(c_bar_p ** 7 / (c_bar_p ** 7 + 25 ** 7))
          * math.sin(math.radians(60 * math.exp(-(((h_bar - 275) / 25) ** 2)))))
    return math.sqrt((dl / sl) ** 2 + (dc / sc) ** 2 + (dH / sh) ** 2
                     + rt * (dc / sc) * (dH / sh))


def main(root):
    source = (Path(root) / "learning/MasteryMap.cpp").read_text(encoding="utf-8")
    m = re.search(r"kColors\[kMasteryStates\]\s*=\s*\{([^}]*)\}", source)
    colours = [int(v, 16) for v in re.findall(r"0x([0-9a-fA-F]{6})", m.group(1))]
    assert len(colours) == 4, colours
    linear = [[to_linear((c >> s) & 0xff) for s in (16, 8, 0)] for c in colours]
    failed = False
    for vision in ("normal",) + tuple(MACHADO):
        matrix = MACHADO.get(vision)
        seen = [lab([sum(matrix[i][j] * v[j] for j in range(3)) for i in range(3)]
                    if matrix else v) for v in linear]
        pairs = sorted((ciede2000(seen[i], seen[j]), STATES[i], STATES[j])
                       for i, j in itertools.combinations(range(4), 2))
        d, a, b = pairs[0]
        bad = vision in CHECKED and d < MIN_DELTA_E
        failed |= bad
        print(f"{vision:13} smallest ΔE2000 {d:5.1f} ({a}–{b}); "
              + ", ".join(f"{x}–{y} {e:.1f}" for e, x, y in pairs[1:])
              + ("  TOO CLOSE" if bad else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
