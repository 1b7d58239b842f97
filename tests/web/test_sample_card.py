"""The sample card's web page in headless Chromium: after the opening click the figure does
what cardkit simulate predicts for the page's visible area, its pixels are the frames as the
preview draws them, and the card window shows its pictures, message, shadow and buttons; hot
spots recolour only their overlap, show the hand and open their pages; the card can be dragged;
Escape closes it back to the cover.
"""

import os
import unittest
from statistics import mean

from web_browser import (PAGE_BACKGROUND, Browser, assert_same_run, colour_of, frames_of, main,
                         save_png, wait_for)

RUN_TIMEOUT = 120
# What the sample card's Layout.txt gives (checked against the file in setUpClass).
COTTAGE_SPOT = (78, 60, 164, 110)
MOON_SPOT = (510, 12, 586, 88)
BUTTONS = {"repeat": (15, 359, 105, 419), "newCard": (107, 359, 313, 419),
           "visit": (315, 359, 521, 419), "close": (523, 359, 613, 419)}
CENTRED_MESSAGE = (36, 126, 588, 344)
FRAME, LIGHT, DARK = (0, 0, 0), (255, 255, 255), (128, 128, 128)


def layout_colours(card):
    """The six colours of a card's Layout.txt (lines 4 and 5), as (R, G, B)."""
    with open(os.path.join(card, "Layout.txt"), "rb") as f:
        lines = [line.strip() for line in f.read().decode("cp1252").splitlines() if line.strip()]
    values = [int(v) for v in lines[3].split("|") + lines[4].split("|")]
    return [colour_of(v) for v in values]


def assert_shadow_right_below(test, shot, area, text, shadow, tolerance):
    """Pixels of the shadow's colour have the text just left of and above them far more often
    than just right of and below: the shadow lies one pixel right of and below the text."""
    contrast = abs(sum(text) - sum(shadow)) // 2

    def inked(x, y):
        return abs(sum(shot.pixel(x, y)) - sum(shadow)) > contrast

    shaded = shot.find(shadow, area, tolerance)
    above = sum(1 for x, y in shaded if inked(x - 1, y - 1))
    below = sum(1 for x, y in shaded if inked(x + 1, y + 1))
    test.assertGreater(len(shaded), 40, "shadow pixels")
    test.assertGreater(above, 3 * below, "text left-above / right-below of the shadow")


class SampleCardTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.cards = CARDS
        cls.colours = layout_colours(CARDS.sample_card)
        cls.browser = Browser(CARDS.work)
        cls.browser.open(CARDS.sample_html)
        cls.shots = os.path.join(CARDS.work, "screens")
        os.makedirs(cls.shots, exist_ok=True)
        wait_for("the cover", lambda: cls.browser.phase() == "cover")
        save_png(cls.browser.screenshot(), os.path.join(cls.shots, "cover.png"))
        cls.viewport = cls.browser.viewport()
        width, height = cls.viewport
        cls.browser.click_at(width // 2, height // 2)

        def music_playing():
            music = cls.browser.test_state("music")
            return music if music and music["playing"] else None

        cls.music_while_playing = wait_for("the music", music_playing)
        cls.figure_shot = cls.capture_figure()
        cls.browser.wait_phase("card", RUN_TIMEOUT)
        cls.events = cls.browser.events()
        cls.card = cls.browser.rect(".card-window")
        cls.card_shot = cls.browser.screenshot()
        save_png(cls.card_shot, os.path.join(cls.shots, "card.png"))

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    @classmethod
    def capture_figure(cls):
        """A screenshot taken while the figure, wholly on the page, showed one frame, with that
        frame's event: (pixels, (tick, frame, x, y))."""
        width, height = cls.viewport

        def shown():
            frames = frames_of(cls.browser.events())
            return frames[-1][1:] if frames else None

        def steady():
            before = shown()
            shot = cls.browser.screenshot()
            after = shown()
            if not before or before != after:
                return None
            _, x, y = before
            if x < 0 or y < 0 or x + 96 > width or y + 96 > height:
                return None
            return shot, before

        return wait_for("the figure wholly on the page", steady, RUN_TIMEOUT, every=0.1)

    def client_to_page(self, x, y):
        return self.card[0] + 1 + x, self.card[1] + 1 + y

    def page_rect(self, rect):
        left, top = self.client_to_page(rect[0], rect[1])
        return left, top, left + rect[2] - rect[0], top + rect[3] - rect[1]

    # --- the run ----------------------------------------------------------------------------

    def test_the_run_is_the_one_cardkit_simulate_predicts(self):
        predicted = self.cards.simulate(self.cards.sample_card, self.viewport)
        self.assertEqual(self.events[-1].split()[1], "end")
        # Until the first repeat by time, even the ticks agree.
        self.assertEqual(self.events[:40], predicted[:40])
        # Two repeats by time and three sound groups may each run a frame more or fewer.
        assert_same_run(self, self.events, predicted, time_dependent=5)

    def test_the_music_plays_repeating_while_the_figure_plays_and_stops_with_the_card(self):
        self.assertEqual(self.music_while_playing, {"playing": True, "loop": True, "muted": False})
        self.assertEqual(self.browser.test_state("music"),
                         {"playing": False, "loop": True, "muted": False})

    def test_the_figure_shows_the_frames_as_the_preview_draws_them(self):
        shot, (frame, x, y) = self.figure_shot
        reference = self.cards.reference_frame(self.cards.sample_card, frame, PAGE_BACKGROUND)
        seen = shot.crop(x, y, reference.width, reference.height)
        mismatches = [(px, py) for py in range(reference.height) for px in range(reference.width)
                      if seen.pixel(px, py) != reference.pixel(px, py)]
        self.assertEqual(mismatches[:10], [], "frame %d at (%d, %d)" % (frame, x, y))
        self.assertGreater(reference.count(PAGE_BACKGROUND), 0, "the frame has transparency")
        self.assertLess(reference.count(PAGE_BACKGROUND), reference.width * reference.height)

    # --- the card window ----------------------------------------------------------------------

    def test_the_card_window_is_centred_with_its_border(self):
        width, height = self.viewport
        left, top, right, bottom = self.card
        self.assertEqual((right - left, bottom - top), (630, 430))
        self.assertLessEqual(abs(left - (width - 630) / 2), 1)
        self.assertLessEqual(abs(top - (height - 430) / 2), 1)
        self.assertEqual(self.card_shot.pixel(left, top + 200), FRAME)
        self.assertEqual(self.card_shot.pixel(right - 1, top + 200), FRAME)

    def test_the_message_is_centred_with_its_shadow(self):
        text, shadow = self.colours[1], self.colours[2]
        area = self.page_rect(CENTRED_MESSAGE)
        inked = self.card_shot.find(text, area, tolerance=8)
        self.assertGreater(len(inked), 300, "message text pixels")
        assert_shadow_right_below(self, self.card_shot, area, text, shadow, tolerance=12)
        left_gap = min(x for x, _ in inked) - area[0]
        right_gap = area[2] - 1 - max(x for x, _ in inked)
        self.assertLessEqual(abs(left_gap - right_gap), 8, (left_gap, right_gap))

    def test_the_buttons_have_their_bevel_caption_shadow_and_logo(self):
        face, caption, caption_shadow = self.colours[3], self.colours[4], self.colours[5]
        shot = self.card_shot
        for name, rect in BUTTONS.items():
            with self.subTest(name):
                left, top, right, bottom = self.page_rect(rect)
                middle = (top + bottom) // 2
                self.assertEqual(shot.pixel(left, middle), FRAME)
                self.assertEqual(shot.pixel(left + 1, middle), LIGHT)
                self.assertEqual(shot.pixel(right - 2, middle), DARK)
                self.assertEqual(shot.pixel(right - 5, bottom - 5), face)
                strip = 48 if name == "visit" else 0
                inside = (left + strip + 3, top + 3, right - 3, bottom - 3)
                self.assertGreater(len(shot.find(caption, inside, tolerance=8)), 20)
                assert_shadow_right_below(self, shot, inside, caption, caption_shadow,
                                          tolerance=30)
        left, top, _, bottom = self.page_rect(BUTTONS["visit"])
        logo = {shot.pixel(x, y) for y in range(top + 3, bottom - 3)
                for x in range(left + 3, left + 48)}
        self.assertGreater(len(logo), 8, "the logo in the visit button's strip")

    # --- the pointer ----------------------------------------------------------------------------

    def hover(self, x, y):
        self.browser.pointer([("move",) + self.client_to_page(x, y)])

    def cursor(self):
        return self.browser.run(
            "return getComputedStyle(document.querySelector('.card-window')).cursor")

    def test_a_hot_spot_recolours_only_its_overlap_and_shows_the_hand(self):
        swap_from, swap_to = colour_of(6831668), colour_of(6346495)
        self.hover(300, 300)
        before = self.browser.screenshot()
        spot = self.page_rect(COTTAGE_SPOT)
        card = self.card
        self.assertGreater(before.count(swap_from, spot), 20, "the cottage has the colour")
        self.hover(121, 85)
        wait_for("the hand", lambda: self.cursor() == "pointer")
        after = wait_for("the recolouring",
                         lambda: (lambda s: s if s.count(swap_from, spot) == 0 else None)(
                             self.browser.screenshot()))
        save_png(after, os.path.join(self.shots, "hover.png"))
        self.assertGreaterEqual(after.count(swap_to, spot), before.count(swap_from, spot))
        outside = [(x, y) for y in range(card[1], card[3]) for x in range(card[0], card[2])
                   if not (spot[0] <= x < spot[2] and spot[1] <= y < spot[3])
                   and before.pixel(x, y) != after.pixel(x, y)]
        self.assertEqual(outside[:10], [], "nothing changes outside the hot spot")
        self.hover(300, 300)
        wait_for("the hand to go", lambda: self.cursor() != "pointer")
        wait_for("the colours back", lambda: self.browser.screenshot().count(swap_from, spot) ==
                 before.count(swap_from, spot))

    def test_a_hot_spot_with_a_hover_image_shows_it(self):
        spot = self.page_rect(MOON_SPOT)
        self.hover(300, 300)
        before = self.browser.screenshot().crop(spot[0], spot[1], 76, 76)
        self.hover(548, 50)
        changed = wait_for("the moon's hover image", lambda: (lambda shot: sum(
            1 for y in range(76) for x in range(76) if shot.pixel(x, y) != before.pixel(x, y)))(
            self.browser.screenshot().crop(spot[0], spot[1], 76, 76)) > 40)
        self.assertTrue(changed)
        self.hover(300, 300)

    def test_a_click_on_a_hot_spot_opens_its_page(self):
        driver = self.browser.driver
        card_window = driver.current_window_handle
        self.browser.click_at(*self.client_to_page(121, 85))
        opened = wait_for("a second window", lambda: [h for h in driver.window_handles
                                                      if h != card_window])
        driver.switch_to.window(opened[0])
        try:
            wait_for("the cottage page", lambda: driver.title == "The snowman's cottage")
            self.assertIsNone(driver.execute_script("return window.opener"),
                              "the page gets no hold on the card's")
        finally:
            driver.close()
            driver.switch_to.window(card_window)
        self.assertEqual(self.browser.phase(), "card", "a click on a hot spot never drags")
        self.assertEqual(self.browser.rect(".card-window"), self.card)

    def test_the_card_can_be_dragged(self):
        start = self.client_to_page(300, 250)
        self.browser.pointer([("move",) + start, ("down",),
                              ("move", start[0] + 20, start[1] + 10),
                              ("move", start[0] + 40, start[1] + 25), ("up",)])
        moved = self.browser.rect(".card-window")
        self.assertEqual((moved[0] - self.card[0], moved[1] - self.card[1]), (40, 25))
        self.assertEqual(moved[2:], (self.card[2] + 40, self.card[3] + 25))
        self.browser.pointer([("move", start[0] + 40, start[1] + 25), ("down",),
                              ("move",) + start, ("up",)])
        self.assertEqual(self.browser.rect(".card-window"), self.card)

    # unittest runs the tests in name order: this one, which leaves the card, comes last.
    def test_z_escape_closes_the_card_back_to_the_cover(self):
        self.browser.key("Escape")
        self.browser.wait_phase("cover")
        self.assertFalse(self.browser.run("return document.querySelector('.card-cover').hidden"))


if __name__ == "__main__":
    main(globals())
