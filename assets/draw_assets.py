#!/usr/bin/env python3
"""Draws the program's pictures and icon into assets/ (or the folder given as the one argument).

    python3 assets/draw_assets.py [out_dir]
    python3 assets/draw_assets.py --check     # do the committed files match? (a ctest)

Deterministic: the same machine gives the same bytes on every run. Every place below is taken
from the control that lies over the picture, so the picture can be checked against the design.
"""

import math
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from drawing import (  # noqa: E402
    FONT,
    Canvas,
    bmp_bytes,
    circle,
    hex_colour,
    horizontal,
    ico_bytes,
    icon_image_8,
    icon_image_32,
    jpeg_bytes,
    ring,
    rounded_rect,
    segment,
    subtract,
    text_mask,
    union,
    vertical,
)
from phone import MODELS, draw_phone, studio_backdrop  # noqa: E402

WHITE = (255.0, 255.0, 255.0)
BLUE_TOP = hex_colour("2f86f2")
BLUE_BOTTOM = hex_colour("1b63d4")
BLUE_DEEP = hex_colour("0f4cb0")
INK = hex_colour("1f2937")

# Main window: the banner's picture box sits at 8,8; the serial box at 20,17, 492 x 29; the query
# area at 509,3 inside the box, 89 x 40.
BANNER_SIZE = (601, 46)
SERIAL_BOX = (20 - 8, 17 - 8, 492, 29)
QUERY_AREA = (509, 3, 89, 40)


def magnifier(canvas, cx, cy, radius, stroke, colour, alpha=1.0):
    """A lens centred at cx, cy with its handle towards the lower right."""
    lens = ring(cx, cy, radius, stroke)
    reach = radius + stroke / 2
    angle = math.radians(45)
    ax, ay = cx + math.cos(angle) * reach, cy + math.sin(angle) * reach
    handle = segment(ax, ay, ax + radius * 0.78, ay + radius * 0.78, stroke * 1.25)
    canvas.fill(union(lens, handle), colour, alpha)


def draw_banner():
    width, height = BANNER_SIZE
    c = Canvas(width, height)
    c.rect(0, 0, width, height, vertical(BLUE_TOP, BLUE_BOTTOM, 0, height))
    c.rect(0, 0, width, 1, WHITE, 0.22)
    c.rect(0, height - 1, width, height, BLUE_DEEP, 0.6)

    # The white field: the serial box plus a padding of 4 pixels, so the text does not touch it.
    sx, sy, sw, sh = SERIAL_BOX
    pad = 4
    field = rounded_rect(sx - pad, sy - pad, sx + sw + pad, sy + sh + pad, 5)
    c.fill(rounded_rect(sx - pad - 1, sy - pad, sx + sw + pad + 1, sy + sh + pad + 1.5, 6),
           BLUE_DEEP, 0.35)
    c.fill(field, WHITE)
    c.rect(sx, sy, sx + sw, sy + sh, WHITE)

    # The query button, as tall as the field, inside the query area.
    qx, qy, qw, qh = QUERY_AREA
    top, bottom = sy - pad, sy + sh + pad
    button = rounded_rect(qx + 3, top, qx + qw - 2, bottom, 5)
    c.fill(rounded_rect(qx + 3, top, qx + qw - 2, bottom + 1.5, 5.5), BLUE_DEEP, 0.5)
    c.fill(button, vertical(hex_colour("1559c7"), hex_colour("0c479f"), top, bottom))
    c.fill(subtract(button, rounded_rect(qx + 3, top + 1, qx + qw - 2, bottom + 1, 5)), WHITE, 0.18)

    word = text_mask("查询", 17, weight=0.35)
    glyph_w = 17
    gap = 6
    total = glyph_w + gap + word.width
    left = qx + 3 + (qw - 5 - total) / 2
    mid = (top + bottom) / 2
    magnifier(c, left + 6.5, mid - 1.5, 5.2, 2.1, WHITE)
    c.mask(word, int(round(left + glyph_w + gap)), int(round(mid - word.height / 2)), WHITE)
    return c


