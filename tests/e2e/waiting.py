"""Waiting in the end-to-end tests: every wait is for a condition, with a deadline, never a
fixed sleep; a step that never happens fails with an E2EError that names it."""

import time

DEFAULT_TIMEOUT = 60.0  # seconds; Wine on a loaded two-core machine can be slow to start


class E2EError(AssertionError):
    """A step of an end-to-end run did not happen; the message says which."""


def wait_for(what, condition, timeout=DEFAULT_TIMEOUT, interval=0.2):
    """Calls condition() until it returns something truthy and returns that; fails after
    `timeout` seconds with a message naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)
