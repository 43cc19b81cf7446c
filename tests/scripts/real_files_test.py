#!/usr/bin/env python3
"""Checks snpvet against real Touchstone files written by other tools.

Usage: real_files_test.py --snpvet <path-to-snpvet>

The peer reader python3-scikit-rf ships some eighty Touchstone files written
by circuit simulators, field solvers and network analysers.  This test runs
snpvet on every one of them (found at run time under the peer's install
folder) and compares the outcome with the reviewed list kept next to this
script, real_files_expected.txt.  A file that is in the folder but not in the
list, or in the list but no longer in the folder, fails the test, so that a
new version of the peer is noticed and its files get reviewed.

The helpers here (finding the corpus, running snpvet) are also used by the
round-trip and peer-comparison tests of this folder.

Exit status: 0 passed, 1 failed, 77 skipped (the peer or its files are not
installed for this interpreter).
"""

import argparse
import os
import re
import subprocess
import sys

SKIPPED = 77
PEER_PACKAGE = "skrf"
TOUCHSTONE_NAME = re.compile(r"\.s[0-9]+p$", re.IGNORECASE)
EXPECTED_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                             "real_files_expected.txt")
SEPARATOR = " | "
RUN_TIMEOUT = 120.0

# Short forms of the verdict line used in the expected list.
VERDICTS = {
    "valid v1": "valid Touchstone v1 file",
    "valid v2.0": "valid Touchstone v2.0 file",
}


def find_corpus():
    """The peer's install folder, or None when this interpreter cannot
    import it.  The package is looked for along the import path the way the
    import system would find it; nothing of it is run."""
    for entry in sys.path:
        folder = os.path.join(entry or os.curdir, PEER_PACKAGE)
        if os.path.isfile(os.path.join(folder, "__init__.py")):
            return os.path.abspath(folder)
    return None


def corpus_files(root):
    """Every Touchstone file under `root`, as sorted paths relative to it
    with "/" separators."""
    found = []
    for directory, subdirectories, names in os.walk(root):
        subdirectories.sort()
        for name in names:
            if TOUCHSTONE_NAME.search(name):
                path = os.path.relpath(os.path.join(directory, name), root)
                found.append(path.replace(os.sep, "/"))
    return sorted(found)


def run_snpvet(program, arguments, directory):
    """Runs snpvet in `directory`; returns (status, stdout, stderr) as
    (int, bytes, bytes)."""
    process = subprocess.run([program] + list(arguments), cwd=directory,
                             stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, timeout=RUN_TIMEOUT)
    return process.returncode, process.stdout, process.stderr


def text_lines(data):
    return data.decode("utf-8", "backslashreplace").splitlines()


def resolve_program(path):
    return os.path.abspath(path)


def skip(message):
    print("skipped: " + message)
    print("0 passed, 0 failed, 1 skipped")
    return SKIPPED


# ---------------------------------------------------------------------------
# The expected list.

class ListError(Exception):
    pass


def read_expected(path):
    """Reads the reviewed list: a dict from relative path to the list of
    outcome lines, in the order they are printed.  Blank lines and lines
    that start with "#" are comments."""
    expected = {}
    with open(path, "r", encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            name, separator, outcome = line.partition(SEPARATOR)
            if not separator or not name or not outcome:
                raise ListError("%s:%d: expected 'PATH%sOUTCOME'"
                                % (path, number, SEPARATOR))
            expected.setdefault(name, []).append(outcome)
    return expected


def outcome_of(name, status, stdout, stderr):
    """The run as the expected list writes it: every stderr line, then the
    short verdict when the check passed.  Anything else the run did (another
    status, unexpected stdout) is spelled out so that it cannot match."""
    lines = text_lines(stderr)
    if status == 0:
        for short, verdict in VERDICTS.items():
            if stdout == ("%s: %s\n" % (name, verdict)).encode("utf-8"):
                lines.append(short)
                return lines
    elif status == 1 and stdout == b"":
        return lines
    lines.append("exit status %d with stdout %r" % (status, stdout[:200]))
    return lines


def check_file(program, root, name, expected):
    """Returns the report lines of one file; empty when it matched."""
    status, stdout, stderr = run_snpvet(program, [name], root)
    actual = outcome_of(name, status, stdout, stderr)
    if expected is None:
        return (["  not in %s; its outcome now is:" % os.path.basename(EXPECTED_LIST)]
                + ["    %s%s%s" % (name, SEPARATOR, line) for line in actual])
    if actual == expected:
        return []
    return (["  expected:"] + ["    " + line for line in expected]
            + ["  actual:"] + ["    " + line for line in actual])


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--snpvet", required=True, help="path to snpvet")
    options = parser.parse_args(argv)
    program = resolve_program(options.snpvet)

    root = find_corpus()
    if root is None:
        return skip("python3-scikit-rf is not importable by %s" % sys.executable)
    names = corpus_files(root)
    if not names:
        return skip("no Touchstone files under %s" % root)
    try:
        expected = read_expected(EXPECTED_LIST)
    except (OSError, ListError) as e:
        print("cannot read the expected list: %s" % e)
        print("0 passed, 1 failed")
        return 1

    print("corpus: %s (%d files)" % (root, len(names)))
    passed = failed = 0
    for name in names:
        report = check_file(program, root, name, expected.get(name))
        if report:
            failed += 1
            print("FAIL " + name)
            for line in report:
                print(line)
        else:
            passed += 1
            print("ok   %s: %s" % (name, expected[name][-1]))
    for name in sorted(set(expected) - set(names)):
        failed += 1
        print("FAIL " + name)
        print("  listed in %s but not found under %s"
              % (os.path.basename(EXPECTED_LIST), root))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
