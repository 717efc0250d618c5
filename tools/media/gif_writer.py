"""A small GIF89a writer: one image, a full global colour table, no
interlacing, optionally a transparent index. Written by hand so the files
have exactly the structure the clock's decoder is tested against, whatever
Pillow's version does with palettes and interlacing."""
import struct


def _lzw(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bits = 0
    nbits = 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    code_size = min_code_size + 1
    table = {}
    next_code = end + 1
    emit(clear, code_size)
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, code_size)
        if next_code < 4096:
            table[key] = next_code
            # The decoder learns each code one step later than we do, so the
            # wider codes start once a code needing them has been assigned.
            if next_code == (1 << code_size) and code_size < 12:
                code_size += 1
            next_code += 1
        else:
            emit(clear, code_size)
            table = {}
            code_size = min_code_size + 1
            next_code = end + 1
        prefix = k
    emit(prefix, code_size)
    emit(end, code_size)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif_bytes(width, height, indices, palette, transparent=None):
    """indices: width*height palette indices, rows top to bottom.
    palette: list of (r, g, b), a power of two from 2 to 256 entries."""
    assert len(indices) == width * height
    size = len(palette)
    assert size in (2, 4, 8, 16, 32, 64, 128, 256)
    depth = size.bit_length() - 1
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | (depth - 1) << 4 | (depth - 1), 0, 0)
    for r, g, b in palette:
        data += bytes((r, g, b))
    if transparent is not None:
        # Graphic control: no disposal, no delay, transparency flag set.
        data += bytes((0x21, 0xF9, 4, 0x01, 0, 0, transparent, 0))
    data += b","
    data += struct.pack("<HHHHB", 0, 0, width, height, 0)  # not interlaced, no local table
    min_code_size = max(2, depth)
    data.append(min_code_size)
    stream = _lzw(indices, min_code_size)
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00;"
    return bytes(data)
