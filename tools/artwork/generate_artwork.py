#!/usr/bin/env python3
"""Deterministic generator for the Vesk Q84D editor artwork.

Every image is rendered procedurally from height fields, simple lighting and
seeded noise, so a run on the same machine always produces byte-identical
PNG files (8-bit RGBA, non-interlaced, no metadata).

    /usr/bin/python3 tools/artwork/generate_artwork.py [--out resources]

Needs numpy and PIL (Debian: python3-numpy, python3-pil). Text is set in
DejaVu Sans (Debian: fonts-dejavu-core); without it PIL's built-in font is
used, which still works but looks coarser.

Conventions used throughout:
  * x grows to the right, y grows downwards, z points out of the screen.
  * Angles are measured from +x towards +y, so they grow clockwise on screen
    and 270 degrees points straight up.
  * Lighting is computed in linear light and encoded with a 2.2 gamma.
  * Images are rendered at a supersampling factor and box-filtered down.
"""

import argparse
import math
import os
import sys
import time

import numpy as np
from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_REGULAR = os.path.join(FONT_DIR, "DejaVuSans.ttf")
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")

# Key light from the upper left, in front of the panel.
LIGHT = np.array([-0.48, -0.62, 0.62])
LIGHT = LIGHT / np.linalg.norm(LIGHT)
HALF = LIGHT + np.array([0.0, 0.0, 1.0])
HALF = HALF / np.linalg.norm(HALF)


# --------------------------------------------------------------------------
# Small numeric helpers
# --------------------------------------------------------------------------

def clamp01(a):
    return np.clip(a, 0.0, 1.0)


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return a + (b - a) * t


def to_srgb(lin):
    return clamp01(lin) ** (1.0 / 2.2)


def to_linear(srgb):
    return np.asarray(srgb, dtype=np.float64) ** 2.2


def hex_rgb(code):
    """sRGB triple 0..1 from 0xRRGGBB."""
    return np.array([(code >> 16) & 255, (code >> 8) & 255, code & 255], dtype=np.float64) / 255.0


def grid(w, h, ss):
    """Sample-centre coordinates, in output pixels, of a w x h image at ss x ss supersampling."""
    xs = (np.arange(w * ss, dtype=np.float64) + 0.5) / ss
    ys = (np.arange(h * ss, dtype=np.float64) + 0.5) / ss
    return np.meshgrid(xs, ys)


def edge_coverage(sdf, px):
    """Antialiased inside-coverage of a signed distance (negative inside); px = sample size."""
    return clamp01(0.5 - sdf / px)


def gaussian_blur(a, sx, sy=None):
    """Periodic gaussian blur (FFT); sx, sy are sigmas in samples along x and y."""
    if sy is None:
        sy = sx
    h, w = a.shape
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.rfftfreq(w)[None, :]
    kernel = np.exp(-2.0 * (math.pi ** 2) * ((fx * sx) ** 2 + (fy * sy) ** 2))
    return np.fft.irfft2(np.fft.rfft2(a) * kernel, s=a.shape)


def normalised(a):
    a = a - a.mean()
    s = a.std()
    return a / s if s > 0 else a


def value_noise(rng, w, h, cell):
    """Smooth noise with features about `cell` pixels wide, zero mean, unit deviation."""
    gw = int(math.ceil(w / cell)) + 3
    gh = int(math.ceil(h / cell)) + 3
    coarse = rng.standard_normal((gh, gw)).astype(np.float32)
    img = Image.fromarray(coarse, mode="F").resize((gw * cell, gh * cell), Image.BICUBIC)
    arr = np.asarray(img, dtype=np.float64)[cell:cell + h, cell:cell + w]
    return normalised(arr)


