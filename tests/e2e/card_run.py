"""The end-to-end tests' base: a test class plays cards in the build's Wine session
(CardRunTestCase), and a test plays one card folder as a person would see it (CardRun): copied
with card.exe into a folder of its own and started while figure_tracker.exe writes down every
place its windows go, over desktop_pattern.exe unless asked not to.

The harness, one idea a module (ctest puts this folder on PYTHONPATH):
    card_run      this module: the base class, a run of a card, the card window's geometry
    wine_session  programs under Wine, their windows, the pointer, keyboard and screen
    window_probe  what window_probe.exe reports about windows and their controls
    screen        images of the screen, the desktop pattern, the pointer's cursor
    tracker_log   what figure_tracker.exe writes down while a card plays
    card_source   card sources a test writes, built with cardkit; card_layout: their layout.txt
    cardkit       cardkit build, package and simulate
    figure_path   the figure's places, predicted and observed, compared
    resource_ids  card.exe's control ids, read from its resource header
    png_file      PNG files; waiting: every wait is for a condition with a deadline

A test module:

    class SomeTest(card_run.CardRunTestCase):
        @classmethod
        def setUpClass(cls):
            super().setUpClass()
            source = CardSource(Layout(TITLE, message=(GREY, BLACK, WHITE)), "do = [5,0]1*3\\n")
            source.frame("walk", 1, 8, 8, picture(8, 8, lambda x, y: MAGENTA))
            cls.card = source.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "card"))

        def test_something(self):
            self.run_ = card_run.CardRun(self.session, OPTIONS, folder, self.card, TITLE)
            self.run_.start()                  # the pattern, the tracker, then card.exe
            self.run_.wait_card_shown()
            window = self.run_.card_window()   # its controls, in screen pixels
            self.session.click(*window.centre_of(IDC_MAKE_NEW_CARD))
            observed = self.run_.log().figure_paths()[0]
            predicted = cardkit.simulate(OPTIONS.cardkit, self.card,
                                         work_area=self.run_.log().work_area)[0]
            problems = path_problems(observed, positions(predicted), start=(0, 0))
            # tearDown photographs the run if its card still runs, then stops it

    if __name__ == "__main__":
        OPTIONS, ARGV = card_run.parse_options(extra=("sample",))
        card_run.run_tests(OPTIONS, ARGV)

Screenshots go to the run's screens/ folder (run.shoot("name")), for a person to look at.
"""

import argparse
import os
import shutil
import sys
import unittest

import screen
from png_file import write_png
from resource_ids import IDC_MAKE_NEW_CARD, IDC_VISIT_US, IDCANCEL, IDOK
from tracker_log import TrackerLog
from waiting import wait_for
from wine_session import Session, windows_path

CARD_EXE = "card.exe"
DIALOG_TITLE = "Zelk Greeting Card"  # the caption of card.exe's dialogs and message boxes
CARD_SIZE = (630, 430)
# Client rectangles (left, top, right, bottom) of the card window's buttons.
BUTTONS = {IDOK: (15, 359, 105, 419), IDC_MAKE_NEW_CARD: (107, 359, 313, 419),
           IDC_VISIT_US: (315, 359, 521, 419), IDCANCEL: (523, 359, 613, 419)}
MESSAGE_AREA = (37, 127, 589, 345)


def parse_options(extra=()):
    """The options every end-to-end test gets from ctest, plus `extra` ones; the rest of the
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


class CardRun:
    """One card folder, copied with card.exe into `folder`, played under Wine (over the desktop
    pattern unless told otherwise) while figure_tracker.exe follows its windows."""

    # What the run itself puts in its folder besides the card's files.
    OWN_FILES = {CARD_EXE, "screens", "tracker.txt", "tracker.log", "pattern.log", "program.log"}

    def __init__(self, session, options, folder, card, title):
        self.session, self.options, self.title = session, options, title
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

    def start(self, args=(), pattern=True, env=None, dll_overrides=""):
        """Starts the desktop pattern (when `pattern`), the tracker and card.exe with `args`,
        the environment variables `env` and Wine's `dll_overrides`; returns the run."""
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
        self.program = self.session.start(self.exe, list(args), cwd=self.folder, env=env,
                                          dll_overrides=dll_overrides)
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
        write_png(os.path.join(self.screens, "%02d-%s.png" % (self.shots, name)),
                  image.width, image.height, image.data, alpha=False)
        return image

    def stop(self):
        for process in (self.program, self.tracker, self.pattern):
            if process:
                process.kill()
