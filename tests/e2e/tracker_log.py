"""figure_tracker.exe's file, read while the card plays and the tracker still writes it."""

import os

from figure_path import without_repeats


class TrackerLog:
    """What figure_tracker.exe wrote: the work area and, in time order, the figure window's
    and the card window's changes."""

    def __init__(self, path):
        self.work_area = None
        self.events = []  # (ms, "figure", (x, y, shown)) / (ms, "card", (x, y, w, h, shown))
        self.ended = False
        if not os.path.exists(path):
            return
        with open(path) as f:
            lines = f.read().split("\n")
        for line in lines[:-1]:  # the last piece may be a line still being written
            parts = line.split()
            if parts[0] == "workarea":
                self.work_area = tuple(int(v) for v in parts[1:5])
            elif parts[1] == "end":
                self.ended = True
            else:
                self.events.append((int(parts[0]), parts[1], tuple(int(v) for v in parts[2:])))

    def figure(self):
        """The figure window's last (x, y, shown), or None."""
        for _, kind, data in reversed(self.events):
            if kind == "figure":
                return data
        return None

    def card(self):
        """The card window's last (x, y, width, height, shown), or None."""
        for _, kind, data in reversed(self.events):
            if kind == "card":
                return data
        return None

    def card_shown(self):
        card = self.card()
        return bool(card and card[4])

    def card_showings(self):
        """How many times the card window went from hidden to shown."""
        count, shown = 0, False
        for _, kind, data in self.events:
            if kind == "card":
                if data[4] and not shown:
                    count += 1
                shown = bool(data[4])
        return count

    def figure_paths(self):
        """The figure's places while shown, one list per playing (a playing ends when the card
        window shows), repeats dropped."""
        paths, current, card_shown = [], [], False
        for _, kind, data in self.events:
            if kind == "card":
                if data[4] and not card_shown:
                    paths.append(without_repeats(current))
                    current = []
                card_shown = bool(data[4])
            elif kind == "figure" and data[2] and not card_shown:
                current.append(data[:2])
        if current:
            paths.append(without_repeats(current))
        return paths

    def seconds_from(self, place):
        """Seconds from the figure's first arrival at `place` to the card window's showing
        after it, or None."""
        arrived = None
        for ms, kind, data in self.events:
            if kind == "figure" and data[2] and data[:2] == place and arrived is None:
                arrived = ms
            elif kind == "card" and data[4] and arrived is not None:
                return (ms - arrived) / 1000.0
        return None
