"""The build's Wine session (tests/wine/wine-session: its prefix, its Xvfb display and its
running wineserver) as the tests use it: starting Windows programs in it, finding their windows
through window_probe.exe, and using its pointer, keyboard and screen as a person would, with
xdotool and ImageMagick's import."""

import os
import subprocess

from screen import Image
from waiting import DEFAULT_TIMEOUT, E2EError
from window_probe import parse_probe


def windows_path(path):
    """The path of a Unix file as a Windows program under Wine names it (drive Z: is /)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


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
    """The build's Wine session, which must be running (ctest's wine fixture starts it)."""

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

    def system_folder(self):
        """The Unix path of the system folder a 32-bit program loads system libraries from."""
        windows = os.path.join(self.state_dir, "prefix", "drive_c", "windows")
        wow = os.path.join(windows, "syswow64")
        return wow if os.path.isdir(wow) else os.path.join(windows, "system32")

    # --- programs and their windows -------------------------------------------------------

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

    # --- the screen ---------------------------------------------------------------------------

    def grab(self, x, y, width, height):
        """The screen's pixels in a rectangle, as an Image."""
        result = subprocess.run(
            ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
             "-depth", "8", "rgb:-"],
            env=self.environment(), capture_output=True, check=True, timeout=60)
        if len(result.stdout) != width * height * 3:
            raise E2EError("the screenshot has %d bytes, not %d" % (len(result.stdout),
                                                                     width * height * 3))
        return Image(width, height, result.stdout)
