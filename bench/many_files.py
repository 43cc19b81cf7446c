#!/usr/bin/env python3
"""Measures checking many files in one run, side by side, on the same files.

A folder of --count copies of the sample files (examples/ and
python/tests/files/, so files of the samples' sizes; written once into --dir,
never into the source tree) is checked, round by round in turn so that load
from elsewhere falls on all alike, keeping the best wall time of each:

  - `snpvet DIR`, one run over the folder (workers: the number of cores);
  - `find DIR -type f | xargs -n1 -P2 snpvet`, a run per file, two at a time;
  - the Python module's loop over the same paths in one interpreter,
    `for path in paths: touchstone2.check(path)` (the loop alone timed,
    inside the interpreter, NumPy and the module already imported);

and two large files (--large, of bench/generate.py) checked by one
`snpvet A B` against `snpvet A` then `snpvet B`. It prints the times and
the ratios and checks the targets: the one run at least 3x faster than xargs
and within 1.5x of the module's loop, the two large files in one run at most
0.6x of the two runs one after the other.

    bench/many_files.py --snpvet PATH [--python PATH] [--pythonpath DIR]
                        [--dir DIR] [--count N] [--runs N] [--large FILE FILE]

--python is the interpreter that imports touchstone2 from --pythonpath (the
build's python/ folder). Exit status 0 when every target holds, 1 otherwise.
"""

import argparse
import glob
import resource
import os
import shutil
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LOOP = """
import sys, time, touchstone2
paths = sys.argv[1:]
start = time.perf_counter()
for path in paths:
    touchstone2.check(path)
print(time.perf_counter() - start)
"""


def make_folder(folder, count):
    samples = sorted(glob.glob(os.path.join(REPO, "examples", "*.s*p")) +
                     glob.glob(os.path.join(REPO, "python", "tests", "files", "*.s*p")))
    if os.path.isdir(folder) and len(os.listdir(folder)) == count:
        return folder
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for i in range(count):
        sample = samples[i % len(samples)]
        shutil.copyfile(sample, os.path.join(folder, "%04d_%s" % (i, os.path.basename(sample))))
    return folder


CPU = {}  # the CPU time (user + sys) of the children of the last wall() of each command


def wall(command, shell=False):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, shell=shell, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    CPU[str(command)] = after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime
    return seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--python", default=sys.executable)
    parser.add_argument("--pythonpath", required=True)
    parser.add_argument("--dir", default="/tmp/snpvet-bench")
    parser.add_argument("--count", type=int, default=600)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--large", nargs=2, metavar="FILE")
    options = parser.parse_args()
    snpvet = os.path.abspath(options.snpvet)
    folder = make_folder(os.path.join(options.dir, "many_%d" % options.count), options.count)
    paths = sorted(os.path.join(folder, name) for name in os.listdir(folder))
    size = sum(os.path.getsize(p) for p in paths)
    environment = dict(os.environ, PYTHONPATH=os.path.abspath(options.pythonpath))
    tools = {
        "snpvet DIR": lambda: wall([snpvet, folder]),
        "find | xargs -n1 -P2 snpvet": lambda: wall(
            "find '%s' -type f | xargs -n1 -P2 '%s'" % (folder, snpvet), shell=True),
        "Python loop of check()": lambda: float(subprocess.run(
            [options.python, "-c", LOOP] + paths, env=environment, capture_output=True,
            text=True, check=True).stdout),
    }
    cpu = {}
    if options.large:
        a, b = options.large
        tools["snpvet A B"] = lambda: wall([snpvet, a, b])
        tools["snpvet A; snpvet B"] = lambda: wall([snpvet, a]) + wall([snpvet, b])
        cpu = {"snpvet A B": lambda: CPU[str([snpvet, a, b])],
               "snpvet A; snpvet B": lambda: CPU[str([snpvet, a])] + CPU[str([snpvet, b])]}
    best = {name: float("inf") for name in tools}
    for _ in range(options.runs):
        for name, tool in tools.items():
            best[name] = min(best[name], tool())
    print("%d files, %.1f kB in all, %d rounds, best wall time; load average %s" % (
        len(paths), size / 1000, options.runs, " ".join("%.2f" % x for x in os.getloadavg())))
    for name, seconds in best.items():
        print("  %-30s %8.3f s" % (name, seconds) + (
            "   (CPU of the last round %.3f s)" % cpu[name]() if name in cpu else ""))
    targets = [("snpvet DIR at least 3x faster than xargs",
                best["find | xargs -n1 -P2 snpvet"] / best["snpvet DIR"], ">=", 3.0),
               ("snpvet DIR within 1.5x of the Python loop",
                best["snpvet DIR"] / best["Python loop of check()"], "<=", 1.5)]
    if options.large:
        targets.append(("two large files in one run, of one after the other",
                        best["snpvet A B"] / best["snpvet A; snpvet B"], "<=", 0.6))
    failed = 0
    for text, ratio, sense, bar in targets:
        holds = ratio >= bar if sense == ">=" else ratio <= bar
        failed += not holds
        print("  %-52s %5.2f (%s %.1f) %s" % (text, ratio, sense, bar, "ok" if holds else "MISSED"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
