#!/usr/bin/env python3
"""Measures snpvet against a floor and a peer, side by side, on the same files.

For every benchmark file (bench/generate.py writes them) it runs, each
several times, the programs taking turns, and keeping the best: snpvet FILE (the check), -canonical,
-canonical-v1 and -describe (output to /dev/null), the floor reader
(snpvet_floor: from_chars over every number, nothing checked), `wc -w`, and
the scikit-rf reader where it is installed (only the reading is timed, inside
the interpreter). It prints time, MB/s, peak RSS and the ratios, then checks
the targets on the 30 MB four-port file and the flatness of the check from
3 MB to 300 MB.

    bench/run.py [--snpvet PATH] [--floor PATH] [--dir DIR] [--runs N]
                 [--big-runs N] [--peer-runs N] [--no-peer] [--only NAME ...]
                 [--markdown FILE]

Peak RSS is `/usr/bin/time -f %M` of one more run (the interpreter's rusage
would count its own pages, copied into the child before the exec); the peer's
RSS is that of the whole interpreter. Exit status 0 when every
target holds, 1 otherwise.
"""

import argparse
import os
import platform
import subprocess
import sys
import time

import generate  # the folder it writes to by default

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
MB = 1000 * 1000
PEER_PYTHON = "/usr/bin/python3"
TIME = "/usr/bin/time"

# The reading alone is timed; importing the package is not.
PEER_SCRIPT = r"""
import sys, time, warnings
warnings.simplefilter("ignore")
import skrf
start = time.perf_counter()
network = skrf.Network(sys.argv[1])
elapsed = time.perf_counter() - start
print("%.6f %d" % (elapsed, network.s.size))
"""

# name as in generate.py -> (file name, runs class)
FILES = [
    ("ri3", "v1_4port_ri_3mb.s4p", "small"),
    ("ri30", "v1_4port_ri_30mb.s4p", "normal"),
    ("ri300", "v1_4port_ri_300mb.s4p", "big"),
    ("p1", "v1_1port_2m.s1p", "normal"),
    ("upper16", "v2_16port_upper.s16p", "normal"),
    ("full100", "v2_100port_full.s100p", "normal"),
    ("noise2", "v1_2port_noise.s2p", "normal"),
]

MODES = [
    ("check", []),
    ("-canonical", ["-canonical"]),
    ("-canonical-v1", ["-canonical-v1"]),
    ("-describe", ["-describe"]),
]


def run_once(argv):
    """Wall time, CPU time and peak RSS (bytes) of one run; stdout to
    /dev/null. Raises on a non-zero exit."""
    start = time.perf_counter()
    with open(os.devnull, "wb") as null:
        process = subprocess.Popen(argv, stdout=null, stderr=subprocess.PIPE)
        _, status, usage = os.wait4(process.pid, 0)
        stderr = process.stderr.read()
        process.stderr.close()
    wall = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise RuntimeError("%s exited with %d: %s" % (" ".join(argv), process.returncode,
                                                      stderr.decode(errors="replace")[:300]))
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss * 1024


def peak_rss(argv):
    """Peak RSS in bytes, from one more run under /usr/bin/time: a child forked
    from this interpreter would count the interpreter's pages, copied before
    the exec, in its own maximum."""
    with open(os.devnull, "wb") as null:
        result = subprocess.run([TIME, "-f", "%M"] + argv, stdout=null,
                                stderr=subprocess.PIPE, check=True)
    return int(result.stderr.decode().strip().splitlines()[-1]) * 1024


def best_of(argv, runs):
    results = [run_once(argv) for _ in range(runs)]
    return {"time": min(r[0] for r in results), "cpu": min(r[1] for r in results),
            "rss": peak_rss(argv) if os.path.exists(TIME) else max(r[2] for r in results)}


def interleaved_best(tools, runs):
    """Best of runs for every tool, the tools taking turns round by round, so
    that a burst of load from elsewhere on a shared machine falls on all of
    them alike rather than on one."""
    results = {tool: [] for tool, _ in tools}
    for _ in range(runs):
        for tool, argv in tools:
            results[tool].append(run_once(argv))
    figures = {}
    for tool, argv in tools:
        times = results[tool]
        figures[tool] = {"time": min(r[0] for r in times), "cpu": min(r[1] for r in times),
                         "rss": peak_rss(argv) if os.path.exists(TIME)
                         else max(r[2] for r in times)}
    return figures


