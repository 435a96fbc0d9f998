#!/usr/bin/env python3
"""Synthesises the start-gun shot the browser plays at the gun and at each finish.

A cannon on a committee boat, heard from the water: a sharp crack of noise that
dies away in a few tens of milliseconds, a darker noise tail that rolls on a
little longer, and a low thump under both. Written as 22050 Hz mono 16-bit PCM,
about 0.6 s, so it stays small enough to be compiled into the program.

The noise generator always starts from the same state: running the tool again writes the same file.

    python3 tools/sound/make_gunshot.py [-o src/app/resources/gunshot.wav]
"""

import argparse
import math
import os
import random
import struct
import wave

RATE = 22050
DURATION_S = 0.6
NOISE_START = 1852  # metres in a sea mile
PEAK = 0.89  # of full scale, leaving headroom for the mixer

CRACK_DECAY_S = 0.018
TAIL_DECAY_S = 0.11
TAIL_LEVEL = 0.45
TAIL_SMOOTHING = 0.82  # one-pole low pass: the tail sounds further away
THUMP_DECAY_S = 0.085
THUMP_START_HZ = 95.0
THUMP_END_HZ = 42.0
THUMP_LEVEL = 0.8
ATTACK_S = 0.0006
FADE_S = 0.03


def synthesise(rate=RATE, duration_s=DURATION_S, noise_start=NOISE_START):
    """Returns the shot as floats in -1 ... 1."""
    rng = random.Random(noise_start)
    n = int(rate * duration_s)
    out = []
    tail = 0.0
    phase = 0.0
    for i in range(n):
        t = i / rate
        crack = rng.uniform(-1.0, 1.0) * math.exp(-t / CRACK_DECAY_S)
        tail = TAIL_SMOOTHING * tail + (1.0 - TAIL_SMOOTHING) * rng.uniform(-1.0, 1.0)
        rolling = TAIL_LEVEL * 3.0 * tail * math.exp(-t / TAIL_DECAY_S)
        # The thump's pitch falls as the pressure wave spreads.
        hz = THUMP_END_HZ + (THUMP_START_HZ - THUMP_END_HZ) * math.exp(-t / 0.05)
        phase += 2.0 * math.pi * hz / rate
        thump = THUMP_LEVEL * math.sin(phase) * math.exp(-t / THUMP_DECAY_S)
        envelope = min(1.0, t / ATTACK_S) * min(1.0, (duration_s - t) / FADE_S)
        out.append((crack + rolling + thump) * envelope)
    peak = max(abs(v) for v in out) or 1.0
    return [v * PEAK / peak for v in out]


def write_wav(path, samples, rate=RATE):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(v * 32767)))) for v in samples)
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", default=os.path.join(root, "src", "app", "resources", "gunshot.wav"))
    args = parser.parse_args()
    write_wav(args.output, synthesise())
    print(args.output)


if __name__ == "__main__":
    main()
