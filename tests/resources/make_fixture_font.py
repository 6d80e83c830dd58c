#!/usr/bin/python3
"""Writes a copy of a font under a family name no system has ("Joyvant Fixture"), so a
test can tell that the font became known through the folder font loader alone."""
import sys

from fontTools.ttLib import TTFont

source, target = sys.argv[1], sys.argv[2]
font = TTFont(source)
for record in font["name"].names:
    if record.nameID in (1, 16):
        record.string = "Joyvant Fixture"
    elif record.nameID in (4, 6):
        record.string = "JoyvantFixture-Regular"
font.save(target)
