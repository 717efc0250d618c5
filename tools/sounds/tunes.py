"""Three short melodies written for the clock's alarm list, arranged for two
channels: the tune leans right, a bass and chord line leans left."""
import math

NAMES = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}


def freq(name):
    semis = NAMES[name[0]] + (1 if '#' in name else 0) - (1 if 'b' in name[1:] else 0)
    octave = int(name[-1])
    return 440.0 * 2 ** ((semis + 12 * (octave + 1) - 69) / 12)


def parse(text):
    notes = []
    for item in text.split():
        if item == '|':
            continue
        name, beats = item.split(':')
        notes.append((None if name == '-' else freq(name), float(beats)))
    return notes


def voice(out, channel_gains, notes, bpm, rate, timbre, start=0.0):
    beat = 60.0 / bpm
    t = start
    frames = len(out[0])
    for f, beats in notes:
        seconds = beats * beat
        if f:
            n = int(seconds * rate)
            first = int(t * rate)
            for i in range(n):
                if first + i >= frames:
                    break
                x = i / rate
                env = min(1.0, x / 0.015) * math.exp(-x * 1.2) * min(1.0, (n - i) / (0.04 * rate))
                v = timbre(f, x) * env
                for c, g in enumerate(channel_gains):
                    out[c][first + i] += v * g
        t += seconds
    return t


def lead(f, x):
    vib = 1 + 0.004 * math.sin(2 * math.pi * 5.5 * x) * min(1.0, x * 3)
    p = 2 * math.pi * f * vib * x
    return 0.5 * math.sin(p) + 0.2 * math.sin(2 * p) + 0.1 * math.sin(3 * p)


def pad(f, x):
    p = 2 * math.pi * f * x
    return 0.35 * math.sin(p) + 0.12 * math.sin(2 * p)


def render(frames, rate, bpm, melody, bass):
    out = [[0.0] * frames, [0.0] * frames]
    voice(out, (0.55, 1.0), parse(melody), bpm, rate, lead, 0.25)
    voice(out, (1.0, 0.5), parse(bass), bpm, rate, pad, 0.25)
    top = max(max(abs(s) for s in ch) for ch in out) or 1.0
    fade = int(1.0 * rate)
    result = []
    for i in range(frames):
        g = 0.85 / top * min(1.0, (frames - i) / fade)
        result += [out[0][i] * g, out[1][i] * g]
    return result


def song_one(frames, rate):
    melody = """G4:1 B4:1 D5:1.5 C5:0.5 | B4:1 A4:1 G4:2 | E4:1 G4:1 A4:1.5 B4:0.5 | A4:4 |
                B4:1 D5:1 E5:1.5 D5:0.5 | C5:1 B4:1 A4:2 | G4:1 A4:0.5 B4:0.5 A4:1 F#4:1 | G4:4"""
    bass = """G2:4 | D3:2 G2:2 | C3:4 | D3:4 | G2:4 | A2:2 D3:2 | C3:2 D3:2 | G2:4"""
    return render(frames, rate, 104, melody, bass)


def song_two(frames, rate):
    a = """A4:2 C5:1 | E5:2 D5:1 | C5:1 B4:1 A4:1 | E4:3 | F4:2 A4:1 | C5:2 B4:1 |"""
    melody = a + """ A4:1 G#4:1 B4:1 | A4:3 | """ + a + """ D5:2 C5:1 | E5:3 |
                E5:2 F5:1 | E5:2 D5:1 | C5:2 D5:1 | C5:2 B4:1 | A4:2 C5:1 | B4:1 A4:1 G#4:1 |
                A4:3 | -:3"""
    bass_a = "A2:3 | A2:3 | F2:3 | E2:3 | D3:3 | A2:3 | E2:3 | A2:3 | "
    bass = bass_a + "A2:3 | A2:3 | F2:3 | E2:3 | D3:3 | A2:3 | G2:3 | C3:3 | " + \
        "C3:3 | G2:3 | A2:3 | E2:3 | F2:3 | E2:3 | A2:3 | -:3"
    return render(frames, rate, 121, melody, bass)


def song_three(frames, rate):
    melody = """D5:1 E5:0.5 D5:0.5 B4:1 A4:1 | G4:1.5 A4:0.5 B4:2 | D5:1 B4:1 A4:1 G4:1 |
                E4:2 D4:2 | E4:1 G4:1 A4:1.5 B4:0.5 | D5:1 E5:1 D5:2 |
                B4:1 A4:0.5 G4:0.5 E4:1 G4:1 | A4:2 B4:1 A4:1 | G4:4"""
    bass = """G2:4 | E2:4 | C3:4 | D3:4 | C3:4 | G2:4 | E2:4 | D3:4 | G2:4"""
    return render(frames, rate, 80, melody, bass)
