#!/usr/bin/env python3
"""Writes apt's sources without the suites whose package lists failed to download.

A mirror in the middle of a sync can serve one suite's index for one
architecture at a size its release file does not give; apt then leaves that
index out. Installing 32-bit libraries is then impossible while the suite
stays in: its amd64 packages are newer than any i386 twin apt knows of. Left
out for every architecture, the suite no longer offers those newer versions,
and apt can pair each library with its twin from the suites that did arrive.

Usage: apt_sources_without.py OUT_DIR [ETC_APT] < apt-get-update-output
Reads apt-get update's messages, finds each "Failed to fetch URI/dists/SUITE/"
and writes to OUT_DIR a copy of the sources in ETC_APT (/etc/apt unless
given: sources.list, sources.list.d/*.list and *.sources) without those URI
and suite pairs.
Prints the pairs left out, one a line; exit status 1 when there were none.
"""

import glob
import os
import re
import sys

def failed_suites(messages):
    pattern = re.compile(r"Failed to fetch (\S+?)/dists/([^/\s]+)/")
    return {(uri.rstrip("/"), suite) for uri, suite in pattern.findall(messages)}


def one_line_entries_without(text, failed):
    kept = []
    for line in text.splitlines():
        words = re.sub(r"\[[^\]]*\]", " ", line.split("#", 1)[0]).split()
        if len(words) >= 3 and words[0] in ("deb", "deb-src"):
            if (words[1].rstrip("/"), words[2]) in failed:
                continue
        kept.append(line)
    return "\n".join(kept) + "\n"


def stanzas_without(text, failed):
    kept = []
    for stanza in re.split(r"\n\s*\n", text.strip()):
        fields = dict(
            re.match(r"([\w-]+):\s*(.*)", line).groups()
            for line in stanza.splitlines()
            if re.match(r"[\w-]+:", line)
        )
        uris = [u.rstrip("/") for u in fields.get("URIs", "").split()]
        suites = fields.get("Suites", "").split()
        left = [s for s in suites if not all((u, s) in failed for u in uris)]
        if not left:
            continue
        if left != suites:
            stanza = re.sub(r"(?m)^Suites:.*$", "Suites: " + " ".join(left), stanza)
        kept.append(stanza)
    return "\n\n".join(kept) + "\n"


def main():
    out_dir = sys.argv[1]
    apt = sys.argv[2] if len(sys.argv) > 2 else "/etc/apt"
    failed = failed_suites(sys.stdin.read())
    if not failed:
        return 1
    os.makedirs(out_dir, exist_ok=True)
    one_line = [os.path.join(apt, "sources.list")]
    one_line += sorted(glob.glob(os.path.join(apt, "sources.list.d", "*.list")))
    for index, path in enumerate(p for p in one_line if os.path.exists(p)):
        with open(path) as source, open(os.path.join(out_dir, f"{index}.list"), "w") as out:
            out.write(one_line_entries_without(source.read(), failed))
    for path in sorted(glob.glob(os.path.join(apt, "sources.list.d", "*.sources"))):
        with open(path) as source:
            text = stanzas_without(source.read(), failed)
        with open(os.path.join(out_dir, os.path.basename(path)), "w") as out:
            out.write(text)
    for uri, suite in sorted(failed):
        print(f"{uri} {suite}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
