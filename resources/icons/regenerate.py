#!/usr/bin/env python3
"""Regenerates every committed Kestrava icon from kestrava.svg and the 16 px drawing below.

The generated images are committed because the build uses them as they are; run this after
changing the drawing and commit the results:

    python3 resources/icons/regenerate.py

Needs rsvg-convert (Debian package librsvg2-bin) to render the SVG and ImageMagick's convert to
hand the rendered pixels over as raw RGBA. Everything else (palettes, PNG and ICO encoding) is
done here so the output does not depend on the encoders' defaults.
"""

import shutil
import struct
import subprocess
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE / "kestrava.svg"
APP_ID = "org.kestrava.Kestrava"
DESKTOP_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICO_PALETTE_SIZES = (16, 32, 48)  # classic 256-colour entries with a transparency mask
ICO_PNG_SIZE = 256  # full-alpha entry for large views in the Windows shell

# At 16 px the scaled drawing blurs the one-pixel rim and the strokes of the K, so the smallest
# size is drawn pixel by pixel: the same key cap and letter, on a 16 px grid.
SMALL_COLOURS = {
    ".": (0x00, 0x00, 0x00, 0x00),
    "k": (0x00, 0x00, 0x00, 0xFF),
    "g": (0x80, 0xFF, 0x80, 0xFF),
    "o": (0xC0, 0xC0, 0x00, 0xFF),
    "d": (0x80, 0x80, 0x00, 0xFF),
}
SMALL = (
    "..kkkkkkkkkkkk..",
    ".kggggggggggggk.",
    "kogkkkkkkkkkkgok",
    "kogkggkkkkggkgok",
    "kogkggkkkggkkgok",
    "kogkggkkggkkkgok",
    "kogkgggggkkkkgok",
    "kogkgggggkkkkgok",
    "kogkggkkggkkkgok",
    "kogkggkkkggkkgok",
    "kogkggkkkkggkgok",
    "kogkkkkkkkkkkgok",
    "koggggggggggggok",
    "kddddddddddddddk",
    "kddddddddddddddk",
    ".kkkkkkkkkkkkkk.",
)


class Image:
    def __init__(self, size, pixels):
        assert len(pixels) == size * size
        self.size = size
        self.pixels = pixels  # rows top to bottom, (r, g, b, a), alpha not premultiplied

    def rows(self):
        for y in range(self.size):
            yield self.pixels[y * self.size : (y + 1) * self.size]


def drawn_small():
    assert len(SMALL) == 16 and all(len(row) == 16 for row in SMALL)
    return Image(16, [SMALL_COLOURS[c] for row in SMALL for c in row])


def rendered(size):
    png = subprocess.run(
        ["rsvg-convert", "-w", str(size), "-h", str(size), str(SOURCE)],
        check=True,
        capture_output=True,
    ).stdout
    raw = subprocess.run(
        ["convert", "png:-", "-depth", "8", "rgba:-"], input=png, check=True, capture_output=True
    ).stdout
    assert len(raw) == size * size * 4
    return Image(size, [tuple(raw[i : i + 4]) for i in range(0, len(raw), 4)])


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png_bytes(image, require_palette=False, allow_palette=True):
    """An 8-bit palette PNG when the image has at most 256 colours, RGBA otherwise."""
    colours = sorted(set(image.pixels), key=lambda c: (c[3] == 0xFF, c))
    size = struct.pack(">II", image.size, image.size)
    if allow_palette and len(colours) <= 256:
        # Translucent entries first, so the tRNS chunk can stop at the last of them.
        index = {c: i for i, c in enumerate(colours)}
        header = chunk(b"IHDR", size + bytes([8, 3, 0, 0, 0]))
        header += chunk(b"PLTE", b"".join(bytes(c[:3]) for c in colours))
        alphas = bytes(c[3] for c in colours if c[3] != 0xFF)
        if alphas:
            header += chunk(b"tRNS", alphas)
        scanlines = b"".join(b"\0" + bytes(index[p] for p in row) for row in image.rows())
    else:
        assert not require_palette, f"{image.size} px: {len(colours)} colours do not fit a palette"
        header = chunk(b"IHDR", size + bytes([8, 6, 0, 0, 0]))
        scanlines = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in image.rows())
    return (
        b"\x89PNG\r\n\x1a\n"
        + header
        + chunk(b"IDAT", zlib.compress(scanlines, 9))
        + chunk(b"IEND", b"")
    )


def bmp_palette_entry(image):
    """A 256-colour icon image: half-covered pixels become opaque, the rest goes to the mask."""
    opaque = [p[3] >= 0x80 for p in image.pixels]
    colours = sorted({p[:3] for p, o in zip(image.pixels, opaque) if o})
    assert len(colours) <= 256, f"{image.size} px: {len(colours)} opaque colours"
    index = {c: i for i, c in enumerate(colours)}
    n = image.size
    mask_stride = ((n + 31) // 32) * 4
    colour_rows, mask_rows = [], []
    for y in reversed(range(n)):  # bitmaps are stored bottom row first
        row = image.pixels[y * n : (y + 1) * n]
        flags = opaque[y * n : (y + 1) * n]
        colour_rows.append(bytes(index[p[:3]] if o else 0 for p, o in zip(row, flags)))
        bits = 0
        for x, o in enumerate(flags):
            if not o:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask_rows.append(bits.to_bytes(mask_stride, "big"))
    assert n % 4 == 0, "8-bit rows are padded to 4 bytes; all sizes used are multiples of 4"
    pixels = b"".join(colour_rows) + b"".join(mask_rows)
    # The height counts the colour bitmap and the mask together.
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0, len(pixels), 0, 0, 256, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours).ljust(256 * 4, b"\0")
    return info + table + pixels


def ico_bytes(entries):
    """entries: (size, bits per pixel, data) in the order they are stored."""
    offset = 6 + 16 * len(entries)
    directory, images = b"", b""
    for size, bits, data in entries:
        side = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, bits, len(data), offset)
        images += data
        offset += len(data)
    return struct.pack("<HHH", 0, 1, len(entries)) + directory + images


def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    print(path.relative_to(HERE))


def main():
    images = {size: drawn_small() if size == 16 else rendered(size) for size in DESKTOP_SIZES}

    # The 32 px picture is the window icon and the splash logo: 256 colours at most.
    write(HERE / "kestrava.png", png_bytes(images[32], require_palette=True))
    for size, image in images.items():
        write(HERE / "hicolor" / f"{size}x{size}" / "apps" / f"{APP_ID}.png", png_bytes(image))
    scalable = HERE / "hicolor" / "scalable" / "apps" / f"{APP_ID}.svg"
    scalable.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(SOURCE, scalable)
    print(scalable.relative_to(HERE))

    entries = [(size, 8, bmp_palette_entry(images[size])) for size in ICO_PALETTE_SIZES]
    # The shell expects the large entry as full-colour RGBA.
    entries.append((ICO_PNG_SIZE, 32, png_bytes(images[ICO_PNG_SIZE], allow_palette=False)))
    write(HERE / "kestrava.ico", ico_bytes(entries))


if __name__ == "__main__":
    main()
