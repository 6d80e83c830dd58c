#!/usr/bin/python3
"""Draws the controller pictures of the test view: the front and the back of the controller,
the parts laid over them (stick rings, ticks and marks, cross pad, guide ring), the outlines
and lit shapes of the back's shoulder buttons and paddles, the view-switch icons, the slot
badges and the captions of the shoulder controls.

Everything is line art in white ("#FFFFFF"), one stroke width (STROKE), closed paths: the
pictures are shown through a glow or a colour overlay, which colours them. The lit shapes of
the back picture are filled, since an overlay paints them; the filled switch icons carry
the orange of the picture on show.

Each drawing is written in the coordinates of the frame it is placed in (the front picture's
1280 x 800 frame, the back picture's 700 x 480 frame) and moved to its own box when it is
written, so a part and its indicator line up by construction. With --print the script lists
every control it placed (element id, centre or box in the frame), to check the layout
against the drawing.

Captions are the interface font's own outlines (the bold Simplified Chinese face of Noto
Sans CJK, of which the bundled font is a subset): paths in the SVG labels, rasterised in the
PNG labels.

Run with Debian's interpreter:
  /usr/bin/python3 tools/make_controller_art.py --out DIR [--print]
"""
import argparse
import math
import os
import sys

from PIL import Image, ImageDraw
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTCollection

STROKE = 2
WHITE = "#FFFFFF"
ORANGE = "#FF8A29"
DARK = "#0B606E"
NOTO_CJK_BOLD = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"
FACE = "Noto Sans CJK SC"

placed = []  # (picture, element id, description) for --print


def fmt(v):
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


class Path:
    """A path in frame coordinates; `d(dx, dy)` writes it moved by (dx, dy)."""

    def __init__(self):
        self.ops = []

    def M(self, *p):
        self.ops.append(("M", [p]))
        return self

    def L(self, *p):
        self.ops.append(("L", [p]))
        return self

    def Q(self, c, p):
        self.ops.append(("Q", [c, p]))
        return self

    def C(self, c1, c2, p):
        self.ops.append(("C", [c1, c2, p]))
        return self

    def Z(self):
        self.ops.append(("Z", []))
        return self

    def mapped(self, f):
        out = Path()
        out.ops = [(op, [f(p) for p in pts]) for op, pts in self.ops]
        return out

    def mirrored(self, axis):
        return self.mapped(lambda p: (2 * axis - p[0], p[1]))

    def points(self):
        return [p for _, pts in self.ops for p in pts]

    def bbox(self):
        xs = [p[0] for p in self.points()]
        ys = [p[1] for p in self.points()]
        return min(xs), min(ys), max(xs), max(ys)

    def d(self, dx=0.0, dy=0.0):
        parts = []
        for op, pts in self.ops:
            parts.append(op + " ".join("%s,%s" % (fmt(x + dx), fmt(y + dy)) for x, y in pts))
        return " ".join(parts)


def rounded_polygon(points, radius):
    """A closed polygon whose corners are rounded with quadratic curves of the given reach."""
    path = Path()
    n = len(points)
    for i in range(n):
        p0, p1, p2 = points[i - 1], points[i], points[(i + 1) % n]

        def towards(a, b, r):
            length = math.hypot(b[0] - a[0], b[1] - a[1])
            r = min(r, length / 2)
            return (a[0] + (b[0] - a[0]) * r / length, a[1] + (b[1] - a[1]) * r / length)

        a = towards(p1, p0, radius)
        b = towards(p1, p2, radius)
        if i == 0:
            path.M(*a)
        elif math.hypot(a[0] - last[0], a[1] - last[1]) > 1e-6:
            path.L(*a)
        path.Q(p1, b)
        last = b
    return path.Z()


def circle_path(cx, cy, r):
    """A circle as four cubic quarters (one closed path, no arc flags to get wrong)."""
    k = 0.5522847498 * r
    return (Path().M(cx, cy - r)
            .C((cx + k, cy - r), (cx + r, cy - k), (cx + r, cy))
            .C((cx + r, cy + k), (cx + k, cy + r), (cx, cy + r))
            .C((cx - k, cy + r), (cx - r, cy + k), (cx - r, cy))
            .C((cx - r, cy - k), (cx - k, cy - r), (cx, cy - r)).Z())


