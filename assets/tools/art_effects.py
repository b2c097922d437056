"""Muzzle flash, impacts and explosions as frame sequences.

Each effect is a small seeded particle simulation (fire puffs, smoke puffs,
sparks, debris chunks); every frame is a snapshot drawn with soft radial
gradients, so the same particles move consistently from frame to frame.
"""

import math
import random

from svglib import Svg, fmt, fmt2, pts as pts_text, smooth_path

# gradient stops shared by all effects: one look for every explosion in the game
FLASH = [(0, "#ffffff"), (0.3, "#fffbe0"), (0.62, "#ffe070", 0.75), (1, "#ffa020", 0)]
FIRE_HOT = [(0, "#fffce8"), (0.35, "#fff0a0", 0.95), (0.7, "#ffc03a", 0.6), (1, "#ff9020", 0)]
FIRE_MID = [(0, "#fff0a0"), (0.35, "#ffb432"), (0.7, "#f2661a"), (0.9, "#b83408", 0.8), (1, "#8a2404", 0)]
FIRE_COOL = [(0, "#ffa436"), (0.4, "#e2561a"), (0.75, "#9e2e0c", 0.9), (1, "#4a1806", 0)]
SMOKE_DARK = [(0, "#6a645c"), (0.5, "#45403a"), (0.82, "#2e2a26", 0.9), (1, "#242020", 0)]
SMOKE_GREY = [(0, "#a49e94"), (0.5, "#7c766e"), (0.82, "#5c5750", 0.85), (1, "#4a4640", 0)]
DUST = [(0, "#c2ac7c"), (0.5, "#9a8458"), (0.82, "#7a6846", 0.8), (1, "#6a5a3c", 0)]
GLOW_BLUE = [(0, "#ffffff"), (0.3, "#eaf6ff"), (0.62, "#a8d0ff", 0.7), (1, "#4a7aff", 0)]

GRADS = {"flash": FLASH, "hot": FIRE_HOT, "mid": FIRE_MID, "cool": FIRE_COOL,
         "smoke": SMOKE_DARK, "grey": SMOKE_GREY, "dust": DUST, "blue": GLOW_BLUE}

FIRE_SHELL = [(0, "#ffc040"), (0.5, "#f57a1e"), (0.82, "#c23c0a", 0.85), (1, "#7a2004", 0)]
GRADS["shell"] = FIRE_SHELL

JET = [(0, "#ffffff"), (0.3, "#fff0a0"), (0.7, "#ffa030", 0.75), (1, "#ff6010", 0)]

LAYER = {"jet": 2.8, "smoke": 0, "grey": 0, "dust": 0, "fire": 2, "trail": 2.6, "debris": 2.7, "flash": 3, "spark": 4}


def ease_out(u):
    return 1 - (1 - u) ** 2


class P:
    """One particle; positions in pixels, time in frames."""

    def __init__(self, kind, t0, life, x, y, vx=0.0, vy=0.0, r0=2.0, r1=6.0, ax=0.0, ay=0.0,
                 drag=0.0, alpha=1.0, grad=None, color="#fff", width=1.0, length=3.0, spin=0.0, seed=0):
        self.__dict__.update(locals())
        del self.__dict__["self"]

    def pos(self, age):
        if self.drag:
            # velocity decays geometrically: puffs shoot out then hang in the air
            k = (1 - (1 - self.drag) ** age) / self.drag
        else:
            k = age
        return (self.x + self.vx * k + 0.5 * self.ax * age * age,
                self.y + self.vy * k + 0.5 * self.ay * age * age)

    def vel(self, age):
        d = (1 - self.drag) ** age if self.drag else 1.0
        return (self.vx * d + self.ax * age, self.vy * d + self.ay * age)