def peer_once(path):
    start = time.perf_counter()
    with subprocess.Popen([PEER_PYTHON, "-c", PEER_SCRIPT, path], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE) as process:
        _, status, usage = os.wait4(process.pid, 0)
        out = process.stdout.read().decode()
        err = process.stderr.read().decode(errors="replace")
    if os.waitstatus_to_exitcode(status) != 0:
        last = err.strip().splitlines()[-1] if err.strip() else "failed"
        raise RuntimeError(last)
    # The package may print notes of its own first; the figure is the last line.
    elapsed = float(out.strip().splitlines()[-1].split()[0])
    return elapsed, usage.ru_maxrss * 1024


def peer_best(path, runs):
    results = [peer_once(path) for _ in range(runs)]
    rss = max(r[1] for r in results)
    if os.path.exists(TIME):
        rss = peak_rss([PEER_PYTHON, "-c", PEER_SCRIPT, path])
    return {"time": min(r[0] for r in results), "cpu": None, "rss": rss}


def peer_available():
    if not os.path.exists(PEER_PYTHON):
        return False
    return subprocess.run([PEER_PYTHON, "-c", "import skrf"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def machine():
    model = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        total = int(f.readline().split()[1]) // 1024
    return "%d cores, %s, %d MiB memory, %s" % (os.cpu_count(), model, total,
                                                 platform.platform())


def find_binary(given, names):
    if given:
        return os.path.abspath(given)
    for name in names:
        for build in sorted(os.listdir(os.path.dirname(REPO))):
            path = os.path.join(os.path.dirname(REPO), build, name)
            if build.startswith("build") and os.access(path, os.X_OK):
                return path
    sys.exit("run.py: cannot find %s; give its path" % names[0])


def fmt_time(seconds):
    return "-" if seconds is None else "%.3f" % seconds


def measure(options, snpvet, floor, use_peer):
    rows = []
    for name, file_name, size_class in FILES:
        if options.only and name not in options.only:
            continue
        path = os.path.join(options.dir, file_name)
        if not os.path.exists(path):
            print("missing %s (run bench/generate.py)" % path, file=sys.stderr)
            continue
        size = os.path.getsize(path)
        runs = {"small": options.runs * 2, "normal": options.runs,
                "big": options.big_runs}[size_class]
        tools = [(mode, [snpvet] + args + [path]) for mode, args in MODES]
        tools += [("floor", [floor, path]), ("wc -w", ["wc", "-w", path])]
        figures = interleaved_best(tools, runs)
        for tool, _ in tools:
            print("  %-22s %-14s %8.3f s" % (file_name, tool, figures[tool]["time"]),
                  file=sys.stderr)
        if use_peer and (size_class != "big" or options.peer_on_big):
            try:
                figures["scikit-rf"] = peer_best(path, options.peer_runs)
            except RuntimeError as error:
                figures["scikit-rf"] = {"time": None, "cpu": None, "rss": None,
                                        "error": str(error)}
        rows.append((name, file_name, size, runs, figures))
    return rows


TINY_FILE = "# GHz S RI R 50\n1 0.5 -0.5\n"


def startup_time(snpvet, floor, directory, runs):
    """Best times of both programs on a one-point file: what every run costs
    before it reads a byte (loading, start-up, exit)."""
    path = os.path.join(directory, "tiny.s1p")
    with open(path, "w") as f:
        f.write(TINY_FILE)
    return {"check": best_of([snpvet, path], runs)["time"],
            "floor": best_of([floor, path], runs)["time"]}


def print_table(rows, out):
    out.write("| file | MB | tool | runs | time s | MB/s | peak RSS MB | x check | x floor |\n")
    out.write("|---|---:|---|---:|---:|---:|---:|---:|---:|\n")
    for _, file_name, size, runs, figures in rows:
        check = figures["check"]["time"]
        floor = figures["floor"]["time"]
        for tool, f in figures.items():
            if f["time"] is None:
                out.write("| %s | %.1f | %s | | n/a: %s | | | | |\n" %
                          (file_name, size / MB, tool, f.get("error", "")[:90]))
                continue
            out.write("| %s | %.1f | %s | %s | %.3f | %.0f | %.1f | %.2f | %.2f |\n" % (
                file_name, size / MB, tool, runs if tool != "scikit-rf" else "",
                f["time"], size / MB / f["time"], f["rss"] / MB, f["time"] / check,
                f["time"] / floor))


def check_targets(rows, startup, out):
    """The targets, from the 30 MB four-port file of this run."""
    by_name = {name: (size, figures) for name, _, size, _, figures in rows}
    verdicts = []

    def verdict(text, ok):
        verdicts.append(ok)
        out.write("- %s %s\n" % ("PASS" if ok else "FAIL", text))

    if "ri30" in by_name:
        size, f = by_name["ri30"]
        check = f["check"]["time"]
        floor = f["floor"]["time"]
        verdict("check %.3f s <= 1.5 x floor %.3f s (ratio %.2f)" % (check, floor, check / floor),
                check <= 1.5 * floor)
        verdict("check %.3f s < wc -w %.3f s" % (check, f["wc -w"]["time"]),
                check < f["wc -w"]["time"])
        peer = f.get("scikit-rf")
        if peer and peer["time"] is not None:
            verdict("scikit-rf %.3f s >= 10 x check (ratio %.1f)" % (peer["time"],
                                                                      peer["time"] / check),
                    peer["time"] >= 10 * check)
        for mode in ("-canonical", "-canonical-v1", "-describe"):
            t = f[mode]["time"]
            verdict("%s %.3f s <= 3 x check (ratio %.2f)" % (mode, t, t / check), t <= 3 * check)
        limit = 1.5 * size + 16 * 1024 * 1024
        worst = max(f[mode]["rss"] for mode, _ in MODES)
        verdict("peak RSS %.1f MB <= 1.5 x file + 16 MiB = %.1f MB" % (worst / MB, limit / MB),
                worst <= limit)
    names = [name for name in ("ri3", "ri30", "ri300") if name in by_name]
    if len(names) >= 2:
        rates = [(name, by_name[name][0] / MB / by_name[name][1]["check"]["time"])
                 for name in names]
        low = min(r for _, r in rates)
        high = max(r for _, r in rates)
        verdict("check throughput flat within 25%%: %s (spread %.0f%%)" % (
            ", ".join("%s %.0f MB/s" % r for r in rates), 100 * (high - low) / high),
            low >= 0.75 * high)
        # The same less what a run costs before it reads anything: for the
        # small file that is a good part of its time.
        net = [(name, by_name[name][0] / MB /
                (by_name[name][1]["check"]["time"] - startup["check"])) for name in names]
        low = min(r for _, r in net)
        high = max(r for _, r in net)
        out.write("- (information) less the %.4f s a one-point file takes: %s (spread %.0f%%)\n" % (
            startup["check"], ", ".join("%s %.0f MB/s" % r for r in net),
            100 * (high - low) / high))
    return all(verdicts)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--snpvet", help="the snpvet binary (default: found in ../build-*)")
    parser.add_argument("--floor", help="the snpvet_floor binary")
    parser.add_argument("--dir", default=generate.DEFAULT_DIR, help="the generated files")
    parser.add_argument("--runs", type=int, default=5, help="runs per figure, best kept")
    parser.add_argument("--big-runs", type=int, default=2, help="runs on the 300 MB file")
    parser.add_argument("--peer-runs", type=int, default=2, help="runs of the peer reader")
    parser.add_argument("--peer-on-big", action="store_true", help="peer on 300 MB too")
    parser.add_argument("--no-peer", action="store_true", help="leave scikit-rf out")
    parser.add_argument("--only", nargs="*", help="file names as in generate.py")
    parser.add_argument("--markdown", help="also write the report to this file")
    options = parser.parse_args()

    snpvet = find_binary(options.snpvet, ["snpvet"])
    floor = find_binary(options.floor, ["bench/snpvet_floor"])
    use_peer = not options.no_peer and peer_available()

    head = ["machine: " + machine(),
            "snpvet: " + snpvet, "floor: " + floor,
            "peer: " + ("scikit-rf via %s" % PEER_PYTHON if use_peer else "not used"),
            "load average before: " + load_average()]
    rows = measure(options, snpvet, floor, use_peer)
    startup = startup_time(snpvet, floor, options.dir, options.runs * 4)
    head.append("load average after: " + load_average())
    head.append("one-point file (start-up and exit): check %.4f s, floor %.4f s" % (
        startup["check"], startup["floor"]))

    class Both:
        def __init__(self, files):
            self.files = files

        def write(self, text):
            for f in self.files:
                f.write(text)

    files = [sys.stdout]
    if options.markdown:
        files.append(open(options.markdown, "w"))
    out = Both(files)
    for line in head:
        out.write(line + "\n")
    out.write("\n")
    print_table(rows, out)
    out.write("\nTargets (30 MB four-port file, this run):\n")
    ok = check_targets(rows, startup, out)
    for f in files[1:]:
        f.close()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
