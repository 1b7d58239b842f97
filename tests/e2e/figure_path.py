"""The figure's path: its places in a predicted run, the places it holds, and why a path the
tracker observed is not the predicted one."""


def positions(steps):
    """The figure's places in a predicted run (cardkit.Steps), one entry per frame."""
    return [(s.x, s.y) for s in steps if s.kind == "frame"]


def without_repeats(places):
    out = []
    for place in places:
        if not out or out[-1] != place:
            out.append(place)
    return out


def held_places(steps, ticks):
    """The places where the predicted figure stays for at least `ticks` frames in a row."""
    held, run_place, run_length = [], None, 0
    for place in positions(steps) + [None]:
        if place == run_place:
            run_length += 1
            continue
        if run_place is not None and run_length >= ticks:
            held.append(run_place)
        run_place, run_length = place, 1
    return held


def path_problems(observed, predicted, start=None, must_see=()):
    """Why an observed path of the figure (its places, in order, repeats dropped) is not the
    predicted one, or [] when it is. The observed places must be predicted places in the
    predicted order, the last one the predicted last one, and every place of `must_see` (the
    long holds, which no sampling misses) among them. `start` is where the window stood,
    shown, before its first frame; the path may begin there."""
    problems = []
    predicted = without_repeats(predicted)
    if observed and start is not None and observed[0] == start and predicted[:1] != [start]:
        observed = observed[1:]
    if not observed:
        return ["the figure was never seen in a predicted place"]
    index = 0
    matched = []
    for place in observed:
        while index < len(predicted) and predicted[index] != place:
            index += 1
        if index == len(predicted):
            problems.append("the figure went to %s, which the prediction does not have there "
                            "(after %s)" % (place, matched[-3:]))
            return problems
        matched.append(place)
        index += 1
    if observed[-1] != predicted[-1]:
        problems.append("the figure stopped at %s, not at %s" % (observed[-1], predicted[-1]))
    missing = [p for p in must_see if p not in observed]
    if missing:
        problems.append("the figure never stood at %s" % missing)
    return problems
