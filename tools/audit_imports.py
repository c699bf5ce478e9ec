#!/usr/bin/env python3
"""Checks that Windows XP SP3 (32-bit) can load a built Windows image.

Windows refuses to start a program that imports one function its DLLs lack,
and Wine, which exports the functions of every Windows version, never shows
it. So every imported function is checked against an oracle:

- from the system DLLs whose declarations the MinGW-w64 headers version:
  each name is compiled as a reference with WINVER and _WIN32_WINNT set to
  0x0501, where the headers declare only what Windows XP has;
- from msvcrt.dll, whose exports the headers do not version: each name must
  be in tools/xp-msvcrt-imports.txt, a list reviewed by hand, so that a new
  import is added there on purpose;
- from any other DLL, or by ordinal: refused.

The PE header must ask for no newer system either: its subsystem and OS
versions at most 5.1.

Usage: audit_imports.py IMAGE.exe...   (exit status 1 when any check fails)
"""

import os
import re
import subprocess
import sys
import tempfile

OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")
CXX = os.environ.get("AUDIT_CXX", "i686-w64-mingw32-g++-win32")
XP = (5, 1)
HERE = os.path.dirname(os.path.abspath(__file__))
MSVCRT_LIST = os.path.join(HERE, "xp-msvcrt-imports.txt")

# DLLs of Windows XP whose functions the headers below declare.
VERSIONED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "psapi.dll",
                  "advapi32.dll", "comctl32.dll"}
HEADERS = ["windows.h", "psapi.h", "shellapi.h", "commctrl.h"]


def imports_of(dump):
    """{dll (lower case): [names]} from `objdump -p`; a name None is an ordinal."""
    imports = {}
    dll = None
    for line in dump.splitlines():
        match = re.match(r"\tDLL Name: (\S+)", line)
        if match:
            dll = match.group(1).lower()
            imports.setdefault(dll, [])
        elif not line.strip():
            dll = None  # a blank line ends the DLL's table
        elif dll:
            # "\t54594\t   20  BitBlt": the entry's address, its hint, its name;
            # an entry imported by ordinal has a number and no name.
            match = re.match(r"\t[0-9a-fA-F]+\t\s*\d+\s*(\S*)", line)
            if match:
                name = match.group(1)
                imports[dll].append(name if name and name != "<none>" else None)
    return imports


def header_versions(dump):
    values = {}
    for key in ("MajorOSystemVersion", "MinorOSystemVersion", "MajorSubsystemVersion",
                "MinorSubsystemVersion"):
        match = re.search(rf"^{key}\s+(\d+)", dump, re.MULTILINE)
        values[key] = int(match.group(1)) if match else None
    return values


def undeclared_at_xp(names):
    """The names the headers do not declare for Windows XP, and the compiler's complaints."""
    if not names:
        return set(), ""
    source = ["#include <%s>" % header for header in HEADERS]
    for index, name in enumerate(names):
        source += [f"#ifdef {name}",
                   f'#error "{name} is a macro in the headers, not a declaration"',
                   "#endif",
                   f"auto* reference{index} = &::{name};"]
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "xp_references.cpp")
        with open(path, "w") as out:
            out.write("\n".join(source) + "\n")
        result = subprocess.run(
            [CXX, "-std=c++17", "-fsyntax-only", "-fmax-errors=0", "-DWINVER=0x0501",
             "-D_WIN32_WINNT=0x0501", "-DPSAPI_VERSION=1", path],
            capture_output=True, text=True)
    if result.returncode == 0:
        return set(), ""
    missing = set()
    for line in result.stderr.splitlines():
        if "error" not in line:
            continue
        for name in names:
            if re.search(rf"\b{re.escape(name)}\b", line):
                missing.add(name)
    if not missing:  # the oracle itself failed: no silent pass
        missing = set(names)
    return missing, result.stderr


def audit(image, msvcrt_allowed):
    problems = []
    dump = subprocess.run([OBJDUMP, "-p", image], capture_output=True, text=True, check=True).stdout
    name = os.path.basename(image)

    versions = header_versions(dump)
    for kind in ("OSystem", "Subsystem"):
        major, minor = versions[f"Major{kind}Version"], versions[f"Minor{kind}Version"]
        if major is None or (major, minor) > XP:
            label = "OS" if kind == "OSystem" else "subsystem"
            problems.append(f"its PE header asks for {label} version {major}.{minor}, "
                            f"newer than Windows XP's {XP[0]}.{XP[1]}")

    imports = imports_of(dump)
    versioned = []
    for dll, names in sorted(imports.items()):
        if None in names:
            problems.append(f"imports from {dll} by ordinal, which cannot be checked")
        names = [n for n in names if n]
        if dll == "msvcrt.dll":
            for function in names:
                if function not in msvcrt_allowed:
                    problems.append(f"imports {function} from msvcrt.dll, which is not on the "
                                    f"reviewed list {os.path.relpath(MSVCRT_LIST)}")
        elif dll in VERSIONED_DLLS:
            versioned += [(dll, n) for n in names]
        else:
            problems.append(f"imports from {dll}, which is not a DLL this audit knows on "
                            "Windows XP")

    missing, _ = undeclared_at_xp(sorted({n for _, n in versioned}))
    for dll, function in versioned:
        if function in missing:
            problems.append(f"imports {function} from {dll}, which Windows XP SP3 does not have")

    count = sum(len(names) for names in imports.values())
    if problems:
        for problem in problems:
            print(f"FAIL {name}: {problem}")
    else:
        print(f"ok   {name}: {count} imported functions from {len(imports)} DLLs, each on "
              f"Windows XP SP3; OS version {versions['MajorOSystemVersion']}."
              f"{versions['MinorOSystemVersion']}, subsystem version "
              f"{versions['MajorSubsystemVersion']}.{versions['MinorSubsystemVersion']}")
    return not problems


def main(images):
    if not images:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    with open(MSVCRT_LIST) as listed:
        msvcrt_allowed = {line.split("#")[0].strip() for line in listed} - {""}
    results = [audit(image, msvcrt_allowed) for image in images]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
