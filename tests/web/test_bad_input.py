"""Bad input: cardkit web refuses a card that cardkit check finds errors in or that holds a
symbolic link, and a page whose embedded data is damaged shows one clear sentence instead of the
card, never a blank page or a script error. And the page loads and plays with the network shut off, asking it for nothing.
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
            "return [...document.body.children].filter(e => {"
            "  const r = e.getBoundingClientRect(); return r.width > 0 && r.height > 0;"
            "}).map(e => e.id);")
        self.assertEqual(visible, ["card-notice"])
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
