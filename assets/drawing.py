"""A small deterministic raster kit: shapes as signed distances, text from ImageMagick, and the
file formats the program carries (BMP, ICO, baseline JPEG).

Everything is plain Python arithmetic in a fixed order, so the same inputs give the same bytes.
ImageMagick's `convert` is used for two things only: turning text into a coverage mask with the
WenQuanYi Micro Hei font, and encoding JPEG.
"""

import math
import os
import struct
import subprocess

FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def hex_colour(text):
    text = text.lstrip("#")
    return tuple(float(int(text[i : i + 2], 16)) for i in (0, 2, 4))


# Signed distances: negative inside, in pixels.


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.hypot(ox, oy) + min(max(qx, qy), 0.0) - r

    return d, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r), (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, r, width):
    half = width / 2
    reach = r + half
    return (lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half), (
        cx - reach,
        cy - reach,
        cx + reach,
        cy + reach,
    )


def segment(ax, ay, bx, by, width):
    """A stroke from a to b with round caps."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1.0
    half = width / 2

    def d(x, y):
        t = clamp01(((x - ax) * dx + (y - ay) * dy) / length2)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half

    box = (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half)
    return d, box


def union(*shapes):
    fns = [s[0] for s in shapes]
    box = (
        min(s[1][0] for s in shapes),
        min(s[1][1] for s in shapes),
        max(s[1][2] for s in shapes),
        max(s[1][3] for s in shapes),
    )
    return (lambda x, y: min(f(x, y) for f in fns)), box


def subtract(shape, cut):
    f, g = shape[0], cut[0]
    return (lambda x, y: max(f(x, y), -g(x, y))), shape[1]


def vertical(top, bottom, y0, y1):
    """A paint that runs from colour top at y0 to bottom at y1."""
    span = (y1 - y0) or 1.0
    return lambda x, y: mix(top, bottom, clamp01((y - y0) / span))


def horizontal(left, right, x0, x1):
    span = (x1 - x0) or 1.0
    return lambda x, y: mix(left, right, clamp01((x - x0) / span))


def radial(inner, outer, cx, cy, radius):
    return lambda x, y: mix(inner, outer, clamp01(math.hypot(x - cx, y - cy) / radius))


class Canvas:
    """RGB pixels as floats 0..255, row 0 at the top."""

    def __init__(self, width, height, colour=(255.0, 255.0, 255.0), transparent=False):
        self.width, self.height = width, height
        self.r = [colour[0]] * (width * height)
        self.g = [colour[1]] * (width * height)
        self.b = [colour[2]] * (width * height)
        # Straight (not premultiplied) alpha, for icons; None for opaque pictures.
        self.a = [0.0] * (width * height) if transparent else None

    def _span(self, box, grow=1.0):
        x0 = max(0, int(math.floor(box[0] - grow)))
        y0 = max(0, int(math.floor(box[1] - grow)))
        x1 = min(self.width, int(math.ceil(box[2] + grow)))
        y1 = min(self.height, int(math.ceil(box[3] + grow)))
        return x0, y0, x1, y1

    def blend(self, i, colour, a):
        if a <= 0.0:
            return
        if self.a is not None:
            below = self.a[i] * (1.0 - min(a, 1.0))
            total = min(a, 1.0) + below
            for channel, c in zip((self.r, self.g, self.b), colour):
                channel[i] = (c * min(a, 1.0) + channel[i] * below) / total
            self.a[i] = total
            return
        if a >= 1.0:
            self.r[i], self.g[i], self.b[i] = colour
            return
        self.r[i] += (colour[0] - self.r[i]) * a
        self.g[i] += (colour[1] - self.g[i]) * a
        self.b[i] += (colour[2] - self.b[i]) * a

    def rect(self, x0, y0, x1, y1, paint, alpha=1.0):
        """Whole pixels x0 <= x < x1, y0 <= y < y1; paint is a colour or a function of x, y."""
        flat = isinstance(paint, tuple)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(y * self.width + x, paint if flat else paint(x + 0.5, y + 0.5), alpha)

    def fill(self, shape, paint, alpha=1.0, soft=0.0):
        """Fills a distance shape with edge coverage measured at pixel centres; soft > 0 blurs the
        edge over that many pixels each way (shadows and glows)."""
        d, box = shape
        flat = isinstance(paint, tuple)
        x0, y0, x1, y1 = self._span(box, 1.0 + soft)
        for y in range(y0, y1):
            cy = y + 0.5
            row = y * self.width
            for x in range(x0, x1):
                dist = d(x + 0.5, cy)
                if soft > 0.0:
                    t = clamp01((soft - dist) / (2 * soft))
                    cover = t * t * (3 - 2 * t)
                else:
                    cover = clamp01(0.5 - dist)
                if cover > 0.0:
                    self.blend(row + x, paint if flat else paint(x + 0.5, cy), cover * alpha)

    def mask(self, m, left, top, paint, alpha=1.0):
        """Paints a coverage mask (from text_mask) with its top-left corner at left, top."""
        flat = isinstance(paint, tuple)
        for my in range(m.height):
            y = top + my
            if not 0 <= y < self.height:
                continue
            for mx in range(m.width):
                x = left + mx
                cover = m.cover[my * m.width + mx]
                if cover and 0 <= x < self.width:
                    colour = paint if flat else paint(x + 0.5, y + 0.5)
                    self.blend(y * self.width + x, colour, cover / 255.0 * alpha)

    def pixel(self, x, y):
        i = y * self.width + x
        return tuple(int(min(255.0, max(0.0, c[i])) + 0.5) for c in (self.r, self.g, self.b))

    def rgba(self):
        """Pixels top to bottom as (r, g, b, a) integers."""
        out = []
        for i in range(self.width * self.height):
            x, y = i % self.width, i // self.width
            out.append(self.pixel(x, y) + (int(self.a[i] * 255 + 0.5),))
        return out

    def rgb_rows(self):
        """Rows top to bottom as bytes R, G, B."""
        out = []
        for y in range(self.height):
            row = bytearray()
            for x in range(self.width):
                row += bytes(self.pixel(x, y))
            out.append(bytes(row))
        return out


class Mask:
    def __init__(self, width, height, cover):
        self.width, self.height, self.cover = width, height, cover

    def ink_box(self):
        """Smallest box x0, y0, x1, y1 (exclusive) holding every covered pixel."""
        xs = [i % self.width for i, c in enumerate(self.cover) if c]
        ys = [i // self.width for i, c in enumerate(self.cover) if c]
        return min(xs), min(ys), max(xs) + 1, max(ys) + 1

    def cropped(self):
        x0, y0, x1, y1 = self.ink_box()
        w = x1 - x0
        cover = bytearray()
        for y in range(y0, y1):
            cover += self.cover[y * self.width + x0 : y * self.width + x0 + w]
        return Mask(w, y1 - y0, bytes(cover))


def require_font():
    if not os.path.exists(FONT):
        raise SystemExit(f"missing {FONT}: run scripts/setup.sh (fonts-wqy-microhei)")


def text_mask(text, size, weight=0.0):
    """Coverage of text at size pixels per em, cropped to its ink. weight > 0 thickens the strokes
    by that many pixels, for a semi-bold look from a font that has only a regular face."""
    require_font()
    cmd = ["convert", "-background", "black", "-fill", "white", "-font", FONT, "-density", "72"]
    cmd += ["-pointsize", str(size)]
    if weight > 0:
        cmd += ["-stroke", "white", "-strokewidth", str(weight)]
    cmd += ["label:" + text, "-depth", "8", "pgm:-"]
    data = subprocess.run(cmd, check=True, capture_output=True).stdout
    magic, width, height, maxval, pixels = data.split(maxsplit=4)
    if magic != b"P5" or maxval != b"255":
        raise SystemExit("convert gave an unexpected PGM")
    width, height = int(width), int(height)
    return Mask(width, height, pixels[: width * height]).cropped()


# File formats.


def bmp_bytes(canvas, ppm=3780):
    """24-bit BI_RGB Windows bitmap, rows bottom-up, each padded to four bytes."""
    stride = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.rgb_rows()):
        bgr = bytearray(len(row))
        bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
        pixels += bgr + bytes(stride - len(bgr))
    info = struct.pack(
        "<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), ppm, ppm, 0, 0
    )
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def jpeg_bytes(canvas, quality, pad_to=None, comment=b""):
    """Baseline JPEG, 4:2:0, no metadata. With pad_to, a comment segment after the JFIF header
    brings the file to exactly that many bytes."""
    raw = b"".join(canvas.rgb_rows())
    cmd = ["convert", "-size", f"{canvas.width}x{canvas.height}", "-depth", "8", "rgb:-"]
    cmd += ["-strip", "-interlace", "none", "-sampling-factor", "2x2", "-quality", str(quality)]
    cmd += ["jpg:-"]
    data = subprocess.run(cmd, input=raw, check=True, capture_output=True).stdout
    if pad_to is None:
        return data
    room = pad_to - len(data) - 4
    if room < len(comment):
        raise SystemExit(f"JPEG is {len(data)} bytes, too large for {pad_to}: lower the quality")
    body = comment + b" " * (room - len(comment))
    at = 2
    if data[2:4] == b"\xff\xe0":
        at = 4 + struct.unpack(">H", data[4:6])[0]
    return data[:at] + b"\xff\xfe" + struct.pack(">H", len(body) + 2) + body + data[at:]


def median_cut(colours, count):
    """A deterministic palette of at most count colours for the given list of RGB tuples."""
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        best, axis, spread = None, 0, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for a in range(3):
                s = max(c[a] for c in box) - min(c[a] for c in box)
                if s > spread:
                    best, axis, spread = i, a, s
        if best is None or spread == 0:
            break
        box = sorted(boxes.pop(best), key=lambda c: (c[axis], c))
        half = len(box) // 2
        boxes[best:best] = [box[:half], box[half:]]
    palette = []
    for box in boxes:
        palette.append(tuple(int(sum(c[a] for c in box) / len(box) + 0.5) for a in range(3)))
    return palette


def _and_mask(width, height, opaque):
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if not opaque[y * width + x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image_32(width, rgba):
    """One 32-bit icon image: BITMAPINFOHEADER (height doubled), BGRA bottom-up, AND mask."""
    height = width
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = rgba[y * width + x]
            pixels += bytes((b, g, r, a))
    opaque = [p[3] > 0 for p in rgba]
    return info + bytes(pixels) + _and_mask(width, height, opaque)


def icon_image_8(width, rgba, matte=(255, 255, 255), threshold=112):
    """One 8-bit paletted icon image: the colours over matte, a 1-bit mask cut at threshold."""
    height = width
    opaque = [p[3] >= threshold for p in rgba]
    flat = []
    for (r, g, b, a), keep in zip(rgba, opaque):
        if not keep:
            flat.append((0, 0, 0))
            continue
        t = a / 255.0
        flat.append(tuple(int(matte[i] + ((r, g, b)[i] - matte[i]) * t + 0.5) for i in range(3)))
    palette = median_cut(flat, 256)
    lookup = {}

    def nearest(c):
        if c not in lookup:
            lookup[c] = min(
                range(len(palette)),
                key=lambda i: (sum((palette[i][a] - c[a]) ** 2 for a in range(3)), i),
            )
        return lookup[c]

    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    table = bytearray()
    for i in range(256):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        table += bytes((b, g, r, 0))
    stride = (width + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(height)):
        row = bytearray(nearest(flat[y * width + x]) for x in range(width))
        pixels += row + bytes(stride - width)
    return info + bytes(table) + bytes(pixels) + _and_mask(width, height, opaque)


def ico_bytes(images):
    """images: list of (width, bits per pixel, image bytes) in directory order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for width, bits, data in images:
        colours = 0  # 0 for 256 or more
        out += struct.pack("<BBBBHHII", width % 256, width % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return out + body