def draw_frame(w, h, parts, f):
    s = Svg(w, h)
    live = []
    for p in parts:
        age = f - p.t0
        if 0 <= age < p.life:
            live.append((LAYER[p.kind], p.t0, p, age, False))
            if p.kind == "fire" and int(p.x * 10) % 3:
                # glowing cores go on top of all flame shells so a fireball reads as one mass
                live.append((2.5, p.t0, p, age, True))
    live.sort(key=lambda t: (t[0], t[1]))
    group = [None]

    def in_group(key):
        # runs of lines share their stroke settings in one group: keeps frames small
        if group[0] != key:
            if group[0] is not None:
                s.end()
            if key is not None:
                s.add(key)
            group[0] = key
    for _, _, p, age, core in live:
        in_group({"spark": '<g stroke-linecap="round">',
                  "trail": f'<g stroke="{p.color}" stroke-width="{fmt(p.width)}" stroke-linecap="round" stroke-linejoin="round" fill="none">'}
                 .get(p.kind))
        u = age / p.life
        x, y = p.pos(age)
        if p.kind in ("smoke", "grey", "dust"):
            r = p.r0 + (p.r1 - p.r0) * ease_out(u)
            a = p.alpha * min(1.0, (age + 1) / 2.0) * (1 - u) ** 1.1
            if a < 0.05:
                continue
            s.circle(x, y, r, fill=s.rad(GRADS[p.grad or p.kind], fx=.36, fy=.32), fill_opacity=round(a, 2))
        elif p.kind == "fire":
            r = p.r0 + (p.r1 - p.r0) * ease_out(u)
            if core:
                a = p.alpha * (1 - u) ** 1.6
                if u > 0.7 or a < 0.05:
                    continue
                s.circle(x, y, r * 0.62, fill=s.rad(GRADS[p.grad or "hot"]), fill_opacity=round(a, 2))
                continue
            g = "shell" if u < 0.55 else "cool"
            a = p.alpha * (1 - u ** 2.2)
            if a < 0.04:
                continue
            s.circle(x, y, r, fill=s.rad(GRADS[g]), fill_opacity=round(a, 2))
        elif p.kind == "jet":
            # flame tongue from the muzzle, pointing along (vx, vy)
            L = p.r0 + (p.r1 - p.r0) * math.sin(math.pi * min(1.0, u * 1.3))
            a = p.alpha * (1 - u) ** 0.8
            if L < 1 or a < 0.05:
                continue
            dx, dy = p.vx, p.vy
            nx, ny = -dy, dx
            wb = p.width
            shape = [(x + nx * wb * 0.5, y + ny * wb * 0.5), (x + dx * L * 0.35 + nx * wb, y + dy * L * 0.35 + ny * wb),
                     (x + dx * L, y + dy * L), (x + dx * L * 0.35 - nx * wb, y + dy * L * 0.35 - ny * wb),
                     (x - nx * wb * 0.5, y - ny * wb * 0.5)]
            s.path(smooth_path(shape), fill=s.lin(JET, 0.5 - dx * 0.5, 0.5 - dy * 0.5, 0.5 + dx * 0.5, 0.5 + dy * 0.5),
                   fill_opacity=round(a, 2))
        elif p.kind == "flash":
            r = p.r0 + (p.r1 - p.r0) * ease_out(min(1, u * 2))
            a = p.alpha * (1 - u) ** 1.5
            if a < 0.03:
                continue
            _star(s, x, y, r, p.seed + age, a, p.grad or "flash")
        elif p.kind == "spark":
            vx, vy = p.vel(age)
            sp = math.hypot(vx, vy) or 1
            L = p.length * min(1.0, sp / 3.0 + 0.3)
            a = p.alpha * (1 - u)
            s.line(x - vx / sp * L, y - vy / sp * L, x, y, stroke=p.color, stroke_width=p.width * (1 - 0.5 * u),
                   stroke_opacity=round(a, 2))
        elif p.kind == "debris":
            ang = p.spin * age + p.seed
            r = p.r0
            rng = random.Random(p.seed)
            pts = []
            for i in range(4):
                aa = ang + i * math.pi / 2 + rng.uniform(-0.5, 0.5)
                rr = r * rng.uniform(0.6, 1.2)
                pts.append((x + rr * math.cos(aa), y + rr * math.sin(aa)))
            hot = u < 0.35
            s.poly(pts, fill="#ffb040" if hot and p.grad == "hot" else p.color,
                   fill_opacity=round(min(1.0, p.alpha * (1 - u ** 3)), 2))
        elif p.kind == "trail":
            # burning debris streak: a fading line from the launch point towards the chunk
            # streak only once clear of the fireball, so no dark spokes cross the flames
            pts = [p.pos(max(3, age - k * 1.2)) for k in range(4)]
            a = p.alpha * (1 - u) * min(1.0, (age - 3) / 2.0)
            if a < 0.05:
                continue
            s.add(f'<polyline points="{pts_text(pts)}" stroke-opacity="{fmt2(round(a, 2))}"/>')
            s.circle(x, y, p.width * 0.9, fill=s.rad(FIRE_HOT), fill_opacity=round(a, 2), stroke="none")
    in_group(None)
    return s


