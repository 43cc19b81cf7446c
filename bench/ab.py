#!/usr/bin/env python3
"""Times two builds of snpvet against each other on one file, in all modes.

    bench/ab.py FILE ROUNDS NAME=SNPVET NAME=SNPVET

Each round runs every mode (check, -canonical, -canonical-v1, -describe)
once with each build, the order of the builds alternating from round to
round, so that load from elsewhere falls on both alike. Output goes to
/dev/null. For each build and mode it prints the median and the least wall
time (fork to wait) and CPU time (user + sys of the process, from wait4),
and the medians divided by that of the check of the same build. On a loaded
machine the CPU times are the steadier figure. Standard library only.
"""

import os
import statistics
import sys
import time

MODES = (("check", []), ("-canonical", ["-canonical"]), ("-canonical-v1", ["-canonical-v1"]),
         ("-describe", ["-describe"]))


def run(program, arguments, path):
    devnull = os.open(os.devnull, os.O_WRONLY)
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execv(program, [program] + arguments + [path])
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    os.close(devnull)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("%s %s failed" % (program, " ".join(arguments + [path])))
    return wall, usage.ru_utime + usage.ru_stime


def main(argv):
    if len(argv) != 4 or not all("=" in b for b in argv[2:]):
        sys.exit(__doc__.strip().split("\n\n")[1])
    path, rounds = argv[0], int(argv[1])
    builds = [b.split("=", 1) for b in argv[2:]]
    times = {(name, mode): ([], []) for name, _ in builds for mode, _ in MODES}
    print("load before: %.2f %.2f %.2f" % os.getloadavg())
    for number in range(rounds):
        for mode, arguments in MODES:
            for name, program in builds if number % 2 == 0 else reversed(builds):
                wall, cpu = run(program, arguments, path)
                times[(name, mode)][0].append(wall)
                times[(name, mode)][1].append(cpu)
    print("load after: %.2f %.2f %.2f" % os.getloadavg())
    print("%-8s %-14s %9s %9s %9s %9s %8s %8s" % ("build", "mode", "wall med", "wall min",
                                                  "cpu med", "cpu min", "x check", "x check"))
    print("%-8s %-14s %9s %9s %9s %9s %8s %8s" % ("", "", "s", "s", "s", "s", "wall", "cpu"))
    for name, _ in builds:
        check_wall, check_cpu = (statistics.median(t) for t in times[(name, "check")])
        for mode, _ in MODES:
            wall, cpu = times[(name, mode)]
            print("%-8s %-14s %9.3f %9.3f %9.3f %9.3f %8.2f %8.2f"
                  % (name, mode, statistics.median(wall), min(wall), statistics.median(cpu),
                     min(cpu), statistics.median(wall) / check_wall,
                     statistics.median(cpu) / check_cpu))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
