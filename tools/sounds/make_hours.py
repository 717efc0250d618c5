#!/usr/bin/env python3
"""The 25 hour sounds: hour01..hour24 announce the hours 0-23 in Mandarin,
hour25 is the half-hour chime. Mono, 16 kHz, 16 bit; chunks "fmt " (18
bytes), "data", "EVNT" (264 bytes)."""
import math
import os
import sys

from riffwav import chunk, fmt_chunk, quantize, riff
from speech import speak

RATE = 16000
DIGITS = '零一二三四五六七八九'


def hour_words(h):
    if h == 2:
        return '两'
    if h < 10:
        return DIGITS[h]
    if h < 20:
        return '十' + (DIGITS[h - 10] if h > 10 else '')
    return '二十' + (DIGITS[h - 20] if h > 20 else '')


def announcement(h):
    # Lengths spread over 2.80 ... 3.04 s; the words take at most 2.7 s. They
    # say "现在时刻，X点" because the chime plays them on the hour and before
    # the half-hour sound alike (spoken, they end 2.1-2.5 s in, before the
    # half-hour sound starts at 2.6 s).
    target = 2.80 + (h % 13) * 0.02
    frames = int(round(target * RATE))
    words = speak('现在时刻，%s点' % hour_words(h), RATE, speed=160, max_seconds=2.70)
    top = max(abs(s) for s in words) or 1.0
    words = [s * 0.9 / top for s in words]
    # The words start 2 ms later for each hour: the openings are the same
    # words, and this way each sound's first bytes are its own (a player's
    # first buffer tells which hour it is playing).
    lead = int(0.08 * RATE) + h * int(0.002 * RATE)
    out = [0.0] * frames
    for i, s in enumerate(words):
        if lead + i < frames:
            out[lead + i] = s
    return out


def half_hour_chime():
    # Two struck bell notes, a fifth apart: 0.915 s.
    frames = int(round(0.915 * RATE))
    out = [0.0] * frames
    for start, f in ((0.0, 987.77), (0.30, 659.26)):
        first = int(start * RATE)
        for i in range(frames - first):
            t = i / RATE
            env = math.exp(-t * 4.5) * min(1.0, t / 0.004)
            v = (math.sin(2 * math.pi * f * t) + 0.35 * math.sin(2 * math.pi * f * 2.76 * t) *
                 math.exp(-t * 9) + 0.2 * math.sin(2 * math.pi * f * 5.4 * t) * math.exp(-t * 14))
            out[first + i] += 0.38 * env * v
    tail = int(0.03 * RATE)  # no click at the end
    for i in range(tail):
        out[frames - 1 - i] *= i / tail
    return out


def write(path, samples):
    data = quantize(samples, 16)
    with open(path, 'wb') as f:
        f.write(riff([fmt_chunk(1, RATE, 16), chunk(b'data', data), chunk(b'EVNT', bytes(264))]))


def main(folder):
    for h in range(24):
        write(os.path.join(folder, 'hour%02d.wav' % (h + 1)), announcement(h))
    write(os.path.join(folder, 'hour25.wav'), half_hour_chime())


if __name__ == '__main__':
    main(sys.argv[1])
