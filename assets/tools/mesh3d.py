"""A tiny flat-shaded 3D-to-SVG renderer.

Vehicles are built from convex solids in metres, then projected with one
shared camera and light so every unit has the same viewpoint and lighting.
Output is plain polygons, which Qt's SVG renderer draws crisply at any scale.
"""

import math

from svglib import Svg, shade, mix, path_d, pts


# ---------------------------------------------------------------- vector helpers

def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def mul(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def norm(a):
    length = math.sqrt(dot(a, a)) or 1.0
    return (a[0] / length, a[1] / length, a[2] / length)


def centroid(points):
    n = len(points)
    return (sum(p[0] for p in points) / n, sum(p[1] for p in points) / n, sum(p[2] for p in points) / n)


def newell(poly):
    nx = ny = nz = 0.0
    for i, p in enumerate(poly):
        q = poly[(i + 1) % len(poly)]
        nx += (p[1] - q[1]) * (p[2] + q[2])
        ny += (p[2] - q[2]) * (p[0] + q[0])
        nz += (p[0] - q[0]) * (p[1] + q[1])
    return norm((nx, ny, nz))


def rot_x(p, a, pivot=(0, 0, 0)):
    x, y, z = sub(p, pivot)
    c, s = math.cos(a), math.sin(a)
    return add((x, y * c - z * s, y * s + z * c), pivot)


def rot_y(p, a, pivot=(0, 0, 0)):
    x, y, z = sub(p, pivot)
    c, s = math.cos(a), math.sin(a)
    return add((x * c + z * s, y, -x * s + z * c), pivot)


def rot_z(p, a, pivot=(0, 0, 0)):
    x, y, z = sub(p, pivot)
    c, s = math.cos(a), math.sin(a)
    return add((x * c - y * s, x * s + y * c, z), pivot)


# ---------------------------------------------------------------- model

class Face:
    def __init__(self, poly, color, camo=True, flat=False):
        self.poly = [tuple(p) for p in poly]
        self.color = color
        self.camo = camo
        self.flat = flat      # flat faces keep their colour unshaded (lights, glass glints)


class Part:
    """A convex solid. Faces are oriented outwards automatically; overlays are
    flat details (hatches, wheels, tube mouths) lying on the surface."""

    def __init__(self, faces, name="", bias=0.0, camo=True):
        self.faces = faces
        self.overlays = []
        self.lines = []
        self.name = name
        self.bias = bias
        for f in faces:
            f.camo = f.camo and camo
        self._orient()

    def _orient(self):
        c = centroid([p for f in self.faces for p in f.poly])
        self.center = c
        for f in self.faces:
            n = newell(f.poly)
            if dot(n, sub(centroid(f.poly), c)) < 0:
                f.poly.reverse()

    def overlay(self, poly, color, lift=0.01, flat=False):
        n = newell(poly)
        if dot(n, sub(centroid(poly), self.center)) < 0:
            poly = list(reversed(poly))
            n = mul(n, -1)
        poly = [add(p, mul(n, lift)) for p in poly]
        self.overlays.append(Face(poly, color, camo=False, flat=flat))
        return self

    def line(self, a, b, color, width):
        self.lines.append((a, b, color, width))
        return self

    def transformed(self, fn):
        for f in self.faces + self.overlays:
            f.poly = [fn(p) for p in f.poly]
        self.lines = [(fn(a), fn(b), c, w) for a, b, c, w in self.lines]
        self.center = fn(self.center)
        return self


def loft(sections, color, name="", bias=0.0, camo=True, caps=True):
    """Solid through a list of same-length rings of 3D points."""
    faces = []
    for s0, s1 in zip(sections, sections[1:]):
        n = len(s0)
        for i in range(n):
            j = (i + 1) % n
            q = [s0[i], s0[j], s1[j], s1[i]]
            # drop degenerate corners so tips (radius 0) become triangles
            clean = []
            for p in q:
                if not clean or dot(sub(p, clean[-1]), sub(p, clean[-1])) > 1e-9:
                    clean.append(p)
            if len(clean) > 2 and dot(sub(clean[0], clean[-1]), sub(clean[0], clean[-1])) < 1e-9:
                clean.pop()
            if len(clean) >= 3:
                faces.append(Face(clean, color))
    if caps:
        for s in (sections[0], sections[-1]):
            if max(dot(sub(p, s[0]), sub(p, s[0])) for p in s) > 1e-9:
                faces.append(Face(list(s), color))
    return Part(faces, name, bias, camo)


def box(x0, x1, y0, y1, z0, z1, color, **kw):
    a = [(x0, y0, z0), (x1, y0, z0), (x1, y1, z0), (x0, y1, z0)]
    b = [(x, y, z1) for x, y, _ in a]
    return loft([a, b], color, **kw)


def extrude_x(profile_yz, x0, x1, color, **kw):
    """Side profile (y forward, z up) pushed sideways: hulls, cabs, tracks."""
    return loft([[(x0, y, z) for y, z in profile_yz], [(x1, y, z) for y, z in profile_yz]], color, **kw)


def frustum_z(plan_xy, z0, z1, color, top_scale=1.0, top_shift=(0, 0), **kw):
    """Plan outline raised to a (possibly smaller) top: turrets, cupolas."""
    cx = sum(p[0] for p in plan_xy) / len(plan_xy)
    cy = sum(p[1] for p in plan_xy) / len(plan_xy)
    top = [(cx + (x - cx) * top_scale + top_shift[0], cy + (y - cy) * top_scale + top_shift[1], z1) for x, y in plan_xy]
    return loft([[(x, y, z0) for x, y in plan_xy], top], color, **kw)


def cylinder_y(x, z, r, y0, y1, color, n=8, r1=None, **kw):
    """Round bar along the forward axis: gun barrels, rocket tubes."""
    r1 = r if r1 is None else r1
    ring = lambda y, rr: [(x + rr * math.cos(2 * math.pi * (i + .5) / n), y, z + rr * math.sin(2 * math.pi * (i + .5) / n))
                          for i in range(n)]
    return loft([ring(y0, r), ring(y1, r1)], color, **kw)


def cylinder_x(y, z, r, x0, x1, color, n=10, **kw):
    """Round bar along the side axis: wheels."""
    ring = lambda x: [(x, y + r * math.cos(2 * math.pi * i / n), z + r * math.sin(2 * math.pi * i / n)) for i in range(n)]
    return loft([ring(x0), ring(x1)], color, **kw)


def disc_x(x, y, z, r, n=10):
    return [(x, y + r * math.cos(2 * math.pi * i / n), z + r * math.sin(2 * math.pi * i / n)) for i in range(n)]


def disc_z(x, y, z, r, n=10, ry=None):
    ry = r if ry is None else ry
    return [(x + r * math.cos(2 * math.pi * i / n), y + ry * math.sin(2 * math.pi * i / n), z) for i in range(n)]


def disc_on(center, u, v, r, n=10):
    """Circle lying in the plane spanned by unit vectors u and v."""
    return [add(center, add(mul(u, r * math.cos(2 * math.pi * i / n)), mul(v, r * math.sin(2 * math.pi * i / n))))
            for i in range(n)]


# ---------------------------------------------------------------- 2D clipping

def _clip(subject, clipper):
    """Sutherland-Hodgman; clipper convex and counter-clockwise."""
    out = subject
    for i in range(len(clipper)):
        a, b = clipper[i], clipper[(i + 1) % len(clipper)]
        inp, out = out, []
        if not inp:
            break
        inside = lambda p: (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0]) >= 0

        def inter(p, q):
            x1, y1, x2, y2 = p[0], p[1], q[0], q[1]
            x3, y3, x4, y4 = a[0], a[1], b[0], b[1]
            den = (x1 - x2) * (y3 - y4) - (y1 - y2) * (x3 - x4)
            if abs(den) < 1e-12:
                return q
            t = ((x1 - x3) * (y3 - y4) - (y1 - y3) * (x3 - x4)) / den
            return (x1 + t * (x2 - x1), y1 + t * (y2 - y1))
        s = inp[-1]
        for e in inp:
            if inside(e):
                if not inside(s):
                    out.append(inter(s, e))
                out.append(e)
            elif inside(s):
                out.append(inter(s, e))
            s = e
    return out


