"""PNG files written by the tests: the frames and pictures of the cards they build (RGBA) and
the screenshots they keep for a person to look at (RGB); and PNG files read back, such as the
card window that `cardkit preview --card` draws."""

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


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def read_png(path):
    """(width, height, pixels) of an 8-bit RGB or RGBA PNG without interlacing: the pixels row
    by row, three bytes (R, G, B) each, alpha dropped."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG file" % path)
    at, idat, header = 8, [], None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        at += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise ValueError("%s: only 8-bit RGB or RGBA PNG files without interlacing" % path)
    channels = 4 if colour_type == 6 else 3
    stride = width * channels
    raw = zlib.decompress(b"".join(idat))
    previous, rows = bytearray(stride), []
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            predictor = (0, left, up, (left + up) // 2, _paeth(left, up, corner))[kind]
            row[i] = (row[i] + predictor) & 0xFF
        rows.append(row)
        previous = row
    pixels = b"".join(bytes(row) if channels == 3 else
                      bytes(b for i in range(0, stride, 4) for b in row[i:i + 3]) for row in rows)
    return width, height, pixels
