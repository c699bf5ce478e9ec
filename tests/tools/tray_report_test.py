#!/usr/bin/env python3
"""The tray benchmark's report, from rounds recorded under 64-bit Wine and
from changed copies of them."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
SCRIPT = HERE.parents[1] / "bench" / "tray_report.py"
# Five rounds of each kind; in the fourth first show quellix.exe gave nothing.
ROUNDS = (HERE / "tray_bench_rounds.txt").read_text()
# What the benchmark printed from them.
REPORT = (HERE / "tray_bench_report.txt").read_text()


def changed(text, replacements):
    """The recorded rounds with whole lines replaced (by "" to remove them),
    and lines added (after None)."""
    lines = text.splitlines()
    for old, new in replacements:
        if old is None:
            lines.append(new)
        else:
            lines[lines.index(old)] = new
    return "\n".join(lines) + "\n"


class TrayReport(unittest.TestCase):
    def run_script(self, figures, *args):
        with tempfile.NamedTemporaryFile("w", suffix=".txt") as file:
            file.write(figures)
            file.flush()
            return subprocess.run([sys.executable, SCRIPT, args[0], file.name, *args[1:]],
                                  capture_output=True, text=True)

    def test_the_recorded_rounds_give_the_recorded_report(self):
        result = self.run_script(ROUNDS, "report")
        self.assertEqual((result.returncode, result.stderr), (0, ""))
        self.assertEqual(result.stdout, REPORT)

    def test_a_round_the_host_disturbed_is_run_again_and_left_out(self):
        disturbed = changed(ROUNDS, [
            ("start-up 5 minimal 202 203 4149248 0", "start-up 5 minimal 900 901 4149248 11")])
        wanted = self.run_script(disturbed, "wanted", "start-up")
        self.assertEqual(wanted.stdout, "1\n")
        self.assertIn("run again: the host took 0 and 11 ms", wanted.stderr)
        self.assertEqual(self.run_script(disturbed, "wanted", "first-show").stdout, "0\n")

        # Before the sixth round the report has four undisturbed rounds and
        # says so; after it, five, and round 5's slow start weighs on nothing.
        report = self.run_script(disturbed, "report").stdout
        self.assertIn("Only 4 of the 5 rounds asked for were undisturbed (quellix_times)", report)
        run_again = changed(disturbed, [
            (None, "start-up 6 quellix 190 191 4251648 3"),
            (None, "start-up 6 minimal 177 177 4149248 0")])
        self.assertEqual(self.run_script(run_again, "wanted", "start-up").stdout, "0\n")
        report = self.run_script(run_again, "report").stdout
        self.assertIn("Run again: 1 rounds in which the host took more than 10 ms", report)
        self.assertNotIn("Only", report)
        self.assertIn("medians of 5 rounds, timed by the probe", report)
        self.assertIn("quellix.exe 190 ms against the minimal tray program 177 ms: ratio 1.07, "
                      "the middle half of the rounds 0.99 to 1.07", report)

    def test_at_three_times_the_rounds_asked_for_no_more_are_run(self):
        lines = ["rounds 2"] + [f"first-show {n} {program} 100 5000000 0"
                                for n in (1, 2) for program in ("quellix", "minimal")]
        lines += [f"start-up {n} {program} 100 101 4000000 {11 if program == 'minimal' else 0}"
                  for n in range(1, 6) for program in ("quellix", "minimal")]
        figures = "\n".join(lines) + "\n"
        self.assertEqual(self.run_script(figures, "wanted", "start-up").stdout, "2\n")
        figures += "start-up 6 quellix 100 101 4000000 0\nstart-up 6 minimal 100 101 4000000 40\n"
        self.assertEqual(self.run_script(figures, "wanted", "start-up").stdout, "0\n")
        result = self.run_script(figures, "report")
        self.assertEqual((result.returncode, result.stdout), (1, ""))
        self.assertIn("none of the 2 rounds asked for was undisturbed (quellix_times)", result.stderr)

    def test_a_figure_that_lost_half_of_its_rounds_fails_the_run(self):
        minimal_gave_nothing = [
            ("start-up 1 minimal 203 204 4157440 0", "start-up 1 minimal 0 0 0 0"),
            ("start-up 2 minimal 180 181 4153344 0", "start-up 2 minimal 0 0 0 0")]
        two_of_five = self.run_script(changed(ROUNDS, minimal_gave_nothing), "report")
        self.assertEqual(two_of_five.returncode, 0, two_of_five.stderr)
        self.assertIn("Left out: 7 measurements of failed rounds", two_of_five.stdout)
        # Rounds 3 to 5 alone: the ratios 1.07, 0.99 and 0.96.
        self.assertIn("against the minimal tray program 177 ms: ratio 0.99, "
                      "the middle half of the rounds 0.96 to 1.07", two_of_five.stdout)

        fifth_round_missing = [("start-up 5 quellix 193 194 4251648 0", ""),
                               ("start-up 5 minimal 202 203 4149248 0", "")]
        two_of_four = self.run_script(
            changed(ROUNDS, minimal_gave_nothing + fifth_round_missing), "report")
        self.assertEqual((two_of_four.returncode, two_of_four.stdout), (1, ""))
        self.assertIn("2 of 4 rounds gave no measurement under Wine (minimal_times)",
                      two_of_four.stderr)


if __name__ == "__main__":
    unittest.main()
