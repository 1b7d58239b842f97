"""What window_probe.exe reports about the visible top-level windows of a title: each window's
class, owner, client rectangle and program, and its controls' ids, classes, visibility,
rectangles and texts (all in screen pixels)."""

from waiting import E2EError


def unescape(text, encoding="cp1252"):
    """Undoes window_probe's escaping of \\r, \\n, \\\\ and \\xNN."""
    out = bytearray()
    i = 0
    raw = text.encode("latin-1")
    while i < len(raw):
        if raw[i:i + 1] == b"\\" and i + 1 < len(raw):
            kind = raw[i + 1:i + 2]
            if kind == b"r":
                out += b"\r"; i += 2; continue
            if kind == b"n":
                out += b"\n"; i += 2; continue
            if kind == b"\\":
                out += b"\\"; i += 2; continue
            if kind == b"x":
                out.append(int(raw[i + 2:i + 4], 16)); i += 4; continue
        out += raw[i:i + 1]
        i += 1
    return bytes(out).decode(encoding, errors="replace")


class Control:
    def __init__(self, ident, cls, visible, rect, text):
        self.id, self.cls, self.visible, self.rect, self.text = ident, cls, visible, rect, text

    def centre(self):
        x, y, w, h = self.rect
        return x + w // 2, y + h // 2


class ProbedWindow:
    """A top-level window as window_probe.exe saw it."""

    def __init__(self, handle, cls, owner, client, program):
        self.handle, self.cls, self.owner, self.client = handle, cls, owner, client
        self.program = program  # the Windows path of the owning program's file
        self.controls = {}

    def control(self, ident):
        if ident not in self.controls:
            raise E2EError("window %s has no control %d" % (self.handle, ident))
        return self.controls[ident]

    def centre_of(self, ident):
        return self.control(ident).centre()

    def text_of(self, ident):
        return self.control(ident).text

    def shown(self, ident):
        return self.control(ident).visible


def parse_probe(output):
    """The ProbedWindows of window_probe.exe's output, in its order (topmost first)."""
    windows = []
    for line in output.splitlines():
        if line.startswith("window "):
            head, rest = line[len("window "):].split(" ", 1)
            before_program, program = rest.split(" program=", 1)
            fields = dict(part.split("=", 1) for part in before_program.split(" "))
            client = tuple(int(v) for v in fields["client"].split(","))
            windows.append(ProbedWindow(head, fields["class"], fields["owner"], client,
                                        unescape(program, "utf-8")))
        elif line.startswith("control ") and windows:
            head, rest = line[len("control "):].split(" ", 1)
            before_text, text = rest.split(" text=", 1)
            fields = dict(part.split("=", 1) for part in before_text.split(" "))
            rect = tuple(int(v) for v in fields["rect"].split(","))
            windows[-1].controls[int(head)] = Control(
                int(head), fields["class"], fields["visible"] == "1", rect, unescape(text))
    return windows
