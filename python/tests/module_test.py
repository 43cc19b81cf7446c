#!/usr/bin/env python3
"""The touchstone2 module against the checker (the program SNPVET names) and scikit-rf."""

import contextlib
import functools
import io
import os
import random
import re
import resource
import subprocess
import sys
import tempfile
import time
import unittest

import numpy as np

import touchstone2

with contextlib.redirect_stdout(io.StringIO()):  # scikit-rf may print on import
    try:
        import skrf.io.touchstone
    except ImportError:
        skrf = None

HERE = os.path.dirname(os.path.abspath(__file__))
LINE = re.compile(r"^(.*?):(?:(\d+):)?(?:(\d+):)? (error|warning) [EW](\d+): (.*)$")
# Refused by the checker; the first after a warning.
REFUSED = [b"# GHz S MA R 50\n1 0.5 0\n# MHz S RI\n2 0.5 x\n", b"", b"! only a comment\n",
           b"# Hz S RI\n2 0 0\n1 0 0\n", b"# GHz S RI\n1 0.5 \x01 0\n",
           b"# GHz S RI ! 25\xc2\xb0C\n1 0.5 0\n",  # the message must be printable UTF-8
           b"[Version] 2.0\n# GHz S RI\n[Number of Ports] 1\n[Number of Frequencies] 2\n"
           b"[Network Data]\n1 0.5 0\n[End]\n"]
HOSTILE = [b"[Version] 2.0\n# GHz S RI\n[Number of Ports] 2147483647\n"
           b"[Number of Frequencies] 2147483647\n[Network Data]\n1 0 0\n",
           b"# GHz S RI\n1" + b" 0.5" * 3000000, b"# GHz S RI\n1 0.5 0\n\0\0",
           random.Random(11).randbytes(1 << 20), random.Random(12).randbytes(99)]
close = functools.partial(np.testing.assert_allclose, rtol=1e-12)
same = np.testing.assert_array_equal


def run(*args):
    done = subprocess.run([os.environ["SNPVET"], *args], capture_output=True, timeout=120)
    return done.returncode, done.stdout.decode(), done.stderr.decode().splitlines()


def printed(*arrays):
    """Values as -describe prints them, six significant digits."""
    return [float("%.6g" % float(value)) for array in arrays for value in np.ravel(array)]


def sample_files():
    """The examples, the files here and the real files of scikit-rf."""
    folders = [os.path.normpath(HERE + "/../../examples"), os.path.join(HERE, "files"),
               os.path.dirname(skrf.__file__)]
    return sorted(os.path.join(folder, name) for top in folders for folder, _, names in
                  os.walk(top) for name in names if re.search(r"\.s\d+p$", name, re.I))


class Values(unittest.TestCase):
    def test_sample_files(self):
        for path in sample_files():
            with self.subTest(path=path):
                self.check_against_checker(path)

    def check_against_checker(self, path):
        status, description, errors = run("-describe", path)
        if status:  # which samples are refused, and where, round_trip_test checks
            return self.assertRaisesRegex(touchstone2.TouchstoneError,
                                          "^%s$" % re.escape(errors[-1]), touchstone2.read, path)
        t = touchstone2.read(path)
        self.assertEqual([str(warning) for warning in t.warnings], errors)
        self.assertEqual(t.describe(), description)
        same(printed(t.reference), printed(re.findall(r"Z0\[\d+\] = (\S+) Ohms", description)))
        self.assertEqual(t.canonical(), run("-canonical", path)[1])
        self.check_against_peer(t, path)

    def check_against_peer(self, t, path):
        """The arrays against the peer's reading of the file. The peer reads
        v1 only: v2.0 goes to it as the checker's v1 text."""
        try:
            v1 = t.canonical_v1()
        except touchstone2.TouchstoneError:
            return self.assertTrue(t.reference_given or t.mixed_mode_order_given)
        self.assertEqual(v1, run("-canonical-v1", path)[1])
        if t.version != "1":
            path = os.path.join(tempfile.mkdtemp(), "v1" + os.path.splitext(path)[1])
            with open(path, "w") as f:
                f.write(v1)
        peer = skrf.io.touchstone.Touchstone(path)
        frequency, values = peer.get_sparameter_arrays()
        r = float(peer.resistance)
        hybrid = np.array([[r, 1], [1, 1 / r]])  # v1 values are relative to R
        scale = {"S": 1, "Y": 1 / r, "Z": r, "H": hybrid, "G": 1 / hybrid}[t.parameter]
        close(t.data, values * scale)
        close(t.frequency, frequency)
        if t.noise is not None:
            f, figure, magnitude, angle, rn = peer.noise.T
            close(np.array(t.noise), [f * peer.frequency_mult, figure,
                                      magnitude * np.exp(1j * np.radians(angle)), rn * r])
        if t.parameter == "S":
            close(t.to_network().s, values)


