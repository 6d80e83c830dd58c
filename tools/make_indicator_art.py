#!/usr/bin/python3
"""Draws the shapes of the button indicators that lie over the controller picture.

  circle.svg        45 x 45    face buttons, Start and Back: a ring around a disc
  cross_button.svg  24 x 16    one cross-pad arrow, pointing up (the picture rotates it)
  duplex_cross.png  28 x 28    one cross-pad diagonal, pointing up-left (rotated per corner);
                               drawn at twice that size so it stays sharp when scaled
  rt_button.svg     168 x 44   right bumper, its outer end on the right
  lt_button.svg     168 x 44   left bumper (the right one mirrored)
  rb_button.svg     36 x 20    right trigger, its outer side on the right
  lb_button.svg     36 x 20    left trigger (the right one mirrored)

Every shape is white: the indicators recolour all of their opaque pixels, so only the
alpha of a picture matters. All outlines are closed paths with one stroke width
(STROKE) and round joins; the canvas of each file is the widget's default size, so a
shape fills its widget the way the layout places it. The script prints the box each
shape covers, to check the drawings against the layout.

Run with Debian's interpreter: /usr/bin/python3 tools/make_indicator_art.py --out DIR
"""
import argparse
import os

from PIL import Image, ImageDraw

STROKE = 2
WHITE = "#FFFFFF"


def fmt(v):
    return ("%.2f" % v).rstrip("0").rstrip(".")


def path_data(commands):
    """commands: ("M", x, y), ("L", x, y), ("C", x1, y1, x2, y2, x, y), ("Z",)."""
    parts = []
    for command in commands:
        parts.append(command[0] + " ".join(fmt(v) for v in command[1:]))
    return " ".join(parts)


def mirrored(commands, width):
    out = []
    for command in commands:
        coords = list(command[1:])
        for i in range(0, len(coords), 2):
            coords[i] = width - coords[i]
        out.append((command[0], *coords))
    return out


def points(commands):
    pts = []
    for command in commands:
        coords = command[1:]
        pts += [(coords[i], coords[i + 1]) for i in range(0, len(coords), 2)]
    return pts


def svg(width, height, ident, body):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
            '  <g id="%s" fill="%s" stroke="%s" stroke-width="%d" stroke-linejoin="round">\n'
            '%s'
            '  </g>\n'
            '</svg>\n') % (width, height, width, height, ident, WHITE, WHITE, STROKE, body)


def shape_file(out, name, width, height, ident, commands):
    body = '    <path id="%s-outline" d="%s"/>\n' % (ident, path_data(commands))
    write(out, name, svg(width, height, ident, body))
    pts = points(commands)
    report(name, width, height, min(p[0] for p in pts), min(p[1] for p in pts),
           max(p[0] for p in pts), max(p[1] for p in pts))


def write(out, name, text):
    with open(os.path.join(out, name), "w", encoding="utf-8") as f:
        f.write(text)


def report(name, width, height, x0, y0, x1, y1):
    # The outline's points; the stroke adds STROKE / 2 on every side.
    print("%-17s %3d x %-3d outline (%s, %s) - (%s, %s)" % (name, width, height, fmt(x0), fmt(y0), fmt(x1), fmt(y1)))


def circle(out):
    # A ring and, inside a narrow gap, a disc: both opaque, so the letter on top stands
    # on a solid face while the gap still reads as the button's rim.
    c, ring, disc = 22.5, 20.5, 16.5
    body = ('    <circle id="circle-ring" cx="%s" cy="%s" r="%s" fill="none"/>\n'
            '    <circle id="circle-face" cx="%s" cy="%s" r="%s"/>\n') % (
        fmt(c), fmt(c), fmt(ring), fmt(c), fmt(c), fmt(disc))
    write(out, "circle.svg", svg(45, 45, "circle", body))
    report("circle.svg", 45, 45, c - ring, c - ring, c + ring, c + ring)


def cross_button(out):
    # A key cap with a pointed top: the arrow of one cross-pad direction.
    shape_file(out, "cross_button.svg", 24, 16, "cross-button", [
        ("M", 2, 15), ("L", 22, 15), ("L", 22, 8), ("L", 12, 1), ("L", 2, 8), ("Z",)])


def bumper_right():
    # Flat underside, the outer end rounded up to a high shoulder, the top falling
    # in a long curve towards the middle of the controller.
    return [
        ("M", 6, 42), ("L", 150, 42),
        ("C", 160, 42, 166, 36, 166, 26),
        ("C", 166, 12, 156, 2, 140, 2),
        ("C", 104, 2, 52, 10, 14, 22),
        ("C", 6, 25, 2, 30, 2, 36),
        ("C", 2, 40, 3, 42, 6, 42), ("Z",)]


def trigger_right():
    # A cap that rises towards the outer side.
    return [
        ("M", 2, 18), ("L", 34, 18), ("L", 34, 9),
        ("C", 34, 4, 30, 2, 25, 2),
        ("L", 9, 4),
        ("C", 5, 4.5, 2, 7, 2, 11), ("Z",)]


def bumpers_and_triggers(out):
    shape_file(out, "rt_button.svg", 168, 44, "rt-button", bumper_right())
    shape_file(out, "lt_button.svg", 168, 44, "lt-button", mirrored(bumper_right(), 168))
    shape_file(out, "rb_button.svg", 36, 20, "rb-button", trigger_right())
    shape_file(out, "lb_button.svg", 36, 20, "lb-button", mirrored(trigger_right(), 36))


def duplex_cross(out):
    # A rounded triangle in the upper left corner, pointing there: one diagonal of the
    # cross pad. Drawn 8 times larger than written and scaled down for smooth edges.
    density, supersample = 2, 8
    size = 28
    scale = density * supersample
    corners = [(5, 5), (21, 5), (5, 21)]
    pts = [(x * scale, y * scale) for x, y in corners]
    picture = Image.new("L", (size * scale, size * scale), 0)
    draw = ImageDraw.Draw(picture)
    draw.polygon(pts, fill=255)
    draw.line(pts + [pts[0]], fill=255, width=STROKE * scale, joint="curve")
    for x, y in pts:  # round the corners the line joins leave square
        r = STROKE * scale / 2
        draw.ellipse([x - r, y - r, x + r, y + r], fill=255)
    alpha = picture.resize((size * density, size * density), Image.Resampling.LANCZOS)
    rgba = Image.merge("RGBA", [Image.new("L", alpha.size, 255)] * 3 + [alpha])
    rgba.save(os.path.join(out, "duplex_cross.png"), optimize=True)
    report("duplex_cross.png", size, size, 5, 5, 21, 21)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True, help="folder that receives the pictures")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    circle(args.out)
    cross_button(args.out)
    duplex_cross(args.out)
    bumpers_and_triggers(args.out)


if __name__ == "__main__":
    main()
