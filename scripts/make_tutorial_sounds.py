#!/usr/bin/env python3
"""Synthesise the tutorial's sounds into examples/tutorial/data/, with the game's instruments
(scripts/make_sounds.py): gold.wav, hurt.wav and the music loop dungeon.wav.

Run from the repository root: python3 scripts/make_tutorial_sounds.py
The output is the same on every run.
"""

import os
import random

import make_sounds as s

OUT_DIR = os.path.join(s.ROOT, "examples", "tutorial", "data")


def make_gold(rng):
    """A coin: two quick bright notes, the second held a little."""
    return s.sequence([(0.0, 0.06, 83, 0.8), (0.07, 0.22, 88, 1.0)],
                      lambda note, n: s.chip(note, n, 0.25, 0.002, 0.08, 0.5))


def make_hurt(rng):
    """A blow: a low falling thump under a short burst of dark noise."""
    n = s.seconds(0.25)
    thump = s.multiply(s.oscillator("sine", s.glide(180.0, 60.0, n, 0.5)),
                       s.decay_env(n, 0.002, 0.07))
    noise = s.multiply(s.lowpass(s.white_noise(n, rng), 1200.0), s.decay_env(n, 0.001, 0.04))
    return [a + 0.5 * b for a, b in zip(thump, noise)]


def make_dungeon(drums):
    """Four slow bars in A minor, Am F Dm E: a pad, a walking bass, a bell now and then."""
    loop = s.Loop(105, 4)
    chords = [(57, "m"), (53, ""), (50, "m"), (52, "")]
    for bar, (root, kind) in enumerate(chords):
        for tone in s.chord_tones(root, kind):
            loop.note("pad", bar, 0, 4, tone, 0.16)
        for beat, step in enumerate([0, 7, 12, 7]):
            loop.note("warm_bass", bar, beat, 1, root - 12 + step, 0.35, 0.7)
        loop.note("bell_arp", bar, 2.5, 0.5, root + 12 + (7 if bar % 2 else 3), 0.12)
        loop.hit(drums["kick"], bar, 0, 0.25)
    return loop.samples


def main():
    for name, make, seed, peak_db in [("gold.wav", make_gold, 31, -4.0),
                                      ("hurt.wav", make_hurt, 32, -3.0)]:
        samples = s.normalise(s.fade_edges(make(random.Random(seed))), peak_db)
        print(s.describe(name, s.write_wav(os.path.join(OUT_DIR, name), samples), False))
    samples = s.normalise(make_dungeon(s.make_drums(random.Random(20))), -8.0)
    print(s.describe("dungeon.wav", s.write_wav(os.path.join(OUT_DIR, "dungeon.wav"), samples),
                     True))


if __name__ == "__main__":
    main()