class Errors(unittest.TestCase):
    def test_refused_inputs(self):
        folder = tempfile.mkdtemp()
        for number, data in enumerate(REFUSED):
            path = os.path.join(folder, "refused%d.s2p" % number)
            with open(path, "wb") as f:
                f.write(data)
            with self.subTest(data=data):
                lines = run(path)[2]
                self.assertEqual([str(d) for d in touchstone2.check(path)], lines)
                with self.assertRaises(touchstone2.TouchstoneError) as caught:
                    touchstone2.read(path)
                error = caught.exception.diagnostic
                groups = LINE.match(lines[-1]).groups()
                fields = [int(g) if g and g.isdigit() else g for g in groups]
                self.assertEqual(fields, [error.filename, error.line, error.column, error.severity,
                                          error.code, error.message])
                with self.assertRaises(touchstone2.TouchstoneError) as again:
                    touchstone2.read_bytes(data, path)
                self.assertEqual(again.exception.diagnostic, error)
                with open(path, "rb") as f, self.assertRaises(touchstone2.TouchstoneError) as opened:
                    touchstone2.read(f)
                self.assertEqual(opened.exception.diagnostic, error)

    def test_binary_file_objects(self):
        """A nameless object is "<file object>" (an open file names itself,
        as test_refused_inputs shows); text mode, which has decoded the
        bytes, is refused."""
        path = os.path.normpath(HERE + "/../../examples/amplifier.s2p")
        with open(path, "rb") as f:
            nameless = touchstone2.read(io.BytesIO(f.read()))
        self.assertEqual(nameless.filename, "<file object>")
        same(nameless.data, touchstone2.read(path).data)
        with open(path) as f:
            self.assertRaisesRegex(TypeError, "binary mode", touchstone2.read, f)

    def test_unreadable_paths(self):
        for path, kind in [(HERE + "/missing.s2p", FileNotFoundError), (HERE, IsADirectoryError)]:
            for call in (touchstone2.read, touchstone2.check):
                with self.assertRaises(kind) as caught:
                    call(path)
                # A rewrite reads its one path as a file, folders too (a check searches them).
                self.assertEqual(str(caught.exception.diagnostic), run("-canonical", path)[2][-1])


class Warnings(unittest.TestCase):
    def test_extension_that_disagrees_with_the_data(self):
        """A .s1p name on 2-port data is warned about, as the checker does, from a path and from
        bytes given that name; bytes without a .sNp name and a matching name are not."""
        data = b"# GHz S RI R 50\n1 0.1 0 0.9 0 0.9 0 0.1 0\n"
        folder = tempfile.mkdtemp()
        for name, expected in [("two.s1p", ["two.s1p:2:1: warning W2322: the file name's "
                                            "extension (.s1p) says 1 port, the data have 2 ports"]),
                               ("two.s2p", []), ("two.ts", [])]:
            path = os.path.join(folder, name)
            with open(path, "wb") as f:
                f.write(data)
            with self.subTest(name=name):
                t = touchstone2.read(path)
                self.assertEqual(t.ports, 2)
                self.assertEqual([str(w).replace(folder + os.sep, "") for w in t.warnings],
                                 expected)
                self.assertEqual([str(w) for w in t.warnings], run(path)[2])
                self.assertEqual([str(w) for w in touchstone2.read_bytes(data, name).warnings],
                                 expected)
        self.assertEqual(touchstone2.read_bytes(data).warnings, [])


class Hostile(unittest.TestCase):
    def test_each_ends_in_one_exception(self):
        """Within 10 s each, and 256 MiB more address space than now."""
        limits = resource.getrlimit(resource.RLIMIT_AS)
        with open("/proc/self/statm") as f:
            now = int(f.read().split()[0]) * resource.getpagesize()
        resource.setrlimit(resource.RLIMIT_AS, (now + (256 << 20), limits[1]))
        self.addCleanup(resource.setrlimit, resource.RLIMIT_AS, limits)
        for data in HOSTILE:
            start = time.monotonic()
            self.assertRaises(touchstone2.TouchstoneError, touchstone2.read_bytes, data)
            self.assertLess(time.monotonic() - start, 10)


if __name__ == "__main__":
    if skrf is None:
        sys.exit(77)  # skipped: scikit-rf is not installed
    unittest.main(warnings="ignore")
