#!/usr/bin/env python3
"""Compares snpvet's reading of real S-parameter files with a peer reader's.

Usage: peer_compare_test.py --snpvet <path-to-snpvet>

For every Touchstone file shipped with python3-scikit-rf (see
real_files_test.py) that snpvet accepts and that holds S-parameters, the
frequencies (in Hz) and every matrix element (real and imaginary part) that
`snpvet -describe` prints are compared with what the peer's own reader gives:
skrf.io.touchstone.Touchstone(path).get_sparameter_arrays(), the frequency
array in Hz and the complex array s[f, i, j].

Files with other parameters are skipped: the peer's array reader takes every
file for S-parameters and would compare Y, Z, H or G values as if they were
S, so there is nothing meaningful to compare.  Files that snpvet refuses are
left to real_files_test.py.

A disagreement fails the test unless it is in KNOWN_DISAGREEMENTS, where each
entry says which reader is right and why; a listed file that agrees again
fails too, so that the list stays exact.

Exit status: 0 passed, 1 failed, 77 skipped (the peer is not importable by
this interpreter).
"""

import argparse
import contextlib
import io
import os
import re
import sys

# The helpers are shared with real_files_test.py; importing it must leave no
# compiled files in the source tree.
sys.dont_write_bytecode = True
import real_files_test as corpus  # noqa: E402

# Which reader is right for each file on which the two disagree, keyed by the
# path relative to the peer's install folder.  None at present: on all files
# that both read, the two agree to six significant digits.  (The repeated
# frequency of tests/ntwk_noise.s2p, which the peer lets through, is refused
# by snpvet and so never reaches this comparison; real_files_expected.txt
# explains the refusal.)
KNOWN_DISAGREEMENTS = {
}

# snpvet prints every number with "%g", six significant digits, so a printed
# value v of a true value x has |v - x| <= 5e-6 * |x| (half a unit in the
# sixth digit, relative to the leading digit); the relative tolerance is
# measured against the larger of the two values so that a value that rounds
# at exactly half a unit still passes.
RELATIVE_TOLERANCE = 5e-6
# A part that is tiny against its element's magnitude is only conversion
# residue (cos(90 degrees) is 6.1e-17, not 0, and the two readers turn
# degrees into radians in different orders; on these files such parts
# differ by up to 5e-16 of the magnitude), so parts may also differ by this
# fraction of the element's magnitude: far below what six digits of any
# part that matters can show.
FLOOR_OF_MAGNITUDE = 1e-12

FREQUENCY_LINE = re.compile(r"^  frequency point #([0-9]+): (\S+) Hz$")
ELEMENT_LINE = re.compile(r"^    ([A-Z_]?)\[([0-9]+),([0-9]+)\] = (\S+) +([+-]) (\S+) *j$")
REPORT_LIMIT = 5


class Description(object):
    """The network data of one -describe output."""

    def __init__(self):
        self.contents = None
        self.ports = None
        self.frequencies = []
        self.elements = []    # per point, a dict (row, col) -> complex


def parse_description(text):
    description = Description()
    section = None
    for line in corpus.text_lines(text):
        if line.startswith("  contents: "):
            description.contents = line[len("  contents: "):]
        elif line.startswith("  number: "):
            description.ports = int(line[len("  number: "):])
        elif line in ("NETWORK PARAMETERS", "NOISE PARAMETERS"):
            section = line
        elif section == "NETWORK PARAMETERS":
            parse_network_line(description, line)
    return description


def parse_network_line(description, line):
    match = FREQUENCY_LINE.match(line)
    if match:
        description.frequencies.append(float(match.group(2)))
        description.elements.append({})
        return
    match = ELEMENT_LINE.match(line)
    if match:
        imaginary = float(match.group(6))
        if match.group(5) == "-":
            imaginary = -imaginary
        row, col = int(match.group(2)) - 1, int(match.group(3)) - 1
        description.elements[-1][(row, col)] = complex(float(match.group(4)), imaginary)


def close(expected, actual, magnitude):
    if expected == actual:
        return True
    limit = (RELATIVE_TOLERANCE * max(abs(expected), abs(actual))
             + FLOOR_OF_MAGNITUDE * magnitude)
    return abs(expected - actual) <= limit


