"""Enemy vehicles and the fighter jet, modelled in metres and rendered with mesh3d.

All ground units share one camera: seen from the front-left and above, heading
down the screen towards the player's gun. Light comes from the upper left.
"""

import math
import random

import mesh3d as m
from svglib import Svg, shade

GROUND_YAW = 38      # degrees the nose is turned towards screen-left
GROUND_ELEV = 38     # camera height angle
TRACK = "#3b3b34"
TRACK_WHEEL = "#55554a"
METAL_DARK = "#2e302a"


def _camo(scene, rng, colors, count, box, rmin, rmax):
    x0, x1, y0, y1, z0, z1 = box
    for i in range(count):
        c = (rng.uniform(x0, x1), rng.uniform(y0, y1), rng.uniform(z0, z1))
        scene.camo.append((c, rng.uniform(rmin, rmax), colors[i % len(colors)]))


def _tracks(scene, half_w, inner, length, height, wheels, color=TRACK):
    """Two track units with road wheels showing on the outer faces."""
    L = length / 2
    prof = [(-L, height * 0.62), (-L + 0.35, 0.05), (L - 0.45, 0.05), (L, height * 0.6),
            (L - 0.2, height), (-L + 0.2, height)]
    for side in (-1, 1):
        xa, xb = sorted((side * inner, side * half_w))
        t = scene.add(m.extrude_x(prof, xa, xb, color, name="track", camo=False))
        xo = xb if side > 0 else xa
        for i in range(wheels):
            y = -L + 0.55 + i * (length - 1.1) / (wheels - 1)
            t.overlay(m.disc_x(xo, y, 0.38, 0.33, 10), TRACK_WHEEL, lift=0.02)
            t.overlay(m.disc_x(xo, y, 0.38, 0.12, 6), "#24241f", lift=0.03)
        # tread cleats across the exposed front curve of the track
        for k in range(4):
            f = 0.15 + 0.22 * k
            y = L - 0.45 + 0.45 * f
            z = 0.05 + (height * 0.6 - 0.05) * f
            t.line((xa, y, z), (xb, y, z), "#1d1d19", 0.35)


def tank_scene(yaw=GROUND_YAW, elev=GROUND_ELEV):
    rng = random.Random(7)
    sc = m.Scene(yaw, elev)
    base = "#6a7442"          # olive green
    _tracks(sc, 1.85, 1.2, 7.0, 0.95, 6)
    hull = sc.add(m.extrude_x([(-3.55, 0.9), (-3.6, 1.75), (1.7, 1.85), (3.75, 1.2), (3.7, 0.9)],
                              -1.9, 1.9, base, name="hull", bias=-0.5))
    # headlights and a tow bar give the front plate some scale
    for sx in (-1.45, 1.45):
        hull.overlay([(sx - .18, 3.72, 1.0), (sx + .18, 3.72, 1.0), (sx + .18, 3.72, 1.12), (sx - .18, 3.72, 1.12)],
                     "#e8e0b0", lift=0.03, flat=True)
    # driver hatch on the glacis
    g0, g1 = (1.7, 1.85), (3.75, 1.2)
    t = 0.3
    gy, gz = g0[0] + (g1[0] - g0[0]) * t, g0[1] + (g1[1] - g0[1]) * t
    u = (1, 0, 0)
    v = m.norm((0, g1[0] - g0[0], g1[1] - g0[1]))
    hull.overlay(m.disc_on((0.0, gy, gz), u, v, 0.32, 8), "#4a5030", lift=0.02)
    plan = [(-1.45, -2.3), (1.45, -2.3), (1.65, -0.3), (1.15, 1.35), (-1.15, 1.35), (-1.65, -0.3)]
    tur = sc.add(m.frustum_z(plan, 1.85, 2.65, base, top_scale=0.88, top_shift=(0, -0.1), name="turret"))
    # commander's cupola and loader's hatch
    ring = [(0.65 + 0.42 * math.cos(2 * math.pi * i / 8), -1.0 + 0.42 * math.sin(2 * math.pi * i / 8)) for i in range(8)]
    cup = sc.add(m.frustum_z(ring, 2.63, 2.95, shade(base, 0.95), top_scale=0.85, name="cupola", bias=0.2))
    cup.overlay(m.disc_z(0.65, -1.0, 2.95, 0.26, 8), "#3f4428", lift=0.02)
    tur.overlay(m.disc_z(-0.6, -1.1, 2.65, 0.33, 8), "#4a5030", lift=0.02)
    # smoke grenade launchers on the turret cheeks
    for sx in (-1, 1):
        sc.add(m.box(sx * 1.45 - 0.2, sx * 1.45 + 0.2, 0.0, 0.45, 2.25, 2.5, "#4b5232", name="smoke", bias=0.3, camo=False))
    # mantlet, barrel with fume extractor, muzzle
    sc.add(m.box(-0.42, 0.42, 1.2, 1.65, 2.0, 2.55, shade(base, 0.9), name="mantlet", bias=0.4, camo=False))
    sc.add(m.cylinder_y(0, 2.27, 0.13, 1.6, 6.9, "#5d6438", n=8, name="barrel", bias=1.0, camo=False))
    sc.add(m.cylinder_y(0, 2.27, 0.2, 3.8, 4.5, "#565d33", n=8, name="fume", bias=1.1, camo=False))
    sc.add(m.cylinder_y(0, 2.27, 0.17, 6.6, 7.0, "#3c4126", n=8, name="muzzle", bias=1.2, camo=False))
    # antenna whip at the turret rear
    tur.line((-1.1, -2.0, 2.65), (-1.25, -2.6, 4.3), "#22241a", 0.45)
    _camo(sc, rng, ["#4a5230", "#8c8455"], 16, (-2, 2, -3.6, 3.8, 0.6, 2.8), 0.55, 1.0)
    return sc