def _star(s, cx, cy, r, seed, a, grad, spikes=9):
    rng = random.Random(seed)
    pts = []
    off = rng.uniform(0, math.pi)
    for i in range(spikes * 2):
        ang = off + math.pi * i / spikes
        rr = r * (rng.uniform(0.75, 1.1) if i % 2 == 0 else rng.uniform(0.35, 0.5))
        pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
    s.poly(pts, fill=s.rad(GRADS[grad]), fill_opacity=round(a, 2))


def polar(rng, speed_lo, speed_hi, ang_lo=0.0, ang_hi=2 * math.pi):
    a = rng.uniform(ang_lo, ang_hi)
    v = rng.uniform(speed_lo, speed_hi)
    return v * math.cos(a), v * math.sin(a)


# ---------------------------------------------------------------- gun muzzle blast

def gunblast():
    """Player's gun firing up the screen: the muzzle sits at the bottom centre."""
    rng = random.Random(101)
    w, h = 65, 65
    mx, my = 32.5, 60.0
    ps = [P("flash", 0, 4, mx, my - 6, r0=8, r1=17, alpha=1.0, seed=3),
          P("jet", 0, 4, mx, my - 2, 0, -1, r0=14, r1=40, width=5.5),
          P("jet", 0, 3, mx - 2, my - 3, -1, -0.15, r0=6, r1=14, width=3),
          P("jet", 0, 3, mx + 2, my - 3, 1, -0.15, r0=6, r1=14, width=3)]
    # main jet straight up, plus the muzzle brake's side jets
    for i in range(12):
        up = rng.uniform(0, 1)
        ps.append(P("fire", rng.choice([0, 0, 1]), rng.randint(3, 5), mx + rng.uniform(-2, 2), my - 4,
                    vx=rng.uniform(-0.8, 0.8), vy=-3 - 6 * up, drag=0.35, r0=3, r1=6 + 5 * (1 - up)))
    for side in (-1, 1):
        for i in range(2):
            ps.append(P("fire", 1, rng.randint(2, 3), mx + side * 3, my - 3, vx=side * rng.uniform(4, 6),
                        vy=rng.uniform(-1.0, 0.3), drag=0.4, r0=2, r1=5))
    for i in range(8):
        ps.append(P("spark", rng.randint(0, 1), rng.randint(3, 5), mx, my - 6, *polar(rng, 4, 8, -math.pi * 0.8, -math.pi * 0.2),
                    color="#fff2a0", width=1.0, length=4))
    # smoke: first a ring around the muzzle, then it billows up and thins out
    for i in range(14):
        t0 = rng.randint(1, 4)
        side = rng.uniform(-1, 1)
        ps.append(P("grey", t0, rng.randint(7, 11) - max(0, t0 - 2), mx + side * 6, my - 4 - rng.uniform(0, 18),
                    vx=side * rng.uniform(0.5, 2.0), vy=-rng.uniform(0.6, 1.8), drag=0.15,
                    r0=3, r1=rng.uniform(8, 13), alpha=0.9))
    return [draw_frame(w, h, ps, f) for f in range(12)]


# ---------------------------------------------------------------- impacts on units

