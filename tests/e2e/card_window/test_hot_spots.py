"""End to end: the picture card's hot spots under the pointer, moved and clicked with xdotool.

Hovering the hot spot with a colour swap turns the picture's red into orange inside the spot's
rectangle and nowhere else, and the pointer shows the card's hand (read from the X server:
32 x 32 with its hot spot at (12, 6)). Leaving the spot, for a plain part of the card or out
of the card window altogether (when only the card's 100 ms polling can notice), brings the
red back; the time it took is printed. A spot without a swap only changes the cursor.
Clicking a spot hands its https: address to the shell, and a press inside a spot never drags
the card. A card opens nothing but addresses and its own pages, pictures and texts: clicks on
spots that target a .bat file the card carries, a share (\\\\host\\share\\x.exe) and a search-ms:
address start nothing, while a page the card carries opens. What the shell opens is seen
through hot_spot_target.exe, registered in the session as the program that opens https:
addresses and .htm pages; it leaves a marker file holding its command line.

    test_hot_spots.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --target hot_spot_target.exe --probe window_probe.exe --cardkit cardkit
        --session DIR --work DIR
"""

import os
import shutil
import subprocess
import time

import card_run
import picture_card as card
import screen
import wine_session
from waiting import wait_for

OPTIONS = ARGV = None
PARKED = (1000, 740)         # on the desktop, away from the card and the figure
PLAIN_CARD = (560, 110)      # client point of the card's background, in no hot spot
HAND_SIZE, HAND_HOT_SPOT = (32, 32), (12, 6)
RESTORE_LIMIT = 2.0         # seconds: the card polls every 100 ms; Wine and the grabs add delays
MARKER = "hot-spot-opened.txt"  # left by hot_spot_target.exe
ADDRESS = "https://example.com/e2e-hot-spot?card=picture"
PAGE, PAGE_SPOT = "page.htm", (490, 20, 540, 60)
BAT_MARKER = "bat-ran.txt"
# Targets no card may open, each over a spot of its own; cardkit refuses them, so the built
# Layout.txt gets them in place of placeholders.
REFUSED = [("run.bat", (200, 20, 250, 60)),
           ("\\\\127.0.0.1\\share\\x.exe", (260, 20, 310, 60)),
           ("search-ms:query=card&crumb=location:\\\\127.0.0.1\\share", (320, 20, 370, 60))]


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def swapped_points():
    """Client points whose red the swap spot turns orange: red picture pixels in the spot."""
    px, py = card.PICTURE_AT
    points = set()
    for y in range(card.SWAP_SPOT[1], card.SWAP_SPOT[3]):
        for x in range(card.SWAP_SPOT[0], card.SWAP_SPOT[2]):
            inside_picture = 0 <= x - px < card.PICTURE_SIZE[0] and \
                0 <= y - py < card.PICTURE_SIZE[1]
            if inside_picture and card.picture_pixel(x - px, y - py) == card.RED:
                points.add((x, y))
    return points


def hostile_card(folder):
    """The picture card with the spots of REFUSED and PAGE, carrying PAGE and run.bat (which
    leaves BAT_MARKER in the folder it runs in)."""
    placeholders = ["https://example.com/placeholder-%d" % i for i in range(len(REFUSED))]
    spots = [(placeholder, rect) for placeholder, (_, rect) in zip(placeholders, REFUSED)]
    built = card.build(OPTIONS.cardkit, folder, target=ADDRESS,
                       more_spots=spots + [(".\\" + PAGE, PAGE_SPOT)])
    layout_path = os.path.join(built, "Layout.txt")
    with open(layout_path, "rb") as f:
        layout = f.read()
    for placeholder, (target, _) in zip(placeholders, REFUSED):
        layout = layout.replace(placeholder.encode(), target.encode())
    with open(layout_path, "wb") as f:
        f.write(layout)
    with open(os.path.join(built, "run.bat"), "w") as f:
        f.write("echo ran> %s\r\n" % BAT_MARKER)
    with open(os.path.join(built, PAGE), "w") as f:
        f.write("<p>carried</p>")
    return built


