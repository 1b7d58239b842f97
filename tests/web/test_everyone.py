"""The web card for everyone, in headless Chromium: a message in any language survives Make a New
Card and cardkit web; axe-core finds nothing wrong on the cover, while playing, on the card and
in both dialogs; the card works with the keyboard alone; the sound can be muted, the playing
skipped, and a person who asks for less motion can open straight at the card.
"""

import os
import unittest

from web_browser import Browser, main, wait_for

# Long enough to look at while it plays; the tests skip it.
LONG_SCRIPT = "do = [1,0]1*300\n"
SHORT_SCRIPT = "do = [10,0]1*3 [0,5]2*4 51*3\n"
BUTTON_LABELS = ["Repeat", "Make a New Card", "Visit Us", "Close"]


def shown_message(browser):
    """(text, centred) of the message element the card shows."""
    return tuple(browser.run(
        "const shown = [...document.querySelectorAll('.card-message')].find(e => !e.hidden);"
        "return [shown.textContent, getComputedStyle(shown).textAlign === 'center'];"))


def focused_label(browser):
    return browser.run("const e = document.activeElement;"
                       "return e.getAttribute('aria-label') || e.textContent;")


def open_card(browser, html):
    browser.open(html)
    browser.wait_phase("cover")
    browser.click_at(20, 20)


def wait_for_download(browser, name):
    path = os.path.join(browser.downloads, name)
    wait_for(name, lambda: os.path.exists(path) and not any(
        entry.endswith(".crdownload") for entry in os.listdir(browser.downloads)))
    return path


