#!/usr/bin/env python3
"""The 13 ring sounds, ring01..ring13, in the formats of the alarm list:
ring01 has "fmt " and "data" only, the others a 4-byte "fact" chunk between
them. Everything is synthesized here or spoken by espeak-ng; the three songs
are melodies of our own (tunes.py)."""
import math
import os
import random
import struct
import sys

from riffwav import chunk, fmt_chunk, quantize, riff
from speech import speak
import tunes

# (file, channels, rate, bits, data bytes, maker)
TWO_PI = 2 * math.pi


def silence(frames):
    return [0.0] * frames


def mix_into(out, samples, start, gain=1.0):
    for i, s in enumerate(samples):
        if 0 <= start + i < len(out):
            out[start + i] += s * gain


def bell(freq, seconds, rate, decay=3.0):
    n = int(seconds * rate)
    return [math.exp(-i / rate * decay) * min(1.0, i / (0.003 * rate)) *
            (math.sin(TWO_PI * freq * i / rate) + 0.4 * math.sin(TWO_PI * freq * 2.4 * i / rate) *
             math.exp(-i / rate * decay * 2)) for i in range(n)]


def beep(freq, seconds, rate):
    n = int(seconds * rate)
    fade = int(0.01 * rate)
    return [math.sin(TWO_PI * freq * i / rate) * min(1.0, i / fade, (n - i) / fade) for i in range(n)]


def vel_ring(frames, rate):
    # The program's own ring: a rising bell arpeggio, twice, then a held chord.
    out = silence(frames)
    notes = [523.25, 659.26, 783.99, 1046.5]
    for rep in range(2):
        for k, f in enumerate(notes):
            mix_into(out, bell(f, 1.2, rate), int((rep * 1.6 + k * 0.22) * rate), 0.35)
    for f in notes[:3]:
        mix_into(out, bell(f, 1.7, rate, 2.0), int(3.3 * rate), 0.25)
    return out


def spoken_ring(text, chime):
    def make(frames, rate):
        out = silence(frames)
        seconds = frames / rate
        t = 0.0
        for f in chime:
            mix_into(out, beep(f, 0.14, rate), int(t * rate), 0.4)
            t += 0.17
        words = speak(text, rate, speed=165, max_seconds=seconds - t - 0.2)
        mix_into(out, words, int((t + 0.08) * rate), 0.9)
        return out
    return make


def rooster(frames, rate):
    # Cock-a-doodle-doo: a rich buzzing tone following the crow's contour.
    out = silence(frames)
    contour = [(0.12, 480, 620), (0.16, 640, 700), (0.22, 760, 820), (0.9, 820, 560)]
    for start in (0.3, 4.2):
        t0 = start
        phase = 0.0
        for seconds, f0, f1 in contour:
            n = int(seconds * rate)
            for i in range(n):
                x = i / n
                f = f0 + (f1 - f0) * x + 18 * math.sin(TWO_PI * 7 * i / rate)
                phase += f / rate
                tone = sum(math.sin(TWO_PI * phase * h) / h for h in (1, 2, 3))
                env = min(1.0, i / (0.02 * rate), (n - i) / (0.03 * rate))
                idx = int(t0 * rate) + i
                if idx < frames:
                    out[idx] += 0.35 * env * tone
            t0 += seconds + 0.03
    return out


def birdsong(frames, rate):
    out = silence(frames)
    rng = random.Random(9)
    t = 0.2
    while t < frames / rate - 0.5:
        kind = rng.random()
        count = rng.randint(2, 6)
        base = rng.uniform(2600, 4200)
        for _ in range(count):
            seconds = rng.uniform(0.04, 0.11)
            n = int(seconds * rate)
            sweep = rng.uniform(-1500, 1500) if kind < 0.6 else 0
            phase = 0.0
            for i in range(n):
                x = i / n
                f = base + sweep * x + 250 * math.sin(TWO_PI * 30 * i / rate)
                phase += f / rate
                env = math.sin(math.pi * x) ** 2
                idx = int(t * rate) + i
                if idx < frames:
                    out[idx] += 0.45 * env * math.sin(TWO_PI * phase)
            t += seconds + rng.uniform(0.02, 0.07)
        t += rng.uniform(0.3, 0.9)
    return out


def dog(frames, rate):
    out = silence(frames)
    rng = random.Random(10)
    t = 0.3
    while t < frames / rate - 1.0:
        for _ in range(rng.randint(1, 3)):
            seconds = rng.uniform(0.16, 0.24)
            n = int(seconds * rate)
            f0 = rng.uniform(330, 420)
            phase = 0.0
            for i in range(n):
                x = i / n
                f = f0 * (1.15 - 0.45 * x)
                phase += f / rate
                tone = sum(math.sin(TWO_PI * phase * h) * (0.9 ** h) for h in range(1, 6))
                noise = rng.uniform(-1, 1) * 0.35
                env = min(1.0, x / 0.06) * (1 - x) ** 1.5
                idx = int(t * rate) + i
                if idx < frames:
                    out[idx] += 0.3 * env * (tone * 0.6 + noise)
            t += seconds + rng.uniform(0.12, 0.2)
        t += rng.uniform(0.8, 2.2)
    return out


RINGS = [
    ('ring01.wav', 1, 8000, 8, 40832, vel_ring),
    ('ring02.wav', 1, 8000, 8, 18853, spoken_ring('起床啦！', [784, 988, 1175])),
    ('ring03.wav', 1, 8000, 8, 21311, spoken_ring('该上班了。', [659, 784, 659])),
    ('ring04.wav', 1, 8000, 8, 19397, spoken_ring('吃饭了！', [880, 698, 880])),
    ('ring05.wav', 1, 8000, 8, 29441, spoken_ring('眼保健操，现在开始。', [523, 659, 784, 659])),
    ('ring06.wav', 1, 8000, 8, 22941, spoken_ring('休息一下吧。', [698, 587, 523])),
    ('ring07.wav', 1, 8000, 8, 19412, spoken_ring('下班了！', [523, 659, 784, 1046])),
    ('ring08.wav', 1, 8000, 8, 64200, rooster),
    ('ring09.wav', 1, 22050, 16, 405874, birdsong),
    ('ring10.wav', 1, 8000, 8, 194080, dog),
    ('ring11.wav', 2, 11025, 8, 408828, tunes.song_one),
    ('ring12.wav', 2, 11025, 8, 786822, tunes.song_two),
    ('ring13.wav', 2, 8000, 8, 435186, tunes.song_three),
]


def normalize(samples, peak=0.9):
    top = max((abs(s) for s in samples), default=0)
    return [s * peak / top for s in samples] if top > 0 else samples


def main(folder):
    for name, channels, rate, bits, data_bytes, maker in RINGS:
        frames = data_bytes // (channels * bits // 8)
        samples = maker(frames, rate)
        if channels == 1:
            samples = normalize(samples)
        data = quantize(samples, bits)
        data += b'\x80' * (data_bytes - len(data)) if bits == 8 else b''
        chunks = [fmt_chunk(channels, rate, bits)]
        if name != 'ring01.wav':
            chunks.append(chunk(b'fact', struct.pack('<I', frames)))
        chunks.append(chunk(b'data', data))
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(riff(chunks))


if __name__ == '__main__':
    main(sys.argv[1])
