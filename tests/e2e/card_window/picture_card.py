"""The small card the card-window and hot-spot tests play: a picture with a transparent hole and
two colours, a logo with transparent corners, two hot spots (one swaps a colour, one only
shows the hand), a left-aligned message, and a figure that takes three short steps and stops.
Every colour is distinct, so a test can tell each part of the card by its pixels.
"""

from card_layout import Layout
from card_source import CardSource, picture

TITLE = "E2E picture card"
BACKGROUND, TEXT, SHADOW = (30, 60, 110), (250, 230, 80), (10, 10, 10)
FACE, CAPTION, CAPTION_SHADOW = (180, 200, 150), (120, 20, 20), (240, 240, 200)
RED, BLUE, GREEN, SWAPPED, FIGURE = (200, 40, 40), (40, 40, 200), (0, 160, 80), \
    (250, 160, 0), (255, 0, 255)

PICTURE_AT, PICTURE_SIZE = (30, 15), (160, 100)
LOGO_AT, LOGO_SIZE = (4, 10), (32, 32)
# Client rectangles (left, top, right, bottom): the hot spot that turns red into orange over
# part of the picture (red, blue and the hole beneath it), and one that only shows the hand.
SWAP_SPOT = (80, 20, 170, 60)
PLAIN_SPOT = (400, 20, 480, 80)
MESSAGE = "Hello from the picture card\nA second line, left-aligned"
SCRIPTS = "do = [20,-10]1*2 [20,-10]1\n"
FIGURE_SIZE = (8, 8)


def picture_pixel(x, y):
    """The card picture: red left half, blue right half, a transparent hole in the middle and
    a transparent top-left corner (the picture's key)."""
    if (x < 10 and y < 10) or (60 <= x < 100 and 30 <= y < 70):
        return None
    return RED if x < 80 else BLUE


def logo_pixel(x, y):
    """A green disc; the corners are transparent."""
    return GREEN if (x - 15.5) ** 2 + (y - 15.5) ** 2 <= 15 ** 2 else None


def layout(target, more_spots=()):
    card = (Layout(TITLE, message=(BACKGROUND, TEXT, SHADOW),
                   buttons=(FACE, CAPTION, CAPTION_SHADOW))
            .logo(*LOGO_AT, "logo.bmp")
            .picture(*PICTURE_AT, "picture.bmp")
            .hot_spot(target, SWAP_SPOT, swap=(RED, SWAPPED))
            .hot_spot(".\\nothing-here.htm", PLAIN_SPOT, swap=(BLUE, BLUE)))
    for spot_target, rect in more_spots:
        card.hot_spot(spot_target, rect, swap=(BLUE, BLUE))
    return card.palette(BACKGROUND, TEXT, SHADOW, FACE, CAPTION, CAPTION_SHADOW, RED, BLUE, GREEN,
                        SWAPPED, FIGURE)


def build(cardkit, folder, target="https://example.com/e2e-picture-card", more_spots=()):
    """Builds the card into folder/card and returns that folder; `more_spots` are (target,
    rect) of hot spots that only show the hand, after the two above."""
    source = CardSource(layout(target, more_spots), SCRIPTS, MESSAGE + "\n")
    source.frame("dot", 1, FIGURE_SIZE[0], FIGURE_SIZE[1],
                 picture(FIGURE_SIZE[0], FIGURE_SIZE[1], lambda x, y: FIGURE))
    source.picture("picture", PICTURE_SIZE[0], PICTURE_SIZE[1],
                   picture(PICTURE_SIZE[0], PICTURE_SIZE[1], picture_pixel))
    source.picture("logo", LOGO_SIZE[0], LOGO_SIZE[1],
                   picture(LOGO_SIZE[0], LOGO_SIZE[1], logo_pixel))
    return source.build(cardkit, folder)
