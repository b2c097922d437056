"""Player gun, HUD markers, briefing pictures, logo and icon."""

import math

from svglib import Svg, shade, mix, path_d, circle_pts

OLIVE = "#5f6b3a"
OLIVE_DARK = "#3a4224"
INK = "#1a1c12"
SAND = "#e2c873"
BRASS = "#c9a043"

# light from the upper left, as on the units
LIT = [(0, "#8c9a5a"), (0.45, "#66733f"), (1, "#39411f")]
CYL = [(0, "#3a4222"), (0.3, "#9aa868"), (0.55, "#6f7c44"), (1, "#2e3519")]


def gun():
    s = Svg(28, 71)
    cyl = s.lin(CYL, 0, 0, 1, 0)
    # ground shadow to the lower right keeps it standing on the field
    s.path(path_d([[(4, 47), (27, 47), (28, 71), (24, 71), (17, 60), (11, 60), (6, 71), (2, 71)]]),
           fill="#000", fill_opacity=0.28)
    # split trail legs spreading behind the carriage, with spades
    for side in (-1, 1):
        x0, x1 = 14 + side * 3, 14 + side * 10
        s.poly([(x0 - 1.6, 52), (x0 + 1.6, 52), (x1 + 1.7, 67), (x1 - 1.7, 67)], fill=s.lin(LIT, 0, 0, 1, 0),
               stroke=INK, stroke_width=0.8, stroke_linejoin="round")
        s.rect(x1 - 3, 66, 6, 3.4, rx=0.8, fill="#4a5230", stroke=INK, stroke_width=0.8)
        s.line(x1 - 2, 67.6, x1 + 2, 67.6, stroke="#8c9a5a", stroke_width=0.6)
    # wheels seen from above: tyre tread blocks
    for x in (0.8, 22.4):
        s.rect(x, 42, 4.8, 15, rx=1.6, fill="#222420", stroke=INK, stroke_width=0.7)
        for k in range(5):
            s.line(x + 0.8, 44 + k * 2.8, x + 4, 44 + k * 2.8, stroke="#45473e", stroke_width=0.8)
    # axle and carriage
    s.rect(4, 48, 20, 3, fill="#3c4424", stroke=INK, stroke_width=0.6)
    s.rect(9, 44, 10, 13, rx=1.5, fill=s.lin(LIT, 0, 0, 1, 0), stroke=INK, stroke_width=0.8)
    # shield plate, top edge catching the light
    s.poly([(1.5, 39), (26.5, 39), (25.5, 44.5), (2.5, 44.5)], fill=s.lin(LIT, 0, 0, 0, 1), stroke=INK,
           stroke_width=0.9, stroke_linejoin="round")
    s.line(2.5, 40, 25.5, 40, stroke="#b3bf82", stroke_width=0.8)
    for x in (5, 23):
        s.circle(x, 42.4, 0.6, fill="#2b3118")
    # recoil cradle and breech
    s.rect(10.5, 31, 7, 16, rx=1.2, fill=cyl, stroke=INK, stroke_width=0.8)
    s.rect(11.2, 47, 5.6, 6, rx=0.8, fill="#4a5230", stroke=INK, stroke_width=0.7)
    s.circle(8.2, 52, 1.5, fill="#2c3219", stroke="#8c9a5a", stroke_width=0.6)   # elevating handwheel
    # barrel with muzzle brake at the top
    s.rect(12.2, 7, 3.6, 26, fill=cyl, stroke=INK, stroke_width=0.7)
    s.rect(11.8, 22, 4.4, 2.2, fill=cyl, stroke=INK, stroke_width=0.5)
    s.rect(10.6, 1, 6.8, 7, rx=1, fill=cyl, stroke=INK, stroke_width=0.8)
    for y in (3, 5.4):
        s.line(10.9, y, 17.1, y, stroke="#1a1d10", stroke_width=0.9)
    s.circle(14, 1.6, 1.1, fill="#111")
    return s


