#!/usr/bin/env python3
"""Writes the generated files of the sample product into the folder given as
the first argument: two sound banks of noise (they do not compress, so the
package needs more than one floppy disk), a colour table and a word list
(they compress well), and a still picture logo.bmp. Sizes of the sound banks
can be given as second and third argument. The output depends only on the
arguments, so two runs give byte-identical files."""
import random
import struct
import sys


def write_bmp(path, width, height):
    """A 24-bit bottom-up BMP with a blue-to-white diagonal and a frame."""
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            if x < 3 or y < 3 or x >= width - 3 or y >= height - 3:
                b, g, r = 0x80, 0x00, 0x00
            else:
                t = (x + y) * 255 // (width + height)
                b, g, r = 255, t, t
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    out = sys.argv[1]
    bank1 = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    bank2 = int(sys.argv[3]) if len(sys.argv) > 3 else 600_000
    rng = random.Random(20261208)
    with open(f"{out}/bank1.snd", "wb") as f:
        f.write(bytes(rng.getrandbits(8) for _ in range(bank1)))
    with open(f"{out}/bank2.snd", "wb") as f:
        f.write(bytes(rng.getrandbits(8) for _ in range(bank2)))
    with open(f"{out}/colors.dat", "wb") as f:
        for i in range(4096):
            f.write(struct.pack("<BBBB", i & 0xFF, (i >> 4) & 0xFF, (i * 7) & 0xFF, 0))
    words = ["alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel"]
    with open(f"{out}/words.txt", "w", newline="\r\n") as f:
        for i in range(3000):
            f.write(f"{i:5d} {words[i % 8]} {words[(i * 3) % 8]}\n")
    write_bmp(f"{out}/logo.bmp", 96, 64)


if __name__ == "__main__":
    main()
