"""Writes RIFF WAVE files with exactly the chunk layout the clock's sounds use."""
import struct


def fmt_chunk(channels, rate, bits):
    align = channels * bits // 8
    # 18 bytes: the PCM format plus an extra-size field of 0.
    body = struct.pack('<HHIIHHH', 1, channels, rate, rate * align, align, bits, 0)
    return b'fmt ' + struct.pack('<I', len(body)) + body


def chunk(tag, body):
    data = tag + struct.pack('<I', len(body)) + body
    if len(body) % 2:
        data += b'\0'  # pad byte after an odd chunk
    return data


def riff(chunks):
    body = b'WAVE' + b''.join(chunks)
    return b'RIFF' + struct.pack('<I', len(body)) + body


def quantize(samples, bits):
    """Float samples in -1..1 (interleaved) to PCM bytes; no dither."""
    out = bytearray()
    if bits == 8:
        for s in samples:
            v = int(round(max(-1.0, min(1.0, s)) * 127)) + 128
            out.append(v)
    else:
        ints = [int(round(max(-1.0, min(1.0, s)) * 32767)) for s in samples]
        out += struct.pack('<%dh' % len(ints), *ints)
    return bytes(out)


def read_raw_s16(path):
    """Mono 16-bit little-endian raw samples as floats."""
    with open(path, 'rb') as f:
        raw = f.read()
    n = len(raw) // 2
    return [v / 32768.0 for v in struct.unpack('<%dh' % n, raw[:n * 2])]
