#!/usr/bin/env python3
"""Checks the generated assets the game loads: every file present, SVG sizes and
the Qt-safe subset, WAV format, length and loudness. Exits 1 on any problem."""

import math
import os
import struct
import sys
import wave
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PIC = os.path.join(ROOT, "pictures")
SND = os.path.join(ROOT, "sounds")
NS = "{http://www.w3.org/2000/svg}"

SCENES = ["picAdvance", "picChess", "picLight", "picChair", "picPeace", "picGrid", "picConquer", "picCity",
          "picCityRuins", "picTankRuins", "picLiberate", "picInvade", "picFighter", "picShip", "picGarage",
          "picBase", "picPod"]

# name -> (width, height, must have transparent background)
PICTURES = {
    "unit_rocket.svg": (66, 50, True), "unit_tank.svg": (66, 50, True), "unit_ifv.svg": (66, 50, True),
    "unit_fighter.svg": (66, 50, True), "gun.svg": (28, 71, True), "arrow_left.svg": (18, 18, True),
    "arrow_right.svg": (18, 18, True), "select.svg": (73, 57, True), "ammo_round.svg": (20, 36, True),
    "intro_tank.svg": (66, 50, True), "intro_arrows.svg": (200, 120, False), "about_logo.svg": (429, 120, False),
    "bulwarn_icon.svg": (256, 256, False),
}
PICTURES.update({f"{n}.svg": (205, 125, False) for n in SCENES})
FRAMES = {f"gunblast_{i:02d}.svg": (65, 65, True) for i in range(12)}
for k in "ABCD":
    FRAMES.update({f"hit{k}_{i:02d}.svg": (47, 51, True) for i in range(16)})
for k in "AB":
    FRAMES.update({f"blast{k}_{i:02d}.svg": (100, 150, True) for i in range(16)})
FRAMES.update({f"blastC_{i:02d}.svg": (100, 77, True) for i in range(16)})

SOUNDS = ["Maingun.WAV", "ArtilleryHit.WAV", "LargExplos.WAV", "BattleBang.WAV", "JetCrash.WAV",
          "CannonAttack.WAV", "MachGunAttack.WAV", "MissileAttack.WAV"]

# Qt 6's SVG renderer implements SVG Tiny 1.2; anything else is silently dropped
ALLOWED = {"svg", "defs", "g", "path", "rect", "circle", "ellipse", "line", "polyline", "polygon", "text",
           "linearGradient", "radialGradient", "stop"}


def check_svg(name, w, h, transparent, limit):
    path = os.path.join(PIC, name)
    if not os.path.exists(path):
        return ["missing"]
    errs = []
    size = os.path.getsize(path)
    if size > limit:
        errs.append(f"{size} bytes > {limit}")
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as e:
        return [f"not XML: {e}"]
    if root.get("width") != str(w) or root.get("height") != str(h) or root.get("viewBox") != f"0 0 {w} {h}":
        errs.append(f"size {root.get('width')}x{root.get('height')} viewBox {root.get('viewBox')!r}")
    ids = set()
    for el in root.iter():
        tag = el.tag.replace(NS, "")
        if tag not in ALLOWED:
            errs.append(f"element <{tag}>")
        if "class" in el.attrib or "style" in el.attrib or "filter" in el.attrib or "mask" in el.attrib:
            errs.append(f"attribute on <{tag}>")
        if any(k.endswith("href") for k in el.attrib):
            errs.append(f"href on <{tag}>")
        if tag == "text" and "DejaVu Sans" not in el.get("font-family", ""):
            errs.append("text without DejaVu Sans")
        if el.get("id"):
            ids.add(el.get("id"))
    for el in root.iter():
        for v in el.attrib.values():
            if v.startswith("url(#") and v[5:-1] not in ids:
                errs.append(f"dangling {v}")
    if transparent:
        for el in root.iter(NS + "rect"):
            if (el.get("x", "0"), el.get("y", "0"), el.get("width"), el.get("height")) == ("0", "0", str(w), str(h)):
                errs.append("opaque background rect")
    return errs


def check_wav(name):
    path = os.path.join(SND, name)
    if not os.path.exists(path):
        return ["missing"], None
    errs = []
    with open(path, "rb") as f:
        head = f.read(12)
    if head[:4] != b"RIFF" or head[8:12] != b"WAVE":
        errs.append("not RIFF/WAVE")
    with wave.open(path, "rb") as w:
        ch, sw, sr, n = w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()
        data = w.readframes(n)
    if (ch, sw, sr) != (1, 2, 22050):
        errs.append(f"format {ch}ch {sw * 8}bit {sr}Hz")
    samples = struct.unpack(f"<{len(data) // 2}h", data)
    dur = n / sr
    if not 0.3 <= dur <= 2.5:
        errs.append(f"length {dur:.2f}s")
    peak = max(abs(s) for s in samples) / 32768
    db = 20 * math.log10(peak) if peak else -99
    if not -1.5 <= db <= -0.5:
        errs.append(f"peak {db:.2f} dBFS")
    if abs(samples[0]) > 300 or abs(samples[-1]) > 300:
        errs.append("starts or ends with a click")
    return errs, (dur, db)


def main():
    bad = 0
    print(f"{'picture':<24}{'size':>8}  status")
    for name, (w, h, tr) in sorted(PICTURES.items()):
        errs = check_svg(name, w, h, tr, 20000)
        bad += bool(errs)
        sz = os.path.getsize(os.path.join(PIC, name)) if os.path.exists(os.path.join(PIC, name)) else 0
        print(f"{name:<24}{sz:>8}  {'ok' if not errs else '; '.join(errs)}")
    frame_bytes, frame_max = 0, 0
    for name, (w, h, tr) in sorted(FRAMES.items()):
        errs = check_svg(name, w, h, tr, 8000)
        if errs:
            bad += 1
            print(f"{name:<24}{'':>8}  {'; '.join(errs)}")
        elif os.path.exists(os.path.join(PIC, name)):
            sz = os.path.getsize(os.path.join(PIC, name))
            frame_bytes += sz
            frame_max = max(frame_max, sz)
    print(f"{len(FRAMES)} animation frames: {frame_bytes} bytes, largest {frame_max}")
    extra = sorted(set(os.listdir(PIC)) - set(PICTURES) - set(FRAMES)) if os.path.isdir(PIC) else []
    if extra:
        bad += 1
        print("unexpected pictures:", ", ".join(extra))

    print(f"\n{'sound':<20}{'seconds':>8}{'peak dBFS':>11}  status")
    total = 0
    for name in SOUNDS:
        errs, info = check_wav(name)
        bad += bool(errs)
        if info:
            total += os.path.getsize(os.path.join(SND, name))
            print(f"{name:<20}{info[0]:>8.2f}{info[1]:>11.2f}  {'ok' if not errs else '; '.join(errs)}")
        else:
            print(f"{name:<20}{'':>19}  {'; '.join(errs)}")
    if total > 2 * 1024 * 1024:
        bad += 1
        print(f"sounds total {total} bytes > 2 MiB")
    print(f"sounds total {total} bytes")
    print("\nall assets ok" if not bad else f"\n{bad} problem(s)")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
