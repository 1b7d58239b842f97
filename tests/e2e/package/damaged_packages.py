"""Damaged and hostile card packages, made from a good one: cut short, a byte flipped, M moved,
or the card program given an archive (written with Python's zipfile) of names and sizes that
no package of ours holds, with the stamp, message area and M a package has."""

import io
import struct
import warnings
import zipfile
import zlib

STAMP = b"Zelk Greeting Card, program CRC-32 %08X\r\n"
AREA = 490  # the message area


def program_size(package):
    """Where the card program ends: the first file's record follows it."""
    with zipfile.ZipFile(io.BytesIO(package)) as archive:
        return min(info.header_offset for info in archive.infolist())


def data_offset(package, name):
    """Where the stored bytes of the file `name` start in the package."""
    with zipfile.ZipFile(io.BytesIO(package)) as archive:
        info = archive.getinfo(name)
    name_length, extra_length = struct.unpack_from("<HH", package, info.header_offset + 26)
    return info.header_offset + 30 + name_length + extra_length


def resource_offset(package):
    """A byte in the middle of the program's resources (its icon): part of the program that its
    start never runs, so the running package itself is unharmed by a flip there."""
    header = struct.unpack_from("<I", package, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", package, header + 6)
    table = header + 24 + optional_size
    for i in range(sections):
        name, raw_size, raw_offset = struct.unpack_from("<8s8xII", package, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            return raw_offset + raw_size // 2
    raise ValueError("the program has no resources")


def flipped(package, at):
    damaged = bytearray(package)
    damaged[at] ^= 0x10
    return bytes(damaged)


def with_m(package, m):
    return package[:-4] + struct.pack("<I", m)


def rebuilt(good, files, message=b"Hello"):
    """The card program of `good` with an archive of `files` ([(name, bytes), ...]) after it."""
    program = good[:program_size(good)]
    out = io.BytesIO()
    out.write(program)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # zipfile warns of duplicate names; they are the point
        with zipfile.ZipFile(out, "a", zipfile.ZIP_DEFLATED) as archive:
            for name, data in files:
                archive.writestr(zipfile.ZipInfo(name, (1980, 1, 1, 0, 0, 0)), data,
                                 compress_type=zipfile.ZIP_DEFLATED)
            archive.comment = (STAMP % zlib.crc32(program) + message).ljust(
                len(STAMP % 0) + AREA + 4, b"\0")
    package = out.getvalue()
    return with_m(package, len(package) - 4 - AREA)


def cases(good):
    """(what, package bytes, a phrase of the reason the card gives) for each refusal."""
    layout = [("Layout.txt", b"-")]
    many = [("f%d.txt" % i, b"x") for i in range(101)]
    return [
        ("cut short", good[:-1000], "cut short"),
        ("a file's bytes changed", flipped(good, data_offset(good, "noise.png") + 7),
         '"noise.png" fails its integrity check (CRC-32)'),
        ("a byte of the program changed", flipped(good, resource_offset(good)),
         "card program fails its integrity check"),
        ("M outside the file", with_m(good, 0x7FFFFFF0), "lies outside the file"),
        ("a name with dots", rebuilt(good, layout + [("..\\evil.txt", b"x")]),
         "outside the card's folder"),
        ("a drive letter", rebuilt(good, layout + [("C:evil.txt", b"x")]), "names a drive"),
        ("a leading slash", rebuilt(good, layout + [("/evil.txt", b"x")]), "top of a drive"),
        ("a leading backslash", rebuilt(good, layout + [("\\evil.txt", b"x")]),
         "top of a drive"),
        ("a folder", rebuilt(good, layout + [("pictures/back.bmp", b"x")]), "lies in a folder"),
        ("a device name", rebuilt(good, layout + [("CON", b"x")]), "keeps for a device"),
        ("a device name with an extension", rebuilt(good, layout + [("nul.txt", b"x")]),
         "keeps for a device"),
        ("COM1 in superscript", rebuilt(good, layout + [("COM\u00b9.txt", b"x")]),
         "keeps for a device"),
        ("LPT2 in superscript", rebuilt(good, layout + [("lpt\u00b2", b"x")]),
         "keeps for a device"),
        ("COM3 in superscript", rebuilt(good, layout + [("Com\u00b3.bmp", b"x")]),
         "keeps for a device"),
        ("the console's input", rebuilt(good, layout + [("CONIN$.txt", b"x")]),
         "keeps for a device"),
        ("the clock", rebuilt(good, layout + [("clock$.bmp", b"x")]), "keeps for a device"),
    ] + [
        ("a file named %s" % name, rebuilt(good, layout + [(name, b"MZ")]),
         '"%s", which is not a type of file a card may carry' % name)
        for name in ("winmm.dll", "version.dll", "x.bat", "x.hta", "x.exe", "x.lnk", "X.DLL")
    ] + [
        ("one name twice", rebuilt(good, layout + [("LAYOUT.TXT", b"-")]),
         "two files of one name"),
        ("101 files", rebuilt(good, many), "101 files, more than the 100"),
        ("more than 64 MB unpacked", rebuilt(good, layout + [("zeros.bmp", bytes(65 << 20))]),
         "MB unpacked, more than the 64 MB"),
    ]