def ifv_scene(yaw=GROUND_YAW, elev=GROUND_ELEV):
    rng = random.Random(11)
    sc = m.Scene(yaw, elev)
    base = "#b09a66"          # desert sand
    _tracks(sc, 1.65, 1.05, 6.4, 0.9, 5)
    hull = sc.add(m.extrude_x([(-3.25, 0.85), (-3.3, 2.15), (1.3, 2.2), (3.4, 1.25), (3.45, 0.85)],
                              -1.7, 1.7, base, name="hull", bias=-0.5))
    # ribbed trim vane across the sloped nose: the IFV's signature from the front
    g0, g1 = (1.3, 2.2), (3.4, 1.25)
    for k in range(3):
        t0, t1 = 0.18 + k * 0.27, 0.28 + k * 0.27
        pa = (g0[0] + (g1[0] - g0[0]) * t0, g0[1] + (g1[1] - g0[1]) * t0)
        pb = (g0[0] + (g1[0] - g0[0]) * t1, g0[1] + (g1[1] - g0[1]) * t1)
        hull.overlay([(-1.5, pa[0], pa[1]), (1.5, pa[0], pa[1]), (1.5, pb[0], pb[1]), (-1.5, pb[0], pb[1])],
                     shade(base, 0.78), lift=0.02)
    for sx in (-1.3, 1.3):
        hull.overlay([(sx - .15, 3.47, 0.95), (sx + .15, 3.47, 0.95), (sx + .15, 3.47, 1.08), (sx - .15, 3.47, 1.08)],
                     "#e8e0b0", lift=0.03, flat=True)
    # side skirt panels with their seams
    for side in (-1.7, 1.7):
        for k in range(4):
            y = -2.5 + k * 1.45
            hull.line((side, y, 0.9), (side, y, 2.1), shade(base, 0.6), 0.3)
    # roof hatches at the troop compartment
    for sx in (-0.8, 0.8):
        hull.overlay([(sx - 0.45, -2.9, 2.16), (sx + 0.45, -2.9, 2.16), (sx + 0.45, -1.9, 2.18), (sx - 0.45, -1.9, 2.18)],
                     shade(base, 0.8), lift=0.02)
    # small offset turret with a slim autocannon
    plan = [(-0.2, -1.1), (1.25, -1.1), (1.35, 0.2), (1.0, 0.75), (-0.1, 0.75), (-0.3, 0.2)]
    sc.add(m.frustum_z(plan, 2.18, 2.75, shade(base, 0.97), top_scale=0.82, name="turret", bias=0.1))
    sc.add(m.box(0.38, 0.78, 0.6, 0.95, 2.3, 2.6, "#6f6446", name="mantlet", bias=0.4, camo=False))
    sc.add(m.cylinder_y(0.58, 2.45, 0.07, 0.9, 3.9, "#3a3a30", n=6, name="cannon", bias=1.0, camo=False))
    sc.add(m.cylinder_y(0.58, 2.45, 0.1, 3.6, 4.0, "#2b2b24", n=6, name="brake", bias=1.1, camo=False))
    # missile box on the turret side
    sc.add(m.box(1.35, 1.7, -0.9, 0.4, 2.35, 2.75, "#7d6e48", name="atgm", bias=0.3, camo=False))
    sc.add(m.box(-1.3, -0.6, -0.4, 0.1, 2.2, 2.55, shade(base, 0.9), name="periscope", bias=0.1, camo=False))
    sc.parts[-1].line((-1.0, -3.0, 2.2), (-1.15, -3.1, 3.8), "#2a2618", 0.4)
    _camo(sc, rng, ["#8a6e44", "#cdbb88"], 14, (-1.8, 1.8, -3.3, 3.5, 0.6, 2.8), 0.5, 0.95)
    return sc


