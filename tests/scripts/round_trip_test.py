#!/usr/bin/env python3
"""Round trip of every valid input through snpvet's two writers.

Usage: round_trip_test.py --snpvet <path-to-snpvet>

Inputs: the peer reader's real files that snpvet accepts (see
real_files_test.py), the sample files in examples/, and the input of every
end-to-end case (tests/e2e/*.cases) that checks a file and expects exit
status 0.

For each input and each writer (-canonical, -canonical-v1):

- the writer run reports the same warnings as a plain check and exits 0;
- its output is accepted by snpvet again: exit 0, nothing on stderr, and the
  verdict names the version written (v2.0 for -canonical, v1 for
  -canonical-v1);
- the -describe output of the rewritten file equals that of the original
  line for line, apart from the "filename:" and "version:" lines.

The description prints every number with six significant digits and the
writers keep sixteen, so the descriptions must match exactly; no numeric
tolerance is applied.  Two things the formats themselves rule out are
allowed, each exactly (see CONTENT_WARNINGS and check_writer): warnings
that the content carries (clipped numbers, nonphysical noise) coming back
on the re-read, and a version 1 file without data, which has no version 2.0
form: -canonical must refuse it (exit 1, nothing written).

-canonical-v1 may refuse a file only because version 1 cannot express it:
per-port reference impedances ([Reference]) or a [Mixed-Mode Order].  The
input text is scanned for those keywords independently of snpvet, and the
refusal must be exactly the one expected (the reference impedances are
tested first); a file without either keyword must be written.

Exit status: 0 passed, 1 failed, 77 skipped (the peer's real files are not
installed for this interpreter; everything else is still run and any failure
still gives 1).
"""

import argparse
import difflib
import os
import re
import shutil
import sys
import tempfile

# The helpers are shared with real_files_test.py; importing it (and the case
# reader of tests/e2e) must leave no compiled files in the source tree.
sys.dont_write_bytecode = True
import real_files_test as corpus  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
EXAMPLES = os.path.join(REPO, "examples")
E2E = os.path.join(REPO, "tests", "e2e")
TOUCHSTONE_NAME = re.compile(r"\.(s[0-9]+p|ts)$", re.IGNORECASE)
NON_CHECK_OPTIONS = ("-h", "-help", "-version")
DIFF_LINES = 40

WRITERS = (
    # option, version word in the verdict and in the description
    ("-canonical", "v2.0", "2.0"),
    ("-canonical-v1", "v1", "1"),
)
V1_REFUSAL = "snpvet: failed to write Touchstone v1 file: "
V2_REFUSAL = "snpvet: failed to write Touchstone v2 file: "
NO_NETWORK_DATA = "the file has no network data"
SINGLE_REFERENCE = "Touchstone v1 only supports a single reference impedance"
SINGLE_ENDED = "Touchstone v1 only supports data in single-ended mode"


class Input(object):
    """One valid input: a label for the report, the folder it sits in, its
    name there, and whether snpvet must accept it (a real file that snpvet
    refuses is the business of real_files_test.py, not of this test)."""

    def __init__(self, label, directory, name, must_be_valid):
        self.label = label
        self.directory = directory
        self.name = name
        self.must_be_valid = must_be_valid

    def data(self):
        with open(os.path.join(self.directory, self.name), "rb") as f:
            return f.read()


# ---------------------------------------------------------------------------
# Gathering the inputs.

def real_inputs():
    root = corpus.find_corpus()
    if root is None:
        return None
    names = corpus.corpus_files(root)
    if not names:
        return None
    return [Input("real " + name, root, name, False) for name in names]


def example_inputs():
    found = []
    for directory, subdirectories, names in os.walk(EXAMPLES):
        subdirectories.sort()
        for name in sorted(names):
            if TOUCHSTONE_NAME.search(name):
                path = os.path.join(directory, name)
                label = "example " + os.path.relpath(path, REPO).replace(os.sep, "/")
                found.append(Input(label, directory, name, True))
    return found


def checks_its_file(case):
    """True when the case runs a check of its own input file."""
    if case.input is None or case.expected_status != 0:
        return False
    words = case.argv()
    if case.file not in words or any(w in NON_CHECK_OPTIONS for w in words):
        return False
    return not any(name == case.file for _, name in case.setup)


