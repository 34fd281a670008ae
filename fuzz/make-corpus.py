#!/usr/bin/env python3
"""Writes the seed files of the image and wave fuzz targets into fuzz/corpus/<name>/:
small valid files of every layout the readers take, built byte by byte (JPEG
through Debian's libturbojpeg) so that the seeds do not depend on the writers
under test, and the inputs that once found faults, kept as regression cases.

Usage: fuzz/make-corpus.py   (from anywhere; rewrites the seeds in place)
"""
import ctypes
import math
import os
import random
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
rng = random.Random(7)


def pixels(count, size):
    return bytes(rng.randrange(256) for _ in range(count * size))


def dds(width, height, levels, pixel_format, level_bytes, faces=1):
    flags = 0x1007 | (0x20000 if levels > 1 else 0)
    caps = 0x1000 | (0x8 if levels > 1 or faces == 6 else 0) | (0x400000 if levels > 1 else 0)
    caps2 = 0xFE00 if faces == 6 else 0
    header = struct.pack("<4s7I44x", b"DDS ", 124, flags, height, width, 0, 0, levels)
    header += pixel_format + struct.pack("<4I4x", caps, caps2, 0, 0)
    body = b""
    for _ in range(faces):
        for level in range(levels):
            body += pixels(1, level_bytes(max(1, width >> level), max(1, height >> level)))
    return header + body


def masks(flags, bits, r, g, b, a):
    return struct.pack("<2I4s5I", 32, flags, b"\0\0\0\0", bits, r, g, b, a)


def fourcc(code):
    return struct.pack("<2I4s5I", 32, 4, code, 0, 0, 0, 0, 0)


def blocks(block_bytes):
    return lambda w, h: ((w + 3) // 4) * ((h + 3) // 4) * block_bytes


def bmp(width, height, bits, data, palette=b"", header_size=40, extra=b"", compression=0):
    offset = 14 + header_size + len(palette)
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression, len(data), 2835, 2835,
                       len(palette) // 4, 0) + extra
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + info + palette + data


def bmp_rows(width, height, pixel_bytes):
    row = (width * pixel_bytes + 3) & ~3
    return b"".join(pixels(width, pixel_bytes) + bytes(row - width * pixel_bytes) for _ in range(height))


def tga(image_type, width, height, bits, descriptor, data, colour_map=b"", map_entries=0, map_bits=0):
    return struct.pack("<BBBHHBHHHHBB", 0, 1 if colour_map else 0, image_type, 0, map_entries, map_bits, 0, 0,
                       width, height, bits, descriptor) + colour_map + data


def tga_rle(width, height, pixel_bytes):
    out, left = b"", width * height
    while left:
        count = min(left, rng.randrange(1, 6))
        if rng.randrange(2):
            out += bytes([0x80 | (count - 1)]) + pixels(1, pixel_bytes)
        else:
            out += bytes([count - 1]) + pixels(count, pixel_bytes)
        left -= count
    return out


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_rows(width, height, bits_per_pixel):
    # Each row starts with its filter type; every filter takes any bytes.
    row = (width * bits_per_pixel + 7) // 8
    return b"".join(bytes([y % 5]) + pixels(1, row) for y in range(height))


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(width, height, colour_type, depth, extra=b"", interlaced=False):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    bits = channels * depth
    if interlaced:
        raw = b""
        for x0, y0, dx, dy in ADAM7:
            w, h = (width - x0 + dx - 1) // dx, (height - y0 + dy - 1) // dy
            if w > 0 and h > 0:
                raw += png_rows(w, h, bits)
    else:
        raw = png_rows(width, height, bits)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 1 if interlaced else 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra +
            png_chunk(b"IDAT", zlib.compress(raw)) + png_chunk(b"IEND", b""))


TJ_RGB, TJ_GRAY, TJ_CMYK = 0, 6, 11
TJ_444, TJ_420, TJ_GRAYSAMP = 0, 2, 3
TJ_PROGRESSIVE = 16384


