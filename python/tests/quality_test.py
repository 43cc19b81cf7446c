#!/usr/bin/env python3
"""Touchstone.quality() and to_s(): the metrics against a NumPy reference of
their formulas on generated data, cases worked out by hand, and the
conversion of Y, Z, H and G to S against a NumPy reference and back. What
the checker's -quality prints, for the same figures, is the end-to-end
cases'."""

import sys
import unittest

import numpy as np

import touchstone2
from touchstone2 import Touchstone

RNG = np.random.default_rng(370)
RELATIVE = 1e-9


# The reference: the formulas, written with NumPy alone.

def reference_band(value, floors):
    for name, floor in zip(("good", "acceptable", "inconclusive"), floors):
        if value > floor:
            return name
    return "poor"


def reference_quality(s):
    """(passivity, reciprocity, causality, pm, rm, cqm), None where a metric
    does not apply."""
    points, ports, _ = s.shape
    pm = np.linalg.norm(s, 2, axis=(1, 2))
    pw = np.where(pm > 1.00001, (pm - 1.00001) / 0.1, 0.0)
    passivity = max(points - pw.sum(), 0.0) / points * 100
    reciprocity = rm = None
    if ports > 1:
        rm = np.abs(s - s.transpose(0, 2, 1)).sum(axis=(1, 2)) / (ports * (ports - 1))
        rw = np.where(rm > 1e-6, (rm - 1e-6) / 0.1, 0.0)
        reciprocity = max(points - rw.sum(), 0.0) / points * 100
    causality = cqm = None
    if points >= 3:
        v = np.diff(s, axis=0)
        r = v[1:].real * v[:-1].imag - v[1:].imag * v[:-1].real
        positive = np.where(r > 0, r, 0.0).sum(axis=0)
        total = np.abs(r).sum(axis=0)
        cqm = np.where(total > 0, positive / np.where(total > 0, total, 1.0) * 100, 100.0)
        causality = cqm.min()
    return passivity, reciprocity, causality, pm, rm, cqm


def s_to_z(s, z0):
    root = np.diag(np.sqrt(z0))
    one = np.eye(len(z0))
    return np.array([root @ np.linalg.inv(one - m) @ (one + m) @ root for m in s])


def z_to_s(z, z0):
    g = np.diag(np.asarray(z0, float))
    left, right = np.diag(1 / np.sqrt(z0)), np.diag(np.sqrt(z0))
    return np.array([left @ (m - g) @ np.linalg.inv(m + g) @ right for m in z])


def hybrid(m):
    """H from Z, and Z from H: the same formula both ways."""
    out = np.empty_like(m)
    out[:, 0, 0] = np.linalg.det(m) / m[:, 1, 1]
    out[:, 0, 1] = m[:, 0, 1] / m[:, 1, 1]
    out[:, 1, 0] = -m[:, 1, 0] / m[:, 1, 1]
    out[:, 1, 1] = 1 / m[:, 1, 1]
    return out


# From S to each type, and from each type's values to S, by way of Z.
FROM_S = {"Z": s_to_z,
          "Y": lambda s, z0: np.linalg.inv(s_to_z(s, z0)),
          "H": lambda s, z0: hybrid(s_to_z(s, z0)),
          "G": lambda s, z0: np.linalg.inv(hybrid(s_to_z(s, z0)))}
TO_S = {"Z": z_to_s,
        "Y": lambda y, z0: z_to_s(np.linalg.inv(y), z0),
        "H": lambda h, z0: z_to_s(hybrid(h), z0),
        "G": lambda g, z0: z_to_s(hybrid(np.linalg.inv(g)), z0)}


def random_s(points, ports, gain=1.0, reciprocal=False):
    """Random matrices whose largest singular value is gain times a random
    factor between 0.5 and 1.5: some points passive, some not."""
    s = RNG.normal(size=(points, ports, ports)) + 1j * RNG.normal(size=(points, ports, ports))
    if reciprocal:
        s = (s + s.transpose(0, 2, 1)) / 2
    s /= np.linalg.norm(s, 2, axis=(1, 2))[:, None, None]
    return s * (gain * RNG.uniform(0.5, 1.5, points))[:, None, None]


def frequencies(points):
    return np.linspace(1e8, 2e10, points)


def built(s, parameter="S", reference=50.0):
    return Touchstone.from_arrays(frequencies(len(s)), s, parameter=parameter, reference=reference)


def delay_line(points, loss=1.0, delay=2e-11):
    """A matched line: S21 = S12 = loss * exp(-j w delay), S11 = S22 = 0."""
    s = np.zeros((points, 2, 2), complex)
    s[:, 0, 1] = s[:, 1, 0] = loss * np.exp(-2j * np.pi * frequencies(points) * delay)
    return s