def impact(kind):
    """Shell striking a unit: the strike point is the frame centre."""
    w, h = 47, 51
    cx, cy = 23.5, 27
    rng = random.Random({"A": 11, "B": 22, "C": 33, "D": 44}[kind])
    ps = []
    up = (-math.pi, 0)
    if kind == "A":
        # fighter: bright white flash, a spray of sparks, bits of skin and a grey puff
        ps.append(P("flash", 0, 5, cx, cy, r0=10, r1=21, seed=1))
        for i in range(9):
            ps.append(P("fire", rng.randint(0, 3), rng.randint(5, 8), cx + rng.uniform(-4, 4), cy + rng.uniform(-4, 4),
                        *polar(rng, 0.3, 1.4), drag=0.2, r0=4, r1=rng.uniform(7, 11)))
        for i in range(18):
            ps.append(P("spark", rng.randint(0, 3), rng.randint(5, 9), cx, cy, *polar(rng, 2.5, 5), ay=0.15,
                        color=rng.choice(["#fffbe0", "#ffe680", "#ffffff"]), width=1.2, length=5))
        for i in range(7):
            ps.append(P("debris", rng.randint(0, 2), 14, cx, cy, *polar(rng, 1.2, 2.6), ay=0.14, r0=1.8,
                        spin=0.5, color="#5a6a7a", seed=rng.randint(0, 999)))
        for i in range(8):
            ps.append(P("grey", rng.randint(3, 6), 10, cx + rng.uniform(-5, 5), cy + rng.uniform(-5, 5),
                        *polar(rng, 0.2, 0.8), r0=4, r1=rng.uniform(8, 11), alpha=0.85))
    elif kind == "B":
        # IFV: flash, dirt and dust thrown up, medium sparks
        ps.append(P("flash", 0, 4, cx, cy, r0=9, r1=18, seed=2))
        for i in range(9):
            ps.append(P("fire", rng.randint(0, 3), rng.randint(4, 7), cx + rng.uniform(-4, 4), cy + rng.uniform(-3, 3),
                        *polar(rng, 0.4, 1.5, *up), drag=0.2, r0=4, r1=rng.uniform(7, 10)))
        for i in range(12):
            ps.append(P("spark", rng.randint(0, 2), rng.randint(4, 7), cx, cy, *polar(rng, 2.5, 4.5, -math.pi, 0.3), ay=0.3,
                        color="#ffd060", width=1.1, length=4))
        for i in range(12):
            ps.append(P("debris", rng.randint(0, 3), 13, cx, cy, *polar(rng, 1.4, 3.4, -math.pi * 0.95, -math.pi * 0.05),
                        ay=0.35, r0=rng.uniform(1.2, 2.0), spin=0.6, color="#3a2c1a", seed=rng.randint(0, 999)))
        for i in range(11):
            ps.append(P("dust", rng.randint(1, 5), 11, cx + rng.uniform(-6, 6), cy + rng.uniform(-4, 5),
                        vx=rng.uniform(-0.9, 0.9), vy=-rng.uniform(0.3, 0.9), r0=4, r1=rng.uniform(9, 12), alpha=0.9))
    elif kind == "C":
        # tank: armour-piercing strike, blue-white core and a long fan of sparks off the plate
        ps.append(P("flash", 0, 6, cx, cy, r0=11, r1=22, seed=3, grad="blue"))
        ps.append(P("flash", 1, 4, cx, cy, r0=6, r1=12, seed=9))
        for i in range(30):
            ps.append(P("spark", rng.randint(0, 4), rng.randint(6, 11), cx, cy, *polar(rng, 3, 6, -math.pi * 1.05, 0.05),
                        ay=0.25, drag=0.05, color=rng.choice(["#ffffff", "#fff3b0", "#ffd060", "#ffb040"]),
                        width=rng.uniform(0.9, 1.4), length=rng.uniform(5, 8)))
        for i in range(5):
            ps.append(P("fire", rng.randint(1, 3), 6, cx + rng.uniform(-2, 2), cy + rng.uniform(-2, 2),
                        *polar(rng, 0.2, 0.8), r0=3, r1=7, alpha=0.95))
        for i in range(9):
            ps.append(P("smoke", rng.randint(3, 6), 10, cx + rng.uniform(-3, 3), cy + rng.uniform(-3, 3),
                        vx=rng.uniform(-0.5, 0.5), vy=-rng.uniform(0.5, 1.1), r0=4, r1=rng.uniform(8, 11), alpha=0.9))
    else:
        # rocket launcher: fuel and rockets catch fire, flames lick upward into black smoke
        ps.append(P("flash", 0, 4, cx, cy + 2, r0=9, r1=18, seed=4))
        for i in range(20):
            t0 = rng.randint(0, 7)
            ps.append(P("fire", t0, rng.randint(5, 8), cx + rng.uniform(-7, 7), cy + 6 + rng.uniform(-2, 3),
                        vx=rng.uniform(-0.5, 0.5), vy=-rng.uniform(1.0, 2.2), r0=4, r1=rng.uniform(7, 11)))
        for i in range(9):
            ps.append(P("spark", rng.randint(0, 6), rng.randint(4, 7), cx, cy + 3, *polar(rng, 2, 3.6, -math.pi * 0.9, -math.pi * 0.1),
                        ay=0.25, color="#ffc040", width=1.1, length=4))
        for i in range(11):
            t0 = rng.randint(3, 8)
            ps.append(P("smoke", t0, 16 - t0, cx + rng.uniform(-6, 6), cy - 3 + rng.uniform(-3, 2),
                        vx=rng.uniform(-0.3, 0.3), vy=-rng.uniform(1.0, 1.6), r0=4, r1=rng.uniform(8, 11), alpha=0.95))
    return [draw_frame(w, h, ps, f) for f in range(16)]


