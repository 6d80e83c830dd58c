#!/usr/bin/python3
"""Renders the About window's picture, resources/images/about.jpg (1280 x 832, JPEG).

The picture is a frame of the program's own Nebulaplexus scene (a flight through a
nebula past a drifting net of points), rendered by tools/shader_preview with the
scene's noise picture in iChannel0, taken 6 seconds in. Rendering needs an OpenGL 3.3
display, so the JPEG is committed; run this again after changing the scene:

  cmake --build build --target shader_preview joyvant_resources
  xvfb-run -a -s "-screen 0 1920x1080x24" /usr/bin/python3 tools/make_about_picture.py

The frame time is read off the wall clock by the preview, so two runs give nearly,
not exactly, the same picture.
"""
import argparse
import os
import subprocess
import tempfile

from PIL import Image

SIZE = (1280, 832)
SHADER = "resources/shaders/Nebulaplexus.frag"
CHANNEL0 = "resources/generated/2DTextures/6.png"
SECONDS = 6


def main():
    source = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(source, "build"), help="build folder")
    parser.add_argument("--out", default=os.path.join(source, "resources", "images", "about.jpg"))
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as folder:
        prefix = os.path.join(folder, "frame")
        subprocess.run([os.path.join(args.build, "tools", "bin", "shader_preview"),
                        "shader=" + os.path.join(source, SHADER),
                        "channel0=" + os.path.join(args.build, CHANNEL0),
                        "size=%dx%d" % SIZE,
                        "grab=%d:%s" % (SECONDS, prefix)],
                       check=True, timeout=300)
        frame = Image.open("%s-%d.png" % (prefix, SECONDS)).convert("RGB")
        if frame.size != SIZE:
            raise SystemExit("the preview rendered %s, not %s" % (frame.size, SIZE))
        frame.save(args.out, "JPEG", quality=90, optimize=True)
    print("wrote", args.out)


if __name__ == "__main__":
    main()