def symmetric(half, axis):
    """Closes a left half-outline (from the top of the axis down to its bottom) with its mirror."""
    right = half.mirrored(axis)
    path = Path()
    path.ops = list(half.ops)
    # Walk the mirrored half backwards: each curve reversed, from the bottom up to the top.
    segments = []
    current = None
    for op, pts in right.ops:
        if op == "M":
            current = pts[0]
        else:
            segments.append((current, op, pts))
            current = pts[-1]
    for start, op, pts in reversed(segments):
        if op == "C":
            path.C(pts[1], pts[0], start)
        elif op == "Q":
            path.Q(pts[0], start)
        else:
            path.L(*start)
    return path.Z()


def check_clean(name, element_id, path):
    """Every drawn path is one closed figure without repeated points."""
    ops = path.ops
    if not ops or ops[0][0] != "M" or ops[-1][0] != "Z":
        sys.exit("make_controller_art: %s#%s is not one closed path" % (name, element_id))
    current = None
    for op, pts in ops:
        if op == "M" and current is not None:
            continue  # a further figure (a hole of an even-odd fill)
        if op in ("L", "C", "Q") and current is not None:
            end = pts[-1]
            if abs(end[0] - current[0]) < 1e-6 and abs(end[1] - current[1]) < 1e-6:
                sys.exit("make_controller_art: %s#%s repeats the point %s" % (name, element_id, end))
        if pts:
            current = pts[-1]


class Drawing:
    """One SVG picture of `size`, whose frame origin is at `origin` in frame coordinates."""

    def __init__(self, name, size, origin=(0, 0), picture=None):
        self.name = name
        self.size = size
        self.origin = origin
        self.picture = picture or name
        self.items = []

    def _shift(self):
        return -self.origin[0], -self.origin[1]

    def outline(self, element_id, path, note=None):
        check_clean(self.name, element_id, path)
        self.items.append('<path id="%s" d="%s" fill="none" stroke="%s" stroke-width="%d" '
                          'stroke-linejoin="round" stroke-linecap="round"/>'
                          % (element_id, path.d(*self._shift()), WHITE, STROKE))
        self._place(element_id, path, note)

    def filled(self, element_id, path, colour=WHITE, note=None, evenodd=False):
        check_clean(self.name, element_id, path)
        rule = ' fill-rule="evenodd"' if evenodd else ""
        self.items.append('<path id="%s" d="%s" fill="%s"%s/>'
                          % (element_id, path.d(*self._shift()), colour, rule))
        self._place(element_id, path, note)

    def stroked(self, element_id, path, colour, width):
        check_clean(self.name, element_id, path)
        self.items.append('<path id="%s" d="%s" fill="none" stroke="%s" stroke-width="%s" '
                          'stroke-linejoin="round" stroke-linecap="round"/>'
                          % (element_id, path.d(*self._shift()), colour, fmt(width)))

    def _place(self, element_id, path, note):
        x0, y0, x1, y1 = path.bbox()
        text = note or "box (%s, %s)-(%s, %s)" % (fmt(x0), fmt(y0), fmt(x1), fmt(y1))
        placed.append((self.picture, element_id, text))

    def write(self, folder):
        w, h = self.size
        body = "\n  ".join(self.items)
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" viewBox="0 0 %s %s">\n'
               '  %s\n</svg>\n' % (fmt(w), fmt(h), fmt(w), fmt(h), body))
        with open(os.path.join(folder, self.name), "w", encoding="utf-8") as f:
            f.write(svg)


# ---------------------------------------------------------------------------------------
# Captions from the interface font

class Face:
    def __init__(self):
        collection = TTCollection(NOTO_CJK_BOLD)
        self.font = None
        self.index = None
        for i, font in enumerate(collection.fonts):
            if font["name"].getDebugName(1) == FACE:
                self.font, self.index = font, i
                break
        if self.font is None:
            sys.exit("make_controller_art: no '%s' face in %s" % (FACE, NOTO_CJK_BOLD))
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()
        self.units = self.font["head"].unitsPerEm

    def advance(self, text, px):
        return sum(self.glyphs[self.cmap[ord(ch)]].width for ch in text) * px / self.units

    def path(self, text, px, x, baseline):
        """SVG path data of `text` at `px` pixels, starting at x on the baseline."""
        pen = SVGPathPen(self.glyphs, ntos=fmt)
        scale = px / self.units
        pos = x
        for ch in text:
            glyph = self.glyphs[self.cmap[ord(ch)]]
            glyph.draw(TransformPen(pen, (scale, 0, 0, -scale, pos, baseline)))
            pos += glyph.width * scale
        return pen.getCommands()


# ---------------------------------------------------------------------------------------
# The front picture, in the 1280 x 800 frame of the test view

