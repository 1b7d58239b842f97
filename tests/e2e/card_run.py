"""Playing a card under Wine and watching it: card sources written by the test and built with
cardkit, `cardkit simulate`'s prediction of the figure's path, and a run of card.exe over the
desktop pattern with figure_tracker.exe writing down every place the figure window goes.

    source = CardSource(layout_text, "do = [5,0]1*3\\n", "Hello\\n")
    source.frame("walk", 1, width, height, picture(width, height, paint))
    card = source.build(cardkit, folder)
    run = CardRun(session, options, work_folder, card, title)   # copies the card and card.exe
    run.start()                                    # the desktop pattern, the tracker, the card
    run.wait_card_shown()
    observed = run.log().figure_paths()[0]         # [(x, y), ...] while shown, first playing
    predicted = simulate(cardkit, card, work_area=run.log().work_area)[0]
    problems = path_problems(observed, positions(predicted), start=(0, 0))
    run.stop()                                     # ends whatever still runs

Screenshots go to the run's screens/ folder (run.shoot("name")), for a person to look at.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import unittest
import wave

from card_e2e import E2EError, Session, wait_for, windows_path, write_png
import screen
from resource_ids import IDC_MAKE_NEW_CARD, IDC_VISIT_US, IDCANCEL, IDOK

CARD_EXE = "card.exe"
CARD_SIZE = (630, 430)
# Client rectangles (left, top, right, bottom) of the card window's buttons.
BUTTONS = {IDOK: (15, 359, 105, 419), IDC_MAKE_NEW_CARD: (107, 359, 313, 419),
           IDC_VISIT_US: (315, 359, 521, 419), IDCANCEL: (523, 359, 613, 419)}
MESSAGE_AREA = (37, 127, 589, 345)


def parse_options(extra=()):
    """The options every card-window test gets from ctest, plus `extra` ones; the rest of the
    command line is left to unittest."""
    parser = argparse.ArgumentParser()
    for name in ("card", "probe", "cardkit", "session", "work", "tracker", "pattern") + \
            tuple(extra):
        parser.add_argument("--" + name, required=True)
    options, rest = parser.parse_known_args()
    os.makedirs(options.work, exist_ok=True)
    return options, [sys.argv[0]] + rest


def run_tests(options, argv):
    """Runs the module's tests and says where the screenshots are."""
    CardRunTestCase.options = options
    program = unittest.main(argv=argv, verbosity=2, exit=False)
    print("Screenshots of the runs: %s/*/screens" % os.path.abspath(options.work))
    sys.exit(0 if program.result.wasSuccessful() else 1)


class CardRunTestCase(unittest.TestCase):
    """Tests that play cards in the Wine session: the class opens the session once, and whatever
    run a test left in self.run_ is photographed while its card still runs, then stopped."""
    options = None  # the parsed command line; run_tests sets it

    @classmethod
    def setUpClass(cls):
        cls.session = Session(cls.options.session, cls.options.probe)

    @classmethod
    def tearDownClass(cls):
        cls.session.close()

    def setUp(self):
        self.run_ = None

    def tearDown(self):
        if self.run_:
            if self.run_.program and self.run_.program.running():
                self.run_.shoot("at-the-end")
            self.run_.stop()


def rgba(colour, alpha=255):
    return bytes(colour) + bytes([alpha])


def picture(width, height, paint):
    """RGBA bytes of a width x height picture; paint(x, y) gives (r, g, b) or None for a
    transparent pixel."""
    out = bytearray()
    for y in range(height):
        for x in range(width):
            colour = paint(x, y)
            out += rgba(colour) if colour else rgba((0, 0, 0), 0)
    return bytes(out)


