#!/usr/bin/env python3
"""Writes the skin file win8.she (format in skin/README.md), byte for byte the same on every run.

    make_skin.py OUT          write the skin to OUT
    make_skin.py --check OUT  exit 1 unless OUT holds exactly what this script writes
"""
import struct
import sys
import zlib

MAGIC = b".SHE"
VERSION = 1

NAME = "win8"
TITLE_FACE = ""  # empty: the system's caption face, which carries Chinese on a Chinese system

# The banner's blues (assets/draw_assets.py): its bar runs from BAR_LIGHT at the top to ACCENT.
ACCENT = (27, 99, 212)
BAR_LIGHT = (47, 134, 242)
BAR_DEEP = (15, 76, 176)

# Colour slots in file order (skin_file.h, enum Colour).
COLOURS = [
    ("caption_active", ACCENT),
    ("caption_inactive", (243, 243, 243)),
    ("caption_text_active", (255, 255, 255)),
    ("caption_text_inactive", (128, 128, 128)),
    ("frame_active", (240, 240, 240)),
    ("frame_inactive", (246, 246, 246)),
    ("frame_line_active", BAR_DEEP),
    ("frame_line_inactive", (170, 170, 170)),
    ("close_normal", ACCENT),
    ("close_hover", (232, 17, 35)),
    ("close_pressed", (241, 112, 122)),
    ("close_glyph", (255, 255, 255)),
    ("close_glyph_hot", (255, 255, 255)),
    ("caption_button_hover", BAR_LIGHT),
    ("caption_button_pressed", BAR_DEEP),
    ("button_face", (225, 225, 225)),
    ("button_face_hover", (229, 241, 251)),
    ("button_face_pressed", (204, 228, 247)),
    ("button_border", (173, 173, 173)),
    ("button_border_focus", ACCENT),
    ("button_text", (0, 0, 0)),
    ("control_disabled", (160, 160, 160)),
    ("edit_border", (122, 122, 122)),
    ("edit_border_focus", ACCENT),
    ("picture_border", (160, 160, 160)),
]

# Metric slots in file order (skin_file.h, enum Metric), unsigned 16-bit.
METRICS = [
    ("frame_line_width", 1),
    ("caption_button_width", 34),
    ("caption_glyph_size", 9),
    ("caption_glyph_stroke", 1),
    ("title_indent", 6),
    ("title_align", 0),
    ("title_font_height", 0),
    ("title_font_weight", 400),
    ("corner_radius", 0),
    ("control_border_width", 1),
]


def short_text(text, encoding):
    data = text.encode(encoding)
    assert len(data) <= 31 and b"\0" not in data
    return bytes([len(data)]) + data


def skin_bytes():
    payload = bytearray()
    payload += short_text(NAME, "ascii")
    payload += short_text(TITLE_FACE, "gbk")
    payload.append(len(COLOURS))
    for _, rgb in COLOURS:
        payload += bytes(rgb)
    payload.append(len(METRICS))
    for _, value in METRICS:
        payload += struct.pack("<H", value)
    header = MAGIC + struct.pack("<HHII", VERSION, 0, len(payload), zlib.crc32(payload))
    return header + bytes(payload)


def main(argv):
    if len(argv) == 3 and argv[1] == "--check":
        with open(argv[2], "rb") as f:
            same = f.read() == skin_bytes()
        if not same:
            print(f"{argv[2]} differs from what {argv[0]} writes; run it to regenerate", file=sys.stderr)
        return 0 if same else 1
    if len(argv) == 2:
        with open(argv[1], "wb") as f:
            f.write(skin_bytes())
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
