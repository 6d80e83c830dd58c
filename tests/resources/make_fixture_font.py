#!/usr/bin/python3
"""Makes the font folder fixture: a copy of a font under a family name no system has
("Joyvant Fixture"), so a test can tell that the font became known through the folder
font loader alone, and a text file beside it that the loader must skip."""
import os
import sys

from fontTools.ttLib import TTFont

source, target = sys.argv[1], sys.argv[2]
font = TTFont(source)
for record in font["name"].names:
    if record.nameID in (1, 16):
        record.string = "Joyvant Fixture"
    elif record.nameID in (4, 6):
        record.string = "JoyvantFixture-Regular"
os.makedirs(os.path.dirname(target), exist_ok=True)
font.save(target)
with open(os.path.join(os.path.dirname(target), "readme.txt"), "w") as note:
    note.write("Not a font.\n")
