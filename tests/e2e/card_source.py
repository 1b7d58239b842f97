"""The card source folders the tests write (layout.txt, scripts.txt, message.txt, frames/,
pictures/, sounds/) and build into card folders with cardkit, and the pixels of their frames
and pictures.

    source = CardSource(Layout(...), "do = [5,0]1*3\\n", "Hello\\n")
    source.frame("walk", 1, width, height, picture(width, height, paint))
    source.sound("BEEP", seconds=2)
    card = source.build(cardkit_exe, folder)       # folder/source written, folder/card built
"""

import math
import os
import shutil
import struct
import wave

import cardkit
from png_file import write_png


def picture(width, height, paint):
    """RGBA bytes of a width x height picture; paint(x, y) gives (r, g, b) or None for a
    transparent pixel."""
    out = bytearray()
    for y in range(height):
        for x in range(width):
            colour = paint(x, y)
            out += bytes(colour) + b"\xff" if colour else b"\0\0\0\0"
    return bytes(out)


def write_tone(path, seconds, rate=8000):
    """A quiet 440 Hz tone of `seconds`, as a mono 16-bit WAV file."""
    samples = b"".join(struct.pack("<h", int(3000 * math.sin(i * 2 * math.pi * 440 / rate)))
                       for i in range(int(seconds * rate)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(samples)


class CardSource:
    """A card source folder: a card_layout.Layout, the scripts' text, the message's text (or
    None for no message.txt), and frames, pictures and sounds added one by one."""

    def __init__(self, layout, scripts, message=None):
        self.layout, self.scripts, self.message = layout, scripts, message
        self.frames, self.pictures, self.sounds = {}, {}, {}

    def frame(self, group, key, width, height, pixels):
        self.frames[(group, key)] = (width, height, pixels)

    def picture(self, name, width, height, pixels):
        self.pictures[name] = (width, height, pixels)

    def sound(self, name, seconds):
        """A clip NAME of `seconds`: a quiet tone at 8 kHz."""
        self.sounds[name] = seconds

    def build(self, cardkit_exe, folder):
        """Writes the sources to folder/source and builds the card into folder/card, which it
        returns."""
        source, out = os.path.join(folder, "source"), os.path.join(folder, "card")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(source)
        for name, text in (("layout.txt", self.layout.text()), ("scripts.txt", self.scripts),
                           ("message.txt", self.message)):
            if text is not None:
                with open(os.path.join(source, name), "w", encoding="utf-8") as f:
                    f.write(text)
        for (group, key), (width, height, pixels) in self.frames.items():
            path = os.path.join(source, "frames", group, "%d.png" % key)
            self._write_png(path, width, height, pixels)
        for name, (width, height, pixels) in self.pictures.items():
            self._write_png(os.path.join(source, "pictures", name + ".png"), width, height,
                            pixels)
        for name, seconds in self.sounds.items():
            os.makedirs(os.path.join(source, "sounds"), exist_ok=True)
            write_tone(os.path.join(source, "sounds", name + ".wav"), seconds)
        return cardkit.build(cardkit_exe, source, out)

    @staticmethod
    def _write_png(path, width, height, pixels):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_png(path, width, height, pixels, alpha=True)
