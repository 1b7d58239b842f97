"""The browser side of the web card's tests and benchmark: headless Chromium driven through
Selenium (Debian's chromium, chromium-driver and python3-selenium), a fresh profile for each
browser, screenshots read as pixels, waits with deadlines, and the cards the tests make with
cardkit. Python 3 with Debian's Selenium and Pillow.
"""

import argparse
import difflib
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
WINDOW = (1280, 800)
DEFAULT_TIMEOUT = 30
PAGE_BACKGROUND = (0x3A, 0x6E, 0xA5)  # the page behind the figure (card.css)


class WebTestError(AssertionError):
    pass


def wait_for(what, condition, timeout=DEFAULT_TIMEOUT, every=0.02):
    """The first true value of condition(), polled until the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise WebTestError("gave up waiting for %s after %.0f s" % (what, timeout))
        time.sleep(every)


# --- pictures -----------------------------------------------------------------------------

class Pixels:
    """An RGB picture, row by row, three bytes a pixel."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def crop(self, left, top, width, height):
        rows = [self.data[((top + y) * self.width + left) * 3:
                          ((top + y) * self.width + left + width) * 3] for y in range(height)]
        return Pixels(width, height, b"".join(rows))

    def count(self, colour, rect=None):
        return len(self.find(colour, rect))

    def find(self, colour, rect=None, tolerance=0):
        """The points of `rect` whose colour is within `tolerance` of `colour` in each channel."""
        left, top, right, bottom = rect or (0, 0, self.width, self.height)
        return [(x, y) for y in range(top, bottom) for x in range(left, right)
                if near(self.pixel(x, y), colour, tolerance)]


def near(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def read_png(png):
    """The pixels of a PNG file's bytes."""
    with Image.open(io.BytesIO(png)) as image:
        rgb = image.convert("RGB")
        return Pixels(rgb.width, rgb.height, rgb.tobytes())


def read_ppm(path):
    with Image.open(path) as image:
        rgb = image.convert("RGB")
        return Pixels(rgb.width, rgb.height, rgb.tobytes())


def save_png(pixels, path):
    """Keeps a picture for a person to look at."""
    Image.frombytes("RGB", (pixels.width, pixels.height), pixels.data).save(path)


def colour_of(value):
    """(R, G, B) of a 0x00BBGGRR value."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


# --- the browser --------------------------------------------------------------------------

class Browser:
    """One headless Chromium with a profile of its own, downloads into `downloads`."""

    def __init__(self, work, size=WINDOW, offline=False, mobile=None):
        self.profile = tempfile.mkdtemp(prefix="profile-", dir=work)
        self.downloads = os.path.join(work, "downloads")
        os.makedirs(self.downloads, exist_ok=True)
        options = Options()
        options.binary_location = CHROMIUM
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--force-color-profile=srgb",
                     "--user-data-dir=" + self.profile,
                     "--window-size=%d,%d" % size):
            options.add_argument(flag)
        if offline:
            # Nothing leaves the machine: no proxy answers and no name resolves.
            options.add_argument("--proxy-server=http://127.0.0.1:9")
            options.add_argument("--host-resolver-rules=MAP * ~NOTFOUND")
        if mobile:
            options.add_experimental_option("mobileEmulation", mobile)
        options.add_experimental_option("prefs", {
            "download.default_directory": self.downloads,
            "download.prompt_for_download": False,
        })
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})
        if offline:
            self.driver.execute_cdp_cmd("Network.enable", {})
            self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                "offline": True, "latency": 0, "downloadThroughput": -1,
                "uploadThroughput": -1})

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, path):
        self.driver.get_log("performance")  # what the browser asked for before the page
        self.driver.get("file://" + os.path.abspath(path))
        wait_for("the page to start", lambda: self.run("return document.readyState") ==
                 "complete")

    def run(self, script, *args):
        return self.driver.execute_script(script, *args)

    def test_state(self, name):
        return self.run("return window.cardTest && window.cardTest[arguments[0]]", name)

    def phase(self):
        return self.test_state("phase")

    def events(self):
        return self.test_state("events") or []

    def wait_phase(self, phase, timeout=DEFAULT_TIMEOUT):
        wait_for("the phase '%s'" % phase, lambda: self.phase() == phase, timeout)

    def screenshot(self):
        return read_png(self.driver.get_screenshot_as_png())

    def rect(self, selector):
        """(left, top, right, bottom) of the first element matching `selector`, page pixels."""
        box = self.run("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                       "return [r.left, r.top, r.right, r.bottom];", selector)
        return tuple(round(v) for v in box)

    def viewport(self):
        return tuple(self.run("const e = document.documentElement;"
                              "return [e.clientWidth, e.clientHeight];"))

    def click_at(self, x, y):
        """A real click (pointer down and up) at page point (x, y)."""
        self.pointer([("move", x, y), ("down",), ("up",)])

    def pointer(self, steps):
        """Mouse moves, presses and releases at page points, through the browser's input."""
        for step in steps:
            if step[0] == "move":
                self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
                    "type": "mouseMoved", "x": step[1], "y": step[2], "button": "none"})
                self.at = (step[1], step[2])
            else:
                self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
                    "type": "mousePressed" if step[0] == "down" else "mouseReleased",
                    "x": self.at[0], "y": self.at[1], "button": "left", "clickCount": 1})

    def key(self, key, code=None, text=None):
        """A key pressed and released through the browser's input."""
        params = {"key": key, "code": code or key}
        if text:
            params["text"] = text
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", dict(params, type="keyDown"))
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", dict(params, type="keyUp"))

    def insert_text(self, text):
        """Text typed into the focused element as an input method types it: any character, the
        ones beyond the Basic Multilingual Plane too, which key events cannot carry."""
        self.driver.execute_cdp_cmd("Input.insertText", {"text": text})

    def reduce_motion(self):
        """From now on the page is told that the person prefers reduced motion."""
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})

    def accessibility_violations(self, axe):
        """What axe-core (the script at path `axe`) finds wrong with the page as it is now, every
        rule it runs by default: [(rule, impact, [element, ...]), ...]."""
        with open(axe, encoding="utf-8") as f:
            self.run(f.read())
        found = self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "axe.run(document, { resultTypes: ['violations'] }).then("
            "  (r) => done(r.violations.map((v) => [v.id, v.impact,"
            "    v.nodes.map((n) => n.target.join(' '))])),"
            "  (e) => done('axe failed: ' + e));")
        if isinstance(found, str):
            raise WebTestError(found)
        return [tuple(v) for v in found]

    def console_errors(self):
        return [entry for entry in self.driver.get_log("browser")
                if entry["level"] in ("SEVERE", "ERROR")]

    def requested_urls(self):
        """Every address the page asked the network stack for, from the performance log."""
        urls = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.append(message["params"]["request"]["url"])
        return urls


