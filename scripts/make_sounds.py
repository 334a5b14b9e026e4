#!/usr/bin/env python3
"""Makes the game's sounds in assets/sounds/.

The ten game cues are synthesised here (bells, marimba, brass, ticks). The
twenty chatter sounds are either spoken by espeak-ng ("Hello", "Sorry", ...)
or synthesised: a small source-filter voice (a glottal pulse through three
formant resonators) laughs, cries, sneezes, coughs and cheers, and noise
bursts make the applause and the snoring. sox turns every sound into plain
PCM mono WAV at 11025 Hz: 16-bit for the cues, 8-bit for the chatter sounds,
to keep the program small.

Needs Python 3 (standard library only), sox and espeak-ng. The output is the
same on every run (fixed random seeds); run it once and commit the WAV files.

    scripts/make_sounds.py [output directory]
"""

import math
import os
import random
import shutil
import subprocess
import sys
import tempfile
import wave

RATE = 22050  # synthesis rate; sox converts to the stored rate
TWO_PI = 2.0 * math.pi

OUT_RATE = 11025
CUE_BITS = 16
CHATTER_BITS = 8


# ---------------------------------------------------------------- building blocks

def samples(seconds):
    return max(0, int(round(seconds * RATE)))


def silence(seconds):
    return [0.0] * samples(seconds)


def mix(length, *parts):
    """Sums (start seconds, samples, gain) parts into a track of `length` seconds."""
    out = [0.0] * samples(length)
    for start, part, gain in parts:
        offset = samples(start)
        for i, value in enumerate(part):
            j = offset + i
            if j >= len(out):
                break
            out[j] += value * gain
    return out


def normalise(track, peak=0.89):
    top = max((abs(v) for v in track), default=0.0)
    if top == 0.0:
        return track
    return [v * peak / top for v in track]


def fade(track, fade_in=0.002, fade_out=0.02):
    n_in, n_out = samples(fade_in), samples(fade_out)
    out = list(track)
    for i in range(min(n_in, len(out)) if n_in else 0):
        out[i] *= i / n_in
    for i in range(min(n_out, len(out))):
        out[len(out) - 1 - i] *= i / n_out
    return out


def partials_tone(freq, seconds, partials, attack=0.004, vibrato=(0.0, 0.0)):
    """Additive tone: partials are (frequency ratio, amplitude, decay time constant)."""
    n = samples(seconds)
    depth, speed = vibrato
    out = [0.0] * n
    n_attack = max(1, samples(attack))
    for ratio, amp, tau in partials:
        f = freq * ratio
        if f >= RATE / 2:
            continue
        phase = 0.0
        for i in range(n):
            t = i / RATE
            wobble = 1.0 + depth * math.sin(TWO_PI * speed * t) if depth else 1.0
            phase += TWO_PI * f * wobble / RATE
            env = math.exp(-t / tau) if tau else 1.0
            if i < n_attack:
                env *= i / n_attack
            out[i] += amp * env * math.sin(phase)
    # A note cut short by the end of its part must not click.
    return fade(out, 0.0, 0.008)


def bell(freq, seconds, decay=0.5):
    return partials_tone(freq, seconds, [
        (1.0, 1.0, decay), (2.0, 0.55, decay * 0.6), (2.76, 0.35, decay * 0.45),
        (4.07, 0.22, decay * 0.3), (5.43, 0.12, decay * 0.2)])


def marimba(freq, seconds, decay=0.25):
    return partials_tone(freq, seconds, [
        (1.0, 1.0, decay), (3.93, 0.35, decay * 0.25), (9.2, 0.1, decay * 0.08)], attack=0.002)


def brass(freq, seconds, release=0.08, vibrato=0.006):
    """A soft brass note: harmonics whose brightness swells after the attack."""
    n = samples(seconds)
    out = [0.0] * n
    n_release = samples(release)
    for h in range(1, 11):
        f = freq * h
        if f >= RATE / 2:
            break
        phase = 0.0
        rise = 0.015 + 0.01 * h
        for i in range(n):
            t = i / RATE
            phase += TWO_PI * f * (1.0 + vibrato * math.sin(TWO_PI * 5.5 * t) * min(1.0, t * 3)) / RATE
            env = min(1.0, t / rise)
            if i > n - n_release:
                env *= (n - i) / n_release
            out[i] += env * math.sin(phase) / (h ** 1.3)
    return out


