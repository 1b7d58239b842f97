"""What the end-to-end tests read from the screen: images of screen areas and comparisons of
them, the desktop pattern that desktop_pattern.exe paints (every pixel's colour says where it
is), and the pointer's cursor image (through the X server's XFIXES extension, as the Windows
side cannot read another program's cursor under Wine).

Python 3 standard library only (ctypes for the two X libraries Wine itself needs).
"""

import ctypes
import ctypes.util

SCREEN = (0, 0, 1024, 768)  # the Wine session's Xvfb screen (tests/wine/wine-session)


class Image:
    """Pixels of a screen rectangle, row by row, three bytes (R, G, B) each."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def bounding_box_not(self, colour):
        """(left, top, right, bottom) of the pixels of any colour but `colour`, or None."""
        xs, ys = [], []
        for y in range(self.height):
            for x in range(self.width):
                if self.pixel(x, y) != colour:
                    xs.append(x)
                    ys.append(y)
        if not xs:
            return None
        return min(xs), min(ys), max(xs), max(ys)


def pattern_pixel(x, y):
    """The colour desktop_pattern.exe paints at screen pixel (x, y)."""
    return (x & 0xFF, y & 0xFF, 64 + 8 * ((x >> 8) & 7) + ((y >> 8) & 7))


def is_pattern_colour(colour):
    """Whether a colour can be pattern at all (its blue lies in the pattern's band)."""
    return 64 <= colour[2] <= 127


def inside(rect, x, y):
    left, top, right, bottom = rect
    return left <= x < right and top <= y < bottom


_pattern_rows = {}


def _pattern_row(y, width):
    """The desktop pattern's row y as RGB bytes."""
    key = (y, width)
    if key not in _pattern_rows:
        green, blue_y = y & 0xFF, 64 + ((y >> 8) & 7)
        _pattern_rows[key] = bytes(
            value for x in range(width) for value in (x & 0xFF, green, blue_y + 8 * ((x >> 8) & 7)))
    return _pattern_rows[key]


def pattern_mismatches(image, origin=(0, 0), skip=(), limit=20):
    """Up to `limit` screen points (x, y, seen colour) of `image` (whose top-left lies at
    screen point `origin`) that do not show the desktop pattern, leaving out the screen
    rectangles (left, top, right, bottom) in `skip`."""
    found = []
    ox, oy = origin
    stride = image.width * 3
    for row in range(image.height):
        y = oy + row
        full = _pattern_row(y, ox + image.width)[ox * 3:]
        seen = image.data[row * stride:(row + 1) * stride]
        if seen == full:
            continue
        # Compare the parts of the row between the skipped rectangles, pixel by pixel only
        # where a part differs.
        cuts = sorted((max(left - ox, 0), min(right - ox, image.width))
                      for left, top, right, bottom in skip if top <= y < bottom)
        parts, start = [], 0
        for cut_left, cut_right in cuts:
            if cut_left > start:
                parts.append((start, cut_left))
            start = max(start, cut_right)
        if start < image.width:
            parts.append((start, image.width))
        for first, end in parts:
            if seen[first * 3:end * 3] == full[first * 3:end * 3]:
                continue
            for column in range(first, end):
                i = column * 3
                if seen[i:i + 3] != full[i:i + 3]:
                    found.append((ox + column, y, tuple(seen[i:i + 3])))
                    if len(found) >= limit:
                        return found
    return found


def crop(image, left, top, width, height):
    """A part of `image`, in the image's own coordinates."""
    rows = []
    for y in range(top, top + height):
        start = (y * image.width + left) * 3
        rows.append(image.data[start:start + width * 3])
    return Image(width, height, b"".join(rows))


def points_of(image, colour, origin=(0, 0)):
    """The set of points (in the coordinates of `origin`) where `image` shows `colour`."""
    found = set()
    wanted = bytes(colour)
    data = image.data
    for y in range(image.height):
        base = y * image.width * 3
        for x in range(image.width):
            i = base + x * 3
            if data[i:i + 3] == wanted:
                found.add((origin[0] + x, origin[1] + y))
    return found


def differing_points(before, after):
    """The points where two images of the same size differ, with both colours."""
    changed = {}
    for y in range(before.height):
        for x in range(before.width):
            a, b = before.pixel(x, y), after.pixel(x, y)
            if a != b:
                changed[(x, y)] = (a, b)
    return changed


def bounding_box(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


class Cursor:
    """The pointer's cursor as the X server shows it: size, hot spot and ARGB pixels."""

    def __init__(self, width, height, hot, pixels):
        self.width, self.height, self.hot, self.pixels = width, height, hot, pixels

    def __eq__(self, other):
        return (self.width, self.height, self.hot, self.pixels) == \
            (other.width, other.height, other.hot, other.pixels)

    def __repr__(self):
        return "Cursor(%dx%d, hot spot %s)" % (self.width, self.height, self.hot)


class CursorReader:
    """Reads the cursor of an X display (e.g. ":5")."""

    def __init__(self, display):
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self._xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XFree.argtypes = [ctypes.c_void_p]
        self._xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
        self._xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        self._x11 = x11
        self._display = x11.XOpenDisplay(display.encode())
        if not self._display:
            raise OSError("cannot open X display %s" % display)

    def current(self):
        image = self._xfixes.XFixesGetCursorImage(self._display)
        if not image:
            raise OSError("the X server gave no cursor image")
        c = image.contents
        pixels = tuple(c.pixels[i] & 0xFFFFFFFF for i in range(c.width * c.height))
        cursor = Cursor(c.width, c.height, (c.xhot, c.yhot), pixels)
        self._x11.XFree(image)
        return cursor

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None