class AccessibleCardTest(unittest.TestCase):
    """One page through every state, axe-core run in each, and driven with keys alone."""

    @classmethod
    def setUpClass(cls):
        _, cls.html = CARDS.make("everyone", LONG_SCRIPT)
        cls.browser = Browser(CARDS.work)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def assert_accessible(self, state):
        self.assertEqual(self.browser.accessibility_violations(CARDS.axe), [], state)

    def press(self, key, code=None):
        self.browser.key(key, code, {"Enter": "\r", " ": " "}.get(key))

    def tab_to(self, label, most=12):
        if focused_label(self.browser) == label:
            return
        for _ in range(most):
            self.browser.key("Tab")
            if focused_label(self.browser) == label:
                return
        self.fail("Tab never reached %r" % label)

    def start_tabbing_from_the_top(self):
        """A click on the page beside the card: the next Tab starts from the page's top."""
        self.browser.click_at(3, 3)
        self.assertEqual(self.browser.run("return document.activeElement === document.body"),
                         True)

    def test_every_state_is_accessible(self):
        browser = self.browser
        browser.open(self.html)
        browser.wait_phase("cover")
        self.assert_accessible("the cover")
        browser.click_at(20, 20)
        browser.wait_phase("playing")
        wait_for("the figure", lambda: browser.run(
            "return !document.querySelector('.card-figure').hidden"))
        self.assert_accessible("while playing")
        browser.run("document.querySelector('.card-quiet-skip').click()")
        browser.wait_phase("card")
        self.assert_accessible("the card")
        browser.click_at(*centre(browser.test_state("buttons")["newCard"]))
        wait_for("the new-message dialog", lambda: browser.run(
            "return document.querySelector('textarea') !== null"))
        self.assert_accessible("the new-message dialog")
        browser.run("document.querySelector('[data-action=\"ok\"]').click()")
        wait_for("the file-created dialog", lambda: browser.run(
            "return document.querySelector('[data-action=\"send\"]') !== null"))
        self.assert_accessible("the file-created dialog")
        browser.run("document.querySelector('[data-action=\"ok\"]').click()")

    def test_the_card_works_with_keys_alone(self):
        browser = self.browser
        browser.open(self.html)
        browser.wait_phase("cover")
        browser.key("Tab")
        self.assertEqual(browser.phase(), "cover", "Tab moves to the cover's button")
        self.assertEqual(focused_label(browser), "Tap to open")
        self.press("Enter")
        browser.wait_phase("playing")
        wait_for("the music", lambda: (browser.test_state("music") or {}).get("playing"))
        self.assertEqual(focused_label(browser), "Mute sound", "the focus moves on from the cover")

        self.tab_to("Mute sound")
        self.press("Enter")
        music = browser.test_state("music")
        self.assertTrue(music["muted"], "the toggle silences the music")
        self.assertTrue(music["playing"], "which plays on, unheard")
        self.assertEqual(browser.run(
            "return document.querySelector('.card-quiet-mute').getAttribute('aria-pressed')"),
            "true")

        self.tab_to("Skip to the card")
        self.press(" ", "Space")
        # Within one tick: the skip is done before the key's events return.
        self.assertEqual(browser.phase(), "card")
        self.assertEqual(browser.events()[-1].split()[1], "end")
        self.assertFalse(browser.test_state("music")["playing"])
        self.assertEqual(browser.run("return document.querySelector('.card-quiet').hidden"),
                         True)
        announcer = browser.run("const a = document.querySelector('[role=status]');"
                                "return [a.textContent, a.getAttribute('aria-live')];")
        self.assertEqual(announcer, ["The card is open: " + browser.driver.title, "polite"])
        self.assertEqual(focused_label(browser), "Repeat", "the focus moves to the card")

        self.start_tabbing_from_the_top()
        labels = []
        for _ in BUTTON_LABELS:
            browser.key("Tab")
            labels.append(focused_label(browser))
            ring = browser.run("const s = getComputedStyle(document.activeElement);"
                               "return [s.outlineStyle, parseFloat(s.outlineWidth)];")
            self.assertEqual(ring[0], "solid", labels[-1])
            self.assertGreaterEqual(ring[1], 2, labels[-1])
        self.assertEqual(labels, BUTTON_LABELS)

        # Shift+Tab back to Repeat; Enter on it plays again, still muted.
        for _ in range(3):
            browser.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": "keyDown", "key": "Tab", "code": "Tab", "modifiers": 8})
            browser.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": "keyUp", "key": "Tab", "code": "Tab", "modifiers": 8})
        self.assertEqual(focused_label(browser), "Repeat")
        runs = len([e for e in browser.events() if e.split()[1] == "end"])
        self.press("Enter")
        browser.wait_phase("playing")
        self.assertTrue(browser.test_state("music")["muted"])
        browser.run("document.querySelector('.card-quiet-skip').click()")
        self.assertEqual(len([e for e in browser.events() if e.split()[1] == "end"]), runs + 1)

        # Space on a focused button presses it too: Close, back to the cover.
        self.start_tabbing_from_the_top()
        for _ in BUTTON_LABELS:
            browser.key("Tab")
        self.assertEqual(focused_label(browser), "Close")
        self.press(" ", "Space")
        browser.wait_phase("cover")
        self.press("Enter")
        browser.wait_phase("playing")
        browser.run("document.querySelector('.card-quiet-skip').click()")
        self.start_tabbing_from_the_top()
        self.press("Escape")
        browser.wait_phase("cover")

    def test_the_dialogs_work_with_keys_alone_and_give_the_focus_back(self):
        browser = self.browser
        browser.open(self.html)
        browser.wait_phase("cover")
        self.press("Enter")
        browser.wait_phase("playing")
        browser.run("document.querySelector('.card-quiet-skip').click()")
        self.start_tabbing_from_the_top()
        self.tab_to("Make a New Card")
        self.press("Enter")
        self.assertEqual(browser.run("return document.activeElement.tagName"), "TEXTAREA")
        self.press("Escape")
        self.assertEqual(browser.run("return document.querySelector('.card-box')"), None)
        self.assertEqual(focused_label(browser), "Make a New Card")

        self.press("Enter")
        self.tab_to("OK")
        self.press("Enter")
        dialog = "return document.querySelector('.card-dialog h2').id"
        wait_for("the file-created dialog", lambda: browser.run(dialog) ==
                 "card-file-created-title")
        self.assertEqual(focused_label(browser), "OK")
        self.press("Enter")
        self.assertEqual(browser.run("return document.querySelector('.card-box')"), None,
                         "Enter closes it, and opens nothing else")
        self.assertEqual(focused_label(browser), "Make a New Card")
        self.assertEqual(browser.phase(), "card")


def centre(rect):
    return (rect["left"] + rect["right"]) / 2, (rect["top"] + rect["bottom"]) / 2


