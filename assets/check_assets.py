#!/usr/bin/env python3
"""Checks the pictures and the icon in assets/ against the forms the program's windows expect,
and that their content lines up with the controls drawn over them.

    python3 assets/check_assets.py [assets_dir]
"""

import os
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = HERE
sys.path.insert(0, HERE)

import draw_assets  # noqa: E402  (only its layout numbers; nothing is drawn here)


def read(name):
    with open(os.path.join(ASSETS, name), "rb") as f:
        return f.read()


class Bitmap:
    """The header fields and pixels of a 24-bit BI_RGB file."""

    FILE = struct.Struct("<2sIHHI")
    INFO = struct.Struct("<IiiHHIIiiII")

    def __init__(self, data):
        self.data = data
        (self.magic, self.file_size, self.reserved1, self.reserved2, self.offset) = (
            self.FILE.unpack_from(data, 0)
        )
        (self.info_size, self.width, self.height, self.planes, self.bits, self.compression,
         self.image_size, self.ppm_x, self.ppm_y, self.used, self.important) = (
            self.INFO.unpack_from(data, 14)
        )
        self.stride = (self.width * 3 + 3) & ~3

    def pixel(self, x, y):
        """R, G, B of the pixel x, y counted from the top-left (rows are stored bottom-up)."""
        at = self.offset + (self.height - 1 - y) * self.stride + x * 3
        b, g, r = self.data[at : at + 3]
        return r, g, b


class BitmapFormat(unittest.TestCase):
    CASES = [
        # name, file size, width, height, pixel bytes
        ("banner.bmp", 83038, 601, 46, 82984),
        ("panel.bmp", 927342, 648, 477, 927288),
    ]

    def test_exact_form(self):
        for name, size, width, height, pixels in self.CASES:
            with self.subTest(name):
                data = read(name)
                bmp = Bitmap(data)
                self.assertEqual(len(data), size)
                self.assertEqual(
                    (bmp.magic, bmp.file_size, bmp.reserved1, bmp.reserved2, bmp.offset),
                    (b"BM", size, 0, 0, 54))
                self.assertEqual(
                    (bmp.info_size, bmp.width, bmp.height, bmp.planes, bmp.bits, bmp.compression),
                    (40, width, height, 1, 24, 0))  # positive height: rows bottom-up
                self.assertEqual((bmp.image_size, bmp.ppm_x, bmp.ppm_y), (pixels, 3780, 3780))
                self.assertEqual((bmp.used, bmp.important), (0, 0))
                self.assertEqual(54 + bmp.stride * height, size)


def is_blue(rgb):
    r, g, b = rgb
    return b > 150 and b - r > 70


def is_white(rgb):
    return rgb == (255, 255, 255)


def light(rgb):
    return min(rgb) >= 200


class BannerLayout(unittest.TestCase):
    def setUp(self):
        self.bmp = Bitmap(read("banner.bmp"))

    def test_serial_box_lies_on_white(self):
        x0, y0, w, h = draw_assets.SERIAL_BOX
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.assertTrue(is_white(self.bmp.pixel(x, y)), (x, y, self.bmp.pixel(x, y)))

    def test_bar_is_blue_around_the_field(self):
        x0, y0, w, h = draw_assets.SERIAL_BOX
        for x, y in [(2, 2), (2, 43), (300, 1), (300, 44), (x0 + w + 6, 23), (600, 23)]:
            self.assertTrue(is_blue(self.bmp.pixel(x, y)), (x, y, self.bmp.pixel(x, y)))

    def test_query_symbol_is_inside_the_query_area(self):
        # The symbol is white on blue: white pixels right of the field only within the area.
        qx, qy, qw, qh = draw_assets.QUERY_AREA
        x0, _, w, _ = draw_assets.SERIAL_BOX
        inside = 0
        for y in range(self.bmp.height):
            for x in range(x0 + w + 6, self.bmp.width):
                if min(self.bmp.pixel(x, y)) > 230:
                    self.assertTrue(qx <= x < qx + qw and qy <= y < qy + qh, (x, y))
                    inside += 1
        self.assertGreater(inside, 60)