def compare(description, frequencies, parameters):
    """The differences between snpvet's description and the peer's arrays,
    as report lines; empty when they agree."""
    problems = []
    shape = getattr(parameters, "shape", ())
    ports = description.ports
    if len(frequencies) != len(description.frequencies) or tuple(shape[1:]) != (ports, ports):
        return ["  snpvet: %d points of %d x %d; peer: %d points, array shape %s"
                % (len(description.frequencies), ports, ports, len(frequencies), shape)]
    for k, frequency in enumerate(description.frequencies):
        peer_frequency = float(frequencies[k])
        if not close(peer_frequency, frequency, 0.0):
            problems.append("  point %d: frequency snpvet %r Hz, peer %r Hz"
                            % (k + 1, frequency, peer_frequency))
        for row in range(ports):
            for col in range(ports):
                mine = description.elements[k].get((row, col))
                peer = complex(parameters[k, row, col])
                if mine is None:
                    problems.append("  point %d: snpvet prints no element [%d,%d]"
                                    % (k + 1, row + 1, col + 1))
                    continue
                magnitude = max(abs(peer), abs(mine))
                if not (close(peer.real, mine.real, magnitude)
                        and close(peer.imag, mine.imag, magnitude)):
                    problems.append("  point %d (%g Hz), [%d,%d]: snpvet %r, peer %r"
                                    % (k + 1, frequency, row + 1, col + 1, mine, peer))
    if len(problems) > REPORT_LIMIT:
        problems = problems[:REPORT_LIMIT] + ["  ... %d differences in all" % len(problems)]
    return problems


def read_with_peer(touchstone, path):
    """The peer's arrays, or the text of the exception it raised.  The peer
    prints some of its complaints instead of raising; they are kept out of
    this test's output."""
    try:
        with contextlib.redirect_stdout(io.StringIO()):
            return touchstone.Touchstone(path).get_sparameter_arrays(), None
    except Exception as e:  # the peer raises anything from AssertionError to ValueError
        return None, "%s: %s" % (type(e).__name__, e)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--snpvet", required=True, help="path to snpvet")
    options = parser.parse_args(argv)
    program = corpus.resolve_program(options.snpvet)

    root = corpus.find_corpus()
    try:
        with contextlib.redirect_stdout(io.StringIO()):
            import skrf.io.touchstone as touchstone
    except ImportError as e:
        return corpus.skip("python3-scikit-rf is not importable by %s (%s)"
                           % (sys.executable, e))
    names = corpus.corpus_files(root) if root else []
    if not names:
        return corpus.skip("no Touchstone files in the python3-scikit-rf install folder")

    passed = failed = refused = 0
    skipped = []
    disagreeing = set()
    for name in names:
        status, text, _ = corpus.run_snpvet(program, ["-describe", name], root)
        if status != 0:
            refused += 1
            continue
        description = parse_description(text)
        if description.contents != "S-parameters":
            skipped.append((name, description.contents))
            print("skip %s: %s, not S-parameters" % (name, description.contents))
            continue
        arrays, error = read_with_peer(touchstone, os.path.join(root, name))
        problems = ["  the peer cannot read it: " + error] if error else compare(description, *arrays)
        if problems:
            disagreeing.add(name)
        known = KNOWN_DISAGREEMENTS.get(name)
        if problems and known:
            passed += 1
            print("ok   %s (known disagreement: %s)" % (name, known))
        elif problems:
            failed += 1
            print("FAIL " + name)
            for line in problems:
                print(line)
        elif known:
            failed += 1
            print("FAIL %s: listed as a known disagreement but the readers now agree"
                  % name)
        else:
            passed += 1
            print("ok   %s (%d points, %d ports)"
                  % (name, len(description.frequencies), description.ports))
    for name in sorted(set(KNOWN_DISAGREEMENTS) - set(names)):
        failed += 1
        print("FAIL %s: listed as a known disagreement but not in the corpus" % name)

    print("corpus: %s; %d files, %d refused by snpvet (not compared), %d not S-parameters"
          % (root, len(names), refused, len(skipped)))
    summary = "%d passed, %d failed" % (passed, failed)
    if skipped:
        summary += ", %d skipped" % len(skipped)
    print(summary)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
