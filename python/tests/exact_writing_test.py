#!/usr/bin/env python3
"""write() in every version keeps every value bit for bit: random files of every version (the
generator of tests/scripts/exact_numbers_test.py: numbers over the whole range of a double, noise
included) are read, written and read again, and so are records from from_arrays() of random
values. EXACT_SEED and EXACT_FILES choose another seed and a longer run."""

import io
import os
import sys
import unittest

import numpy as np

import touchstone2
from touchstone2 import Touchstone

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "scripts"))
import exact_numbers_test as generator  # noqa: E402  (the random files of the CLI test)
SEED = int(os.environ.get("EXACT_SEED", "22"))
FILES = int(os.environ.get("EXACT_FILES", "60"))
VERSIONS = ("1", "1.1", "2.0", "2.1")


def refused(t, version):
    """Where the writers cannot express a record in a version."""
    if version == "1":
        return t.reference_given
    if version == "1.1":
        return t.ports < 2 or t.parameter != "S" and len(set(t.reference)) > 1
    return False


class ExactValues(unittest.TestCase):
    def assert_same_bits(self, back, t):
        for name in ("frequency", "data", "reference"):
            self.assertEqual(getattr(back, name).tobytes(), getattr(t, name).tobytes(), name)
        self.assertEqual(back.noise is None, t.noise is None)
        for got, want, name in zip(back.noise or (), t.noise or (), ("frequency", "nf_min",
                                                                   "gamma_opt", "rn")):
            self.assertEqual(got.tobytes(), want.tobytes(), "noise " + name)

    def write_every_version(self, t):
        for version in VERSIONS:
            with self.subTest(version=version):
                out = io.BytesIO()
                if refused(t, version):
                    self.assertRaises(touchstone2.TouchstoneError, t.write, out, version)
                    continue
                t.write(out, version)
                back = touchstone2.read_bytes(out.getvalue())
                self.assertEqual((back.version, back.warnings), (version, []))
                self.assert_same_bits(back, t)

    def test_files_of_every_version(self):
        for i, sample in enumerate(generator.samples(SEED, FILES)):
            with self.subTest(seed=SEED, file=i, text=sample.text()):
                t = touchstone2.read_bytes(sample.text().encode())
                self.assertEqual(t.warnings, [])
                self.write_every_version(t)

    def test_arrays(self):
        values = generator.Values(SEED)
        for i in range(FILES // 4):
            ports = 1 + i % 4
            points = 1 + i % 3
            frequency = np.array(values.rising(points)) + 0.0
            data = np.array([values.any() + 1j * values.any()
                             for _ in range(points * ports * ports)]).reshape(points, ports, ports)
            reference = values.positive() if i % 2 else [values.positive() for _ in range(ports)]
            with self.subTest(seed=SEED, arrays=i):
                t = Touchstone.from_arrays(frequency, data, reference=reference,
                                           frequency_unit="Hz")
                self.assertEqual(t.data.tobytes(), data.tobytes())
                self.write_every_version(t)


if __name__ == "__main__":
    unittest.main()