def arrow(direction):
    s = Svg(18, 18)
    pts_ = [(1.5, 9), (8.5, 2), (8.5, 6), (16.5, 6), (16.5, 12), (8.5, 12), (8.5, 16)]
    if direction == "right":
        pts_ = [(18 - x, y) for x, y in pts_]
    s.poly([(x + 0.8, y + 0.8) for x, y in pts_], fill="#000", fill_opacity=0.35)
    s.poly(pts_, fill=s.lin([(0, "#fff27a"), (1, "#e3a400")], 0, 0, 0, 1), stroke="#2a2608",
           stroke_width=1.2, stroke_linejoin="round")
    return s


def select_frame():
    w, h = 73, 57
    s = Svg(w, h)
    L, t = 15, 2.6
    corners = []
    for cx, cy, dx, dy in ((1.5, 1.5, 1, 1), (w - 1.5, 1.5, -1, 1), (1.5, h - 1.5, 1, -1), (w - 1.5, h - 1.5, -1, -1)):
        corners.append([(cx + dx * L, cy), (cx, cy), (cx, cy + dy * L * 0.8)])
    ticks = [((w / 2, 0.5), (w / 2, 6)), ((w / 2, h - 0.5), (w / 2, h - 6)),
             ((0.5, h / 2), (6, h / 2)), ((w - 0.5, h / 2), (w - 6, h / 2))]
    # dark under-stroke so the bright lines read on sky, grass and smoke alike
    for c in corners:
        s.polyline(c, stroke="#1b1600", stroke_width=t + 2, stroke_linejoin="miter", stroke_linecap="square")
    for a, b in ticks:
        s.line(a[0], a[1], b[0], b[1], stroke="#1b1600", stroke_width=3.6, stroke_linecap="square")
    for c in corners:
        s.polyline(c, stroke="#ffd21f", stroke_width=t, stroke_linejoin="miter", stroke_linecap="square")
    for a, b in ticks:
        s.line(a[0], a[1], b[0], b[1], stroke="#ff3a1a", stroke_width=1.8, stroke_linecap="square")
    return s


def ammo_round():
    s = Svg(20, 36)
    brass = s.lin([(0, "#7a5a1c"), (0.28, "#f3d98a"), (0.5, "#d4a84a"), (1, "#6e4e16")], 0, 0, 1, 0)
    steel = s.lin([(0, "#1e2214"), (0.3, "#6b7550"), (0.55, "#414a2c"), (1, "#171a0f")], 0, 0, 1, 0)
    s.ellipse(11, 34.6, 8, 1.3, fill="#000", fill_opacity=0.25)
    # projectile: ogive nose with fuze, copper driving band
    s.path("M5 15 L5 12 C5 7 8 3.5 10 2 C12 3.5 15 7 15 12 L15 15 Z", fill=steel, stroke=INK, stroke_width=0.7)
    s.path("M8.4 4.6 L10 2 L11.6 4.6 Z", fill="#c8c8c0", stroke=INK, stroke_width=0.5)
    s.rect(4.8, 12.6, 10.4, 1.8, fill=s.lin([(0, "#6b2e12"), (0.3, "#e0875a"), (1, "#5a2208")], 0, 0, 1, 0),
           stroke=INK, stroke_width=0.4)
    # brass case with rim and primer
    s.rect(4, 14.8, 12, 18, fill=brass, stroke="#3d2c0a", stroke_width=0.7)
    s.rect(3, 32.2, 14, 2.4, rx=0.5, fill=brass, stroke="#3d2c0a", stroke_width=0.7)
    s.line(4.4, 30.6, 15.6, 30.6, stroke="#8a6a24", stroke_width=0.5)
    s.rect(6.2, 17, 1.1, 12, fill="#fff3c4", fill_opacity=0.55)
    return s