FRONT_ORIGIN = (241, -50)          # where positive_main.svg stands in the frame
AXIS = 640                          # the controller's middle
STICK_LEFT = (472, 260)
STICK_RIGHT = (715, 369)
CROSS = (559.5, 368.5)
FACE_BUTTONS = {"A": (811, 288), "B": (859, 257), "X": (763, 253), "Y": (811, 219)}
BACK_BUTTON = (593.5, 264.5)
START_BUTTON = (686.5, 264.5)


def front_body():
    # The shoulders rise over the triggers, so bumpers and triggers lie inside the outline.
    half = (Path().M(AXIS, 156)
            .C((605, 156), (565, 153), (535, 141))
            .C((515, 132), (495, 126), (468, 125))
            .C((440, 124), (416, 126), (404, 134))
            .C((390, 144), (385, 162), (378, 182))
            .C((364, 215), (334, 240), (316, 276))
            .C((296, 316), (276, 380), (263, 450))
            .C((251, 520), (256, 600), (290, 635))
            .C((320, 665), (380, 668), (420, 645))
            .C((455, 625), (470, 590), (490, 545))
            .C((510, 500), (545, 476), (590, 473))
            .C((615, 472), (630, 472), (AXIS, 472)))
    return symmetric(half, AXIS)


# The shoulder controls follow the lit shapes that the indicator widgets lay over them
# (a bumper 168 x 44 fitted into its box, a trigger 36 x 20 stretched over its box), so the
# outline runs along the edge of the lit shape.
BUMPER_SHAPE = [("M", (6, 42)), ("L", (150, 42)), ("C", (160, 42), (166, 36), (166, 26)),
                ("C", (166, 12), (156, 2), (140, 2)), ("C", (104, 2), (52, 10), (14, 22)),
                ("C", (6, 25), (2, 30), (2, 36)), ("C", (2, 40), (3, 42), (6, 42))]
TRIGGER_SHAPE = [("M", (2, 18)), ("L", (34, 18)), ("L", (34, 9)), ("C", (34, 4), (30, 2), (25, 2)),
                 ("L", (9, 4)), ("C", (5, 4.5), (2, 7), (2, 11))]


def placed_shape(shape, size, box, mirror, stretch):
    """The shape of a `size` picture as the widget shows it in `box` (x, y, w, h)."""
    w, h = size
    bx, by, bw, bh = box
    if stretch:
        sx, sy, ox, oy = bw / w, bh / h, bx, by
    else:
        sx = sy = min(bw / w, bh / h)
        ox, oy = bx + (bw - w * sx) / 2, by + (bh - h * sy) / 2

    def f(p):
        x = w - p[0] if mirror else p[0]
        return (ox + x * sx, oy + p[1] * sy)

    path = Path()
    for op, *pts in shape:
        getattr(path, op)(*[f(p) for p in pts]) if op in ("C", "Q") else getattr(path, op)(*f(pts[0]))
    return path.Z()


def sampled(path, steps=24):
    """Points along a path of M, L and C segments."""
    out, current = [], None
    for op, pts in path.ops:
        if op == "M":
            current = pts[0]
            out.append(current)
        elif op == "L":
            for i in range(1, steps + 1):
                t = i / steps
                out.append((current[0] + (pts[0][0] - current[0]) * t, current[1] + (pts[0][1] - current[1]) * t))
            current = pts[0]
        elif op == "C":
            p0, (p1, p2, p3) = current, pts
            for i in range(1, steps + 1):
                t = i / steps
                a, b, c, d = (1 - t) ** 3, 3 * t * (1 - t) ** 2, 3 * t * t * (1 - t), t ** 3
                out.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0], a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
            current = p3
    return out


def top_edge(points, x):
    """The highest point of a sampled closed outline at x (linear between samples)."""
    best = None
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        if min(x0, x1) <= x <= max(x0, x1) and x0 != x1:
            y = y0 + (y1 - y0) * (x - x0) / (x1 - x0)
            best = y if best is None else min(best, y)
    return best


def front_bumper(side):
    if side == "L":
        return placed_shape(BUMPER_SHAPE, (168, 44), (395, 140, 155, 53), True, False)
    return placed_shape(BUMPER_SHAPE, (168, 44), (733, 140, 154, 52), False, False)


