"""Bad input: cardkit web refuses a card that cardkit check finds errors in or that holds a
symbolic link; hot spots of a page changed by hand to target a .bat file or a share open
nothing; and a page whose embedded data is damaged shows one clear sentence instead of the
card, never a blank page or a script error. And the page loads and plays with the network shut
off, asking it for nothing.
"""

import base64
import os
import re
import shutil
import unittest

from web_browser import Browser, frames_of, main, wait_for

DAMAGED = "This card could not start: its file is damaged or incomplete."


def file_element(page, name):
    """The span of the base64 text of the page's file `name`."""
    found = re.search(r'data-card-file="%s">([^<]*)</script>' % re.escape(name), page)
    return found.span(1)


class CardkitWebTest(unittest.TestCase):
    def test_a_card_with_errors_is_refused(self):
        card = os.path.join(CARDS.work, "broken-card")
        shutil.copytree(CARDS.sample_card, card)
        with open(os.path.join(card, "Card.FAS"), "r+b") as f:
            f.truncate(1000)
        out = os.path.join(CARDS.work, "broken.html")
        result = CARDS.cardkit_run("web", card, out, check=False)
        self.assertEqual(result.returncode, 1)
        self.assertIn("Card.FAS", result.stderr)
        self.assertIn("no web page was made", result.stderr)
        self.assertFalse(os.path.exists(out))

    def test_a_card_with_a_symbolic_link_is_refused(self):
        card = os.path.join(CARDS.work, "linked-card")
        shutil.rmtree(card, ignore_errors=True)
        shutil.copytree(CARDS.sample_card, card)
        # The page a hot spot opens, linked to a file outside the card folder.
        secret = os.path.join(CARDS.work, "secret.htm")
        with open(secret, "w") as f:
            f.write("<p>not the card's</p>")
        os.remove(os.path.join(card, "moon.htm"))
        os.symlink(secret, os.path.join(card, "moon.htm"))
        out = os.path.join(CARDS.work, "linked.html")
        result = CARDS.cardkit_run("web", card, out, check=False)
        self.assertEqual(result.returncode, 1)
        self.assertIn("moon.htm: error: it is a symbolic link", result.stderr)
        self.assertFalse(os.path.exists(out))


class HostileTargetsTest(unittest.TestCase):
    """A page whose Layout.txt was changed by hand, as cardkit never writes one: the cottage's
    hot spot targets a .bat file the page carries and the moon's a share. Clicks on them open
    nothing, while the hand still shows."""

    def test_a_click_on_a_target_the_card_may_not_open_opens_nothing(self):
        _, html = CARDS.make("targets", "do = 1*3\n", {"files/zelk.htm": "<title>Ours</title>"})
        with open(html, encoding="utf-8") as f:
            page = f.read()
        start, end = file_element(page, "Layout.txt")
        layout = base64.b64decode(page[start:end])
        layout = layout.replace(b".\\cottage.htm", b"x.bat")
        layout = layout.replace(b".\\moon.htm", b"\\\\127.0.0.1\\share\\moon.htm")
        page = page[:start] + base64.b64encode(layout).decode() + page[end:]
        carried = '<script type="application/octet-stream" data-card-file="x.bat">%s</script>\n'
        at = page.index("<script type=\"application/octet-stream\" data-card-file=")
        page = page[:at] + carried % base64.b64encode(b"echo planted").decode() + page[at:]
        path = os.path.join(CARDS.work, "hostile-targets.html")
        with open(path, "w", encoding="utf-8") as f:
            f.write(page)

        browser = Browser(CARDS.work)
        try:
            browser.open(path)
            browser.wait_phase("cover")
            width, height = browser.viewport()
            browser.click_at(width // 2, height // 2)
            browser.wait_phase("card")
            card = browser.rect(".card-window")
            driver = browser.driver
            for x, y in ((121, 85), (548, 50)):  # the cottage's spot, the moon's
                at = (card[0] + 1 + x, card[1] + 1 + y)
                browser.pointer([("move",) + at])
                wait_for("the hand", lambda: browser.run(
                    "return document.querySelector('.card-window').style.cursor") == "pointer")
                browser.click_at(*at)
            # The "Visit Us" page is opened after them, so theirs would have been opened first.
            buttons = browser.test_state("buttons")
            visit = buttons["visit"]
            browser.click_at((visit["left"] + visit["right"]) / 2,
                             (visit["top"] + visit["bottom"]) / 2)
            wait_for("the Visit Us window", lambda: len(driver.window_handles) > 1)
            self.assertEqual(len(driver.window_handles), 2, "only Visit Us opened a window")
            self.assertEqual(browser.console_errors(), [])
        finally:
            browser.quit()


class DamagedPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(CARDS.sample_html, encoding="utf-8") as f:
            cls.page = f.read()
        cls.browser = Browser(CARDS.work)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def shows_one_sentence(self, name, page, sentence):
        path = os.path.join(CARDS.work, name + ".html")
        with open(path, "w", encoding="utf-8") as f:
            f.write(page)
        self.browser.open(path)
        shown = wait_for("the sentence", lambda: self.browser.run(
            "const n = document.getElementById('card-notice');"
            "return n && !n.hidden && n.textContent;"))
        self.assertRegex(shown, sentence)
        visible = self.browser.run(
            "return [...document.querySelectorAll('body > *, #card-main > *')].filter(e => {"
            "  const r = e.getBoundingClientRect(); return r.width > 0 && r.height > 0;"
            "}).map(e => e.id);")
        self.assertEqual(visible, ["card-main", "card-notice"])
        self.assertEqual(self.browser.console_errors(), [])

    def test_damaged_frames_are_named(self):
        start, end = file_element(self.page, "Card.FAS")
        garbage = base64.b64encode(b"not a frame file" * 8).decode()
        self.shows_one_sentence("fas", self.page[:start] + garbage + self.page[end:],
                                r"^Card\.FAS is damaged: .+\.$")

    def test_text_that_is_not_base64(self):
        start, _ = file_element(self.page, "Layout.txt")
        self.shows_one_sentence("base64", self.page[:start] + "*&!" + self.page[start + 3:],
                                "^" + re.escape(DAMAGED) + "$")

    def test_a_damaged_engine(self):
        start = self.page.index('id="card-engine">') + len('id="card-engine">')
        self.shows_one_sentence("engine", self.page[:start] + self.page[start + 5000:],
                                "^" + re.escape(DAMAGED) + "$")

    def test_a_file_cut_short(self):
        self.shows_one_sentence("short", self.page[:len(self.page) // 2],
                                "^" + re.escape(DAMAGED) + "$")


class OfflineTest(unittest.TestCase):
    def test_the_page_plays_offline_and_asks_the_network_for_nothing(self):
        browser = Browser(CARDS.work, offline=True)
        try:
            browser.open(CARDS.sample_html)
            browser.wait_phase("cover")
            width, height = browser.viewport()
            browser.click_at(width // 2, height // 2)
            wait_for("twenty frames", lambda: len(frames_of(browser.events())) >= 20)
            urls = browser.requested_urls()
            errors = browser.console_errors()
        finally:
            browser.quit()
        self.assertTrue(urls, "the log records the page itself")
        self.assertEqual([u for u in urls if not u.startswith(("file:", "data:", "blob:"))], [])
        self.assertEqual(errors, [])


if __name__ == "__main__":
    main(globals())