def rocket_scene(yaw=GROUND_YAW, elev=GROUND_ELEV):
    rng = random.Random(5)
    sc = m.Scene(yaw, elev)
    base = "#737860"          # grey-olive
    tyre = "#262622"
    # six wheels on three axles
    for y in (2.85, -1.2, -2.7):
        for side in (-1, 1):
            xa, xb = (0.95, 1.45) if side > 0 else (-1.45, -0.95)
            w = sc.add(m.cylinder_x(y, 0.58, 0.58, xa, xb, tyre, n=12, name="wheel", camo=False))
            xo = xb if side > 0 else xa
            w.overlay(m.disc_x(xo, y, 0.58, 0.3, 8), "#5d6050", lift=0.02)
            w.overlay(m.disc_x(xo, y, 0.58, 0.1, 6), "#2f302a", lift=0.03)
    sc.add(m.box(-1.0, 1.0, -3.9, 2.3, 0.55, 1.15, "#3c3e34", name="frame", bias=-0.6, camo=False))
    # cab with windscreen and side window
    cab = sc.add(m.extrude_x([(2.05, 1.0), (2.05, 3.0), (3.0, 3.05), (3.95, 2.2), (4.05, 1.0)],
                             -1.35, 1.35, base, name="cab"))
    w0, w1 = (3.0, 3.05), (3.95, 2.2)
    def on_slope(t):
        return (w0[0] + (w1[0] - w0[0]) * t, w0[1] + (w1[1] - w0[1]) * t)
    a, b = on_slope(0.12), on_slope(0.75)
    cab.overlay([(-1.15, a[0], a[1]), (1.15, a[0], a[1]), (1.15, b[0], b[1]), (-1.15, b[0], b[1])], "#27353b", lift=0.02)
    a2, b2 = on_slope(0.2), on_slope(0.4)
    cab.overlay([(-0.9, a2[0], a2[1]), (-0.3, a2[0], a2[1]), (-0.5, b2[0], b2[1]), (-1.1, b2[0], b2[1])], "#6f8a94", lift=0.03)
    for side in (-1.35, 1.35):
        cab.overlay([(side, 2.3, 2.1), (side, 3.05, 2.1), (side, 3.05, 2.8), (side, 2.3, 2.8)], "#27353b", lift=0.02)
    # bumper and lights
    cab.overlay([(-1.2, 4.05, 1.05), (1.2, 4.05, 1.05), (1.2, 4.05, 1.35), (-1.2, 4.05, 1.35)], "#34362c", lift=0.02)
    for sx in (-1.0, 1.0):
        cab.overlay([(sx - .17, 4.0, 1.5), (sx + .17, 4.0, 1.5), (sx + .17, 3.98, 1.68), (sx - .17, 3.98, 1.68)],
                    "#efe6b4", lift=0.04, flat=True)
    # mudguards over the rear axles, deck
    sc.add(m.box(-1.4, 1.4, -3.85, 1.95, 1.15, 1.45, shade(base, 0.92), name="deck", bias=-0.2))
    sc.add(m.frustum_z([(-0.9, -2.6), (0.9, -2.6), (0.9, -1.0), (-0.9, -1.0)], 1.45, 1.8, "#4e5142",
                       top_scale=0.9, name="turntable", camo=False))
    # the rocket pod, raised and aimed forward over the cab
    pivot = (0, -3.2, 1.75)
    elev = math.radians(24)
    pod = m.box(-1.25, 1.25, -3.4, 1.0, 1.75, 3.05, "#6b7050", name="pod", bias=0.8)
    n_cols, n_rows = 5, 3
    front_y = 1.0
    tubes = []
    for r_ in range(n_rows):
        for c_ in range(n_cols):
            x = -1.0 + c_ * 2.0 / (n_cols - 1)
            z = 2.0 + r_ * 0.8 / (n_rows - 1)
            tubes.append((x, z))
    pod.overlay([(-1.18, front_y, 1.82), (1.18, front_y, 1.82), (1.18, front_y, 2.98), (-1.18, front_y, 2.98)], "#3a3d2c", lift=0.01)
    for x, z in tubes:
        pod.overlay(m.disc_on((x, front_y, z), (1, 0, 0), (0, 0, 1), 0.2, 8), "#17170f", lift=0.03)
        pod.overlay(m.disc_on((x + 0.03, front_y, z - 0.03), (1, 0, 0), (0, 0, 1), 0.09, 6), "#b33a1c", lift=0.04, flat=True)
    # ribs on the pod side
    for k in range(4):
        y = -2.8 + k * 1.0
        pod.line((1.25, y, 1.75), (1.25, y, 3.05), "#4a4e38", 0.35)
        pod.line((-1.25, y, 1.75), (-1.25, y, 3.05), "#4a4e38", 0.35)
    pod.transformed(lambda p: m.rot_x(p, elev, pivot))
    sc.add(pod)
    _camo(sc, rng, ["#555a44", "#9a9878"], 16, (-1.5, 1.5, -4, 4.2, 0.8, 4.2), 0.5, 0.95)
    return sc


