"""End to end: the card window once the figure has played, and what a person does with it.

The picture card (picture_card.py) is played under Wine. When its card window shows, its
pixels are read from screenshots: centred and 630 x 430, the background colour, the picture
with its transparent corner and hole, the message with its shadow one pixel right and below,
and the four owner-drawn buttons with frame, bevel, caption and caption shadow (the logo on
"Visit Us"), raised and pressed. Then Repeat and Enter play the card again from where the
figure stopped (as `cardkit simulate --runs` predicts), Escape ends the program, and dragging
moves the card window.

    test_card_window.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --cardkit cardkit --session DIR --work DIR
"""

import os

import card_run
import cardkit
import picture_card as card
import screen
from card_run import BUTTONS
from figure_path import path_problems, positions
from resource_ids import IDC_MAKE_NEW_CARD, IDC_VISIT_US, IDCANCEL, IDOK
from waiting import wait_for

OPTIONS = ARGV = None
PARKED = (1000, 740)  # a place for the pointer away from the card and the figure
LOGO_STRIP = 48
CAPTIONS = {IDOK: "Repeat", IDC_MAKE_NEW_CARD: "Make a New Card", IDC_VISIT_US: "Visit Us",
            IDCANCEL: "Close"}


def button_paint(width, height, pressed):
    """{(x, y): "frame" | "face" | "light" | "dark"} of an owner-drawn card button of this size,
    filled in the order the card draws them; the four corner pixels are not drawn."""
    x0, y0, w, h = 1, 1, width - 2, height - 2
    paint = {}

    def fill(kind, x, y, cx, cy):
        for py in range(y, y + cy):
            for px in range(x, x + cx):
                paint[(px, py)] = kind

    fill("frame", x0, 0, w, 1)
    fill("frame", x0, height - 1, w, 1)
    fill("frame", 0, y0, 1, h)
    fill("frame", width - 1, y0, 1, h)
    fill("face", x0, y0, w, h)
    if pressed:
        fill("dark", x0, y0, 2, h)
        fill("dark", x0, y0, w, 2)
    else:
        fill("light", x0, y0, 2, h)
        fill("light", x0, y0, w, 2)
        fill("dark", x0 + w - 1, y0, 1, h)
        fill("dark", x0, y0 + h - 1, w, 1)
        fill("dark", x0 + w - 2, y0 + 1, 1, h - 1)
        fill("dark", x0 + 1, y0 + h - 2, w - 1, 1)
    return paint


def shadow_problems(image, text, shadow, behind):
    """Problems of text drawn in `text` over a shadow in `shadow` one pixel right and below,
    on `behind`. Text is anti-aliased, so only pixels of exactly the two colours are taken:
    below and right of a text pixel there is always shadow or text, never plain `behind`;
    above and left of a shadow pixel there is always text."""
    problems = []
    texts = screen.points_of(image, text)
    shadows = screen.points_of(image, shadow)
    if not texts or not shadows:
        return ["no text (%d pixels) or no shadow (%d pixels)" % (len(texts), len(shadows))]
    for x, y in sorted(texts):
        if x + 1 < image.width and y + 1 < image.height and image.pixel(x + 1, y + 1) == behind:
            problems.append("no shadow under the text at %s" % ((x, y),))
    for x, y in sorted(shadows):
        if x >= 1 and y >= 1 and (x - 1, y - 1) not in texts:
            problems.append("shadow at %s without text above and left" % ((x, y),))
    return problems[:10]


class CardWindowTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.card = card.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "picture-card"))

    def setUp(self):
        folder = os.path.join(OPTIONS.work, self.id().split(".")[-1])
        self.run_ = card_run.CardRun(self.session, OPTIONS, folder, self.card, card.TITLE)
        self.run_.start()
        self.run_.wait_card_shown()
        self.park_pointer()

    def park_pointer(self):
        self.session.move_to(*PARKED)

    def client(self):
        """The card window's client area (x, y, width, height) on the screen."""
        return self.run_.card_window().client

    def client_shot(self, name):
        """A screenshot (kept) and the card window's client area cut from it."""
        x, y, w, h = self.client()
        image = self.run_.shoot(name)
        return screen.crop(image, x, y, w, h)

    def button_problems(self, client, ident, pressed):
        """How button `ident` differs from a raised or pressed card button."""
        left, top, right, bottom = BUTTONS[ident]
        width, height = right - left, bottom - top
        image = screen.crop(client, left, top, width, height)
        paint = button_paint(width, height, pressed)
        colours = {"face": card.FACE, "frame": image.pixel(width // 2, 0),
                   "dark": image.pixel(width // 2, 1 if pressed else height - 2)}
        if not pressed:
            colours["light"] = image.pixel(1, height // 2)
        problems = []
        if not pressed and sum(colours["light"]) <= sum(colours["dark"]):
            problems.append("the light edge %s is not lighter than the dark one %s"
                            % (colours["light"], colours["dark"]))
        if len(set(colours.values())) != len(colours):
            problems.append("frame, face and edges do not differ: %s" % colours)
        # Face pixels may carry the caption, its shadow and, on "Visit Us", the logo.
        for (x, y), kind in sorted(paint.items()):
            seen = image.pixel(x, y)
            if seen != colours[kind] and kind != "face":
                problems.append("%s pixel %s of %s shows %s, not %s"
                                % (kind, (x, y), CAPTIONS[ident], seen, colours[kind]))
        caption = screen.points_of(image, card.CAPTION) | screen.points_of(image,
                                                                           card.CAPTION_SHADOW)
        if not caption:
            return problems + ["no caption on %s" % CAPTIONS[ident]]
        inner = (2, 2, width - 2, height - 2) if pressed else (2, 2, width - 3, height - 3)
        outside = [p for p in caption if not screen.inside(inner, *p)]
        if outside:
            problems.append("caption pixels of %s on its bevel: %s" % (CAPTIONS[ident],
                                                                        outside[:3]))
        problems += shadow_problems(image, card.CAPTION, card.CAPTION_SHADOW, card.FACE)
        return problems[:12]

    def wait_button(self, ident, state):
        """Waits until button `ident` looks "pressed" or "released"; returns the client area
        it was seen in, or fails with what was wrong the last time."""
        last = []

        def looks_right():
            client = self.client_shot(state)
            last[:] = self.button_problems(client, ident, pressed=state == "pressed")
            return None if last else client
        try:
            return wait_for("%s to look %s" % (CAPTIONS[ident], state), looks_right, timeout=20)
        except AssertionError:
            self.fail("%s never looked %s: %s" % (CAPTIONS[ident], state, last))

    def caption_box(self, client, ident):
        left, top, right, bottom = BUTTONS[ident]
        image = screen.crop(client, left, top, right - left, bottom - top)
        return screen.bounding_box(screen.points_of(image, card.CAPTION))

    def test_the_card_window_is_centred_and_shows_background_picture_message_and_buttons(self):
        x, y, w, h, shown = self.run_.log().card()
        self.assertEqual((w, h), card_run.CARD_SIZE)
        self.assertEqual((x, y), ((screen.SCREEN[2] - w) // 2, (screen.SCREEN[3] - h) // 2))
        client = self.client_shot("card")
        self.assertEqual((client.width, client.height), (w - 2, h - 2), "a one-pixel border")

        with self.subTest("background"):
            for point in ((5, 5), (300, 100), (620, 120), (20, 350), (610, 420)):
                self.assertEqual(client.pixel(*point), card.BACKGROUND, point)

        with self.subTest("picture with its transparent corner and hole"):
            px, py = card.PICTURE_AT
            wrong = []
            for y_ in range(card.PICTURE_SIZE[1]):
                for x_ in range(card.PICTURE_SIZE[0]):
                    want = card.picture_pixel(x_, y_) or card.BACKGROUND
                    seen = client.pixel(px + x_, py + y_)
                    if seen != want:
                        wrong.append(((x_, y_), seen, want))
            self.assertEqual(wrong[:10], [])

        with self.subTest("message with its shadow"):
            left, top, right, bottom = card_run.MESSAGE_AREA
            area = screen.crop(client, left, top, right - left, bottom - top)
            self.assertEqual(shadow_problems(area, card.TEXT, card.SHADOW, card.BACKGROUND), [])
            text_left = screen.bounding_box(screen.points_of(area, card.TEXT))[0]
            self.assertLess(text_left, 20, "the message starts at the edit's left margin")
            lines = {y_ for _, y_ in screen.points_of(area, card.TEXT)}
            self.assertGreater(max(lines) - min(lines), 25, "both lines of the message show")

        for ident in BUTTONS:
            with self.subTest("button", caption=CAPTIONS[ident]):
                self.assertEqual(self.button_problems(client, ident, pressed=False), [])

        with self.subTest("captions centred, Visit Us right of the logo strip"):
            for ident, (left, top, right, bottom) in BUTTONS.items():
                box = self.caption_box(client, ident)
                strip = LOGO_STRIP if ident == IDC_VISIT_US else 0
                gap_left, gap_right = box[0] - strip, (right - left) - 1 - box[2]
                gap_top, gap_bottom = box[1], (bottom - top) - 1 - box[3]
                self.assertLessEqual(abs(gap_left - gap_right), 4, CAPTIONS[ident])
                self.assertLessEqual(abs(gap_top - gap_bottom), 6, CAPTIONS[ident])

        with self.subTest("logo on Visit Us with transparent corners"):
            left, top = BUTTONS[IDC_VISIT_US][:2]
            lx, ly = card.LOGO_AT
            wrong = []
            for y_ in range(card.LOGO_SIZE[1]):
                for x_ in range(card.LOGO_SIZE[0]):
                    want = card.logo_pixel(x_, y_) or card.FACE
                    seen = client.pixel(left + lx + x_, top + ly + y_)
                    if seen != want:
                        wrong.append(((x_, y_), seen, want))
            self.assertEqual(wrong[:10], [])

    def test_a_pressed_button_shows_the_pressed_bevel_and_moves_its_caption(self):
        cx, cy = self.client()[:2]
        left, top, right, bottom = BUTTONS[IDCANCEL]
        raised_client = self.client_shot("raised")
        raised = self.caption_box(raised_client, IDCANCEL)
        self.session.mouse_down(cx + (left + right) // 2, cy + (top + bottom) // 2)
        try:
            pressed_client = self.wait_button(IDCANCEL, "pressed")
            pressed = self.caption_box(pressed_client, IDCANCEL)
            self.assertEqual((pressed[0] - raised[0], pressed[1] - raised[1]), (2, 2),
                             "a pressed button with the focus moves its caption")
            self.assertEqual(pressed_client.pixel(left + 1, top + 1),
                             raised_client.pixel(right - 2, bottom - 2),
                             "the pressed edge has the raised button's dark colour")
            # Let go away from the button: it comes up again and nothing is closed.
            self.park_pointer()
        finally:
            self.session.mouse_up()
        self.wait_button(IDCANCEL, "released")
        self.assertTrue(self.run_.program.running())
        self.assertTrue(self.run_.log().card_shown())

    def press_card(self, action):
        """Brings the card window to the keyboard (a click on its background), then acts."""
        cx, cy = self.client()[:2]
        self.session.click(cx + 560, cy + 110)
        action()

    def test_repeat_and_enter_play_again_from_where_the_figure_stopped(self):
        runs = cardkit.simulate(OPTIONS.cardkit, self.run_.folder,
                                work_area=self.run_.log().work_area, runs=3)
        cx, cy = self.client()[:2]
        left, top, right, bottom = BUTTONS[IDOK]
        replays = [("Repeat", lambda: self.session.click(cx + (left + right) // 2,
                                                         cy + (top + bottom) // 2)),
                   ("Enter", lambda: self.press_card(lambda: self.session.key("Return")))]
        for number, (how, replay) in enumerate(replays, start=2):
            with self.subTest(how):
                replay()
                self.run_.wait_showings(number)
                path = self.run_.log().figure_paths()[number - 1]
                before = positions(runs[number - 2])[-1]
                self.assertEqual(path_problems(path, positions(runs[number - 1]), start=before),
                                 [], "observed %s" % path)
                self.run_.shoot("after-%s" % how)
                self.park_pointer()
        first = self.run_.log().figure_paths()[0]
        self.assertEqual(path_problems(first, positions(runs[0]), start=(0, 0)), [],
                         "observed %s" % first)

    def test_escape_ends_the_program(self):
        self.run_.shoot("card")
        self.press_card(lambda: self.session.key("Escape"))
        self.assertEqual(self.run_.program.wait_exit(), 0)
        wait_for("the tracker to see the windows go", lambda: self.run_.log().ended)

    def test_dragging_the_card_moves_its_window(self):
        x, y, w, h, _ = self.run_.log().card()
        cx, cy = self.client()[:2]
        start = (cx + 560, cy + 110)  # card background, no hot spot
        steps = [(start[0] + 15 * i, start[1] + 10 * i) for i in range(1, 5)]
        self.session.drag(start, steps, pause=0.1)
        moved = (x + 60, y + 40, w, h, 1)
        wait_for("the card window at %s" % (moved[:2],), lambda: self.run_.log().card() == moved)
        self.park_pointer()
        client = self.client_shot("dragged")
        self.assertEqual(client.pixel(5, 5), card.BACKGROUND)
        self.assertEqual(client.pixel(card.PICTURE_AT[0] + 40, card.PICTURE_AT[1] + 50), card.RED)
        self.assertEqual(self.client()[:2], (cx + 60, cy + 40))


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options()
    card_run.run_tests(OPTIONS, ARGV)