def _key(s, x, y, w, h, glyph, lit):
    top = [(0, "#fff6c8"), (1, "#f6b81c")] if lit else [(0, "#f4f4f0"), (1, "#c4c6c0")]
    side = "#b07a08" if lit else "#8e908a"
    if lit:
        s.rect(x - 4, y - 4, w + 8, h + 8, rx=10, fill="#ffcf30", fill_opacity=0.35)
    s.rect(x, y, w, h, rx=7, fill=side, stroke="#3a3a36", stroke_width=1.5)
    s.rect(x + 4, y + 3, w - 8, h - 11, rx=5, fill=s.lin(top, 0, 0, 0, 1), stroke=shade(side, 0.85), stroke_width=1)
    cx, cy = x + w / 2, y + 3 + (h - 11) / 2
    a = 9
    tri = {"up": [(cx, cy - a), (cx + a, cy + a * 0.6), (cx - a, cy + a * 0.6)],
           "down": [(cx, cy + a), (cx + a, cy - a * 0.6), (cx - a, cy - a * 0.6)],
           "left": [(cx - a, cy), (cx + a * 0.6, cy - a), (cx + a * 0.6, cy + a)],
           "right": [(cx + a, cy), (cx - a * 0.6, cy - a), (cx - a * 0.6, cy + a)]}[glyph]
    s.poly(tri, fill="#7a2a00" if lit else "#4a4c48")


def intro_arrows():
    s = Svg(200, 120)
    kw, kh, g = 54, 50, 6
    x0 = (200 - 3 * kw - 2 * g) / 2
    _key(s, x0 + kw + g, 6, kw, kh, "up", False)
    _key(s, x0, 6 + kh + g, kw, kh, "left", True)
    _key(s, x0 + kw + g, 6 + kh + g, kw, kh, "down", False)
    _key(s, x0 + 2 * (kw + g), 6 + kh + g, kw, kh, "right", True)
    return s


# ---------------------------------------------------------------- emblem: shield with field gun

SHIELD = [(0, 0), (100, 0), (100, 52), (50, 120), (0, 52)]


def _shield_path():
    return "M4 0H96Q100 0 100 4V50C100 82 76 104 50 120C24 104 0 82 0 50V4Q0 0 4 0Z"


def emblem(s, tx, ty, k, detail=True):
    """Shield 100x120 units, scaled by k and placed at tx,ty."""
    s.group(transform=f"translate({tx} {ty}) scale({k})")
    sw = 1 / k
    s.path(_shield_path(), fill=SAND, stroke=INK, stroke_width=max(3, 2.5 * sw))
    s.path("M11 10H89V50C89 76 70 94 50 107C30 94 11 76 11 50Z",
           fill=s.lin([(0, "#7b8a48"), (0.55, "#55622f"), (1, "#363f1c")], 0, 0, 1, 1), stroke=INK,
           stroke_width=max(1.5, 1.2 * sw))
    # field gun in profile: long barrel raised to the upper right, shield plate, wheel, trail
    ink = "#161a0c"
    s.poly([(27, 66), (76, 33), (80, 38), (33, 72)], fill=ink)               # barrel
    s.poly([(72, 31), (81, 25), (85, 31), (77, 37)], fill=ink)               # muzzle brake
    s.poly([(36, 52), (44, 48), (50, 79), (42, 82)], fill=ink)               # shield plate
    s.poly([(40, 70), (18, 90), (14, 86), (34, 66)], fill=ink)               # trail
    s.circle(43, 80, 13, fill=ink)                                           # wheel
    if detail:
        s.circle(43, 80, 6, fill="#55622f")
        s.circle(43, 80, 2.5, fill=ink)
    s.end()


