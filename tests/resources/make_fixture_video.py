#!/usr/bin/python3
"""Writes a short Motion-JPEG video in an AVI container for the video channel tests:
64 x 48 pixels, 10 frames at 5 frames per second, each frame one flat colour that
steps through the hue circle, so a sampled pixel tells which frame is on show."""
import colorsys
import io
import struct
import sys

from PIL import Image

WIDTH, HEIGHT, FRAMES, FPS = 64, 48, 10, 5


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def listchunk(kind, payload):
    return chunk(b"LIST", kind + payload)


def frames():
    for i in range(FRAMES):
        r, g, b = colorsys.hsv_to_rgb(i / FRAMES, 1.0, 1.0)
        picture = Image.new("RGB", (WIDTH, HEIGHT), (int(r * 255), int(g * 255), int(b * 255)))
        buffer = io.BytesIO()
        picture.save(buffer, "JPEG", quality=90)
        yield buffer.getvalue()


def main(target):
    images = list(frames())
    biggest = max(len(image) for image in images)
    avih = struct.pack("<14I", 1000000 // FPS, biggest * FPS, 0, 0x10, FRAMES, 0, 1, biggest,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIiI4h", b"vids", b"MJPG", 0, 0, 0, 0, 1, FPS, 0, FRAMES, biggest,
                       -1, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHH4sIiiII", 40, WIDTH, HEIGHT, 1, 24, b"MJPG", WIDTH * HEIGHT * 3, 0, 0, 0, 0)
    header = listchunk(b"hdrl", chunk(b"avih", avih) + listchunk(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movi = b""
    index = b""
    for image in images:
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi), len(image))
        movi += chunk(b"00dc", image)
    body = b"AVI " + header + listchunk(b"movi", movi) + chunk(b"idx1", index)
    with open(target, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)


if __name__ == "__main__":
    main(sys.argv[1])
