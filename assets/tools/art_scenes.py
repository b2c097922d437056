"""Briefing illustrations, 205x125: flat painted layers, soft gradients, a vignette.

Every scene is built from the same few helpers (sky, ridges, silhouettes,
smoke) so the set looks like one hand made it.
"""

import math
import random

import art_units
from svglib import Svg, shade, mix, path_d, smooth_path, blob_pts, circle_pts, fmt

W, H = 205, 125


# ---------------------------------------------------------------- shared pieces

def new():
    return Svg(W, H)


def sky(s, stops):
    s.rect(0, 0, W, H, fill=s.lin(stops, 0, 0, 0, 1))


def glow(s, x, y, r, color, a=0.8):
    s.circle(x, y, r, fill=s.rad([(0, color, a), (1, color, 0)]))


def ridge(s, rng, base, amp, color, n=9, bottom=H, rough=1.0):
    """Rolling land line filled down to the bottom edge."""
    pts_ = [(-5, base + rng.uniform(-amp, amp))]
    for i in range(1, n):
        pts_.append((W * i / (n - 1), base + rng.uniform(-amp, amp) * rough))
    d = smooth_path(pts_, closed=False)
    s.path(d + f"L{W + 5} {bottom + 1}L-5 {bottom + 1}Z", fill=color)


def clouds(s, rng, n, y0, y1, color, a=0.8, size=1.0):
    for _ in range(n):
        cx, cy = rng.uniform(0, W), rng.uniform(y0, y1)
        k = rng.uniform(0.7, 1.3) * size
        for j in range(4):
            s.ellipse(cx + (j - 1.5) * 9 * k, cy - (4 * k if j in (1, 2) else 0), 10 * k, 5.5 * k, fill=color, fill_opacity=a)


def smoke(s, rng, x, y, height, color="#3a3632", a=0.75, drift=0.4, width=1.0):
    """Column of overlapping puffs that widens and thins as it rises."""
    g = s.rad([(0, mix(color, "#ffffff", 0.2)), (0.7, color, 0.9), (1, color, 0)], fx=.4, fy=.35)
    for i in range(10):
        t = i / 9
        r = (4 + 9 * t) * width
        s.circle(x + drift * height * t * t + rng.uniform(-2, 2), y - height * t, r, fill=g,
                 fill_opacity=round(a * (1 - 0.6 * t), 2))


def fire(s, rng, x, y, size=1.0):
    g = s.rad([(0, "#fff3b0"), (0.4, "#ffb030"), (0.8, "#e0501a", 0.8), (1, "#a02a08", 0)])
    for _ in range(4):
        s.ellipse(x + rng.uniform(-3, 3) * size, y - rng.uniform(0, 4) * size, 4 * size, 6 * size, fill=g)


def vignette(s):
    s.rect(0, 0, W, H, fill=s.rad([(0, "#000", 0), (0.62, "#000", 0), (1, "#000", 0.5)], r=0.72))
    s.rect(0.5, 0.5, W - 1, H - 1, fill="none", stroke="#15140f", stroke_width=1)


def tank_side(s, x, y, k, color, facing=1, wreck=False, turret_tilt=0):
    """Side-view tank, about 46*k wide, track bottom at y."""
    s.group(transform=f"translate({fmt(x)} {fmt(y)}) scale({fmt(k * facing)} {fmt(k)})")
    dark = shade(color, 0.55)
    s.rect(1.5, -8, 37, 8, rx=4, fill=dark)
    for i in range(6):
        s.circle(6 + i * 5.6, -3.8, 2.6, fill=shade(color, 0.8 if not wreck else 0.45))
    s.poly([(0, -8), (4, -13), (34, -13), (40, -8), (36, -6), (3, -6)], fill=color)
    s.poly([(4, -13), (34, -13), (35, -12), (4, -12)], fill=shade(color, 1.25))
    tilt = f' transform="rotate({turret_tilt} 20 -15)"' if turret_tilt else ""
    s.add(f"<g{tilt}>")
    s.poly([(11, -13), (14, -18), (26, -18), (30, -13)], fill=shade(color, 1.05))
    s.poly([(14, -18), (26, -18), (26.5, -17), (13.6, -17)], fill=shade(color, 1.3))
    if wreck:
        s.poly([(29, -16.5), (40, -12), (40, -10.6), (29, -15)], fill=shade(color, 0.9))
    else:
        s.rect(29, -16.6, 18, 1.6, fill=shade(color, 0.9))
    s.rect(17, -20, 4, 2, fill=shade(color, 0.9))
    s.end()
    s.end()


def jet_side(s, x, y, k, color, facing=1):
    s.group(transform=f"translate({fmt(x)} {fmt(y)}) scale({fmt(k * facing)} {fmt(k)})")
    s.poly([(0, 0), (8, -2.5), (30, -3), (36, -10), (40, -10), (39, -2), (41, 0), (30, 2), (6, 1.5)], fill=color)
    s.poly([(12, 0), (24, 0), (30, 5), (26, 5)], fill=shade(color, 0.8))
    s.poly([(6, -2.2), (10, -4.2), (14, -4), (16, -2.6)], fill="#2a4058")
    s.end()


