#!/usr/bin/python3
"""Builds the three fonts of the resource bundle from Debian's font packages.

* SourceHanSansCN-Bold.otf: a subset of the bold Simplified Chinese face of Noto Sans CJK
  (fonts-noto-cjk; the same OFL-licensed design as Source Han Sans) holding ASCII, Latin-1
  and every CJK character that the interface's QML documents show. As a modified version
  it carries a family name of its own, "Joyvant Sans CJK", as the OFL asks of subsets.
* advanced_led_board-7.ttf: DSEG7 Classic Bold from fonts-dseg (seven-segment digits),
  copied unmodified; the face of numeric read-outs.
* DSEG14Classic-Bold.ttf: DSEG14 Classic Bold from fonts-dseg, copied unmodified; the
  face of LED letters. Seven segments cannot draw every letter (X comes out as "H", Y and
  B in lower case), fourteen segments can, in the same style.

Run with Debian's interpreter: /usr/bin/python3 tools/make_fonts.py --out DIR --scan DIR...
"""
import argparse
import os
import re
import shutil
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

NOTO_CJK_BOLD = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"
DSEG7_BOLD = "/usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf"
DSEG14_BOLD = "/usr/share/fonts/truetype/dseg/DSEG14Classic-Bold.ttf"
FAMILY = "Joyvant Sans CJK"

# CJK ideographs, CJK punctuation and full-width forms.
CJK = re.compile(r"[\u3000-\u303f\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef]")


def interface_characters(roots):
    chars = set(chr(c) for c in range(0x20, 0x7F))
    chars |= set(chr(c) for c in range(0xA0, 0x100))
    for root in roots:
        for folder, _, files in os.walk(root):
            for name in files:
                if not name.endswith((".qml", ".js", ".json")):
                    continue
                with open(os.path.join(folder, name), encoding="utf-8") as f:
                    chars |= set(CJK.findall(f.read()))
    return chars


def simplified_chinese_face(path):
    collection = TTCollection(path)
    for font in collection.fonts:
        if font["name"].getDebugName(1) == "Noto Sans CJK SC":
            return font
    sys.exit("make_fonts: no 'Noto Sans CJK SC' face in " + path)


def rename(font, family):
    style = "Bold"
    names = {1: family, 2: style, 3: family + " " + style, 4: family + " " + style,
             6: family.replace(" ", "") + "-" + style, 16: family, 17: style}
    table = font["name"]
    for record in list(table.names):
        if record.nameID in names:
            table.setName(names[record.nameID], record.nameID, record.platformID,
                          record.platEncID, record.langID)
        elif record.nameID in (21, 22):
            table.removeNames(nameID=record.nameID)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [names[6]]
        top = cff.topDictIndex[0]
        top.FullName = names[4]
        top.FamilyName = family


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True, help="folder that receives the three fonts")
    parser.add_argument("--scan", nargs="+", required=True, help="folders with the interface's documents")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    font = simplified_chinese_face(NOTO_CJK_BOLD)
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.desubroutinize = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(interface_characters(args.scan))))
    subsetter.subset(font)
    rename(font, FAMILY)
    font.save(os.path.join(args.out, "SourceHanSansCN-Bold.otf"))

    shutil.copyfile(DSEG7_BOLD, os.path.join(args.out, "advanced_led_board-7.ttf"))
    shutil.copyfile(DSEG14_BOLD, os.path.join(args.out, "DSEG14Classic-Bold.ttf"))


if __name__ == "__main__":
    main()
