"""End to end: the card package, the one file a person sends, played under Wine as the friend
who gets it plays it, each time from a folder that holds nothing but the package.

The sample card's package plays its card (the figure where `cardkit simulate` says, the
package's own message in the card window) and leaves nothing behind. Make a New Card makes the
next package beside it, which plays in a folder of its own and makes a third. Damaged and
hostile packages are refused with one message box each, and nothing is written outside the
private folder under the temporary folder, nor left there. A package in a read-only folder
plays; the leftovers of a run that crashed go at the next start, while a running card's stay.

    test_package.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --cardkit cardkit --launcher with_temp.exe
        --sample SAMPLE_CARD --session DIR --work DIR
"""

import os
import random
import shutil
import stat
import subprocess

import card_run
import cardkit
import damaged_packages
from card_layout import Layout
from card_run import DIALOG_TITLE
from card_source import CardSource, picture
from figure_path import held_places, path_problems, positions
from new_card_dialogs import NewCardDialogs, shown_message
from package_run import PackageRun, fresh_folder
from resource_ids import IDC_FILE_CREATED_TEXT, IDCANCEL, IDOK, MESSAGE_BOX_TEXT
from waiting import wait_for

OPTIONS = ARGV = None

TITLE = "E2E package card"
GREY, BLACK, WHITE = (128, 128, 128), (0, 0, 0), (255, 255, 255)
MESSAGE = "Hello from the packaged card"
HOLD_TICKS = 10  # a place held this many steps is one no sampling misses
MEGABYTE = 1 << 20


def read(path):
    with open(path, "rb") as f:
        return f.read()


def small_card(folder):
    """A card of one frame played once, sound and music off, with a file of noise that the
    package stores as it is (so that a changed byte can only be found by its CRC-32)."""
    layout = Layout(TITLE, message=(GREY, BLACK, WHITE)).palette(GREY, BLACK, WHITE)
    source = CardSource(layout, "do = 1*5\n", MESSAGE + "\n")
    source.frame("stand", 1, 8, 8, picture(8, 8, lambda x, y: (200, 30, 30)))
    card = source.build(OPTIONS.cardkit, folder)
    noise = random.Random(7)
    with open(os.path.join(card, "noise.png"), "wb") as f:
        f.write(bytes(noise.randrange(256) for _ in range(3000)))
    return card


def message_file_text(card_folder):
    """The message a card folder's msg.txt holds, and whether it is centred."""
    raw = read(os.path.join(card_folder, "msg.txt"))
    centred = raw.endswith(b"\xff\xff")
    return (raw[:-2] if centred else raw).decode("cp1252"), centred


class PackageTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.small = small_card(os.path.join(OPTIONS.work, "small"))
        cls.small_package = cardkit.package(OPTIONS.cardkit, cls.small,
                                            os.path.join(OPTIONS.work, "Greeting.exe"),
                                            OPTIONS.card)

    def setUp(self):
        super().setUp()
        self.base = fresh_folder(os.path.join(OPTIONS.work, self.id().split(".")[-1]))
        self.runs = []

    def tearDown(self):
        for run in self.runs:
            if run.launcher and run.launcher.running():
                run.shoot("at-the-end")
            run.stop()

    def prepare(self, folder, package, title=TITLE, temp=None):
        """A run of `package` copied alone into the test's `folder` (Windows drops dots and
        spaces at the end of a folder's name: none are given), not started yet."""
        run = PackageRun(self.session, OPTIONS, os.path.join(self.base, folder), package, title,
                         temp=temp)
        self.runs.append(run)
        return run

    def play(self, folder, package, title=TITLE, temp=None):
        return self.prepare(folder, package, title, temp).start()

    def close_card(self, run):
        run.card_window()  # shown, so its Close button can be pressed
        self.session.click(*run.card_window().centre_of(IDCANCEL))
        self.assertEqual(run.wait_exit(), 0)

    def assert_nothing_left(self, run, package_folder_holds):
        """After the run: the private folder is gone, and the package's folder holds only
        `package_folder_holds`."""
        wait_for("the private folder to go", lambda: not os.listdir(run.temp), timeout=30)
        self.assertEqual(sorted(os.listdir(run.folder)), sorted(package_folder_holds))

    def test_the_sample_cards_package_plays_its_card_and_message_from_an_empty_folder(self):
        sample = OPTIONS.sample
        with open(os.path.join(sample, "Layout.txt"), encoding="cp1252") as f:
            title = f.readline().strip()
        package = cardkit.package(OPTIONS.cardkit, sample,
                                  os.path.join(self.base, "Greeting.exe"), OPTIONS.card)
        self.assertLessEqual(os.path.getsize(package), MEGABYTE, "the sample card's package")
        card_files = sorted(n for n in os.listdir(sample) if n != "msg.txt")
        listed = subprocess.run(["unzip", "-l", package], capture_output=True, text=True,
                                errors="replace", check=True).stdout
        for name in card_files:
            self.assertIn(" " + name + "\n", listed, "unzip -l lists every file of the card")
        tested = subprocess.run(["unzip", "-tq", package], capture_output=True, text=True,
                                errors="replace")
        self.assertEqual(tested.returncode, 0, tested.stdout + tested.stderr)

        run = self.play("Mail attachments/Gr\u00fc\u00dfe von J\u00f6rg", package, title)
        run.track()
        private = run.private_folder()
        wait_for("the card window", lambda: run.log().card_shown(), timeout=180)
        unpacked = sorted(os.listdir(private))
        self.assertEqual(unpacked, sorted(card_files + ["card.exe", "msg.txt", "in-use.lock"]))
        self.assertEqual(read(os.path.join(private, "msg.txt")),
                         read(os.path.join(sample, "msg.txt")))

        predicted = cardkit.simulate(OPTIONS.cardkit, sample, work_area=run.log().work_area)[0]
        observed = run.log().figure_paths()[0]
        self.assertEqual(path_problems(observed, positions(predicted), start=(0, 0),
                                       must_see=held_places(predicted, HOLD_TICKS)), [],
                         "observed %s" % observed)
        self.assertEqual(shown_message(run.card_window()), message_file_text(sample))
        run.shoot("card-shown")
        self.close_card(run)
        self.assert_nothing_left(run, ["Greeting.exe"])

    def make_card(self, run, keys, centred):
        """Make a New Card in the run's card; returns the name of the file it made."""
        dialogs = NewCardDialogs(self.session, run.card_program(), run.card_window)
        result = dialogs.make_card(keys, centred)
        text = result.text_of(IDC_FILE_CREATED_TEXT)
        dialogs.close_result(result)
        self.assertIn("has been created for you", text)
        return text.split('"')[1].rsplit("\\", 1)[1]

    def test_cards_made_from_a_package_play_wherever_they_are_copied(self):
        # The first folder's name has letters the ANSI code page lacks: the card program gets
        # the package's path in a form it can use.
        first = self.play("\u041f\u043e\u0447\u0442\u0430 (mail)", self.small_package)
        self.assertEqual(shown_message(first.card_window()), (MESSAGE, False))
        anna = self.make_card(first, ["Dear Anna,", "<Return>", "Happy birthday!"], True)
        self.assertEqual(anna, "ANNA.EXE")
        wait_for("the card to show the new message", lambda: shown_message(
            first.card_window()) == ("Dear Anna,\r\nHappy birthday!", True))
        self.close_card(first)
        self.assert_nothing_left(first, ["Greeting.exe", "ANNA.EXE"])

        second = self.play("second", os.path.join(first.folder, "ANNA.EXE"))
        self.assertEqual(shown_message(second.card_window()),
                         ("Dear Anna,\r\nHappy birthday!", True))
        tom = self.make_card(second, ["Hi Tom,", "<Return>", "see you soon"], False)
        self.assertEqual(tom, "TOM.EXE")
        self.close_card(second)
        self.assert_nothing_left(second, ["ANNA.EXE", "TOM.EXE"])

        third = self.play("third", os.path.join(second.folder, "TOM.EXE"))
        self.assertEqual(shown_message(third.card_window()), ("Hi Tom,\r\nsee you soon", False))
        third.shoot("third-card")
        self.close_card(third)
        self.assert_nothing_left(third, ["TOM.EXE"])

    def assert_refused(self, run, says):
        """One message box of the package that says the card is damaged and why; no card."""
        box = wait_for("the message box", lambda: self.session.window(
            DIALOG_TITLE, having=MESSAGE_BOX_TEXT, program=run.program))
        text = box.text_of(MESSAGE_BOX_TEXT)
        self.assertIn(says, text)
        self.assertEqual(len(self.session.windows(DIALOG_TITLE, program=run.program)), 1,
                         "one box")
        self.assertIsNone(self.session.window(TITLE), "no card window")
        self.session.click(*box.centre_of(IDOK))
        self.assertEqual(run.wait_exit(), 1)
        return text

    def test_damaged_packages_are_refused_with_one_box_and_leave_nothing(self):
        good = read(self.small_package)
        for what, package_bytes, says in damaged_packages.cases(good):
            with self.subTest(what):
                package = os.path.join(self.base, "Greeting.exe")
                with open(package, "wb") as f:
                    f.write(package_bytes)
                run = self.play(what, package)
                text = self.assert_refused(run, says)
                self.assertTrue(text.startswith("This card file is damaged"), text)
                self.assert_nothing_left(run, ["Greeting.exe"])
                print("\n%s: %s" % (what, text.replace("\r\n", " ")))

    def test_a_package_without_a_temporary_folder_to_unpack_into_says_so(self):
        not_a_folder = os.path.join(self.base, "temp-is-a-file")
        with open(not_a_folder, "w") as f:
            f.write("not a folder")
        run = self.play("no-temp", self.small_package, temp=not_a_folder)
        text = self.assert_refused(run, "A folder cannot be made there")
        self.assertTrue(text.startswith("The card cannot be unpacked into the folder"), text)
        self.assertEqual(os.listdir(run.folder), ["Greeting.exe"])

    def test_a_package_in_a_read_only_folder_plays(self):
        run = self.prepare("read-only", self.small_package)
        os.chmod(run.package, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        os.chmod(run.folder, stat.S_IRUSR | stat.S_IXUSR | stat.S_IRGRP | stat.S_IXGRP)
        run.start()
        self.assertEqual(shown_message(run.card_window()), (MESSAGE, False))
        self.close_card(run)
        self.assert_nothing_left(run, ["Greeting.exe"])

    def test_leftovers_of_a_crashed_run_go_at_the_next_start_while_a_running_cards_stay(self):
        temp = fresh_folder(os.path.join(self.base, "temp"))
        crashed = self.play("crashed", self.small_package, temp=temp)
        crashed.card_window()
        crashed_folder = crashed.private_folder()
        crashed.stop()  # the package and its card program end without cleaning up
        wait_for("the crashed card to end", lambda: not crashed.runs_from(crashed_folder))
        self.assertTrue(os.path.exists(os.path.join(crashed_folder, "Layout.txt")))
        self.assertFalse(os.path.exists(os.path.join(crashed_folder, "in-use.lock")),
                         "the lock went with the package's process")
        someone_elses = os.path.join(temp, "ZelkCard-notours")
        os.makedirs(someone_elses)

        running = self.play("running", self.small_package, temp=temp)
        running.card_window()
        self.assertFalse(os.path.exists(crashed_folder), "the crashed run's folder went")
        self.assertTrue(os.path.exists(someone_elses), "a folder not of our naming stays")

        later = self.play("later", self.small_package, temp=temp)
        later.card_window()
        self.assertTrue(os.path.exists(os.path.join(running.private_folder(), "Layout.txt")),
                        "the running card's folder stays")
        self.close_card(later)
        self.close_card(running)
        wait_for("the private folders to go", lambda: os.listdir(temp) == ["ZelkCard-notours"])


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("sample", "launcher"))
    card_run.run_tests(OPTIONS, ARGV)
