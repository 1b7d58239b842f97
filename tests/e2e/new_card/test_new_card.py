"""End to end: "Make a New Card" in card.exe under Wine, driven with xdotool.

A small card is built with cardkit and packaged with cardkit; card.exe is started with the
package's full path, and the tests press the card's buttons, type into the new-message dialog
and read the dialogs through window_probe.exe. They check the new card file byte by byte,
the result dialog's text, the card showing the new message, the length limit, Cancel, a
read-only package, and e-mail through a stand-in for the system's mail library that records
its calls.

    test_new_card.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --mail fake_mail.dll --cardkit cardkit --session DIR --work DIR
"""

import os
import shutil
import stat

import card_run
import cardkit
from card_layout import Layout
from card_run import DIALOG_TITLE
from card_source import CardSource, picture
from new_card_dialogs import NewCardDialogs
from resource_ids import (IDC_FILE_CREATED_OK, IDC_FILE_CREATED_TEXT, IDC_MESSAGE_CENTRED,
                          IDC_MESSAGE_LEFT, IDC_NEW_MESSAGE_LEFT, IDC_START_EMAIL, IDCANCEL,
                          IDOK, MESSAGE_BOX_TEXT)
from waiting import wait_for
from wine_session import windows_path

OPTIONS = ARGV = None

# The small card: sound and music off, one 8 x 8 frame played once, no pictures, a grey
# background with the message in black on a white shadow.
TITLE = "E2E card"
BACKGROUND, BLACK, WHITE = (128, 128, 128), (0, 0, 0), (255, 255, 255)
ORIGINAL_MESSAGE = "Hello from the test card"

ANNA = "Dear Anna,\r\nHappy birthday!"
CREATED = ('The file "%s"\r\nhas been created for you.\r\n\r\n'
           "You can send it to your friend as an e-mail attachment.")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def tiny_card(folder):
    """Builds the small card into folder/card and returns that folder."""
    layout = Layout(TITLE, message=(BACKGROUND, BLACK, WHITE)).palette(BACKGROUND, BLACK, WHITE)
    source = CardSource(layout, "do = 1\n", ORIGINAL_MESSAGE + "\n")
    source.frame("stand", 1, 8, 8, picture(8, 8, lambda x, y: (200, 30, 30)))
    return source.build(OPTIONS.cardkit, folder)


class NewCardTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.content = tiny_card(os.path.join(OPTIONS.work, "tiny"))

    def setUp(self):
        self.folder = os.path.join(OPTIONS.work, self.id().split(".")[-1])
        self.run_ = card_run.CardRun(self.session, OPTIONS, self.folder, self.content, TITLE)
        self.package = cardkit.package(OPTIONS.cardkit, self.content,
                                       os.path.join(self.folder, "Greeting.exe"), OPTIONS.card)
        self.package_bytes = read(self.package)

    # --- driving the card -------------------------------------------------------------------

    def start_card(self, dll_overrides="mapi32=", env=None):
        """Starts the card with the package's full path; returns the card window once shown."""
        self.run_.start([windows_path(self.package)], pattern=False, env=env,
                        dll_overrides=dll_overrides)
        self.dialogs = NewCardDialogs(self.session, self.run_.program, self.card_window)
        return self.card_window()

    def card_window(self):
        return self.run_.card_window()

    def close_card(self):
        self.session.click(*self.card_window().centre_of(IDCANCEL))
        self.assertEqual(self.run_.program.wait_exit(), 0)

    # --- checking the results ---------------------------------------------------------------

    def assert_card_file(self, path, message, centred):
        """`path` is the package with `message` at its message offset and nothing else changed."""
        card = read(path)
        package = self.package_bytes
        offset = int.from_bytes(package[-4:], "little")
        area = message.encode("cp1252") + (b"\xff\xff" if centred else b"") + b"\0"
        self.assertEqual(len(card), len(package), path)
        self.assertEqual(card[:offset], package[:offset], "the program before the message area")
        self.assertEqual(card[offset:offset + len(area)], area, "the message area")
        self.assertEqual(card[offset + len(area):], package[offset + len(area):],
                         "the old message's remains and the offset at the end")

    def assert_card_shows(self, message, centred):
        card = self.card_window()
        shown, hidden = ((IDC_MESSAGE_CENTRED, IDC_MESSAGE_LEFT) if centred
                         else (IDC_MESSAGE_LEFT, IDC_MESSAGE_CENTRED))
        self.assertTrue(card.shown(shown))
        self.assertFalse(card.shown(hidden))
        self.assertEqual(card.text_of(shown), message)
        self.assertEqual(card.text_of(hidden), message)
        return card

    def assert_text_centred(self, card, control):
        """The message's pixels lie in the middle of the edit: equal gaps left and right."""
        x, y, width, height = card.control(control).rect

        box = wait_for("the message drawn on the card", lambda: self.session.grab(
            x, y, width, height).bounding_box_not(BACKGROUND))
        left_gap, right_gap = box[0], width - 1 - box[2]
        self.assertGreater(left_gap, 40, "the text starts far from the left edge")
        self.assertLessEqual(abs(left_gap - right_gap), 3,
                             "gaps %d and %d around the text" % (left_gap, right_gap))

    def new_files(self):
        before = set(os.listdir(self.content)) | card_run.CardRun.OWN_FILES | {"Greeting.exe"}
        return sorted(set(os.listdir(self.folder)) - before)

    # --- the tests ----------------------------------------------------------------------------

    def test_makes_a_card_named_after_the_message_and_shows_it_centred(self):
        self.start_card()
        for name in ("ANNA.EXE", "ANNA(2).EXE"):
            result = self.dialogs.make_card(["Dear Anna,", "<Return>", "Happy birthday!"],
                                            centred=True)
            path = windows_path(os.path.join(self.folder, name))
            self.assertEqual(result.text_of(IDC_FILE_CREATED_TEXT), CREATED % path)
            self.assertEqual([result.shown(i)
                              for i in (IDOK, IDC_START_EMAIL, IDC_FILE_CREATED_OK)],
                             [True, False, False], "no mail library: the single OK")
            self.dialogs.close_result(result)
            self.assert_card_file(os.path.join(self.folder, name), ANNA, centred=True)
            card = self.assert_card_shows(ANNA, centred=True)
        self.assert_text_centred(card, IDC_MESSAGE_CENTRED)
        self.assertEqual(self.new_files(), ["ANNA(2).EXE", "ANNA.EXE"])
        self.close_card()

    def test_typing_past_the_limit_keeps_487_characters_and_cancel_changes_nothing(self):
        self.start_card()
        dialog = self.dialogs.open_new_message()
        typed = "".join(" " if i % 8 == 7 else "i" for i in range(492))
        self.dialogs.replace_message(dialog, [typed])
        edit_text = self.dialogs.new_message_dialog().text_of(IDC_NEW_MESSAGE_LEFT)
        self.assertEqual(edit_text, typed[:487])
        self.session.click(*dialog.centre_of(IDCANCEL))
        self.dialogs.wait_dialogs_closed()
        self.assert_card_shows(ORIGINAL_MESSAGE, centred=False)
        self.assertEqual(self.new_files(), [])
        self.close_card()

    def test_a_read_only_package_is_copied_and_patched(self):
        os.chmod(self.package, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        self.start_card()
        result = self.dialogs.make_card(["Dear Anna,", "<Return>", "Happy birthday!"],
                                        centred=False)
        self.assertEqual(result.text_of(IDC_FILE_CREATED_TEXT),
                         CREATED % windows_path(os.path.join(self.folder, "ANNA.EXE")))
        self.dialogs.close_result(result)
        self.assert_card_file(os.path.join(self.folder, "ANNA.EXE"), ANNA, centred=False)
        self.assert_card_shows(ANNA, centred=False)
        self.assertEqual(read(self.package), self.package_bytes)
        self.assertFalse(os.stat(self.package).st_mode & stat.S_IWUSR,
                         "the package stays read-only")
        self.close_card()

    def mail_run(self, logon_results):
        """Makes ANNA.EXE with the stand-in mail library as the system's (the card loads
        libraries from the system folder only), whose logons answer `logon_results` in turn,
        and presses "Start E-Mail"; returns the recorded calls and the text of the message box
        that followed, if any."""
        system_library = os.path.join(self.session.system_folder(), "mapi32.dll")
        saved = system_library + ".saved"
        os.replace(system_library, saved)
        self.addCleanup(os.replace, saved, system_library)
        shutil.copy(OPTIONS.mail, system_library)
        log = os.path.join(self.folder, "mail-calls.txt")
        self.start_card(dll_overrides="mapi32=n",
                        env={"CARD_FAKE_MAIL_LOG": windows_path(log),
                             "CARD_FAKE_MAIL_LOGON": logon_results})
        result = self.dialogs.make_card(["Dear Anna,", "<Return>", "Happy birthday!"],
                                        centred=False)
        self.assertEqual([result.shown(i) for i in (IDOK, IDC_START_EMAIL, IDC_FILE_CREATED_OK)],
                         [False, True, True], "the mail library offers Start E-Mail")
        self.session.click(*result.centre_of(IDC_START_EMAIL))
        box_text = None
        if logon_results.split(",")[-1] != "0":
            box = wait_for("the message box", lambda: self.session.window(
                "Error", having=MESSAGE_BOX_TEXT, program=self.run_.program))
            box_text = box.text_of(MESSAGE_BOX_TEXT)
            self.assertEqual(box.owner, result.handle, "the result dialog owns the box")
            self.session.click(*box.centre_of(IDOK))
        self.dialogs.wait_dialogs_closed()
        self.close_card()
        with open(log) as f:
            return f.read().splitlines(), box_text

    def test_start_email_logs_on_again_with_the_logon_interface_sends_and_logs_off(self):
        calls, box = self.mail_run("3,0")
        parent = 'parent="%s"' % DIALOG_TITLE
        logon = "MAPILogon %s profile=null password=null flags=%d reserved=0 -> %d"
        self.assertEqual(calls, [
            logon % (parent, 0, 3),
            logon % (parent, 1, 0),
            'MAPISendDocuments %s delimiter=";" paths="%s" names=null reserved=0'
            % (parent, windows_path(os.path.join(self.folder, "ANNA.EXE"))),
            "MAPILogoff session=24149 %s flags=0 reserved=0" % parent,
        ])
        self.assertIsNone(box)

    def test_mail_that_cannot_log_on_says_so(self):
        calls, box = self.mail_run("3,3")
        self.assertEqual([c.split(" -> ")[1] for c in calls], ["3", "3"])
        self.assertEqual(box, "Couldn't start Mail")


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("mail",))
    card_run.run_tests(OPTIONS, ARGV)