def front_trigger(side, gap=3.5):
    """The part of the trigger that shows above its bumper, a gap away from the bumper."""
    if side == "L":
        cap = placed_shape(TRIGGER_SHAPE, (36, 20), (419, 128, 73, 33), True, True)
    else:
        cap = placed_shape(TRIGGER_SHAPE, (36, 20), (789, 128, 75, 34), False, True)
    bumper = sampled(front_bumper(side))
    x0, _, x1, _ = cap.bbox()
    cap_points = sampled(cap)
    xs = [x0 + (x1 - x0) * i / 40 for i in range(41)]
    upper = [(x, top_edge(cap_points, x)) for x in xs]
    lower = [(x, min(top_edge(bumper, x) - gap, top_edge([(p[0], -p[1]) for p in cap_points], x) * -1)) for x in xs]
    keep = [i for i in range(len(xs)) if lower[i][1] - upper[i][1] > 1]
    path = Path().M(*upper[keep[0]])
    for i in keep[1:]:
        path.L(*upper[i])
    for i in reversed(keep):
        path.L(*lower[i])
    return path.Z()


def draw_front(out):
    main = Drawing("positive_main.svg", (800, 800), FRONT_ORIGIN)
    main.outline("body", front_body())
    main.outline("bumperLeft", front_bumper("L"))
    main.outline("bumperRight", front_bumper("R"))
    main.outline("triggerLeft", front_trigger("L"))
    main.outline("triggerRight", front_trigger("R"))
    for element_id, (cx, cy) in (("stickLeftWell", STICK_LEFT), ("stickRightWell", STICK_RIGHT)):
        main.outline(element_id, circle_path(cx, cy, 74), "centre (%s, %s) r 74" % (fmt(cx), fmt(cy)))
    main.outline("crossWell", circle_path(CROSS[0], CROSS[1], 60),
                 "centre (%s, %s) r 60" % (fmt(CROSS[0]), fmt(CROSS[1])))
    for letter, (cx, cy) in sorted(FACE_BUTTONS.items()):
        main.outline("button" + letter, circle_path(cx, cy, 25), "centre (%s, %s) r 25" % (fmt(cx), fmt(cy)))
    for element_id, (cx, cy) in (("buttonBack", BACK_BUTTON), ("buttonStart", START_BUTTON)):
        main.outline(element_id, circle_path(cx, cy, 17), "centre (%s, %s) r 17" % (fmt(cx), fmt(cy)))
    # Small marks inside Back (two stacked windows) and Start (three lines, as one closed bar shape).
    bx, by = BACK_BUTTON
    main.outline("backMarkFront", rounded_polygon([(bx - 7, by - 6), (bx + 3, by - 6), (bx + 3, by + 2), (bx - 7, by + 2)], 1.5))
    main.outline("backMarkRear", rounded_polygon([(bx + 5, by - 2), (bx + 7, by - 2), (bx + 7, by + 6), (bx - 3, by + 6),
                                                  (bx - 3, by + 4), (bx + 5, by + 4)], 0.8))
    sx, sy = START_BUTTON
    for i, dy in enumerate((-5, 0, 5)):
        main.outline("startMark%d" % (i + 1), rounded_polygon([(sx - 7, sy + dy - 0.5), (sx + 7, sy + dy - 0.5),
                                                                (sx + 7, sy + dy + 0.5), (sx - 7, sy + dy + 0.5)], 0.5))
    main.write(out)

    # Stick parts: drawn for the left stick in its own boxes; HandlePositive places them twice.
    ring = Drawing("Left_turn.svg", (131, 131))
    ring.outline("ring", circle_path(65.5, 65.5, 63.5), "centre (65.5, 65.5) r 63.5")
    ring.write(out)

    cap = Drawing("Left_turnSmall.svg", (42, 42))
    cap.outline("cap", circle_path(21, 21, 19.5), "centre (21, 21) r 19.5")
    cap.outline("capGrip", circle_path(21, 21, 12), "centre (21, 21) r 12")
    cap.write(out)

    tick = Drawing("Left_trunLine.svg", (16, 51))
    tick.outline("tick", rounded_polygon([(8, 2), (13.5, 9), (9.2, 9), (9.2, 20), (6.8, 20), (6.8, 9), (2.5, 9)], 0.8))
    tick.write(out)

    mark = Drawing("Left_collimation.svg", (12, 12))
    mark.outline("mark", rounded_polygon([(5, 1.5), (7, 1.5), (7, 5), (10.5, 5), (10.5, 7), (7, 7), (7, 10.5),
                                          (5, 10.5), (5, 7), (1.5, 7), (1.5, 5), (5, 5)], 0.4))
    mark.write(out)

    frame = Drawing("Left_rectangle.svg", (81, 89))
    for name, (x, y, sx, sy) in {"cornerTopLeft": (2, 2, 1, 1), "cornerTopRight": (79, 2, -1, 1),
                                 "cornerBottomRight": (79, 87, -1, -1), "cornerBottomLeft": (2, 87, 1, -1)}.items():
        frame.outline(name, rounded_polygon([(x, y), (x + 14 * sx, y), (x + 14 * sx, y + 2 * sy),
                                             (x + 2 * sx, y + 2 * sy), (x + 2 * sx, y + 14 * sy), (x, y + 14 * sy)], 0.5))
    frame.write(out)

    # Cross pad: a plus in its 97 x 99 box, centred on CROSS.
    cross = Drawing("DirectionButton.svg", (97, 99), (511, 319))
    cx, cy = CROSS
    w, ex, ey = 16, 46.5, 47.5
    plus = [(cx - w, cy - ey), (cx + w, cy - ey), (cx + w, cy - w), (cx + ex, cy - w), (cx + ex, cy + w),
            (cx + w, cy + w), (cx + w, cy + ey), (cx - w, cy + ey), (cx - w, cy + w), (cx - ex, cy + w),
            (cx - ex, cy - w), (cx - w, cy - w)]
    cross.outline("crossPad", rounded_polygon(plus, 5), "centre (%s, %s), arms %d wide" % (fmt(cx), fmt(cy), 2 * w))
    cross.outline("crossCentre", circle_path(cx, cy, 7), "centre (%s, %s) r 7" % (fmt(cx), fmt(cy)))
    cross.write(out)

    arrow = Drawing("positive_r.svg", (20, 28))
    arrow.outline("arrow", rounded_polygon([(6, 7), (15, 14), (6, 21)], 1.5))
    arrow.write(out)

    # A diagonal's mark: the part of the diagonal's lit triangle (a right triangle in the
    # corner of its 28 x 28 box) that falls into this 16 x 33 box, turned 45 degrees more
    # per corner: long side towards the pad, cut short where the box ends outwards.
    corner = Drawing("triangle.svg", (16, 33))
    corner.outline("corner", rounded_polygon([(1.5, 10.6), (7, 5.1), (7, 25.8), (1.5, 20.3)], 1))
    corner.write(out)

    guide = Drawing("Icon_ellipse.svg", (45, 45))
    guide.outline("guideRing", circle_path(22.5, 22.5, 21.5), "centre (22.5, 22.5) r 21.5")
    guide.write(out)

    # Where the front's separate parts land in the frame (their QML positions and sizes).
    for element, (x, y, w, h) in (("left stick ring", (405, 195, 131, 131)), ("right stick ring", (648, 303, 131, 131)),
                                  ("left stick cap", (450, 239, 42, 42)), ("right stick cap", (693, 348, 42, 42)),
                                  ("cross pad", (511, 319, 97, 99)), ("guide ring", (617, 173, 45, 45))):
        placed.append(("HandlePositive", element, "centre (%s, %s)" % (fmt(x + w / 2), fmt(y + h / 2))))


