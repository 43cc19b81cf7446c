#!/usr/bin/env python3
"""Measures the quality metrics on one file (by default the 30 MB four-port
file of bench/generate.py), side by side in one run:

  - `snpvet FILE` against `snpvet -quality FILE`, taking turns run by run,
    best wall time (fork, exec, wait) of each, and the peak memory of each
    (`/usr/bin/time -f %M`, the least of three runs);
  - in one interpreter, Touchstone.quality() against the NumPy reference of
    the formulas (the one python/tests/quality_test.py checks against) on
    the arrays of the same file, best time of each, taking turns.

It prints a Markdown table and checks the targets: -quality within 3 x the
check, quality() at least 5 x faster than the reference, and the peak memory
of -quality no more than the check's plus the per-point arrays (two doubles
a point) plus 1 MiB of measuring noise.

    bench/quality.py --snpvet PATH [--python PATH] [--file FILE] [--runs N]

--python is the interpreter that imports touchstone2 (default: this one).
Exit status 0 when every target holds, 1 otherwise.
"""

import argparse
import os
import subprocess
import sys
import time

MIB = 1024 * 1024
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_FILE = os.path.join("/tmp", "snpvet-bench", "v1_4port_ri_30mb.s4p")

# Prints: quality() seconds, reference seconds, points, largest relative difference.
PYTHON_SCRIPT = r"""
import sys, time
sys.path.insert(0, sys.argv[3])
import numpy as np, touchstone2
from quality_test import reference_quality
t = touchstone2.read(sys.argv[1])
s = t.to_s()
best_q = best_r = float("inf")
for _ in range(int(sys.argv[2])):
    start = time.perf_counter(); q = t.quality(); best_q = min(best_q, time.perf_counter() - start)
    start = time.perf_counter(); r = reference_quality(s); best_r = min(best_r, time.perf_counter() - start)
got = [q.passivity, q.reciprocity, q.causality]
difference = max(abs(a - b) / max(abs(b), 1e-300) for a, b in zip(got, r[:3]))
difference = max(difference, np.max(np.abs(q.pm - r[3]) / r[3]))
print(best_q, best_r, len(t.frequency), difference)
"""


def wall(command):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start


def peak_kib(command):
    result = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, check=True)
    return int(result.stderr.strip().splitlines()[-1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--python", default=sys.executable)
    parser.add_argument("--file", default=DEFAULT_FILE)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()

    check, quality = [args.snpvet, args.file], [args.snpvet, "-quality", args.file]
    best = {"check": float("inf"), "quality": float("inf")}
    for _ in range(args.runs):
        best["check"] = min(best["check"], wall(check))
        best["quality"] = min(best["quality"], wall(quality))
    # The least of three runs each: the peak of one run varies by a MiB or two.
    memory = {"check": min(peak_kib(check) for _ in range(3)),
              "quality": min(peak_kib(quality) for _ in range(3))}
    tests = os.path.join(os.path.dirname(HERE), "python", "tests")
    out = subprocess.run([args.python, "-c", PYTHON_SCRIPT, args.file, str(args.runs), tests],
                         capture_output=True, text=True, check=True).stdout.split()
    in_module, reference, points, difference = float(out[0]), float(out[1]), int(out[2]), \
        float(out[3])

    per_point = 2 * 8 * points
    print("file: %s, %d points, load %.2f" % (args.file, points, os.getloadavg()[0]))
    print()
    print("| what | time | peak memory |")
    print("|---|---|---|")
    print("| `snpvet FILE` | %.3f s | %.1f MiB |" % (best["check"], memory["check"] / 1024))
    print("| `snpvet -quality FILE` | %.3f s | %.1f MiB |" % (best["quality"],
                                                         memory["quality"] / 1024))
    print("| `t.quality()` | %.3f s | |" % in_module)
    print("| NumPy reference on `t.to_s()` | %.3f s | |" % reference)
    print()
    targets = [
        ("-quality within 3 x the check", best["quality"] / best["check"], 3.0, "<="),
        ("quality() at least 5 x faster than NumPy", reference / in_module, 5.0, ">="),
        ("-quality memory above the check's, MiB (limit: per-point arrays + 1 MiB)",
         (memory["quality"] - memory["check"]) / 1024, (per_point + MIB) / MIB, "<="),
    ]
    failed = False
    for name, value, limit, sense in targets:
        held = value <= limit if sense == "<=" else value >= limit
        failed |= not held
        print("- %s: %.2f (%s %.2f) %s" % (name, value, sense, limit, "held" if held else "MISSED"))
    print("- largest relative difference from the reference: %.1e" % difference)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
