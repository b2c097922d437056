"""Minimal SVG writer that only emits what Qt's SVG Tiny 1.2 renderer handles:
shapes, groups, transforms, linear/radial gradients and fill/stroke opacity."""

import math


def fmt(v, digits=1):
    """Short number text: one decimal is plenty even at 2x device pixel ratio
    (opacities and gradient offsets take two)."""
    s = f"{v:.{digits}f}".rstrip("0").rstrip(".")
    if s == "-0":
        s = "0"
    if s.startswith("0."):
        s = s[1:]
    elif s.startswith("-0."):
        s = "-" + s[2:]
    return s


def fmt2(v):
    return fmt(v, 2)


# ---------------------------------------------------------------- colours

def rgb(c):
    c = c.lstrip("#")
    if len(c) == 3:
        c = "".join(ch * 2 for ch in c)
    return tuple(int(c[i:i + 2], 16) for i in (0, 2, 4))


def hexc(t):
    r, g, b = (max(0, min(255, int(round(x)))) for x in t)
    s = f"#{r:02x}{g:02x}{b:02x}"
    # #aabbcc -> #abc keeps files small
    if s[1] == s[2] and s[3] == s[4] and s[5] == s[6]:
        s = "#" + s[1] + s[3] + s[5]
    return s


def shade(c, k):
    """Multiply brightness; k > 1 also lifts towards white a little so highlights stay readable."""
    r, g, b = rgb(c)
    if k <= 1:
        return hexc((r * k, g * k, b * k))
    t = min(1.0, (k - 1) * 0.5)
    return hexc(tuple(min(255, x * k) * (1 - t) + 255 * t for x in (r, g, b)))


def mix(a, b, t):
    ra, rb = rgb(a), rgb(b)
    return hexc(tuple(x + (y - x) * t for x, y in zip(ra, rb)))


# ---------------------------------------------------------------- document

def _attrs(kw):
    out = []
    for k, v in kw.items():
        if v is None:
            continue
        k = k.rstrip("_").replace("_", "-")
        if isinstance(v, float):
            v = fmt2(v) if "opacity" in k or k == "offset" else fmt(v)
        out.append(f'{k}="{v}"')
    return (" " + " ".join(out)) if out else ""


def pts(points):
    return " ".join(f"{fmt(x)},{fmt(y)}" for x, y in points)


def path_d(polys, close=True):
    """Several polygons as sub-paths of one path (one fill, overlaps painted once)."""
    parts = []
    for poly in polys:
        if len(poly) < 2:
            continue
        s = "M" + " ".join(f"{fmt(x)} {fmt(y)}" for x, y in poly)
        parts.append(s + ("Z" if close else ""))
    return "".join(parts)