def about_logo():
    w, h = 429, 120
    s = Svg(w, h)
    s.rect(1.5, 1.5, w - 3, h - 3, rx=9, fill=s.lin([(0, "#4a5430"), (1, "#262c16")], 0, 0, 0, 1),
           stroke=INK, stroke_width=3)
    s.rect(7, 7, w - 14, h - 14, rx=5, fill="none", stroke="#9a9462", stroke_width=1.2, stroke_opacity=0.8)
    for bx, by in ((13, 13), (w - 13, 13), (13, h - 13), (w - 13, h - 13)):
        s.circle(bx, by, 2.6, fill="#8d8a5c", stroke=INK, stroke_width=0.8)
    emblem(s, 22, 11, 0.8)
    # stencil lettering: every counter is broken by a bridge, as a cut stencil would be
    t, g = 11, 3
    letters = {
        "B": (40, [[(0, 0), (t, 0), (t, 64), (0, 64)],
                   [(t + g, 0), (31, 0), (39, 8), (39, 24), (34, 31), (40, 37), (40, 55), (31, 64), (t + g, 64),
                    (t + g, 54), (29, 54), (29, 38), (t + g, 38), (t + g, 27), (28, 27), (28, 10), (t + g, 10)]]),
        "U": (40, [[(0, 0), (t, 0), (t, 53), (18.5, 53), (18.5, 64), (7, 64), (0, 57)],
                   [(40, 0), (29, 0), (29, 53), (21.5, 53), (21.5, 64), (33, 64), (40, 57)]]),
        "L": (36, [[(0, 0), (t, 0), (t, 64), (0, 64)], [(t + g, 53), (36, 53), (36, 64), (t + g, 64)]]),
        "W": (54, [[(0, 0), (11, 0), (16, 40), (22, 14), (25.5, 14), (25.5, 44.5), (21, 64), (9, 64)],
                   [(54, 0), (43, 0), (38, 40), (32, 14), (28.5, 14), (28.5, 44.5), (33, 64), (45, 64)]]),
        "A": (44, [[(0, 64), (14, 0), (20.5, 0), (20.5, 20.5), (16.9, 37), (20.5, 37), (20.5, 48), (14.5, 48), (11, 64)],
                   [(44, 64), (30, 0), (23.5, 0), (23.5, 20.5), (27.1, 37), (23.5, 37), (23.5, 48), (29.5, 48), (33, 64)]]),
        "R": (40, [[(0, 0), (t, 0), (t, 64), (0, 64)],
                   [(t + g, 0), (31, 0), (39, 8), (39, 27), (33, 34), (40, 64), (28, 64), (22, 38), (t + g, 38),
                    (t + g, 27), (28, 27), (28, 10), (t + g, 10)]]),
        "N": (42, [[(0, 0), (t, 0), (t, 64), (0, 64)], [(31, 0), (42, 0), (42, 64), (31, 64)],
                   [(14, 0), (22, 0), (28, 46), (28, 64), (20, 64), (14, 18)]]),
    }
    word = "BULWARN"
    gap = 8
    total = sum(letters[c][0] for c in word) + gap * (len(word) - 1)
    k = 0.86
    x0 = 110 + (w - 110 - 16 - total * k) / 2
    x = x0
    y = 19
    shadow, face = [], []
    for c in word:
        lw, pieces = letters[c]
        for p in pieces:
            face.append([(x + px * k, y + py * k) for px, py in p])
            shadow.append([(x + px * k + 2.5, y + py * k + 2.5) for px, py in p])
        x += (lw + gap) * k
    s.path(path_d(shadow), fill="#000", fill_opacity=0.45)
    s.path(path_d(face), fill=s.lin([(0, "#f4e3a0"), (0.5, SAND), (1, "#b8963e")], 0, 0, 0, 1),
           stroke="#3a3012", stroke_width=1, stroke_linejoin="round")
    s.text(x0 + total * k / 2, 101, "FIELD GUN  ·  HOLD THE LINE",
           font_size=11, font_weight="bold", fill="#c9bd86", text_anchor="middle")
    return s


def icon():
    s = Svg(256, 256)
    # the shield alone fills the square, so the emblem survives shrinking to 16 px
    emblem(s, 22, 6, 2.1)
    return s


def files():
    return {
        "gun.svg": gun(),
        "arrow_left.svg": arrow("left"),
        "arrow_right.svg": arrow("right"),
        "select.svg": select_frame(),
        "ammo_round.svg": ammo_round(),
        "intro_arrows.svg": intro_arrows(),
        "about_logo.svg": about_logo(),
        "bulwarn_icon.svg": icon(),
    }
