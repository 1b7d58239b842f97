"""End to end: a card whose Card.FAS or Layout.txt is damaged or missing.

card.exe must show one message box that names the file and says what is wrong, and end
cleanly (exit code 0) once it is closed: no crash, no figure, no card window. A missing file is
told to the person who opened the card: which file is not in which folder. Each case spoils one
file of the picture card in its own folder.

    test_bad_content.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --cardkit cardkit --session DIR --work DIR
"""

import os

import card_run
import picture_card as card
from card_run import DIALOG_TITLE
from resource_ids import IDOK, MESSAGE_BOX_TEXT
from waiting import wait_for
from wine_session import windows_path

OPTIONS = ARGV = None
# What Wine prints when a program crashes, even with its debug channels off.
CRASH_SIGNS = ("unhandled exception", "unhandled page fault", "backtrace")


def cut(path, keep):
    with open(path, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(data[:keep])


def scramble(path):
    """The same length of bytes that mean nothing: every directory and offset is wrong."""
    size = os.path.getsize(path)
    with open(path, "wb") as f:
        f.write(bytes((i * 97 + 31) & 0xFF for i in range(size)))


def keep_lines(path, count):
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines[:count]) + b"\r\n")


def missing(name):
    """The whole sentence for a missing file of the card in `folder`."""
    return lambda folder: "This card's files are missing: %s is not in %s\\" % (
        name, windows_path(folder))


# (case, file named in the box, the whole text when it is known, how the file is spoilt)
CASES = [
    ("Card.FAS cut short", "Card.FAS", None,
     lambda folder: cut(os.path.join(folder, "Card.FAS"), 40)),
    ("Card.FAS scrambled", "Card.FAS", None,
     lambda folder: scramble(os.path.join(folder, "Card.FAS"))),
    ("Card.FAS missing", "Card.FAS", missing("Card.FAS"),
     lambda folder: os.remove(os.path.join(folder, "Card.FAS"))),
    ("Layout.txt missing", "Layout.txt", missing("Layout.txt"),
     lambda folder: os.remove(os.path.join(folder, "Layout.txt"))),
    ("Layout.txt ends after its colours", "Layout.txt", None,
     lambda folder: keep_lines(os.path.join(folder, "Layout.txt"), 4)),
]


class BadContentTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.card = card.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "picture-card"))

    def test_a_damaged_or_missing_file_gives_one_message_box_and_a_clean_exit(self):
        for case, named, whole, spoil in CASES:
            with self.subTest(case):
                folder = os.path.join(OPTIONS.work, case.replace(" ", "-"))
                run = card_run.CardRun(self.session, OPTIONS, folder, self.card, card.TITLE)
                try:
                    spoil(folder)
                    run.start(pattern=False)
                    box = wait_for("the message box", lambda: self.session.window(
                        DIALOG_TITLE, having=MESSAGE_BOX_TEXT, program=run.program))
                    run.shoot("message-box")
                    text = box.text_of(MESSAGE_BOX_TEXT)
                    self.assertIn(named, text)
                    self.assertGreater(len(text), len(named) + 10, "it says what is wrong")
                    if whole:
                        self.assertEqual(text, whole(folder))
                    self.assertEqual(
                        len(self.session.windows(DIALOG_TITLE, program=run.program)), 1,
                        "one box")
                    self.session.click(*box.centre_of(IDOK))
                    self.assertEqual(run.program.wait_exit(), 0)
                    log = run.log()
                    self.assertIsNone(log.figure(), "no figure window was made")
                    self.assertIsNone(log.card(), "no card window was made")
                    with open(run.program.log_path, errors="replace") as f:
                        output = f.read().lower()
                    for sign in CRASH_SIGNS:
                        self.assertNotIn(sign, output)
                    print("\n%s: %s" % (case, text))
                finally:
                    run.stop()


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options()
    card_run.run_tests(OPTIONS, ARGV)