def jpeg(width, height, pixel_format, subsampling, flags=0):
    tj = ctypes.CDLL("libturbojpeg.so.0")
    tj.tjInitCompress.restype = ctypes.c_void_p
    handle = ctypes.c_void_p(tj.tjInitCompress())
    channels = {TJ_RGB: 3, TJ_GRAY: 1, TJ_CMYK: 4}[pixel_format]
    source = pixels(width * height, channels)
    out, size = ctypes.POINTER(ctypes.c_ubyte)(), ctypes.c_ulong(0)
    if tj.tjCompress2(handle, source, width, 0, height, pixel_format, ctypes.byref(out), ctypes.byref(size),
                      subsampling, 85, flags) != 0:
        raise RuntimeError("libturbojpeg could not compress a seed")
    data = ctypes.string_at(out, size.value)
    tj.tjFree(out)
    tj.tjDestroy(handle)
    return data


def jpeg_huffman_counts_overflow():
    # A Huffman table whose code counts add up to 4080 codes (at most 256 are
    # possible): stb_image's table builder wrote past its array on it.
    segment = lambda marker, body: bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body
    dqt = segment(0xDB, b"\x00" + bytes([1] * 64))
    sof = segment(0xC0, struct.pack(">BHHB", 8, 8, 8, 1) + b"\x01\x11\x00")
    dht = segment(0xC4, b"\x00" + bytes([255] * 16) + bytes(range(256)) * 15 + bytes(240))
    sos = segment(0xDA, b"\x01\x01\x00\x00\x3F\x00")
    return b"\xFF\xD8" + dqt + sof + dht + sos + bytes(16) + b"\xFF\xD9"


def ppm(magic, width, height, max_value, sample_bytes, header_text=None):
    header = header_text or "%s\n%d %d\n%d\n" % (magic, width, height, max_value)
    return header.encode() + pixels(1, sample_bytes)


def riff_chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def wave_format(tag, channels, rate, bits, extra=None):
    block = channels * bits // 8
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)
    if extra is not None:
        body += struct.pack("<H", len(extra)) + extra
    return riff_chunk(b"fmt ", body)