def downsample(rgba, ss):
    """Box-filter a straight-alpha RGBA float image by ss, averaging in premultiplied form."""
    if ss == 1:
        return rgba
    h, w, _ = rgba.shape
    pm = rgba.copy()
    pm[..., :3] *= pm[..., 3:4]
    pm = pm.reshape(h // ss, ss, w // ss, ss, 4).mean(axis=(1, 3))
    a = pm[..., 3:4]
    out = pm.copy()
    out[..., :3] = np.where(a > 1e-6, pm[..., :3] / np.maximum(a, 1e-6), 0.0)
    return out


def downsample_plane(a, ss):
    if ss == 1:
        return a
    h, w = a.shape
    return a.reshape(h // ss, ss, w // ss, ss).mean(axis=(1, 3))


def over(dst, src_rgb, src_a):
    """Composite straight-alpha src over straight-alpha dst (both float, in place on a copy)."""
    da = dst[..., 3]
    sa = src_a
    oa = sa + da * (1.0 - sa)
    out = np.empty_like(dst)
    num = src_rgb * sa[..., None] + dst[..., :3] * (da * (1.0 - sa))[..., None]
    out[..., :3] = np.where(oa[..., None] > 1e-6, num / np.maximum(oa, 1e-6)[..., None], 0.0)
    out[..., 3] = oa
    return out


def save_png(rgba, path):
    """Write a float straight-alpha RGBA image as an 8-bit RGBA PNG without metadata."""
    arr = np.clip(np.rint(np.asarray(rgba) * 255.0), 0, 255).astype(np.uint8)
    alpha = arr[..., 3]
    arr[alpha == 0, :3] = 0  # transparent black, so hidden colour never leaks when scaling
    Image.fromarray(arr, mode="RGBA").save(path, format="PNG", optimize=False, compress_level=9)


# --------------------------------------------------------------------------
# Lighting
# --------------------------------------------------------------------------

def surface_normals(height, px):
    """Unit normals of a height field whose samples are px output pixels apart (height in pixels)."""
    gy, gx = np.gradient(height, px)
    nz = np.ones_like(height)
    inv = 1.0 / np.sqrt(gx * gx + gy * gy + 1.0)
    return -gx * inv, -gy * inv, nz * inv


def shade(nx, ny, nz, albedo, specular, shininess, env=0.0, ambient=0.16, key=1.0):
    """Linear-light colour of a surface: wrapped diffuse, Blinn highlight and a soft top softbox."""
    ndl = nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]
    diffuse = clamp01(ndl * 0.85 + 0.15)
    ndh = clamp01(nx * HALF[0] + ny * HALF[1] + nz * HALF[2])
    highlight = ndh ** shininess * specular
    # Reflection of the view ray; a large soft light above and slightly left.
    ry = 2.0 * nz * ny
    rz = 2.0 * nz * nz - 1.0
    rx = 2.0 * nz * nx
    softbox = smoothstep(-0.05, -0.75, ry) * smoothstep(-0.3, 0.5, rz) * (1.0 - 0.35 * smoothstep(0.0, 0.8, rx))
    light = albedo * (ambient + key * diffuse)[..., None]
    light = light + (highlight * key + env * softbox)[..., None]
    return light


def linear_rgba(lin_rgb, alpha):
    out = np.empty(lin_rgb.shape[:2] + (4,))
    out[..., :3] = to_srgb(lin_rgb)
    out[..., 3] = alpha
    return out


# --------------------------------------------------------------------------
# Text
# --------------------------------------------------------------------------

def load_font(size, bold=False):
    path = FONT_BOLD if bold else FONT_REGULAR
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


def text_mask(w, h, items, ss):
    """Coverage mask (h*ss, w*ss) of text items (string, centre x, centre y, size px, bold, x-squeeze)."""
    canvas = Image.new("L", (w * ss, h * ss), 0)
    for text, cx, cy, size, bold, squeeze in items:
        font = load_font(int(round(size * ss)), bold)
        probe = ImageDraw.Draw(Image.new("L", (1, 1)))
        left, top, right, bottom = probe.textbbox((0, 0), text, font=font)
        tw, th = right - left, bottom - top
        glyphs = Image.new("L", (tw + 4, th + 4), 0)
        ImageDraw.Draw(glyphs).text((2 - left, 2 - top), text, font=font, fill=255)
        if squeeze != 1.0:
            glyphs = glyphs.resize((max(1, int(round(glyphs.width * squeeze))), glyphs.height), Image.BICUBIC)
        px = int(round(cx * ss - glyphs.width / 2.0))
        py = int(round(cy * ss - glyphs.height / 2.0))
        canvas.paste(255, (px, py), glyphs)
    return np.asarray(canvas, dtype=np.float64) / 255.0


# --------------------------------------------------------------------------
# Brushed panels (faceplate and bottom rail)
# --------------------------------------------------------------------------

def rounded_rect_sdf(x, y, x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius
    qx = np.abs(x - cx) - hx
    qy = np.abs(y - cy) - hy
    outside = np.sqrt(np.maximum(qx, 0.0) ** 2 + np.maximum(qy, 0.0) ** 2)
    inside = np.minimum(np.maximum(qx, qy), 0.0)
    return outside + inside - radius


def brushed_grain(rng, w, h, long_sigma, amounts):
    """Horizontal brushing: streaks long in x, a pixel or so tall in y."""
    a_long, a_mid, a_row, a_fine = amounts
    streak = normalised(gaussian_blur(rng.standard_normal((h, w)), long_sigma, 0.45))
    mid = normalised(gaussian_blur(rng.standard_normal((h, w)), long_sigma / 5.0, 0.35))
    rows = normalised(gaussian_blur(rng.standard_normal((h, 1)), 0.0, 0.8))
    fine = rng.standard_normal((h, w))
    return a_long * streak + a_mid * mid + a_row * rows + a_fine * fine


def scratches(rng, w, h, count, strength, max_len):
    """Sparse fine scratches running roughly along the brushing."""
    out = np.zeros((h, w))
    for _ in range(count):
        length = rng.uniform(12.0, max_len)
        ang = math.radians(rng.normal(0.0, 2.5))
        x0 = rng.uniform(-20.0, w)
        y0 = rng.uniform(0.0, h)
        x1 = x0 + length * math.cos(ang)
        y1 = y0 + length * math.sin(ang)
        amp = strength * rng.uniform(0.3, 1.0) * (1.0 if rng.random() < 0.6 else -0.8)
        bx0 = int(max(0, math.floor(min(x0, x1)) - 2))
        bx1 = int(min(w, math.ceil(max(x0, x1)) + 3))
        by0 = int(max(0, math.floor(min(y0, y1)) - 2))
        by1 = int(min(h, math.ceil(max(y0, y1)) + 3))
        if bx1 <= bx0 or by1 <= by0:
            continue
        yy, xx = np.mgrid[by0:by1, bx0:bx1].astype(np.float64) + 0.5
        dx, dy = x1 - x0, y1 - y0
        t = clamp01(((xx - x0) * dx + (yy - y0) * dy) / (dx * dx + dy * dy))
        d = np.hypot(xx - (x0 + t * dx), yy - (y0 + t * dy))
        fade = np.sin(math.pi * t) ** 0.6
        out[by0:by1, bx0:bx1] += amp * clamp01(1.0 - d / 0.8) * fade
    return out


def screw_hole(value, alpha, x, y, cx, cy, r_hole, r_chamfer, dark_lo, dark_hi, chamfer_gain):
    """Cut a countersunk hole; the bore stays below the panel's dark threshold."""
    dx, dy = x - cx, y - cy
    d = np.hypot(dx, dy)
    ang = np.arctan2(dy, dx)
    # Chamfer faces the light on its lower-right side (it slopes down into the hole).
    facing = np.cos(ang - math.radians(52.0))
    in_chamfer = clamp01((r_chamfer - d) + 0.5) * clamp01((d - r_hole) + 0.5)
    chamfer_val = value * (0.93 + chamfer_gain * facing) - 0.04 * (1.0 - (d - r_hole) / (r_chamfer - r_hole))
    value = mix(value, chamfer_val, in_chamfer)
    # Bore: darker where the rim shades it (upper left), catching a little light lower right.
    bore = dark_lo + (dark_hi - dark_lo) * clamp01(0.5 + 0.5 * facing * clamp01(d / r_hole) ** 1.5)
    cov = clamp01((r_hole - d) + 0.5)
    value = mix(value, bore, cov)
    # A soft contact shadow just outside the chamfer on the lower right.
    shadow = clamp01(1.0 - (d - r_chamfer) / 2.0) * clamp01(d - r_chamfer + 0.5) * clamp01(facing) * 0.05
    return value - shadow, alpha


def render_panel(w, h, seed, base, grain, vignette, holes, hole_r, corner, dark, bevel):
    rng = np.random.default_rng(seed)
    x, y = grid(w, h, 1)
    value = np.full((h, w), base)
    value += brushed_grain(rng, w, h, 36.0, grain)
    value += scratches(rng, w, h, int(w * h / 2200), grain[0] * 2.2, 220.0)
    value += 0.35 * grain[0] * value_noise(rng, w, h, 90)
    # Vignetting and a broad sheen from the upper left.
    u = (x - w / 2.0) / (w / 2.0)
    v = (y - h / 2.0) / (h / 2.0)
    value *= 1.0 - vignette * (0.55 * u * u + 0.45 * v * v) ** 1.2
    value += 0.025 * np.exp(-(((x - 0.30 * w) / (0.45 * w)) ** 2 + ((y - 0.15 * h) / (0.9 * h)) ** 2))
    # Machined edge: lit along the top and left, shaded along the bottom and right.
    sdf = rounded_rect_sdf(x, y, 0.0, 0.0, float(w), float(h), corner)
    edge = clamp01(1.0 - (-sdf) / 2.6)
    dirx = np.where(x < w / 2.0, -1.0, 1.0) * smoothstep(0.0, 1.0, np.maximum(0.0, 1.0 - np.minimum(x, w - x) / 3.0))
    diry = np.where(y < h / 2.0, -1.0, 1.0) * smoothstep(0.0, 1.0, np.maximum(0.0, 1.0 - np.minimum(y, h - y) / 3.0))
    lit = -(dirx * 0.45 + diry * 0.7)
    value += edge * bevel * np.where(lit > 0, lit * 1.0, lit * 1.6)
    alpha = edge_coverage(sdf, 1.0)
    for (cx, cy) in holes:
        value, alpha = screw_hole(value, alpha, x, y, cx, cy, hole_r, hole_r + 3.2, dark[0], dark[1], 0.16)
    value = np.clip(value, 0.0, 1.0)
    # A hint of warmth in the metal; brightness is what matters to the loader.
    rgb = np.stack([value * 1.006, value, value * 0.988], axis=-1)
    rgba = np.concatenate([clamp01(rgb), alpha[..., None]], axis=-1)
    return rgba


def make_faceplate():
    w, h = 950, 323
    m = 22.0
    holes = [(m, m), (w - m, m), (m, h - m), (w - m, h - m)]
    return render_panel(w, h, 1101, base=0.80, grain=(0.025, 0.014, 0.009, 0.010), vignette=0.12,
                        holes=holes, hole_r=7.0, corner=5.0, dark=(0.035, 0.12), bevel=0.09)


def make_bottom_panel():
    w, h = 950, 126
    holes = [(24.0, 20.0), (w - 24.0, 20.0), (24.0, h - 20.0), (w - 24.0, h - 20.0)]
    return render_panel(w, h, 1202, base=0.56, grain=(0.040, 0.020, 0.014, 0.014), vignette=0.16,
                        holes=holes, hole_r=6.5, corner=3.0, dark=(0.025, 0.10), bevel=0.10)


# --------------------------------------------------------------------------
# Knob caps (and the filmstrip knob)
# --------------------------------------------------------------------------

class KnobRenderer:
    """Dark fluted knob with a skirt, seen from the front. Geometry is fixed; rotation is per call."""

    def __init__(self, w, h, cx, cy, radius, ss, seed, ribs=30, pointer_colour=0xEADDA4):
        self.w, self.h, self.ss = w, h, ss
        self.px = 1.0 / ss
        x, y = grid(w, h, ss)
        dx, dy = x - cx, y - cy
        self.dx, self.dy = dx, dy
        self.R = radius
        self.rr = np.hypot(dx, dy) / radius
        self.theta = np.arctan2(dy, dx)
        self.ribs = ribs
        rng = np.random.default_rng(seed)
        rr, R = self.rr, radius
        # Radii of the profile, in units of the outer radius.
        self.r_top, self.r_bevel, self.r_body, self.r_skirt = 0.50, 0.58, 0.77, 1.0
        # Base height profile (pixels): dome, rounded top edge, tapered flank, skirt.
        top = 0.46 * R + 0.06 * R * (1.0 - (rr / self.r_top) ** 2)
        t_bev = clamp01((rr - self.r_top) / (self.r_bevel - self.r_top))
        bevel = 0.46 * R - 0.06 * R * (1.0 - np.sqrt(clamp01(1.0 - t_bev ** 2)))
        t_body = clamp01((rr - self.r_bevel) / (self.r_body - self.r_bevel))
        body = mix(0.40 * R, 0.15 * R, t_body)
        t_sk = clamp01((rr - self.r_body) / (self.r_skirt - self.r_body))
        skirt = 0.13 * R - 0.07 * R * t_sk - 0.06 * R * (1.0 - np.sqrt(clamp01(1.0 - smoothstep(0.72, 1.0, t_sk) ** 2)))
        self.base_h = np.where(rr < self.r_top, top, np.where(rr < self.r_bevel, bevel,
                                np.where(rr < self.r_body, body, skirt)))
        # Where flutes are cut: the flank, fading out over the rounded top edge.
        self.flute_w = smoothstep(self.r_top + 0.02, self.r_bevel + 0.02, rr) * (1.0 - smoothstep(self.r_body - 0.015, self.r_body + 0.005, rr))
        # Fine knurl on the skirt rim.
        self.knurl_w = smoothstep(0.86, 0.9, rr) * (1.0 - smoothstep(0.975, 0.995, rr))
        # Spun (concentric) finish on the top: random ring brightness along the radius.
        rings = normalised(gaussian_blur(rng.standard_normal((1, 4096)), 1.4, 0.0))[0]
        idx = np.clip((rr * 4095 / 1.0).astype(np.int64), 0, 4095)
        self.spun = rings[idx]
        self.grain = rng.standard_normal(self.rr.shape) * 0.5 + normalised(gaussian_blur(rng.standard_normal(self.rr.shape), 2.0 * ss)) * 0.5
        self.alpha = edge_coverage((rr - 1.0) * R, self.px)
        light_dir = math.atan2(LIGHT[1], LIGHT[0])
        dth = np.angle(np.exp(1j * (self.theta - light_dir)))
        dth2 = np.angle(np.exp(1j * (self.theta - light_dir - math.pi)))
        self.aniso = (np.exp(-(dth / 0.16) ** 2) + 0.55 * np.exp(-(dth2 / 0.16) ** 2)) * smoothstep(0.05, 0.35, rr)
        self.pointer_lin = to_linear(hex_rgb(pointer_colour))
        # Ambient occlusion in the corner between flank and skirt.
        self.ao = 1.0 - 0.55 * np.exp(-((rr - self.r_body) / 0.028) ** 2) * (rr > self.r_body - 0.02)

    def render(self, angle_deg):
        """RGBA (supersampled) with the pointer towards angle_deg (270 = up)."""
        R, rr, th = self.R, self.rr, self.theta
        rot = math.radians(angle_deg - 270.0)
        phi = self.ribs * (th - rot)
        flutes = self.flute_w * (0.026 * R) * (np.abs(np.cos(phi * 0.5)) ** 0.8)
        knurl = self.knurl_w * (0.0035 * R) * np.cos(4.0 * self.ribs * (th - rot))
        height = self.base_h + flutes + knurl
        nx, ny, nz = surface_normals(height, self.px)
        albedo_lin = 0.040 * (1.0 + 0.10 * self.grain)
        albedo = np.stack([albedo_lin * 1.04, albedo_lin, albedo_lin * 0.93], axis=-1)
        # Pointer line painted over the top and down the flank.
        a = math.radians(angle_deg)
        ux, uy = math.cos(a), math.sin(a)
        along = (self.dx * ux + self.dy * uy) / R
        across = np.abs(-self.dx * uy + self.dy * ux) / R
        half = 0.030
        line = edge_coverage((across - half) * R, self.px) * edge_coverage((0.11 - along) * R, self.px) \
            * edge_coverage((along - self.r_body + 0.01) * R, self.px)
        albedo = mix(albedo, self.pointer_lin[None, None, :] * 0.78, line[..., None])
        specular = 0.45 * (1.0 - 0.5 * line)
        lin = shade(nx, ny, nz, albedo, specular, 20.0, env=0.10, ambient=0.12)
        # A broad, soft lobe: the satin plastic catches the key light over a wide area.
        ndh = clamp01(nx * HALF[0] + ny * HALF[1] + nz * HALF[2])
        lin = lin + (0.028 * ndh ** 5 * (1.0 - 0.5 * line))[..., None]
        # Dirt and shadow settle in the bottoms of the flutes.
        groove = self.flute_w * (1.0 - np.abs(np.cos(phi * 0.5))) ** 3
        lin = lin * (1.0 - 0.55 * groove)[..., None]
        # Broad sheen on the satin top, and the radial streak of the spun finish.
        top_mask = 1.0 - smoothstep(self.r_top - 0.02, self.r_top + 0.01, rr)
        streak = self.aniso * top_mask * (0.030 + 0.012 * self.spun) * (1.0 - 0.6 * line)
        lin = lin + streak[..., None] * np.array([1.0, 0.98, 0.94])
        lin = lin + (0.004 * self.spun * top_mask)[..., None]
        lin = lin * self.ao[..., None]
        return linear_rgba(lin, self.alpha)


def make_knob(w, h, radius, seed, ss=4):
    k = KnobRenderer(w, h, w / 2.0, h / 2.0, radius, ss, seed)
    return downsample(k.render(270.0), ss)


def make_knob_large():
    return make_knob(169, 154, 75.5, 2101)


def make_knob_small():
    return make_knob(114, 116, 55.5, 2202)


# --------------------------------------------------------------------------
# Pilot lamp, indicator lamps
# --------------------------------------------------------------------------

def lamp_lens(dx, dy, radius, lit, px, facets=True):
    """Linear-light colour and height of a domed amber lens of the given radius (pixels)."""
    d = np.hypot(dx, dy)
    rr = d / radius
    th = np.arctan2(dy, dx)
    dome = 0.35 * radius * np.sqrt(clamp01(1.0 - rr * rr))
    if facets:
        # Jewel cut: eight petals in two rings give the lens its glitter.
        seg = np.cos(8.0 * th) * 0.5 + 0.5
        ring = np.where(rr < 0.55, 1.0, 0.0)
        dome = dome + 0.012 * radius * (seg * (1.0 - ring) + (1.0 - seg) * ring) * (rr < 1.0)
    nx, ny, nz = surface_normals(dome, px)
    hot = to_linear(hex_rgb(0xFFF4C8))
    mid = to_linear(hex_rgb(0xFFA534))
    edge = to_linear(hex_rgb(0xC24E08))
    unlit = to_linear(hex_rgb(0x4A2408))
    t = clamp01(rr)
    glow = np.where(t[..., None] < 0.45, mix(hot, mid, (t / 0.45)[..., None]),
                    mix(mid, edge, clamp01((t - 0.45) / 0.55)[..., None] ** 0.8))
    facet_shimmer = 1.0 + 0.25 * (nx * 0.7 - ny * 0.4)
    lit_col = glow * (1.6 * facet_shimmer)[..., None]
    dark_col = shade(nx, ny, nz, np.broadcast_to(unlit, rr.shape + (3,)) * 0.6, 0.0, 10.0, env=0.0, ambient=0.25)
    col = lit * lit_col + (1.0 - lit) * dark_col
    # Glass highlight, always present.
    ndh = clamp01(nx * HALF[0] + ny * HALF[1] + nz * HALF[2])
    col = col + ((ndh ** 40) * 0.5 + smoothstep(0.5, 0.95, -ny * 0.6 - nx * 0.5 + 0.2) * 0.05 * (rr < 1))[..., None]
    return col, dome


def make_pilot_light(ss=4):
    w = h = 81
    x, y = grid(w, h, ss)
    c = w / 2.0
    dx, dy = x - c, y - c
    d = np.hypot(dx, dy)
    th = np.arctan2(dy, dx)
    R = 39.5
    rr = d / R
    px = 1.0 / ss
    rng = np.random.default_rng(3101)
    # Bezel: knurled outer ring, polished conical inner ring, dark gap before the lens.
    knurl = 0.012 * R * np.cos(60.0 * th) * smoothstep(0.84, 0.87, rr) * (1.0 - smoothstep(0.97, 0.995, rr))
    outer = 0.22 * R * np.sqrt(clamp01(1.0 - ((rr - 0.86) / 0.14) ** 2)) * (rr >= 0.86)
    cone = mix(0.26 * R, 0.12 * R, clamp01((rr - 0.70) / 0.16)) * ((rr >= 0.70) & (rr < 0.86))
    height = outer + cone + knurl
    nx, ny, nz = surface_normals(height, px)
    metal = to_linear(hex_rgb(0x3A3936)) * (1.0 + 0.08 * rng.standard_normal(rr.shape))[..., None]
    bezel = shade(nx, ny, nz, metal, 0.55, 30.0, env=0.20, ambient=0.22)
    bezel = bezel * (1.0 - 0.6 * np.exp(-((rr - 0.86) / 0.015) ** 2))[..., None]
    lens_r = 0.66 * R
    lens, _ = lamp_lens(dx, dy, lens_r, 1.0, px)
    lens_cov = edge_coverage(d - lens_r, px)
    gap = (rr >= 0.66) & (rr < 0.70)
    col = np.where(gap[..., None], to_linear(hex_rgb(0x0A0705)) + 0.10 * to_linear(hex_rgb(0xFF9A30)) * clamp01(1.0 - (rr - 0.66) / 0.04)[..., None], bezel)
    # Warm spill of the lamp on the inner bezel.
    spill = np.exp(-((rr - 0.68) / 0.08) ** 2) * (rr > 0.66)
    col = col + (0.08 * spill)[..., None] * to_linear(hex_rgb(0xFF9A30))
    col = mix(col, lens, lens_cov[..., None])
    alpha = edge_coverage(d - R, px)
    return downsample(linear_rgba(col, alpha), ss)


# --------------------------------------------------------------------------
# Filmstrip
# --------------------------------------------------------------------------

def make_filmstrip(frames=128, size=128, ss=3, lamps=11):
    """Frame i: the knob turned to i/(frames-1) of its travel; lamps lit from the start up to it."""
    start, end = 140.0, 400.0
    cx = cy = size / 2.0
    knob_r = 41.0
    ring_r = 54.5
    lamp_r = 3.9
    bezel_r = 5.6
    px = 1.0 / ss
    x, y = grid(size, size, ss)
    # Static part of every frame: lamp bezels with unlit lenses, and the knob's contact shadow.
    base = np.zeros(x.shape + (4,))
    lamp_boxes = []
    box = 17  # half size, in output pixels, of the area a lamp and its glow can touch
    for i in range(lamps):
        a = math.radians(start + (end - start) * i / (lamps - 1))
        lx, ly = cx + ring_r * math.cos(a), cy + ring_r * math.sin(a)
        x0 = int(max(0, math.floor(lx - box))) * ss
        y0 = int(max(0, math.floor(ly - box))) * ss
        x1 = int(min(size, math.ceil(lx + box))) * ss
        y1 = int(min(size, math.ceil(ly + box))) * ss
        sl = (slice(y0, y1), slice(x0, x1))
        dx, dy = x[sl] - lx, y[sl] - ly
        d = np.hypot(dx, dy)
        br = d / bezel_r
        bh = 0.45 * bezel_r * np.sqrt(clamp01(1.0 - ((br - 0.86) / 0.16) ** 2)) * (br > 0.70)
        nx, ny, nz = surface_normals(bh, px)
        bez = shade(nx, ny, nz, np.broadcast_to(to_linear(hex_rgb(0x34322E)), d.shape + (3,)), 0.5, 24.0,
                    env=0.15, ambient=0.2)
        bez_a = edge_coverage(d - bezel_r, px)
        unlit, _ = lamp_lens(dx, dy, lamp_r, 0.0, px, facets=False)
        lit, _ = lamp_lens(dx, dy, lamp_r, 1.0, px, facets=False)
        lens_cov = edge_coverage(d - lamp_r, px)
        # Soft shadow of the bezel on the panel, down and to the right.
        sh = np.exp(-(np.hypot(dx - 0.8, dy - 1.3) / (bezel_r * 1.05)) ** 4) * 0.45
        region = over(base[sl], np.zeros(d.shape + (3,)), sh * (1.0 - bez_a))
        region = over(region, mix(to_srgb(bez), to_srgb(unlit), lens_cov[..., None]), bez_a)
        base[sl] = region
        halo = np.exp(-(np.maximum(d - lamp_r * 0.6, 0.0) / 4.6) ** 1.1) * (1.0 - 0.7 * lens_cov)
        lamp_boxes.append((sl, to_srgb(lit), lens_cov, halo))
    kd = np.hypot(x - cx - 1.5, y - cy - 2.5)
    base = over(base, np.zeros(x.shape + (3,)), 0.55 * (1.0 - smoothstep(knob_r - 1.0, knob_r + 5.0, kd)))
    # The knob is rendered in its own box and pasted into the frame.
    kb = int(math.ceil(knob_r + 2.0))
    k0 = int(cx) - kb
    knob = KnobRenderer(2 * kb, 2 * kb, cx - k0, cy - k0, knob_r, ss, 4101)
    ksl = (slice(k0 * ss, (k0 + 2 * kb) * ss), slice(k0 * ss, (k0 + 2 * kb) * ss))
    glow_rgb = hex_rgb(0xFFB048)
    strip = np.zeros((frames * size, size, 4))
    for f in range(frames):
        pos = f / (frames - 1.0)
        frame = base.copy()
        for i, (sl, lit_rgb, cov, halo) in enumerate(lamp_boxes):
            level = float(np.clip(pos * (lamps - 1) - i + 1.0, 0.0, 1.0))
            if level <= 0.0:
                continue
            region = over(frame[sl], np.broadcast_to(glow_rgb, halo.shape + (3,)), halo * 0.75 * level)
            frame[sl] = over(region, lit_rgb, cov * level)
        angle = start + (end - start) * pos
        frame[ksl] = over(frame[ksl], *split(knob.render(angle)))
        strip[f * size:(f + 1) * size] = downsample(frame, ss)
    return strip


def split(rgba):
    return rgba[..., :3], rgba[..., 3]


# --------------------------------------------------------------------------
# Chicken-head switch caps
# --------------------------------------------------------------------------

def uneven_capsule_sdf(px, py, r1, r2, h):
    """Distance to the hull of a circle r1 at the origin and a circle r2 at (0, h), h along +y."""
    px = np.abs(px)
    b = (r1 - r2) / h
    a = math.sqrt(1.0 - b * b)
    k = px * (-b) + py * a
    d_body = px * a + py * b - r1
    d_low = np.hypot(px, py) - r1
    d_high = np.hypot(px, py - h) - r2
    return np.where(k < 0.0, d_low, np.where(k > a * h, d_high, d_body))


def make_switch(w, h, seed, tail_r, tip_r, tail_y, tip_y, skirt_r, ridge, colour, stripe, ss=4):
    """Pointer cap pointing up, pivot at the image centre, over a round fluted skirt."""
    x, y = grid(w, h, ss)
    cx, cy = w / 2.0, h / 2.0
    px = 1.0 / ss
    rng = np.random.default_rng(seed)
    dx, dy = x - cx, y - cy
    # Head outline: hull of the round tail circle and the rounded tip above the pivot.
    sdf = uneven_capsule_sdf(dx, (cy + tail_y) - y, tail_r, tip_r, tail_y - tip_y)
    inside = -sdf
    edge_r = 6.0
    prof = np.sqrt(clamp01(1.0 - (1.0 - clamp01(inside / edge_r)) ** 2))
    # Rounded crown across the pointer, so it reads as a moulded solid.
    half_w = np.maximum(1.0, inside + np.abs(dx))
    crown = ridge * np.sqrt(clamp01(1.0 - (dx / half_w) ** 2))
    # The crown rises towards the hub and falls towards the tip.
    rise = 0.75 + 0.25 * np.exp(-(dy / (0.3 * h)) ** 2)
    head_h = (11.0 * prof + crown * prof) * rise * (sdf < 0)
    head_h = head_h + 0.05 * normalised(gaussian_blur(rng.standard_normal(x.shape), 2.5 * ss)) * (sdf < 0)
    head_cov = edge_coverage(sdf, px)
    # Skirt: a low fluted disc under the head.
    d = np.hypot(dx, dy)
    th = np.arctan2(dy, dx)
    sr = d / skirt_r
    skirt_h = (6.0 * np.sqrt(clamp01(1.0 - smoothstep(0.55, 1.0, sr) ** 2)) + 0.5 * np.cos(40 * th) * smoothstep(0.75, 0.85, sr)) * (sr < 1)
    skirt_cov = edge_coverage(d - skirt_r, px)
    height = np.maximum(head_h, skirt_h)
    nx, ny, nz = surface_normals(height, px)
    alb = to_linear(hex_rgb(colour)) * 0.55
    albedo = np.broadcast_to(alb, x.shape + (3,)).copy()
    albedo *= (1.0 + 0.06 * rng.standard_normal(x.shape))[..., None]
    # Cream index stripe inlaid along the pointer's spine.
    stripe_half, stripe_from, stripe_to = stripe
    s_cov = edge_coverage(np.abs(dx) - stripe_half, px) * edge_coverage((cy + stripe_from) - y, px) \
        * edge_coverage(y - (cy + stripe_to), px) * head_cov
    albedo = mix(albedo, to_linear(hex_rgb(0xE8DCB0))[None, None, :] * 0.8, s_cov[..., None])
    lin = shade(nx, ny, nz, albedo, 0.45, 24.0, env=0.12, ambient=0.16)
    # Shadow of the head falling on the skirt, down and to the right.
    shadow = gaussian_blur(np.roll(np.roll(head_cov, int(2.5 * ss), axis=0), int(1.5 * ss), axis=1), 2.2 * ss)
    on_skirt = (1.0 - head_cov)
    lin = lin * (1.0 - 0.75 * shadow * on_skirt)[..., None]
    alpha = np.maximum(head_cov, skirt_cov)
    return downsample(linear_rgba(lin, alpha), ss)


def make_switch_frequency():
    return make_switch(95, 142, 5101, tail_r=26.0, tip_r=6.5, tail_y=36.0, tip_y=-62.0,
                       skirt_r=44.5, ridge=7.0, colour=0x23211E, stripe=(2.1, -56.0, -14.0))


def make_switch_oversampling():
    return make_switch(98, 151, 5202, tail_r=24.0, tip_r=5.0, tail_y=42.0, tip_y=-67.0,
                       skirt_r=46.0, ridge=8.0, colour=0x2A211B, stripe=(2.0, -61.0, -12.0))


# --------------------------------------------------------------------------
# VU meter faces
# --------------------------------------------------------------------------

def segment_sdf(x, y, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = clamp01(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy))
    return np.hypot(x - (x0 + t * dx), y - (y0 + t * dy))


def make_vu_face(w, h, seed, ss=4):
    """Cream VU face; the scale sits on the needle's arc (pivot and sweep as the editor draws it)."""
    rng = np.random.default_rng(seed)
    x, y = grid(w, h, ss)
    px = 1.0 / ss
    pcx, pcy = w / 2.0, h - 0.1 * h
    needle = 0.39 * w * 0.98
    a0, sweep = 208.0, 114.0

    def frac_to_angle(f):
        return math.radians(a0 + sweep * f)

    def db_frac(db):
        return (10.0 ** (db / 20.0)) / (10.0 ** (3.0 / 20.0))

    dx, dy = x - pcx, y - pcy
    rho = np.hypot(dx, dy)
    ang = np.degrees(np.arctan2(dy, dx)) % 360.0
    frac = (ang - a0) / sweep

    # Paper: warm ivory with fibre noise and gentle yellowing towards the edges.
    paper = hex_rgb(0xEFE5C8)
    fibre = 0.006 * value_noise(rng, w * ss, h * ss, 6 * ss) + 0.006 * rng.standard_normal(x.shape)
    u = (x - w / 2.0) / (w / 2.0)
    v = (y - h * 0.55) / (h * 0.6)
    age = 0.06 * clamp01(u * u * 0.7 + v * v * 0.6)
    rgb = np.empty(x.shape + (3,))
    rgb[...] = paper
    rgb = rgb * (1.0 + fibre)[..., None] - age[..., None] * np.array([0.02, 0.05, 0.12])

    ink = hex_rgb(0x1E1B17)
    red = hex_rgb(0xB8321F)
    r_arc = 0.90 * needle
    ink_cov = np.zeros(x.shape)
    red_cov = np.zeros(x.shape)

    def arc_cov(radius, width, f0, f1):
        ring = edge_coverage(np.abs(rho - radius) - width / 2.0, px)
        ends = clamp01((frac - f0) * sweep * math.pi / 180.0 * radius / px + 0.5) * \
            clamp01((f1 - frac) * sweep * math.pi / 180.0 * radius / px + 0.5)
        return ring * ends

    f0db = db_frac(0.0)
    ink_cov = np.maximum(ink_cov, arc_cov(r_arc, 1.1, db_frac(-20.0), f0db))
    red_cov = np.maximum(red_cov, arc_cov(r_arc + 2.4, 5.8, f0db, 1.0))
    ink_cov = np.maximum(ink_cov, arc_cov(r_arc, 1.1, f0db, 1.0))

    def tick(f, r_in, r_out, width):
        a = frac_to_angle(f)
        return edge_coverage(segment_sdf(x, y, pcx + r_in * math.cos(a), pcy + r_in * math.sin(a),
                                         pcx + r_out * math.cos(a), pcy + r_out * math.sin(a)) - width / 2.0, px)

    majors = [-20, -10, -7, -5, -3, -1, 0, 1, 2, 3]
    minors = [-15, -9, -8, -6, -4, -2, -0.5, 0.5, 1.5, 2.5]
    for db in majors:
        cov = tick(db_frac(db), r_arc, r_arc + 9.0, 1.5)
        if db > 0:
            red_cov = np.maximum(red_cov, cov)
        else:
            ink_cov = np.maximum(ink_cov, cov)
    for db in minors:
        cov = tick(db_frac(db), r_arc, r_arc + 5.0, 1.0)
        if db > 0:
            red_cov = np.maximum(red_cov, cov)
        else:
            ink_cov = np.maximum(ink_cov, cov)

    # Numbers above the scale, upright like a printed dial.
    items_ink, items_red = [], []
    r_num = r_arc + 18.5
    for db in majors:
        a = frac_to_angle(db_frac(db))
        label = ("+" if db > 0 else "") + str(db)
        label = label.replace("-", "\u2212")
        item = (label, pcx + r_num * math.cos(a), pcy + r_num * math.sin(a) + 0.5, 10.0, True, 0.86)
        (items_red if db > 0 else items_ink).append(item)
    items_ink.append(("VU", pcx, pcy - 0.36 * h, 22.0, True, 1.0))
    # Polarity signs just inside the two ends of the scale.
    a_l = frac_to_angle(db_frac(-20.0))
    a_r = frac_to_angle(1.0)
    items_ink.append(("\u2212", pcx + (r_arc - 14.0) * math.cos(a_l) + 6.0, pcy + (r_arc - 14.0) * math.sin(a_l) + 4.0, 13.0, True, 1.0))
    items_red.append(("+", pcx + (r_arc - 14.0) * math.cos(a_r) - 6.0, pcy + (r_arc - 14.0) * math.sin(a_r) + 4.0, 13.0, True, 1.0))
    ink_cov = np.maximum(ink_cov, text_mask(w, h, items_ink, ss))
    red_cov = np.maximum(red_cov, text_mask(w, h, items_red, ss))

    # Printing is not perfectly solid.
    speck = clamp01(1.0 - 0.12 * clamp01(rng.standard_normal(x.shape) * 0.6))
    rgb = mix(rgb, ink, (ink_cov * 0.94 * speck)[..., None])
    rgb = mix(rgb, red, (red_cov * 0.92 * speck)[..., None])

    # Pivot housing: a dark moulded dome at the bottom centre.
    hr = 0.15 * w
    hx, hy = pcx, h + 0.04 * h
    hd = np.hypot((x - hx), (y - hy) * 1.25)
    dome_h = 0.22 * hr * np.sqrt(clamp01(1.0 - (hd / hr) ** 2)) + 0.6 * clamp01(1.0 - hd / (0.98 * hr)) ** 0.2
    nx, ny, nz = surface_normals(dome_h, px)
    dome = to_srgb(shade(nx, ny, nz, np.broadcast_to(to_linear(hex_rgb(0x151413)), x.shape + (3,)),
                         0.22, 16.0, env=0.035, ambient=0.25))
    dome_cov = edge_coverage(hd - hr, px)
    # Soft shadow of the dome on the face.
    sh = clamp01(1.0 - (hd - hr) / 7.0) * (1.0 - dome_cov) * 0.35
    rgb = rgb * (1.0 - sh)[..., None]
    rgb = mix(rgb, dome, dome_cov[..., None])
    # A small brass pivot screw showing on the dome top.
    scr = np.hypot(x - pcx, y - pcy)
    screw_h = 1.0 * np.sqrt(clamp01(1.0 - (scr / 2.6) ** 2))
    snx, sny, snz = surface_normals(screw_h, px)
    screw = to_srgb(shade(snx, sny, snz, np.broadcast_to(to_linear(hex_rgb(0x4A4640)), x.shape + (3,)),
                          0.6, 30.0, env=0.2, ambient=0.25))
    rgb = mix(rgb, screw, edge_coverage(scr - 2.6, px)[..., None])

    # Glass and bezel: inner shadow along the edges (deepest at the top), and a faint reflection.
    ex = np.minimum(x, w - x)
    ey_top = y
    ey_bot = h - y
    inner = 0.22 * np.exp(-ey_top / 7.0) + 0.10 * np.exp(-ex / 6.0) + 0.08 * np.exp(-ey_bot / 5.0)
    rgb = rgb * (1.0 - inner)[..., None]
    vign = 1.0 - 0.10 * clamp01(((x - w / 2.0) / (w * 0.62)) ** 2 + ((y - h * 0.45) / (h * 0.8)) ** 2)
    rgb = rgb * vign[..., None]
    band = np.exp(-(((x - 0.55 * y) - 0.22 * w) / (0.10 * w)) ** 2) * 0.05 + \
        np.exp(-(((x - 0.55 * y) - 0.36 * w) / (0.03 * w)) ** 2) * 0.025
    rgb = rgb + band[..., None] * (1.0 - rgb)
    rgba = np.concatenate([clamp01(rgb), np.ones(x.shape + (1,))], axis=-1)
    return downsample(rgba, ss)


def make_vu_meter():
    return make_vu_face(269, 151, 6101)


def make_vu_meter_alt():
    return make_vu_face(270, 151, 6202)


# --------------------------------------------------------------------------
# Logo
# --------------------------------------------------------------------------

def make_logo(ss=2):
    size = 1024
    x, y = grid(size, size, ss)
    px = 1.0 / ss
    c = size / 2.0
    dx, dy = x - c, y - c
    stroke = 48.0
    # Outer ring, as wide as the canvas allows.
    ring = np.abs(np.hypot(dx, dy) - (c - stroke / 2.0 - 16.0)) - stroke / 2.0
    # Diamond inside, corners on the axes.
    dia = 300.0
    diamond = np.abs((np.abs(dx) + np.abs(dy) - dia) / math.sqrt(2.0)) - stroke / 2.0
    cov = np.maximum(edge_coverage(ring, px), edge_coverage(diamond, px))
    # Lamp rays in the four gaps between diamond and ring.
    for k in range(4):
        a = math.radians(45.0 + 90.0 * k)
        r0, r1 = 292.0, 396.0
        seg = segment_sdf(x, y, c + r0 * math.cos(a), c + r0 * math.sin(a), c + r1 * math.cos(a), c + r1 * math.sin(a))
        cov = np.maximum(cov, edge_coverage(seg - stroke / 2.0, px))
    # Lightning stroke through the lamp in the middle.
    bolt = [(556, 296), (410, 548), (500, 548), (462, 730), (616, 462), (526, 462), (580, 296)]
    canvas = Image.new("L", (size * ss, size * ss), 0)
    ImageDraw.Draw(canvas).polygon([(px_ * ss, py_ * ss) for px_, py_ in bolt], fill=255)
    cov = np.maximum(cov, np.asarray(canvas, dtype=np.float64) / 255.0)
    ground = hex_rgb(0x0B0B0C)
    line = hex_rgb(0xF2EEE2)
    rgb = mix(np.broadcast_to(ground, x.shape + (3,)), line, cov[..., None])
    rgba = np.concatenate([rgb, np.ones(x.shape + (1,))], axis=-1)
    return downsample(rgba, ss)


# --------------------------------------------------------------------------
# Screws
# --------------------------------------------------------------------------

def screw_head(x, y, cx, cy, radius, slot_angle, px, rng, finish=0xB8B6B0):
    dx, dy = x - cx, y - cy
    d = np.hypot(dx, dy)
    rr = d / radius
    height = 0.28 * radius * np.sqrt(clamp01(1.0 - rr ** 2)) + 0.05 * radius * (rr < 1.0)
    a = math.radians(slot_angle)
    u = dx * math.cos(a) + dy * math.sin(a)
    v = -dx * math.sin(a) + dy * math.cos(a)
    arm_w = 0.11 * radius
    arm_l = 0.50 * radius
    # Cross recess: tapered arms meeting in a conical centre.
    arm = np.minimum(np.maximum(np.abs(u) - arm_l, np.abs(v) - arm_w * (1.0 - 0.35 * clamp01(np.abs(u) / arm_l))),
                     np.maximum(np.abs(v) - arm_l, np.abs(u) - arm_w * (1.0 - 0.35 * clamp01(np.abs(v) / arm_l))))
    recess_depth = 0.30 * radius * clamp01(-arm / (0.6 * arm_w) + 0.3) * clamp01(1.0 - d / (arm_l * 1.05)) ** 0.5
    cone = 0.20 * radius * clamp01(1.0 - d / (0.24 * radius))
    height = height - np.maximum(recess_depth, cone * (arm < 0))
    height = height + 0.004 * radius * gaussian_blur(rng.standard_normal(x.shape), 1.5 / px)
    nx, ny, nz = surface_normals(height, px)
    metal = to_linear(hex_rgb(finish))
    albedo = np.broadcast_to(metal * 0.35, x.shape + (3,))
    lin = shade(nx, ny, nz, albedo, 0.7, 40.0, env=0.45, ambient=0.25)
    # Recess interior is in shadow.
    lin = lin * (1.0 - 0.65 * clamp01(recess_depth / (0.15 * radius)))[..., None]
    cov = edge_coverage(d - radius, px)
    return lin, cov


def make_panel_screw(ss=4):
    w, h = 80, 96
    x, y = grid(w, h, ss)
    px = 1.0 / ss
    rng = np.random.default_rng(7101)
    cx, cy, R = 40.0, 40.0, 31.0
    # Cast shadow beneath the head, falling down the panel.
    sd = np.hypot((x - cx - 3.0) / 1.0, (y - cy - 11.0) / 1.12)
    shadow = 0.6 * clamp01(1.0 - smoothstep(R - 6.0, R + 8.0, sd))
    out = np.zeros(x.shape + (4,))
    out = over(out, np.zeros(x.shape + (3,)), shadow)
    lin, cov = screw_head(x, y, cx, cy, R, 22.0, px, rng)
    out = over(out, to_srgb(lin), cov)
    return downsample(out, ss)


def make_rack_screw(ss=4):
    w, h = 70, 69
    x, y = grid(w, h, ss)
    px = 1.0 / ss
    rng = np.random.default_rng(7202)
    cx, cy = 35.0, 34.5
    # Cup washer under the head.
    wr = 33.5
    d = np.hypot(x - cx, y - cy)
    wrr = d / wr
    wh = 0.12 * wr * np.sqrt(clamp01(1.0 - ((wrr - 0.85) / 0.16) ** 2)) * (wrr > 0.6)
    nx, ny, nz = surface_normals(wh, px)
    washer = shade(nx, ny, nz, np.broadcast_to(to_linear(hex_rgb(0x8E8C86)) * 0.35, x.shape + (3,)),
                   0.6, 28.0, env=0.4, ambient=0.22)
    washer = washer * (1.0 - 0.5 * np.exp(-((d - 25.5) / 2.0) ** 2))[..., None]
    out = np.zeros(x.shape + (4,))
    out = over(out, to_srgb(washer), edge_coverage(d - wr, px))
    lin, cov = screw_head(x, y, cx, cy, 25.0, -14.0, px, rng, finish=0x9FA0A2)
    out = over(out, to_srgb(lin), cov)
    return downsample(out, ss)


# --------------------------------------------------------------------------
# Tube heat meter
# --------------------------------------------------------------------------

def make_tube_heat_meter(ss=4, segments=20):
    w, h = 96, 340
    x, y = grid(w, h, ss)
    px = 1.0 / ss
    rng = np.random.default_rng(8101)
    # Housing: dark anodised plate with a bevelled edge.
    sdf = rounded_rect_sdf(x, y, 0.0, 0.0, float(w), float(h), 7.0)
    inset = -sdf
    hh = 3.0 * np.sqrt(clamp01(1.0 - (1.0 - clamp01(inset / 3.0)) ** 2))
    hh = hh + 0.15 * gaussian_blur(rng.standard_normal(x.shape), 0.8 * ss, 10.0 * ss)
    # Lamp window, recessed.
    wx0, wx1, wy0, wy1 = 44.0, 84.0, 34.0, 318.0
    win = rounded_rect_sdf(x, y, wx0, wy0, wx1, wy1, 4.0)
    hh = hh - 2.2 * clamp01(-win / 1.2 + 0.5)
    nx, ny, nz = surface_normals(hh, px)
    plate = shade(nx, ny, nz, np.broadcast_to(to_linear(hex_rgb(0x2B2C2E)) * 0.7, x.shape + (3,)),
                  0.18, 18.0, env=0.06, ambient=0.25)
    rgb = to_srgb(plate)
    # Window interior: black, with the lamp segments as amber glass tiles.
    win_cov = edge_coverage(win, px)
    rgb = mix(rgb, np.broadcast_to(hex_rgb(0x070605), x.shape + (3,)), win_cov[..., None])
    pitch = (wy1 - wy0 - 8.0) / segments
    for i in range(segments):
        sy1 = wy1 - 4.0 - i * pitch
        sy0 = sy1 - pitch + 3.0
        seg = rounded_rect_sdf(x, y, wx0 + 5.0, sy0, wx1 - 5.0, sy1, 1.5)
        t = i / (segments - 1.0)
        glass = mix(hex_rgb(0x3A2A12), hex_rgb(0x4A1A0C), t)
        shine = 0.10 * clamp01(1.0 - (y - sy0) / (sy1 - sy0)) + 0.05 * clamp01(1.0 - (x - wx0 - 5.0) / 12.0)
        col = glass[None, None, :] * (1.0 + 0.08 * rng.standard_normal(x.shape))[..., None] + shine[..., None]
        rgb = mix(rgb, col, edge_coverage(seg, px)[..., None])
    # Scale: ticks at every segment boundary step of 10, numbers 0..100.
    cream = hex_rgb(0xCFC292)
    cov = np.zeros(x.shape)
    items = []
    for k in range(11):
        value = k * 10
        yy = wy1 - 4.0 - (wy1 - wy0 - 8.0) * value / 100.0
        length = 9.0 if k % 2 == 0 else 5.0
        cov = np.maximum(cov, edge_coverage(segment_sdf(x, y, 40.0 - length, yy, 40.0, yy) - 0.6, px))
        if k % 2 == 0:
            items.append((str(value), 17.0, yy, 9.0, True, 0.9))
    cov = np.maximum(cov, edge_coverage(segment_sdf(x, y, 40.0, wy0 + 4.0, 40.0, wy1 - 4.0) - 0.5, px))
    items.append(("HEAT", w / 2.0, 18.0, 10.0, True, 1.0))
    cov = np.maximum(cov, text_mask(w, h, items, ss))
    rgb = mix(rgb, cream, (cov * 0.9)[..., None])
    alpha = edge_coverage(sdf, px)
    return downsample(np.concatenate([clamp01(rgb), alpha[..., None]], axis=-1), ss)


# --------------------------------------------------------------------------

ARTWORK = [
    ("realistic_faceplate_top.png", (950, 323), make_faceplate),
    ("realistic_bottom_panel.png", (950, 126), make_bottom_panel),
    ("realistic_logo.png", (1024, 1024), make_logo),
    ("realistic_pilot_light.png", (81, 81), make_pilot_light),
    ("realistic_vu_meter.png", (269, 151), make_vu_meter),
    ("realistic_vu_meter_alt.png", (270, 151), make_vu_meter_alt),
    ("realistic_knob_large.png", (169, 154), make_knob_large),
    ("realistic_knob_small.png", (114, 116), make_knob_small),
    ("realistic_switch_frequency.png", (95, 142), make_switch_frequency),
    ("realistic_switch_oversampling.png", (98, 151), make_switch_oversampling),
    ("littlephatty_filmstrip.png", (128, 16384), make_filmstrip),
    ("realistic_panel_screw.png", (80, 96), make_panel_screw),
    ("realistic_rack_screw.png", (70, 69), make_rack_screw),
    ("realistic_tube_heat_meter.png", (96, 340), make_tube_heat_meter),
]


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.normpath(os.path.join(here, "..", "..", "resources"))
    parser = argparse.ArgumentParser(description="Render the editor artwork PNG files.")
    parser.add_argument("--out", default=default_out, help="output folder (default: resources/ at the repository root)")
    parser.add_argument("--only", nargs="*", help="render only these file names")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    if not os.path.exists(FONT_REGULAR):
        print("warning: %s not found, using PIL's built-in font" % FONT_REGULAR, file=sys.stderr)
    started = time.perf_counter()
    for name, (w, h), maker in ARTWORK:
        if args.only and name not in args.only:
            continue
        t0 = time.perf_counter()
        img = maker()
        if img.shape != (h, w, 4):
            raise SystemExit("%s: rendered %r, expected %dx%d" % (name, img.shape, w, h))
        save_png(img, os.path.join(args.out, name))
        print("%-36s %5d x %-5d %6.2f s" % (name, w, h, time.perf_counter() - t0))
    print("total %.2f s" % (time.perf_counter() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