# ---------------------------------------------------------------------------------------
# The back picture, in the 700 x 480 frame of HandleBack (seen from behind: the
# controller's right side is on the left)

BACK_AXIS = 340


def back_body():
    half = (Path().M(BACK_AXIS, 16)
            .C((280, 16), (200, 24), (160, 33))
            .C((130, 39), (100, 38), (78, 50))
            .C((40, 72), (10, 150), (-3, 250))
            .C((-9, 330), (-2, 408), (40, 430))
            .C((80, 443), (140, 436), (168, 412))
            .C((188, 392), (198, 368), (222, 352))
            .C((255, 338), (300, 336), (BACK_AXIS, 336)))
    return symmetric(half, BACK_AXIS)


# Right-hand parts (left in the picture) and the axis that mirrors each to the left hand.
BACK_PARTS = {
    # key: (shape, mirror axis)
    "trigger": (rounded_polygon([(97, -33), (155, -36), (157, 24), (99, 28)], 12), 340.5),
    "bumper": (rounded_polygon([(163, -20), (245, -21), (245, 11), (166, 9)], 9), 338.5),
    "paddleUpper": (rounded_polygon([(195, 170), (278, 166), (280, 196), (197, 203)], 13), 332.5),
    "paddleLower": (rounded_polygon([(204, 212), (279, 212), (277, 298), (205, 308)], 16), 333),
}

