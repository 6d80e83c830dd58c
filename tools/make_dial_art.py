#!/usr/bin/python3
"""Draws the pictures of the two vibration dials as SVG.

  shockBack.svg           120 x 120  outer outline of the dial ring (white, glows in the style colour)
  shockBack2.svg           80 x 80   middle outline (white, glows)
  shockBack1.svg           58 x 58   inner outline round the read-out (white, glows)
  shockRight_jingdu.svg     8 x 12   one tick: a wedge, white so that the dial tints it
  shockButton.svg          20 x 20   the pointer knob (its own colours)

Every outline uses one stroke width (STROKE). The dial turns each tick about its own
centre, and at each step's rotation a tick sits 12 degrees clockwise of the direction
it was drawn for; the wedge is therefore drawn leaning 12 degrees anticlockwise, so it
points at the ring's centre once placed. The knob stands at (39, 0) in the 120 x 120
pointer frame, which puts its centre 12 degrees anticlockwise of 12 o'clock; its notch
points at the ring's centre from there.

The script prints where it put each part, in the picture's own pixels and, for the knob,
in the ring's frame, so the drawing can be checked against the dial's layout.

Run with Debian's interpreter: /usr/bin/python3 tools/make_dial_art.py --out DIR
"""
import argparse
import math
import os

WHITE = "#FFFFFF"
ORANGE = "#FF8A29"
DARK_TEAL = "#0B606E"
STROKE = 2.0

# The knob's place in the pointer frame (the ring's 120 x 120 square) and the ring centre.
KNOB_SIZE = 20
KNOB_POS = (39, 0)
RING_CENTRE = (60, 60)
# Every tick and the knob lean this far anticlockwise of their frame's vertical.
LEAN_DEG = 12.0


def fmt(v):
    """Numbers as SVG wants them: short, no trailing zeros, no negative zero."""
    s = f"{v:.3f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n{body}</svg>\n')


def polygon_path(points):
    """A closed path through the points."""
    head = f"M {fmt(points[0][0])} {fmt(points[0][1])}"
    rest = " ".join(f"L {fmt(x)} {fmt(y)}" for x, y in points[1:])
    return f"{head} {rest} Z"


def circle_path(cx, cy, r):
    """A closed circle as two arcs, so that the outline is one path."""
    return (f"M {fmt(cx - r)} {fmt(cy)} A {fmt(r)} {fmt(r)} 0 1 0 {fmt(cx + r)} {fmt(cy)} "
            f"A {fmt(r)} {fmt(r)} 0 1 0 {fmt(cx - r)} {fmt(cy)} Z")


def outline(size, name):
    """A white circle outline that fills its square, the stroke kept inside the square."""
    c = size / 2
    r = c - STROKE / 2
    body = (f'  <path id="{name}" d="{circle_path(c, c, r)}" fill="none" stroke="{WHITE}" '
            f'stroke-width="{fmt(STROKE)}"/>\n')
    print(f"{name}: circle centre ({fmt(c)}, {fmt(c)}), radius {fmt(r)}, outer edge {fmt(r + STROKE / 2)}")
    return svg(size, size, body)


def tick():
    """The tick wedge: wide at its outer end, narrow towards the ring's centre."""
    width, height = 8, 12
    lean = math.radians(LEAN_DEG)
    out = (-math.sin(lean), -math.cos(lean))   # along the wedge, towards its outer end
    across = (math.cos(lean), -math.sin(lean))  # across the wedge
    half_length, outer_half, inner_half = 5.2, 2.6, 1.1
    cx, cy = width / 2, height / 2
    outer = (cx + out[0] * half_length, cy + out[1] * half_length)
    inner = (cx - out[0] * half_length, cy - out[1] * half_length)
    points = [
        (outer[0] - across[0] * outer_half, outer[1] - across[1] * outer_half),
        (outer[0] + across[0] * outer_half, outer[1] + across[1] * outer_half),
        (inner[0] + across[0] * inner_half, inner[1] + across[1] * inner_half),
        (inner[0] - across[0] * inner_half, inner[1] - across[1] * inner_half),
    ]
    for x, y in points:
        assert 0 <= x <= width and 0 <= y <= height, "tick corner outside its picture"
    print("shockRight_jingdu: corners", ", ".join(f"({fmt(x)}, {fmt(y)})" for x, y in points))
    body = f'  <path id="tick" d="{polygon_path(points)}" fill="{WHITE}"/>\n'
    return svg(width, height, body)


def knob():
    """The knob: a dark disc in a white ring with an orange notch that points at the ring's centre."""
    c = KNOB_SIZE / 2
    ring_r = c - STROKE / 2 - 0.5
    centre_in_ring = (KNOB_POS[0] + c, KNOB_POS[1] + c)
    to_centre = (RING_CENTRE[0] - centre_in_ring[0], RING_CENTRE[1] - centre_in_ring[1])
    distance = math.hypot(*to_centre)
    angle = math.degrees(math.atan2(-to_centre[0], to_centre[1]))  # clockwise from 12 o'clock, seen from the centre
    along = (to_centre[0] / distance, to_centre[1] / distance)
    across = (-along[1], along[0])
    # The notch: a small wedge from the knob's middle towards the ring centre.
    tip = (c + along[0] * (ring_r - 2.0), c + along[1] * (ring_r - 2.0))
    base = (c - along[0] * 1.5, c - along[1] * 1.5)
    notch = [
        (base[0] + across[0] * 2.2, base[1] + across[1] * 2.2),
        (tip[0], tip[1]),
        (base[0] - across[0] * 2.2, base[1] - across[1] * 2.2),
    ]
    print(f"shockButton: centre ({fmt(c)}, {fmt(c)}), ring radius {fmt(ring_r)}; in the ring's frame at rotation 0 "
          f"the centre is ({fmt(centre_in_ring[0])}, {fmt(centre_in_ring[1])}), radius {fmt(distance)}, "
          f"{fmt(-angle)} degrees anticlockwise of 12 o'clock")
    body = (f'  <path id="knob-disc" d="{circle_path(c, c, ring_r)}" fill="{DARK_TEAL}" stroke="{WHITE}" '
            f'stroke-width="{fmt(STROKE)}"/>\n'
            f'  <path id="knob-notch" d="{polygon_path(notch)}" fill="{ORANGE}"/>\n')
    return svg(KNOB_SIZE, KNOB_SIZE, body)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder for the SVG files")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    pictures = {
        "shockBack.svg": outline(120, "shockBack"),
        "shockBack2.svg": outline(80, "shockBack2"),
        "shockBack1.svg": outline(58, "shockBack1"),
        "shockRight_jingdu.svg": tick(),
        "shockButton.svg": knob(),
    }
    for name, text in pictures.items():
        with open(os.path.join(args.out, name), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
