#!/usr/bin/env python3
"""The set-up's sources without the suites whose package lists failed."""

import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

TOOL = pathlib.Path(__file__).resolve().parents[2] / "tools" / "apt_sources_without.py"

FAILED = (
    "Hit:1 http://deb.debian.org/debian bookworm InRelease\n"
    "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/"
    "main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004)."
    " Mirror sync in progress? [IP: 203.0.113.80 80]\n"
)

STANZAS = """\
Types: deb
# a comment line
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb
URIs: http://deb.debian.org/debian-security/
Suites: bookworm-security
Components: main

Types: deb
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security trixie-security
Components: main
"""

ONE_LINE = """\
deb http://deb.debian.org/debian bookworm main
deb [ arch=amd64,i386 signed-by=/k.gpg ] http://deb.debian.org/debian-security bookworm-security main
deb-src http://deb.debian.org/debian-security/ bookworm-security main  # sources too
deb http://other.example/debian-security bookworm-security main
"""


class SourcesWithout(unittest.TestCase):
    def run_tool(self, messages):
        self.etc = tempfile.TemporaryDirectory()
        self.out = tempfile.TemporaryDirectory()
        parts = pathlib.Path(self.etc.name, "sources.list.d")
        parts.mkdir()
        (parts / "debian.sources").write_text(STANZAS)
        (parts / "more.list").write_text(ONE_LINE)
        (parts / "old.list.disabled").write_text(ONE_LINE)
        return subprocess.run(
            [sys.executable, TOOL, self.out.name, self.etc.name],
            input=messages, capture_output=True, text=True,
        )

    def written(self, name):
        return pathlib.Path(self.out.name, name).read_text()

    def tearDown(self):
        self.etc.cleanup()
        self.out.cleanup()

    def test_the_failed_suite_goes_from_every_stanza_and_line_and_the_rest_stays(self):
        result = self.run_tool(FAILED)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "http://deb.debian.org/debian-security bookworm-security\n")
        self.assertEqual(sorted(os.listdir(self.out.name)), ["0.list", "debian.sources"])
        stanzas = self.written("debian.sources")
        self.assertIn("Suites: bookworm bookworm-updates\n", stanzas)
        self.assertIn("Suites: trixie-security\n", stanzas)
        self.assertNotIn("bookworm-security", stanzas)
        self.assertIn("# a comment line", stanzas)
        self.assertEqual(
            self.written("0.list"),
            "deb http://deb.debian.org/debian bookworm main\n"
            "deb http://other.example/debian-security bookworm-security main\n",
        )

    def test_with_no_failed_list_nothing_is_written(self):
        result = self.run_tool("Hit:1 http://deb.debian.org/debian bookworm InRelease\n")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(os.listdir(self.out.name), [])


if __name__ == "__main__":
    unittest.main()