# Details window: the panel is drawn scaled into a 640 x 470 box, evenly and centred, so it shows
# at 638 x 470 from x = 1. Places below are in that box, as the controls are; panel_x and panel_y
# turn them into panel pixels.
PANEL_SIZE = (648, 477)
PANEL_BOX = (640, 470)
_scale = min(PANEL_BOX[0] / PANEL_SIZE[0], PANEL_BOX[1] / PANEL_SIZE[1])
_shown = (int(PANEL_SIZE[0] * _scale), int(PANEL_SIZE[1] * _scale))
_offset = ((PANEL_BOX[0] - _shown[0]) // 2, (PANEL_BOX[1] - _shown[1]) // 2)

PHOTO_BOX = (31, 93, 175, 251)  # `iphone`
HEADING = (272, 40, 288, 40)  # `设名`
ROW_X, ROW_WIDTH = 272, 320
ROW_TOPS = (93, 128, 160, 192, 224, 256, 288, 320, 352)  # `序列号` .. `生产日期`, 32 high
ROWS_END = 384
DISCLAIMER = (280, 383, 320, 24)  # `生产日期1`
BUTTON = (322, 418, 240, 40)  # `按钮1`
COLUMN_EDGE = 236  # right end of the left column, between the photo and the rows

COLUMN = hex_colour("f3f6fa")
HAIRLINE = hex_colour("e4e9f0")
EDGE = hex_colour("cfd7e2")


def panel_x(x):
    return (x - _offset[0]) * PANEL_SIZE[0] / _shown[0]


def panel_y(y):
    return (y - _offset[1]) * PANEL_SIZE[1] / _shown[1]


def panel_rect(x, y, w, h):
    """A control's rectangle in panel pixels, as floats x0, y0, x1, y1."""
    return panel_x(x), panel_y(y), panel_x(x + w), panel_y(y + h)


def draw_panel():
    width, height = PANEL_SIZE
    c = Canvas(width, height)

    # Left column with a shaded edge falling onto the white panel.
    edge = panel_x(COLUMN_EDGE)
    c.rect(0, 0, int(edge), height, COLUMN)
    for i in range(12):
        c.rect(int(edge) + i, 0, int(edge) + i + 1, height, EDGE, 0.30 * (1 - i / 12) ** 2)
    c.rect(int(edge) - 1, 0, int(edge) + 1, height, EDGE)

    # A card for the model photo, its border just outside the picture box.
    x0, y0, x1, y1 = panel_rect(*PHOTO_BOX)
    c.fill(rounded_rect(x0 - 3, y0 - 1, x1 + 3, y1 + 6, 7), hex_colour("8a9bb0"), 0.22, soft=4)
    c.fill(rounded_rect(x0 - 3, y0 - 3, x1 + 3, y1 + 3, 6), EDGE)
    c.fill(rounded_rect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, 5), WHITE)
    c.rect(int(x0), int(y0), int(x1) + 1, int(y1) + 1, WHITE)

    # Column heading level with the band: a badge and the tool's name.
    hx0, hy0, hx1, hy1 = panel_rect(*HEADING)
    mid = (hy0 + hy1) / 2
    badge = rounded_rect(x0, mid - 12, x0 + 24, mid + 12, 6)
    c.fill(badge, vertical(BLUE_TOP, BLUE_BOTTOM, mid - 12, mid + 12))
    magnifier(c, x0 + 10.5, mid - 1.5, 5.0, 2.0, WHITE)
    name = text_mask("序列号查询", 17, weight=0.3)
    c.mask(name, int(round(x0 + 33)), int(round(mid - name.height / 2)), INK)

    # The blue band behind the heading, from the column edge to the right end.
    band_top, band_bottom = panel_y(HEADING[1] - 5), panel_y(HEADING[1] + HEADING[3] + 5)
    c.rect(int(edge) + 1, int(band_top), width, int(band_bottom),
           horizontal(BLUE_BOTTOM, BLUE_TOP, edge, width))
    c.rect(int(edge) + 1, int(band_bottom), width, int(band_bottom) + 1, BLUE_DEEP, 0.35)

    # Rows: a dot in front of each, and a hairline (two pixels, so scaling cannot drop it) between.
    line_x0, line_x1 = panel_x(ROW_X), panel_x(ROW_X + ROW_WIDTH)
    for i, top in enumerate(ROW_TOPS):
        bottom = ROW_TOPS[i + 1] if i + 1 < len(ROW_TOPS) else ROWS_END
        cy = panel_y((top + bottom) / 2)
        c.fill(circle(panel_x(ROW_X - 12), cy, 2.6), BLUE_TOP)
        if i:
            y = int(round(panel_y(top))) - 1
            c.rect(int(line_x0), y, int(line_x1), y + 2, HAIRLINE)

    # A small warning sign in front of the disclaimer.
    dx, dy0, _, dy1 = panel_rect(*DISCLAIMER)
    sign_x, sign_y = panel_x(DISCLAIMER[0] - 12), (dy0 + dy1) / 2
    red = hex_colour("e5484d")
    c.fill(circle(sign_x, sign_y, 6.5), red, 0.9)
    c.fill(segment(sign_x, sign_y - 3.4, sign_x, sign_y + 0.6, 1.6), WHITE)
    c.fill(circle(sign_x, sign_y + 3.2, 0.95), WHITE)

    # A footer strip that the button stands on.
    foot = int(round(panel_y(BUTTON[1] - 8)))
    c.rect(int(edge) + 1, foot, width, height, COLUMN)
    c.rect(int(edge) + 1, foot, width, foot + 2, HAIRLINE)
    return c