def fighter_scene(elev=60, roll=-8, yaw=90):
    """Air-superiority fighter seen from above, nose to the left."""
    rng = random.Random(3)
    sc = m.Scene(yaw, elev, light=(-0.3, 0.3, 0.9), roll_deg=roll)
    sc.shadow = False
    sc.outline = "#142030"
    sc.outline_w = 0.9
    sc.ambient, sc.diffuse = 0.55, 0.55
    top = "#8d9cab"
    def ring(y, rx, rz, zc, n=8):
        return [(rx * math.cos(2 * math.pi * (i + .5) / n), y, zc + rz * math.sin(2 * math.pi * (i + .5) / n)) for i in range(n)]
    fus = [ring(-8.6, 1.35, 0.55, 0.1), ring(-6.0, 1.55, 0.65, 0.1), ring(0.0, 1.6, 0.75, 0.1),
           ring(3.0, 1.15, 0.75, 0.2), ring(5.5, 0.68, 0.68, 0.25), ring(8.0, 0.42, 0.42, 0.2), ring(10.2, 0.04, 0.04, 0.15)]
    sc.add(m.loft(fus[:3], top, name="fus_rear"))
    sc.add(m.loft(fus[2:], top, name="fus_front", bias=0.1))
    # radome
    sc.add(m.loft([fus[5], ring(9.4, 0.2, 0.2, 0.17), fus[6]], "#5d6873", name="radome", bias=0.2, camo=False))
    # canopy bubble
    can = [ring(3.0, 0.4, 0.3, 0.8, 8), ring(4.4, 0.6, 0.62, 0.85, 8), ring(5.8, 0.5, 0.45, 0.8, 8), ring(6.9, 0.2, 0.2, 0.7, 8)]
    sc.add(m.loft(can, "#2c4a63", name="canopy", bias=0.6, camo=False))
    sc.parts[-1].overlay([(-0.35, 3.9, 1.42), (0.05, 3.9, 1.5), (0.0, 5.2, 1.45), (-0.3, 5.2, 1.38)], "#cfe8f5", lift=0.06, flat=True)
    # wings
    for s in (-1, 1):
        plan = [(s * 1.5, 2.2), (s * 6.8, -3.0), (s * 6.8, -4.3), (s * 1.5, -5.2)]
        sc.add(m.frustum_z(plan, 0.05, 0.25, top, name="wing"))
        sc.parts[-1].overlay([(s * 6.4, -3.0, 0.26), (s * 6.8, -3.0, 0.26), (s * 6.8, -4.3, 0.26), (s * 6.4, -4.3, 0.26)],
                             "#c8ccd2", lift=0.02)   # missile rail
        plan_t = [(s * 1.5, -6.0), (s * 4.3, -8.5), (s * 4.3, -9.5), (s * 1.5, -9.3)]
        sc.add(m.frustum_z(plan_t, 0.0, 0.15, top, name="tailplane"))
    # twin fins, canted out
    for s in (-1, 1):
        prof = [(-5.4, 0.7), (-8.4, 3.7), (-9.5, 3.7), (-9.2, 0.7)]
        fin = m.extrude_x(prof, s * 1.15 - 0.08, s * 1.15 + 0.08, "#7a8897", name="fin", bias=0.9, camo=False)
        fin.transformed(lambda p, s=s: m.rot_y(p, s * math.radians(-16), (s * 1.15, 0, 0.7)))
        sc.add(fin)
    # engine nozzles
    for s in (-1, 1):
        sc.add(m.cylinder_y(s * 0.65, 0.1, 0.5, -9.6, -8.5, "#4a4d52", n=8, r1=0.55, name="nozzle", camo=False))
    _camo(sc, rng, ["#76879a", "#9eadbb"], 12, (-7, 7, -9.5, 9, -0.5, 2), 0.8, 1.4)
    return sc


# ---------------------------------------------------------------- files

def unit_files():
    return {
        "unit_tank.svg": tank_scene().render(66, 50),
        "unit_ifv.svg": ifv_scene().render(66, 50),
        "unit_rocket.svg": rocket_scene().render(66, 50),
        "unit_fighter.svg": fighter_scene().render(66, 50),
        "intro_tank.svg": tank_scene().render(66, 50),
    }
