"""Mandarin speech through espeak-ng (the pinyin voice reads the tones right),
resampled by sox and returned as float samples."""
import os
import subprocess
import tempfile

from riffwav import read_raw_s16


def speak(text, rate, speed=165, pitch=50, max_seconds=None):
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, 'speech.wav')
        raw = os.path.join(tmp, 'speech.raw')
        subprocess.run(['espeak-ng', '-v', 'cmn-latn-pinyin', '-s', str(speed), '-p', str(pitch),
                        '-w', wav, text], check=True)
        # Trim the silence espeak puts around the words.
        effects = ['gain', '-4', 'silence', '1', '0.01', '0.5%', 'reverse', 'silence', '1', '0.01', '0.5%',
                   'reverse']
        length = float(subprocess.run(['soxi', '-D', wav], check=True, capture_output=True,
                                      text=True).stdout)
        if max_seconds and length > max_seconds:
            effects += ['tempo', '-s', '%.4f' % (length / max_seconds)]
        subprocess.run(['sox', '-D', wav, '-r', str(rate), '-c', '1', '-b', '16', '-e', 'signed',
                        '-t', 'raw', raw] + effects + ['rate', '-v', str(rate)], check=True)
        samples = read_raw_s16(raw)
    if max_seconds:
        samples = samples[:int(max_seconds * rate)]
    return samples