class CardSource:
    """A card source folder (layout.txt, scripts.txt, message.txt, frames/, pictures/,
    sounds/) written by the test and built into a card folder by cardkit."""

    def __init__(self, layout, scripts, message=None):
        self.layout, self.scripts, self.message = layout, scripts, message
        self.frames, self.pictures, self.sounds = {}, {}, {}

    def frame(self, group, key, width, height, pixels):
        self.frames[(group, key)] = (width, height, pixels)

    def picture(self, name, width, height, pixels):
        self.pictures[name] = (width, height, pixels)

    def sound(self, name, seconds):
        """A clip NAME of `seconds`: a quiet tone at 8 kHz."""
        self.sounds[name] = seconds

    def build(self, cardkit, folder):
        """Writes the sources to folder/source and builds the card into folder/card."""
        source, out = os.path.join(folder, "source"), os.path.join(folder, "card")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(source)
        for name, text in (("layout.txt", self.layout), ("scripts.txt", self.scripts),
                           ("message.txt", self.message)):
            if text is not None:
                with open(os.path.join(source, name), "w", encoding="utf-8") as f:
                    f.write(text)
        for (group, key), (width, height, pixels) in self.frames.items():
            os.makedirs(os.path.join(source, "frames", group), exist_ok=True)
            write_png(os.path.join(source, "frames", group, "%d.png" % key), width, height, pixels)
        for name, (width, height, pixels) in self.pictures.items():
            os.makedirs(os.path.join(source, "pictures"), exist_ok=True)
            write_png(os.path.join(source, "pictures", name + ".png"), width, height, pixels)
        for name, seconds in self.sounds.items():
            os.makedirs(os.path.join(source, "sounds"), exist_ok=True)
            write_tone(os.path.join(source, "sounds", name + ".wav"), seconds)
        result = subprocess.run([cardkit, "build", source, out], capture_output=True, text=True)
        if result.returncode != 0:
            raise E2EError("cardkit build failed:\n" + result.stdout + result.stderr)
        return out


