"""End to end: the card package, the one file a person sends, played under Wine as the friend
who gets it plays it, each time from a folder that holds nothing but the package.

The sample card's package plays its card (the figure where `cardkit simulate` says, the
package's own message in the card window), writes no program file and leaves nothing behind.
Make a New Card makes the next package beside it, which plays in a folder of its own and makes
a third, also in folders the ANSI code page cannot spell; the new card's message area holds
nothing of a longer old message. Damaged and hostile packages are refused with one message box
each, and nothing is written outside the private folder under the temporary folder, nor left
there. A package in a read-only folder plays; the leftovers of a run that crashed go at the next
start, while a running card's and folders not certainly ours stay. Libraries planted beside the
package under the names of those the card loads are never loaded.

    test_package.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --cardkit cardkit --launcher with_temp.exe
        --marker marker_library.dll --sample SAMPLE_CARD --session DIR --work DIR
"""

import os
import random
import shutil
import stat
import subprocess
import threading
import time
import zlib

import card_run
import cardkit
import damaged_packages
from card_layout import Layout
from card_run import DIALOG_TITLE
from card_source import CardSource, picture
from figure_path import held_places, path_problems, positions
from new_card_dialogs import NewCardDialogs, shown_message
from package_run import PackageRun, fresh_folder
from resource_ids import (IDC_FILE_CREATED_TEXT, IDC_START_EMAIL, IDCANCEL, IDOK,
                          MESSAGE_BOX_TEXT)
from waiting import wait_for
from wine_session import windows_path

OPTIONS = ARGV = None

TITLE = "E2E package card"
GREY, BLACK, WHITE = (128, 128, 128), (0, 0, 0), (255, 255, 255)
MESSAGE = "Hello from the packaged card"
HOLD_TICKS = 10  # a place held this many steps is one no sampling misses
MEGABYTE = 1 << 20
AREA = 490  # the message area


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


class ProgramFileWatch:
    """Looks through a folder every few milliseconds while a run goes on, for program files
    (.exe, .dll) anywhere under it; `found` holds every one seen."""

    def __init__(self, folder):
        self.folder, self.found, self.stopped = folder, set(), threading.Event()
        self.thread = threading.Thread(target=self._watch, daemon=True)
        self.thread.start()

    def _watch(self):
        while not self.stopped.is_set():
            for root, _, files in os.walk(self.folder):
                self.found.update(os.path.join(root, name) for name in files
                                  if name.lower().endswith((".exe", ".dll")))
            time.sleep(0.005)

    def stop(self):
        self.stopped.set()
        self.thread.join()
        return sorted(self.found)