def soldier(x, y, h, arms_up=False, rifle=False):
    """Outline pieces of a standing soldier, feet at (x, y), height h."""
    k = h / 20
    parts = [circle_pts(0, -17.8, 2.6, 6, rot=-math.pi / 2),
             [(-2.8, -15), (2.8, -15), (2.4, -7), (-2.4, -7)],
             [(-2.4, -7.5), (-0.3, -7.5), (-0.8, 0), (-2.8, 0)], [(0.3, -7.5), (2.4, -7.5), (2.8, 0), (0.8, 0)]]
    if arms_up:
        parts += [[(-2.8, -14.5), (-1.8, -13.8), (-4.5, -22), (-5.6, -21.5)], [(2.8, -14.5), (1.8, -13.8), (4.5, -22), (5.6, -21.5)]]
    else:
        parts += [[(-2.8, -14.5), (-1.8, -14.5), (-2.6, -8), (-3.6, -8.5)], [(2.8, -14.5), (1.8, -14.5), (2.6, -8), (3.6, -8.5)]]
    if rifle:
        parts.append([(-4, -9.4), (5, -17.4), (5.3, -16.8), (-3.7, -8.8)])
    return [[(x + px * k, y + py * k) for px, py in p] for p in parts]


def flag(s, x, y, pole, w, h, color, emblem=None, wave=1.0):
    s.line(x, y, x, y - pole, stroke="#2a2418", stroke_width=1.2)
    top = y - pole
    d = (f"M{fmt(x)} {fmt(top)}C{fmt(x + w * 0.35)} {fmt(top - 3 * wave)} {fmt(x + w * 0.65)} {fmt(top + 3 * wave)} "
         f"{fmt(x + w)} {fmt(top)}L{fmt(x + w)} {fmt(top + h)}C{fmt(x + w * 0.65)} {fmt(top + h + 3 * wave)} "
         f"{fmt(x + w * 0.35)} {fmt(top + h - 3 * wave)} {fmt(x)} {fmt(top + h)}Z")
    s.path(d, fill=color)
    if emblem:
        emblem(x + w / 2, top + h / 2)


def building_row(rng, x0, x1, base, hmin, hmax, wmin=9, wmax=18):
    out = []
    x = x0
    while x < x1:
        bw = rng.uniform(wmin, wmax)
        out.append((x, bw, rng.uniform(hmin, hmax), rng.random()))
        x += bw + rng.uniform(-1, 1.5)
    return out


def city(s, seed, ruined, windows_on=True):
    """The same skyline twice: intact by day, or broken and burning."""
    rng = random.Random(seed)
    layers = [(building_row(rng, -4, W, 96, 30, 62, 12, 22), "#8a97a8", "#6a7788"),
              (building_row(rng, -8, W, 104, 18, 46, 10, 18), "#6c788a", "#4c5868"),
              (building_row(rng, -2, W, 110, 10, 28, 12, 20), "#525c6a", "#3a424e")]
    bases = [96, 104, 110]
    windows = []
    for (row, col, dark), base in zip(layers, bases):
        if ruined:
            col, dark = mix(col, "#3a3430", 0.6), mix(dark, "#231f1c", 0.6)
        lit, shadow = [], []
        for x, bw, bh, r in row:
            top = base - bh
            if ruined:
                bh2 = bh * (0.35 + 0.5 * r)
                top = base - bh2
                jag = [(x, base), (x, top + rng.uniform(0, 6))]
                steps = 4
                for i in range(1, steps):
                    jag.append((x + bw * i / steps, top + rng.uniform(-3, 9)))
                jag += [(x + bw, top + rng.uniform(0, 8)), (x + bw, base)]
                s.poly(jag, fill=col)
                s.poly([(x + bw * 0.75, base), (x + bw * 0.75, top + 6), (x + bw, top + 8), (x + bw, base)], fill=dark)
            else:
                # faces and shaded sides of a whole layer go into two paths
                lit.append(f"M{fmt(x)} {fmt(top)}h{fmt(bw * 0.72)}v{fmt(bh)}h{fmt(-bw * 0.72)}z")
                shadow.append(f"M{fmt(x + bw * 0.72)} {fmt(top)}h{fmt(bw * 0.28)}v{fmt(bh)}h{fmt(-bw * 0.28)}z")
                if r > 0.7:
                    shadow.append(f"M{fmt(x + bw / 2 - 0.4)} {fmt(top - 6)}h.8v6h-.8z")
            rows = int((base - top - 4) / 5.5)
            cols = max(1, int(bw / 5))
            for i in range(rows):
                for j in range(cols):
                    if rng.random() < 0.4 and windows_on:
                        wx = x + 1.5 + j * (bw - 3) / cols
                        windows.append(f"M{fmt(wx)} {fmt(top + 3 + i * 5.5)}h1.6v2.2h-1.6z")
        # all windows of a layer in one path keeps the file small
        if lit:
            s.path("".join(lit), fill=col)
            s.path("".join(shadow), fill=dark)
        if windows:
            s.path("".join(windows), fill="#d6e4f0" if not ruined else "#17140f", fill_opacity=0.7)
        windows.clear()


# ---------------------------------------------------------------- the scenes

def pic_advance():
    s = new()
    rng = random.Random(1)
    sky(s, [(0, "#8a9bb0"), (0.6, "#d8c7a0"), (1, "#e8c890")])
    glow(s, 160, 62, 40, "#fff0c0", 0.7)
    clouds(s, rng, 4, 12, 40, "#eee4d0", 0.5)
    ridge(s, rng, 70, 4, "#7d8a70")
    ridge(s, rng, 80, 3, "#6a7a4e")
    ridge(s, rng, 92, 2, "#8c8456")
    # the column rolls out of the distance towards us, dust hanging behind
    for i, (x, y, k) in enumerate([(150, 82, 0.32), (118, 88, 0.45), (78, 97, 0.65), (18, 112, 0.95)]):
        for j in range(4):
            s.ellipse(x - 6 * k + j * 5 * k, y - 3 * k, 16 * k, 7 * k, fill="#d8c59a", fill_opacity=0.45)
        tank_side(s, x, y, k, mix("#5a6238", "#9a9a80", 0.5 - i * 0.15), facing=-1 if False else 1)
    return s