# (outline picture, its box, lit picture, its box) per part and side, in the back frame.
BACK_FILES = [
    ("trigger", "R", "Back_topR.svg", (89, -41, 93, 77), "back_buttonRT.svg", (93, -39, 85, 70)),
    ("bumper", "R", "Back_RB.svg", (160, -25, 88, 45), "back_buttonRb.svg", (161, -23, 86, 38)),
    ("paddleUpper", "R", "Back_middleR.svg", (191, 162, 93, 47), "back_buttonR1.svg", (192, 164, 90, 42)),
    ("paddleLower", "R", "Back_downR.svg", (199, 201, 85, 112), "back_buttonR2.svg", (201, 203, 81, 108)),
    ("trigger", "L", "Back_topL.svg", (499, -42, 93, 77), "back_buttonLT.svg", (503, -39, 85, 70)),
    ("bumper", "L", "Back_LB.svg", (429, -25, 88, 45), "back_buttonLb.svg", (430, -23, 86, 38)),
    ("paddleUpper", "L", "Back_middleL.svg", (382, 162, 93, 47), "back_buttonL1.svg", (383, 164, 90, 42)),
    ("paddleLower", "L", "Back_downL.svg", (382, 201, 85, 112), "back_buttonL2.svg", (384, 203, 81, 108)),
]


def back_part(part, side):
    shape, axis = BACK_PARTS[part]
    return shape if side == "R" else shape.mirrored(axis)


def check_inside(name, path, box, margin):
    x, y, w, h = box
    x0, y0, x1, y1 = path.bbox()
    if x0 - margin < x or y0 - margin < y or x1 + margin > x + w or y1 + margin > y + h:
        sys.exit("make_controller_art: %s leaves its box %s (drawing %s)" % (name, box, (x0, y0, x1, y1)))


def draw_back(out):
    main = Drawing("Back_main.svg", (702, 454), (-11, -9))
    body = back_body()
    check_inside("Back_main.svg", body, (-11, -9, 702, 454), STROKE / 2)
    main.outline("body", body)
    main.write(out)

    centre = Drawing("Back_t.svg", (169, 113), (253, 23))
    piece = rounded_polygon([(262, 28), (413, 28), (392, 131), (283, 131)], 16)
    check_inside("Back_t.svg", piece, (253, 23, 169, 113), STROKE / 2)
    centre.outline("centrePiece", piece)
    centre.write(out)

    line = Drawing("Back_topLine.svg", (185, 4), (244, -12))
    line.filled("topLine", rounded_polygon([(245, -11), (428, -11), (428, -9), (245, -9)], 1))
    line.write(out)

    for part, side, outline_name, outline_box, lit_name, lit_box in BACK_FILES:
        shape = back_part(part, side)
        # The lit shape fills its indicator box; the outline, stroked on the same edge,
        # must fit in its own box.
        check_inside(lit_name, shape, lit_box, 0)
        check_inside(outline_name, shape, outline_box, STROKE / 2)
        element_id = part + ("Right" if side == "R" else "Left")
        outline = Drawing(outline_name, outline_box[2:], outline_box[:2], "HandleBack")
        outline.outline(element_id, shape)
        outline.write(out)
        lit = Drawing(lit_name, lit_box[2:], lit_box[:2], "Controller (back)")
        lit.filled(element_id, shape)
        lit.write(out)


# ---------------------------------------------------------------------------------------
# Captions of the shoulder controls

CAPTION_PX = 16


def draw_back_labels(out, face):
    """Captions of the back picture, each with a leader to its control (controller frame)."""
    def label(name, origin, size, caption, caption_x, leader):
        drawing = Drawing(name, size, (0, 0), "Controller (back labels)")
        ox, oy = origin
        baseline = 17
        drawing.items.append('<path id="caption" d="%s" fill="%s"/>' % (face.path(caption, CAPTION_PX, caption_x, baseline), WHITE))
        drawing.filled("leader", rounded_polygon(leader, 0.5),
                       note="%s at (%s, %s), caption %r" % (name, fmt(ox), fmt(oy), caption))
        drawing.write(out)

    def bar(x0, x1, y):
        return [(x0, y - 1), (x1, y - 1), (x1, y + 1), (x0, y + 1)] if x0 < x1 else bar(x1, x0, y)

    rt_w = face.advance("右扳机", CAPTION_PX)
    lt_w = face.advance("左扳机", CAPTION_PX)
    rb_w = face.advance("RB", CAPTION_PX)
    lb_w = face.advance("LB", CAPTION_PX)
    # Right trigger (left of the picture): caption, then a leader to the trigger's left edge.
    label("back_labelRT.svg", (-124, -19), (208, 24), "右扳机", 2, bar(rt_w + 8, 206, 11))
    # Right bumper: caption high up, leader right, then down onto the bumper.
    x_drop = 200 + 97
    label("back_labelRB.svg", (-97, -64), (300, 38), "RB", 2,
          [(rb_w + 8, 10), (x_drop + 1, 10), (x_drop + 1, 36), (x_drop - 1, 36), (x_drop - 1, 12), (rb_w + 8, 12)])
    # Left bumper: down from the bumper, right to the caption.
    label("back_labelLB.svg", (464, -62), (300, 38), "LB", 298 - lb_w,
          [(298 - lb_w - 8, 10), (8, 10), (8, 36), (10, 36), (10, 12), (298 - lb_w - 8, 12)])
    # Left trigger (right of the picture): leader from its right edge to the caption.
    label("back_labelLT.svg", (584, -16), (208, 24), "左扳机", 206 - lt_w, bar(10, 206 - lt_w - 8, 11))


