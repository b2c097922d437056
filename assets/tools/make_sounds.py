#!/usr/bin/env python3
"""Synthesises the game's eight sound effects into assets/sounds/.

Standard library only: noise, filters, envelopes and pitch sweeps. Every
generator has a fixed seed, so regeneration gives byte-identical files.
Format: 16-bit PCM mono 22050 Hz, peak normalised to -1 dBFS.
"""

import math
import os
import random
import struct
import wave

SR = 22050
PEAK = 10 ** (-1 / 20)
OUT = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "sounds")


# ---------------------------------------------------------------- building blocks

def n_of(sec):
    return int(round(sec * SR))


def silence(sec):
    return [0.0] * n_of(sec)


def noise(sec, rng):
    return [rng.uniform(-1, 1) for _ in range(n_of(sec))]


def brown(sec, rng):
    """Integrated noise: the deep rumble under explosions."""
    out, y = [], 0.0
    for _ in range(n_of(sec)):
        y = 0.985 * y + rng.uniform(-1, 1) * 0.15
        out.append(y)
    return out


def biquad(x, kind, freq, q=0.707):
    """RBJ biquad; freq may be a function of time in seconds for sweeps."""
    out = [0.0] * len(x)
    x1 = x2 = y1 = y2 = 0.0
    fn = freq if callable(freq) else (lambda t: freq)
    b0 = b1 = b2 = a1 = a2 = 0.0
    for i, s in enumerate(x):
        if i % 32 == 0:
            f = min(max(fn(i / SR), 20.0), SR * 0.45)
            w = 2 * math.pi * f / SR
            cw, sw = math.cos(w), math.sin(w)
            alpha = sw / (2 * q)
            a0 = 1 + alpha
            if kind == "lp":
                b0, b1, b2 = (1 - cw) / 2, 1 - cw, (1 - cw) / 2
            elif kind == "hp":
                b0, b1, b2 = (1 + cw) / 2, -(1 + cw), (1 + cw) / 2
            else:  # band-pass, constant peak gain
                b0, b1, b2 = alpha, 0.0, -alpha
            a1, a2 = -2 * cw, 1 - alpha
            b0, b1, b2, a1, a2 = b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0
        y = b0 * s + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, s, y1, y
        out[i] = y
    return out


def env_exp(length_sec, tau, attack=0.002, delay=0.0):
    """Quick attack, exponential decay: the shape of every bang."""
    out = []
    for i in range(n_of(length_sec)):
        t = i / SR - delay
        if t < 0:
            out.append(0.0)
        elif t < attack:
            out.append(t / attack)
        else:
            out.append(math.exp(-(t - attack) / tau))
    return out


def sweep(length_sec, f0, f1, tau_f, harmonics=((1, 1.0),), delay=0.0):
    """Oscillator whose pitch glides exponentially from f0 towards f1."""
    out, ph = [], 0.0
    for i in range(n_of(length_sec)):
        t = i / SR - delay
        if t < 0:
            out.append(0.0)
            continue
        f = f1 + (f0 - f1) * math.exp(-t / tau_f)
        ph += 2 * math.pi * f / SR
        out.append(sum(a * math.sin(k * ph) for k, a in harmonics))
    return out


def mul(a, b):
    return [x * y for x, y in zip(a, b)]


def scale(a, k):
    return [x * k for x in a]


def mix_into(dst, src, gain=1.0, at=0.0):
    o = n_of(at)
    for i, v in enumerate(src):
        if o + i < len(dst):
            dst[o + i] += v * gain
    return dst


def echo(x, delays):
    """Slap-back off the terrain: a few delayed, darker copies."""
    out = list(x)
    for d, g in delays:
        dl = biquad(x, "lp", 900)
        mix_into(out, dl, g, d)
    return out


def soft_clip(x, drive=1.5):
    k = math.tanh(drive)
    return [math.tanh(v * drive) / k for v in x]


def finish(x, fade_in=0.003, fade_out=0.04):
    """Remove DC, fade both ends (no clicks), normalise to -1 dBFS."""
    mean = sum(x) / len(x)
    x = [v - mean for v in x]
    fi, fo = n_of(fade_in), n_of(fade_out)
    for i in range(fi):
        x[i] *= i / fi
    for i in range(fo):
        x[-1 - i] *= i / fo
    peak = max(abs(v) for v in x) or 1.0
    return [v * PEAK / peak for v in x]