def pic_chess():
    s = new()
    s.rect(0, 0, W, H, fill=s.lin([(0, "#2a1e16"), (1, "#120c08")], 0, 0, 0, 1))
    glow(s, 102, 30, 90, "#ffd890", 0.35)
    # board seen at a low angle
    y0, y1 = 46, 122
    xl0, xr0, xl1, xr1 = 52, 153, 6, 199
    s.poly([(xl0 - 3, y0 - 2), (xr0 + 3, y0 - 2), (xr1 + 4, y1 + 3), (xl1 - 4, y1 + 3)], fill="#3a2414")

    def P(u, v):
        # u across, v into the board (0 near, 1 far): far rows get squeezed
        t = 1 - v
        yy = y0 + (y1 - y0) * (t ** 1.25)
        xl = xl0 + (xl1 - xl0) * ((yy - y0) / (y1 - y0))
        xr = xr0 + (xr1 - xr0) * ((yy - y0) / (y1 - y0))
        return (xl + (xr - xl) * u, yy)
    for i in range(8):
        for j in range(8):
            c = "#e8d4a8" if (i + j) % 2 == 0 else "#6a4226"
            q = [P(i / 8, j / 8), P((i + 1) / 8, j / 8), P((i + 1) / 8, (j + 1) / 8), P(i / 8, (j + 1) / 8)]
            s.poly(q, fill=c)

    def piece(u, v, kind, col):
        x, y = P(u, v)
        k = 0.55 + 0.6 * (1 - v)
        s.ellipse(x + 2 * k, y, 6 * k, 2 * k, fill="#000", fill_opacity=0.35)
        s.group(transform=f"translate({fmt(x)} {fmt(y)}) scale({fmt(k)})")
        hi = shade(col, 1.4)
        s.ellipse(0, -1, 6, 2, fill=col)
        s.poly([(-5, -1), (5, -1), (3, -4), (-3, -4)], fill=col)
        if kind == "pawn":
            s.poly([(-2.5, -4), (2.5, -4), (1.5, -11), (-1.5, -11)], fill=col)
            s.circle(0, -13, 3.2, fill=col)
            s.circle(-1, -14, 1, fill=hi, fill_opacity=0.6)
        elif kind == "king":
            s.poly([(-3, -4), (3, -4), (2, -20), (-2, -20)], fill=col)
            s.poly([(-4, -20), (4, -20), (3, -23), (-3, -23)], fill=col)
            s.rect(-0.8, -29, 1.6, 6, fill=col)
            s.rect(-2.5, -27.2, 5, 1.6, fill=col)
            s.line(-1, -6, -1.2, -19, stroke=hi, stroke_width=0.8, stroke_opacity=0.5)
        elif kind == "knight":
            s.poly([(-3.5, -4), (3.5, -4), (3, -9), (4, -13), (1, -19), (-3, -18), (-6, -13), (-5, -11),
                    (-2, -12), (-3, -8)], fill=col)
            s.circle(-0.5, -15.5, 0.8, fill=hi)
        s.end()
    piece(0.31, 0.55, "king", "#f2ead8")
    piece(0.56, 0.3, "knight", "#1e1a18")
    piece(0.18, 0.78, "pawn", "#1e1a18")
    piece(0.44, 0.72, "pawn", "#1e1a18")
    piece(0.69, 0.62, "pawn", "#f2ead8")
    piece(0.81, 0.18, "pawn", "#f2ead8")
    piece(0.07, 0.35, "knight", "#f2ead8")
    return s


def pic_light():
    s = new()
    rng = random.Random(3)
    sky(s, [(0, "#070b1c"), (0.7, "#16203e"), (1, "#2a2c40")])
    for _ in range(40):
        s.circle(rng.uniform(0, W), rng.uniform(0, 80), rng.uniform(0.3, 0.8), fill="#dfe8ff",
                 fill_opacity=round(rng.uniform(0.3, 0.9), 2))
    # searchlight beams sweep from the ground
    for bx, ang, wd in ((40, -62, 7), (150, -112, 8), (95, -80, 6)):
        a = math.radians(ang)
        L = 170
        dx, dy = math.cos(a), math.sin(a)
        nx, ny = -dy, dx
        tip = (bx + dx * L, 108 + dy * L)
        s.poly([(bx, 108), (tip[0] + nx * wd * 2.5, tip[1] + ny * wd * 2.5), (tip[0] - nx * wd * 2.5, tip[1] - ny * wd * 2.5)],
               fill=s.lin([(0, "#fffbe0", 0.65), (1, "#c8d8ff", 0)], 0, 1, 0, 0))
    # parachute flare: hot point, halo, drifting smoke trail
    s.path(smooth_path([(128, 10), (124, 20), (130, 30), (126, 38)], closed=False), fill="none",
           stroke="#9aa0b4", stroke_width=2.5, stroke_opacity=0.35, stroke_linecap="round")
    glow(s, 126, 40, 34, "#ffe6a0", 0.55)
    glow(s, 126, 40, 10, "#ffffff", 0.95)
    ridge(s, rng, 104, 4, "#0c0f18")
    for bx in (40, 150, 95):
        s.poly([(bx - 5, 112), (bx + 5, 112), (bx + 3, 106), (bx - 3, 106)], fill="#1c2030")
        s.circle(bx, 107, 2.5, fill="#fffbe0")
    return s