def draw_front_labels(out, face):
    """The front's caption strips, 251 x 25 each, drawn at four times that and reduced."""
    scale = 4
    w, h = 251 * scale, 25 * scale
    from PIL import ImageFont
    font = ImageFont.truetype(NOTO_CJK_BOLD, 15 * scale, index=face.index)
    # reach: how far the leader's end stops short of the strip's end, so that the dot stands
    # just outside the body's outline, beside the bumper or beside the shoulder over the trigger.
    for name, caption, left, reach in (("labelLB.png", "LB", True, 24), ("labelLT.png", "左扳机", True, 85),
                                       ("labelRB.png", "RB", False, 24), ("labelRT.png", "右扳机", False, 85)):
        image = Image.new("RGBA", (w, h), (255, 255, 255, 0))
        draw = ImageDraw.Draw(image)
        box = 17 * scale
        text_w = draw.textlength(caption, font=font)
        y_mid = h // 2
        line_w = STROKE * scale // 2 * 2
        if left:
            bx = 2 * scale
            tx = bx + box + 6 * scale
            lx0, lx1 = tx + text_w + 8 * scale, w - reach * scale
            dot = lx1
        else:
            bx = w - 2 * scale - box
            tx = bx - 6 * scale - text_w
            lx0, lx1 = reach * scale, tx - 8 * scale
            dot = lx0
        by = y_mid - box // 2
        draw.rounded_rectangle([bx, by, bx + box, by + box], radius=3 * scale, outline=WHITE, width=line_w)
        draw.line([(bx + 4 * scale, y_mid), (bx + 7 * scale, y_mid + 4 * scale), (bx + 13 * scale, y_mid - 4 * scale)],
                  fill=WHITE, width=line_w, joint="curve")
        draw.text((tx, y_mid), caption, font=font, fill=WHITE, anchor="lm")
        draw.line([(lx0, y_mid), (lx1, y_mid)], fill=WHITE, width=line_w)
        r = 3 * scale
        draw.ellipse([dot - r, y_mid - r, dot + r, y_mid + r], fill=WHITE)
        image.resize((251 * 2, 25 * 2), Image.LANCZOS).save(os.path.join(out, name))
        placed.append(("Controller (front labels)", name, "caption %r, %s end points at the control"
                       % (caption, "right" if left else "left")))


# ---------------------------------------------------------------------------------------
# Icons: the view switch and the slot badges

def fit(bbox, box):
    """Maps a frame rectangle into an icon box (x, y, w, h), centred and keeping proportions."""
    x0, y0, x1, y1 = bbox
    bx, by, bw, bh = box
    scale = min(bw / (x1 - x0), bh / (y1 - y0))
    ox = bx + (bw - (x1 - x0) * scale) / 2
    oy = by + (bh - (y1 - y0) * scale) / 2
    return (lambda p: (ox + (p[0] - x0) * scale, oy + (p[1] - y0) * scale)), scale


def icon_front_parts(f, scale):
    body = front_body().mapped(f)
    details = [circle_path(*f(STICK_LEFT), 50 * scale), circle_path(*f(STICK_RIGHT), 50 * scale)]
    cx, cy = f(CROSS)
    a, b = 40 * scale, 13 * scale
    details.append(rounded_polygon([(cx - b, cy - a), (cx + b, cy - a), (cx + b, cy - b), (cx + a, cy - b), (cx + a, cy + b),
                                    (cx + b, cy + b), (cx + b, cy + a), (cx - b, cy + a), (cx - b, cy + b), (cx - a, cy + b),
                                    (cx - a, cy - b), (cx - b, cy - b)], 0.4))
    fx, fy = f((811, 253.5))
    details.append(circle_path(fx, fy, 40 * scale))
    return body, details


def icon_back_parts(f):
    body = back_body().mapped(f)
    details = [back_part(part, side).mapped(f) for part in ("trigger", "bumper", "paddleUpper", "paddleLower")
               for side in ("R", "L")]
    return body, details


