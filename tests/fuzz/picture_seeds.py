#!/usr/bin/env python3
"""Writes the small BMP seeds of the picture fuzzer: one file per header kind, bit depth and
compression that a picture can arrive in.   python3 tests/fuzz/picture_seeds.py tests/fuzz/corpus/picture"""
import struct
import sys
from pathlib import Path

W, H = 9, 5  # odd width: every row needs padding


def colour(x, y):
    return ((x * 37) & 255, (y * 61) & 255, ((x + y) * 23) & 255)


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def file_header(total, offset):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def info_header(size, width, height, bpp, compression, image_bytes, colours=0, extra=b""):
    head = struct.pack("<IiiHHIIiiII", size, width, height, 1, bpp, compression, image_bytes,
                       2835, 2835, colours, 0)
    return (head + extra).ljust(size, b"\0")


def bmp(info, palette, pixels):
    offset = 14 + len(info) + len(palette)
    return file_header(offset + len(pixels), offset) + info + palette + pixels


def palette_of(n, quad=True):
    out = b""
    for i in range(n):
        r, g, b = (i * 53) & 255, (i * 97) & 255, (i * 151) & 255
        out += bytes([b, g, r]) + (b"\0" if quad else b"")
    return out


def indexed_rows(bpp, top_down=False):
    rows = []
    for y in range(H):
        idx = [(x + y) % (1 << bpp) for x in range(W)]
        bits = "".join(format(i, f"0{bpp}b") for i in idx)
        bits += "0" * (-len(bits) % 8)
        rows.append(padded(bytes(int(bits[k:k + 8], 2) for k in range(0, len(bits), 8))))
    return b"".join(rows if top_down else rows[::-1])


def direct_rows(pack, top_down=False):
    rows = [padded(b"".join(pack(*colour(x, y)) for x in range(W))) for y in range(H)]
    return b"".join(rows if top_down else rows[::-1])


def rle8():
    out = b""
    for y in range(H):
        out += bytes([3, (y % 7) + 1])                  # a run of three
        out += bytes([0, 6]) + bytes(range(6))          # six literal pixels (even: no pad byte)
        out += b"\0\0"                                  # end of line
    out += bytes([0, 2, 1, 1])                          # a delta
    return out + b"\0\1"                                # end of picture


def rle4():
    out = b""
    for y in range(H):
        out += bytes([5, 0x12 + y])                     # five pixels alternating two colours
        out += bytes([0, 4, 0x34, 0x56])                # four literal pixels
        out += b"\0\0"
    return out + b"\0\1"


def main(folder):
    d = Path(folder)
    d.mkdir(parents=True, exist_ok=True)
    seeds = {}
    for bpp in (1, 4):
        px = indexed_rows(bpp)
        seeds[f"pal{bpp}.bmp"] = bmp(info_header(40, W, H, bpp, 0, len(px), 1 << bpp),
                                     palette_of(1 << bpp), px)
    px = rle8()
    seeds["rle8.bmp"] = bmp(info_header(40, W, H, 8, 1, len(px), 16), palette_of(16), px)
    px = rle4()
    seeds["rle4.bmp"] = bmp(info_header(40, W, H, 4, 2, len(px), 16), palette_of(16), px)
    px = direct_rows(lambda r, g, b: struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3))
    seeds["rgb555.bmp"] = bmp(info_header(40, W, H, 16, 0, len(px)), b"", px)
    masks565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    px = direct_rows(lambda r, g, b: struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3))
    seeds["bitfields565.bmp"] = bmp(info_header(40, W, H, 16, 3, len(px)), masks565, px)
    px = direct_rows(lambda r, g, b: bytes([b, g, r]), top_down=True)
    seeds["topdown24.bmp"] = bmp(info_header(40, W, -H, 24, 0, len(px)), b"", px)
    core = struct.pack("<IHHHH", 12, W, H, 1, 8)
    px = indexed_rows(8)
    seeds["core8.bmp"] = bmp(core, palette_of(256, quad=False), px)
    masks = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    px = direct_rows(lambda r, g, b: bytes([b, g, r, 255]))
    seeds["v4alpha32.bmp"] = bmp(info_header(108, W, H, 32, 3, len(px), extra=masks), b"", px)
    seeds["v5bitfields32.bmp"] = bmp(info_header(124, W, H, 32, 3, len(px), extra=masks), b"", px)
    for name, data in seeds.items():
        (d / name).write_bytes(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tests/fuzz/corpus/picture")
