#!/usr/bin/env python3
"""Mock-ups for review: the pictures placed as the windows place them, with the outline of every
control that lies over them drawn in red, and sample texts where the labels are.

    python3 assets/mockup.py OUT_DIR [ASSETS_DIR]

Writes OUT_DIR/main_window.png and OUT_DIR/details_window.png (client areas, at 100 %), and the
same with the control outlines as *_outlined.png.
"""

import os
import subprocess
import sys

from drawing import FONT

BUTTON_FACE = "#f0f0f0"


SHOW_OUTLINES = True


def outline(x, y, w, h, colour="red"):
    if not SHOW_OUTLINES:
        return []
    return ["-fill", "none", "-stroke", colour, "-strokewidth", "1",
            "-draw", f"rectangle {x},{y} {x + w - 1},{y + h - 1}"]


def text(x, y, w, h, words, size, colour, weight=0):
    # Labels hold one line centred vertically; gravity West at the label's middle does that.
    args = ["-stroke", "none", "-fill", colour, "-font", FONT, "-pointsize", str(size)]
    if weight:
        args += ["-stroke", colour, "-strokewidth", str(weight)]
    return args + ["-gravity", "NorthWest", "-annotate", f"+{x}+{y + (h - size) // 2 - 2}", words]


def main_window(assets, out):
    cmd = ["convert", "-size", "625x87", f"xc:{BUTTON_FACE}",
           os.path.join(assets, "banner.bmp"), "-geometry", "+8+8", "-composite"]
    cmd += text(20, 17, 492, 29, "F2LJK0XXDTTN", 19, "red", 0.6)
    cmd += outline(20, 17, 492, 29)
    cmd += outline(8 + 509, 8 + 3, 89, 40)
    cmd += outline(8, 8, 608, 48, "#00a000")
    cmd += text(176, 64, 120, 16, "正版/稳定/声誉/保障", 12, "blue")
    cmd += text(320, 64, 296, 16, "请在上面输入您的序列号 [设置 > 通用 > 关于本机]", 12, "red")
    cmd += [out]
    subprocess.run(cmd, check=True)


ROWS = [
    ("序列号", 272, 93, 296, 32, "序列号：F2LJK0XXDTTN"),
    ("名称", 272, 128, 296, 32, "设备名称：iPhone 5"),
    ("容量", 272, 160, 296, 32, "设备容量：16GB"),
    ("颜色", 272, 192, 296, 32, "外观颜色：黑色"),
    ("激活状态", 272, 224, 296, 32, "激活状态：已激活"),
    ("电话支持", 272, 256, 296, 32, "电话支持：已过期"),
    ("硬件保修", 272, 288, 296, 32, "硬件保修：未过期（298 days）"),
    ("生产地", 272, 320, 296, 32, "设备产地：中国"),
    ("生产日期", 272, 352, 320, 32, "生产日期：2012-09-17 - 2012-09-23"),
]


def details_window(assets, out):
    # The panel box lies at -4,-2 in the client area; the panel is drawn scaled into 640 x 470.
    scale = min(640 / 648, 470 / 477)
    sw, sh = int(648 * scale), int(477 * scale)
    left, top = (640 - sw) // 2, (470 - sh) // 2
    cmd = ["convert", "-size", "640x470", f"xc:{BUTTON_FACE}",
           "(", os.path.join(assets, "panel.bmp"), "-sample", f"{sw}x{sh}!", ")",
           "-geometry", f"+{left}+{top}", "-composite",
           "(", os.path.join(assets, "model_photo.jpg"), "-crop", "175x251+0+0", "+repage", ")",
           "-geometry", "+31+93", "-composite"]
    cmd += text(272, 40, 288, 40, "设备名称：iPhone 5", 24, "white", 0.8)
    cmd += outline(272, 40, 288, 40)
    for _, x, y, w, h, words in ROWS:
        cmd += text(x, y, w, h, words, 16, "black")
        cmd += outline(x, y, w, h)
    cmd += text(280, 383, 320, 24, "本信息仅供参考，详细以官方参数为主", 14, "red")
    cmd += outline(280, 383, 320, 24)
    cmd += outline(31, 93, 175, 251)
    cmd += ["-fill", "#e1e1e1", "-stroke", "#adadad", "-draw", "rectangle 322,418 561,457"]
    cmd += ["-stroke", "none", "-fill", "black", "-font", FONT, "-pointsize", "12",
            "-annotate", "+430+444", "确定"]
    # What the window's client area shows of the box (a 637 x 493 window with a plain frame).
    cmd += ["-crop", "631x464+4+2", "+repage", out]
    subprocess.run(cmd, check=True)


def main():
    out = sys.argv[1]
    assets = sys.argv[2] if len(sys.argv) > 2 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    global SHOW_OUTLINES
    for SHOW_OUTLINES, suffix in ((True, "_outlined"), (False, "")):
        main_window(assets, os.path.join(out, f"main_window{suffix}.png"))
        details_window(assets, os.path.join(out, f"details_window{suffix}.png"))


if __name__ == "__main__":
    main()
