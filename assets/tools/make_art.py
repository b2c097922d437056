#!/usr/bin/env python3
"""Writes every picture into assets/pictures/. Standard library only; seeded, so
running it twice gives byte-identical files."""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import art_effects  # noqa: E402
import art_misc  # noqa: E402
import art_scenes  # noqa: E402
import art_units  # noqa: E402

OUT = os.path.join(os.path.dirname(HERE), "pictures")


def main():
    os.makedirs(OUT, exist_ok=True)
    made = {}
    for group in (art_units.unit_files(), art_misc.files(), art_scenes.files(), art_effects.files()):
        made.update(group)
    for name, svg in sorted(made.items()):
        svg.save(os.path.join(OUT, name))
    total = sum(os.path.getsize(os.path.join(OUT, n)) for n in made)
    print(f"pictures: {len(made)} files, {total / 1024:.0f} KiB in {OUT}")


if __name__ == "__main__":
    main()
