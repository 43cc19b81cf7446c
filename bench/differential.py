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
                          [--bench-dir DIR] [--exact-numbers]

Exit status 0 when the two agree everywhere, 1 otherwise. With
--exact-numbers, OLD is a build whose writers wrote fixed precisions only
(16 digits for data, 6 for noise) and whose messages showed six digits: a
difference is then accepted where, and only where, the old text of a number
was that fixed-precision text of the new one and read back as another double
(a message's two numbers: where six digits showed two different values
alike), or where the new build refuses to write a value that the old one
wrote as a text the reader clips.
"""

import argparse
import collections
import glob
import os
import random
import re
import subprocess
import sys
import tempfile

import generate  # the folder it writes to by default

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


SMALLEST_NORMAL = sys.float_info.min
COMPARED = re.compile(rb"(.*but )(\S+)( is not greater than )(\S+)$|"
                      rb"(.*port \d+: )(\S+)( Ohms, port \d+: )(\S+)( Ohms\))$")
TOO_SMALL = b"cannot be written: a reader clips it\n"


def number(word):
    try:
        return float(word)
    except ValueError:
        return None


def exact_word(old, new):
    """A number whose old text was the fixed-precision text of the new one and
    read back as another double."""
    value = number(new)
    return value is not None and number(old) != value and \
        old.decode() in ("%.16g" % value, "%.6g" % value)


def exact_output(old, new):
    """Whether two outputs differ only by numbers written exactly."""
    old_lines, new_lines = old.split(b"\n"), new.split(b"\n")
    if len(old_lines) != len(new_lines):
        return False
    for a, b in zip(old_lines, new_lines):
        if a == b:
            continue
        words = a.split(), b.split()
        if len(words[0]) != len(words[1]) or not all(
                x == y or exact_word(x, y) for x, y in zip(*words)):
            return False
    return True


def exact_message(old, new):
    """Whether two diagnostics differ only by two numbers that six digits
    showed alike and that are now shown exactly."""
    old_lines, new_lines = old.split(b"\n"), new.split(b"\n")
    if len(old_lines) != len(new_lines):
        return False
    for a, b in zip(old_lines, new_lines):
        if a == b:
            continue
        x, y = COMPARED.match(a), COMPARED.match(b)
        if not x or not y:
            return False
        x = [g for g in x.groups() if g is not None]
        y = [g for g in y.groups() if g is not None]
        shown, exact = (x[1], x[3]), (number(y[1]), number(y[3]))
        if x[0::2] != y[0::2] or shown[0] != shown[1] or exact[0] == exact[1] or \
                any(("%g" % value).encode() != text for value, text in zip(exact, shown)):
            return False
    return True


def explained(old, new):
    """Why a difference is allowed under --exact-numbers, or None."""
    if old[0] == 0 and new[0] == 1 and not new[1] and new[2].endswith(TOO_SMALL):
        clipped = [v for v in map(number, old[1].split()) if v and abs(v) < SMALLEST_NORMAL]
        return "refused: the old text read back clipped" if clipped else None
    if old[0] != new[0] or not exact_output(old[1], new[1]):
        return None
    if old[2] != new[2] and not exact_message(old[2], new[2]):
        return None
    return "numbers written exactly" if old[1] != new[1] else "messages tell numbers apart"


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
    parser.add_argument("--bench-dir", default=generate.DEFAULT_DIR)
    parser.add_argument("--exact-numbers", action="store_true",
                        help="accept differences of numbers now written exactly")
    options = parser.parse_args()

    # The sample files come first: their outputs may never differ.
    seeds = []
    for path in sorted(glob.glob(os.path.join(REPO, "examples", "**", "*.s*p"), recursive=True)) + \
            sorted(glob.glob(os.path.join(REPO, "python", "tests", "files", "*.s*p"))):
        with open(path, "rb") as f:
            seeds.append(f.read())
    samples = len(seeds)
    cases = case_inputs()
    regressions = regression_inputs()
    seeds += cases + regressions + bench_cuts(options.bench_dir) + HANDMADE
    print("%d seeds: %d sample files, %d case inputs, %d fuzz regressions" % (
        len(seeds), samples, len(cases), len(regressions)))
    rng = random.Random(options.seed)
    inputs = list(seeds) + [mutate(rng, rng.choice(seeds)) for _ in range(options.mutants)]

    differences = 0
    reasons = collections.Counter()
    with tempfile.TemporaryDirectory() as work:
        for index, data in enumerate(inputs):
            # The extension decides nothing, but keep it plausible.
            path = os.path.join(work, "in%d.s2p" % index)
            with open(path, "wb") as f:
                f.write(data)
            for mode in MODES:
                old, new = run(options.old, mode, path), run(options.new, mode, path)
                if old == new:
                    continue
                reason = explained(old, new) if options.exact_numbers else None
                if reason and index >= samples:
                    reasons[reason] += 1
                    continue
                differences += 1
                keep = os.path.join(tempfile.gettempdir(), "snpvet-diff-%d.s2p" % index)
                with open(keep, "wb") as f:
                    f.write(data)
                print("DIFFERENT %s %s (kept as %s)%s" % (" ".join(mode), index, keep,
                                                         ": " + reason if reason else ""))
    for reason, count in sorted(reasons.items()):
        print("%d accepted: %s" % (count, reason))
    print("%d inputs x %d modes compared, %d differences" % (len(inputs), len(MODES), differences))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