def soft_square(freq, seconds, decay=0.3, attack=0.006):
    return partials_tone(freq, seconds, [
        (1.0, 1.0, decay), (3.0, 0.33, decay * 0.8), (5.0, 0.18, decay * 0.6),
        (7.0, 0.08, decay * 0.5)], attack=attack)


def noise(seconds, rng):
    return [rng.uniform(-1.0, 1.0) for _ in range(samples(seconds))]


class Biquad:
    """A second-order filter (RBJ cookbook) whose frequency may change."""

    def __init__(self, kind, freq, q):
        self.kind = kind
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0
        self.set(freq, q)

    def set(self, freq, q):
        freq = min(max(freq, 20.0), RATE * 0.45)
        w0 = TWO_PI * freq / RATE
        alpha = math.sin(w0) / (2.0 * q)
        cos_w0 = math.cos(w0)
        if self.kind == "band":
            b0, b1, b2 = alpha, 0.0, -alpha
        elif self.kind == "low":
            b0 = b2 = (1.0 - cos_w0) / 2.0
            b1 = 1.0 - cos_w0
        else:  # high
            b0 = b2 = (1.0 + cos_w0) / 2.0
            b1 = -(1.0 + cos_w0)
        a0 = 1.0 + alpha
        self.b0, self.b1, self.b2 = b0 / a0, b1 / a0, b2 / a0
        self.a1, self.a2 = -2.0 * cos_w0 / a0, (1.0 - alpha) / a0

    def step(self, x):
        y = self.b0 * x + self.b1 * self.x1 + self.b2 * self.x2 - self.a1 * self.y1 - self.a2 * self.y2
        self.x2, self.x1, self.y2, self.y1 = self.x1, x, self.y1, y
        return y


def filtered(track, kind, freq, q=0.707):
    f = Biquad(kind, freq, q)
    return [f.step(v) for v in track]


# ---------------------------------------------------------------- a small voice

# Formant frequencies (Hz) of the vowels the voice can hold.
VOWELS = {
    "a": (780, 1250, 2550), "ah": (650, 1100, 2500), "e": (550, 1800, 2550),
    "i": (300, 2250, 2950), "o": (480, 850, 2500), "u": (330, 760, 2300),
    "ae": (680, 1650, 2450),
}


def voice(segments, rng, gain=1.0, jitter=0.01):
    """Sings segments of (seconds, f0 from, f0 to, vowel from, vowel to,
    loudness from, loudness to, breathiness); f0 0 makes pure breath."""
    out = []
    formants = [Biquad("band", f, 8.0) for f in VOWELS["a"]]
    weights = (1.0, 0.55, 0.3)
    phase = 0.0
    low = Biquad("low", 3800, 0.7)
    for seconds, f0a, f0b, va, vb, la, lb, breath in segments:
        n = samples(seconds)
        fa, fb = VOWELS[va], VOWELS[vb]
        for i in range(n):
            x = i / max(1, n - 1)
            if i % 32 == 0:
                for k in range(3):
                    fk = fa[k] + (fb[k] - fa[k]) * x
                    formants[k].set(fk, fk / (70.0 + 40.0 * k))
            loud = la + (lb - la) * x
            f0 = f0a + (f0b - f0a) * x
            source = 0.0
            if f0 > 0:
                f0 *= 1.0 + rng.uniform(-jitter, jitter)
                phase += f0 / RATE
                if phase >= 1.0:
                    phase -= 1.0
                # A glottal pulse: rises slowly, closes fast.
                source = (phase / 0.7) ** 2 if phase < 0.7 else (1.0 - phase) / 0.3
                source = source * 2.0 - 1.0
            source = source * (1.0 - breath) + rng.uniform(-1.0, 1.0) * breath * 1.5
            y = sum(w * f.step(source) for w, f in zip(weights, formants))
            out.append(low.step(y) * loud * gain)
    return out


# ---------------------------------------------------------------- the cues

