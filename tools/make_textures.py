#!/usr/bin/python3
"""Draws the six channel pictures that scenes can bind to iChannel0..3.

  1.png  64 x 64     RGBA  colour noise
  2.png  512 x 512   grey  a field of rounded pebbles (height map)
  3.png  64 x 64     grey  noise
  4.png  8 x 8       grey  ordered-dither (Bayer) threshold matrix
  5.jpg  1024 x 1024 RGB   a rusty, organic metal surface
  6.png  256 x 256   RGBA  colour noise

Everything is computed from fixed seeds, so every run writes the same pixels.

Notes for shader writers on the noise pictures (1.png, 3.png, 6.png). The scene host
samples with linear filtering and clamp-to-edge, without wrapping, so a picture of N
texels cannot tile seamlessly by itself. These pictures repeat their first row and
column as the last one: the noise has a period of N - 1 texels, and a shader tiles it
without a seam by sampling at (mod(p, N - 1) + 0.5) / N for a position p in texels.
In 1.png and 6.png the green channel is the red channel moved by NOISE_SHIFT texels
(picture coordinates, before the host mirrors it), and the alpha channel is the blue
one moved the same way, so one sample at p yields red(p), red(p + shift), blue(p) and
blue(p + shift): two slices each of two independent 3-D noises for the price of one
texture read. In sampler coordinates (after the mirroring) green at p is red at
p + (-NOISE_SHIFT[0], NOISE_SHIFT[1]), and alpha is blue there likewise.

Run with Debian's interpreter: /usr/bin/python3 tools/make_textures.py --out DIR
"""
import argparse
import os

import numpy as np
from PIL import Image

# Texel shift between the red and the green channel of the colour noise pictures.
NOISE_SHIFT = (19, 29)


def periodic_edge(a):
    """Appends the first row and column, so the period-(N-1) content reads across the seam."""
    a = np.concatenate([a, a[:1]], axis=0)
    return np.concatenate([a, a[:, :1]], axis=1)


def colour_noise(size, seed):
    rng = np.random.default_rng(seed)
    n = size - 1
    red = rng.integers(0, 256, (n, n), dtype=np.uint8)
    blue = rng.integers(0, 256, (n, n), dtype=np.uint8)
    # green(x, y) = red(x + sx, y + sy) and alpha likewise from blue, wrapping with the period n.
    shift = (-NOISE_SHIFT[1] % n, -NOISE_SHIFT[0] % n)
    green = np.roll(red, shift=shift, axis=(0, 1))
    alpha = np.roll(blue, shift=shift, axis=(0, 1))
    rgba = np.stack([periodic_edge(c) for c in (red, green, blue, alpha)], axis=-1)
    return Image.fromarray(rgba, "RGBA")


def grey_noise(size, seed):
    rng = np.random.default_rng(seed)
    grey = rng.integers(0, 256, (size - 1, size - 1), dtype=np.uint8)
    return Image.fromarray(periodic_edge(grey), "L")


def bayer_matrix(order):
    """The recursive ordered-dither index matrix of size 2^order, as thresholds 0..255."""
    m = np.zeros((1, 1), dtype=np.int64)
    for _ in range(order):
        m = np.block([[4 * m, 4 * m + 2], [4 * m + 3, 4 * m + 1]])
    levels = m.size
    values = np.floor((m + 0.5) * 256.0 / levels).astype(np.uint8)
    return Image.fromarray(values, "L")


def smooth_noise(size, cells, rng):
    """Tileable value noise: a random lattice of cells x cells, smoothly interpolated."""
    lattice = rng.random((cells, cells))
    t = np.arange(size) * cells / size
    i0 = np.floor(t).astype(int)
    f = t - i0
    f = f * f * f * (f * (f * 6 - 15) + 10)
    i1 = (i0 + 1) % cells
    rows0 = lattice[i0]
    rows1 = lattice[i1]
    top = rows0[:, i0] * (1 - f)[None, :] + rows0[:, i1] * f[None, :]
    bottom = rows1[:, i0] * (1 - f)[None, :] + rows1[:, i1] * f[None, :]
    return top * (1 - f)[:, None] + bottom * f[:, None]


