#!/usr/bin/env python3
"""Of the Touchstone files that python3-scikit-rf ships, snpvet refuses the known ones at the known
place and accepts the others with no diagnostic but the known one (the Python module's test
compares their values with the peer's reader); the files of examples/ and python/tests/files/ must
be accepted with no diagnostic. Every valid one goes through both writers: the -canonical output is
accepted again as v2.0 and describes the same (-describe but for the name and version); likewise
the -canonical-v1 output as v1, where v1 can express the input. A re-read repeats only the check's
warnings that the content carries (clipped numbers, nonphysical noise). Without scikit-rf the
other files are still checked: the exit status is then 77 (skipped) only if they pass. The fuzz
regressions go through the writers in the fuzz round-trip replay instead."""
import collections, glob, os, re, subprocess, sys, tempfile
from concurrent.futures import ThreadPoolExecutor

from script_common import ROOT, checker, finish

REAL = "/usr/lib/python3/dist-packages/skrf"
DIAGNOSED = {  # the sample files with a diagnostic: its place and code
    # The option line reads "# GHz S RI R (50+50j)": "(50+50j)" is no reference resistance.
    "io/tests/simple_touchstone.s2p": "2:14 E2104",
    # The last line, [End], has no line end.
    "tests/cst_example_6ports_V2.s6p": "6028:6 W2005",
    # Two network points at 1.5 GHz: frequencies must rise strictly (the peer lets it through).
    "tests/ntwk_noise.s2p": "12:16 E2311",
}
VERSIONS = {"1": 81, "2.0": 1}  # of the accepted real files
REFUSED = "snpvet: failed to write Touchstone v1 file: "
ONLY = REFUSED + "Touchstone v1 only supports "
SINGLE = ONLY + "a single reference impedance"
V1_LIMITS = {rb"(?im)^\[reference\]": SINGLE,  # what v1 cannot express
             # an option line's R and two numbers: one resistance per port (version 1.1)
             rb"(?im)^#[^!\n]*\sr[ \t]+[^\s!]+[ \t]+[-+.\d]": SINGLE,
             rb"(?im)^\[mixed-mode order\]": ONLY + "data in single-ended mode"}
CONTENT_WARNING = re.compile(r"warning (W23(?:01|02|21): .*)")
NAME_AND_VERSION = re.compile(r"filename: .*\nversion: (.*)\n")


def outcome(snpvet, path, writer, described, warnings):
    """What a written form gives: same, other content, the refusal, an error code or the run."""
    run = subprocess.run([snpvet, writer, path], capture_output=True, text=True)
    if run.returncode == 1 and not run.stdout and run.stderr.startswith(warnings + REFUSED[:-9]):
        return run.stderr[len(warnings):].strip()
    if run.returncode != 0 or run.stderr != warnings:
        return "exit %d, stderr %r" % (run.returncode, run.stderr)
    with tempfile.NamedTemporaryFile("w", suffix=os.path.splitext(path)[1]) as written:
        written.write(run.stdout)
        written.flush()
        again = subprocess.run([snpvet, "-describe", written.name], capture_output=True, text=True)
    if again.returncode != 0:
        return " ".join(re.findall(r"error (E\d+)", again.stderr)) or again.stderr
    kept = CONTENT_WARNING.findall(warnings)
    for line in again.stderr.splitlines():
        if not CONTENT_WARNING.search(line) or CONTENT_WARNING.search(line)[1] not in kept:
            return "warns " + line.split("warning ")[-1][:5]
        kept.remove(CONTENT_WARNING.search(line)[1])
    version = NAME_AND_VERSION.search(again.stdout)[1] == {"-canonical": "2.0"}.get(writer, "1")
    same = NAME_AND_VERSION.sub("", again.stdout) == NAME_AND_VERSION.sub("", described)
    return "same" if same and version else "other content"


def check(snpvet, label, path):
    """The failures of one input, and its version when it is a valid real file."""
    run = subprocess.run([snpvet, "-describe", path], capture_output=True, text=True)
    found = "; ".join(map(" ".join, re.findall(r":(\d+:\d+): \w+ ([EW]\d+):", run.stderr)))
    failed = []
    if found != DIAGNOSED.get(label, "") or run.returncode != ("E" in found):
        failed.append("%s: exit %d, %r" % (label, run.returncode, run.stderr))
    data = open(path, "rb").read()
    limits = [text for pattern, text in V1_LIMITS.items() if re.search(pattern, data)]
    expected = ("same", limits[0] if limits else "same")
    for writer, want in zip(("-canonical", "-canonical-v1"), () if run.returncode else expected):
        got = outcome(snpvet, path, writer, run.stdout, run.stderr)
        if got != want:
            failed.append("%s %s: %s, expected %s" % (label, writer, got, want))
    real = path.startswith(REAL)
    return failed, NAME_AND_VERSION.search(run.stdout)[1] if real and not run.returncode else None


def main():
    snpvet = checker()
    real = sorted(glob.glob(REAL + "/**/*.s*p", recursive=True))
    inputs = [(os.path.basename(path), path) for path in sorted(
        glob.glob(ROOT + "/examples/*.s*p") + glob.glob(ROOT + "/python/tests/files/*.s*p"))]
    inputs += [(os.path.relpath(path, REAL), path) for path in real]
    with ThreadPoolExecutor(2) as pool:
        results = list(pool.map(lambda item: check(snpvet, *item), inputs))
    failed = [line for lines, _ in results for line in lines]
    versions = collections.Counter(version for _, version in results if version)
    if real and versions != VERSIONS:
        failed.append("the valid real files by version: %s" % versions)
    return finish(failed, "%d inputs, and the count by version: %d passed, %d failed" % (
        len(inputs), len(inputs) + 1 - len(failed), len(failed))) or (0 if real else 77)


if __name__ == "__main__":
    sys.exit(main())
