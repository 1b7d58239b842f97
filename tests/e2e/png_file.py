"""PNG files written by the tests: the frames and pictures of the cards they build (RGBA) and
the screenshots they keep for a person to look at (RGB)."""

import struct
import zlib


def write_png(path, width, height, pixels, alpha):
    """A plain PNG without filtering from `pixels`, row by row, four bytes (R, G, B, A) a pixel
    when `alpha`, else three."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    stride = width * (4 if alpha else 3)
    if len(pixels) != stride * height:
        raise ValueError("%d bytes of pixels for a %d x %d PNG" % (len(pixels), width, height))
    rows = b"".join(b"\0" + pixels[y * stride:(y + 1) * stride] for y in range(height))
    colour_type = 6 if alpha else 2
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)))
        # The fastest level: whole-screen shots are taken while a card plays.
        f.write(chunk(b"IDAT", zlib.compress(rows, 1)))
        f.write(chunk(b"IEND", b""))
