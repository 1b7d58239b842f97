"""End to end: the card on a scaled display, in a Wine session whose prefix sets LogPixels
(tests/wine/wine-session with a scale), on a screen as many times larger than 1024 x 768.

The card maps card pixels to device pixels by one rule (common/display_scale.h): an edge at
card coordinate c lies at device round(c * dpi / 96), halves rounded up; Scale below is that
rule, the tests' oracle. The picture card (picture_card.py) is played at the scale and, for
what only a comparison can tell (the message's and captions' text height), once at 100 % in
the build's plain session. Checked:
  - the card window's size and place, pictures and logo drawn pixel by pixel (exact s x s
    blocks at whole scales; at fractional ones every device pixel one of its card pixel's
    colours, and a hard edge never blended, where a bilinear stretch blends it), buttons at
    their scaled rectangles with frames and bevels scaled, the message and captions at s
    times their height, the message's shadow offset;
  - a hot spot's colour swap over exactly its scaled rectangle, and leaving it by one pixel;
  - the figure's path: `cardkit simulate` with the work area in card pixels, times s, frame
    for frame, with bounds on the desktop's edges and on a card button, and its frame pixels
    as blocks;
  - Make a New Card: the new-message edit still takes seven lines and 487 characters.

    test_scaled_card.py --percent 200 --plain-session DIR --session SCALED_DIR --card card.exe
        --tracker figure_tracker.exe --pattern desktop_pattern.exe --probe window_probe.exe
        --cardkit cardkit --work DIR
"""

import os

import card_run
import cardkit
import picture_card as card
import screen
from card_layout import Layout
from card_source import CardSource, picture
from figure_path import held_places, path_problems, positions
from new_card_dialogs import NewCardDialogs
from resource_ids import IDC_MAKE_NEW_CARD, IDC_NEW_MESSAGE_LEFT, IDC_VISIT_US, IDCANCEL, IDOK
from waiting import wait_for
from wine_session import Session

OPTIONS = ARGV = None
CAPTIONS = {IDOK: "Repeat", IDC_MAKE_NEW_CARD: "Make a New Card", IDC_VISIT_US: "Visit Us",
            IDCANCEL: "Close"}


class Scale:
    """Card pixels on a screen of `percent` % (the card's rule, restated as the oracle)."""

    def __init__(self, percent):
        self.dpi = percent * 96 // 100
        self.whole = self.dpi % 96 == 0

    def device(self, c):
        return (2 * c * self.dpi + 96) // 192

    def card(self, d):
        return ((2 * d + 1) * 96 - 1) // (2 * self.dpi)

    def rect(self, r):
        return tuple(self.device(v) for v in r)

    def ratio(self):
        return self.dpi / 96.0


# The path card: a 12 x 10 frame, magenta left and yellow right with a transparent corner, that
# moves, holds, goes to the desktop's right and bottom edges, into the Repeat button's
# rectangle (control 1, by its id 10) and on by odd steps, holding at each.
MAGENTA, YELLOW, GREY, BLACK, WHITE = (255, 0, 255), (255, 255, 0), (128, 128, 128), \
    (0, 0, 0), (255, 255, 255)
FRAME_SIZE = (12, 10)
PATH_TITLE = "E2E scaled path card"
PATH_SCRIPTS = """\
do = 1*12 [30,-20]1*12 (desk [9999,0]1) 1*12 (desk [0,-9999]1) 1*12 (repeat [0,0]1) 1*12 \
([-7,3]1)*3 1*12
desk = \u00a90l0t,0r0b\u00a9
repeat = \u00a910l10t,10r10b\u00a9
"""


def frame_pixel(x, y):
    if x < 3 and y < 3:
        return None
    return MAGENTA if x < 6 else YELLOW


def blended(colour, pair):
    return colour not in pair


def bilinear_blends(left, right, ratio, columns):
    """How many of `columns` device columns a bilinear stretch by `ratio` of a hard vertical
    edge (card columns < 0 `left`, >= 0 `right`) shows as neither colour; the columns are
    device offsets from the edge's device place."""
    count = 0
    for d in columns:
        source = (d + 0.5) / ratio - 0.5  # the sample's place in card pixels, as stretches take
        weight = min(max(source + 0.5, 0.0), 1.0)  # the right colour's share
        mixed = tuple(round(a * (1 - weight) + b * weight) for a, b in zip(left, right))
        count += mixed not in (left, right)
    return count