# ---------------------------------------------------------------- explosions

def blast_ground(variant):
    w, h = 100, 150
    cx, cy = 46, 94           # centre of the unit footprint
    ground = 112
    ps = []
    if variant == "A":
        # big fireball that rolls upward into a towering smoke column
        rng = random.Random(501)
        ps.append(P("flash", 0, 4, cx, cy, r0=20, r1=44, seed=5))
        for i in range(24):
            t0 = rng.choice([0, 0, 1, 1, 2, 3, 4, 5])
            ang = rng.uniform(0, 2 * math.pi)
            d = rng.uniform(0, 16)
            ps.append(P("fire", t0, rng.randint(6, 10), cx + d * math.cos(ang), cy + 4 + d * 0.6 * math.sin(ang),
                        vx=math.cos(ang) * rng.uniform(0.5, 1.6), vy=-rng.uniform(0.5, 2.5), ay=-0.12, drag=0.15,
                        r0=7, r1=rng.uniform(13, 21)))
        for i in range(24):
            t0 = rng.randint(2, 10)
            top = rng.random()
            ps.append(P("smoke", t0, 16 - t0, cx + rng.uniform(-9, 9), cy - rng.uniform(0, 10),
                        vx=rng.uniform(-0.5, 0.5) * (1 + 2 * top), vy=-(2.5 + 4.5 * top), drag=0.04,
                        r0=8, r1=rng.uniform(14, 22) * (0.8 + 0.4 * top), alpha=0.95,
                        grad=rng.choice(["smoke", "smoke", "grey"])))
        for i in range(8):
            ps.append(P("dust", rng.randint(1, 3), 12, cx + rng.uniform(-10, 10), ground - rng.uniform(0, 5),
                        vx=rng.choice([-1, 1]) * rng.uniform(1.5, 3.0), vy=-rng.uniform(0, 0.4), drag=0.15,
                        r0=6, r1=rng.uniform(11, 15), alpha=0.8))
        for i in range(12):
            ps.append(P("spark", rng.randint(0, 2), rng.randint(5, 8), cx, cy, *polar(rng, 4, 7, -math.pi, 0),
                        ay=0.35, color="#ffd060", width=1.4, length=7))
    else:
        # sharp detonation: debris flung out on burning arcs, a dust skirt, a mushroom cap
        rng = random.Random(777)
        ps.append(P("flash", 0, 3, cx, cy, r0=24, r1=46, seed=7))
        ps.append(P("flash", 1, 3, cx, cy - 4, r0=14, r1=30, seed=8))
        for i in range(16):
            t0 = rng.choice([0, 0, 1, 2, 3])
            ps.append(P("fire", t0, rng.randint(5, 8), cx + rng.uniform(-12, 12), cy + rng.uniform(-6, 8),
                        vx=rng.uniform(-1.5, 1.5), vy=-rng.uniform(1.0, 3.4), drag=0.2,
                        r0=6, r1=rng.uniform(12, 18)))
        # mushroom: a thin rising stem feeding a rolling ring of smoke at the top
        for i in range(10):
            t0 = rng.randint(2, 6)
            ps.append(P("smoke", t0, 16 - t0, cx + rng.uniform(-3, 3), cy - 4, vx=rng.uniform(-0.3, 0.3),
                        vy=-rng.uniform(3.0, 6.5), drag=0.18, r0=6, r1=rng.uniform(9, 12), alpha=0.95, grad="grey"))
        for i in range(12):
            t0 = rng.randint(2, 4)
            th = 2 * math.pi * i / 12 + rng.uniform(-0.2, 0.2)
            ps.append(P("smoke", t0, 16 - t0, cx, cy - 8, vx=math.cos(th) * 3.6, vy=-11 + math.sin(th) * 1.6,
                        drag=0.22, r0=7, r1=rng.uniform(14, 18), alpha=0.95, grad="smoke"))
        for i in range(10):
            ps.append(P("dust", rng.randint(0, 2), 14, cx + rng.uniform(-8, 8), ground - rng.uniform(0, 4),
                        vx=rng.choice([-1, 1]) * rng.uniform(2.0, 4.5), vy=-rng.uniform(0, 0.5), drag=0.18,
                        r0=6, r1=rng.uniform(11, 16), alpha=0.85))
        for i in range(7):
            vx, vy = polar(rng, 4.5, 6.5, -math.pi * 0.85, -math.pi * 0.15)
            ps.append(P("trail", 1, rng.randint(9, 12), cx, cy, vx, vy, ay=0.55, color="#2e2822", width=2.0))
        for i in range(9):
            vx, vy = polar(rng, 3, 5.5, -math.pi * 0.95, -math.pi * 0.05)
            ps.append(P("debris", 1, rng.randint(10, 14), cx, cy, vx, vy, ay=0.5,
                        r0=rng.uniform(2.2, 3.4), spin=0.7, color="#211d19", grad="hot", seed=rng.randint(0, 999)))
    return [draw_frame(w, h, ps, f) for f in range(16)]


