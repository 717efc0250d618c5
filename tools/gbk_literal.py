#!/usr/bin/env python3
"""Prints each argument as a C string literal of its GBK bytes, for the
system's own Chinese texts in source (which is UTF-8)."""
import sys

for text in sys.argv[1:]:
    body = "".join(f"\\x{b:02X}" if b >= 0x80 or b < 0x20 or b in (0x22, 0x5C) else chr(b)
                   for b in text.encode("gbk"))
    # A hex escape swallows following hex digits: split the literal there.
    out, prev_hex = "", False
    i = 0
    while i < len(body):
        if body.startswith("\\x", i):
            out += body[i:i + 4]; i += 4; prev_hex = True
        else:
            ch = body[i]
            if prev_hex and ch in "0123456789abcdefABCDEF":
                out += '" "'
            out += ch; i += 1; prev_hex = False
    print(f'"{out}"  // {text}')