def _area2(poly):
    return sum(poly[i][0] * poly[(i + 1) % len(poly)][1] - poly[(i + 1) % len(poly)][0] * poly[i][1]
               for i in range(len(poly)))


def convex_hull(points):
    pts_ = sorted(set((round(x, 4), round(y, 4)) for x, y in points))
    if len(pts_) < 3:
        return pts_
    def cr(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])
    lower, upper = [], []
    for p in pts_:
        while len(lower) >= 2 and cr(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts_):
        while len(upper) >= 2 and cr(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


# ---------------------------------------------------------------- scene

class Scene:
    def __init__(self, yaw_deg, elev_deg, light=(-0.5, 0.35, 0.8), roll_deg=0.0):
        self.parts = []
        self.yaw = math.radians(yaw_deg)
        self.elev = math.radians(elev_deg)
        self.roll = math.radians(roll_deg)
        self.light = norm(light)
        self.camo = []          # (center, radius, colour)
        self.outline = "#1a1c12"
        self.outline_w = 1.1
        self.shadow = True
        self.shadow_opacity = 0.35
        self.ambient = 0.5
        self.diffuse = 0.62

    def add(self, part):
        self.parts.append(part)
        return part

    # model -> world (vehicle yaw/roll), world -> screen
    def world(self, p):
        if self.roll:
            p = rot_y(p, self.roll)
        return rot_z(p, self.yaw)

    def view_dir(self):
        return (0.0, math.cos(self.elev), math.sin(self.elev))

    def project(self, p):
        se, ce = math.sin(self.elev), math.cos(self.elev)
        return (p[0], p[1] * se - p[2] * ce)

    def depth(self, p):
        return dot(p, self.view_dir())

    def _shade(self, color, n, flat=False):
        if flat:
            return color
        k = self.ambient + self.diffuse * max(0.0, dot(n, self.light))
        # a touch of sky bounce on faces turned away from the sun keeps them from going muddy
        k += 0.08 * max(0.0, n[2])
        return shade(color, k)

    def _camo_polys(self, face_w, n):
        """Intersect camouflage spheres (model space) with a face plane, clip to the face."""
        out = []
        if not self.camo:
            return out
        p0 = face_w.poly[0]
        u = norm(sub(face_w.poly[1], p0))
        v = cross(n, u)
        to2 = lambda p: (dot(sub(p, p0), u), dot(sub(p, p0), v))
        clip = [to2(p) for p in face_w.poly]
        if _area2(clip) < 0:
            clip = clip[::-1]
        for c, r, col in face_w.camo_spheres:
            d = dot(sub(c, p0), n)
            if abs(d) >= r:
                continue
            rr = math.sqrt(r * r - d * d)
            cc = to2(sub(c, mul(n, d)))
            circ = [(cc[0] + rr * math.cos(2 * math.pi * i / 11), cc[1] + rr * math.sin(2 * math.pi * i / 11)) for i in range(11)]
            poly = _clip(circ, clip)
            if len(poly) >= 3 and abs(_area2(poly)) > 1e-4:
                out.append(([add(p0, add(mul(u, a), mul(v, b))) for a, b in poly], col))
        return out

    def render(self, w, h, margin=1.0, svg=None, fit=None, anchor=(0.5, 0.5)):
        vd = self.view_dir()
        cam_spheres = [(self.world(c), r, col) for c, r, col in self.camo]
        items = []   # (depth, bias, polys...)
        shadow_polys = []
        all2d = []
        for part in self.parts:
            faces = []
            for f in part.faces:
                poly = [self.world(p) for p in f.poly]
                n = newell(poly)
                nf = Face(poly, f.color, f.camo, f.flat)
                nf.camo_spheres = cam_spheres if f.camo else []
                faces.append((n, nf))
            vis = [(n, f) for n, f in faces if dot(n, vd) > 1e-4]
            vis.sort(key=lambda t: self.depth(centroid(t[1].poly)))
            ovs = []
            for f in part.overlays:
                poly = [self.world(p) for p in f.poly]
                n = newell(poly)
                if dot(n, vd) > 1e-4:
                    ovs.append((n, Face(poly, f.color, False, f.flat)))
            lines = [(self.world(a), self.world(b), c, wd) for a, b, c, wd in part.lines]
            cw = self.world(part.center)
            items.append((self.depth(cw) + part.bias, vis, ovs, lines))
            wp = [self.world(p) for f in part.faces for p in f.poly]
            if self.shadow:
                L = self.light
                sp = [(p[0] - L[0] * p[2] / L[2], p[1] - L[1] * p[2] / L[2], 0.0) for p in wp]
                shadow_polys.append(convex_hull([self.project(p) for p in sp]))
                all2d.extend(self.project(p) for p in sp)
            all2d.extend(self.project(p) for p in wp)
        items.sort(key=lambda t: t[0])

        # fit the projected model into the picture
        xs = [p[0] for p in all2d]
        ys = [p[1] for p in all2d]
        bw, bh = max(xs) - min(xs), max(ys) - min(ys)
        pad = margin + self.outline_w * 0.5
        s = fit if fit else min((w - 2 * pad) / bw, (h - 2 * pad) / bh)
        ox = pad + (w - 2 * pad - bw * s) * anchor[0] - min(xs) * s
        oy = pad + (h - 2 * pad - bh * s) * anchor[1] - min(ys) * s
        self.scale = s
        self.to_px = lambda q: (ox + q[0] * s, oy + q[1] * s)
        P = lambda p: self.to_px(self.project(p))

        svg = svg or Svg(w, h)
        if self.shadow and shadow_polys:
            svg.path(path_d([[self.to_px(q) for q in hp] for hp in shadow_polys]),
                     fill="#000", fill_opacity=self.shadow_opacity)
        # silhouette outline: every visible face, fat dark stroke, drawn once under the model
        outl = []
        for _, vis, _, _ in items:
            outl.extend([P(p) for p in f.poly] for n, f in vis)
        if self.outline_w > 0:
            svg.path(path_d(outl), fill=self.outline, stroke=self.outline,
                     stroke_width=self.outline_w * 2, stroke_linejoin="round")
        # faces get a hairline stroke in their own colour to hide anti-aliasing seams
        svg.add('<g stroke-width=".3" stroke-linejoin="round">')
        for _, vis, ovs, lines in items:
            for n, f in vis:
                col = self._shade(f.color, n, f.flat)
                svg.add(f'<polygon points="{pts([P(p) for p in f.poly])}" fill="{col}" stroke="{col}"/>')
                for cp, ccol in self._camo_polys(f, n):
                    c2 = self._shade(ccol, n)
                    svg.add(f'<polygon points="{pts([P(p) for p in cp])}" fill="{c2}"/>')
            for n, f in ovs:
                col = self._shade(f.color, n, f.flat)
                svg.add(f'<polygon points="{pts([P(p) for p in f.poly])}" fill="{col}"/>')
            for a, b, c, wd in lines:
                pa, pb = P(a), P(b)
                svg.line(pa[0], pa[1], pb[0], pb[1], stroke=c, stroke_width=wd, stroke_linecap="round")
        svg.end()
        return svg