class AgainstReference(unittest.TestCase):
    def assert_matches(self, t, what):
        q = t.quality()
        passivity, reciprocity, causality, pm, rm, cqm = reference_quality(t.data)
        for name, got, expected, floors in (
                ("passivity", q.passivity, passivity, (99.9, 99, 80)),
                ("reciprocity", q.reciprocity, reciprocity, (99.9, 99, 80)),
                ("causality", q.causality, causality, (80, 50, 20))):
            band = getattr(q, name + "_band")
            if expected is None:
                self.assertIsNone(got, (what, name))
                self.assertIsNone(band, (what, name))
            else:
                np.testing.assert_allclose(got, expected, rtol=RELATIVE, err_msg=what + name)
                self.assertEqual(band, reference_band(expected, floors), (what, name))
        for got, expected in ((q.pm, pm), (q.rm, rm), (q.cqm, cqm)):
            if expected is None:
                self.assertIsNone(got, what)
            else:
                self.assertEqual(got.shape, expected.shape, what)
                np.testing.assert_allclose(got, expected, rtol=RELATIVE, err_msg=what)
        return q

    def test_generated_networks(self):
        bands = set()
        for ports in (1, 2, 4, 16):
            for gain in (0.7, 1.0, 1.00005, 1.05, 1.3):
                for reciprocal in (False, True):
                    for points in (1, 2, 3, 40):
                        s = random_s(points, ports, gain, reciprocal)
                        what = "%d ports, gain %g, %s, %d points: " % (
                            ports, gain, "reciprocal" if reciprocal else "not reciprocal", points)
                        q = self.assert_matches(built(s), what)
                        bands.add(q.passivity_band)
        # The data reach every band, so each band's floor is tested.
        self.assertEqual(bands, {"good", "acceptable", "inconclusive", "poor"})

    def test_extreme_magnitudes(self):
        # Squares of such values overflow or vanish; the measures must not.
        for scale in (1e-300, 1e200):
            for ports in (2, 4, 16):
                s = random_s(2, ports) * scale
                q = built(s).quality()
                np.testing.assert_allclose(q.pm, np.linalg.norm(s, 2, axis=(1, 2)), rtol=RELATIVE)
                np.testing.assert_allclose(q.rm, reference_quality(s)[4], rtol=RELATIVE)


class WorkedByHand(unittest.TestCase):
    def test_band_floors(self):
        # One point of 100 weighing w lowers passivity (or reciprocity) to
        # 100 - w: a little above and below each floor.
        for percent, band in ((99.92, "good"), (99.88, "acceptable"), (99.02, "acceptable"),
                              (98.98, "inconclusive"), (80.02, "inconclusive"),
                              (79.98, "poor")):
            weight = 100 - percent
            lossy = delay_line(100, loss=0.5)
            lossy[50] *= (1.00001 + 0.1 * weight) / 0.5
            q = built(lossy).quality()
            self.assertAlmostEqual(q.passivity, percent, places=9)
            self.assertEqual(q.passivity_band, band, percent)
            lopsided = delay_line(100, loss=0.5)
            lopsided[50, 0, 1] += 1e-6 + 0.1 * weight
            q = built(lopsided).quality()
            self.assertAlmostEqual(q.reciprocity, percent, places=9)
            self.assertEqual(q.reciprocity_band, band, percent)

    def test_circle_clockwise_counter_clockwise_and_still(self):
        """A trace that never turns counts as causal."""
        turn = np.exp(-2j * np.pi * np.arange(30) / 30)
        for direction, expected, band in ((turn, 100.0, "good"), (turn.conj(), 0.0, "poor"),
                                          (np.ones(30), 100.0, "good")):
            q = built(0.5 * direction[:, None, None]).quality()
            self.assertEqual((q.causality, q.causality_band), (expected, band))
            self.assertEqual(q.cqm.tolist(), [[expected]])

    def test_values_stay(self):
        q = built(delay_line(5)).quality()
        with self.assertRaises(AttributeError):
            q.passivity = 0.0
        with self.assertRaises(ValueError):
            q.pm[0] = 2.0


class Conversion(unittest.TestCase):
    def test_each_type_to_s_and_back(self):
        for ports, z0 in ((1, [50.0]), (2, [50.0, 75.0]), (4, [50.0, 75.0, 25.0, 100.0])):
            s = random_s(7, ports, 0.9)
            for parameter in ("Y", "Z", "H", "G"):
                if parameter in "HG" and ports != 2:
                    continue
                values = FROM_S[parameter](s, np.array(z0))
                t = built(values, parameter, z0)
                got = t.to_s()
                scale = np.abs(s).max()
                what = "%s, %d ports" % (parameter, ports)
                # Against the reference conversion of the same values ...
                np.testing.assert_allclose(got, TO_S[parameter](t.data, np.array(z0)),
                                           rtol=0, atol=1e-12 * scale, err_msg=what)
                # ... and back to where the values came from, which quality() measures.
                np.testing.assert_allclose(got, s, rtol=0, atol=1e-12 * scale, err_msg=what)
                np.testing.assert_allclose(t.quality().pm, np.linalg.norm(s, 2, axis=(1, 2)),
                                           rtol=1e-9, err_msg=what)

    def test_v1_values_are_scaled_back_first(self):
        # "# GHz Z RI R 75": 1-port values relative to 75 ohms; z = 2 is 150 ohms.
        t = touchstone2.read_bytes(b"# GHz Z RI R 75\n1 2 0\n")
        np.testing.assert_allclose(t.to_s(), [[[1 / 3]]], rtol=1e-15)

    def test_s_and_mixed_mode_data_are_taken_as_stored(self):
        s = random_s(4, 4)
        mixed = Touchstone.from_arrays(frequencies(4), s,
                                       mixed_mode_order=["D1,2", "D3,4", "C1,2", "C3,4"])
        np.testing.assert_array_equal(mixed.to_s(), s)
        self.assertIsNot(mixed.to_s(), mixed.data)

    def test_no_s_form(self):
        # z = -z0: Z + z0 cannot be inverted.
        t = touchstone2.read_bytes(b"# GHz Z RI R 50\n1 -1 0\n2 0.5 0\n")
        with self.assertRaisesRegex(ValueError, "1e\\+09 Hz have no S-parameter form"):
            t.to_s()
        with self.assertRaisesRegex(ValueError, "no S-parameter form"):
            t.quality()


if __name__ == "__main__":
    if not touchstone2._core.quality_built_in:
        sys.exit(77)  # skipped: built without the quality metrics
    unittest.main()
