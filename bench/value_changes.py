#!/usr/bin/env python3
"""Counts the values that a build's -canonical and -canonical-v1 change.

Each valid file is read with the touchstone2 module; the rewrite the given
snpvet prints is read again the same way, and every frequency, data value
(real and imaginary part), reference and noise value that does not come back
with the same bits is counted. Files the checker refuses, or that a version
cannot express, are passed over.

    PYTHONPATH=build/python bench/value_changes.py --snpvet PATH FILE...

Prints, per mode, the files and values compared and those changed.
"""

import argparse
import subprocess
import sys

import numpy as np

import touchstone2


def values(t):
    """Every value of a read file, as 64-bit patterns."""
    arrays = [t.frequency, t.data.view(np.float64), t.reference]
    if t.noise is not None:
        arrays += [np.asarray(a).view(np.float64) if np.iscomplexobj(a) else np.asarray(a)
                   for a in t.noise]
    return np.concatenate([np.ravel(a) for a in arrays]).view(np.uint64)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("files", nargs="+")
    options = parser.parse_args()
    for mode in ("-canonical", "-canonical-v1"):
        files = changed_files = total = changed = 0
        for path in options.files:
            try:
                before = values(touchstone2.read(path))
            except touchstone2.TouchstoneError:
                continue
            run = subprocess.run([options.snpvet, mode, path], capture_output=True)
            if run.returncode != 0:
                continue
            after = values(touchstone2.read_bytes(run.stdout))
            files += 1
            total += before.size
            lost = int(np.count_nonzero(before != after)) if before.size == after.size \
                else before.size
            changed += lost
            changed_files += lost > 0
        print("%s: %d values in %d files, %d changed in %d files" % (
            mode, total, files, changed, changed_files))
    return 0


if __name__ == "__main__":
    sys.exit(main())