def case_inputs(scratch, checker):
    """Writes the input of every case that checks its file and expects exit
    status 0 into `scratch`, one folder per case.  A .cases file that cannot
    be read is reported as a failure."""
    sys.path.insert(0, E2E)
    import run_cases
    found = []
    for path in sorted(os.listdir(E2E)):
        if not path.endswith(".cases"):
            continue
        try:
            with open(os.path.join(E2E, path), "rb") as f:
                cases = run_cases.parse_cases(f.read())
        except run_cases.CaseFileError as e:
            checker.result("cases " + path, ["  line %d: %s" % (e.line_number, e.message)])
            continue
        for case in cases:
            if not checks_its_file(case):
                continue
            directory = os.path.join(scratch, "case%d" % len(found))
            target = os.path.join(directory, case.file)
            os.makedirs(os.path.dirname(target))
            with open(target, "wb") as f:
                f.write(case.input)
            found.append(Input("case %s: %s" % (path, case.name), directory,
                               case.file, True))
    return found


# ---------------------------------------------------------------------------
# What version 1 cannot express, read from the input text.

def keywords_of(data):
    """The keyword names (lower case) that stand in column 1 of the input,
    outside the information block, whose lines are not interpreted."""
    names = []
    inside_information = False
    for line in re.split(rb"\r\n|\r|\n", data):
        match = re.match(rb"\[([^\]]*)\]", line)
        if not match:
            continue
        name = match.group(1).decode("latin-1").lower()
        if inside_information:
            inside_information = name != "end information"
        elif name == "begin information":
            inside_information = True
        else:
            names.append(name)
    return names


def expected_v1_refusal(data):
    """The refusal text -canonical-v1 must give, or None when version 1 can
    express the file."""
    names = keywords_of(data)
    if "reference" in names:
        return SINGLE_REFERENCE
    if "mixed-mode order" in names:
        return SINGLE_ENDED
    return None


# ---------------------------------------------------------------------------
# Checking one input.

def argument(name):
    """A file name that cannot be taken for an option."""
    return "./" + name if name.startswith("-") else name


def without_name_and_version(description):
    return [line for line in corpus.text_lines(description)
            if not line.startswith(("filename: ", "version: "))]


def diff(expected, actual, expected_name, actual_name):
    lines = list(difflib.unified_diff(expected, actual, expected_name,
                                      actual_name, lineterm=""))
    if len(lines) > DIFF_LINES:
        lines = lines[:DIFF_LINES] + ["... (%d more diff lines)" % (len(lines) - DIFF_LINES)]
    return ["    " + line for line in lines]


def shown(data):
    lines = corpus.text_lines(data)
    return ["    " + line for line in lines[:10]] + (["    ..."] if len(lines) > 10 else [])


# Warnings that the content itself carries come back when the rewritten file
# is read, so a clean re-read is impossible for them:
# - W2321: a negative minimum noise figure is written as it is;
# - W2301, W2302: a number clipped to the largest or smallest double does
#   not survive as text: sixteen digits round the largest finite double up
#   (1.797693134862316e+308 overflows) and the smallest normal one down
#   (2.225073858507201e-308 is subnormal), and the six digits of the noise
#   rows and of R do the same.
# Each such warning of the re-read must pair with one of the original's with
# the same code and message (positions differ).  Any other warning, or one
# more than the original gave, is a failure.
CONTENT_WARNINGS = ("W2301", "W2302", "W2321")
WARNING_LINE = re.compile(r"^.*?: warning (W[0-9]{4}): (.*)$")


def unexplained_warnings(stderr, original):
    available = []
    for line in corpus.text_lines(original):
        match = WARNING_LINE.match(line)
        if match and match.group(1) in CONTENT_WARNINGS:
            available.append(match.groups())
    unexplained = []
    for line in corpus.text_lines(stderr):
        match = WARNING_LINE.match(line)
        if match and match.groups() in available:
            available.remove(match.groups())
        else:
            unexplained.append(line)
    return unexplained


def without_network_data(description):
    lines = corpus.text_lines(description)
    try:
        index = lines.index("NETWORK PARAMETERS")
    except ValueError:
        return False
    return lines[index + 1:index + 2] == ["  <none>"]


