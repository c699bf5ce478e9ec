#!/usr/bin/env python3
"""The tray benchmark's arithmetic: which rounds count, their medians and
middle halves, and the report.

bench/tray_bench.sh starts the programs and appends what it measured to a
figures file, one line a measurement:

    rounds N                                   the undisturbed rounds asked for
    start-up ROUND PROGRAM REGISTERED ANSWERED BYTES STOLEN
    first-show ROUND PROGRAM SHOWN BYTES STOLEN
    size PROGRAM BYTES
    kill GONE ANSWERING

PROGRAM is quellix or minimal; times are milliseconds. A figure of 0, or one
missing, is a measurement the program did not give (it did not start under
Wine). STOLEN is the CPU time the hypervisor took from this machine while the
probe timed.

Usage:
    tray_report.py wanted FIGURES start-up|first-show
        prints how many more rounds of that kind to run (0: enough), and tells
        on standard error how the last one went and whether it is run again
    tray_report.py report FIGURES
        prints the report; exits 1 when a figure lost half of its rounds
"""

import sys

# More than one tick of the kernel's stolen from a timed step lengthens it by
# a spell that has nothing to do with the program: that round is run again.
STEAL_LIMIT_MS = 10
# A disturbed round is run again, up to this many times the rounds asked for
# in all.
MOST_ATTEMPTS_PER_ROUND = 3

FIELDS = {
    "start-up": ("registered", "answered", "bytes", "stolen"),
    "first-show": ("shown", "bytes", "stolen"),
}


def number(text):
    """A figure as the probe printed it; anything else is no measurement."""
    try:
        return int(text)
    except ValueError:
        return 0


class Figures:
    def __init__(self, lines):
        self.rounds = 0
        self.measured = {}  # (kind, round, program) -> {field: value}
        self.sizes = {}
        self.kill = []
        for line in lines:
            words = line.split()
            if not words:
                continue
            if words[0] == "rounds":
                self.rounds = number(words[1])
            elif words[0] in FIELDS and len(words) >= 3:
                values = [number(word) for word in words[3:]]
                values += [0] * (len(FIELDS[words[0]]) - len(values))
                key = (words[0], number(words[1]), words[2])
                self.measured[key] = dict(zip(FIELDS[words[0]], values))
            elif words[0] == "size" and len(words) == 3:
                self.sizes[words[1]] = number(words[2])
            elif words[0] == "kill":
                self.kill = words[1:3]

    def attempts(self, kind):
        """The rounds of a kind in the order they were run."""
        return sorted({r for (k, r, _) in self.measured if k == kind})

    def figure(self, kind, round_number, program, field):
        return self.measured.get((kind, round_number, program), {}).get(field, 0)

    def stolen(self, kind, round_number):
        return [self.figure(kind, round_number, p, "stolen") for p in ("quellix", "minimal")]

    def disturbed(self, kind, round_number):
        return any(ms > STEAL_LIMIT_MS for ms in self.stolen(kind, round_number))

    def kept(self, kind):
        return [r for r in self.attempts(kind) if not self.disturbed(kind, r)]

    def series(self, kind, program, field):
        """One figure of one program over the undisturbed rounds, 0 where it
        gave nothing."""
        return [self.figure(kind, r, program, field) for r in self.kept(kind)]


# Each figure of the report, by the name its messages give it.
SERIES = {
    "quellix_times": ("start-up", "quellix", "registered"),
    "minimal_times": ("start-up", "minimal", "registered"),
    "quellix_ready": ("start-up", "quellix", "answered"),
    "minimal_ready": ("start-up", "minimal", "answered"),
    "quellix_bytes": ("start-up", "quellix", "bytes"),
    "minimal_bytes": ("start-up", "minimal", "bytes"),
    "quellix_shown": ("first-show", "quellix", "shown"),
    "minimal_shown": ("first-show", "minimal", "shown"),
    "quellix_shown_bytes": ("first-show", "quellix", "bytes"),
    "minimal_shown_bytes": ("first-show", "minimal", "bytes"),
}