def pic_chair():
    s = new()
    rng = random.Random(4)
    s.rect(0, 0, W, H, fill=s.lin([(0, "#1a2228"), (1, "#0c1014")], 0, 0, 0, 1))
    # wall of screens: a map and status boards glowing
    s.rect(30, 10, 145, 58, rx=2, fill="#0a1a16", stroke="#2c3a40", stroke_width=2)
    s.rect(34, 14, 137, 50, fill=s.lin([(0, "#0f3a30"), (1, "#0a2420")], 0, 0, 0, 1))
    for i in range(1, 9):
        s.line(34 + i * 15.2, 14, 34 + i * 15.2, 64, stroke="#2a7a60", stroke_width=0.4)
    for i in range(1, 4):
        s.line(34, 14 + i * 12.5, 171, 14 + i * 12.5, stroke="#2a7a60", stroke_width=0.4)
    s.path(smooth_path([(40, 50), (70, 38), (100, 44), (130, 30), (165, 36)], closed=False), fill="none",
           stroke="#6ef0b0", stroke_width=1.4)
    for x, y in ((70, 38), (130, 30)):
        s.circle(x, y, 2.2, fill="#ff5040")
    for x in (6, 182):
        s.rect(x, 16, 18, 40, fill="#0e2030", stroke="#2c3a40", stroke_width=1.5)
        for i in range(6):
            s.rect(x + 3, 20 + i * 6, rng.uniform(6, 12), 2, fill="#e0b040" if i % 3 == 0 else "#50a0e0", fill_opacity=0.8)
    glow(s, 102, 40, 70, "#40d0a0", 0.15)
    # floor and console
    s.poly([(0, 92), (W, 92), (W, H), (0, H)], fill="#141a1e")
    s.poly([(18, 84), (187, 84), (196, 98), (9, 98)], fill="#2a343a")
    s.poly([(9, 98), (196, 98), (196, 104), (9, 104)], fill="#1a2226")
    for i in range(14):
        s.rect(24 + i * 11.5, 88, 4, 2, fill=rng.choice(["#ff5040", "#40e090", "#e0b040"]), fill_opacity=0.9)
    # the commander's chair, high back to us
    s.ellipse(102, 121, 26, 4, fill="#000", fill_opacity=0.5)
    s.poly([(100, 104), (104, 104), (105, 118), (99, 118)], fill="#2a2a2a")
    for a in (-1, 1):
        s.line(102, 118, 102 + a * 18, 122, stroke="#2a2a2a", stroke_width=2.5, stroke_linecap="round")
    s.line(102, 118, 102, 123, stroke="#2a2a2a", stroke_width=2.5)
    s.path("M78 58Q78 50 86 49H118Q126 50 126 58V100Q126 106 118 106H86Q78 106 78 100Z",
           fill=s.lin([(0, "#5a3a2a"), (0.5, "#3a2418"), (1, "#24160e")], 0, 0, 1, 0))
    s.path("M86 54H118Q121 55 121 60V96Q121 100 117 100H87Q83 100 83 96V60Q83 55 86 54Z", fill="none",
           stroke="#6a4a38", stroke_width=1)
    for x in (73, 125):
        s.rect(x, 86, 6, 18, rx=2, fill="#2c1c12")
    s.poly([(88, 66), (116, 66), (117, 68), (87, 68)], fill="#7a5a48", fill_opacity=0.5)
    return s


def pic_peace():
    s = new()
    rng = random.Random(5)
    sky(s, [(0, "#6a8ac0"), (0.45, "#f0b890"), (0.7, "#ffd890"), (1, "#ffe8b0")])
    for i in range(12):
        a = math.radians(180 + 15 * i + 7)
        s.poly([(102, 80), (102 + 160 * math.cos(a - 0.03), 80 + 160 * math.sin(a - 0.03)),
                (102 + 160 * math.cos(a + 0.03), 80 + 160 * math.sin(a + 0.03))], fill="#fff4d0", fill_opacity=0.22)
    glow(s, 102, 80, 45, "#fff0b0", 0.8)
    s.circle(102, 80, 14, fill="#fff6d8")
    clouds(s, rng, 3, 20, 45, "#ffe0c8", 0.55)
    ridge(s, rng, 80, 2, "#8aa060", rough=0.5)
    # furrows run to the horizon
    s.rect(0, 84, W, H, fill=s.lin([(0, "#7c9a48"), (1, "#4c6a2a")], 0, 0, 0, 1))
    for i in range(-10, 11):
        s.line(102 + i * 3, 84, 102 + i * 30, H, stroke="#5a7a32", stroke_width=1.2, stroke_opacity=0.6)
    # dove, wings raised
    s.group(transform="translate(70 40) scale(1.2)")
    s.path("M0 0C6 -2 12 -1 16 2C20 1 24 2 26 4C22 5 18 6 14 6C8 7 3 5 0 0Z", fill="#fbfbf6")
    s.path("M8 2C6 -8 10 -16 20 -20C17 -12 16 -5 14 2Z", fill="#f2f2ea")
    s.path("M11 2C14 -6 22 -12 32 -12C26 -7 21 -2 16 3Z", fill="#ffffff")
    s.path("M26 4L30 3.4L26 5Z", fill="#e0a040")
    s.circle(23.5, 3, 0.6, fill="#222")
    s.path("M0 0L-6 -1L-5 2L-1 2Z", fill="#eeeeea")
    s.end()
    return s


