#!/usr/bin/env python3
"""Measures touchstone2.read() against skrf.Network(path) and the checker.

For the 3, 30 and 300 MB four-port files of bench/generate.py it runs, round
by round in turn, so that load from elsewhere falls on all alike:

  - touchstone2.read(path) in a fresh interpreter (the reading alone timed,
    inside it), with its peak memory above the interpreter with NumPy and
    touchstone2 imported (ru_maxrss before and after the read);
  - skrf.Network(path) the same way, under /usr/bin/python3;
  - `snpvet FILE`, the command-line check (wall time of fork, exec, wait).

Best times are kept. On the 30 MB file it also reads the file twice, one
after the other and then in two threads at once. It prints a Markdown table
and checks the targets on the 30 MB file: read at least 5 x faster than
scikit-rf, within 2 x the check, and peak memory no more than the file plus
twice the arrays plus 16 MiB.

    bench/python_read.py --snpvet PATH [--python PATH] [--dir DIR] [--runs N]
                         [--big-runs N] [--only ri3 ri30 ri300]

--python is the interpreter that imports touchstone2 (default: this one).
Exit status 0 when every target holds, 1 otherwise.
"""

import argparse
import os
import subprocess
import sys
import time

import generate  # the folder it writes to by default

MB = 1000 * 1000
MIB = 1024 * 1024
PEER_PYTHON = "/usr/bin/python3"
FILES = [("ri3", "v1_4port_ri_3mb.s4p"), ("ri30", "v1_4port_ri_30mb.s4p"),
         ("ri300", "v1_4port_ri_300mb.s4p")]

# Each prints: seconds, peak memory growth in bytes, bytes of the arrays.
READ_SCRIPT = r"""
import resource, sys, time
import numpy, touchstone2
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
start = time.perf_counter()
t = touchstone2.read(sys.argv[1])
elapsed = time.perf_counter() - start
growth = (resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - before) * 1024
arrays = t.frequency.nbytes + t.data.nbytes + t.reference.nbytes
print(elapsed, growth, arrays)
"""
PEER_SCRIPT = r"""
import resource, sys, time, warnings
warnings.simplefilter("ignore")
import numpy, skrf
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
start = time.perf_counter()
network = skrf.Network(sys.argv[1])
elapsed = time.perf_counter() - start
growth = (resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - before) * 1024
print(elapsed, growth, network.s.nbytes + network.f.nbytes)
"""
# Prints the seconds of two reads one after the other, then of two at once.
THREADS_SCRIPT = r"""
import sys, threading, time
import touchstone2
path = sys.argv[1]
start = time.perf_counter()
touchstone2.read(path)
touchstone2.read(path)
sequential = time.perf_counter() - start
threads = [threading.Thread(target=touchstone2.read, args=(path,)) for _ in range(2)]
start = time.perf_counter()
for thread in threads:
    thread.start()
for thread in threads:
    thread.join()
print(sequential, time.perf_counter() - start)
"""


def figures_of(python, script, path):
    """The numbers the script prints last (a package may print notes of its
    own first)."""
    result = subprocess.run([python, "-c", script, path], capture_output=True, text=True,
                            check=True)
    return [float(x) for x in result.stdout.strip().splitlines()[-1].split()]


def check_time(snpvet, path):
    start = time.perf_counter()
    subprocess.run([snpvet, path], stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start


def measure(options, path, runs):
    """Best time of each tool, and the largest memory growth seen."""
    tools = {"touchstone2.read": [], "skrf.Network": [], "snpvet check": []}
    for _ in range(runs):
        tools["touchstone2.read"].append(figures_of(options.python, READ_SCRIPT, path))
        tools["skrf.Network"].append(figures_of(PEER_PYTHON, PEER_SCRIPT, path))
        tools["snpvet check"].append([check_time(options.snpvet, path), None, None])
    best = {}
    for tool, results in tools.items():
        growth = None if results[0][1] is None else max(r[1] for r in results)
        best[tool] = (min(r[0] for r in results), growth, results[0][2])
    return best


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--snpvet", required=True, help="the snpvet binary")
    parser.add_argument("--python", default=sys.executable, help="imports touchstone2")
    parser.add_argument("--dir", default=generate.DEFAULT_DIR, help="the generated files")
    parser.add_argument("--runs", type=int, default=5, help="rounds, best kept")
    parser.add_argument("--big-runs", type=int, default=2, help="rounds on the 300 MB file")
    parser.add_argument("--only", nargs="*", help="file names as in generate.py")
    options = parser.parse_args()

    print("python: %s; snpvet: %s; %d cores; load average before: %s"
          % (options.python, options.snpvet, os.cpu_count(), load_average()))
    print()
    print("| file | MB | tool | time s | MB/s | x read | peak above start MB | arrays MB |")
    print("|---|---:|---|---:|---:|---:|---:|---:|")
    verdicts = []
    for name, file_name in FILES:
        if options.only and name not in options.only:
            continue
        path = os.path.join(options.dir, file_name)
        size = os.path.getsize(path)
        results = measure(options, path, options.big_runs if name == "ri300" else options.runs)
        read = results["touchstone2.read"][0]
        for tool, (seconds, growth, arrays) in results.items():
            print("| %s | %.0f | %s | %.3f | %.0f | %.2f | %s | %s |" % (
                file_name, size / MB, tool, seconds, size / MB / seconds, seconds / read,
                "%.1f" % (growth / MB) if growth is not None else "",
                "%.1f" % (arrays / MB) if arrays is not None else ""))
        if name == "ri30":
            peer, check = results["skrf.Network"][0], results["snpvet check"][0]
            _, growth, arrays = results["touchstone2.read"]
            limit = size + 2 * arrays + 16 * MIB
            verdicts += [("read %.3f s at least 5 x faster than skrf.Network %.3f s (%.1f x)"
                          % (read, peer, peer / read), peer >= 5 * read),
                         ("read %.3f s within 2 x the check %.3f s (%.2f x)"
                          % (read, check, read / check), read <= 2 * check),
                         ("peak memory above start %.1f MB <= file + 2 x arrays + 16 MiB = %.1f MB"
                          % (growth / MB, limit / MB), growth <= limit)]
            sequential, parallel = min((figures_of(options.python, THREADS_SCRIPT, path)
                                        for _ in range(options.runs)), key=lambda r: r[1])
            threads = ("two reads of %s: %.3f s one after the other, %.3f s in two threads"
                       % (file_name, sequential, parallel))
    print()
    for text, ok in verdicts:
        print("- %s %s" % ("PASS" if ok else "FAIL", text))
    if options.only is None or "ri30" in options.only:
        print("- (information) " + threads)
    print("\nload average after: " + load_average())
    return 0 if all(ok for _, ok in verdicts) else 1


if __name__ == "__main__":
    sys.exit(main())
