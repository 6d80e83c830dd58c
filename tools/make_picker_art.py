#!/usr/bin/python3
"""Draws the colour picker's slider arrow.

  color-slider-arrow.png  6 x 5  RGBA  a white arrow pointing up at the slider's track

The triangle (apex at the middle of the top edge, base along the bottom edge) is drawn
at 16 times the size and scaled down, so its slanted edges are smooth. Every run writes
the same pixels.

Run with Debian's interpreter: /usr/bin/python3 tools/make_picker_art.py --out DIR
"""
import argparse
import os

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 6, 5
SCALE = 16


def arrow():
    big = Image.new("L", (WIDTH * SCALE, HEIGHT * SCALE), 0)
    ImageDraw.Draw(big).polygon(
        [(WIDTH * SCALE / 2, 0), (WIDTH * SCALE, HEIGHT * SCALE), (0, HEIGHT * SCALE)], fill=255)
    alpha = big.resize((WIDTH, HEIGHT), Image.BOX)
    # The rasteriser leans a little to one side; the arrow is symmetric.
    alpha = Image.blend(alpha, alpha.transpose(Image.FLIP_LEFT_RIGHT), 0.5)
    picture = Image.new("RGBA", (WIDTH, HEIGHT), (255, 255, 255, 0))
    picture.putalpha(alpha)
    return picture


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder for the picture")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    arrow().save(os.path.join(args.out, "color-slider-arrow.png"))


if __name__ == "__main__":
    main()