class Svg:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.defs = []
        self.body = []
        self._grads = {}

    # gradients are de-duplicated so repeated puffs share one definition
    def _grad(self, key, text_fn):
        if key in self._grads:
            return self._grads[key]
        gid = _gid(len(self._grads))
        self._grads[key] = gid
        self.defs.append(text_fn(gid))
        return gid

    @staticmethod
    def _stops(stops):
        s = []
        for st in stops:
            off, col = st[0], st[1]
            op = st[2] if len(st) > 2 else 1
            o = f' stop-opacity="{fmt2(op)}"' if op != 1 else ""
            s.append(f'<stop offset="{fmt2(off)}" stop-color="{col}"{o}/>')
        return "".join(s)

    def lin(self, stops, x1=0, y1=0, x2=0, y2=1, user=False):
        key = ("l", tuple(map(tuple, stops)), x1, y1, x2, y2, user)
        units = ' gradientUnits="userSpaceOnUse"' if user else ""
        f = fmt if user else fmt2

        def text(gid):
            return (f'<linearGradient id="{gid}" x1="{f(x1)}" y1="{f(y1)}" x2="{f(x2)}" y2="{f(y2)}"{units}>'
                    + self._stops(stops) + "</linearGradient>")
        return "url(#%s)" % self._grad(key, text)

    def rad(self, stops, cx=.5, cy=.5, r=.5, fx=None, fy=None, user=False):
        key = ("r", tuple(map(tuple, stops)), cx, cy, r, fx, fy, user)
        units = ' gradientUnits="userSpaceOnUse"' if user else ""
        f = fmt if user else fmt2

        def text(gid):
            foc = ""
            if fx is not None:
                foc = f' fx="{f(fx)}" fy="{f(fy)}"'
            geo = f' cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}"'   # Qt has no 50% defaults here
            return (f'<radialGradient id="{gid}"{geo}{foc}{units}>'
                    + self._stops(stops) + "</radialGradient>")
        return "url(#%s)" % self._grad(key, text)

    # shapes
    def add(self, s):
        self.body.append(s)

    def rect(self, x, y, w, h, **kw):
        self.add(f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}"{_attrs(kw)}/>')

    def circle(self, cx, cy, r, **kw):
        self.add(f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}"{_attrs(kw)}/>')

    def ellipse(self, cx, cy, rx, ry, **kw):
        self.add(f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy)}" rx="{fmt(rx)}" ry="{fmt(ry)}"{_attrs(kw)}/>')

    def poly(self, points, **kw):
        self.add(f'<polygon points="{pts(points)}"{_attrs(kw)}/>')

    def polyline(self, points, **kw):
        kw.setdefault("fill", "none")
        self.add(f'<polyline points="{pts(points)}"{_attrs(kw)}/>')

    def line(self, x1, y1, x2, y2, **kw):
        self.add(f'<line x1="{fmt(x1)}" y1="{fmt(y1)}" x2="{fmt(x2)}" y2="{fmt(y2)}"{_attrs(kw)}/>')

    def path(self, d, **kw):
        self.add(f'<path d="{d}"{_attrs(kw)}/>')

    def text(self, x, y, s, **kw):
        kw.setdefault("font_family", "DejaVu Sans")
        self.add(f'<text x="{fmt(x)}" y="{fmt(y)}"{_attrs(kw)}>{s}</text>')

    def group(self, **kw):
        self.add(f"<g{_attrs(kw)}>")

    def end(self):
        self.add("</g>")

    def tostring(self):
        head = (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{self.w}" height="{self.h}" viewBox="0 0 {self.w} {self.h}">')
        defs = ("<defs>" + "".join(self.defs) + "</defs>") if self.defs else ""
        return head + "\n" + defs + "\n" + "\n".join(self.body) + "\n</svg>\n"

    def save(self, path):
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(self.tostring())


def _gid(n):
    letters = "abcdefghijklmnopqrstuvwxyz"
    s = ""
    n += 1
    while n:
        n, r = divmod(n - 1, 26)
        s = letters[r] + s
    return s


# ---------------------------------------------------------------- geometry helpers

def circle_pts(cx, cy, r, n=12, rot=0.0, ry=None):
    ry = r if ry is None else ry
    return [(cx + r * math.cos(rot + 2 * math.pi * i / n), cy + ry * math.sin(rot + 2 * math.pi * i / n))
            for i in range(n)]


def blob_pts(rng, cx, cy, r, n=10, jitter=0.3, ry=None):
    """Irregular closed shape: a circle whose radius wobbles; used for smoke, bushes, rubble."""
    ry = r if ry is None else ry
    out = []
    for i in range(n):
        a = 2 * math.pi * i / n
        k = 1 + rng.uniform(-jitter, jitter)
        out.append((cx + r * k * math.cos(a), cy + ry * k * math.sin(a)))
    return out


def smooth_path(points, closed=True):
    """Catmull-Rom through the points, written as cubic Beziers: soft organic outlines."""
    n = len(points)
    if n < 3:
        return path_d([points], closed)
    P = points
    d = [f"M{fmt(P[0][0])} {fmt(P[0][1])}"]
    rng_i = range(n) if closed else range(n - 1)
    for i in rng_i:
        p0 = P[(i - 1) % n] if (closed or i > 0) else P[i]
        p1 = P[i]
        p2 = P[(i + 1) % n]
        p3 = P[(i + 2) % n] if (closed or i + 2 < n) else P[(i + 1) % n]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d.append(f"C{fmt(c1[0])} {fmt(c1[1])} {fmt(c2[0])} {fmt(c2[1])} {fmt(p2[0])} {fmt(p2[1])}")
    return "".join(d) + ("Z" if closed else "")