def fbm(size, base_cells, octaves, rng, gain=0.5):
    total = np.zeros((size, size))
    amplitude, norm = 1.0, 0.0
    cells = base_cells
    for _ in range(octaves):
        total += amplitude * smooth_noise(size, min(cells, size), rng)
        norm += amplitude
        amplitude *= gain
        cells *= 2
    return total / norm


def sample_periodic(image, y, x):
    """Bilinear read of a periodic image at fractional pixel positions."""
    h, w = image.shape
    x0 = np.floor(x).astype(int)
    y0 = np.floor(y).astype(int)
    fx = x - x0
    fy = y - y0
    x0 %= w
    y0 %= h
    x1 = (x0 + 1) % w
    y1 = (y0 + 1) % h
    top = image[y0, x0] * (1 - fx) + image[y0, x1] * fx
    bottom = image[y1, x0] * (1 - fx) + image[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def cells_distance(size, count, rng, softness=0.0):
    """Distances to the nearest and second-nearest of jittered points on a count x count
    grid (tileable), the index of the nearest point, and the distance to the border of
    the nearest point's cell, with corners rounded off by softness; all in cell units."""
    jitter = 0.1 + 0.8 * rng.random((count, count, 2))
    coords = (np.arange(size) + 0.5) * count / size
    py, px = np.meshgrid(coords, coords, indexing="ij")
    cy = np.floor(py).astype(int)
    cx = np.floor(px).astype(int)
    candidates = []
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            gy = cy + dy
            gx = cx + dx
            wy = gy % count
            wx = gx % count
            qy = gy + jitter[wy, wx, 0]
            qx = gx + jitter[wy, wx, 1]
            candidates.append((np.hypot(py - qy, px - qx), qy, qx, wy * count + wx))
    d = np.stack([c[0] for c in candidates])
    qy = np.stack([c[1] for c in candidates])
    qx = np.stack([c[2] for c in candidates])
    order = np.argsort(d, axis=0)
    f1 = np.take_along_axis(d, order[:1], 0)[0]
    f2 = np.take_along_axis(d, order[1:2], 0)[0]
    first = order[0]
    nearest = np.take_along_axis(np.stack([c[3] for c in candidates]), order[:1], 0)[0]
    # Distance to the bisector between the nearest point and each other one.
    ny = np.take_along_axis(qy, order[:1], 0)
    nx = np.take_along_axis(qx, order[:1], 0)
    separation = np.maximum(np.hypot(qy - ny, qx - nx), 1e-6)
    bisector = (d * d - f1[None] ** 2) / (2.0 * separation)
    bisector[first[None] == np.arange(len(candidates))[:, None, None]] = np.inf
    if softness > 0.0:
        border = -softness * np.log(np.sum(np.exp(-bisector / softness), axis=0) + 1e-12)
    else:
        border = np.min(bisector, axis=0)
    return f1, f2, nearest, border


def pebbles(size=512, seed=2):
    rng = np.random.default_rng(seed)
    count = 11
    # Warp the cell lookup a little so the stones are not all convex polygons.
    warp = fbm(size, 4, 3, rng) - 0.5
    _, _, nearest, border = cells_distance(size, count, rng, softness=0.06)
    border = border + 0.08 * warp
    gap = 0.07
    edge = np.clip((border - gap) / 0.4, 0.0, 1.0)
    dome = np.sqrt(1.0 - (1.0 - edge) ** 2)          # round shoulders, flat-ish top
    stone_tone = 0.55 + 0.45 * rng.random(count * count)[nearest]
    grain = fbm(size, 32, 4, rng) - 0.5
    height = dome * stone_tone * (0.92 + 0.16 * grain) + 0.04 * grain
    height = np.where(border < gap, 0.03 * (1 + grain), height)
    height = np.clip(height, 0.0, 1.0)
    return Image.fromarray((height * 255.0 + 0.5).astype(np.uint8), "L")


def rust(size=1024, seed=5):
    rng = np.random.default_rng(seed)
    ys, xs = np.meshgrid(np.arange(size, dtype=float), np.arange(size, dtype=float), indexing="ij")
    # Domain-warped blotches: where the metal has rusted through.
    warp_a = fbm(size, 4, 5, rng)
    warp_b = fbm(size, 4, 5, rng)
    blotch_base = fbm(size, 6, 6, rng)
    blotch = sample_periodic(blotch_base, ys + 160 * (warp_a - 0.5), xs + 160 * (warp_b - 0.5))
    rust_amount = np.clip((blotch - 0.42) * 4.0, 0.0, 1.0)
    # Fine flaky texture and pits.
    flakes = fbm(size, 64, 4, rng, gain=0.6)
    f1, f2, _, _ = cells_distance(size, 40, rng)
    pits = np.clip(1.0 - f1 / 0.28, 0.0, 1.0) ** 2
    pit_mask = (fbm(size, 8, 3, rng) > 0.5).astype(float)
    pits *= pit_mask
    veins = np.clip(1.0 - 0.5 * (f2 - f1) / 0.05, 0.0, 1.0) * rust_amount
    streaks = fbm(size, 16, 4, rng)

    height = 0.5 * rust_amount + 0.25 * flakes - 0.35 * pits - 0.1 * veins
    # Light from the upper left on the height field gives the surface relief.
    gy = np.roll(height, -1, axis=0) - np.roll(height, 1, axis=0)
    gx = np.roll(height, -1, axis=1) - np.roll(height, 1, axis=1)
    light = np.clip(1.0 + 9.0 * (gx + gy), 0.55, 1.45)

    iron = np.array([0.30, 0.29, 0.28])
    iron_dark = np.array([0.16, 0.15, 0.15])
    brown = np.array([0.30, 0.12, 0.05])
    orange = np.array([0.66, 0.30, 0.09])
    ochre = np.array([0.82, 0.55, 0.24])
    teal = np.array([0.22, 0.36, 0.33])

    metal = iron_dark + (iron - iron_dark) * streaks[..., None]
    t = flakes[..., None]
    rusted = brown + (orange - brown) * np.clip(t * 1.6 - 0.2, 0, 1)
    rusted = rusted + (ochre - rusted) * np.clip((t - 0.62) * 3.0, 0, 1)
    colour = metal + (rusted - metal) * rust_amount[..., None]
    # A little weathered patina where rust meets metal.
    rim = np.clip(1.0 - np.abs(rust_amount - 0.5) * 2.5, 0.0, 1.0) * (warp_a > 0.5)
    colour = colour + (teal - colour) * (0.35 * rim)[..., None]
    colour = colour * (1.0 - 0.65 * pits)[..., None] * (1.0 - 0.3 * veins)[..., None]
    colour = colour * light[..., None]
    colour = colour * (0.94 + 0.12 * rng.random((size, size)))[..., None]
    colour = np.clip(colour, 0.0, 1.0) ** (1 / 1.1)
    return Image.fromarray((colour * 255.0 + 0.5).astype(np.uint8), "RGB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder to write the pictures to")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    colour_noise(64, seed=1).save(os.path.join(args.out, "1.png"), optimize=True)
    pebbles().save(os.path.join(args.out, "2.png"), optimize=True)
    grey_noise(64, seed=3).save(os.path.join(args.out, "3.png"), optimize=True)
    bayer_matrix(3).save(os.path.join(args.out, "4.png"), optimize=True)
    rust().save(os.path.join(args.out, "5.jpg"), quality=88, optimize=True)
    colour_noise(256, seed=6).save(os.path.join(args.out, "6.png"), optimize=True)


if __name__ == "__main__":
    main()