C4, D4, E4, F4, G4, A4, B4 = 261.63, 293.66, 329.63, 349.23, 392.0, 440.0, 493.88
C5, E5, G5, A5, B5 = 523.25, 659.25, 783.99, 880.0, 987.77
C6, D6, E6, G6 = 1046.5, 1174.66, 1318.51, 1567.98


def cue_click():
    rng = random.Random(1)
    knock = partials_tone(1750, 0.12, [(1.0, 1.0, 0.012), (2.63, 0.4, 0.006)], attack=0.0005)
    tick = filtered(noise(0.004, rng), "high", 3000)
    return mix(0.13, (0.0, knock, 1.0), (0.0, tick, 0.4))


def cue_entered():
    return mix(0.79, (0.0, bell(C5, 0.7, 0.35), 0.7), (0.11, bell(E5, 0.6, 0.3), 0.65),
               (0.22, bell(G5, 0.57, 0.3), 0.6))


def cue_right():
    notes = [(0.0, G5), (0.07, B5), (0.14, D6), (0.21, G6)]
    parts = [(t, bell(f, 0.72 - t, 0.25 + 0.05 * k), 0.7) for k, (t, f) in enumerate(notes)]
    return mix(0.72, *parts)


def cue_wrong():
    return mix(0.25, (0.0, soft_square(311.13, 0.11, 0.08), 0.8),
               (0.12, soft_square(233.08, 0.13, 0.08), 0.8))


def cue_time():
    return partials_tone(1320, 0.1, [(1.0, 1.0, 0.03), (2.0, 0.25, 0.015)], attack=0.001)


def cue_timeup():
    return mix(1.0, (0.0, soft_square(G4, 0.22, 0.3), 0.7), (0.22, soft_square(E4, 0.22, 0.3), 0.7),
               (0.44, partials_tone(C4, 0.56, [(1.0, 1.0, 0.5), (3.0, 0.3, 0.35), (5.0, 0.15, 0.25)],
                                    vibrato=(0.006, 5.0)), 0.8))


def cue_roundover():
    melody = [(0.0, C5), (0.18, E5), (0.36, G5), (0.54, E5)]
    parts = [(t, marimba(f, 0.4), 0.6) for t, f in melody]
    for f in (C5, E5, G5, C6):
        parts.append((0.8, marimba(f, 1.48, 0.6), 0.35))
        parts.append((0.8, bell(f, 1.48, 0.7), 0.12))
    return mix(2.28, *parts)


def cue_winner():
    notes = [(0.0, 0.15, G4), (0.16, 0.15, C5), (0.32, 0.15, E5), (0.48, 0.34, G5),
             (0.85, 0.15, E5)]
    parts = [(t, brass(f, d), 0.5) for t, d, f in notes]
    for f in (C5, E5, G5, C6):
        parts.append((1.02, brass(f, 1.7, release=0.6), 0.3))
    for k, f in enumerate((C6, E6, G6)):
        parts.append((1.05 + 0.08 * k, bell(f, 1.3, 0.4), 0.12))
    return mix(2.79, *parts)


def cue_turn():
    return mix(0.57, (0.0, bell(E5, 0.4, 0.3), 0.7), (0.18, bell(C5, 0.39, 0.35), 0.7))


def cue_turnnew():
    return mix(0.43, (0.0, marimba(A5, 0.2, 0.12), 0.7), (0.08, marimba(E6, 0.35, 0.15), 0.7))


def cue_mention():
    """Two quick high bells, a fifth apart, then the lower one again: "psst"."""
    return mix(0.62, (0.0, bell(G6, 0.3, 0.18), 0.55), (0.09, bell(D6, 0.3, 0.18), 0.55),
               (0.18, bell(G6, 0.44, 0.25), 0.45))


CUES = {
    "click": cue_click, "entered": cue_entered, "right": cue_right, "wrong": cue_wrong,
    "time": cue_time, "timeup": cue_timeup, "roundover": cue_roundover, "winner": cue_winner,
    "turn": cue_turn, "turnnew": cue_turnnew, "mention": cue_mention,
}


# ---------------------------------------------------------------- synthesised chatter

