"""The layout.txt of a card the tests build, written in the order the card reads its lines:
title, version and settings, the message's and the buttons' colours, the logo and pictures,
the hot spots and the palette. Colours are (red, green, blue), rectangles (left, top, right,
bottom) in the card window's client pixels.

    layout = Layout("E2E card", message=(GREY, BLACK, WHITE)).palette(GREY, BLACK, WHITE)
    layout.logo(4, 10, "logo.bmp").picture(30, 15, "picture.bmp")
    layout.hot_spot("page.htm", (80, 20, 170, 60), swap=(RED, ORANGE))
    text = layout.text()
"""

# Button face, caption and caption shadow of the cards that do not look at their buttons.
PLAIN_BUTTONS = ((192, 192, 192), (255, 0, 0), (0, 0, 255))


def colour_ref(colour):
    """A colour as layout.txt writes it: the number 0x00BBGGRR."""
    red, green, blue = colour
    return red | (green << 8) | (blue << 16)


class Layout:
    def __init__(self, title, message, buttons=PLAIN_BUTTONS, settings=None):
        """`message` is (background, text, shadow), `buttons` (face, caption, caption shadow);
        `settings` (sound effects on, music on, music repeats) makes a "v2" layout, None a
        "v1" one, which has no settings line."""
        self.title, self.message, self.buttons, self.settings = title, message, buttons, settings
        self._logo, self._pictures, self._hot_spots, self._palette = None, [], [], []

    def logo(self, x, y, file_name):
        """The picture drawn on the Visit Us button, at (x, y) of the button."""
        self._logo = (x, y, file_name)
        return self

    def picture(self, x, y, file_name):
        self._pictures.append((x, y, file_name))
        return self

    def hot_spot(self, target, rect, swap, hover=None):
        """A spot that opens `target` when clicked and, while the pointer is in it, shows the
        `hover` bitmap and turns colour swap[0] into swap[1] inside `rect`."""
        self._hot_spots.append((target, rect, swap, hover))
        return self

    def palette(self, *colours):
        self._palette = list(colours)
        return self

    def text(self):
        lines = [self.title]
        if self.settings is None:
            lines.append("v1")
        else:
            lines += ["v2", ",".join(str(int(s)) for s in self.settings)]
        lines += ["|".join(str(colour_ref(c)) for c in self.message),
                  "|".join(str(colour_ref(c)) for c in self.buttons)]
        # A line of one character stands for no logo and ends the pictures.
        lines.append("%d,%d %s" % self._logo if self._logo else "-")
        lines += ["%d,%d %s" % picture for picture in self._pictures] + ["-"]
        lines.append(str(len(self._hot_spots)))
        for target, rect, swap, hover in self._hot_spots:
            lines += [target, (hover or "") + "-", "%d, %d, %d, %d" % rect,
                      "%d, %d" % tuple(colour_ref(c) for c in swap)]
        lines.append(str(len(self._palette)))
        lines += [str(colour_ref(c)) for c in self._palette]
        return "\n".join(lines) + "\n"