# --- cards --------------------------------------------------------------------------------

class Cards:
    """cardkit and the sample card, as the build gives them; cards made for a test."""

    def __init__(self, options):
        self.cardkit = options.cardkit
        self.reference = options.reference
        self.sample_source = options.sample_source
        self.sample_card = options.sample_card
        self.sample_html = options.sample_html
        self.axe = options.axe
        self.work = options.work

    def cardkit_run(self, *args, check=True):
        result = subprocess.run([self.cardkit] + list(args), capture_output=True, text=True)
        if check and result.returncode != 0:
            raise WebTestError("cardkit %s failed:\n%s" % (" ".join(args), result.stderr))
        return result

    def make(self, name, scripts, extra_files=None):
        """A card made from the sample card's sources with other scripts, as a folder and a
        page: (card folder, html path)."""
        source = os.path.join(self.work, name + "-source")
        card = os.path.join(self.work, name + "-card")
        html = os.path.join(self.work, name + ".html")
        shutil.rmtree(source, ignore_errors=True)
        shutil.rmtree(card, ignore_errors=True)
        shutil.copytree(self.sample_source, source,
                        ignore=shutil.ignore_patterns("*.stamp"))
        with open(os.path.join(source, "scripts.txt"), "w") as f:
            f.write(scripts)
        for relative, text in (extra_files or {}).items():
            with open(os.path.join(source, relative), "w", encoding="utf-8") as f:
                f.write(text)
        self.cardkit_run("build", source, card)
        self.cardkit_run("web", card, html)
        return card, html

    def simulate(self, card, viewport, runs=1, ticks=3000):
        width, height = viewport
        result = self.cardkit_run("simulate", card, "--work-area", "0,0,%d,%d" % (width, height),
                                  "--at", "0,0", "--runs", str(runs), "--ticks", str(ticks))
        return result.stdout.splitlines()

    def reference_frame(self, card, frame, backdrop):
        """Frame `frame` drawn over `backdrop` by cardkit's preview drawing."""
        out = os.path.join(self.work, "frame-%d.ppm" % frame)
        subprocess.run([self.reference, os.path.join(card, "Card.FAS"), str(frame)] +
                       [str(c) for c in backdrop] + [out], check=True)
        return read_ppm(out)


def frames_of(events):
    """The frame events as (tick, frame, x, y)."""
    found = []
    for line in events:
        parts = line.split()
        if parts[1] == "frame":
            found.append(tuple(int(v) for v in (parts[0], parts[2], parts[3], parts[4])))
    return found


def run_tokens(events):
    """A run as what the figure does, ticks left out and each frame's position as its move from
    the frame before: one frame more or fewer then shifts nothing after it."""
    tokens, last = [], (0, 0)
    for line in events:
        parts = line.split()
        if parts[1] == "frame":
            x, y = int(parts[3]), int(parts[4])
            tokens.append(("frame", int(parts[2]), x - last[0], y - last[1]))
            last = (x, y)
        elif parts[1] in ("sound", "error", "end"):
            tokens.append(tuple(parts[1:]))
    return tokens


def assert_same_run(test, seen, predicted, time_dependent):
    """The run seen equals the prediction frame for frame, but for at most `time_dependent`
    single frames more or fewer (a repeat by time, or a sound's end, a tick early or late)."""
    matcher = difflib.SequenceMatcher(a=run_tokens(seen), b=run_tokens(predicted), autojunk=False)
    differences = [op for op in matcher.get_opcodes() if op[0] != "equal"]
    report = "\n".join("%s %s %s" % (tag, run_tokens(seen)[i1:i2], run_tokens(predicted)[j1:j2])
                       for tag, i1, i2, j1, j2 in differences)
    for tag, i1, i2, j1, j2 in differences:
        test.assertIn(tag, ("insert", "delete"), report)
        test.assertEqual(max(i2 - i1, j2 - j1), 1, report)
        one = (run_tokens(seen)[i1:i2] or run_tokens(predicted)[j1:j2])[0]
        test.assertEqual(one[0], "frame", report)
    test.assertLessEqual(len(differences), time_dependent, report)


def main(module_globals):
    """Runs the test module's tests with the build's paths."""
    parser = argparse.ArgumentParser()
    for name in ("cardkit", "reference", "sample-source", "sample-card", "sample-html", "axe",
                 "work"):
        parser.add_argument("--" + name, required=True)
    options, rest = parser.parse_known_args()
    options.work = os.path.abspath(options.work)
    shutil.rmtree(options.work, ignore_errors=True)
    os.makedirs(options.work)
    module_globals["CARDS"] = Cards(options)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