def laugh(rng, f0, count, syllable, vowel, gap):
    segments = [(0.08, 0, 0, vowel, vowel, 0.0, 0.35, 1.0)]  # an intake of breath
    for k in range(count):
        drop = 1.0 - 0.035 * k
        loud = 1.0 - 0.06 * k
        segments += [
            (0.035, 0, 0, vowel, vowel, 0.2 * loud, 0.5 * loud, 1.0),  # "h"
            (syllable * 0.35, f0 * 1.08 * drop, f0 * drop, vowel, vowel, 0.5 * loud, loud, 0.25),
            (syllable * 0.65, f0 * drop, f0 * 0.85 * drop, vowel, vowel, loud, 0.05, 0.3),
            (gap, 0, 0, vowel, vowel, 0.0, 0.0, 0.0),
        ]
    return voice(segments, rng, jitter=0.02)


def chatter_man_laughing():
    rng = random.Random(19)
    return laugh(rng, f0=135, count=7, syllable=0.13, vowel="ah", gap=0.06)


def chatter_woman_laughing():
    rng = random.Random(18)
    return laugh(rng, f0=310, count=9, syllable=0.1, vowel="a", gap=0.045)


def chatter_crying():
    rng = random.Random(20)
    segments = [
        (0.12, 0, 0, "u", "u", 0.0, 0.3, 1.0),
        (0.25, 380, 470, "u", "a", 0.3, 1.0, 0.2),
        (1.0, 470, 380, "a", "ae", 1.0, 0.5, 0.25),
        (0.25, 380, 330, "ae", "ah", 0.5, 0.0, 0.4),
        (0.12, 0, 0, "ah", "ah", 0.0, 0.0, 0.0),
        (0.1, 0, 0, "i", "i", 0.0, 0.5, 1.0),   # a sobbing intake
        (0.05, 0, 0, "i", "i", 0.0, 0.0, 0.0),
        (0.1, 0, 0, "i", "i", 0.0, 0.5, 1.0),
        (0.08, 0, 0, "u", "u", 0.0, 0.0, 0.0),
        (0.2, 420, 450, "u", "a", 0.3, 0.9, 0.25),
        (0.6, 450, 340, "a", "ah", 0.9, 0.0, 0.3),
    ]
    out = voice(segments, rng, jitter=0.03)
    # The wobble of a crying voice.
    return [v * (0.75 + 0.25 * math.sin(TWO_PI * 7.0 * i / RATE)) for i, v in enumerate(out)]


def chatter_sneezing():
    rng = random.Random(7)
    ah = voice([
        (0.3, 210, 290, "a", "ah", 0.2, 0.8, 0.45), (0.1, 290, 300, "ah", "ah", 0.8, 0.0, 0.6),
        (0.18, 0, 0, "ah", "ah", 0.0, 0.0, 0.0),
        (0.35, 230, 360, "a", "a", 0.3, 1.0, 0.45), (0.08, 360, 370, "a", "a", 1.0, 0.0, 0.6),
    ], rng)
    burst = filtered(filtered(noise(0.12, rng), "high", 2200), "low", 7000)
    burst = [v * math.exp(-i / (0.05 * RATE)) for i, v in enumerate(burst)]
    choo = voice([(0.06, 0, 0, "u", "u", 0.8, 0.8, 1.0), (0.3, 330, 200, "u", "u", 1.0, 0.0, 0.5)],
                 rng)
    return mix(1.45, (0.0, ah, 0.9), (1.05, burst, 1.0), (1.1, choo, 0.9))


def chatter_cough():
    rng = random.Random(2)
    parts = []
    for start, loud in ((0.0, 1.0), (0.3, 0.8), (0.56, 0.6)):
        cough = voice([(0.03, 0, 0, "ah", "ah", 1.0, 1.0, 1.0),
                       (0.17, 140, 110, "ah", "o", 1.0, 0.0, 0.7)], rng, jitter=0.08)
        parts.append((start, cough, loud))
    return mix(0.85, *parts)


