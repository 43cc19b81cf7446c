#!/usr/bin/env python3
"""A file that another process truncates while snpvet reads it.

Usage: truncation_test.py --snpvet PATH [--megabytes N]

Builds a large valid v1 file (about 200 MB), starts snpvet on it and, after a
series of delays, truncates the file from this process: to half its size (cut
mid-line), to a few bytes, to nothing, and to half and back to full size
(the lost half comes back as NUL bytes). A reader that mapped the file would
die of SIGBUS when the pages under it vanish; snpvet must end every run with
exit status 0 or 1, never by a signal, within the time limit, with at most one
"error E" line, the last one on stderr.

What each run ended with is printed (how often the truncation came before the
file was opened, while it was read, or after), then "N passed, N failed".
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

MB = 1024 * 1024
TIME_LIMIT = 60.0
DELAYS = (0.0, 0.002, 0.005, 0.01, 0.02, 0.04, 0.07, 0.1, 0.15, 0.25, 0.5)
PADDING = b"x" * 96


def build_file(path, megabytes):
    """A valid 1-port v1 file: one point per line, each line padded with a
    comment, so that the file is large while the parsed data stay small."""
    target = megabytes * MB
    written = 0
    point = 1
    with open(path, "wb") as f:
        f.write(b"! large file for the truncation test\n# Hz S MA R 50\n")
        while written < target:
            chunk = b"".join(b"%d 0.5 -10 ! %s\n" % (point + i, PADDING) for i in range(20000))
            point += 20000
            f.write(chunk)
            written += len(chunk)
    return os.path.getsize(path)


def shrink_half(path, size):
    os.truncate(path, size // 2 + 7)


def shrink_tiny(path, size):
    os.truncate(path, 20)


def shrink_empty(path, size):
    os.truncate(path, 0)


def shrink_and_regrow(path, size):
    os.truncate(path, size // 2)
    os.truncate(path, size)


TRUNCATIONS = (
    ("to half", shrink_half),
    ("to 20 bytes", shrink_tiny),
    ("to 0 bytes", shrink_empty),
    ("to half and back", shrink_and_regrow),
)


def error_lines(stderr):
    return [line for line in stderr.splitlines() if b" error E" in line]


def run_once(snpvet, directory, name, pristine, size, delay, truncate, args):
    path = os.path.join(directory, name)
    shutil.copyfile(pristine, path)
    with open(os.path.join(directory, ".stderr"), "w+b") as err:
        start = time.monotonic()
        process = subprocess.Popen([snpvet] + args + [name], cwd=directory,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=err)
        before = False
        truncated_at = 0.0
        if truncate is not None:
            time.sleep(delay)
            before = process.poll() is not None
            truncate(path, size)
            truncated_at = time.monotonic() - start
        try:
            status = process.wait(timeout=TIME_LIMIT)
            killed = False
        except subprocess.TimeoutExpired:
            process.kill()
            status = process.wait()
            killed = True
        seconds = time.monotonic() - start
        err.seek(0)
        stderr = err.read()
    return status, stderr, seconds, truncated_at, before, killed


def describe_outcome(status, stderr, before):
    if before:
        return "finished before the truncation"
    errors = error_lines(stderr)
    if status == 0:
        return "exit 0: valid (read before the cut, or cut at a valid place)"
    if errors:
        text = errors[-1].decode("latin-1")
        return text[text.find(" error E") + 1:][:70]
    return stderr.strip().splitlines()[-1].decode("latin-1")[:70] if stderr.strip() else "-"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--megabytes", type=int, default=200)
    options = parser.parse_args(argv[1:])
    snpvet = os.path.abspath(options.snpvet)
    directory = tempfile.mkdtemp(prefix="snpvet-truncation-")
    passed = failed = 0
    outcomes = {}
    try:
        pristine = os.path.join(directory, "pristine.s1p")
        size = build_file(pristine, options.megabytes)
        print("file: %.1f MB valid v1, %s" % (size / MB, snpvet))
        status, stderr, seconds, _, _, _ = run_once(snpvet, directory, "whole.s1p", pristine, size,
                                                    0.0, None, [])
        print("untouched: exit %d in %.2f s" % (status, seconds))
        if status != 0:
            print("FAIL: the untouched file is not valid: %r" % stderr[-300:])
            failed += 1
        for label, truncate in TRUNCATIONS:
            for delay in DELAYS:
                args = ["-describe"] if delay in (0.01, 0.1) else []
                status, stderr, seconds, at, before, killed = run_once(
                    snpvet, directory, "dut.s1p", pristine, size, delay, truncate, args)
                problems = []
                if killed:
                    problems.append("still running after %.0f s" % TIME_LIMIT)
                elif status < 0:
                    problems.append("killed by signal %s" % signal.Signals(-status).name)
                elif status not in (0, 1):
                    problems.append("exit status %d" % status)
                errors = error_lines(stderr)
                if len(errors) > 1:
                    problems.append("%d error lines" % len(errors))
                elif errors and stderr.splitlines()[-1] != errors[0]:
                    problems.append("the error line is not the last line")
                if status == 1 and not stderr.strip():
                    problems.append("exit 1 without a diagnostic")
                outcome = describe_outcome(status, stderr, before)
                outcomes[outcome] = outcomes.get(outcome, 0) + 1
                print("%-4s %-17s delay %5.3f s (done at %.3f s) %-9s exit %2d %5.2f s  %s"
                      % ("FAIL" if problems else "ok", label, delay, at,
                         " ".join(args) or "check", status, seconds, outcome))
                for problem in problems:
                    print("     PROBLEM: %s" % problem)
                if problems:
                    failed += 1
                else:
                    passed += 1
                sys.stdout.flush()
    finally:
        shutil.rmtree(directory, ignore_errors=True)
    print("outcomes:")
    for outcome, count in sorted(outcomes.items(), key=lambda item: -item[1]):
        print("  %3d  %s" % (count, outcome))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