def pic_grid():
    s = new()
    rng = random.Random(6)
    s.rect(0, 0, W, H, fill=s.lin([(0, "#1c2e26"), (1, "#0e1a16")], 0, 0, 1, 1))
    # terrain contours: nested rings around a few hilltops
    for cx, cy, r in ((40, 40, 22), (130, 50, 26), (175, 100, 18), (60, 100, 16)):
        base = blob_pts(rng, 0, 0, 1, 9, 0.18)
        for k in range(3):
            f = r * (1 - k * 0.3)
            s.path(smooth_path([(cx + px * f, cy + py * f * 0.7) for px, py in base]), fill="none",
                   stroke="#4a7a5a", stroke_width=0.6, stroke_opacity=0.6)
    for i in range(1, 11):
        s.line(i * 20.5, 0, i * 20.5, H, stroke="#6ac08a", stroke_width=0.5, stroke_opacity=0.45)
    for i in range(1, 7):
        s.line(0, i * 18, W, i * 18, stroke="#6ac08a", stroke_width=0.5, stroke_opacity=0.45)
    # our defence line, broken in two places
    s.polyline([(0, 78), (50, 74), (78, 79)], stroke="#4aa0ff", stroke_width=2.5)
    s.polyline([(104, 80), (140, 74)], stroke="#4aa0ff", stroke_width=2.5)
    s.polyline([(170, 77), (205, 74)], stroke="#4aa0ff", stroke_width=2.5)
    for x, y in ((30, 84), (120, 86), (190, 84)):
        s.rect(x - 6, y - 4, 12, 8, fill="none", stroke="#4aa0ff", stroke_width=1.2)
        s.line(x - 6, y - 4, x + 6, y + 4, stroke="#4aa0ff", stroke_width=1)
        s.line(x - 6, y + 4, x + 6, y - 4, stroke="#4aa0ff", stroke_width=1)
    # enemy thrusts pour through the gaps
    for (x0, y0), (x1, y1), wd in (((80, 10), (92, 106), 8), ((150, 16), (157, 112), 7), ((30, 18), (58, 60), 5)):
        dx, dy = x1 - x0, y1 - y0
        L = math.hypot(dx, dy)
        ux, uy = dx / L, dy / L
        nx, ny = -uy, ux
        hb = (x1 - ux * 14, y1 - uy * 14)
        shape = [(x0 + nx * wd * 0.6, y0 + ny * wd * 0.6), (hb[0] + nx * wd, hb[1] + ny * wd),
                 (hb[0] + nx * wd * 1.9, hb[1] + ny * wd * 1.9), (x1, y1),
                 (hb[0] - nx * wd * 1.9, hb[1] - ny * wd * 1.9), (hb[0] - nx * wd, hb[1] - ny * wd),
                 (x0 - nx * wd * 0.6, y0 - ny * wd * 0.6)]
        s.poly(shape, fill="#ff3a2a", fill_opacity=0.8, stroke="#ffb0a0", stroke_width=0.8)
    for x, y in ((72, 22), (146, 26)):
        s.poly([(x, y - 6), (x + 7, y), (x, y + 6), (x - 7, y)], fill="none", stroke="#ff6a50", stroke_width=1.2)
    return s


def pic_conquer():
    s = new()
    rng = random.Random(7)
    sky(s, [(0, "#4a4440"), (0.6, "#a8684a"), (1, "#d8905a")])
    smoke(s, rng, 40, 78, 70, "#2e2a28", 0.6, 0.5, 1.3)
    smoke(s, rng, 170, 86, 60, "#3a3430", 0.5, 0.4)
    ridge(s, rng, 92, 3, "#5a4a3c")
    # scarred hill
    s.path("M-5 126L-5 96C30 92 60 52 100 48C140 46 170 80 210 90L210 126Z", fill="#3e322a")
    s.path("M30 88C55 70 80 55 100 52C88 62 70 76 52 92Z", fill="#57463a", fill_opacity=0.7)
    for x, y in ((70, 72), (128, 62), (150, 78), (92, 56)):
        s.ellipse(x, y, 7, 2.2, fill="#1e1814")
    for x, y, h in ((60, 80, 14), (140, 70, 12), (165, 84, 10)):
        s.poly([(x - 1.2, y), (x + 1.2, y), (x + 0.6, y - h), (x - 0.3, y - h + 2)], fill="#1a1410")
        s.line(x, y - h * 0.6, x + 4, y - h * 0.8, stroke="#1a1410", stroke_width=0.9)
    fire(s, rng, 128, 61, 0.7)
    # the invader's banner on the crest: red field, black wedge
    flag(s, 100, 50, 36, 26, 16, "#b0201a",
         emblem=lambda x, y: s.poly([(x - 6, y - 5), (x + 7, y), (x - 6, y + 5), (x - 2, y)], fill="#111"))
    return s


def pic_city():
    s = new()
    rng = random.Random(8)
    sky(s, [(0, "#5a9ad8"), (0.7, "#a8d0f0"), (1, "#d8ecf8")])
    clouds(s, rng, 4, 12, 40, "#ffffff", 0.8)
    city(s, 80, ruined=False)
    s.rect(0, 110, W, 15, fill="#6a8a4a")
    s.rect(0, 112, W, 4, fill="#4a7ab0", fill_opacity=0.9)
    for i in range(14):
        x = 6 + i * 15 + rng.uniform(-3, 3)
        s.circle(x, 118, 4.5, fill="#3e6a2a")
        s.circle(x - 1.5, 116.5, 2.2, fill="#5a8a3a")
    return s