class PanelLayout(unittest.TestCase):
    def setUp(self):
        self.bmp = Bitmap(read("panel.bmp"))

    def pixels_under(self, x, y, w, h):
        x0, y0, x1, y1 = draw_assets.panel_rect(x, y, w, h)
        for py in range(int(y0) + 1, int(y1) - 1):
            for px in range(int(x0) + 1, min(int(x1) - 1, self.bmp.width)):
                yield px, py, self.bmp.pixel(px, py)

    def test_heading_lies_on_the_blue_band(self):
        for x, y, rgb in self.pixels_under(*draw_assets.HEADING):
            self.assertTrue(is_blue(rgb), (x, y, rgb))

    def test_rows_and_disclaimer_lie_on_light_ground(self):
        areas = [(draw_assets.ROW_X, top, 296, 32) for top in draw_assets.ROW_TOPS]
        areas.append(draw_assets.DISCLAIMER)
        for area in areas:
            for x, y, rgb in self.pixels_under(*area):
                self.assertTrue(light(rgb), (area, x, y, rgb))

    def test_photo_box_lies_on_white_inside_the_left_column(self):
        for x, y, rgb in self.pixels_under(*draw_assets.PHOTO_BOX):
            self.assertTrue(is_white(rgb), (x, y, rgb))
        edge = int(draw_assets.panel_x(draw_assets.COLUMN_EDGE))
        column, panel = self.bmp.pixel(edge - 8, 460), self.bmp.pixel(edge + 20, 200)
        self.assertNotEqual(column, panel)
        self.assertLess(sum(self.bmp.pixel(edge, 200)), sum(panel))  # the shaded edge


def jpeg_segments(data):
    """(marker, payload) for each segment up to the start of scan."""
    assert data[:2] == b"\xff\xd8"
    at = 2
    while at < len(data):
        assert data[at] == 0xFF, at
        marker = data[at + 1]
        length = struct.unpack(">H", data[at + 2 : at + 4])[0]
        yield marker, data[at + 4 : at + 2 + length]
        if marker == 0xDA:
            return
        at += 2 + length


class ModelPhoto(unittest.TestCase):
    def test_baseline_200_by_270_three_components(self):
        data = read("model_photo.jpg")
        self.assertEqual(len(data), draw_assets.PHOTO_BYTES)
        self.assertEqual(data[-2:], b"\xff\xd9")
        segments = list(jpeg_segments(data))
        self.assertEqual(segments[0][0], 0xE0)  # JFIF first
        frames = [(m, p) for m, p in segments if 0xC0 <= m <= 0xCF and m not in (0xC4, 0xC8, 0xCC)]
        self.assertEqual([m for m, _ in frames], [0xC0])  # one frame, baseline
        precision, height, width, components = struct.unpack(">BHHB", frames[0][1][:6])
        self.assertEqual((precision, width, height, components), (8, 200, 270, 3))
        self.assertEqual(segments[-1][0], 0xDA)


class Icon(unittest.TestCase):
    def test_four_images_in_the_expected_forms(self):
        data = read("app.ico")
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 4))
        expected = [(32, 8), (16, 8), (32, 32), (16, 32)]
        end = 6 + 16 * count
        for i, (size, bits) in enumerate(expected):
            with self.subTest(image=i):
                w, h, colours, res, planes, bpp, length, offset = struct.unpack_from(
                    "<BBBBHHII", data, 6 + 16 * i)
                self.assertEqual((w, h, colours, res, planes, bpp), (size, size, 0, 0, 1, bits))
                self.assertEqual(offset, end)  # images follow each other without gaps
                end = offset + length
                info = struct.unpack_from("<IiiHHIIiiII", data, offset)
                self.assertEqual(info[:6], (40, size, size * 2, 1, bits, 0))
                palette = 256 * 4 if bits == 8 else 0
                xor = ((size * bits + 31) // 32) * 4 * size
                and_mask = ((size + 31) // 32) * 4 * size
                self.assertEqual(length, 40 + palette + xor + and_mask)
        self.assertEqual(end, len(data))


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        ASSETS = sys.argv.pop(1)
    unittest.main()
