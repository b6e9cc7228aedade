#!/usr/bin/env python3
"""Draws the pictures of the built-in page templates under data/templates/.

The pictures are committed; run this only after changing a design here:

    python3 scripts/make-template-pictures.py            # buttons, logos, header pictures
    python3 scripts/make-template-pictures.py --previews # also the catalogue previews

Shapes are drawn by sampling each pixel on a 4x4 grid, which gives smooth
edges without any imaging library. The previews are screenshots of a sample
topic merged into each template, taken with headless Chromium and scaled down
with ImageMagick (both from Debian: chromium, imagemagick).
"""

import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TEMPLATES = os.path.join(ROOT, "data", "templates")
SAMPLES = 4  # sub-samples per pixel side


# ---------------------------------------------------------------- PNG output

def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples, 0..255, straight alpha."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# ---------------------------------------------------------------- shapes
# Each shape answers whether a point (in pixel units) lies inside it.

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2.0


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def polyline(points, width):
    """A stroke with round joins and caps."""
    half = width / 2.0
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        for (ax, ay), (bx, by) in segments:
            vx, vy = bx - ax, by - ay
            length2 = vx * vx + vy * vy
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / length2))
            px, py = ax + t * vx - x, ay + t * vy - y
            if px * px + py * py <= half * half:
                return True
        return False
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def hexcolor(text, alpha=255):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


def render(width, height, layers, background=(0, 0, 0, 0)):
    """layers: list of (shape, rgba) painted in order over the background."""
    rows = []
    step = 1.0 / SAMPLES
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SAMPLES):
                y = py + (sy + 0.5) * step
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) * step
                    r, g, b, a = [c / 255.0 for c in background]
                    r, g, b = r * a, g * a, b * a
                    for shape, color in layers:
                        if shape(x, y):
                            cr, cg, cb, ca = [c / 255.0 for c in color]
                            r = cr * ca + r * (1 - ca)
                            g = cg * ca + g * (1 - ca)
                            b = cb * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(min(1.0, c / n / a) * 255)) for c in acc[:3]) + (int(round(a * 255)),))
        rows.append(row)
    return rows


def save(folder, name, width, height, layers, background=(0, 0, 0, 0)):
    path = os.path.join(TEMPLATES, folder, name)
    write_png(path, width, height, render(width, height, layers, background))
    print("wrote", os.path.relpath(path, ROOT))


# ---------------------------------------------------------------- designs

def chevron(size, pointing_left, width):
    c = size / 2.0
    arm = size * 0.17
    tip = c - arm * 0.55 if pointing_left else c + arm * 0.55
    back = tip + arm if pointing_left else tip - arm
    return polyline([(back, c - arm * 1.25), (tip, c), (back, c + arm * 1.25)], width)


def book(x0, y0, w, h):
    """An open book: two slanted pages meeting at the spine."""
    mid = x0 + w / 2.0
    left = polygon([(x0, y0 + h * 0.12), (mid - w * 0.03, y0 + h * 0.22), (mid - w * 0.03, y0 + h),
                    (x0, y0 + h * 0.9)])
    right = polygon([(mid + w * 0.03, y0 + h * 0.22), (x0 + w, y0 + h * 0.12), (x0 + w, y0 + h * 0.9),
                     (mid + w * 0.03, y0 + h)])
    return left, right


def book_lines(x0, y0, w, h, width):
    """Text lines on the pages of `book`."""
    mid = x0 + w / 2.0
    lines = []
    for k in range(3):
        t = 0.38 + k * 0.17
        lines.append(polyline([(x0 + w * 0.1, y0 + h * (t - 0.03)), (mid - w * 0.12, y0 + h * t)], width))
        lines.append(polyline([(mid + w * 0.12, y0 + h * t), (x0 + w * 0.9, y0 + h * (t - 0.03))], width))
    return lines


def fixedtop_pictures():
    blue = hexcolor("#1d5a8f")
    size = 28
    for name, left in (("prev", True), ("next", False)):
        save("fixedtop", "btn_%s_n.png" % name, size, size, [
            (circle(14, 14, 13.2), blue),
            (chevron(size, left, 2.6), hexcolor("#ffffff")),
        ])
        save("fixedtop", "btn_%s_g.png" % name, size, size, [
            (circle(14, 14, 13.2), hexcolor("#dfe6ed")),
            (chevron(size, left, 2.6), hexcolor("#a9b6c3")),
        ])

    left, right = book(6, 8, 20, 16)
    save("fixedtop", "logo.png", 32, 32, [
        (rounded_rect(1, 1, 31, 31, 7), hexcolor("#ffffff")),
        (left, blue),
        (right, blue),
    ] + [(line, hexcolor("#ffffff", 200)) for line in book_lines(6, 8, 20, 16, 1.1)])

    # Soft rings on the right of the title band; the band's colour shows through.
    rings = []
    for cx, cy, r, w, a in ((300, 70, 62, 10, 28), (352, -6, 40, 8, 22), (250, 10, 26, 5, 18),
                            (395, 44, 24, 4, 26)):
        rings.append((ring(cx, cy, r, w), (255, 255, 255, a)))
    save("fixedtop", "header.png", 420, 48, rings)