def pic_city_ruins():
    s = new()
    rng = random.Random(9)
    sky(s, [(0, "#3a3230"), (0.6, "#8a5a40"), (1, "#c07a4a")])
    city(s, 80, ruined=True)
    for x in (30, 95, 160):
        smoke(s, rng, x, 88, 80, "#2a2624", 0.7, rng.uniform(0.2, 0.6), 1.2)
    for x, y in ((32, 92), (96, 86), (150, 98), (182, 102)):
        fire(s, rng, x, y, 0.8)
    s.rect(0, 110, W, 15, fill="#3a302a")
    for _ in range(10):
        s.path(smooth_path(blob_pts(rng, rng.uniform(0, W), rng.uniform(111, 124), rng.uniform(3, 6), 7, 0.4, ry=2)),
               fill=rng.choice(["#4e4239", "#2e2622", "#5e544a"]))
    return s


def pic_tank_ruins():
    s = new()
    rng = random.Random(10)
    sky(s, [(0, "#6a6a6c"), (0.7, "#a8a098"), (1, "#c0b4a0")])
    ridge(s, rng, 80, 3, "#7a7466")
    s.rect(0, 92, W, 33, fill=s.lin([(0, "#6a5e4c"), (1, "#3e3428")], 0, 0, 0, 1))
    s.ellipse(100, 104, 80, 10, fill="#1e1a16", fill_opacity=0.6)
    smoke(s, rng, 112, 84, 70, "#2a2826", 0.55, 0.6)
    smoke(s, rng, 80, 90, 50, "#4a4643", 0.4, 0.8, 0.8)
    tank_side(s, 40, 104, 2.6, "#3a3430", wreck=True, turret_tilt=-9)
    # scorch streaks and torn track lying in front
    for i in range(6):
        s.rect(34 + i * 9, 105, 7, 2, fill="#1c1814", transform=f"rotate({rng.uniform(-8, 8):.0f} {38 + i * 9} 106)")
    fire(s, rng, 92, 62, 0.6)
    for _ in range(5):
        s.circle(rng.uniform(60, 150), rng.uniform(40, 80), 0.8, fill="#ffb040", fill_opacity=0.8)
    return s


def pic_liberate():
    s = new()
    rng = random.Random(11)
    sky(s, [(0, "#4a8ad0"), (0.6, "#a8d0ee"), (1, "#f0e8c8")])
    for i in range(10):
        a = math.radians(-90 + (i - 4.5) * 16)
        s.poly([(102, 40), (102 + 200 * math.cos(a - 0.05), 40 + 200 * math.sin(a - 0.05)),
                (102 + 200 * math.cos(a + 0.05), 40 + 200 * math.sin(a + 0.05))], fill="#ffffff", fill_opacity=0.15)
    city(s, 80, ruined=False, windows_on=False)
    s.rect(0, 0, W, H, fill="#d8ecf8", fill_opacity=0.35)
    s.rect(0, 104, W, 21, fill="#6a6a5a")
    # our flag up high: olive and sand, the shield badge
    flag(s, 96, 96, 80, 40, 24, "#5f6b3a",
         emblem=lambda x, y: (s.rect(x - 20, y - 3, 40, 6, fill="#e2c873"),
                              s.path(f"M{fmt(x - 5)} {fmt(y - 7)}H{fmt(x + 5)}V{fmt(y)}Q{fmt(x + 5)} {fmt(y + 6)} {fmt(x)} {fmt(y + 8)}"
                                     f"Q{fmt(x - 5)} {fmt(y + 6)} {fmt(x - 5)} {fmt(y)}Z", fill="#3a4224", stroke="#e2c873",
                                     stroke_width=1)))
    # cheering crowd in two ranks
    for row, (y, h, col) in enumerate(((112, 18, "#3a3e30"), (124, 24, "#22241c"))):
        x = -4
        crowd = []
        while x < W + 4:
            crowd += soldier(x, y, h * rng.uniform(0.9, 1.05), arms_up=rng.random() < 0.6, rifle=rng.random() < 0.25)
            x += rng.uniform(10, 14) * (1 + row * 0.3)
        s.path(path_d(crowd), fill=col)
    for col in ("#ffd040", "#ffffff", "#ff6a50", "#6ad0ff"):
        s.path("".join(f"M{fmt(rng.uniform(0, W))} {fmt(rng.uniform(5, 80))}h1.4v1h-1.4z" for _ in range(8)), fill=col)
    return s


def pic_invade():
    s = new()
    rng = random.Random(12)
    sky(s, [(0, "#2a0a0a"), (0.5, "#8a1a10"), (0.85, "#e05a1a"), (1, "#ff9a3a")])
    glow(s, 120, 78, 60, "#ffb050", 0.5)
    for x in (20, 70, 170):
        smoke(s, rng, x, 80, 60, "#1e0e0a", 0.55, 0.4)
    ridge(s, rng, 80, 3, "#2a100c")
    s.rect(0, 86, W, 40, fill=s.lin([(0, "#3a1a10"), (1, "#140806")], 0, 0, 0, 1))
    # armour rolling in, silhouetted by the burning horizon
    for x, y, k in ((150, 88, 0.4), (178, 90, 0.45), (104, 94, 0.6), (62, 104, 0.85), (128, 116, 1.2)):
        s.ellipse(x + 24 * k, y - 2 * k, 30 * k, 5 * k, fill="#5a2a14", fill_opacity=0.5)
        tank_side(s, x, y, k, "#1c100c", facing=-1)
    return s