class ShellHandler:
    """hot_spot_target.exe as the session's program for https: addresses and .htm pages (which
    the session's prefix, without Wine's HTML engine, opens with nothing), until close() puts
    back what the prefix had."""
    COMMANDS = ("HKCR\\https\\shell\\open", "HKCR\\htmlfile\\shell\\open")
    PAGES = "HKCR\\.htm"

    def __init__(self, session, target, folder):
        self.session, self.folder = session, folder
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        exe = os.path.join(folder, "hot_spot_target.exe")
        shutil.copy(target, exe)
        self.saved = []
        for i, key in enumerate(self.COMMANDS + (self.PAGES,)):
            saved = os.path.join(folder, "saved-%d.reg" % i)
            if self.reg("export", key, wine_session.windows_path(saved), "/y").returncode == 0:
                self.saved.append(saved)
        for key in self.COMMANDS:
            # Without a DDE server to ask, the shell runs the command.
            self.reg("delete", key + "\\ddeexec", "/f")
            self.reg("add", key + "\\command", "/ve", "/d",
                     '"%s" "%%1"' % wine_session.windows_path(exe), "/f")
        self.reg("add", self.PAGES, "/ve", "/d", "htmlfile", "/f")

    def reg(self, *args):
        return subprocess.run(["wine", "reg"] + list(args), env=self.session.environment(),
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=120)

    def take(self):
        """The command line of the last program the shell opened, once; None for none."""
        marker = os.path.join(self.folder, MARKER)
        if not os.path.exists(marker):
            return None
        with open(marker) as f:
            text = f.read()
        os.remove(marker)
        return text

    def close(self):
        for key in self.COMMANDS + (self.PAGES,):
            self.reg("delete", key, "/f")
        for saved in self.saved:
            self.reg("import", wine_session.windows_path(saved))


class HotSpotTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.card = hostile_card(os.path.join(OPTIONS.work, "picture-card"))
        cls.cursors = screen.CursorReader(cls.session.display)
        cls.handler = ShellHandler(cls.session, OPTIONS.target,
                                   os.path.join(OPTIONS.work, "shell-handler"))

    @classmethod
    def tearDownClass(cls):
        cls.handler.close()
        cls.cursors.close()
        super().tearDownClass()

    def setUp(self):
        folder = os.path.join(OPTIONS.work, self.id().split(".")[-1])
        self.run_ = card_run.CardRun(self.session, OPTIONS, folder, self.card, card.TITLE)
        self.handler.take()
        self.run_.start()
        self.run_.wait_card_shown()
        self.origin = self.run_.card_window().client[:2]
        self.point_at(PARKED, on_card=False)
        self.before = self.client_shot("before")

    def point_at(self, point, on_card=True):
        """Moves the pointer to a client point of the card (or a screen point) the way a hand
        does, arriving with a last small move: the card sets its cursor when the pointer moves
        and learns only from that move that it is over a hot spot."""
        x, y = point
        if on_card:
            x, y = x + self.origin[0], y + self.origin[1]
        self.session.move_along([(x - 1, y - 1), (x, y)], pause=0.1)

    def client_shot(self, name):
        image = self.run_.shoot(name)
        return screen.crop(image, self.origin[0], self.origin[1], card_run.CARD_SIZE[0] - 2,
                           card_run.CARD_SIZE[1] - 2)

    def spot_shot(self, spot):
        """The screen over a hot spot's rectangle, quickly (no screenshot kept)."""
        left, top, right, bottom = spot
        return self.session.grab(self.origin[0] + left, self.origin[1] + top,
                                 right - left, bottom - top)

    def wait_cursor(self, what, wanted):
        """Waits until the pointer's cursor is as `wanted` says; returns it."""
        def current():
            cursor = self.cursors.current()
            return cursor if wanted(cursor) else None
        return wait_for(what, current, timeout=20)

    def is_hand(self, cursor):
        return (cursor.width, cursor.height) == HAND_SIZE and cursor.hot == HAND_HOT_SPOT

    def test_hovering_recolours_only_the_overlap_shows_the_hand_and_leaving_restores(self):
        self.point_at(PLAIN_CARD)
        plain_cursor = self.wait_cursor("the card's cursor", lambda c: True)
        self.assertFalse(self.is_hand(plain_cursor), plain_cursor)
        expected = {p: card.SWAPPED for p in swapped_points()}
        self.assertGreater(len(expected), 500, "the spot covers much of the red")

        for leave_to, on_card in (("a plain part of the card", True),
                                  ("the desktop beside the card", False)):
            with self.subTest(leaving_for=leave_to):
                self.point_at(centre(card.SWAP_SPOT))
                last = {}

                def recoloured():
                    changed = screen.differing_points(self.before, self.client_shot("hovered"))
                    last["changed"] = changed
                    return {p: new for p, (_, new) in changed.items()} == expected
                try:
                    wait_for("the spot's red to turn orange", recoloured, timeout=20)
                except AssertionError:
                    changed = last.get("changed", {})
                    self.fail("%d pixels changed, %d expected; e.g. %s"
                              % (len(changed), len(expected), sorted(changed.items())[:5]))
                hand = self.wait_cursor("the hand cursor", self.is_hand)
                self.assertNotEqual(hand, plain_cursor)

                spot_before = screen.crop(self.before, *card.SWAP_SPOT[:2],
                                          card.SWAP_SPOT[2] - card.SWAP_SPOT[0],
                                          card.SWAP_SPOT[3] - card.SWAP_SPOT[1])
                left_at = time.monotonic()
                self.point_at(PLAIN_CARD if on_card else PARKED, on_card)
                wait_for("the red to come back", lambda: self.spot_shot(card.SWAP_SPOT).data ==
                         spot_before.data, timeout=RESTORE_LIMIT, interval=0.02)
                print("\nleaving for %s: the red came back after %.2f s"
                      % (leave_to, time.monotonic() - left_at))
                self.assertEqual(screen.differing_points(self.before, self.client_shot("left")),
                                 {}, "the whole card is as before")
                if on_card:
                    self.wait_cursor("the card's own cursor", lambda c: c == plain_cursor)

    def test_a_spot_without_colour_swap_only_shows_the_hand(self):
        self.point_at(centre(card.PLAIN_SPOT))
        self.wait_cursor("the hand cursor", self.is_hand)
        self.assertEqual(screen.differing_points(self.before, self.client_shot("hovered")), {})

    def click_spot(self, spot):
        x, y = centre(spot)
        self.session.click(x + self.origin[0], y + self.origin[1])

    def test_clicking_a_spot_opens_its_address_and_never_drags_the_card(self):
        card_at = self.run_.log().card()
        x, y = centre(card.SWAP_SPOT)
        x, y = x + self.origin[0], y + self.origin[1]
        self.session.drag((x, y), [(x + 30, y + 20), (x + 60, y + 40)], pause=0.2)
        opened = wait_for("the address handed to the shell", self.handler.take)
        self.assertIn(ADDRESS, opened)
        self.assertEqual(self.run_.card_window().client[:2], self.origin, "the card stayed")
        self.assertEqual(self.run_.log().card(), card_at)
        self.assertTrue(self.run_.program.running())

    def test_a_card_opens_only_addresses_and_its_own_pages(self):
        for target, spot in REFUSED:
            with self.subTest(target):
                self.point_at(centre(spot))
                self.wait_cursor("the hand cursor", self.is_hand)
                self.click_spot(spot)
        # Clicks are handled in turn: by the time these open, the ones before would have.
        self.click_spot(card.SWAP_SPOT)
        self.assertIn(ADDRESS, wait_for("the address handed to the shell", self.handler.take))
        self.click_spot(PAGE_SPOT)
        opened = wait_for("the carried page handed to the shell", self.handler.take)
        self.assertIn(PAGE, opened.lower())
        self.assertFalse(os.path.exists(os.path.join(self.run_.folder, BAT_MARKER)),
                         "the carried .bat ran")
        self.assertIsNone(self.handler.take(), "nothing else was opened")
        self.assertTrue(self.run_.program.running())


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("target",))
    card_run.run_tests(OPTIONS, ARGV)
