"""cardkit, the authoring tool, as the tests call it: building a card folder from its sources,
packaging a card folder with card.exe into the card package a person sends, and what `cardkit
simulate` predicts the figure does, tick by tick. A failing call raises E2EError with cardkit's
output."""

import subprocess

from waiting import E2EError


def run(cardkit, command, *args):
    """Runs `cardkit COMMAND ARGS...` and returns what it printed."""
    result = subprocess.run([cardkit, command] + [str(a) for a in args],
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise E2EError("cardkit %s failed:\n%s%s" % (command, result.stdout, result.stderr))
    return result.stdout


def build(cardkit, source, out):
    """Builds the card source folder `source` into the card folder `out`; returns `out`."""
    run(cardkit, "build", source, out)
    return out


def package(cardkit, card_folder, out, program, message_file=None):
    """The card package `out` of the card folder `card_folder` and the card program `program`,
    with the message of `message_file` (the folder's msg.txt when none is given)."""
    message = ["--message", message_file] if message_file else []
    run(cardkit, "package", card_folder, out, "--program", program, *message)
    return out


class Step:
    """One line of `cardkit simulate`."""

    def __init__(self, line):
        parts = line.split(" ")
        self.tick, self.kind = int(parts[0]), parts[1]
        self.frame = self.x = self.y = None
        self.text = " ".join(parts[2:])
        if self.kind == "frame":
            self.frame, self.x, self.y = int(parts[2]), int(parts[3]), int(parts[4])

    def __repr__(self):
        return "Step(%d %s %s)" % (self.tick, self.kind, self.text)


def simulate(cardkit, folder, at=(0, 0), work_area=(0, 0, 1024, 768), runs=1, controls=None):
    """What cardkit predicts for the card folder: a list of runs, each a list of Steps up to
    and including its "end". `controls` maps card window control ids to their client
    rectangles, for bounds that refer to them."""
    places = []
    for ident, rect in sorted((controls or {}).items()):
        places += ["--control", "%d=%d,%d,%d,%d" % ((ident,) + tuple(rect))]
    output = run(cardkit, "simulate", folder, "--at", "%d,%d" % at,
                 "--work-area", "%d,%d,%d,%d" % tuple(work_area), "--runs", runs, *places)
    runs_seen, current = [], []
    for line in output.splitlines():
        step = Step(line)
        current.append(step)
        if step.kind == "end":
            runs_seen.append(current)
            current = []
    if len(runs_seen) != runs:
        raise E2EError("cardkit simulate predicted %d of %d runs:\n%s"
                       % (len(runs_seen), runs, output))
    return runs_seen
