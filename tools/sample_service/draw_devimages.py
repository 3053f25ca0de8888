#!/usr/bin/env python3
"""Draws the sample service's model pictures into devimages/ (or the folder given).

    python3 tools/sample_service/draw_devimages.py [out_dir]
    python3 tools/sample_service/draw_devimages.py --check   # committed files up to date?

Deterministic, with the drawing kit of assets/. Each picture differs by model (outline, screen,
wallpaper) and colour, and carries its name; "iphone 5_black" is larger than the 175 x 251 picture
box of the details window, so its cut-off at the right and the bottom can be seen.
"""

import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "assets"))

from drawing import FONT, Canvas, hex_colour, jpeg_bytes, text_mask  # noqa: E402
from phone import MODELS, draw_phone, studio_backdrop  # noqa: E402

# File name, model, finish, caption, picture size, body width, wallpaper.
PICTURES = [
    ("iphone%205_black.jpg", "5", "black", "iPhone 5 黑色", (240, 320), 118, ("5b3cc4", "e06fd0")),
    ("iphone%205_white.jpg", "5", "white", "iPhone 5 白色", (170, 245), 86, ("5b3cc4", "e06fd0")),
    ("iphone%204s_black.jpg", "4s", "black", "iPhone 4S 黑色", (170, 245), 92, ("0f8f7e", "7be0b0")),
    ("iphone%204s_white.jpg", "4s", "white", "iPhone 4S 白色", (170, 245), 92, ("0f8f7e", "7be0b0")),
    ("iphone%204_black.jpg", "4", "black", "iPhone 4 黑色", (170, 245), 92, ("e0642b", "ffc36b")),
    ("iphone%204_white.jpg", "4", "white", "iPhone 4 白色", (170, 245), 92, ("e0642b", "ffc36b")),
    # Served although its key is not one of the program's six: the program must not ask for it.
    ("iphone%205c_blue.jpg", "5", "blue", "iPhone 5c 蓝色", (170, 245), 86, ("1f9be0", "a0f0ff")),
]


def draw(model, finish, caption, size, body_width, wallpaper):
    width, height = size
    c = Canvas(width, height)
    body_height = body_width * MODELS[model]["ratio"]
    label = text_mask(caption, 13)
    gap = 10
    top = (height - body_height - gap - label.height) / 2
    studio_backdrop(c, width / 2, top + body_height)
    draw_phone(c, width / 2, top, body_width, model=model, finish=finish, wallpaper=wallpaper)
    c.mask(label, int(round((width - label.width) / 2)), int(round(top + body_height + gap)),
           hex_colour("5b6675"))
    return c


def draw_all():
    return {name: jpeg_bytes(draw(*rest), 90) for name, *rest in PICTURES}


def main():
    out = os.path.join(HERE, "devimages")
    if sys.argv[1:2] == ["--check"]:
        if not os.path.exists(FONT) or not shutil.which("convert"):
            print("skipped: needs ImageMagick and fonts-wqy-microhei (scripts/setup.sh)")
            sys.exit(77)
        stale = [n for n, d in draw_all().items()
                 if not os.path.exists(os.path.join(out, n))
                 or open(os.path.join(out, n), "rb").read() != d]
        if stale:
            print("differs from what draw_devimages.py draws: " + ", ".join(stale))
            sys.exit(1)
        return
    if len(sys.argv) > 1:
        out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, data in draw_all().items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
