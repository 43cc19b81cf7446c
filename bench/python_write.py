#!/usr/bin/env python3
"""Measures Touchstone.write() against skrf.Network.write_touchstone() and
the checker's -canonical, on the same data.

On the 30 MB four-port file of bench/generate.py (bench/generate.py --only
ri30 makes it) it runs, round by round in turn, so that load from elsewhere
falls on all alike:

  - touchstone2: the file read (not timed), then t.write(path) in a fresh
    interpreter, timed inside it, with its peak memory above what the
    process held just before the write (VmHWM, reset then, less VmRSS); and
    Touchstone.from_arrays() of the read arrays, timed apart;
  - skrf.Network(path) read (not timed), then write_touchstone(), under
    /usr/bin/python3;
  - `snpvet -canonical FILE > OUT`: read, check and write (wall time).

Best times are kept. It prints a Markdown table and checks the targets:
write at least 5 x faster than scikit-rf, within 2 x the CLI's -canonical,
and peak memory of write below 1.5 x the arrays plus 16 MiB.

    bench/python_write.py --snpvet PATH [--python PATH] [--dir DIR] [--runs N]

Exit status 0 when every target holds, 1 otherwise.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

import generate  # the folder it writes to by default

MB = 1000 * 1000
MIB = 1024 * 1024
PEER_PYTHON = "/usr/bin/python3"
FILE = "v1_4port_ri_30mb.s4p"

# The peak is that of the write alone: the process's high-water mark is reset
# just before it (the read before it had one of its own), and the peak is
# taken above the memory held then. Each prints: seconds, peak memory growth
# in bytes, bytes of the arrays, and (touchstone2) the seconds of
# from_arrays().
MEMORY = r"""
def kib(field):
    with open("/proc/self/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith(field))
def reset_peak():
    with open("/proc/self/clear_refs", "w") as f:
        f.write("5")
    return kib("VmRSS:")
"""
WRITE_SCRIPT = MEMORY + r"""
import sys, time
import numpy, touchstone2
t = touchstone2.read(sys.argv[1])
before = reset_peak()
start = time.perf_counter()
t.write(sys.argv[2])
elapsed = time.perf_counter() - start
growth = (kib("VmHWM:") - before) * 1024
arrays = t.frequency.nbytes + t.data.nbytes + t.reference.nbytes
start = time.perf_counter()
touchstone2.Touchstone.from_arrays(t.frequency, t.data, reference=t.reference)
print(elapsed, growth, arrays, time.perf_counter() - start)
"""
PEER_SCRIPT = MEMORY + r"""
import os, sys, time, warnings
warnings.simplefilter("ignore")
import numpy, skrf
network = skrf.Network(sys.argv[1])
folder, name = os.path.split(sys.argv[2])
before = reset_peak()
start = time.perf_counter()
network.write_touchstone(os.path.splitext(name)[0], dir=folder)
elapsed = time.perf_counter() - start
growth = (kib("VmHWM:") - before) * 1024
print(elapsed, growth, network.s.nbytes + network.f.nbytes, 0)
"""


def figures_of(python, script, *arguments):
    """The numbers the script prints last (a package may print notes of its
    own first)."""
    result = subprocess.run([python, "-c", script, *arguments], capture_output=True, text=True,
                            check=True)
    return [float(x) for x in result.stdout.strip().splitlines()[-1].split()]


def canonical_time(snpvet, path, out):
    start = time.perf_counter()
    with open(out, "wb") as f:
        subprocess.run([snpvet, "-canonical", path], stdout=f, check=True)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--snpvet", required=True, help="the snpvet binary")
    parser.add_argument("--python", default=sys.executable, help="imports touchstone2")
    parser.add_argument("--dir", default=generate.DEFAULT_DIR, help="the generated files")
    parser.add_argument("--runs", type=int, default=5, help="rounds, best kept")
    options = parser.parse_args()

    path = os.path.join(options.dir, FILE)
    out = tempfile.mkdtemp()
    results = {"touchstone2 write": [], "skrf write_touchstone": [], "snpvet -canonical": []}
    for _ in range(options.runs):
        results["touchstone2 write"].append(
            figures_of(options.python, WRITE_SCRIPT, path, os.path.join(out, "t2.s4p")))
        results["skrf write_touchstone"].append(
            figures_of(PEER_PYTHON, PEER_SCRIPT, path, os.path.join(out, "skrf.s4p")))
        results["snpvet -canonical"].append(
            [canonical_time(options.snpvet, path, os.path.join(out, "cli.s4p")), None, None, 0])
    with open(os.path.join(out, "t2.s4p"), "rb") as a, open(os.path.join(out, "cli.s4p"),
                                                            "rb") as b:
        identical = a.read() == b.read()

    size = os.path.getsize(path)
    print("python: %s; snpvet: %s; %d cores" % (options.python, options.snpvet, os.cpu_count()))
    print()
    print("| %s, %.0f MB | time s | MB/s written | peak above start MB | arrays MB |"
          % (FILE, size / MB))
    print("|---|---:|---:|---:|---:|")
    best = {}
    for tool, runs in results.items():
        seconds = min(r[0] for r in runs)
        growth = None if runs[0][1] is None else max(r[1] for r in runs)
        best[tool] = (seconds, growth, runs[0][2])
        print("| %s | %.3f | %.0f | %s | %s |" % (
            tool, seconds, size / MB / seconds,
            "%.1f" % (growth / MB) if growth is not None else "",
            "%.1f" % (runs[0][2] / MB) if runs[0][2] else ""))
    print("| touchstone2 from_arrays | %.3f | | | |"
          % min(r[3] for r in results["touchstone2 write"]))
    write, growth, arrays = best["touchstone2 write"]
    peer, check = best["skrf write_touchstone"][0], best["snpvet -canonical"][0]
    limit = 1.5 * arrays + 16 * MIB
    verdicts = [("write %.3f s at least 5 x faster than skrf %.3f s (%.1f x)"
                 % (write, peer, peer / write), peer >= 5 * write),
                ("write %.3f s within 2 x the CLI's -canonical %.3f s (%.2f x)"
                 % (write, check, write / check), write <= 2 * check),
                ("peak memory of write %.1f MB <= 1.5 x arrays + 16 MiB = %.1f MB"
                 % (growth / MB, limit / MB), growth <= limit),
                ("write's bytes equal -canonical's", identical)]
    print()
    for text, ok in verdicts:
        print("- %s %s" % ("PASS" if ok else "FAIL", text))
    return 0 if all(ok for _, ok in verdicts) else 1


if __name__ == "__main__":
    sys.exit(main())