def blast_air():
    """Jet blown apart in the air: fireball, burning pieces falling away, smoke drifting."""
    w, h = 100, 77
    cx, cy = 46, 38
    rng = random.Random(909)
    ps = [P("flash", 0, 4, cx, cy, r0=18, r1=38, seed=11)]
    for i in range(17):
        t0 = rng.choice([0, 0, 1, 1, 2, 3])
        ang = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(0, 16)
        # stretched along the airframe: fuel burns the whole length of the jet
        ps.append(P("fire", t0, rng.randint(6, 9), cx + d * math.cos(ang), cy + d * 0.45 * math.sin(ang),
                    vx=math.cos(ang) * rng.uniform(0.8, 2.0), vy=math.sin(ang) * rng.uniform(0.4, 1.2) - 0.2, drag=0.15,
                    r0=6, r1=rng.uniform(13, 18)))
    for i in range(18):
        t0 = rng.randint(2, 8)
        ps.append(P("smoke", t0, 16 - t0, cx + rng.uniform(-12, 12), cy + rng.uniform(-7, 7),
                    vx=rng.uniform(-0.8, 0.8), vy=rng.uniform(-0.6, 0.3), drag=0.1,
                    r0=6, r1=rng.uniform(12, 17), alpha=0.9, grad=rng.choice(["smoke", "grey"])))
    for i in range(8):
        vx, vy = polar(rng, 3.5, 5.5)
        ps.append(P("trail", 0, rng.randint(9, 14), cx, cy, vx, vy - 1, ay=0.35, color="#2e2a26", width=1.8))
    for i in range(12):
        vx, vy = polar(rng, 1.5, 4.0)
        ps.append(P("debris", rng.randint(0, 1), rng.randint(10, 15), cx, cy, vx, vy, ay=0.3,
                    r0=rng.uniform(1.4, 2.6), spin=0.8, color="#3e4852", grad="hot", seed=rng.randint(0, 999)))
    for i in range(12):
        ps.append(P("spark", rng.randint(0, 2), rng.randint(4, 7), cx, cy, *polar(rng, 3.5, 6.5),
                    color="#fff2a0", width=1.3, length=6))
    return [draw_frame(w, h, ps, f) for f in range(16)]


def files():
    out = {}
    for i, s in enumerate(gunblast()):
        out[f"gunblast_{i:02d}.svg"] = s
    for k in "ABCD":
        for i, s in enumerate(impact(k)):
            out[f"hit{k}_{i:02d}.svg"] = s
    for k in "AB":
        for i, s in enumerate(blast_ground(k)):
            out[f"blast{k}_{i:02d}.svg"] = s
    for i, s in enumerate(blast_air()):
        out[f"blastC_{i:02d}.svg"] = s
    return out
