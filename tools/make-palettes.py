#!/usr/bin/env python3
"""Writes the six 48-colour palettes of the 3D views into resources/ (gray, hsv, blue, copper, hot, white)."""
import colorsys
import pathlib

COLOURS = 48


def ramp(fraction):
    t = fraction
    return {
        "gray": (t, t, t),
        # From blue through cyan, green and yellow to red: the hue falls as the value grows.
        "hsv": colorsys.hsv_to_rgb((1 - t) * 2 / 3, 1, 1),
        "blue": (t * t, t, 0.5 + 0.5 * t),
        "copper": (min(1, 1.25 * t), 0.7812 * t, 0.4975 * t),
        "hot": (min(1, 3 * t), min(1, max(0, 3 * t - 1)), max(0, 3 * t - 2)),
        "white": (1 - 0.6 * t, 1 - 0.6 * t, 1 - 0.6 * t),
    }


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "resources"
    tables = {name: [] for name in ramp(0)}
    for i in range(COLOURS):
        for name, rgb in ramp(i / (COLOURS - 1)).items():
            tables[name].append(" ".join(str(round(255 * c)) for c in rgb))
    for name, lines in tables.items():
        (folder / f"{name}.pal").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