def write(name, x):
    os.makedirs(OUT, exist_ok=True)
    data = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, v)) * 32767))) for v in x)
    with wave.open(os.path.join(OUT, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(data)


# ---------------------------------------------------------------- the effects

def boom(rng, length, cut0, cut1, cut_tau, tau, sub=(90, 35, 0.25, 0.3), sub_gain=1.0, crack=0.6, crack_tau=0.012):
    """Generic explosion body: a crack, filtered noise falling in pitch and a sub thump."""
    out = silence(length)
    c = biquad(noise(0.08, rng), "hp", 1500)
    mix_into(out, mul(c, env_exp(0.08, crack_tau, 0.0005)), crack)
    body = biquad(noise(length, rng), "lp", lambda t: cut1 + (cut0 - cut1) * math.exp(-t / cut_tau), 0.8)
    mix_into(out, mul(body, env_exp(length, tau, 0.003)), 1.6)
    f0, f1, ftau, stau = sub
    mix_into(out, mul(sweep(length, f0, f1, ftau), env_exp(length, stau, 0.004)), sub_gain)
    return out


def main_gun():
    rng = random.Random(1001)
    L = 1.7
    x = boom(rng, L, 1400, 120, 0.25, 0.32, sub=(100, 38, 0.2, 0.32), sub_gain=1.1, crack=0.9)
    tail = biquad(brown(L, rng), "lp", 220)
    mix_into(x, mul(tail, env_exp(L, 0.6, 0.02, 0.05)), 1.2)
    x = echo(x, [(0.14, 0.35), (0.31, 0.2)])
    return finish(soft_clip(scale(x, 1 / max(abs(v) for v in x)), 1.8), fade_out=0.15)


def cannon_attack():
    # the enemy gun: further away, sharper and thinner than our own
    rng = random.Random(1002)
    L = 1.15
    x = boom(rng, L, 3200, 320, 0.12, 0.16, sub=(150, 60, 0.12, 0.15), sub_gain=0.55, crack=1.0, crack_tau=0.02)
    ring = biquad(noise(L, rng), "bp", 700, 4)
    mix_into(x, mul(ring, env_exp(L, 0.06, 0.001)), 0.8)
    x = echo(x, [(0.19, 0.4), (0.42, 0.22)])
    return finish(soft_clip(scale(x, 1 / max(abs(v) for v in x)), 1.4), fade_out=0.12)


def artillery_hit():
    # shell on armour: an inharmonic clang over a short thud
    rng = random.Random(1003)
    L = 1.0
    x = silence(L)
    mix_into(x, mul(noise(0.02, rng), env_exp(0.02, 0.003, 0.0002)), 0.9)
    for f, a, tau in ((412, 0.7, 0.32), (1127, 0.55, 0.22), (1873, 0.4, 0.15), (2618, 0.3, 0.1), (3391, 0.2, 0.07)):
        f *= rng.uniform(0.99, 1.01)
        tone = sweep(L, f * 1.02, f, 0.05)
        mix_into(x, mul(tone, env_exp(L, tau, 0.0008)), a)
    thud = biquad(noise(L, rng), "lp", 380)
    mix_into(x, mul(thud, env_exp(L, 0.07, 0.001)), 2.2)
    mix_into(x, mul(sweep(L, 110, 55, 0.05), env_exp(L, 0.08, 0.002)), 0.7)
    sizzle = biquad(noise(L, rng), "bp", 3200, 1.5)
    mix_into(x, mul(sizzle, env_exp(L, 0.25, 0.01, 0.03)), 0.25)
    return finish(x, fade_out=0.1)


def crackle(rng, length, start, count, gain):
    """Sparse pops of burning wreckage, thinning out over time."""
    out = silence(length)
    for _ in range(count):
        t = start + (length - start - 0.05) * rng.random() ** 1.8
        burst = biquad(noise(0.012, rng), "bp", rng.uniform(1500, 5000), 2)
        mix_into(out, mul(burst, env_exp(0.012, 0.002, 0.0002)), gain * rng.uniform(0.3, 1.0), t)
    return out


def large_explosion():
    rng = random.Random(1004)
    L = 2.4
    x = boom(rng, L, 2600, 140, 0.35, 0.55, sub=(70, 26, 0.35, 0.6), sub_gain=1.2, crack=0.7)
    rum = brown(L, rng)
    swell = [0.6 + 0.4 * math.sin(2 * math.pi * 2.3 * i / SR + 1.0) for i in range(n_of(L))]
    mix_into(x, mul(mul(biquad(rum, "lp", 160), env_exp(L, 0.9, 0.08)), swell), 1.6)
    mix_into(x, crackle(rng, L, 0.15, 70, 0.35))
    return finish(soft_clip(scale(x, 1 / max(abs(v) for v in x)), 1.6), fade_out=0.3)


def battle_bang():
    # two blasts in quick succession, then pieces raining down
    rng = random.Random(1005)
    L = 2.3
    x = boom(rng, L, 5000, 300, 0.12, 0.22, sub=(110, 50, 0.15, 0.2), sub_gain=0.7, crack=1.0)
    second = boom(rng, L - 0.28, 1700, 130, 0.3, 0.5, sub=(60, 28, 0.3, 0.5), sub_gain=1.2, crack=0.4)
    mix_into(x, second, 1.1, 0.28)
    for _ in range(45):
        t = 0.35 + 1.7 * rng.random() ** 1.5
        d = rng.uniform(0.01, 0.035)
        hit = biquad(noise(d, rng), "bp", rng.uniform(700, 3800), 5)
        g = 0.9 * (1 - (t - 0.35) / 1.9) * rng.uniform(0.4, 1.0)
        mix_into(x, mul(hit, env_exp(d, d / 4, 0.0005)), g, t)
    return finish(soft_clip(scale(x, 1 / max(abs(v) for v in x)), 1.5), fade_out=0.3)


def jet_crash():
    rng = random.Random(1006)
    L = 2.5
    hit = 1.15
    x = silence(L)
    # dive: turbine whine dropping in pitch, roar swelling as it comes in
    whine = sweep(hit + 0.05, 1500, 480, 0.7, harmonics=((1, 1.0), (2, 0.45), (3, 0.25), (5, 0.12)))
    roar = biquad(noise(hit + 0.05, rng), "bp", lambda t: 2800 * math.exp(-t / 0.9) + 700, 1.1)
    ramp = [min(1.0, 0.25 + 0.75 * (i / n_of(hit)) ** 1.5) for i in range(n_of(hit + 0.05))]
    cut = [1.0 if i < n_of(hit) else max(0.0, 1 - (i - n_of(hit)) / n_of(0.05)) for i in range(n_of(hit + 0.05))]
    env = mul(ramp, cut)
    mix_into(x, mul(whine, env), 0.28)
    mix_into(x, mul(roar, env), 1.2)
    bang = boom(rng, L - hit, 3000, 150, 0.3, 0.45, sub=(80, 30, 0.3, 0.5), sub_gain=1.1, crack=0.9)
    mix_into(bang, crackle(rng, L - hit, 0.1, 40, 0.3))
    mix_into(x, bang, 2.2, hit)
    return finish(soft_clip(scale(x, 1 / max(abs(v) for v in x)), 1.4), fade_in=0.01, fade_out=0.3)


def mach_gun_attack():
    rng = random.Random(1007)
    L = 1.2
    x = silence(L)
    t = 0.005
    for k in range(12):
        g = rng.uniform(0.8, 1.0)
        snap = biquad(noise(0.03, rng), "hp", 1200)
        mix_into(x, mul(snap, env_exp(0.03, 0.006, 0.0003)), g, t)
        body = biquad(noise(0.12, rng), "lp", 700)
        mix_into(x, mul(body, env_exp(0.12, 0.028, 0.0008)), 2.2 * g, t)
        mix_into(x, mul(sweep(0.08, 220, 90, 0.02), env_exp(0.08, 0.02, 0.001)), 0.45 * g, t)
        t += 0.085 + rng.uniform(-0.006, 0.006)
    tail = biquad(noise(L, rng), "lp", 500)
    mix_into(x, mul(tail, [min(1.0, i / n_of(0.1)) * (1.0 if i < n_of(t) else math.exp(-(i - n_of(t)) / n_of(0.08)))
                           for i in range(n_of(L))]), 0.15)
    return finish(x, fade_out=0.08)


def missile_attack():
    rng = random.Random(1008)
    L = 1.9
    x = silence(L)
    pop = biquad(noise(0.1, rng), "lp", 2200)
    mix_into(x, mul(pop, env_exp(0.1, 0.025, 0.001)), 1.2)
    # motor roar: pitch rises as it leaves, then drops as it goes away
    centre = lambda t: 500 + 2300 * math.sin(math.pi * min(1.0, t / 1.3)) ** 1.3 if t < 0.65 else \
        800 + 2000 * math.exp(-(t - 0.65) / 0.6)
    motor = biquad(noise(L, rng), "bp", centre, 1.3)
    rough = [0.75 + 0.25 * math.sin(2 * math.pi * 37 * i / SR + 0.3 * math.sin(2 * math.pi * 5 * i / SR))
             for i in range(n_of(L))]
    shape = [min(1.0, (i / SR) / 0.12) * (1.0 if i / SR < 0.7 else math.exp(-(i / SR - 0.7) / 0.45)) for i in range(n_of(L))]
    mix_into(x, mul(mul(motor, rough), shape), 2.0)
    hiss = biquad(noise(L, rng), "hp", 4000)
    mix_into(x, mul(hiss, shape), 0.25)
    low = biquad(brown(L, rng), "lp", 150)
    mix_into(x, mul(low, env_exp(L, 0.5, 0.02)), 1.0)
    return finish(x, fade_in=0.004, fade_out=0.25)


SOUNDS = {
    "Maingun.WAV": main_gun,
    "CannonAttack.WAV": cannon_attack,
    "ArtilleryHit.WAV": artillery_hit,
    "LargExplos.WAV": large_explosion,
    "BattleBang.WAV": battle_bang,
    "JetCrash.WAV": jet_crash,
    "MachGunAttack.WAV": mach_gun_attack,
    "MissileAttack.WAV": missile_attack,
}


def main():
    total = 0
    for name, fn in SOUNDS.items():
        write(name, fn())
        total += os.path.getsize(os.path.join(OUT, name))
    print(f"sounds: {len(SOUNDS)} files, {total / 1024:.0f} KiB in {OUT}")


if __name__ == "__main__":
    main()
