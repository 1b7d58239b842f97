"""End-to-end harness: runs card.exe under Wine on the build's Xvfb display and drives it like a
person would, with xdotool, while window_probe.exe reads what the windows show.

Python 3 standard library only, plus the tools the Wine tests already need (wine, Xvfb,
xdotool, ImageMagick's import). The session is the build's own (tests/wine/wine-session): its
prefix, its display and its running wineserver, so a ctest test using this harness declares
FIXTURES_REQUIRED wine and RESOURCE_LOCK wine like every other Windows test.

    session = Session(state_dir, probe_exe)         # session.close() at the end
    card = TinyCard.build(cardkit, folder)          # a small card: one frame, no sound
    program = session.start(exe, [args], cwd=folder, dll_overrides="mapi32=n", env={...})
    shown = wait_for("the card window", lambda: session.window("E2E card", program=program))
    session.click(*shown.centre_of(IDC_MAKE_NEW_CARD))  # screen pixels, as the probe says
    session.drag((x, y), [(x + 30, y + 20)])        # also move_to, mouse_down and mouse_up
    session.type("Dear Anna"); session.key("Return")
    image = session.grab(x, y, width, height)       # pixels of the screen
    program.wait_exit()

Every wait is for a condition, with a deadline (wait_for), never a fixed sleep.
"""

import os
import struct
import subprocess
import time
import zlib

from card_layout import Layout

DEFAULT_TIMEOUT = 60.0  # seconds; Wine on a loaded two-core machine can be slow to start


class E2EError(AssertionError):
    """A step of an end-to-end run did not happen; the message says which."""


def wait_for(what, condition, timeout=DEFAULT_TIMEOUT, interval=0.2):
    """Calls condition() until it returns something truthy and returns that; fails after
    `timeout` seconds with a message naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def windows_path(path):
    """The path of a Unix file as a Windows program under Wine names it (drive Z: is /)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def unescape(text):
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
    return bytes(out).decode("cp1252", errors="replace")


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
    windows = []
    for line in output.splitlines():
        if line.startswith("window "):
            head, rest = line[len("window "):].split(" ", 1)
            before_program, program = rest.split(" program=", 1)
            fields = dict(part.split("=", 1) for part in before_program.split(" "))
            client = tuple(int(v) for v in fields["client"].split(","))
            windows.append(ProbedWindow(head, fields["class"], fields["owner"], client,
                                        unescape(program)))
        elif line.startswith("control ") and windows:
            head, rest = line[len("control "):].split(" ", 1)
            before_text, text = rest.split(" text=", 1)
            fields = dict(part.split("=", 1) for part in before_text.split(" "))
            rect = tuple(int(v) for v in fields["rect"].split(","))
            windows[-1].controls[int(head)] = Control(
                int(head), fields["class"], fields["visible"] == "1", rect, unescape(text))
    return windows


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


class Program:
    """A Windows program started in the session."""

    def __init__(self, process, exe, log_path):
        self.process, self.log_path = process, log_path
        self.windows_exe = windows_path(exe)

    def owns(self, window):
        return window.program.lower() == self.windows_exe.lower()

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EError("the program did not end within %.0f s" % timeout)

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


def _move(x, y):
    return ["mousemove", "--sync", x, y]


def _press_at(x, y):
    # Held for a moment, as a hand does: Wine may miss a press that arrives together with the
    # move to the place.
    return _move(x, y) + ["sleep", "0.2", "mousedown", "1"]


def _path(points, pause):
    steps = []
    for x, y in points:
        steps += _move(x, y) + ["sleep", pause]
    return steps


