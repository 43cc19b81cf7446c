#!/usr/bin/env python3
"""Builds the seed corpus of the fuzz targets.

Usage: make_seed_corpus.py REPO OUTPUT_DIR

The seeds are every `--- input` block of tests/e2e/*.cases (escapes decoded
by the case driver's own parser), the files under examples/, and the real
Touchstone files that the scikit-rf package ships, when it is installed.
Each seed is stored under the hash of its content, so repeated runs and equal
inputs collapse.
"""

import glob
import hashlib
import os
import sys

SKRF_DIR = "/usr/lib/python3/dist-packages/skrf"
TOUCHSTONE_SUFFIXES = tuple(".s%dp" % n for n in range(1, 100))


def case_inputs(repo):
    sys.path.insert(0, os.path.join(repo, "tests", "e2e"))
    import run_cases  # the driver's parser decodes the escapes exactly as the tests do
    for path in sorted(glob.glob(os.path.join(repo, "tests", "e2e", "*.cases"))):
        with open(path, "rb") as f:
            for case in run_cases.parse_cases(f.read()):
                if case.input is not None:
                    yield "e2e", case.input


def files_under(directory, suffixes=None):
    for root, _, names in os.walk(directory):
        for name in sorted(names):
            if suffixes is None or name.lower().endswith(suffixes):
                path = os.path.join(root, name)
                if os.path.isfile(path):
                    with open(path, "rb") as f:
                        yield f.read()


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    repo, output = argv[1], argv[2]
    os.makedirs(output, exist_ok=True)
    counts = {}

    def store(kind, data):
        name = hashlib.sha1(data).hexdigest()
        path = os.path.join(output, name)
        if not os.path.exists(path):
            with open(path, "wb") as f:
                f.write(data)
            counts[kind] = counts.get(kind, 0) + 1

    for kind, data in case_inputs(repo):
        store(kind, data)
    for data in files_under(os.path.join(repo, "examples")):
        store("examples", data)
    if os.path.isdir(SKRF_DIR):
        for data in files_under(SKRF_DIR, TOUCHSTONE_SUFFIXES):
            store("skrf", data)
    summary = ", ".join("%s %d" % (k, counts[k]) for k in sorted(counts))
    print("seed corpus %s: %d new files (%s)" % (output, sum(counts.values()), summary or "none"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
