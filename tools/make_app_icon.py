#!/usr/bin/env python3
"""Draws Joyvant's application icon: one set of shapes written as SVG and rasterised
with PIL (drawn four times larger, then reduced) to the PNG sizes the desktop wants.

    make_app_icon.py --out DIR      writes DIR/joyvant.svg and DIR/joyvant-<size>.png
"""
import argparse
import os

from PIL import Image, ImageDraw

VIEW = 256  # the drawing's own units; every size is scaled from them
BACKGROUND = "#0B606E"
BODY = "#12AAC2"
DETAIL = "#0B606E"
ACCENT = "#FF8A29"

# (kind, colour, geometry) in drawing units, painted in order.
SHAPES = [
    ("rrect", BACKGROUND, (8, 8, 248, 248, 48)),
    # the pad: a wide body and two grips
    ("rrect", BODY, (36, 78, 220, 178, 44)),
    ("circle", BODY, (74, 160, 38)),
    ("circle", BODY, (182, 160, 38)),
    # left stick and the cross pad
    ("circle", DETAIL, (80, 112, 20)),
    ("rect", DETAIL, (100, 136, 108, 168)),
    ("rect", DETAIL, (88, 148, 120, 156)),
    # right stick and the face buttons
    ("circle", DETAIL, (156, 152, 17)),
    ("circle", ACCENT, (180, 94, 9)),
    ("circle", DETAIL, (200, 114, 9)),
    ("circle", DETAIL, (160, 114, 9)),
    ("circle", DETAIL, (180, 134, 9)),
]


def svg_text():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % (VIEW, VIEW, VIEW, VIEW)
    ]
    for kind, colour, g in SHAPES:
        if kind == "rrect":
            x0, y0, x1, y1, r = g
            parts.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                         % (x0, y0, x1 - x0, y1 - y0, r, colour))
        elif kind == "rect":
            x0, y0, x1, y1 = g
            parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>'
                         % (x0, y0, x1 - x0, y1 - y0, colour))
        else:
            cx, cy, r = g
            parts.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx, cy, r, colour))
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def raster(size):
    scale = size * 4 / VIEW
    image = Image.new("RGBA", (size * 4, size * 4), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for kind, colour, g in SHAPES:
        if kind == "rrect":
            x0, y0, x1, y1, r = (v * scale for v in g)
            draw.rounded_rectangle((x0, y0, x1, y1), radius=r, fill=colour)
        elif kind == "rect":
            draw.rectangle(tuple(v * scale for v in g), fill=colour)
        else:
            cx, cy, r = (v * scale for v in g)
            draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=colour)
    return image.resize((size, size), Image.LANCZOS)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--sizes", default="48,128,256")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "joyvant.svg"), "w", encoding="utf-8") as f:
        f.write(svg_text())
    for size in (int(s) for s in args.sizes.split(",")):
        raster(size).save(os.path.join(args.out, "joyvant-%d.png" % size), optimize=True)


if __name__ == "__main__":
    main()