class ReducedMotionTest(unittest.TestCase):
    def test_the_cover_offers_to_open_at_the_card(self):
        _, html = CARDS.make("still", SHORT_SCRIPT)
        browser = Browser(CARDS.work)
        try:
            offer = ".card-cover-at-card"
            browser.open(html)
            browser.wait_phase("cover")
            self.assertTrue(browser.run("return document.querySelector(arguments[0]).hidden",
                                        offer), "offered only to those who ask")
            browser.reduce_motion()
            browser.open(html)
            browser.wait_phase("cover")
            self.assertFalse(browser.run("return document.querySelector(arguments[0]).hidden",
                                         offer))
            self.assertEqual(browser.accessibility_violations(CARDS.axe), [])
            browser.run("document.querySelector(arguments[0]).click()", offer)
            self.assertEqual(browser.phase(), "card")
            self.assertEqual(browser.events(), [], "no figure played")
            self.assertFalse(browser.test_state("music")["playing"])
            browser.key("Enter")
            browser.wait_phase("card")
            self.assertEqual(browser.events()[-1].split()[1], "end", "Repeat plays it")
        finally:
            browser.quit()


class AnyLanguageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.card, cls.html = CARDS.make("languages", SHORT_SCRIPT,
                                        {"message.txt": "Caf\u00e9 \u00e0 5 \u20ac,\n"
                                                        "\u201cmerci\u201d"})
        cls.browser = Browser(CARDS.work)
        open_card(cls.browser, cls.html)
        cls.browser.wait_phase("card")

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def test_a_windows_1252_message_shows_unchanged(self):
        with open(os.path.join(self.card, "msg.txt"), "rb") as f:
            self.assertEqual(f.read(), b"Caf\xe9 \xe0 5 \x80,\r\n\x93merci\x94",
                             "the fixture is Windows-1252")
        self.assertEqual(shown_message(self.browser),
                         ("Caf\u00e9 \u00e0 5 \u20ac,\n\u201cmerci\u201d", False))

    def open_dialog(self):
        self.browser.click_at(*centre(self.browser.test_state("buttons")["newCard"]))
        edit = wait_for("the new-message dialog",
                        lambda: self.browser.driver.find_elements("css selector", "textarea"))[0]
        self.browser.run("const e = arguments[0]; e.value = ''; e.focus();", edit)
        return edit

    def shaken(self):
        return self.browser.run("return document.querySelector('.card-dialog')"
                                ".classList.contains('card-shake')")

    def value(self, edit):
        return self.browser.run("return arguments[0].value", edit)

    def test_limits_count_characters_as_a_person_does(self):
        edit = self.open_dialog()
        # 480 narrow letters and seven emoji: 487 characters, though 494 UTF-16 units.
        self.browser.insert_text("i" * 480 + "\U0001F600" * 7)
        self.assertEqual(self.value(edit), "i" * 480 + "\U0001F600" * 7)
        self.assertFalse(self.shaken())
        self.browser.insert_text("i")
        self.assertEqual(self.value(edit), "i" * 480 + "\U0001F600" * 7, "the 488th is refused")
        self.assertTrue(self.shaken(), "with a shake")
        self.browser.run("arguments[0].value = ''", edit)
        seven = "\n".join(["\u4f60\u597d\u4e16\u754c"] * 7)
        self.browser.insert_text(seven)
        self.assertEqual(self.value(edit), seven, "seven lines of CJK are taken")
        self.browser.insert_text("\n\u5b57")
        self.assertEqual(self.value(edit), seven, "an eighth is refused")
        self.browser.driver.find_element("css selector", '[data-action="cancel"]').click()

    def test_z_a_new_card_keeps_every_language(self):
        message = ("\u041f\u0440\u0438\u0432\u0435\u0442, \u0393\u03b5\u03b9\u03ac "
                   "\u03c3\u03bf\u03c5\n\u4f60\u597d \U0001F382")
        self.open_dialog()
        self.browser.insert_text(message)
        self.browser.driver.find_element("css selector", ".card-dialog input").click()
        for entry in os.listdir(self.browser.downloads):
            os.remove(os.path.join(self.browser.downloads, entry))
        self.browser.driver.find_element("css selector", '[data-action="ok"]').click()
        path = wait_for_download(self.browser, "card.html")
        self.assertEqual(shown_message(self.browser), (message, True))
        self.browser.driver.find_element("css selector", '[data-action="ok"]').click()
        open_card(self.browser, path)
        self.browser.wait_phase("card")
        self.assertEqual(shown_message(self.browser), (message, True))


if __name__ == "__main__":
    main(globals())