def write_tone(path, seconds, rate=8000):
    samples = b"".join(struct.pack("<h", int(3000 * math.sin(i * 2 * math.pi * 440 / rate)))
                       for i in range(int(seconds * rate)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(samples)


class Step:
    """One line of `cardkit simulate`."""

    def __init__(self, line):
        parts = line.split(" ")
        self.tick, self.kind = int(parts[0]), parts[1]
        self.frame = self.x = self.y = None
        self.text = " ".join(parts[2:])
        if self.kind == "frame":
            self.frame, self.x, self.y = int(parts[2]), int(parts[3]), int(parts[4])

    def __repr__(self):
        return "Step(%d %s %s)" % (self.tick, self.kind, self.text)


def simulate(cardkit, folder, at=(0, 0), work_area=(0, 0, 1024, 768), runs=1):
    """What cardkit predicts for the card folder: a list of runs, each a list of Steps up to
    and including its "end"."""
    result = subprocess.run(
        [cardkit, "simulate", folder, "--at", "%d,%d" % at,
         "--work-area", "%d,%d,%d,%d" % tuple(work_area), "--runs", str(runs)],
        capture_output=True, text=True)
    if result.returncode != 0:
        raise E2EError("cardkit simulate failed:\n" + result.stdout + result.stderr)
    runs_seen, current = [], []
    for line in result.stdout.splitlines():
        step = Step(line)
        current.append(step)
        if step.kind == "end":
            runs_seen.append(current)
            current = []
    if len(runs_seen) != runs:
        raise E2EError("cardkit simulate predicted %d of %d runs:\n%s"
                       % (len(runs_seen), runs, result.stdout))
    return runs_seen


def positions(steps):
    """The figure's places in a predicted run, one entry per frame."""
    return [(s.x, s.y) for s in steps if s.kind == "frame"]


def without_repeats(places):
    out = []
    for place in places:
        if not out or out[-1] != place:
            out.append(place)
    return out


def held_places(steps, ticks):
    """The places where the predicted figure stays for at least `ticks` frames in a row."""
    held, run_place, run_length = [], None, 0
    for place in positions(steps) + [None]:
        if place == run_place:
            run_length += 1
            continue
        if run_place is not None and run_length >= ticks:
            held.append(run_place)
        run_place, run_length = place, 1
    return held


def path_problems(observed, predicted, start=None, must_see=()):
    """Why an observed path of the figure (its places, in order, repeats dropped) is not the
    predicted one, or [] when it is. The observed places must be predicted places in the
    predicted order, the last one the predicted last one, and every place of `must_see` (the
    long holds, which no sampling misses) among them. `start` is where the window stood,
    shown, before its first frame; the path may begin there."""
    problems = []
    predicted = without_repeats(predicted)
    if observed and start is not None and observed[0] == start and predicted[:1] != [start]:
        observed = observed[1:]
    if not observed:
        return ["the figure was never seen in a predicted place"]
    index = 0
    matched = []
    for place in observed:
        while index < len(predicted) and predicted[index] != place:
            index += 1
        if index == len(predicted):
            problems.append("the figure went to %s, which the prediction does not have there "
                            "(after %s)" % (place, matched[-3:]))
            return problems
        matched.append(place)
        index += 1
    if observed[-1] != predicted[-1]:
        problems.append("the figure stopped at %s, not at %s" % (observed[-1], predicted[-1]))
    missing = [p for p in must_see if p not in observed]
    if missing:
        problems.append("the figure never stood at %s" % missing)
    return problems


class TrackerLog:
    """What figure_tracker.exe wrote: the work area and, in time order, the figure window's
    and the card window's changes."""

    def __init__(self, path):
        self.work_area = None
        self.events = []  # (ms, "figure", (x, y, shown)) / (ms, "card", (x, y, w, h, shown))
        self.ended = False
        if not os.path.exists(path):
            return
        with open(path) as f:
            lines = f.read().split("\n")
        for line in lines[:-1]:  # the last piece may be a line still being written
            parts = line.split()
            if parts[0] == "workarea":
                self.work_area = tuple(int(v) for v in parts[1:5])
            elif parts[1] == "end":
                self.ended = True
            else:
                self.events.append((int(parts[0]), parts[1], tuple(int(v) for v in parts[2:])))

    def figure(self):
        """The figure window's last (x, y, shown), or None."""
        for _, kind, data in reversed(self.events):
            if kind == "figure":
                return data
        return None

    def card(self):
        """The card window's last (x, y, width, height, shown), or None."""
        for _, kind, data in reversed(self.events):
            if kind == "card":
                return data
        return None

    def card_shown(self):
        card = self.card()
        return bool(card and card[4])

    def card_showings(self):
        """How many times the card window went from hidden to shown."""
        count, shown = 0, False
        for _, kind, data in self.events:
            if kind == "card":
                if data[4] and not shown:
                    count += 1
                shown = bool(data[4])
        return count

    def figure_paths(self):
        """The figure's places while shown, one list per playing (a playing ends when the card
        window shows), repeats dropped."""
        paths, current, card_shown = [], [], False
        for _, kind, data in self.events:
            if kind == "card":
                if data[4] and not card_shown:
                    paths.append(without_repeats(current))
                    current = []
                card_shown = bool(data[4])
            elif kind == "figure" and data[2] and not card_shown:
                current.append(data[:2])
        if current:
            paths.append(without_repeats(current))
        return paths

    def seconds_from(self, place):
        """Seconds from the figure's first arrival at `place` to the card window's showing
        after it, or None."""
        arrived = None
        for ms, kind, data in self.events:
            if kind == "figure" and data[2] and data[:2] == place and arrived is None:
                arrived = ms
            elif kind == "card" and data[4] and arrived is not None:
                return (ms - arrived) / 1000.0
        return None


class CardRun:
    """One card folder, copied with card.exe into `folder`, played under Wine over the desktop
    pattern while figure_tracker.exe follows its windows."""

    def __init__(self, session, options, folder, card, title, env=None):
        self.session, self.options, self.title, self.env = session, options, title, env
        self.folder = folder
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(card, folder)
        self.exe = os.path.join(folder, CARD_EXE)
        shutil.copy(options.card, self.exe)
        self.screens = os.path.join(folder, "screens")
        os.makedirs(self.screens)
        self.tracker_log = os.path.join(folder, "tracker.txt")
        self.program = self.tracker = self.pattern = None
        self.shots = 0

    def start(self, args=(), pattern=True):
        if pattern:
            self.pattern = self.session.start(self.options.pattern, cwd=self.folder,
                                              log_name="pattern.log")
            wait_for("the desktop pattern", lambda: not screen.pattern_mismatches(
                self.session.grab(500, 700, 24, 24), origin=(500, 700)))
        self.tracker = self.session.start(
            self.options.tracker, [windows_path(self.exe), self.title,
                                   windows_path(self.tracker_log)],
            cwd=self.folder, log_name="tracker.log")
        wait_for("the tracker", lambda: self.log().work_area)
        self.program = self.session.start(self.exe, list(args), cwd=self.folder, env=self.env)
        return self

    def log(self):
        return TrackerLog(self.tracker_log)

    def wait_card_shown(self, timeout=120):
        return wait_for("the card window", lambda: self.log().card_shown(), timeout=timeout)

    def wait_showings(self, count, timeout=120):
        wait_for("card window showing %d" % count,
                 lambda: self.log().card_showings() >= count and self.log().card_shown(),
                 timeout=timeout)

    def card_window(self):
        """The card window as window_probe.exe sees it (controls included)."""
        return wait_for("the card window's controls", lambda: self.session.window(
            self.title, having=IDOK, program=self.program))

    def shoot(self, name):
        """A screenshot of the whole screen, kept as screens/NN-name.png; returns it."""
        image = self.session.grab(0, 0, screen.SCREEN[2], screen.SCREEN[3])
        self.shots += 1
        screen.write_png(os.path.join(self.screens, "%02d-%s.png" % (self.shots, name)), image)
        return image

    def stop(self):
        for process in (self.program, self.tracker, self.pattern):
            if process:
                process.kill()