def _unit_inset(s, scene, x, y, w, h, outline=0.7, camo=True):
    """Draw one of the game's 3D units inside an illustration."""
    scene.outline_w = outline
    if not camo:
        scene.camo = []
    scene.shadow = False
    s.group(transform=f"translate({fmt(x)} {fmt(y)})")
    scene.render(w, h, svg=s)
    s.end()


def pic_fighter():
    s = new()
    rng = random.Random(13)
    sky(s, [(0, "#2a5a9a"), (0.6, "#6aa0d8"), (1, "#bcd8f0")])
    clouds(s, rng, 3, 95, 115, "#ffffff", 0.85, 1.6)
    clouds(s, rng, 3, 20, 40, "#e8f0f8", 0.45, 1.2)
    # vapour trails streaming off the wingtips
    for y0 in (46, 70):
        s.poly([(205, y0 - 1.5), (130, y0 - 0.4), (130, y0 + 0.4), (205, y0 + 1.5)], fill="#ffffff", fill_opacity=0.6)
    for i in range(6):
        y = rng.uniform(20, 100)
        s.line(rng.uniform(150, 190), y, 205, y, stroke="#ffffff", stroke_width=0.6, stroke_opacity=0.35)
    _unit_inset(s, art_units.fighter_scene(55, -25, 95), 20, 18, 140, 90)
    return s


def pic_ship():
    s = new()
    rng = random.Random(14)
    sky(s, [(0, "#7a8ea8"), (0.7, "#c8ccd0"), (1, "#e0dcd0")])
    clouds(s, rng, 4, 12, 45, "#f0f0f0", 0.6, 1.3)
    s.rect(0, 78, W, 47, fill=s.lin([(0, "#4a6a88"), (1, "#1e3248")], 0, 0, 0, 1))
    for _ in range(30):
        x, y = rng.uniform(0, W), rng.uniform(82, 124)
        s.line(x, y, x + rng.uniform(4, 10) * (y / 80), y, stroke="#8ab0d0", stroke_width=0.6, stroke_opacity=0.6)
    # destroyer steaming left: hull, superstructure, mast, turrets
    g = "#5e6670"
    s.poly([(22, 84), (176, 80), (184, 84), (170, 92), (36, 93)], fill=g)
    s.poly([(22, 84), (176, 80), (177, 82), (25, 86)], fill="#8a929c")
    s.poly([(36, 93), (170, 92), (172, 90.5), (34, 91.5)], fill="#3a4048")
    s.rect(78, 70, 44, 11, fill="#6e7680")
    s.rect(88, 60, 22, 10, fill="#7a828c")
    s.rect(93, 54, 10, 6, fill="#868e98")
    s.line(98, 54, 98, 36, stroke="#3a4048", stroke_width=1.2)
    s.line(92, 42, 104, 42, stroke="#3a4048", stroke_width=1)
    s.rect(124, 72, 8, 8, fill="#4a5058")
    for x in (48, 150):
        s.poly([(x - 6, 82), (x + 6, 82), (x + 4, 78), (x - 4, 78)], fill="#4e5660")
        s.rect(x - 13 if x < 100 else x + 4, 79, 10, 1.4, fill="#4e5660")
    for x in (84, 90, 108, 114):
        s.circle(x, 74.5, 1, fill="#d8e4ec")
    smoke(s, rng, 128, 70, 26, "#6a6a6a", 0.45, 1.2, 0.6)
    # bow wave and wake
    s.poly([(14, 90), (28, 85), (40, 92), (24, 95)], fill="#f0f6fa", fill_opacity=0.8)
    s.poly([(170, 92), (205, 88), (205, 100), (172, 95)], fill="#dce8f0", fill_opacity=0.5)
    return s


def pic_garage():
    s = new()
    rng = random.Random(15)
    s.rect(0, 0, W, H, fill=s.lin([(0, "#1e2220"), (1, "#3a3c36")], 0, 0, 0, 1))
    # arched roof ribs converge on the far wall
    s.rect(52, 22, 100, 62, fill="#4a4c44")
    s.path("M52 84V40Q102 2 152 40V84Z", fill="#5a5c52")
    s.path("M62 84V44Q102 12 142 44V84Z", fill=s.lin([(0, "#f0e0a0"), (1, "#b0a070")], 0, 0, 0, 1), fill_opacity=0.85)
    for i in range(6):
        t = i / 5
        s.path(f"M{fmt(-10 + 62 * t)} {fmt(125 - 41 * t)}V{fmt(50 - 6 * t)}Q102 {fmt(-50 + 48 * t)} {fmt(215 - 63 * t)} {fmt(50 - 6 * t)}V{fmt(125 - 41 * t)}",
               fill="none", stroke="#6a6c62", stroke_width=2.2 - t)
    for x in (70, 102, 134):
        s.poly([(x - 4, 30), (x + 4, 30), (x + 14, 84), (x - 14, 84)], fill="#fff6c8", fill_opacity=0.1)
        s.rect(x - 4, 28, 8, 2, fill="#fff6c8")
    s.poly([(0, 125), (52, 84), (152, 84), (205, 125)], fill=s.lin([(0, "#56574e"), (1, "#2a2a26")], 0, 0, 0, 1))
    for i in range(5):
        t = (i + 1) / 6
        y = 84 + 41 * t ** 1.5
        s.line(0, y, W, y, stroke="#2e2f2a", stroke_width=0.6)
    s.line(102, 84, 102, 125, stroke="#c8a830", stroke_width=1.2, stroke_opacity=0.6)
    # oil drums, a workbench, and a tank in for servicing
    for x in (14, 24, 184):
        s.rect(x, 96, 9, 13, rx=1, fill="#6a3a1e")
        s.line(x, 100, x + 9, 100, stroke="#3a200e", stroke_width=0.8)
    s.rect(160, 86, 24, 3, fill="#4a3a28")
    s.ellipse(110, 114, 48, 7, fill="#000", fill_opacity=0.45)
    _unit_inset(s, art_units.tank_scene(), 50, 66, 104, 54)
    return s