# The model photo: the `iphone` box shows its top-left 175 x 251 pixels, so the phone stands in
# that part; the rest carries on the backdrop. The program's design carries it as 11,114 bytes.
PHOTO_SIZE = (200, 270)
PHOTO_BYTES = 11114


def draw_model_photo():
    width, height = PHOTO_SIZE
    c = Canvas(width, height)
    shown_w, shown_h = PHOTO_BOX[2], PHOTO_BOX[3]
    phone_w = 100
    phone_h = phone_w * MODELS["4s"]["ratio"]
    top = (shown_h - phone_h) / 2 - 4
    studio_backdrop(c, shown_w / 2, top + phone_h)
    draw_phone(c, shown_w / 2, top, phone_w, model="4s", finish="white")
    return c


def draw_icon(size):
    """The program's icon at size x size: the query symbol of the banner on a blue tile."""
    c = Canvas(size, size, transparent=True)
    k = size / 32
    tile = rounded_rect(1 * k, 1 * k, 31 * k, 31 * k, 7 * k)
    c.fill(tile, vertical(BLUE_TOP, BLUE_BOTTOM, 1 * k, 31 * k))
    c.fill(subtract(tile, rounded_rect(1 * k, 2 * k, 31 * k, 32 * k, 7 * k)), WHITE, 0.25)
    radius, stroke = (7.2, 3.0) if size >= 32 else (3.7, 1.8)
    cx = cy = 13.6 * k
    c.fill(circle(cx, cy, radius - stroke / 2), WHITE, 0.18)
    magnifier(c, cx, cy, radius, stroke, WHITE)
    return c


def icon_file():
    big, small = draw_icon(32).rgba(), draw_icon(16).rgba()
    return ico_bytes([
        (32, 8, icon_image_8(32, big)),
        (16, 8, icon_image_8(16, small)),
        (32, 32, icon_image_32(32, big)),
        (16, 32, icon_image_32(16, small)),
    ])


def draw_all():
    return {
        "banner.bmp": bmp_bytes(draw_banner()),
        "panel.bmp": bmp_bytes(draw_panel()),
        "model_photo.jpg": jpeg_bytes(draw_model_photo(), 96, pad_to=PHOTO_BYTES,
                                      comment=b"Tovik model photo"),
        "app.ico": icon_file(),
    }


def check(folder):
    """Exit status 0 when the committed files are what the generator draws now, 1 when not,
    77 (skipped) when the tools to draw them are missing."""
    if not os.path.exists(FONT) or not shutil.which("convert"):
        print("skipped: needs ImageMagick and fonts-wqy-microhei (scripts/setup.sh)")
        return 77
    stale = []
    for name, data in draw_all().items():
        path = os.path.join(folder, name)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            stale.append(name)
    if stale:
        print("differs from what draw_assets.py draws: " + ", ".join(stale))
        print("redraw with: python3 assets/draw_assets.py, then look at them and commit")
        return 1
    return 0


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    if sys.argv[1:2] == ["--check"]:
        sys.exit(check(here))
    out = sys.argv[1] if len(sys.argv) > 1 else here
    os.makedirs(out, exist_ok=True)
    for name, data in draw_all().items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