def chatter_snoring():
    rng = random.Random(6)
    parts = []
    for start in (0.0, 2.2):
        # In: the soft palate flutters.
        n = samples(1.3)
        rumble = filtered(filtered(noise(1.3, rng), "low", 450), "band", 180, 1.2)
        flutter = []
        for i in range(n):
            t = i / RATE
            rate = 28.0 + 6.0 * t
            pulse = max(0.0, math.sin(TWO_PI * rate * t)) ** 3
            swell = math.sin(math.pi * t / 1.3) ** 0.7
            flutter.append((rumble[i] * 3.0 + 0.4 * pulse) * swell * (0.3 + 0.7 * pulse))
        parts.append((start, flutter, 1.0))
        # Out: a long breath through the lips.
        out = filtered(filtered(noise(0.75, rng), "band", 700, 0.9), "low", 1500)
        out = [v * math.sin(math.pi * i / len(out)) for i, v in enumerate(out)]
        parts.append((start + 1.45, out, 0.6))
    return mix(4.4, *parts)


def chatter_applause():
    rng = random.Random(13)
    length = 2.8
    parts = []
    for _ in range(16):
        rate = rng.uniform(3.2, 5.0)
        t = rng.uniform(0.0, 0.25)
        centre = rng.uniform(900, 2600)
        while t < length - 0.1:
            clap = filtered(noise(0.05, rng), "band", centre * rng.uniform(0.9, 1.1), 1.2)
            clap = [v * math.exp(-i / (0.008 * RATE)) for i, v in enumerate(clap)]
            # The crowd warms up quickly and tails off at the end.
            level = min(1.0, (t + 0.1) * 4.0) * min(1.0, (length - t) / 0.8)
            parts.append((t, clap, level * rng.uniform(0.5, 1.0)))
            t += 1.0 / rate * rng.uniform(0.85, 1.15)
    return fade(mix(length, *parts), 0.005, 0.3)


def crowd(rng, length, voices, vowels, contour):
    parts = []
    for k in range(voices):
        female = k % 2 == 1
        f0 = rng.uniform(210, 300) if female else rng.uniform(105, 160)
        start = rng.uniform(0.0, 0.25)
        dur = length - start - rng.uniform(0.1, 0.4)
        segments = []
        steps = len(contour) - 1
        for s in range(steps):
            (x0, p0, l0), (x1, p1, l1) = contour[s], contour[s + 1]
            va = vowels[min(s, len(vowels) - 1)]
            vb = vowels[min(s + 1, len(vowels) - 1)]
            segments.append(((x1 - x0) * dur, f0 * p0, f0 * p1, va, vb, l0, l1, 0.3))
        parts.append((start, voice(segments, rng, jitter=0.015), rng.uniform(0.5, 1.0)))
    return mix(length, *parts)


def chatter_oooh():
    rng = random.Random(15)
    contour = [(0.0, 1.0, 0.0), (0.15, 1.05, 0.8), (0.45, 1.3, 1.0), (1.0, 0.85, 0.0)]
    return crowd(rng, 1.7, 8, ["u", "u", "o", "o"], contour)


def chatter_cheer():
    rng = random.Random(17)
    contour = [(0.0, 1.2, 0.0), (0.1, 1.4, 1.0), (0.5, 1.5, 0.9), (1.0, 1.1, 0.0)]
    voices = crowd(rng, 2.6, 10, ["i", "e", "ae", "a"], contour)
    wash = filtered(filtered(noise(2.6, rng), "band", 1000, 0.6), "low", 3000)
    wash = [v * math.sin(math.pi * min(1.0, i / len(wash) * 1.1)) for i, v in enumerate(wash)]
    return mix(2.6, (0.0, voices, 1.0), (0.0, wash, 0.5), (0.2, chatter_applause(), 0.35))


def chatter_razzberry():
    rng = random.Random(16)
    n = samples(1.0)
    out = []
    phase = 0.0
    formants = [Biquad("band", 500, 2.0), Biquad("band", 1300, 3.0)]
    for i in range(n):
        t = i / RATE
        f0 = 75.0 + 25.0 * t + rng.uniform(-12, 12)
        phase += f0 / RATE
        if phase >= 1.0:
            phase -= 1.0
        flap = 1.0 if phase < 0.25 else -0.3  # the lips slap open and shut
        source = flap + rng.uniform(-0.6, 0.6)
        y = formants[0].step(source) + 0.6 * formants[1].step(source)
        loud = min(1.0, t / 0.04) * (1.0 if t < 0.8 else (1.0 - t) / 0.2)
        out.append(y * loud * (0.8 + 0.2 * rng.random()))
    return out


