#!/usr/bin/env python3
"""Synthesise the game's sound effects and music loops into sounds/.

Run from the repository root: python3 scripts/make_sounds.py

Everything is generated from fixed seeds, so the output is the same on every
run. Files are 16-bit mono PCM WAV at 22050 Hz. Effects are normalised to a
few dB below full scale, music to -6 dBFS. Each music loop is a whole number
of bars whose every note has died away before the loop end, so it repeats
without a click.
"""

import math
import os
import random
import struct
import wave

RATE = 22050
TWO_PI = 2.0 * math.pi
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "sounds")


def db_to_gain(db):
    return 10.0 ** (db / 20.0)


def midi_freq(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def seconds(n):
    return int(round(n * RATE))


def _blep(t, dt):
    """Polynomial band-limited step correction, for square and saw edges."""
    if t < dt:
        x = t / dt
        return x + x - x * x - 1.0
    if t > 1.0 - dt:
        x = (t - 1.0) / dt
        return x * x + x + x + 1.0
    return 0.0


def oscillator(wave_name, freqs, duty=0.5, rng=None):
    """One sample per entry of freqs, the frequency in Hz at that sample."""
    out = [0.0] * len(freqs)
    phase = 0.0
    if wave_name == "sine":
        for i, f in enumerate(freqs):
            out[i] = math.sin(TWO_PI * phase)
            phase = (phase + f / RATE) % 1.0
    elif wave_name == "triangle":
        for i, f in enumerate(freqs):
            out[i] = 4.0 * abs(phase - 0.5) - 1.0
            phase = (phase + f / RATE) % 1.0
    elif wave_name == "square":
        offset = 2.0 * duty - 1.0
        for i, f in enumerate(freqs):
            dt = f / RATE
            v = 1.0 if phase < duty else -1.0
            v += _blep(phase, dt) - _blep((phase - duty) % 1.0, dt)
            out[i] = v - offset
            phase = (phase + dt) % 1.0
    elif wave_name == "saw":
        for i, f in enumerate(freqs):
            dt = f / RATE
            out[i] = 2.0 * phase - 1.0 - _blep(phase, dt)
            phase = (phase + dt) % 1.0
    elif wave_name == "noise":
        # Sample-and-hold noise: a new random value every 1/f seconds, so the
        # frequency sets the pitch of the noise.
        value = 0.0
        for i, f in enumerate(freqs):
            phase += f / RATE
            if phase >= 1.0 or i == 0:
                phase %= 1.0
                value = rng.uniform(-1.0, 1.0)
            out[i] = value
    else:
        raise ValueError(wave_name)
    return out


def glide(start_hz, end_hz, n, curve=1.0):
    """Frequencies that move from start_hz to end_hz over n samples."""
    if n <= 1:
        return [float(start_hz)] * n
    return [start_hz * (end_hz / start_hz) ** ((i / (n - 1)) ** curve)
            for i in range(n)]


def white_noise(n, rng):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def lowpass(samples, cutoff):
    """One-pole low-pass; cutoff is a number or a list per sample (Hz)."""
    out = [0.0] * len(samples)
    y = 0.0
    fixed = not isinstance(cutoff, list)
    if fixed:
        a = 1.0 - math.exp(-TWO_PI * cutoff / RATE)
    for i, x in enumerate(samples):
        if not fixed:
            a = 1.0 - math.exp(-TWO_PI * cutoff[i] / RATE)
        y += a * (x - y)
        out[i] = y
    return out


def highpass(samples, cutoff):
    low = lowpass(samples, cutoff)
    return [x - l for x, l in zip(samples, low)]


def adsr(n_gate, attack, decay, sustain, release):
    """Envelope of n_gate samples held plus the release; starts and ends at 0.

    attack, decay and release are in seconds, sustain a level 0..1. A gate
    shorter than attack + decay releases from wherever the envelope is.
    """
    a = max(1, seconds(attack))
    d = max(1, seconds(decay))
    r = max(1, seconds(release))
    env = [0.0] * (n_gate + r)
    level = 0.0
    for i in range(n_gate):
        if i < a:
            level = i / a
        elif i < a + d:
            k = (i - a) / d
            level = 1.0 + (sustain - 1.0) * (1.0 - (1.0 - k) ** 2)
        else:
            level = sustain
        env[i] = level
    for i in range(r):
        k = 1.0 - (i + 1) / r
        env[n_gate + i] = level * k * k
    return env


def decay_env(n, attack, tau):
    """Fast linear attack, exponential decay with time constant tau, and a
    short linear fade so the last sample is exactly 0."""
    a = max(1, seconds(attack))
    fade = min(n // 4, seconds(0.01))
    env = [0.0] * n
    for i in range(n):
        if i < a:
            v = i / a
        else:
            v = math.exp(-(i - a) / (tau * RATE))
        if i >= n - fade:
            v *= (n - 1 - i) / fade
        env[i] = v
    return env


def multiply(x, y):
    return [a * b for a, b in zip(x, y)]


def mix_into(target, source, offset=0, gain=1.0):
    """Adds source into target at offset, growing target when needed."""
    end = offset + len(source)
    if end > len(target):
        target.extend([0.0] * (end - len(target)))
    for i, s in enumerate(source):
        target[offset + i] += s * gain


def fade_edges(samples, fade_s=0.003):
    n = min(len(samples) // 2, seconds(fade_s))
    for i in range(n):
        k = i / n
        samples[i] *= k
        samples[-1 - i] *= k
    return samples


def normalise(samples, peak_db):
    peak = max(abs(s) for s in samples) or 1.0
    gain = db_to_gain(peak_db) / peak
    return [s * gain for s in samples]


VOICES = {
    # name: wave, duty, low-pass cutoff, attack, decay, sustain, release,
    # vibrato depth (semitones)
    "soft_lead": ("triangle", 0.5, None, 0.012, 0.15, 0.65, 0.12, 0.08),
    "bell_arp": ("square", 0.25, 1800.0, 0.004, 0.18, 0.15, 0.08, 0.0),
    "warm_bass": ("triangle", 0.5, None, 0.008, 0.2, 0.8, 0.06, 0.0),
    "pad": ("sine", 0.5, None, 0.25, 0.3, 0.8, 0.3, 0.0),
    "drive_bass": ("saw", 0.5, 700.0, 0.004, 0.08, 0.6, 0.03, 0.0),
    "tense_lead": ("square", 0.25, 3200.0, 0.006, 0.1, 0.55, 0.06, 0.12),
    "pulse_arp": ("triangle", 0.5, None, 0.003, 0.06, 0.25, 0.03, 0.0),
    "stab": ("square", 0.5, 1400.0, 0.004, 0.06, 0.3, 0.04, 0.0),
    "gallop_bass": ("square", 0.5, 900.0, 0.003, 0.05, 0.6, 0.02, 0.0),
    "urgent_lead": ("square", 0.125, 3800.0, 0.004, 0.06, 0.6, 0.04, 0.1),
}

_note_cache = {}


def render_note(voice, note, gate):
    """One note of a voice, gate samples long plus its release."""
    key = (voice, note, gate)
    if key in _note_cache:
        return _note_cache[key]
    wave_name, duty, cutoff, att, dec, sus, rel, vib = VOICES[voice]
    env = adsr(gate, att, dec, sus, rel)
    base = midi_freq(note)
    if vib:
        # Vibrato fades in after a quarter of a second, as a player would.
        delay = seconds(0.25)
        freqs = [base * 2.0 ** (vib / 12.0 * min(1.0, max(0.0, (i - delay)
                 / RATE / 0.2)) * math.sin(TWO_PI * 5.5 * i / RATE))
                 for i in range(len(env))]
    else:
        freqs = [base] * len(env)
    tone = oscillator(wave_name, freqs, duty)
    if cutoff:
        tone = lowpass(tone, cutoff)
    out = multiply(tone, env)
    _note_cache[key] = out
    return out


def make_drums(rng):
    kick_n = seconds(0.32)
    kick = multiply(oscillator("sine", glide(160.0, 42.0, kick_n, 0.35)),
                    decay_env(kick_n, 0.001, 0.09))
    click = multiply(lowpass(white_noise(seconds(0.01), rng), 3000.0),
                     decay_env(seconds(0.01), 0.0005, 0.003))
    mix_into(kick, click, 0, 0.3)

    snare_n = seconds(0.2)
    body = multiply(oscillator("triangle", glide(230.0, 170.0, snare_n)),
                    decay_env(snare_n, 0.001, 0.035))
    rattle = multiply(highpass(white_noise(snare_n, rng), 1200.0),
                      decay_env(snare_n, 0.001, 0.055))
    snare = [0.55 * b + 0.8 * r for b, r in zip(body, rattle)]

    hat_n = seconds(0.05)
    hat = multiply(highpass(white_noise(hat_n, rng), 6000.0),
                   decay_env(hat_n, 0.0005, 0.012))
    open_n = seconds(0.16)
    open_hat = multiply(highpass(white_noise(open_n, rng), 5000.0),
                        decay_env(open_n, 0.001, 0.05))

    rim_n = seconds(0.04)
    rim = multiply(oscillator("sine", [1700.0] * rim_n),
                   decay_env(rim_n, 0.0005, 0.008))
    tock = multiply(oscillator("sine", [1150.0] * rim_n),
                    decay_env(rim_n, 0.0005, 0.008))
    return {"kick": kick, "snare": snare, "hat": hat, "open": open_hat,
            "tick": rim, "tock": tock}


class Loop:
    """A loop of whole bars at a tempo whose beat is a whole number of
    samples. Notes are kept inside the loop: a note whose release would run
    past the end has its gate shortened so that it dies away in time."""

    def __init__(self, bpm, bars, beats_per_bar=4):
        self.beat = RATE * 60 // bpm
        assert self.beat * bpm == RATE * 60 and self.beat % 4 == 0, bpm
        self.length = self.beat * beats_per_bar * bars
        self.bar = self.beat * beats_per_bar
        self.samples = [0.0] * self.length

    def at(self, bar, beat):
        return bar * self.bar + int(round(beat * self.beat))

    def note(self, voice, bar, beat, beats, note, gain, legato=0.9):
        start = self.at(bar, beat)
        gate = int(beats * self.beat * legato)
        release = seconds(VOICES[voice][6])
        gate = min(gate, self.length - start - release - 1)
        if gate <= 0:
            return
        self.add(start, render_note(voice, note, gate), gain)

    def hit(self, sound, bar, beat, gain):
        start = self.at(bar, beat)
        if start + len(sound) > self.length:
            raise ValueError("drum hit runs past the loop end")
        self.add(start, sound, gain)

    def add(self, start, source, gain):
        samples = self.samples
        for i, s in enumerate(source):
            samples[start + i] += s * gain

    def melody(self, voice, bars_of_notes, gain, legato=0.9):
        for bar, notes in enumerate(bars_of_notes):
            for beat, beats, note in notes:
                self.note(voice, bar, beat, beats, note, gain, legato)


def chord_tones(root, kind):
    third = 3 if kind == "m" else 4
    return [root, root + third, root + 7]


def make_menu(drums):
    """Calm and inviting: C major, 105 BPM, soft triangle tune over a plucked
    arpeggio, a warm bass and a gentle beat."""
    loop = Loop(105, 8)
    chords = [(48, ""), (45, "m"), (41, ""), (43, ""),
              (48, ""), (40, "m"), (41, ""), (43, "")]
    tune = [
        [(0, 1, 67), (1, 1, 72), (2, 1.5, 76), (3.5, 0.5, 74)],
        [(0, 1, 72), (1, 1, 69), (2, 2, 76)],
        [(0, 1.5, 77), (1.5, 0.5, 76), (2, 1, 74), (3, 1, 72)],
        [(0, 2, 74), (2, 1, 71), (3, 1, 67)],
        [(0, 1, 67), (1, 1, 72), (2, 1, 76), (3, 1, 79)],
        [(0, 1.5, 79), (1.5, 0.5, 76), (2, 2, 71)],
        [(0, 1, 81), (1, 0.5, 79), (1.5, 0.5, 77), (2, 1, 76), (3, 1, 72)],
        [(0, 2, 74), (2, 1, 71)],
    ]
    loop.melody("soft_lead", tune, 0.55)
    arp_order = [0, 1, 2, 3, 2, 1, 0, 1]
    for bar, (root, kind) in enumerate(chords):
        tones = [t + 12 for t in chord_tones(root, kind)] + [root + 24]
        for step, index in enumerate(arp_order):
            loop.note("bell_arp", bar, step * 0.5, 0.5, tones[index],
                      0.16 if step % 2 else 0.2)
        for tone in chord_tones(root, kind):
            loop.note("pad", bar, 0, 4, tone + 12, 0.07, legato=0.82)
        loop.note("warm_bass", bar, 0, 1.75, root, 0.5)
        loop.note("warm_bass", bar, 2, 1.0, root + 7, 0.4)
        loop.note("warm_bass", bar, 3, 0.75, root + 12, 0.35)
        loop.hit(drums["kick"], bar, 0, 0.55)
        loop.hit(drums["kick"], bar, 2.5, 0.4)
        loop.hit(drums["tick"], bar, 1, 0.12)
        loop.hit(drums["tick"], bar, 3, 0.12)
        for step in range(8):
            loop.hit(drums["hat"], bar, step * 0.5 + 0.25, 0.06)
    return loop.samples


def make_advanced(drums):
    """Driving and tense: A minor, 135 BPM, four on the floor, pumping saw
    bass, a biting square lead with a Phrygian B flat and an E major turn."""
    loop = Loop(135, 8)
    chords = [(45, "m"), (45, "m"), (41, ""), (43, ""),
              (45, "m"), (45, "m"), (41, ""), (40, "")]
    lead = [
        [(0, .5, 76), (.5, .5, 76), (1, .5, 77), (1.5, .5, 76), (2, 1, 72),
         (3, 1, 69)],
        [(0, .5, 76), (.5, .5, 76), (1, .5, 77), (1.5, .5, 76), (2, 1.5, 81),
         (3.5, .5, 79)],
        [(0, 1, 77), (1, .5, 76), (1.5, .5, 74), (2, 1, 72), (3, 1, 69)],
        [(0, 1, 71), (1, .5, 74), (1.5, 1.5, 79), (3, .5, 77), (3.5, .5, 74)],
        [(0, .5, 81), (.5, .5, 81), (1, .5, 82), (1.5, .5, 81), (2, 1, 76),
         (3, 1, 72)],
        [(0, .5, 81), (.5, .5, 81), (1, .5, 82), (1.5, .5, 81), (2, 1.5, 84),
         (3.5, .5, 83)],
        [(0, 1, 81), (1, .5, 77), (1.5, .5, 76), (2, 1, 72), (3, 1, 77)],
        [(0, 1.5, 76), (1.5, .5, 80), (2, 1, 83), (3, .5, 76)],
    ]
    loop.melody("tense_lead", lead, 0.3, legato=0.8)
    for bar, (root, kind) in enumerate(chords):
        tones = chord_tones(root, kind)
        for step in range(8):
            note = root - 12 if step % 2 == 0 else root
            loop.note("drive_bass", bar, step * 0.5, 0.5, note + 12,
                      0.5 if step % 2 == 0 else 0.4, legato=0.7)
        ostinato = [tones[0], tones[2], tones[1] + 12, tones[2]]
        for step in range(16):
            loop.note("pulse_arp", bar, step * 0.25, 0.25,
                      ostinato[step % 4] + 24, 0.1 if step % 4 else 0.14,
                      legato=0.6)
        for beat in (0.5, 1.5, 2.5, 3.5):
            for tone in tones:
                loop.note("stab", bar, beat, 0.5, tone + 12, 0.07,
                          legato=0.35)
        for beat in range(4):
            loop.hit(drums["kick"], bar, beat, 0.7)
        loop.hit(drums["snare"], bar, 1, 0.45)
        loop.hit(drums["snare"], bar, 3, 0.45)
        for step in range(8):
            sound = drums["open"] if step == 7 and bar % 2 else drums["hat"]
            loop.hit(sound, bar, step * 0.5, 0.12 if step % 2 else 0.08)
        if bar == 7:
            loop.hit(drums["snare"], bar, 3.25, 0.3)
            loop.hit(drums["snare"], bar, 3.5, 0.35)
    return loop.samples


def make_timed(drums):
    """Fast and urgent: E minor, 175 BPM, galloping bass, a ticking clock,
    sixteenth-note arpeggios and a thin square lead climbing to a B major
    turn that pulls back to the start."""
    loop = Loop(175, 8)
    chords = [(40, "m"), (40, "m"), (36, ""), (38, ""),
              (40, "m"), (40, "m"), (36, ""), (35, "")]
    lead = [
        [(0, .5, 79), (.5, .5, 78), (1, .5, 76), (1.5, .5, 78), (2, .5, 79),
         (2.5, .5, 83), (3, .5, 81), (3.5, .5, 79)],
        [(0, .5, 78), (.5, .5, 76), (1, .5, 74), (1.5, .5, 76), (2, 1, 71),
         (3, 1, 76)],
        [(0, .5, 76), (.5, .5, 79), (1, 1, 84), (2, .5, 83), (2.5, .5, 79),
         (3, 1, 76)],
        [(0, .5, 78), (.5, .5, 81), (1, 1, 86), (2, .5, 84), (2.5, .5, 81),
         (3, 1, 78)],
        [(0, .5, 83), (.5, .5, 81), (1, .5, 79), (1.5, .5, 81), (2, .5, 83),
         (2.5, .5, 88), (3, .5, 86), (3.5, .5, 83)],
        [(0, .5, 81), (.5, .5, 79), (1, .5, 78), (1.5, .5, 79), (2, 1, 76),
         (3, 1, 79)],
        [(0, .5, 76), (.5, .5, 79), (1, .5, 84), (1.5, .5, 83), (2, .5, 79),
         (2.5, .5, 76), (3, 1, 72)],
        [(0, .5, 75), (.5, .5, 78), (1, .5, 83), (1.5, .5, 78), (2, .5, 75),
         (2.5, .5, 71), (3, .5, 75)],
    ]
    loop.melody("urgent_lead", lead, 0.26, legato=0.85)
    for bar, (root, kind) in enumerate(chords):
        tones = chord_tones(root, kind)
        for beat in range(4):
            note = root if beat % 2 == 0 else root + 12
            loop.note("gallop_bass", bar, beat, 0.5, note, 0.5, legato=0.85)
            loop.note("gallop_bass", bar, beat + 0.5, 0.25, note, 0.38,
                      legato=0.8)
            loop.note("gallop_bass", bar, beat + 0.75, 0.25, note, 0.38,
                      legato=0.8)
        pattern = [tones[0], tones[1], tones[2], tones[1] + 12]
        for step in range(16):
            loop.note("pulse_arp", bar, step * 0.25, 0.25,
                      pattern[step % 4] + 24, 0.1, legato=0.55)
        loop.hit(drums["kick"], bar, 0, 0.7)
        loop.hit(drums["kick"], bar, 2, 0.7)
        loop.hit(drums["kick"], bar, 2.75, 0.45)
        loop.hit(drums["snare"], bar, 1, 0.45)
        loop.hit(drums["snare"], bar, 3, 0.45)
        for beat in range(4):
            loop.hit(drums["tick" if beat % 2 == 0 else "tock"], bar, beat,
                     0.14)
        for step in range(16):
            loop.hit(drums["hat"], bar, step * 0.25,
                     0.07 if step % 2 else 0.04)
    return loop.samples


def make_wall_bounce(rng):
    """A short dry tick: a high square blip with a click of noise."""
    n = seconds(0.06)
    tone = oscillator("square", glide(1900.0, 1500.0, n), 0.5)
    out = multiply(lowpass(tone, 5000.0), decay_env(n, 0.001, 0.012))
    click = multiply(highpass(white_noise(n, rng), 3000.0),
                     decay_env(n, 0.0005, 0.003))
    return [t + 0.4 * c for t, c in zip(out, click)]


def make_paddle_bounce(rng):
    """A rounder, lower bonk: a sine falling from 330 to 200 Hz with a soft
    second harmonic."""
    n = seconds(0.2)
    freqs = glide(330.0, 200.0, n, 0.5)
    body = oscillator("sine", freqs)
    overtone = oscillator("triangle", [2.0 * f for f in freqs])
    env = decay_env(n, 0.002, 0.05)
    thump = multiply(lowpass(white_noise(n, rng), 800.0),
                     decay_env(n, 0.001, 0.006))
    return [e * (b + 0.25 * o) + 0.3 * t
            for e, b, o, t in zip(env, body, overtone, thump)]


def make_explode(rng):
    """A noise burst whose pitch falls: stepped noise slowing from 7 kHz to
    180 Hz, through a closing low-pass, over a falling sub thump."""
    n = seconds(0.9)
    noise = oscillator("noise", glide(7000.0, 180.0, n, 0.6), rng=rng)
    noise = lowpass(noise, glide(6000.0, 300.0, n, 0.7))
    noise = multiply(noise, decay_env(n, 0.003, 0.25))
    sub = multiply(oscillator("sine", glide(110.0, 35.0, n, 0.5)),
                   decay_env(n, 0.003, 0.16))
    return [a + 0.7 * b for a, b in zip(noise, sub)]


def sequence(steps, voice_fn):
    """Renders (start s, length s, note, gain) steps with voice_fn(note, n)."""
    out = []
    for start, length, note, gain in steps:
        mix_into(out, voice_fn(note, seconds(length)), seconds(start), gain)
    return out


def chip(note, n, duty=0.5, att=0.004, rel=0.05, sus=0.7, vib=0.0):
    env = adsr(n, att, 0.08, sus, rel)
    base = midi_freq(note)
    freqs = [base * 2.0 ** (vib / 12.0 * math.sin(TWO_PI * 5.0 * i / RATE)
                            * min(1.0, i / RATE / 0.3))
             for i in range(len(env))]
    return multiply(lowpass(oscillator("square", freqs, duty), 4000.0), env)


def make_win(rng):
    """A rising C major arpeggio ending on a held major chord."""
    steps = [(0.0, 0.09, 72, 1.0), (0.1, 0.09, 76, 1.0),
             (0.2, 0.09, 79, 1.0), (0.3, 0.09, 84, 1.0),
             (0.42, 0.08, 79, 0.8), (0.5, 0.5, 84, 1.0)]
    lead = sequence(steps, lambda note, n: chip(note, n, 0.25))
    harmony = sequence([(0.5, 0.5, 76, 0.45), (0.5, 0.5, 79, 0.45),
                        (0.0, 0.4, 60, 0.5), (0.5, 0.5, 48, 0.6)],
                       lambda note, n: multiply(
                           oscillator("triangle", [midi_freq(note)]
                                      * (n + seconds(0.12))),
                           adsr(n, 0.005, 0.1, 0.7, 0.12)))
    out = []
    mix_into(out, lead)
    mix_into(out, harmony)
    return out


def make_lose(rng):
    """A falling, sad figure: G, F sharp, F, then a long wobbling E."""
    steps = [(0.0, 0.2, 67, 1.0), (0.24, 0.2, 66, 1.0),
             (0.48, 0.2, 65, 1.0), (0.72, 0.45, 64, 1.0)]
    lead = sequence(steps[:3], lambda note, n: chip(note, n, 0.5, 0.01,
                                                    0.05, 0.8))
    mix_into(lead, chip(64, seconds(0.45), 0.5, 0.01, 0.15, 0.8, 0.35),
             seconds(0.72))
    bass = sequence([(0.0, 0.44, 43, 0.5), (0.48, 0.2, 41, 0.5),
                     (0.72, 0.45, 40, 0.6)],
                    lambda note, n: multiply(
                        oscillator("triangle", [midi_freq(note)]
                                   * (n + seconds(0.15))),
                        adsr(n, 0.01, 0.1, 0.8, 0.15)))
    mix_into(lead, bass)
    return lead


def make_time(rng):
    """An alarm clock: a tick, a tock, then three bursts of fast beeps."""
    out = []
    tick_n = seconds(0.04)
    tick = multiply(oscillator("sine", [1700.0] * tick_n),
                    decay_env(tick_n, 0.0005, 0.008))
    tock = multiply(oscillator("sine", [1150.0] * tick_n),
                    decay_env(tick_n, 0.0005, 0.008))
    mix_into(out, tick, 0, 0.8)
    mix_into(out, tock, seconds(0.15), 0.8)
    beep_env = adsr(seconds(0.027), 0.002, 0.01, 0.9, 0.008)
    beep = multiply(lowpass(oscillator("square", [2093.0] * len(beep_env)),
                            6000.0), beep_env)
    for burst in range(3):
        for k in range(4):
            start = 0.32 + burst * 0.24 + k * 0.045
            mix_into(out, beep, seconds(start), 0.6)
    out.extend([0.0] * seconds(0.02))
    return out


def make_exit(rng):
    """A short descending two-note blip that slides down like a whoosh."""
    first_n = seconds(0.12)
    second_n = seconds(0.2)
    first = multiply(oscillator("square", glide(1046.5, 988.0, first_n), 0.25),
                     adsr(first_n - seconds(0.03), 0.003, 0.05, 0.7, 0.03))
    second = multiply(oscillator("square", glide(784.0, 520.0, second_n, 1.5),
                                 0.25),
                      adsr(second_n - seconds(0.06), 0.003, 0.05, 0.7, 0.06))
    air_n = seconds(0.35)
    air = multiply(lowpass(white_noise(air_n, rng), glide(5000.0, 600.0,
                                                          air_n)),
                   adsr(air_n - seconds(0.1), 0.06, 0.1, 0.6, 0.1))
    out = []
    mix_into(out, lowpass(first, 3500.0))
    mix_into(out, lowpass(second, 3000.0), seconds(0.13))
    mix_into(out, air, 0, 0.25)
    return out


def write_wav(path, samples):
    ints = [max(-32767, min(32767, int(round(s * 32767.0)))) for s in samples]
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(ints), *ints))
    return ints


def describe(name, ints, is_loop):
    peak = max(abs(v) for v in ints)
    peak_db = 20.0 * math.log10(peak / 32767.0) if peak else float("-inf")
    line = "%-18s %6.3f s  peak %6.2f dBFS" % (name, len(ints) / RATE, peak_db)
    if is_loop:
        # The seam is the step from the last sample back to the first; it
        # should be no larger than the ordinary steps inside the loop.
        seam = abs(ints[0] - ints[-1])
        largest = max(abs(ints[i + 1] - ints[i]) for i in range(len(ints) - 1))
        line += "  first %d last %d seam step %d (largest step %d)" % (
            ints[0], ints[-1], seam, largest)
    return line


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    effects = [
        ("exit.wav", make_exit, 11, -3.0),
        ("explode.wav", make_explode, 12, -3.0),
        ("lose.wav", make_lose, 13, -3.0),
        ("paddle-bounce.wav", make_paddle_bounce, 14, -4.0),
        ("time.wav", make_time, 15, -3.0),
        ("wall-bounce.wav", make_wall_bounce, 16, -6.0),
        ("win.wav", make_win, 17, -3.0),
    ]
    for name, make, seed, peak_db in effects:
        samples = normalise(fade_edges(make(random.Random(seed))), peak_db)
        ints = write_wav(os.path.join(OUT_DIR, name), samples)
        print(describe(name, ints, False))

    drums = make_drums(random.Random(20))
    music = [
        ("advanced.wav", make_advanced),
        ("menu.wav", make_menu),
        ("timed.wav", make_timed),
    ]
    for name, make in music:
        samples = normalise(make(drums), -6.0)
        ints = write_wav(os.path.join(OUT_DIR, name), samples)
        print(describe(name, ints, True))


if __name__ == "__main__":
    main()
