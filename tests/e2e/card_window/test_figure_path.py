"""End to end: the figure goes where `cardkit simulate` says, over an unharmed desktop.

card.exe plays over desktop_pattern.exe, whose pixels each tell where they are, while
figure_tracker.exe writes down every place of the figure window. The places seen must be the
predicted ones in the predicted order (Wine's timing lets the tracker miss a step, never add
one), ending where the prediction ends. Whenever the figure has stood still for a moment the
whole screen is grabbed: outside the figure the pattern must be intact (no trail), and inside
it the frame must lie over the pattern that is really there (no screen pixels saved at the
wrong place, no figure pixels saved as background).

    test_figure_path.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --cardkit cardkit --sample SAMPLE_CARD --session DIR --work DIR
"""

import os
import time

import card_run
import cardkit
import screen
from card_layout import Layout
from card_source import CardSource, picture
from figure_path import held_places, path_problems, positions
from png_file import read_png

OPTIONS = ARGV = None

WIDTH, HEIGHT = 40, 30
MAGENTA, BLACK, YELLOW, RED = (255, 0, 255), (0, 0, 0), (255, 255, 0), (255, 0, 0)
GREY, WHITE, SILVER = (128, 128, 128), (255, 255, 255), (192, 192, 192)


def ring(x, y):
    """Frame 1: a magenta ring with a black dot in its middle; transparent elsewhere."""
    if 18 <= x < 22 and 13 <= y < 17:
        return BLACK
    in_outer = 4 <= x < 36 and 3 <= y < 27
    in_inner = 7 <= x < 33 and 6 <= y < 24
    return MAGENTA if in_outer and not in_inner else None


def cross(x, y):
    """Frame 2: a yellow cross with a red centre, off the middle; transparent elsewhere."""
    if 10 <= x < 14 and 9 <= y < 13:
        return RED
    if (2 <= x < 38 and 9 <= y < 13) or (10 <= x < 14 and 1 <= y < 29):
        return YELLOW
    return None


FRAMES = {1: ring, 2: cross}

# Overlapping moves in every direction, a jump clear of the old place, a quick run, and the
# edges of the work area (the left one widened so the figure stands partly off the screen).
# Each part ends with a hold, when the screen is checked.
PATH_SCRIPTS = """\
do = begin small jump run edges
begin = 1*12
small = [1,0]2 [0,-1]1 [3,-2]2 [-2,1]1 [0,3]2 [6,-6]1*12
jump = [150,-120]2*12 [-60,-80]1*12
run = ([5,0]1 [5,0]2)*8 1*12
edges = (stage [-9999,0]2) 2*12 (desk [9999,-9999]1) 1*12 (desk [0,9999]2) 2*12
stage = \u00a9[-15,0]0l0t,0r0b\u00a9
desk = \u00a90l0t,0r0b\u00a9
"""
PATH_TITLE = "E2E path card"
PATH_LAYOUT = Layout(PATH_TITLE, message=(GREY, BLACK, WHITE)).palette(
    GREY, BLACK, WHITE, SILVER, MAGENTA, YELLOW)
HOLD_TICKS = 10   # a place held this many steps is one no sampling misses
STILL = 0.5       # seconds a place must be held before the screen is checked


def on_screen(place, size):
    x, y = place
    left, top, right, bottom = screen.SCREEN
    return x < right and y < bottom and x + size[0] > left and y + size[1] > top


def expected_figure_pixel(frame, x, y):
    return FRAMES[frame](x, y)


class FigurePathTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        source = CardSource(PATH_LAYOUT, PATH_SCRIPTS, "Path card\n")
        for key, paint in FRAMES.items():
            source.frame("shapes", key, WIDTH, HEIGHT, picture(WIDTH, HEIGHT, paint))
        cls.path_card = source.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "path-card"))

    def play(self, card, title):
        folder = os.path.join(OPTIONS.work, self.id().split(".")[-1])
        self.run_ = card_run.CardRun(self.session, OPTIONS, folder, card, title).start()
        return self.run_

    def watch_until_card_shown(self, run, size, check_still, timeout=180):
        """Follows the run until the card window shows; calls check_still(image, x, y) for
        each place on the screen where the figure (of `size`) stood still for a moment, with a
        screenshot taken there, and returns [(place, problems)], one entry for each time
        the figure stood still. Places wholly off the screen
        are not checked: Wine takes such a window off the X screen only after a wait of up to
        two seconds, during which the program stalls and X still shows the window where it
        was."""
        checked = []
        last, since, done = None, time.monotonic(), False
        deadline = time.monotonic() + timeout
        while True:
            log = run.log()
            if log.card_shown():
                return checked
            self.assertLess(time.monotonic(), deadline, "the card window did not show")
            self.assertTrue(run.program.running(), "card.exe ended while playing")
            figure = log.figure()
            now = time.monotonic()
            if figure != last:
                last, since, done = figure, now, False
            elif figure and figure[2] and not done and now - since >= STILL \
                    and on_screen(figure[:2], size):
                image = run.shoot("still-at-%d,%d" % figure[:2])
                after = run.log()
                if after.figure() == figure and not after.card_shown():
                    checked.append((figure[:2], check_still(image, *figure[:2])))
                done = True
            time.sleep(0.05)

    def figure_problems(self, image, x, y, frames, covered=None):
        """Problems of the screen with the figure window at (x, y) showing one of `frames`:
        the pattern must be intact outside the window and under the frame's clear pixels.
        Pixels in the `covered` rectangle (the card window) are not looked at."""
        figure = (x, y, x + WIDTH, y + HEIGHT)
        problems = ["%s shows %s instead of the desktop" % ((px, py), colour)
                    for px, py, colour in screen.pattern_mismatches(
                        image, skip=[figure] + ([covered] if covered else []))]
        best = None
        for frame in frames:
            wrong = []
            for fy in range(HEIGHT):
                for fx in range(WIDTH):
                    sx, sy = x + fx, y + fy
                    if not screen.inside(screen.SCREEN, sx, sy) or \
                            (covered and screen.inside(covered, sx, sy)):
                        continue
                    want = expected_figure_pixel(frame, fx, fy) or screen.pattern_pixel(sx, sy)
                    seen = image.pixel(sx, sy)
                    if seen != want:
                        wrong.append("(%d, %d) of frame %d shows %s, not %s"
                                     % (fx, fy, frame, seen, want))
            if best is None or len(wrong) < len(best):
                best = wrong
        return problems + (best or [])[:10]

    def test_the_figure_follows_the_predicted_path_and_leaves_the_desktop_as_it_was(self):
        run = self.play(self.path_card, PATH_TITLE)
        work_area = run.log().work_area
        predicted = cardkit.simulate(OPTIONS.cardkit, self.path_card, work_area=work_area)[0]
        frames_at = {}
        for step in predicted:
            if step.kind == "frame":
                frames_at.setdefault((step.x, step.y), set()).add(step.frame)

        def check_still(image, x, y):
            if (x, y) not in frames_at:
                return ["the figure stood at %s, which is not a predicted place" % ((x, y),)]
            return self.figure_problems(image, x, y, sorted(frames_at[(x, y)]))

        checked = self.watch_until_card_shown(run, (WIDTH, HEIGHT), check_still)
        log = run.log()
        observed = log.figure_paths()[0]
        holds = held_places(predicted, HOLD_TICKS)
        self.assertEqual(path_problems(observed, positions(predicted), start=(0, 0),
                                       must_see=holds), [], "observed %s" % observed)
        self.assertGreaterEqual(len(holds), 8, "the script holds the figure at its checks")
        for place, problems in checked:
            self.assertEqual(problems, [], "the screen with the figure at %s" % (place,))
        seen_still = {place for place, _ in checked}
        missed = [p for p in holds if p not in seen_still and on_screen(p, (WIDTH, HEIGHT))]
        self.assertEqual(missed, [], "holds whose screen was not checked")

        # The card window, once shown, covers only itself: the figure where it stopped and the
        # desktop everywhere else are as they were.
        final = run.shoot("card-shown")
        x, y, w, h, _ = log.card()
        last = observed[-1]
        self.assertEqual(self.figure_problems(final, last[0], last[1], sorted(frames_at[last]),
                                              covered=(x, y, x + w, y + h)), [])

    def test_the_sample_card_walks_where_predicted_and_shows_its_card_centred(self):
        sample = OPTIONS.sample
        with open(os.path.join(sample, "Layout.txt"), encoding="cp1252") as f:
            title = f.readline().strip()
        run = self.play(sample, title)
        work_area = run.log().work_area
        predicted = cardkit.simulate(OPTIONS.cardkit, run.folder, work_area=work_area)[0]
        size = 96

        def check_still(image, x, y):
            figure = (x, y, x + size, y + size)
            return ["%s shows %s instead of the desktop" % ((px, py), colour)
                    for px, py, colour in screen.pattern_mismatches(image, skip=[figure])]

        checked = self.watch_until_card_shown(run, (size, size), check_still)
        observed = run.log().figure_paths()[0]
        self.assertEqual(path_problems(observed, positions(predicted), start=(0, 0),
                                       must_see=held_places(predicted, HOLD_TICKS)), [],
                         "observed %s" % observed)
        self.assertTrue(checked, "the figure never stood still long enough to be checked")
        for place, problems in checked:
            self.assertEqual(problems, [], "the screen with the figure at %s" % (place,))

        x, y, w, h, _ = run.log().card()
        self.assertEqual((w, h), card_run.CARD_SIZE)
        self.assertEqual((x, y), ((screen.SCREEN[2] - w) // 2, (screen.SCREEN[3] - h) // 2),
                         "the card is centred")
        final = run.shoot("card-shown")
        last = observed[-1]
        beside = screen.pattern_mismatches(
            final, skip=[(x, y, x + w, y + h), (last[0], last[1], last[0] + size, last[1] + size)])
        self.assertEqual(beside, [], "the desktop beside the card and the figure")

        # cardkit's picture of the card window matches the window card.exe shows, but for how
        # the text's edges are smoothed, the hot spots' outlines and where the figure stands.
        preview = os.path.join(run.folder, "preview-card.png")
        cardkit.run(OPTIONS.cardkit, "preview", run.folder, os.path.join(run.folder, "run.gif"),
                    "--ticks", 1, "--card", preview)
        width, height, pixels = read_png(preview)
        client = screen.crop(final, x + 1, y + 1, w - 2, h - 2)
        self.assertEqual((width, height), (client.width, client.height))
        figure = (last[0] - x - 1, last[1] - y - 1, last[0] - x - 1 + size, last[1] - y - 1 + size)
        compared = differing = 0
        for py in range(height):
            for px in range(width):
                if screen.inside(figure, px, py):
                    continue
                compared += 1
                i = (py * width + px) * 3
                drawn = pixels[i:i + 3]
                if max(abs(a - b) for a, b in zip(drawn, client.pixel(px, py))) > 48:
                    differing += 1
        self.assertLess(differing, compared * 0.05,
                        "%d of %d pixels of cardkit's card window differ from card.exe's"
                        % (differing, compared))


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("sample",))
    card_run.run_tests(OPTIONS, ARGV)
