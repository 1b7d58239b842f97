"""Make a New Card in the web page, in headless Chromium: a message of two lines with Centered
downloads ANNA.html, which opened shows that message centred and plays; the card shows the new
message; the dialog refuses a 488th character and an eighth line with a shake; Cancel changes
nothing.
"""

import os
import unittest

from web_browser import Browser, main, save_png, wait_for

SCRIPT = "do = [10,0]1*3 [0,5]2*4 51*3\n"
FIRST_MESSAGE = "Hello there,\nhave a lovely day!\n"  # left-aligned
ANNA = "Dear Anna,\nHappy birthday!"


def centre(rect):
    return (rect["left"] + rect["right"]) / 2, (rect["top"] + rect["bottom"]) / 2


class NewCardTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.card, cls.html = CARDS.make("newcard", SCRIPT, {"message.txt": FIRST_MESSAGE})
        cls.browser = Browser(CARDS.work)
        cls.browser.open(cls.html)
        cls.browser.wait_phase("cover")
        cls.browser.click_at(20, 20)
        cls.browser.wait_phase("card")
        cls.first_message = cls.shown_message(cls.browser)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    @staticmethod
    def shown_message(browser):
        """(text, centred) of the message element the card shows."""
        return tuple(browser.run(
            "const shown = [...document.querySelectorAll('.card-message')].find(e => !e.hidden);"
            "return [shown.textContent, getComputedStyle(shown).textAlign === 'center'];"))

    def open_dialog(self):
        self.browser.click_at(*centre(self.browser.test_state("buttons")["newCard"]))
        return wait_for("the new-message dialog",
                        lambda: self.browser.driver.find_elements("css selector", "textarea"))[0]

    def press(self, action):
        self.browser.driver.find_element("css selector", '[data-action="%s"]' % action).click()

    def shaken(self):
        return self.browser.run("const d = document.querySelector('.card-dialog');"
                                "return d.classList.contains('card-shake');")

    def test_a_cancel_changes_nothing(self):
        edit = self.open_dialog()
        edit.send_keys(" and more")
        self.press("cancel")
        self.assertEqual(self.shown_message(self.browser), self.first_message)
        self.assertEqual(os.listdir(self.browser.downloads), [])

    def test_b_the_dialog_keeps_the_card_s_limits(self):
        edit = self.open_dialog()
        edit.clear()
        edit.send_keys("i" * 487)  # narrow, so that 487 fit in seven lines
        self.assertEqual(len(edit.get_attribute("value")), 487)
        self.assertFalse(self.shaken())
        edit.send_keys("i")
        self.assertEqual(edit.get_attribute("value"), "i" * 487, "the 488th character is refused")
        self.assertTrue(self.shaken(), "and the dialog shakes")
        edit.clear()
        edit.send_keys("\n".join("line %d" % n for n in range(1, 8)))
        self.assertEqual(edit.get_attribute("value").count("\n"), 6)
        edit.send_keys("\neight")
        self.assertEqual(edit.get_attribute("value").count("\n"), 6, "an eighth line is refused")
        self.press("cancel")

    def test_c_a_centred_message_makes_anna_html_that_plays(self):
        edit = self.open_dialog()
        edit.clear()
        edit.send_keys(ANNA)
        centred = self.browser.driver.find_element("css selector", ".card-dialog input")
        self.assertFalse(centred.is_selected(), "the first message is left-aligned")
        centred.click()
        save_png(self.browser.screenshot(), os.path.join(CARDS.work, "new-card-dialog.png"))
        self.press("ok")
        path = os.path.join(self.browser.downloads, "ANNA.html")
        wait_for("ANNA.html", lambda: os.path.exists(path) and not any(
            name.endswith(".crdownload") for name in os.listdir(self.browser.downloads)))
        self.assertEqual(self.shown_message(self.browser), (ANNA, True))
        self.press("ok")

        with open(path, encoding="utf-8") as made, open(self.html, encoding="utf-8") as page:
            self.assertGreater(len(made.read()), len(page.read()) * 0.95)
        self.browser.open(path)
        self.browser.wait_phase("cover")
        self.browser.click_at(20, 20)
        self.browser.wait_phase("card")
        self.assertEqual(self.shown_message(self.browser), (ANNA, True))
        viewport = self.browser.viewport()
        self.assertEqual(self.browser.events(), CARDS.simulate(self.card, viewport))


if __name__ == "__main__":
    main(globals())
