"""Small cards made from the sample card's sources with scripts of their own, in headless
Chromium: one without sounds follows cardkit simulate exactly, Repeat and Enter play again from
where the figure stopped, Escape closes the card, "Visit Us" opens the page the card carries;
one with a sound group holds for the sound's length; and on a phone held upright the whole card
shows, sharp at the phone's pixel density.
"""

import os
import unittest

from web_browser import Browser, assert_same_run, frames_of, main, save_png, wait_for

STILL_SCRIPT = "do = [10,0]1*3 [0,5]2*4 [-3,-2]51*3 52 53*2\n"
OUR_PAGE = "<!DOCTYPE html><title>Our own page</title><p>Hello from the makers.</p>\n"
# CHIME is 1.6 s long: 16 tenths.
SOUND_SCRIPT = "do = 51 (!CHIME 35*40) 52*2\n"
CHIME_TENTHS = 16


def centre(rect):
    return (rect["left"] + rect["right"]) / 2, (rect["top"] + rect["bottom"]) / 2


class CardWithoutSoundsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.card, cls.html = CARDS.make("still", STILL_SCRIPT, {"files/zelk.htm": OUR_PAGE})
        cls.browser = Browser(CARDS.work)
        cls.browser.open(cls.html)
        cls.browser.wait_phase("cover")
        cls.viewport = cls.browser.viewport()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def click_button(self, name):
        self.browser.click_at(*centre(self.browser.test_state("buttons")[name]))

    def test_a_first_run_follows_simulate_exactly(self):
        self.browser.click_at(20, 20)
        self.browser.wait_phase("card")
        self.assertEqual(self.browser.events(), CARDS.simulate(self.card, self.viewport))

    def test_b_repeat_plays_again_from_where_the_figure_stopped(self):
        self.click_button("repeat")
        self.browser.wait_phase("card")
        self.assertEqual(self.browser.events(), CARDS.simulate(self.card, self.viewport, runs=2))

    def test_c_enter_repeats_and_escape_closes(self):
        self.browser.key("Enter")
        wait_for("the third run", lambda: self.browser.phase() == "playing")
        self.browser.wait_phase("card")
        self.assertEqual(self.browser.events(), CARDS.simulate(self.card, self.viewport, runs=3))
        self.browser.key("Escape")
        self.browser.wait_phase("cover")
        self.browser.key("a", "KeyA", "a")
        self.browser.wait_phase("card")
        self.assertEqual(self.browser.events(), CARDS.simulate(self.card, self.viewport, runs=4))

    def test_d_visit_us_opens_the_page_the_card_carries(self):
        driver = self.browser.driver
        card_window = driver.current_window_handle
        self.click_button("visit")
        opened = wait_for("a second window",
                          lambda: [h for h in driver.window_handles if h != card_window])
        driver.switch_to.window(opened[0])
        try:
            wait_for("the card's own page", lambda: driver.title == "Our own page")
        finally:
            driver.close()
            driver.switch_to.window(card_window)


class CardWithASoundGroupTest(unittest.TestCase):
    def test_the_sound_group_holds_for_the_sound_s_length(self):
        card, html = CARDS.make("sound", SOUND_SCRIPT)
        browser = Browser(CARDS.work)
        try:
            browser.open(html)
            browser.wait_phase("cover")
            viewport = browser.viewport()
            browser.click_at(20, 20)
            browser.wait_phase("card")
            events = browser.events()
        finally:
            browser.quit()
        predicted = CARDS.simulate(card, viewport)
        held = [f for f in frames_of(events) if f[1] == 35]
        self.assertEqual(len([f for f in frames_of(predicted) if f[1] == 35]), CHIME_TENTHS)
        self.assertLessEqual(abs(len(held) - CHIME_TENTHS), 1, events)
        self.assertTrue(any(e.endswith(" sound CHIME") for e in events), events)
        assert_same_run(self, events, predicted, time_dependent=1)


class PhoneTest(unittest.TestCase):
    def test_a_phone_held_upright_shows_the_whole_card_sharp(self):
        card, html = CARDS.make("phone", STILL_SCRIPT)
        browser = Browser(CARDS.work, mobile={
            "deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 3.0}})
        try:
            browser.open(html)
            browser.wait_phase("cover")
            shots = os.path.join(CARDS.work, "screens")
            os.makedirs(shots, exist_ok=True)
            save_png(browser.screenshot(), os.path.join(shots, "phone-cover.png"))
            browser.click_at(195, 400)
            browser.wait_phase("card")
            width, height = browser.viewport()
            left, top, right, bottom = browser.rect(".card-window")
            self.assertGreaterEqual(left, 0)
            self.assertLessEqual(right, width)
            self.assertGreaterEqual(top, 0)
            self.assertLessEqual(bottom, height)
            self.assertGreater(right - left, width * 0.9, "the card uses the phone's width")
            scale = (right - left) / 630
            backing = browser.run("return document.querySelector('.card-window canvas').width")
            self.assertEqual(backing, round(628 * scale * 3), "drawn at the phone's pixels")
            save_png(browser.screenshot(), os.path.join(shots, "phone-card.png"))
        finally:
            browser.quit()


if __name__ == "__main__":
    main(globals())