def msn_pictures():
    green = hexcolor("#2e7d4f")
    size = 26
    for name, left in (("prev", True), ("next", False)):
        save("msn", "btn_%s_n.png" % name, size, size, [
            (rounded_rect(0.6, 0.6, 25.4, 25.4, 5), green),
            (chevron(size, left, 2.4), hexcolor("#ffffff")),
        ])
        save("msn", "btn_%s_g.png" % name, size, size, [
            (rounded_rect(0.6, 0.6, 25.4, 25.4, 5), hexcolor("#e1e7e2")),
            (chevron(size, left, 2.4), hexcolor("#aab8ad")),
        ])

    left, right = book(2, 5, 28, 22)
    save("msn", "logo.png", 32, 32, [
        (left, green),
        (right, hexcolor("#3f9a66")),
    ] + [(line, hexcolor("#ffffff", 210)) for line in book_lines(2, 5, 28, 22, 1.3)])

    # The header's vertical shade, repeated across the band.
    top, bottom = hexcolor("#f7f9f7"), hexcolor("#e4ece5")
    height = 80
    rows = []
    for y in range(height):
        t = y / (height - 1.0)
        color = tuple(int(round(top[i] + (bottom[i] - top[i]) * t)) for i in range(3)) + (255,)
        rows.append([color] * 8)
    path = os.path.join(TEMPLATES, "msn", "header.png")
    write_png(path, 8, height, rows)
    print("wrote", os.path.relpath(path, ROOT))


# ---------------------------------------------------------------- previews

SAMPLE_BODY = """
<p>This page shows how a topic looks in this template. The title, the breadcrumb and the
previous and next buttons come from the template; the text below is the topic's own.</p>
<h2>Before you start</h2>
<p>Open the project and choose the topic you want to change in the table of contents.</p>
<ul><li>Type the text in the editor.</li><li>Insert pictures and links.</li><li>Build the help file.</li></ul>
<h2>Next steps</h2>
<p>Read <a href="#">Building a help file</a> to compile the project.</p>
"""
SAMPLE_NAV = '<a href="#">Getting started</a> &gt; <a href="#">Writing topics</a> &gt; '


def merged_sample(folder, page):
    """The template page with the tags filled roughly as an output fills them."""
    with open(os.path.join(TEMPLATES, folder, page), encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r"\(\$charset\$\)", "utf-8", text, flags=re.I)
    fills = {
        "title": "Editing a topic",
        "navigation": SAMPLE_NAV,
        "prev": '<a href="#">&lt;&lt;Previous</a>',
        "next": '<a href="#">Next&gt;&gt;</a>',
        "content": SAMPLE_BODY,
    }
    for tag, value in fills.items():
        text = re.sub(r"\(\$%s\$\)" % tag, lambda m, v=value: v, text, flags=re.I)
    # Buttons as they come out on a middle page.
    text = re.sub(r'<img[^>]*src="(btn_(?:prev|next)_n\.png)"[^>]*>',
                  lambda m: '<a href="#"><img alt="" src="%s" border="0"></a>' % m.group(1), text)
    return text


def previews():
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    # Debian's own name first: some machines put a stand-in "convert" earlier on the path.
    convert = shutil.which("convert-im6.q16") or shutil.which("magick") or shutil.which("convert")
    if not chromium or not convert:
        sys.exit("previews need chromium and ImageMagick (apt-get install chromium imagemagick)")
    for folder, page, name in (("fixedtop", "fixedtop.htm", "fixedtop_preview.png"),
                               ("msn", "msn.htm", "msn_preview.png")):
        work = tempfile.mkdtemp()
        try:
            for entry in os.listdir(os.path.join(TEMPLATES, folder)):
                shutil.copy(os.path.join(TEMPLATES, folder, entry), work)
            sample = os.path.join(work, "sample.htm")
            with open(sample, "w", encoding="utf-8") as f:
                f.write(merged_sample(folder, page))
            shot = os.path.join(work, "shot.png")
            subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                            "--window-size=720,540", "--screenshot=" + shot, "file://" + sample],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            target = os.path.join(TEMPLATES, name)
            subprocess.run([convert, shot, "-filter", "Lanczos", "-resize", "238x178",
                            "-bordercolor", "#b8c0c8", "-border", "1", "-strip", target], check=True)
            print("wrote", os.path.relpath(target, ROOT))
        finally:
            shutil.rmtree(work)


if __name__ == "__main__":
    fixedtop_pictures()
    msn_pictures()
    if "--previews" in sys.argv[1:]:
        previews()
