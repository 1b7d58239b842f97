"""`make bench`, the web card: plays a card's page once in headless Chromium and reports the
time from the opening click to the first frame, the share of ticks that came more than 20 ms
late over the run, and the size of the HTML file. The aims: the first frame within 300 ms,
fewer than 1 late tick in 100, the sample card's file under 2 MB.

    /usr/bin/python3 tests/web/web_bench.py CARD.html [--work DIR]
"""

import argparse
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from web_browser import Browser  # noqa: E402

LATE_MS = 20
RUN_TIMEOUT = 300


def measure(html, work):
    browser = Browser(work)
    try:
        browser.open(html)
        browser.wait_phase("cover")
        width, height = browser.viewport()
        browser.click_at(width // 2, height // 2)
        browser.wait_phase("card", RUN_TIMEOUT)
        return browser.test_state("timing")
    finally:
        browser.quit()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("html")
    parser.add_argument("--work")
    options = parser.parse_args()
    work = options.work or tempfile.mkdtemp(prefix="web-bench-")
    os.makedirs(work, exist_ok=True)
    try:
        timing = measure(options.html, work)
    finally:
        if not options.work:
            shutil.rmtree(work, ignore_errors=True)
    first_frame = timing["firstFrameAt"] - timing["openedAt"]
    ticks = timing["ticks"]
    late = sum(1 for lateness in ticks if lateness > LATE_MS)
    size = os.path.getsize(options.html)
    print("web card: %s" % options.html)
    print("  opening click to first frame: %6.1f ms   (aim: within 300 ms)" % first_frame)
    print("  ticks more than %d ms late:   %6.2f %%   (%d of %d; aim: below 1 %%)"
          % (LATE_MS, 100.0 * late / max(1, len(ticks)), late, len(ticks)))
    print("  worst tick:                   %6.1f ms late" % max(ticks, default=0))
    print("  HTML file:                    %6.0f KB  (%d bytes; aim: under 2 MB)"
          % (size / 1024, size))


if __name__ == "__main__":
    main()