def wave(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def wave_tone16(frames, channels):
    return b"".join(struct.pack("<h", int(8000 * math.sin(i / 5))) * channels for i in range(frames))


def wave_tone8(frames, channels):
    return bytes(int(128 + 60 * math.sin(i / 5)) for i in range(frames) for _ in range(channels))


PCM_SUBFORMAT = bytes([1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71])


SEEDS = {
    "dds": {
        "argb_mips.dds": dds(4, 4, 3, masks(0x41, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000), lambda w, h: w * h * 4),
        "xrgb_cube.dds": dds(4, 4, 1, masks(0x40, 32, 0xFF0000, 0xFF00, 0xFF, 0), lambda w, h: w * h * 4, faces=6),
        "dxt1.dds": dds(8, 8, 1, fourcc(b"DXT1"), blocks(8)),
        "dxt3_mips.dds": dds(8, 4, 4, fourcc(b"DXT3"), blocks(16)),
        "dxt5_cube_mips.dds": dds(4, 4, 3, fourcc(b"DXT5"), blocks(16), faces=6),
        "r5g6b5.dds": dds(3, 2, 1, masks(0x40, 16, 0xF800, 0x7E0, 0x1F, 0), lambda w, h: w * h * 2),
        "l8.dds": dds(4, 2, 1, masks(0x20000, 8, 0xFF, 0, 0, 0), lambda w, h: w * h),
        "r8g8b8.dds": dds(5, 3, 2, masks(0x40, 24, 0xFF0000, 0xFF00, 0xFF, 0), lambda w, h: w * h * 3),
    },
    "bmp": {
        "rgb24.bmp": bmp(5, 3, 24, bmp_rows(5, 3, 3)),
        "rgb24_topdown.bmp": bmp(3, -2, 24, bmp_rows(3, 2, 3)),
        "argb32.bmp": bmp(4, 4, 32, bmp_rows(4, 4, 4)),
        "argb32_v4.bmp": bmp(3, 3, 32, bmp_rows(3, 3, 4), header_size=108, compression=3,
                             extra=struct.pack("<4I", 0xFF0000, 0xFF00, 0xFF, 0xFF000000) + bytes(52)),
        "pal8.bmp": bmp(4, 4, 8, bmp_rows(4, 4, 1), palette=pixels(256, 4)),
        "pal4.bmp": bmp(6, 2, 4, b"".join(pixels(3, 1) + bytes(1) for _ in range(2)), palette=pixels(16, 4)),
    },
    "tga": {
        "argb32_topleft.tga": tga(2, 4, 4, 32, 0x28, pixels(16, 4)),
        "rgb24.tga": tga(2, 5, 3, 24, 0x00, pixels(15, 3)),
        "rle24.tga": tga(10, 8, 3, 24, 0x00, tga_rle(8, 3, 3)),
        "rle32.tga": tga(10, 4, 4, 32, 0x28, tga_rle(4, 4, 4)),
        "grey.tga": tga(3, 4, 2, 8, 0x00, pixels(8, 1)),
        "mapped.tga": tga(1, 4, 4, 8, 0x00, pixels(16, 1), colour_map=pixels(4, 3), map_entries=4, map_bits=24),
    },
    "png": {
        "rgba8.png": png(5, 3, 6, 8),
        "rgb8.png": png(4, 4, 2, 8),
        "grey8.png": png(3, 5, 0, 8),
        "grey_alpha.png": png(4, 2, 4, 8),
        "grey1.png": png(9, 3, 0, 1),
        "grey16_trns.png": png(3, 3, 0, 16, extra=png_chunk(b"tRNS", b"\x12\x34")),
        "rgb16.png": png(3, 2, 2, 16),
        "palette_trns.png": png(4, 4, 3, 8, extra=png_chunk(b"PLTE", pixels(4, 3)) + png_chunk(b"tRNS", b"\x00\x80")),
        "palette4_interlaced.png": png(9, 9, 3, 4, extra=png_chunk(b"PLTE", pixels(16, 3)), interlaced=True),
        "rgba8_interlaced.png": png(10, 7, 6, 8, interlaced=True),
    },
    "jpeg": {
        "rgb444.jpg": jpeg(8, 8, TJ_RGB, TJ_444),
        "rgb420_odd.jpg": jpeg(13, 9, TJ_RGB, TJ_420),
        "grey.jpg": jpeg(8, 16, TJ_GRAY, TJ_GRAYSAMP),
        "progressive420.jpg": jpeg(16, 16, TJ_RGB, TJ_420, TJ_PROGRESSIVE),
        "cmyk.jpg": jpeg(8, 8, TJ_CMYK, TJ_444),
        "regression_huffman_counts.jpg": jpeg_huffman_counts_overflow(),
    },
    "wave": {
        "mono16.wav": wave(wave_format(1, 1, 44100, 16), riff_chunk(b"data", wave_tone16(40, 1))),
        "stereo8_odd.wav": wave(wave_format(1, 2, 22050, 8), riff_chunk(b"LIST", b"INFOabc"),
                                riff_chunk(b"data", wave_tone8(21, 2)[:41])),
        "extensible.wav": wave(wave_format(0xFFFE, 2, 48000, 16, struct.pack("<HI", 16, 3) + PCM_SUBFORMAT),
                               riff_chunk(b"data", wave_tone16(16, 2))),
        "float_fact.wav": wave(wave_format(3, 1, 8000, 32, b""), riff_chunk(b"fact", struct.pack("<I", 4)),
                               riff_chunk(b"data", struct.pack("<4f", 0, 0.5, -0.5, 0))),
        "data_first.wav": wave(riff_chunk(b"data", wave_tone8(9, 1)), wave_format(1, 1, 11025, 8)),
    },
    "ppm": {
        "rgb.ppm": ppm("P6", 3, 2, 255, 18),
        "grey.pgm": ppm("P5", 4, 3, 255, 12),
        "comments.ppm": ppm("P6", 2, 2, 255, 12, header_text="P6 # made by hand\n2 # wide\n2\t255\r"),
        "max15.pgm": ppm("P5", 4, 1, 15, 4),
        # A number too large for an int: stb_image's header parser overflowed on it.
        "regression_huge_width.ppm": ppm("P6", 0, 0, 0, 12, header_text="P6\n99999999999999999999 1\n255\n"),
        # Two-byte samples: stb_image converted them through a buffer too small.
        "regression_16bit.pgm": ppm("P5", 2, 2, 65535, 8),
    },
}


def main():
    for target, files in SEEDS.items():
        folder = os.path.join(ROOT, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