def middle(values):
    """The median of the measured values and those that bound their middle
    half, by nearest rank; None when nothing was measured."""
    ranked = sorted(v for v in values if v > 0)
    n = len(ranked)
    if not n:
        return None
    return ranked[(n + 1) // 2 - 1], ranked[(n + 3) // 4 - 1], ranked[(3 * n + 3) // 4 - 1]


def median(values):
    found = middle(values)
    return "" if found is None else found[0]


def median_ratio(numerators, denominators):
    """The median of each round's own ratio, with the ratios that bound the
    middle half of the rounds. The two programs start one after the other in
    a round, so a slower spell of the host weighs on both alike; where a
    single start can take twice as long as the next, the spread says how far
    the median can be trusted."""
    # Each ratio is first taken to four places, as it has always been, so
    # that a report made again from the same rounds gives the same figures.
    ratios = [float(f"{n / d:.4f}") for n, d in zip(numerators, denominators) if n > 0 and d > 0]
    found = middle(ratios)
    if found is None:
        return ""
    return "%.2f, the middle half of the rounds %.2f to %.2f" % found


def tell(figures, kind, n):
    """How round n went, for the one who waits on the benchmark."""
    def both(field):
        return [figures.figure(kind, n, p, field) for p in ("quellix", "minimal")]

    if kind == "start-up":
        (t, mt), (r, mr) = both("registered"), both("answered")
        told = (f"round {n}: icon quellix {t} ms, minimal {mt} ms;"
                f" answering quellix {r} ms, minimal {mr} ms")
    else:
        (t, mt), (b, mb) = both("shown"), both("bytes")
        told = (f"round {n}: first show quellix {t} ms, minimal {mt} ms;"
                f" bytes then quellix {b}, minimal {mb}")
    print(told, file=sys.stderr)
    if figures.disturbed(kind, n):
        quellix, minimal = figures.stolen(kind, n)
        print(f"  (run again: the host took {quellix} and {minimal} ms"
              " of CPU time from this machine)", file=sys.stderr)


def wanted(figures, kind):
    attempts = figures.attempts(kind)
    if attempts:
        tell(figures, kind, attempts[-1])
    if len(attempts) >= MOST_ATTEMPTS_PER_ROUND * figures.rounds:
        return 0
    return max(0, figures.rounds - len(figures.kept(kind)))


def report(figures):
    """The report's lines, or None after saying which figure lost half of its
    rounds."""
    values = {name: figures.series(*where) for name, where in SERIES.items()}
    failed = 0
    for name, series in values.items():
        lost = sum(1 for v in series if v <= 0)
        if not series:
            print(f"tray_bench: none of the {figures.rounds} rounds asked for was"
                  f" undisturbed ({name})", file=sys.stderr)
            return None
        if lost * 2 >= len(series):
            print(f"tray_bench: {lost} of {len(series)} rounds gave no measurement"
                  f" under Wine ({name})", file=sys.stderr)
            return None
        failed += lost
    m = {name: median(series) for name, series in values.items()}

    def ratio(numerator, denominator):
        return median_ratio(values[numerator], values[denominator])

    qs, ms = figures.sizes.get("quellix", 0), figures.sizes.get("minimal", 0)
    disturbed = sum(len(figures.attempts(k)) - len(figures.kept(k)) for k in FIELDS)
    gone, answering = (figures.kill + ["?", "?"])[:2]
    lines = [
        "Size of the image (stripped):",
        f"  quellix.exe {qs} bytes ({qs / 1024:.1f} KiB, goal at most 256 KiB) against"
        f" the minimal tray program {ms} bytes: ratio {qs / ms:.2f}",
    ]
    if failed:
        lines.append(f"Left out: {failed} measurements of failed rounds, which gave nothing under Wine")
    if disturbed:
        lines.append(f"Run again: {disturbed} rounds in which the host took more than"
                     f" {STEAL_LIMIT_MS} ms of CPU time from this machine while a program was timed")
    for name in ("quellix_times", "quellix_shown"):
        if len(values[name]) != figures.rounds:
            lines.append(f"Only {len(values[name])} of the {figures.rounds} rounds asked for"
                         f" were undisturbed ({name})")
    lines += [
        f"Start-up until the tray icon is registered (medians of {len(values['quellix_times'])}"
        " rounds, timed by the probe that starts it;",
        "  the ratio is the median of the rounds' own ratios):",
        f"  quellix.exe {m['quellix_times']} ms against the minimal tray program"
        f" {m['minimal_times']} ms: ratio {ratio('quellix_times', 'minimal_times')} (goal at most 1.10)",
        f"Start-up until the program answers a message (medians of {len(values['quellix_ready'])} rounds):",
        f"  quellix.exe {m['quellix_ready']} ms against the minimal tray program"
        f" {m['minimal_ready']} ms: ratio {ratio('quellix_ready', 'minimal_ready')} (goal at most 1.10)",
        "Private bytes after start (medians):",
        f"  quellix.exe {m['quellix_bytes']} against {m['minimal_bytes']}:"
        f" ratio {ratio('quellix_bytes', 'minimal_bytes')} (goal at most 1.10)",
        "First show, from the tray item About until the window has painted"
        f" (medians of {len(values['quellix_shown'])} rounds):",
        f"  quellix.exe {m['quellix_shown']} ms against the minimal window program"
        f" {m['minimal_shown']} ms: ratio {ratio('quellix_shown', 'minimal_shown')}",
        "Private bytes after the first show (medians):",
        f"  quellix.exe {m['quellix_shown_bytes']} against {m['minimal_shown_bytes']}:"
        f" ratio {ratio('quellix_shown_bytes', 'minimal_shown_bytes')}",
        f"The tray item Quellix: the server gone after {gone} ms;"
        f" the program answered again {answering} ms later",
        "  (over 1000 ms: the server was gone before the one-second wait began)",
    ]
    return lines


def main(argv):
    if len(argv) < 3 or argv[1] not in ("wanted", "report") or (
            argv[1] == "wanted" and (len(argv) != 4 or argv[3] not in FIELDS)):
        print(__doc__.split("Usage:")[1], file=sys.stderr)
        return 2
    with open(argv[2], encoding="utf-8") as file:
        figures = Figures(file)
    if argv[1] == "wanted":
        print(wanted(figures, argv[3]))
        return 0
    lines = report(figures)
    if lines is None:
        return 1
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
