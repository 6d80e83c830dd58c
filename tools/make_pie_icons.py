#!/usr/bin/python3
"""Draws the six icons of the pie menu (seven pictures: the volume sector has two).

Every icon is 240 x 240 RGBA, white lines on transparent, so the menu's glow can
colour and blur it. All strokes have the same width and round joins and caps; every
outline is a closed path. Shapes are drawn four times larger and scaled down, which
gives clean anti-aliased edges.

  Volume-2-3_240px.png     speaker with two sound waves
  Volume-2-Mute_240px.png  speaker with a cross
  Music-Doc_240px.png      page with a folded corner and a note on it
  Pause-Button_240px.png   ring with two bars
  Prev-Button_240px.png    ring with a bar and a triangle pointing left
  Play--Button_240px.png   ring with a triangle pointing right
  Next-Button_240px.png    ring with a triangle pointing right and a bar

With --verbose the generator prints the points it placed, per icon and part.

Run with Debian's interpreter: /usr/bin/python3 tools/make_pie_icons.py --out DIR
"""
import argparse
import math
import os

from PIL import Image, ImageDraw

SIZE = 240
SCALE = 4
STROKE = 14  # in final pixels, the same for every line of every icon
CENTRE = SIZE / 2
RING_RADIUS = 100  # the ring of the playback buttons, centre of its stroke


class Icon:
    """One picture: a canvas four times larger and a list of the parts placed on it."""

    def __init__(self, name):
        self.name = name
        self.image = Image.new("L", (SIZE * SCALE, SIZE * SCALE), 0)
        self.draw = ImageDraw.Draw(self.image)
        self.parts = []

    def _dot(self, p):
        r = STROKE * SCALE / 2
        x, y = p[0] * SCALE, p[1] * SCALE
        self.draw.ellipse((x - r, y - r, x + r, y + r), fill=255)

    def polyline(self, part, points, closed=False):
        """Strokes the path through the points; round joins and caps hide the seams."""
        path = list(points) + ([points[0]] if closed else [])
        scaled = [(x * SCALE, y * SCALE) for x, y in path]
        for a, b in zip(scaled, scaled[1:]):
            self.draw.line((a, b), fill=255, width=STROKE * SCALE)
        for p in path:
            self._dot(p)
        self.parts.append((part, "closed" if closed else "open", points))

    def arc(self, part, centre, radius, start_deg, end_deg, steps=96):
        """An arc as a fine polyline, angles in degrees, 0 to the right, clockwise on screen."""
        points = []
        for i in range(steps + 1):
            a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
            points.append((centre[0] + radius * math.cos(a), centre[1] + radius * math.sin(a)))
        closed = abs(end_deg - start_deg) >= 360
        self.polyline(part, points[:-1] if closed else points, closed)

    def fill_polygon(self, points):
        self.draw.polygon([(x * SCALE, y * SCALE) for x, y in points], fill=255)

    def save(self, folder, verbose):
        alpha = self.image.resize((SIZE, SIZE), Image.LANCZOS)
        white = Image.new("RGBA", (SIZE, SIZE), (255, 255, 255, 0))
        white.putalpha(alpha)
        white.save(os.path.join(folder, self.name))
        if verbose:
            print(self.name)
            for part, kind, points in self.parts:
                shown = points if len(points) <= 8 else [points[0], "...", points[-1]]
                print("  %-10s %-6s %d points: %s" % (part, kind, len(points), _format(shown)))


def _format(points):
    return " ".join(p if isinstance(p, str) else "(%.1f, %.1f)" % p for p in points)


def speaker(icon, shift=-38):
    """The loudspeaker: a box and a cone as one closed outline, centred a little left."""
    cx = CENTRE + shift
    icon.polyline("speaker", [
        (cx - 42, CENTRE - 26), (cx - 8, CENTRE - 26), (cx + 34, CENTRE - 66),
        (cx + 34, CENTRE + 66), (cx - 8, CENTRE + 26), (cx - 42, CENTRE + 26)], closed=True)
    return cx + 34


def volume_icon():
    icon = Icon("Volume-2-3_240px.png")
    edge = speaker(icon)
    for i, radius in enumerate((34, 68)):
        icon.arc("wave%d" % (i + 1), (edge, CENTRE), radius, -50, 50)
    return icon


def mute_icon():
    icon = Icon("Volume-2-Mute_240px.png")
    edge = speaker(icon)
    left, right = edge + 26, edge + 84
    icon.polyline("cross1", [(left, CENTRE - 29), (right, CENTRE + 29)])
    icon.polyline("cross2", [(left, CENTRE + 29), (right, CENTRE - 29)])
    return icon


def music_icon():
    icon = Icon("Music-Doc_240px.png")
    left, right, top, bottom, fold = 46, 194, 14, 226, 44
    icon.polyline("page", [(left, top), (right - fold, top), (right, top + fold),
                           (right, bottom), (left, bottom)], closed=True)
    icon.polyline("fold", [(right - fold, top), (right - fold, top + fold), (right, top + fold)])
    # A pair of eighth notes: two heads, two stems, one beam.
    heads = [(96, 176), (150, 162)]
    for i, (hx, hy) in enumerate(heads):
        icon.arc("head%d" % (i + 1), (hx, hy), 14, 0, 360, steps=48)
    stem_x = [hx + 14 for hx, _ in heads]
    icon.polyline("notes", [(stem_x[0], heads[0][1]), (stem_x[0], 92),
                            (stem_x[1], 78), (stem_x[1], heads[1][1])])
    return icon


def ring(icon):
    icon.arc("ring", (CENTRE, CENTRE), RING_RADIUS, 0, 360, steps=180)


def triangle(icon, part, tip_x, base_x, half_height):
    icon.polyline(part, [(base_x, CENTRE - half_height), (tip_x, CENTRE), (base_x, CENTRE + half_height)],
                  closed=True)


def pause_icon():
    icon = Icon("Pause-Button_240px.png")
    ring(icon)
    for i, x in enumerate((CENTRE - 22, CENTRE + 22)):
        icon.polyline("bar%d" % (i + 1), [(x, CENTRE - 42), (x, CENTRE + 42)])
    return icon


def play_icon():
    icon = Icon("Play--Button_240px.png")
    ring(icon)
    # The triangle's centroid sits on the centre, so it looks centred in the ring.
    triangle(icon, "triangle", CENTRE + 48, CENTRE - 30, 44)
    return icon


def prev_icon():
    icon = Icon("Prev-Button_240px.png")
    ring(icon)
    icon.polyline("bar", [(CENTRE - 40, CENTRE - 40), (CENTRE - 40, CENTRE + 40)])
    triangle(icon, "triangle", CENTRE - 12, CENTRE + 44, 40)
    return icon


def next_icon():
    icon = Icon("Next-Button_240px.png")
    ring(icon)
    triangle(icon, "triangle", CENTRE + 12, CENTRE - 44, 40)
    icon.polyline("bar", [(CENTRE + 40, CENTRE - 40), (CENTRE + 40, CENTRE + 40)])
    return icon


ICONS = [volume_icon, mute_icon, music_icon, pause_icon, prev_icon, play_icon, next_icon]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--out", required=True, help="folder for the PNG files")
    parser.add_argument("--verbose", action="store_true", help="print the points placed")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for make in ICONS:
        make().save(args.out, args.verbose)


if __name__ == "__main__":
    main()