class Session:
    """The build's Wine session (see tests/wine/wine-session), which must be running."""

    def __init__(self, state_dir, probe_exe):
        self.state_dir = os.path.abspath(state_dir)
        self.probe_exe = probe_exe
        with open(os.path.join(self.state_dir, "display")) as f:
            self.display = ":" + f.read().strip()
        self.keeper = None

    def hold_desktop(self):
        """Keeps the session's desktop up until close(): Wine brings it up for the first
        program that needs it and takes it down after the last, and a program that starts
        meanwhile can stall for many seconds."""
        if self.keeper:
            return
        self.keeper = subprocess.Popen(["wine", self.probe_exe, "--hold"],
                                       env=self.environment(), stdin=subprocess.DEVNULL,
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if self.keeper.stdout.readline().strip() != b"holding":
            raise E2EError("window_probe.exe --hold did not start")

    def close(self):
        if self.keeper:
            self.keeper.kill()
            self.keeper.wait()
            self.keeper = None

    def environment(self, dll_overrides="", extra=None):
        env = dict(os.environ)
        overrides = "mscoree,mshtml="
        if dll_overrides:
            overrides += ";" + dll_overrides
        env.update(WINEPREFIX=os.path.join(self.state_dir, "prefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES=overrides, DISPLAY=self.display)
        env.update(extra or {})
        return env

    def start(self, exe, args=(), cwd=None, dll_overrides="", env=None, log_name="program.log"):
        """Starts `exe` under Wine; its output goes to `log_name` in `cwd`."""
        self.hold_desktop()
        cwd = cwd or os.path.dirname(exe)
        log_path = os.path.join(cwd, log_name)
        log = open(log_path, "wb")
        process = subprocess.Popen(["wine", exe] + list(args), cwd=cwd,
                                   env=self.environment(dll_overrides, env),
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        return Program(process, exe, log_path)

    def windows(self, title, program=None, attempts=3):
        """The visible top-level windows titled `title`, topmost first; only those of
        `program` when one is given."""
        for _ in range(attempts):
            try:
                result = subprocess.run(["wine", self.probe_exe, title], env=self.environment(),
                                        stdin=subprocess.DEVNULL, capture_output=True, timeout=20)
                break
            except subprocess.TimeoutExpired:
                continue  # run() has ended it; a stall is rare once the desktop is held
        else:
            raise E2EError("window_probe.exe did not answer in %d attempts" % attempts)
        found = parse_probe(result.stdout.decode("latin-1"))
        return [w for w in found if program is None or program.owns(w)]

    def window(self, title, having=None, program=None):
        """The topmost visible window titled `title` (of `program`, when given) that has
        control `having`, or None."""
        for window in self.windows(title, program):
            if having is None or having in window.controls:
                return window
        return None

    # --- the pointer and the keyboard, in screen pixels ------------------------------------

    def move_to(self, x, y):
        self._xdotool(*_move(x, y))

    def move_along(self, points, pause=0.1):
        """Moves the pointer through `points` in turn, resting `pause` seconds at each."""
        self._xdotool(*_path(points, pause))

    def mouse_down(self, x, y):
        """Moves to (x, y) and presses the left button there, until mouse_up()."""
        self._xdotool(*_press_at(x, y))

    def mouse_up(self):
        self._xdotool("mouseup", "1")

    def click(self, x, y):
        self._xdotool(*_press_at(x, y), "sleep", "0.1", "mouseup", "1")

    def drag(self, start, points, pause=0.1):
        """Presses at `start`, moves through `points` resting `pause` seconds at each, and lets
        go at the last one."""
        self._xdotool(*_press_at(*start), "sleep", "0.1", *_path(points, pause), "mouseup", "1")

    def type(self, text, delay_ms=15):
        self._xdotool("type", "--delay", delay_ms, text)

    def key(self, *names):
        """Presses and releases each key (xdotool names, e.g. "Return", "ctrl+Home") in turn."""
        self._xdotool("key", *names)

    def _xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True,
                       env=self.environment(), timeout=120)

    def grab(self, x, y, width, height):
        result = subprocess.run(
            ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
             "-depth", "8", "rgb:-"],
            env=self.environment(), capture_output=True, check=True, timeout=60)
        if len(result.stdout) != width * height * 3:
            raise E2EError("the screenshot has %d bytes, not %d" % (len(result.stdout),
                                                                     width * height * 3))
        return Image(width, height, result.stdout)

    def screenshot(self, path):
        """Saves the whole screen, e.g. beside a failing test's files."""
        subprocess.run(["import", "-window", "root", path], env=self.environment(),
                       capture_output=True, timeout=60)


def write_png(path, width, height, rgba):
    """A plain RGBA PNG (colour type 6, no filtering) from `rgba` (width * height * 4 bytes)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(b"\0" + rgba[y * width * 4:(y + 1) * width * 4] for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(rows)))
        f.write(chunk(b"IEND", b""))


class TinyCard:
    """A small card made with cardkit: the title below, sound and music off, one 8 x 8 frame
    played once, no pictures, a grey background with the message in black on a white shadow."""

    TITLE = "E2E card"
    BACKGROUND = (128, 128, 128)

    LAYOUT = Layout(TITLE, message=(BACKGROUND, (0, 0, 0), (255, 255, 255))).palette(
        BACKGROUND, (0, 0, 0), (255, 255, 255))
    SCRIPTS = "do = 1\n"

    @staticmethod
    def build(cardkit, folder, message="Hello from the test card"):
        """Builds the card's content files into `folder` (msg.txt included) and returns it."""
        source = os.path.join(folder, "source")
        out = os.path.join(folder, "card")
        os.makedirs(os.path.join(source, "frames", "stand"), exist_ok=True)
        with open(os.path.join(source, "layout.txt"), "w") as f:
            f.write(TinyCard.LAYOUT.text())
        with open(os.path.join(source, "scripts.txt"), "w") as f:
            f.write(TinyCard.SCRIPTS)
        with open(os.path.join(source, "message.txt"), "w") as f:
            f.write(message + "\n")
        write_png(os.path.join(source, "frames", "stand", "1.png"), 8, 8,
                  bytes([200, 30, 30, 255]) * 64)
        result = subprocess.run([cardkit, "build", source, out], capture_output=True, text=True)
        if result.returncode != 0:
            raise E2EError("cardkit build failed:\n" + result.stdout + result.stderr)
        return out

    @staticmethod
    def package(cardkit, base, out, message_file):
        """A card package of `base` with the message of `message_file`, by cardkit."""
        result = subprocess.run([cardkit, "package", base, out, "--message", message_file],
                                capture_output=True, text=True)
        if result.returncode != 0:
            raise E2EError("cardkit package failed:\n" + result.stdout + result.stderr)
        return out