def sample_title():
    with open(os.path.join(OPTIONS.sample, "Layout.txt"), encoding="cp1252") as f:
        return f.readline().strip()


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
        sample, title = OPTIONS.sample, sample_title()
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
        program = read(OPTIONS.card)
        self.assertEqual(read(package)[:len(program)], program,
                         "the package carries the tested card.exe byte for byte")
        self.assertIn("CRC-32 %08X" % zlib.crc32(program),
                      cardkit.run(OPTIONS.cardkit, "info", package).upper(),
                      "cardkit info names the program's CRC-32, to compare with a release")

        run = self.prepare("Mail attachments/Gr\u00fc\u00dfe von J\u00f6rg", package, title)
        watch = ProgramFileWatch(run.temp)
        run.start().track()
        private = run.private_folder()
        wait_for("the card window", lambda: run.log().card_shown(), timeout=180)
        unpacked = sorted(os.listdir(private))
        self.assertEqual(unpacked, sorted(card_files + ["msg.txt", "in-use.lock"]))
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
        self.assertEqual(watch.stop(), [], "no program file under the temporary folder")
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
        # The first folder's name has letters the ANSI code page lacks.
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

    def test_leftovers_of_a_crashed_run_go_at_the_next_start_while_others_stay(self):
        temp = fresh_folder(os.path.join(self.base, "temp"))
        crashed = self.play("crashed", self.small_package, temp=temp)
        crashed.card_window()
        crashed_folder = crashed.private_folder()
        crashed.stop()  # the package ends without cleaning up
        wait_for("the lock to go with the package's process",
                 lambda: not os.path.exists(os.path.join(crashed_folder, "in-use.lock")))
        self.assertTrue(os.path.exists(os.path.join(crashed_folder, "Layout.txt")))
        # Folders that are not certainly leftovers of ours, each holding a file of the user's.
        not_ours = {"ZelkCard-notours": [], "zelkcard-0000CAFE": [],
                    "ZelkCard-0000BEEF": ["card.exe"], "ZelkCard-0000F00D": ["Documents/"]}
        for name, extra in not_ours.items():
            os.makedirs(os.path.join(temp, name))
            for entry in ["Layout.txt"] + extra:
                path = os.path.join(temp, name, entry)
                if entry.endswith("/"):
                    os.makedirs(path)
                else:
                    with open(path, "w") as f:
                        f.write("the user's")

        running = self.play("running", self.small_package, temp=temp)
        running.card_window()
        self.assertFalse(os.path.exists(crashed_folder), "the crashed run's folder went")
        for name in not_ours:
            self.assertTrue(os.path.exists(os.path.join(temp, name, "Layout.txt")), name)

        later = self.play("later", self.small_package, temp=temp)
        later.card_window()
        self.assertTrue(os.path.exists(os.path.join(running.private_folder(), "Layout.txt")),
                        "the running card's folder stays")
        self.close_card(later)
        self.close_card(running)
        wait_for("the private folders to go", lambda: sorted(os.listdir(temp)) == sorted(not_ours))

    def test_a_package_in_a_folder_the_ansi_code_page_cannot_spell_makes_cards_beside_it(self):
        # Through the ANSI code page the fullwidth quotation mark and backslash would become
        # " and \ and name another file; the package's path must reach the card as it is.
        run = self.play("\u03a9 \uff02Greeting\uff3c\uff02", self.small_package)
        self.assertEqual(shown_message(run.card_window()), (MESSAGE, False))
        dialogs = NewCardDialogs(self.session, run.card_program(), run.card_window)
        result = dialogs.make_card(["Dear Anna"], False)
        self.assertIn("has been created for you", result.text_of(IDC_FILE_CREATED_TEXT))
        dialogs.close_result(result)
        self.close_card(run)
        self.assert_nothing_left(run, ["Greeting.exe", "ANNA.EXE"])
        card = read(os.path.join(run.folder, "ANNA.EXE"))
        m = int.from_bytes(card[-4:], "little")
        self.assertEqual(card[m:m + 10], b"Dear Anna\0")

    def test_a_new_card_keeps_nothing_of_a_longer_old_message(self):
        old = "\r\n".join(["x" * 67] * 6 + ["y" * 73])
        self.assertEqual(len(old), 487, "the longest message a card takes")
        message_file = os.path.join(self.base, "long-msg.txt")
        with open(message_file, "wb") as f:
            f.write(old.encode("cp1252"))
        package = cardkit.package(OPTIONS.cardkit, self.small,
                                  os.path.join(self.base, "Greeting.exe"), OPTIONS.card,
                                  message_file)
        run = self.play("long", package)
        self.assertEqual(self.make_card(run, ["Hi Zoe"], False), "ZOE.EXE")
        self.close_card(run)
        original, made = read(package), read(os.path.join(run.folder, "ZOE.EXE"))
        m = int.from_bytes(original[-4:], "little")
        self.assertEqual(original[m:m + len(old) + 1], old.encode("cp1252") + b"\0")
        self.assertEqual(made[m:m + AREA], b"Hi Zoe\0" + bytes(AREA - 7), "the whole area")
        self.assertEqual(made[:m], original[:m])
        self.assertEqual(made[m + AREA:], original[m + AREA:])

    def test_libraries_planted_beside_the_package_are_not_loaded(self):
        marks = os.path.join(self.base, "marks.txt")
        env = {"CARD_MARKER_FILE": windows_path(marks)}
        # The marker library marks when it is loaded.
        control = self.session.start("rundll32", [windows_path(OPTIONS.marker) + ",Mark"],
                                     cwd=self.base, env=env, log_name="rundll32.log")
        control.wait_exit()
        with open(marks) as f:
            self.assertIn("marker_library.dll", f.read())
        os.remove(marks)

        package = cardkit.package(OPTIONS.cardkit, OPTIONS.sample,
                                  os.path.join(self.base, "Greeting.exe"), OPTIONS.card)
        run = self.prepare("planted", package, sample_title())
        for name in ("winmm.dll", "MAPI32.dll"):
            shutil.copy(OPTIONS.marker, os.path.join(run.folder, name))
        # Wine is told to prefer a library it finds, as Windows does for those not on its
        # known list; the sample card plays sounds and music.
        run.start(dll_overrides="winmm,mapi32=n,b", env=env)
        run.card_window(timeout=180)
        dialogs = NewCardDialogs(self.session, run.card_program(), run.card_window)
        result = dialogs.make_card(["Dear Anna"], False)
        self.assertTrue(result.shown(IDC_START_EMAIL), "the system's mail library offers e-mail")
        dialogs.close_result(result)
        self.close_card(run)
        self.assertFalse(os.path.exists(marks), "a planted library was loaded")


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("sample", "launcher", "marker"))
    card_run.run_tests(OPTIONS, ARGV)
