"""A phone seen from the front, product-photo style, for the model photo and the sample pictures."""

import math

from drawing import circle, clamp01, hex_colour, mix, rounded_rect, vertical

# Outline proportions of the three models, from their published sizes: body height / width,
# corner radius / width, screen width and height / body width, screen top / body height.
MODELS = {
    "4": dict(ratio=1.966, corner=0.145, screen_w=0.78, screen_h=1.23, screen_top=0.183, rows=4),
    "4s": dict(ratio=1.966, corner=0.145, screen_w=0.78, screen_h=1.23, screen_top=0.183, rows=4),
    "5": dict(ratio=2.113, corner=0.150, screen_w=0.80, screen_h=1.42, screen_top=0.145, rows=5),
}

FINISHES = {
    "white": dict(
        band=("b9c0ca", "f4f6f8", "aab2bd"),
        glass=("ffffff", "eef1f4"),
        detail="c9cfd7",
        bezel="101114",
    ),
    "black": dict(
        band=("3b4048", "9aa1ab", "2f333a"),
        glass=("24272d", "0c0d10"),
        detail="4a4f58",
        bezel="050607",
    ),
    "blue": dict(
        band=("3f86c9", "9fd0f5", "2f6fae"),
        glass=("2b2e34", "101114"),
        detail="4a4f58",
        bezel="050607",
    ),
}

APP_COLOURS = [
    "34c759", "ff9500", "5ac8fa", "ff3b30", "af52de", "ffcc00", "007aff", "ff2d55",
    "5856d6", "30b0c7", "a2845e", "8e8e93", "64d2ff", "ff6482", "32d74b", "ffd60a",
    "0a84ff", "bf5af2", "ff9f0a", "66d4cf",
]


def _glare(body, cx, top, width):
    """A soft diagonal reflection across the upper left of the glass."""
    d_body = body[0]
    nx, ny = math.cos(math.radians(62)), math.sin(math.radians(62))
    px, py = cx + width * 0.05, top + width * 0.95

    def d(x, y):
        return max(d_body(x, y), (x - px) * nx + (y - py) * ny)

    return d, body[1]


def draw_phone(canvas, cx, top, width, model="4s", finish="white",
               wallpaper=("2f86f2", "8fd3ff"), shadow=True):
    """Draws a phone whose body is width pixels wide, centred at cx, its top edge at top."""
    m, f = MODELS[model], FINISHES[finish]
    height = width * m["ratio"]
    x0, x1, y0, y1 = cx - width / 2, cx + width / 2, top, top + height
    radius = width * m["corner"]

    if shadow:
        canvas.fill(rounded_rect(x0 + 2, y0 + 6, x1 + 4, y1 + 5, radius), hex_colour("5b6675"),
                    0.28, soft=6)
    band = [hex_colour(c) for c in f["band"]]

    def metal(x, y):
        t = clamp01((x - x0) / width)
        return mix(band[0], band[1], t / 0.3) if t < 0.3 else mix(band[1], band[2], (t - 0.3) / 0.7)

    body = rounded_rect(x0, y0, x1, y1, radius)
    canvas.fill(body, metal)
    inset = max(1.6, width * 0.022)
    glass = rounded_rect(x0 + inset, y0 + inset, x1 - inset, y1 - inset, radius - inset)
    canvas.fill(glass, vertical(hex_colour(f["glass"][0]), hex_colour(f["glass"][1]), y0, y1))

    # Screen: the black display margin, then the lit display with a home screen.
    sw, sh = width * m["screen_w"], width * m["screen_h"]
    sx0, sy0 = cx - sw / 2, y0 + height * m["screen_top"]
    canvas.fill(rounded_rect(sx0 - 2.5, sy0 - 3, sx0 + sw + 2.5, sy0 + sh + 3, 1.5),
                hex_colour(f["bezel"]))
    top_colour, bottom_colour = hex_colour(wallpaper[0]), hex_colour(wallpaper[1])
    canvas.fill(rounded_rect(sx0, sy0, sx0 + sw, sy0 + sh, 0.5),
                vertical(top_colour, bottom_colour, sy0, sy0 + sh))
    canvas.fill(circle(sx0 + sw * 0.8, sy0 + sh * 0.25, sw * 0.55), (255.0, 255.0, 255.0),
                0.10, soft=sw * 0.25)
    canvas.rect(int(sx0), int(sy0), int(math.ceil(sx0 + sw)), int(sy0 + max(2, sh * 0.035)),
                (0.0, 0.0, 0.0), 0.35)

    cell = sw / 4
    icon = cell * 0.64
    for row in range(m["rows"]):
        for col in range(4):
            colour = hex_colour(APP_COLOURS[(row * 4 + col) % len(APP_COLOURS)])
            ix = sx0 + col * cell + (cell - icon) / 2
            iy = sy0 + sh * 0.07 + row * cell * 1.12
            canvas.fill(rounded_rect(ix, iy, ix + icon, iy + icon, icon * 0.24),
                        vertical(mix(colour, (255.0,) * 3, 0.18), colour, iy, iy + icon))
    dock_top = sy0 + sh - cell * 1.15
    canvas.rect(int(sx0), int(dock_top), int(math.ceil(sx0 + sw)), int(sy0 + sh),
                (255.0, 255.0, 255.0), 0.22)
    for col in range(4):
        colour = hex_colour(APP_COLOURS[(16 + col) % len(APP_COLOURS)])
        ix = sx0 + col * cell + (cell - icon) / 2
        iy = dock_top + (cell * 1.15 - icon) / 2
        canvas.fill(rounded_rect(ix, iy, ix + icon, iy + icon, icon * 0.24), colour)

    # Earpiece, front camera and home button.
    detail = hex_colour(f["detail"])
    ear_y = y0 + height * m["screen_top"] / 2
    canvas.fill(rounded_rect(cx - width * 0.09, ear_y - 1.3, cx + width * 0.09, ear_y + 1.3, 1.3),
                detail)
    canvas.fill(circle(cx, ear_y - width * 0.075, 1.4), detail)
    if model != "4":
        canvas.fill(circle(cx - width * 0.2, ear_y, 1.6), hex_colour("1d2230"))
    home_y = (sy0 + sh + 3 + y1) / 2
    home_r = min(width * 0.085, (y1 - sy0 - sh) * 0.3)
    canvas.fill(circle(cx, home_y, home_r), detail, 0.55)
    canvas.fill(circle(cx, home_y, home_r - 1.1), vertical(hex_colour(f["glass"][0]),
                hex_colour(f["glass"][1]), home_y - home_r, home_y + home_r))
    k = home_r * 0.38
    canvas.fill(rounded_rect(cx - k, home_y - k, cx + k, home_y + k, k * 0.35), detail, 0.8)
    canvas.fill(rounded_rect(cx - k + 0.9, home_y - k + 0.9, cx + k - 0.9, home_y + k - 0.9,
                             k * 0.3), vertical(hex_colour(f["glass"][0]),
                hex_colour(f["glass"][1]), home_y - k, home_y + k))

    canvas.fill(_glare(glass, cx, top, width), (255.0, 255.0, 255.0), 0.10)
    return x0, y0, x1, y1


def studio_backdrop(canvas, cx, floor_y):
    """A white studio sweep, a touch darker towards the corners."""
    w, h = canvas.width, canvas.height
    inner, outer = hex_colour("ffffff"), hex_colour("e9edf2")
    cy, reach = floor_y * 0.55, math.hypot(w, h) * 0.75
    canvas.rect(0, 0, w, h,
                lambda x, y: mix(inner, outer, clamp01(math.hypot(x - cx, y - cy) / reach) ** 1.6))