def chatter_honk():
    rng = random.Random(14)
    parts = []
    for start in (0.0, 0.36):
        honk = voice([(0.03, 300, 390, "o", "a", 0.3, 1.0, 0.05),
                      (0.2, 390, 380, "a", "ah", 1.0, 0.9, 0.05),
                      (0.04, 380, 300, "ah", "o", 0.9, 0.0, 0.1)], rng, jitter=0.003)
        # A reed horn is buzzier than a voice.
        honk = [math.tanh(3.0 * v) for v in normalise(honk)]
        parts.append((start, honk, 0.8))
    return mix(0.7, *parts)


# ---------------------------------------------------------------- spoken chatter

SPOKEN = {
    "wave1": ("Doh!", "en-us+m3", 25, 120),
    "wave3": ("Hello!", "en-us+f3", 60, 150),
    "wave4": ("Thank you!", "en-us+m1", 50, 150),
    "wave5": ("Where have you been?", "en-us+f2", 55, 160),
    "wave8": ("Sorry!", "en-us+m2", 45, 140),
    "wave9": ("Welcome!", "en-us+f4", 55, 150),
    "wave10": ("Yee haaw!", "en-us+m4", 75, 160),
    "wave11": ("Yippee!", "en-us+f3", 85, 160),
    "wave12": ("Oh no!", "en-us+m3", 40, 110),
}

SYNTHESISED = {
    "wave2": chatter_cough, "wave6": chatter_snoring, "wave7": chatter_sneezing,
    "wave13": chatter_applause, "wave14": chatter_honk, "wave15": chatter_oooh,
    "wave16": chatter_razzberry, "wave17": chatter_cheer, "wave18": chatter_woman_laughing,
    "wave19": chatter_man_laughing, "wave20": chatter_crying,
}


# ---------------------------------------------------------------- output

def write_wave(path, track):
    frames = bytearray()
    for v in track:
        frames += int(max(-1.0, min(1.0, v)) * 32767).to_bytes(2, "little", signed=True)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def store(source, target, bits, extra_effects=()):
    """Converts to the stored form: PCM mono at OUT_RATE with `bits` bits.
    8-bit sounds are not dithered, so that their pauses stay silent."""
    dither = ["-D"] if bits == 8 else []
    subprocess.run(["sox", "-V1", *dither, source, "-t", "wav", "-e",
                    "unsigned-integer" if bits == 8 else "signed-integer", "-b", str(bits),
                    "-c", "1", target, *extra_effects, "rate", "-v", str(OUT_RATE), "gain", "-n", "-1"],
                   check=True)


def speak(text, voice_name, pitch, speed, target, work):
    raw = os.path.join(work, "spoken.wav")
    subprocess.run(["espeak-ng", "-v", voice_name, "-p", str(pitch), "-s", str(speed),
                    "-w", raw, text], check=True)
    # Cut the silence before and after the words.
    store(raw, target, CHATTER_BITS,
          ["silence", "1", "0.02", "0.5%", "reverse", "silence", "1", "0.02", "0.5%", "reverse",
           "pad", "0.02", "0.05"])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets", "sounds")
    os.makedirs(out_dir, exist_ok=True)
    for tool in ("sox", "espeak-ng"):
        if not shutil.which(tool):
            sys.exit(f"make_sounds: {tool} is needed")
    with tempfile.TemporaryDirectory() as work:
        made = []
        for name, make in list(CUES.items()) + list(SYNTHESISED.items()):
            track = fade(normalise(make()))
            raw = os.path.join(work, name + "-raw.wav")
            write_wave(raw, track)
            bits = CUE_BITS if name in CUES else CHATTER_BITS
            store(raw, os.path.join(out_dir, name + ".wav"), bits)
            made.append(name)
        for name, (text, voice_name, pitch, speed) in SPOKEN.items():
            speak(text, voice_name, pitch, speed, os.path.join(out_dir, name + ".wav"), work)
            made.append(name)
    total = sum(os.path.getsize(os.path.join(out_dir, n + ".wav")) for n in made)
    print(f"made {len(made)} sounds, {total} bytes, in {os.path.normpath(out_dir)}")


if __name__ == "__main__":
    main()
