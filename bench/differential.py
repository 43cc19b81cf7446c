#!/usr/bin/env python3
"""Runs two builds of snpvet side by side on many files and reports every
difference in standard output, standard error or exit status.

A speed change must not change behaviour. The seeds are the sample files, the
inputs of the end-to-end cases, the fuzz regressions, small cuts of the
generated benchmark files and a few hand-made lines that hit the lexer's
corners; each seed is also mutated at random (bytes replaced, inserted,
deleted, lines doubled or cut), with a fixed seed so that a run can be
repeated. Every file is run in every mode.

    bench/differential.py OLD_SNPVET NEW_SNPVET [--mutants N] [--seed S]
                          [--bench-dir DIR]

Exit status 0 when the two agree everywhere, 1 otherwise.
"""

import argparse
import glob
import os
import random
import re
import subprocess
import sys
import tempfile

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
MODES = [[], ["-canonical"], ["-canonical-v1"], ["-describe"]]

# Bytes that matter to the lexer, and a few that it refuses.
INTERESTING = b" \t\r\n!#[]eE+-.0123456789x\x01\x7f\xb0"

HANDMADE = [
    b"# GHz S MA R 50\n1 1e400 0\n2 -1e400 0\n3 1e-400 10\n4 -1E-400 10\n",
    b"# GHz S RI R 50\r\n1 .5 -.5\r\n2 +5 1.2.3\r\n3 -. 1\r\n",
    b"# hz z db r 75\n0 1 2\n1.5e3 3 4 ! comment\n  2e3\t5 6   \n",
    b"# GHz Y RI R 50\n1 1 2 3 4 5 6 7 8\n2 1 2 3 4 5 6 7 8\n1 0.5 0.6 10 0.3\n1.5 0.5 0.6 10 0.3",
    b"[Version] 2.0\n# MHz S DB R 50\n[Number of Ports] 3\n[Number of Frequencies] 2\n"
    b"[Matrix Format] Lower\n[Network Data]\n1 1 2\n 3 4 5 6\n 7 8 9 10 11 12\n"
    b"2 1 2 3 4 5 6 7 8 9 10 11 12\n[End]\n",
    b"[Version] 2.0\n# GHz S RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
    b"[Number of Frequencies] 2\n[Number of Noise Frequencies] 1\n[Reference] 50 75\n"
    b"[Network Data]\n1 1 2 3 4 5 6 7 8\n2 1 2 3 4 5 6 7 8\n[Noise Data]\n1 2 0.5 10 0.3\n"
    b"[End]\n! done\n",
]


def case_inputs():
    """The inputs of the end-to-end cases and the bases they edit, built as the
    case runner builds them."""
    sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
    import run_cases
    common = {}
    run_cases.read_table(os.path.join(REPO, "tests", "e2e", "common.bases"), common)
    seeds = [b"".join(lines) for lines in common.values()]
    for path in sorted(glob.glob(os.path.join(REPO, "tests", "e2e", "*.cases"))):
        bases = dict(common)
        for _, case in run_cases.read_table(path, bases):
            if isinstance(case, run_cases.Case) and case.input is not None:
                seeds.append(case.input)
        seeds += [b"".join(lines) for name, lines in bases.items() if name not in common]
    if not seeds:
        sys.exit("no case inputs found: the comparison would prove nothing")
    return seeds


def regression_inputs():
    """The inputs the fuzzer once found faults with."""
    seeds = []
    for path in sorted(glob.glob(os.path.join(REPO, "fuzz", "regressions", "*"))):
        with open(path, "rb") as f:
            seeds.append(f.read())
    return seeds


def bench_cuts(directory):
    """The first lines of each generated file (v2.0 files get their [End])."""
    seeds = []
    for path in sorted(glob.glob(os.path.join(directory, "*.s*p"))):
        with open(path, "rb") as f:
            head = f.read(200000)
        lines = head.split(b"\n")[:60]
        seeds.append(b"\n".join(lines) + b"\n")
    return seeds


def mutate(rng, data):
    data = bytearray(data)
    for _ in range(rng.randint(1, 4)):
        if not data:
            data += bytes([rng.choice(INTERESTING)])
            continue
        at = rng.randrange(len(data))
        kind = rng.randrange(6)
        if kind == 0:
            data[at] = rng.choice(INTERESTING)
        elif kind == 1:
            data[at:at] = bytes([rng.choice(INTERESTING)])
        elif kind == 2:
            del data[at:at + rng.randint(1, 8)]
        elif kind == 3:
            lines = bytes(data).split(b"\n")
            i = rng.randrange(len(lines))
            lines.insert(i, lines[i])
            data = bytearray(b"\n".join(lines))
        elif kind == 4:
            del data[at:]
        else:
            data[at:at] = rng.choice([b"1e400", b"-1e-400", b"E+05", b"50ohm", b"  ", b"\r\n"])
    return bytes(data)


def run(binary, mode, path):
    result = subprocess.run([binary] + mode + [path], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60)
    return result.returncode, result.stdout, result.stderr


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--mutants", type=int, default=1500)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--bench-dir", default="/tmp/snpvet-bench")
    options = parser.parse_args()

    seeds = []
    for path in sorted(glob.glob(os.path.join(REPO, "examples", "**", "*.s*p"), recursive=True)):
        with open(path, "rb") as f:
            seeds.append(f.read())
    cases = case_inputs()
    regressions = regression_inputs()
    seeds += cases + regressions + bench_cuts(options.bench_dir) + HANDMADE
    print("%d seeds: %d case inputs, %d fuzz regressions" % (len(seeds), len(cases),
                                                            len(regressions)))
    rng = random.Random(options.seed)
    inputs = list(seeds) + [mutate(rng, rng.choice(seeds)) for _ in range(options.mutants)]

    differences = 0
    with tempfile.TemporaryDirectory() as work:
        for number, data in enumerate(inputs):
            # The extension decides nothing, but keep it plausible.
            path = os.path.join(work, "in%d.s2p" % number)
            with open(path, "wb") as f:
                f.write(data)
            for mode in MODES:
                if run(options.old, mode, path) != run(options.new, mode, path):
                    differences += 1
                    keep = os.path.join(tempfile.gettempdir(), "snpvet-diff-%d.s2p" % number)
                    with open(keep, "wb") as f:
                        f.write(data)
                    print("DIFFERENT %s %s (kept as %s)" % (" ".join(mode), number, keep))
    print("%d inputs x %d modes compared, %d differences" % (len(inputs), len(MODES), differences))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