class Checker(object):
    def __init__(self, program, scratch):
        self.program = program
        self.scratch = scratch
        self.passed = 0
        self.failed = 0
        self.not_valid = 0
        self.v1_refusals = 0

    def run(self, arguments, directory):
        return corpus.run_snpvet(self.program, arguments, directory)

    def result(self, label, report):
        if report:
            self.failed += 1
            print("FAIL " + label)
            for line in report:
                print(line)
        else:
            self.passed += 1
            print("ok   " + label)

    def check_input(self, item):
        name = argument(item.name)
        status, _, warnings = self.run([name], item.directory)
        if status != 0:
            if item.must_be_valid:
                self.result(item.label, ["  snpvet refuses this input (exit %d):" % status]
                            + shown(warnings))
            else:
                self.not_valid += 1
            return
        status, description, stderr = self.run(["-describe", name], item.directory)
        if status != 0 or stderr != warnings:
            self.result(item.label + " (-describe)",
                        ["  -describe exits %d; stderr:" % status] + shown(stderr))
            return
        for option, verdict, version in WRITERS:
            report = self.check_writer(item, name, warnings, description,
                                       option, verdict, version)
            self.result("%s (%s)" % (item.label, option), report)

    def check_writer(self, item, name, warnings, description, option, verdict, version):
        status, output, stderr = self.run([option, name], item.directory)
        if option == "-canonical-v1":
            prefix, refusal = V1_REFUSAL, expected_v1_refusal(item.data())
        else:
            prefix = V2_REFUSAL
            refusal = NO_NETWORK_DATA if without_network_data(description) else None
        if refusal is not None:
            expected = warnings + (prefix + refusal + "\n").encode("ascii")
            if status == 1 and output == b"" and stderr == expected:
                if option == "-canonical-v1":
                    self.v1_refusals += 1
                return []
            return (["  expected the refusal '%s' (exit 1, no output); got exit %d, stderr:"
                     % (refusal, status)] + shown(stderr)
                    + ["  stdout:"] + shown(output))
        if status != 0 or stderr != warnings:
            return (["  %s exits %d; stderr (expected only the check's warnings):"
                     % (option, status)] + shown(stderr))
        return self.check_rewritten(item, output, warnings, description, verdict, version)

    def check_rewritten(self, item, output, warnings, description, verdict, version):
        directory = tempfile.mkdtemp(dir=self.scratch)
        rewritten = "rewritten" + os.path.splitext(item.name)[1]
        with open(os.path.join(directory, rewritten), "wb") as f:
            f.write(output)
        status, stdout, stderr = self.run([rewritten], directory)
        report = []
        expected_verdict = ("%s: %s\n" % (rewritten, corpus.VERDICTS["valid " + verdict])).encode()
        unexplained = unexplained_warnings(stderr, warnings)
        if status != 0 or stdout != expected_verdict or unexplained:
            report += ["  the rewritten file is not accepted cleanly as %s (exit %d):"
                       % (verdict, status)] + shown(stderr) + shown(stdout)
            report += ["  rewritten file:"] + shown(output)
            return report
        status, again, stderr = self.run(["-describe", rewritten], directory)
        if "version: " + version not in corpus.text_lines(again):
            report.append("  the rewritten file's description lacks 'version: %s'" % version)
        before = without_name_and_version(description)
        after = without_name_and_version(again)
        if before != after:
            report.append("  descriptions differ:")
            report += diff(before, after, "original", "rewritten")
        return report


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--snpvet", required=True, help="path to snpvet")
    options = parser.parse_args(argv)
    program = corpus.resolve_program(options.snpvet)

    scratch = tempfile.mkdtemp(prefix="snpvet-round-trip-")
    try:
        checker = Checker(program, scratch)
        real = real_inputs()
        inputs = (real or []) + example_inputs() + case_inputs(scratch, checker)
        for item in inputs:
            checker.check_input(item)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    print("inputs: %d real files (%d of them refused by snpvet, not round-tripped), "
          "%d examples, %d end-to-end cases"
          % (len(real or []), checker.not_valid,
             sum(1 for i in inputs if i.label.startswith("example ")),
             sum(1 for i in inputs if i.label.startswith("case "))))
    print("-canonical-v1 refusals checked against the input's keywords: %d"
          % checker.v1_refusals)
    summary = "%d passed, %d failed" % (checker.passed, checker.failed)
    if real is None:
        print("skipped: the real files of python3-scikit-rf (not importable by %s)"
              % sys.executable)
        print(summary + ", 1 skipped")
        return 1 if checker.failed else corpus.SKIPPED
    print(summary)
    return 1 if checker.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