def draw_icons(out):
    # 64 x 42 switch icons.
    f, scale = fit(front_body().bbox(), (2, 2, 60, 38))
    body, details = icon_front_parts(f, scale)
    back_bbox = back_body().bbox()
    back_bbox = (back_bbox[0], -42, back_bbox[2], back_bbox[3])
    fb, _ = fit(back_bbox, (2, 2, 60, 38))
    back, back_details = icon_back_parts(fb)
    for plain, chosen, shape, parts in (("positive_handle.svg", "Icon_positiveTest.svg", body, details),
                                        ("no_handle.svg", "Icon_backTest.svg", back, back_details)):
        outline = Drawing(plain, (64, 42), (0, 0), "switch")
        outline.outline("body", shape)
        for i, d in enumerate(parts):
            outline.outline("detail%d" % i, d)
        outline.write(out)
        filled = Drawing(chosen, (64, 42), (0, 0), "switch")
        filled.filled("body", shape, ORANGE)
        for i, d in enumerate(parts):
            filled.stroked("detail%d" % i, d, "#000000", STROKE * 0.75)
        filled.write(out)

    # The third switch, the pad health view: a stick's gate plot (the unit circle with a
    # measured, dented gate inside it and the centre cross) beside a trigger's range bar.
    gate_centre, gate_r = (20, 21), 17
    ring = circle_path(gate_centre[0], gate_centre[1], gate_r)
    dents = [1.0, 0.96, 1.0, 0.98, 0.74, 0.98, 1.0, 0.97, 1.0, 0.99, 1.0, 0.96]
    gate = []
    for i, dent in enumerate(dents):
        a = 2 * math.pi * i / len(dents)
        r = 11.5 * dent
        gate.append((gate_centre[0] + r * math.cos(a), gate_centre[1] - r * math.sin(a)))
    gate_path = rounded_polygon(gate, 3)
    rest = circle_path(gate_centre[0] + 2.5, gate_centre[1] - 1.5, 2)
    bar = rounded_polygon([(45, 6), (57, 6), (57, 36), (45, 36)], 2.5)
    level = rounded_polygon([(48.5, 18), (53.5, 18), (53.5, 32.5), (48.5, 32.5)], 1)
    plain = Drawing("health_handle.svg", (64, 42), (0, 0), "switch")
    plain.outline("gate", ring)
    plain.outline("detail0", gate_path)
    plain.outline("detail1", rest)
    plain.outline("bar", bar)
    plain.outline("detail2", level)
    plain.write(out)
    chosen = Drawing("Icon_healthTest.svg", (64, 42), (0, 0), "switch")
    chosen.filled("gate", ring, ORANGE)
    chosen.filled("bar", bar, ORANGE)
    chosen.stroked("detail0", gate_path, "#000000", STROKE * 0.75)
    chosen.stroked("detail1", rest, "#000000", STROKE * 0.75)
    chosen.stroked("detail2", level, "#000000", STROKE * 0.75)
    chosen.write(out)

    # 25 x 17 slot badges: the active one a solid silhouette with the sticks and pads cut out,
    # the inactive one the outline only. A colour overlay paints both.
    f, scale = fit(front_body().bbox(), (1, 1, 23, 15))
    body = front_body().mapped(f)
    holes = [circle_path(*f(STICK_LEFT), 45 * scale), circle_path(*f(STICK_RIGHT), 45 * scale),
             circle_path(*f(CROSS), 35 * scale), circle_path(*f((811, 253.5)), 35 * scale)]
    active = Drawing("LittleGamepad-Active.svg", (25, 17), (0, 0), "badge")
    whole = Path()
    whole.ops = body.ops + [op for h in holes for op in h.ops]
    active.filled("badge", whole, WHITE, evenodd=True)
    active.write(out)
    inactive = Drawing("LittleGamepad-Deactive.svg", (25, 17), (0, 0), "badge")
    inactive.stroked("badge", body, WHITE, 1.5)
    for i, h in enumerate(holes[:2]):
        inactive.stroked("stick%d" % i, h, WHITE, 1.5)
    inactive.write(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True, help="folder that receives the pictures")
    parser.add_argument("--print", action="store_true", help="list the placed controls with their coordinates")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    face = Face()
    draw_front(args.out)
    draw_back(args.out)
    draw_back_labels(args.out, face)
    draw_front_labels(args.out, face)
    draw_icons(args.out)
    if args.print:
        for picture, element_id, text in placed:
            print("%-26s %-18s %s" % (picture, element_id, text))


if __name__ == "__main__":
    main()
