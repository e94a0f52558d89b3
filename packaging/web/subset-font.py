#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT
"""Cuts the CJK font down to the characters the program can show.

The page has no system fonts to fall back on, so it carries its own: every
character of the given sources (the forms, the window's and planner's code and
the model's notices and copy texts) and printable ASCII, for the figures the
program formats. Fails if the font lacks one of them, so no text can show as
boxes in the browser.
usage: subset-font.py FONT OUTPUT SOURCE...
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def characters(paths):
    wanted = {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        with open(path, encoding="utf-8") as source:
            wanted.update(c for c in source.read() if ord(c) > 0x7F)
    return wanted


def main():
    font_path, output, *sources = sys.argv[1:]
    wanted = characters(sources)
    options = subset.Options()
    options.font_number = 0  # the regular face of a collection
    options.name_IDs = ["*"]  # keep the family name and the licence notice
    options.layout_features = ["*"]
    options.notdef_outline = True
    font = subset.load_font(font_path, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in wanted])
    subsetter.subset(font)
    subset.save_font(font, output, options)

    cmap = TTFont(output).getBestCmap()
    missing = sorted(c for c in wanted if ord(c) not in cmap and c.isprintable())
    if missing:
        sys.exit(f"subset-font: {font_path} has no glyph for {' '.join(missing)}")
    print(f"subset-font: {len(wanted)} characters, {output}")


if __name__ == "__main__":
    main()
