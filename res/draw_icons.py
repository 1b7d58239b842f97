#!/usr/bin/env python3
"""Draws the card's icon (card.ico, 32 x 32, 16 colours) and its pointing-hand cursor
(hand.cur, 32 x 32, black and white, hot spot at the fingertip, (12, 6)) into a folder.
The pictures are written below as character grids, so they can be read and changed here.

    draw_icons.py OUTPUT_DIR
"""
import os
import struct
import sys

# The hand: '#' black, 'o' white, blank transparent. Row 6, column 12 is the tip of
# the index finger, where the cursor's hot spot lies.
HAND = """
                                
                                
                                
                                
                                
           ##
          #oo#
          #oo#
          #oo#
          #oo#
          #oo###
          #oo#oo###
          #oo#oo#oo##
       ## #oo#oo#oo#o#
      #oo##oooooooooo#
      #oooooooooooooo#
       #ooooooooooooo#
        #oooooooooooo#
        #oooooooooooo#
         #ooooooooooo#
         #oooooooooo#
          #ooooooooo#
          #ooooooooo#
          ###########
"""

HOT_SPOT = (12, 6)

# The icon: a folded card with a red heart and a gold star. One character per pixel, a key
# into PALETTE; ' ' is transparent.
PALETTE = {
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "g": (192, 192, 192),
    "r": (220, 20, 60),
    "d": (128, 0, 32),
    "y": (255, 200, 0),
    "b": (40, 80, 200),
}

CARD = """
                                
                                
      kkkkkkkkkkkkkkkkkkkk      
      kwwwwwwwwwwwwwwwwwwkk     
      kwwwwwwwwwwwwwwyywwkgk    
      kwwwwwwwwwwwwwyyyywkggk   
      kwwwwwwwwwwwwwwyywwkgggk  
      kwwwwwwwwwwwwwwwwwwkgggk  
      kwwwrrrwwwwrrrwwwwwkgggk  
      kwwrrrrrwwrrrrrwwwwkgggk  
      kwrrrrrrrrrrrrrrwwwkgggk  
      kwrrrrrrrrrrrrrrwwwkgggk  
      kwrrrrrrrrrrrrrdwwwkgggk  
      kwwrrrrrrrrrrrddwwwkgggk  
      kwwwrrrrrrrrrddwwwwkgggk  
      kwwwwrrrrrrrddwwwwwkgggk  
      kwwwwwrrrrrddwwwwwwkgggk  
      kwwwwwwrrrddwwwwwwwkgggk  
      kwwwwwwwrddwwwwwwwwkgggk  
      kwwwwwwwwdwwwwwwwwwkgggk  
      kwwwwwwwwwwwwwwwwwwkgggk  
      kwbbbbbbbbbbbbbbbwwkgggk  
      kwwwwwwwwwwwwwwwwwwkgggk  
      kwbbbbbbbbbbbwwwwwwkgggk  
      kwwwwwwwwwwwwwwwwwwkggk   
      kwwwwwwwwwwwwwwwwwwkgk    
      kwwwwwwwwwwwwwwwwwwkk     
      kkkkkkkkkkkkkkkkkkkk      
                                
                                
                                
                                
"""


def grid(text):
    rows = text.split("\n")[1:]
    rows = [row.ljust(32)[:32] for row in rows][:32]
    rows += [" " * 32] * (32 - len(rows))
    assert len(rows) == 32, len(rows)
    return rows


def mask_rows(rows, opaque):
    """1-bit rows, bottom-up, 4 bytes each: bit set where `opaque(ch)` is false."""
    data = b""
    for row in reversed(rows):
        bits = 0
        for x, ch in enumerate(row):
            if not opaque(ch):
                bits |= 1 << (31 - x)
        data += struct.pack(">I", bits)
    return data


def bitmap_header(bits_per_pixel, colours):
    # Height counts the colour image and the AND mask together.
    return struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, bits_per_pixel, 0, 0, 0, 0, colours, 0)


def cursor(rows, hot_spot):
    colours = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)  # 0 black, 1 white
    xor = mask_rows(rows, lambda ch: ch != "o")  # bit set where white
    and_mask = mask_rows(rows, lambda ch: ch in "#o")
    image = bitmap_header(1, 2) + colours + xor + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, hot_spot[0], hot_spot[1], len(image), 6 + 16)
    return directory + entry + image


def icon(rows):
    keys = list(PALETTE)
    assert len(keys) <= 16
    table = b"".join(struct.pack("<4B", b, g, r, 0) for (r, g, b) in PALETTE.values())
    table += b"\0" * (64 - len(table))
    pixels = b""
    for row in reversed(rows):
        indexes = [keys.index(ch) if ch in PALETTE else 0 for ch in row]
        pixels += bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, 32, 2))
    and_mask = mask_rows(rows, lambda ch: ch in PALETTE)
    image = bitmap_header(4, 16) + table + pixels + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    hand = grid(HAND)
    assert hand[HOT_SPOT[1]][HOT_SPOT[0]] in "#o", "the hot spot must lie on the hand"
    with open(os.path.join(out, "hand.cur"), "wb") as f:
        f.write(cursor(hand, HOT_SPOT))
    with open(os.path.join(out, "card.ico"), "wb") as f:
        f.write(icon(grid(CARD)))


if __name__ == "__main__":
    main()
