"""Make a New Card as a person does it, in one running card program: the card window's button,
the new-message dialog (its two edits and "Centered") and the result dialog, driven with
xdotool and read through window_probe.exe.

    dialogs = NewCardDialogs(session, program, card_window)   # card_window(): the probed card
    result = dialogs.make_card(["Dear Anna,", "<Return>", "Happy birthday!"], centred=True)
    result.text_of(IDC_FILE_CREATED_TEXT)
    dialogs.close_result(result)
    text, centred = shown_message(card_window())
"""

from card_run import DIALOG_TITLE
from resource_ids import (IDC_FILE_CREATED_OK, IDC_MAKE_NEW_CARD, IDC_MESSAGE_CENTRED,
                          IDC_MESSAGE_LEFT, IDC_NEW_MESSAGE_CENTRED,
                          IDC_NEW_MESSAGE_CENTRED_CHECK, IDC_NEW_MESSAGE_LEFT, IDOK)
from waiting import wait_for


class NewCardDialogs:
    """The dialogs of Make a New Card in `program`, whose card window card_window() probes."""

    def __init__(self, session, program, card_window):
        self.session, self.program, self.card_window = session, program, card_window

    def open_new_message(self):
        self.session.click(*self.card_window().centre_of(IDC_MAKE_NEW_CARD))
        return wait_for("the new-message dialog", self.new_message_dialog)

    def new_message_dialog(self):
        return self.session.window(DIALOG_TITLE, having=IDC_NEW_MESSAGE_CENTRED,
                                   program=self.program)

    def replace_message(self, dialog, keys):
        """Clicks into the visible edit, selects its whole text and types over it; `keys` is a
        list of texts to type and key names (in angle brackets, e.g. "<Return>") to press."""
        edit = (IDC_NEW_MESSAGE_CENTRED if dialog.shown(IDC_NEW_MESSAGE_CENTRED)
                else IDC_NEW_MESSAGE_LEFT)
        self.session.click(*dialog.centre_of(edit))
        self.session.key("ctrl+Home", "ctrl+shift+End", "Delete")
        for item in keys:
            if item.startswith("<"):
                self.session.key(item.strip("<>"))
            else:
                self.session.type(item)

    def result_dialog(self):
        return wait_for("the result dialog", lambda: self.session.window(
            DIALOG_TITLE, having=IDC_FILE_CREATED_OK, program=self.program))

    def make_card(self, keys, centred):
        """Types a message, sets "Centered" as asked (it opens as the card shows its message),
        presses OK; returns the result dialog."""
        dialog = self.open_new_message()
        self.replace_message(dialog, keys)
        if dialog.shown(IDC_NEW_MESSAGE_CENTRED) != centred:
            self.session.click(*dialog.centre_of(IDC_NEW_MESSAGE_CENTRED_CHECK))
            wait_for("the other edit",
                     lambda: self.new_message_dialog().shown(IDC_NEW_MESSAGE_CENTRED) == centred)
        self.session.click(*dialog.centre_of(IDOK))
        return self.result_dialog()

    def close_result(self, result):
        ok = IDC_FILE_CREATED_OK if result.shown(IDC_FILE_CREATED_OK) else IDOK
        self.session.click(*result.centre_of(ok))
        self.wait_dialogs_closed()

    def wait_dialogs_closed(self):
        wait_for("the dialogs to close",
                 lambda: not self.session.windows(DIALOG_TITLE, program=self.program))


def shown_message(card):
    """(text, centred) of the message a probed card window shows: its visible message edit."""
    centred = card.shown(IDC_MESSAGE_CENTRED)
    return card.text_of(IDC_MESSAGE_CENTRED if centred else IDC_MESSAGE_LEFT), centred