class ScaledCardTest(card_run.CardRunTestCase):
    reference_ = None

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.scale = Scale(OPTIONS.percent)
        cls.screen_size = (1024 * cls.scale.dpi // 96, 768 * cls.scale.dpi // 96)
        cls.picture_card = card.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "picture-card"))
        layout = Layout(PATH_TITLE, message=(GREY, BLACK, WHITE)).palette(
            GREY, BLACK, WHITE, MAGENTA, YELLOW)
        source = CardSource(layout, PATH_SCRIPTS, "Path card\n")
        source.frame("halves", 1, FRAME_SIZE[0], FRAME_SIZE[1],
                     picture(FRAME_SIZE[0], FRAME_SIZE[1], frame_pixel))
        cls.path_card = source.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "path-card"))

    # --- runs ---------------------------------------------------------------------------------

    def play(self, card_folder, title):
        folder = os.path.join(OPTIONS.work, self.id().split(".")[-1])
        return card_run.CardRun(self.session, OPTIONS, folder, card_folder, title).start()

    def park(self, session=None, size=None):
        width, height = size or self.screen_size
        (session or self.session).move_to(width - 4, height - 4)

    @classmethod
    def reference(cls):
        """The picture card's message and caption heights at 100 %, in the plain session."""
        if cls.reference_ is None:
            plain = Session(OPTIONS.plain_session, OPTIONS.probe)
            try:
                folder = os.path.join(OPTIONS.work, "reference")
                run = card_run.CardRun(plain, OPTIONS, folder, cls.picture_card, card.TITLE)
                run.start(pattern=False)
                try:
                    run.wait_card_shown()
                    plain.move_to(1020, 764)
                    _, client = client_image(plain, run)
                    cls.reference_ = text_heights(client, Scale(100))
                finally:
                    run.stop()
            finally:
                plain.close()
        return cls.reference_

    # --- the card window ------------------------------------------------------------------------

    def test_the_card_window_draws_its_pictures_buttons_and_message_at_scale(self):
        s = self.scale
        self.run_ = self.play(self.picture_card, card.TITLE)
        self.run_.wait_card_shown()
        self.park()
        x, y, w, h, _ = self.run_.log().card()
        self.assertEqual((w, h), (s.device(630), s.device(430)))
        self.assertEqual((x, y), ((self.screen_size[0] - w) // 2, (self.screen_size[1] - h) // 2))
        window = self.run_.card_window()
        origin, client = client_image(self.session, self.run_)
        self.assertEqual((client.width, client.height), (w - 2, h - 2), "a one-pixel border")

        with self.subTest("picture and logo pixel by pixel"):
            self.assertEqual(self.picture_problems(client, card.PICTURE_AT, card.PICTURE_SIZE,
                                                   card.picture_pixel, card.BACKGROUND), [])
            button = window.control(IDC_VISIT_US).rect
            logo_at = (button[0] - origin[0] + s.device(card.LOGO_AT[0]),
                       button[1] - origin[1] + s.device(card.LOGO_AT[1]))
            self.assertEqual(self.picture_problems(client, logo_at, card.LOGO_SIZE,
                                                   card.logo_pixel, card.FACE, placed=True), [])

        with self.subTest("a hard edge stays hard where a bilinear stretch blends it"):
            # The picture's red-blue edge at its column 80, over card rows 10 to 29.
            edge = s.device(card.PICTURE_AT[0] + 80)
            columns = range(-2 * s.dpi // 96 - 1, 2 * s.dpi // 96 + 1)
            rows = range(s.device(card.PICTURE_AT[1] + 10), s.device(card.PICTURE_AT[1] + 30))
            ours = sum(blended(client.pixel(edge + d, row), (card.RED, card.BLUE))
                       for d in columns for row in rows)
            bilinear = bilinear_blends(card.RED, card.BLUE, s.ratio(), columns) * len(rows)
            print("edge pixels blended: %d here, %d in a bilinear stretch, of %d"
                  % (ours, bilinear, len(columns) * len(rows)))
            self.assertEqual(ours, 0)
            self.assertGreater(bilinear, 0)

        with self.subTest("buttons at their scaled rectangles"):
            for ident, rect in card_run.BUTTONS.items():
                left, top, right, bottom = s.rect(rect)
                self.assertEqual(window.control(ident).rect,
                                 (origin[0] + left, origin[1] + top, right - left, bottom - top),
                                 CAPTIONS[ident])
                self.assertEqual(self.button_edge_problems(client, ident), [], CAPTIONS[ident])

        with self.subTest("message and captions at s times their height"):
            heights = text_heights(client, s)
            reference = self.reference()
            print("text heights at %d %%: %s; at 100 %%: %s" % (OPTIONS.percent, heights,
                                                                reference))
            for part, height in heights.items():
                wanted = reference[part] * s.ratio()
                self.assertLessEqual(abs(height - wanted), 0.1 * wanted + 2,
                                     "%s: %d pixels high, %d at 100 %%"
                                     % (part, height, reference[part]))

        with self.subTest("the message's shadow one card pixel right and below"):
            area = screen.crop(client, *self.device_box(card_run.MESSAGE_AREA))
            self.assertEqual(shadow_problems(area, s.device(1)), [])

    def device_box(self, rect):
        left, top, right, bottom = self.scale.rect(rect)
        return left, top, right - left, bottom - top

    def picture_problems(self, client, at, size, pixel, behind, placed=False):
        """Device pixels of a card picture of `size` whose top-left card pixel is at card point
        `at` of the client area (device point when `placed`) that show another colour than
        their card pixel; at fractional scales, than their card pixel or a neighbour of it."""
        s = self.scale
        ox, oy = at if placed else (s.device(at[0]), s.device(at[1]))
        width, height = s.device(size[0]), s.device(size[1])
        slack = (0,) if s.whole else (-1, 0, 1)

        def want(cx, cy):
            if not (0 <= cx < size[0] and 0 <= cy < size[1]):
                return behind
            return pixel(cx, cy) or behind

        wrong = []
        for dy in range(height):
            for dx in range(width):
                cx, cy = s.card(dx), s.card(dy)
                allowed = {want(cx + i, cy + j) for i in slack for j in slack}
                seen = client.pixel(ox + dx, oy + dy)
                if seen not in allowed:
                    wrong.append(((dx, dy), seen, sorted(allowed)))
        return wrong[:10]

    def button_edge_problems(self, client, ident):
        """The frame (its corners left out), light and dark lines of a raised button, at their
        scaled widths along the middle of each side."""
        s = self.scale
        left, top, right, bottom = s.rect(card_run.BUTTONS[ident])
        middle_x, middle_y = (left + right) // 2, (top + bottom) // 2
        frame = client.pixel(middle_x, top)
        light = client.pixel(left + s.device(1), middle_y)
        dark = client.pixel(right - 1 - s.device(1), middle_y)
        problems = []
        if len({frame, light, dark, card.FACE}) != 4:
            problems.append("frame %s, light %s and dark %s edges and face do not differ"
                            % (frame, light, dark))
        # Each side from outside in: a frame 1 card pixel wide, then an edge 2 wide.
        inwards = range(s.device(4))
        sides = {"top": ([client.pixel(middle_x, top + i) for i in inwards], light),
                 "left": ([client.pixel(left + i, middle_y) for i in inwards], light),
                 "bottom": ([client.pixel(middle_x, bottom - 1 - i) for i in inwards], dark),
                 "right": ([client.pixel(right - 1 - i, middle_y) for i in inwards], dark)}
        expected_widths = (s.device(1), s.device(3) - s.device(1))
        for side, (pixels, edge) in sides.items():
            expected = [frame] * expected_widths[0] + [edge] * expected_widths[1]
            if pixels[:len(expected)] != expected:
                problems.append("%s side from outside in: %s, not %s"
                                % (side, pixels[:len(expected)], expected))
            if pixels[len(expected)] == edge:
                problems.append("the %s edge is wider than 2 card pixels" % side)
        return problems

    # --- hot spots ------------------------------------------------------------------------------

    def test_a_hot_spot_swaps_colours_over_its_scaled_rectangle(self):
        s = self.scale
        self.run_ = self.play(self.picture_card, card.TITLE)
        self.run_.wait_card_shown()
        self.park()
        (cx, cy), _ = client_image(self.session, self.run_)
        left, top, right, bottom = s.rect(card.SWAP_SPOT)
        picture = self.device_box((card.PICTURE_AT[0], card.PICTURE_AT[1],
                                   card.PICTURE_AT[0] + card.PICTURE_SIZE[0],
                                   card.PICTURE_AT[1] + card.PICTURE_SIZE[1]))
        middle = (top + bottom) // 2

        def swapped():
            image = self.session.grab(cx + picture[0], cy + picture[1], picture[2], picture[3])
            return screen.points_of(image, card.SWAPPED, origin=picture[:2])

        self.session.move_to(cx + left, cy + middle)  # the spot's first device column
        points = wait_for("the colour swap", swapped)
        # Red lies left of the picture's column 80 and outside its hole.
        red_right = s.device(card.PICTURE_AT[0] + 80)
        self.assertEqual(screen.bounding_box(points), (left, top, red_right - 1, bottom - 1))
        self.session.move_to(cx + left - 1, cy + middle)  # one device pixel left of it
        wait_for("the swap to end", lambda: not swapped())

    # --- the figure -----------------------------------------------------------------------------

    def test_the_figure_follows_the_predicted_path_times_the_scale(self):
        s = self.scale
        self.run_ = self.play(self.path_card, PATH_TITLE)
        self.run_.wait_card_shown(timeout=180)
        log = self.run_.log()
        work_area = tuple(s.card(v) for v in log.work_area)
        self.assertEqual(work_area, (0, 0, 1024, 768), "the desktop in card pixels")
        predicted = cardkit.simulate(OPTIONS.cardkit, self.path_card, work_area=work_area,
                                     controls={IDOK: card_run.BUTTONS[IDOK]})[0]
        scaled = [(s.device(x), s.device(y)) for x, y in positions(predicted)]
        holds = [(s.device(x), s.device(y)) for x, y in held_places(predicted, 10)]
        observed = log.figure_paths()[0]
        self.assertEqual(path_problems(observed, scaled, start=(0, 0), must_see=holds), [],
                         "observed %s" % observed)
        self.assertIn((s.device(1024 - FRAME_SIZE[0]), s.device(768 - FRAME_SIZE[1])), observed,
                      "the figure reached the desktop's bottom-right corner")
        self.assertIn((s.device(105 - FRAME_SIZE[0]), s.device(419 - FRAME_SIZE[1])), observed,
                      "the figure went into the Repeat button's rectangle")

        # The figure stays where it stopped, beside the card window: its frame as blocks.
        x, y = observed[-1]
        width, height = s.device(FRAME_SIZE[0]), s.device(FRAME_SIZE[1])
        self.park()
        image = self.session.grab(x, y, width, height)
        wrong = []
        for dy in range(height):
            for dx in range(width):
                seen = image.pixel(dx, dy)
                if s.whole:
                    allowed = {frame_pixel(s.card(dx), s.card(dy))}
                else:
                    allowed = {frame_pixel(s.card(dx) + i, s.card(dy) + j)
                               for i in (-1, 0, 1) for j in (-1, 0, 1)}
                allowed = {c or screen.pattern_pixel(x + dx, y + dy) for c in allowed}
                if seen not in allowed:
                    wrong.append(((dx, dy), seen, sorted(allowed)))
        self.assertEqual(wrong[:10], [], "the frame at %s" % ((x, y),))

    # --- Make a New Card ------------------------------------------------------------------------

    def test_the_new_message_edit_still_takes_seven_lines_and_487_characters(self):
        self.run_ = self.play(self.picture_card, card.TITLE)
        self.run_.wait_card_shown()
        dialogs = NewCardDialogs(self.session, self.run_.program, self.run_.card_window)
        dialog = dialogs.open_new_message()
        keys = []
        for line in range(1, 10):
            keys += ["line %d" % line, "<Return>"]
        dialogs.replace_message(dialog, keys)
        lines = dialogs.new_message_dialog().text_of(IDC_NEW_MESSAGE_LEFT).split("\r\n")
        self.assertEqual(len(lines), 7, "the edit holds %s" % lines)
        typed = "".join(" " if i % 8 == 7 else "i" for i in range(492))
        dialogs.replace_message(dialog, [typed])
        self.assertEqual(dialogs.new_message_dialog().text_of(IDC_NEW_MESSAGE_LEFT), typed[:487])
        self.session.click(*dialog.centre_of(IDCANCEL))
        dialogs.wait_dialogs_closed()


def client_image(session, run):
    """The card window's client origin on the screen and its pixels."""
    x, y, w, h = run.card_window().client
    return (x, y), session.grab(x, y, w, h)


def text_heights(client, s):
    """Pixel heights of the message's text and of the Repeat caption in a client area."""
    heights = {}
    left, top, right, bottom = s.rect(card_run.MESSAGE_AREA)
    area = screen.crop(client, left, top, right - left, bottom - top)
    box = screen.bounding_box(screen.points_of(area, card.TEXT))
    heights["message"] = box[3] - box[1] + 1
    left, top, right, bottom = s.rect(card_run.BUTTONS[IDOK])
    button = screen.crop(client, left, top, right - left, bottom - top)
    box = screen.bounding_box(screen.points_of(button, card.CAPTION))
    heights["caption"] = box[3] - box[1] + 1
    return heights


def shadow_problems(image, offset):
    """Text pixels with no shadow `offset` pixels right and below (the card's background shows
    there), and shadow pixels with no text `offset` up and left."""
    texts = screen.points_of(image, card.TEXT)
    shadows = screen.points_of(image, card.SHADOW)
    if not texts or not shadows:
        return ["no text (%d pixels) or no shadow (%d pixels)" % (len(texts), len(shadows))]
    problems = []
    for x, y in sorted(texts):
        if x + offset < image.width and y + offset < image.height and \
                image.pixel(x + offset, y + offset) == card.BACKGROUND:
            problems.append("no shadow under the text at %s" % ((x, y),))
    for x, y in sorted(shadows):
        if x >= offset and y >= offset and (x - offset, y - offset) not in texts:
            problems.append("shadow at %s without text above and left" % ((x, y),))
    return problems[:10]


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("percent", "plain-session"))
    OPTIONS.percent = int(OPTIONS.percent)
    card_run.run_tests(OPTIONS, ARGV)