def pic_base():
    s = new()
    rng = random.Random(16)
    sky(s, [(0, "#7aa0c8"), (0.7, "#d0dce0"), (1, "#e8e0c8")])
    clouds(s, rng, 3, 12, 35, "#ffffff", 0.7)
    ridge(s, rng, 70, 3, "#8a9a7a")
    s.rect(0, 80, W, 45, fill=s.lin([(0, "#a89a6a"), (1, "#7a6e48")], 0, 0, 0, 1))
    # barracks: long huts with pitched roofs
    for x, y, w, h in ((20, 82, 60, 14), (92, 78, 54, 12), (150, 84, 46, 13)):
        s.rect(x, y - h, w, h, fill="#8a8a6a")
        s.poly([(x - 3, y - h), (x + w + 3, y - h), (x + w - 4, y - h - 7), (x + 4, y - h - 7)], fill="#5a5e44")
        for i in range(int(w / 10)):
            s.rect(x + 4 + i * 10, y - h + 4, 4, 4, fill="#3a4048")
        s.rect(x + w / 2 - 2, y - 7, 4, 7, fill="#4a3e2a")
    # watch tower
    s.poly([(170, 96), (174, 50), (176, 50), (180, 96)], fill="none", stroke="#4a3a28", stroke_width=1.2)
    s.line(170, 96, 180, 50, stroke="#4a3a28", stroke_width=0.8)
    s.line(180, 96, 170, 50, stroke="#4a3a28", stroke_width=0.8)
    s.rect(165, 40, 20, 10, fill="#6a5a3e")
    s.poly([(162, 40), (188, 40), (175, 32)], fill="#4a4430")
    s.poly([(150, 28), (166, 44), (166, 47)], fill="#fff8d0", fill_opacity=0.3)
    # flagpole with our colours
    flag(s, 60, 62, 40, 16, 10, "#5f6b3a", emblem=lambda x, y: s.rect(x - 8, y - 1.5, 16, 3, fill="#e2c873"))
    # sandbags and the perimeter fence in front
    for i in range(9):
        s.ellipse(8 + i * 7, 108, 4, 2.4, fill="#b8a878", stroke="#7a6e48", stroke_width=0.5)
        s.ellipse(11 + i * 7, 104.5, 4, 2.4, fill="#c2b282", stroke="#7a6e48", stroke_width=0.5)
    for i in range(12):
        x = i * 18 + 4
        s.line(x, 122, x, 100, stroke="#3a3428", stroke_width=1.4)
    for y in (103, 109, 115):
        s.line(0, y, W, y, stroke="#4a4438", stroke_width=0.5)
    for i in range(40):
        x = i * 5.2
        s.line(x, 100, x + 3, 98, stroke="#4a4438", stroke_width=0.5)
    return s


def pic_pod():
    s = new()
    rng = random.Random(17)
    sky(s, [(0, "#3a4a6a"), (0.6, "#c08a6a"), (1, "#e8b080")])
    ridge(s, rng, 90, 3, "#5a5a48")
    s.rect(0, 98, W, 27, fill="#4a4a38")
    # rockets already away, curving up with white exhaust trails
    for i, (x1, y1) in enumerate(((30, 8), (58, 4), (12, 30), (80, 14))):
        s.path(smooth_path([(100, 62), (84, 40 - i * 3), (x1, y1)], closed=False), fill="none",
               stroke="#f4f0e8", stroke_width=3.2 - i * 0.4, stroke_opacity=0.55, stroke_linecap="round")
        glow(s, x1, y1, 6, "#ffd070", 0.9)
        s.circle(x1, y1, 1.5, fill="#ffffff")
    # launch blast and a wall of dust behind the vehicle
    for _ in range(10):
        s.ellipse(rng.uniform(10, 90), rng.uniform(78, 100), rng.uniform(10, 18), rng.uniform(6, 9),
                  fill=rng.choice(["#d8cab0", "#bcae94", "#e6dccb"]), fill_opacity=0.7)
    _unit_inset(s, art_units.rocket_scene(), 60, 54, 100, 64, camo=False)
    glow(s, 99, 63, 14, "#ffe090", 0.9)
    return s


SCENES = {
    "picAdvance": pic_advance, "picChess": pic_chess, "picLight": pic_light, "picChair": pic_chair,
    "picPeace": pic_peace, "picGrid": pic_grid, "picConquer": pic_conquer, "picCity": pic_city,
    "picCityRuins": pic_city_ruins, "picTankRuins": pic_tank_ruins, "picLiberate": pic_liberate,
    "picInvade": pic_invade, "picFighter": pic_fighter, "picShip": pic_ship, "picGarage": pic_garage,
    "picBase": pic_base, "picPod": pic_pod,
}


def files():
    out = {}
    for name, fn in SCENES.items():
        s = fn()
        vignette(s)
        out[name + ".svg"] = s
    return out
