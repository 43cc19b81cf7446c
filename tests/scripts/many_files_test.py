#!/usr/bin/env python3
"""Limits a run over a big folder must keep: a thousand files, forty folders deep, checked with
at most 12 descriptors open (the walk holds one folder open, each worker one file), all counted;
a reader that stops after the first line (`snpvet DIR | head -1`) ends the run quietly, killed by
SIGPIPE as usual or, where SIGPIPE is ignored, with status 1 and nothing on stderr."""
import os, resource, signal, subprocess, sys, tempfile

from script_common import checker, finish

COUNT, DEPTH = 1000, 40


def make_tree(root):
    folder = root
    for level in range(DEPTH):
        folder = os.path.join(folder, "level%02d" % level)
        os.makedirs(folder)
        for i in range(COUNT // DEPTH):
            with open(os.path.join(folder, "f%03d.s1p" % i), "w") as f:
                f.write("# GHz\n1 0.5 -10\n")


def main():
    snpvet = checker()
    problems = []
    with tempfile.TemporaryDirectory(prefix="snpvet-many-") as root:
        make_tree(root)
        few = lambda: resource.setrlimit(resource.RLIMIT_NOFILE, (12, 12))
        done = subprocess.run([snpvet, "-q", "-j", "4", root], capture_output=True,
                              preexec_fn=few, timeout=60)
        want = b"%d files: %d valid, 0 invalid, 0 warnings\n" % (COUNT, COUNT)
        if (done.returncode, done.stdout, done.stderr) != (0, b"", want):
            problems.append("12 descriptors: status %d, stderr %r" % (done.returncode,
                                                                     done.stderr[-300:]))
        for ignored in (False, True):
            def reader_goes_away():
                signal.signal(signal.SIGPIPE, signal.SIG_IGN if ignored else signal.SIG_DFL)
            run = subprocess.Popen([snpvet, "-j", "2", root], stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, preexec_fn=reader_goes_away)
            run.stdout.readline()
            run.stdout.close()
            err = run.stderr.read()
            status = run.wait(timeout=60)
            if err or status != (1 if ignored else -signal.SIGPIPE):
                problems.append("reader gone (SIGPIPE %s): status %d, stderr %r" % (
                    "ignored" if ignored else "default", status, err[:300]))
    return finish(problems, "%d files, %d deep; %d problems" % (COUNT, DEPTH, len(problems)))


if __name__ == "__main__":
    sys.exit(main())
