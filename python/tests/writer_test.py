#!/usr/bin/env python3
"""Touchstone.from_arrays(), write() and from_network(): the forms the
package takes and refuses, the targets write() takes and what a failed write
leaves, and read objects as values. That every file written reads back bit
for bit is exact_writing_test's."""

import copy
import dataclasses
import errno
import io
import os
import pathlib
import pickle
import resource
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import numpy as np

import touchstone2
from touchstone2 import Noise, Touchstone

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.normpath(HERE + "/../../examples")
RNG = np.random.default_rng(18)
STUBTEST = None  # the stub check's process


def arrays(ports, points=5):
    f = np.sort(RNG.choice(np.arange(1, 10**6), points, replace=False)) * 1234.5678
    data = RNG.normal(size=(points, ports, ports)) + 1j * RNG.normal(size=(points, ports, ports))
    data *= 10.0 ** RNG.integers(-8, 8, size=data.shape)
    return f, data


def noise(top=1e9, points=3):
    """Noise parameters whose first frequency is below top."""
    return Noise(np.linspace(top / 2, top * 1.5, points), RNG.uniform(0, 3, points),
                 RNG.uniform(0, 1, points) * np.exp(1j * RNG.uniform(-3, 3, points)),
                 RNG.uniform(1, 60, points))


def resident():
    """Bytes of memory the process has in use."""
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * resource.getpagesize()


def setUpModule():
    """Starts mypy's comparison of the stubs with the module, which takes a
    few seconds, to run beside the other tests. NumPy's own stubs, which
    take most of mypy's time, are not what is checked: their types stand
    as Any. The package's modules are not type-checked, only compared."""
    global STUBTEST
    try:
        __import__("mypy.stubtest")
    except ImportError:
        return
    config = os.path.join(tempfile.mkdtemp(), "mypy.ini")
    pathlib.Path(config).write_text(
        "[mypy]\nignore_missing_imports = True\n[mypy-numpy.*]\nfollow_imports = skip\n"
        "follow_imports_for_stubs = True\n[mypy-touchstone2.*]\nignore_errors = True\n")
    STUBTEST = subprocess.Popen(
        [sys.executable, "-m", "mypy.stubtest", "--mypy-config-file", config, "touchstone2"],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
        cwd=os.path.dirname(os.path.dirname(touchstone2.__file__)))


class Refusals(unittest.TestCase):
    F, DATA = arrays(2, points=3)
    NOISE = noise(F[-1])
    ASYMMETRIC = np.array([[[1, 2], [3, 4]]] * 3)
    # (changed arguments, what the ValueError says). The library's builder
    # checks the values (building/from_arrays_test.cpp); these are the shapes,
    # types and words the package converts, and a few of the library's
    # refusals passed through.
    CASES = [
        ({"frequency": [[1, 2, 3]]}, r"^frequency: shape \(1, 3\)"),
        ({"data": DATA[:, :1]}, r"^data: shape \(3, 1, 2\)"),
        ({"data": DATA[:2]}, r"^data: shape \(2, 2, 2\) .* points = 3"),
        ({"data": np.where(np.eye(2) > 0, DATA, np.inf)}, r"^data\[0, 0, 1\] = .* not finite"),
        ({"data": [[["x"]]]}, r"^data: not an array of numbers"),
        ({"reference": [[50, 50]]}, r"^reference: shape \(1, 2\)"),
        ({"reference": 50 + 5j}, r"^reference = \(50\+5j\) is complex"),
        ({"reference": [50, 50 + 5j]}, r"^reference\[1\] = \(50\+5j\) is complex"),
        ({"reference": [50, "75"]}, r"^reference\[1\] = '75' is not a number"),
        ({"reference": [50, None]}, r"^reference\[1\] = None is not a number"),
        ({"reference": [[50, 50], [50]]}, r"^reference: not an array of real numbers"),
        ({"parameter": "T"}, r"^parameter: 'T' is not one of S, Y, Z, H, G"),
        ({"format": 1}, r"^format: 1 is not one of DB, MA, RI"),
        ({"frequency_unit": "THz"}, r"^frequency_unit: 'THz'"),
        ({"matrix_format": "Diagonal"}, r"^matrix_format"),
        ({"matrix_format": "lower", "data": ASYMMETRIC},
         r"^data\[0, 1, 0\] = \(3\+0j\) differs from its mirror .* a Lower matrix"),
        ({"noise": NOISE, "data": arrays(3, 3)[1]}, r"^noise: noise parameters need 2 ports"),
        ({"noise": (1, 2)}, r"^noise: not a Noise"),
        ({"noise": NOISE._replace(gamma_opt=[1, 2j, np.inf])},
         r"^noise.gamma_opt\[2\] = \(inf\+0j\) has no finite magnitude"),
        ({"noise": NOISE._replace(nf_min=[1, 2])}, r"^noise.nf_min: shape \(2,\) is not \(3,\)"),
        ({"noise": NOISE._replace(frequency=[1, 8277025938.376715, 8277025938.376716]),
          "frequency": [1, 2, 1e10]},
         r"^noise.frequency\[2\] = 8\.277025938376716e\+09 does not rise .* in GHz$"),
        ({"mixed_mode_order": "S1 S1"}, r"port 1 is described by mixed_mode_order\[0\] "),
        ({"mixed_mode_order": "D1,2"}, r"^mixed_mode_order: 1 descriptors for 2 ports"),
    ]

    def test_each_refused_with_argument_and_index(self):
        for changes, message in self.CASES:
            with self.subTest(changes=changes):
                arguments = {"frequency": self.F, "data": self.DATA, **changes}
                with self.assertRaisesRegex(ValueError, message):
                    Touchstone.from_arrays(**arguments)

    def test_forms_taken(self):
        """Option words in any case, the mixed-mode order as one string, a
        reference of imaginary part 0; noise values kept as given, bit for
        bit, even where six digits would show two of them alike."""
        noise = self.NOISE._replace(frequency=self.F[-1] * np.array([0.3, 0.3 + 1e-12, 0.9]),
                                    nf_min=np.array([0.1234567890123, 1 / 3, 5e-324]),
                                    rn=np.array([np.pi, 12.000000000000002, 1e300]))
        t = Touchstone.from_arrays(self.F, self.DATA, noise=noise, frequency_unit="ghz",
                                   format="ma", parameter="s", matrix_format="FULL",
                                   mixed_mode_order=" D1,2\tC1,2 ", reference=np.array([75 + 0j]))
        self.assertEqual((t.frequency_unit, t.format, t.parameter, t.matrix_format),
                         ("GHz", "MA", "S", "Full"))
        self.assertEqual(t.mixed_mode_order, ["D1,2", "C1,2"])
        self.assertEqual(t.reference.tolist(), [75.0, 75.0])
        for got, want in zip(t.noise, noise):
            if got.dtype == np.float64:
                self.assertEqual(got.tobytes(), np.asarray(want, np.float64).tobytes())
        np.testing.assert_allclose(t.noise.gamma_opt, noise.gamma_opt, rtol=1e-15)
        hz = Touchstone.from_arrays(self.F, self.DATA, noise=noise, frequency_unit="Hz",
                                    parameter="g")
        self.assertEqual((hz.parameter, hz.noise.frequency.tobytes()),
                         ("G", noise.frequency.tobytes()))

    def test_write_refusals_leave_the_target_alone(self):
        """Unknown versions, what v1 cannot express, and a text the checker
        refuses."""
        t = Touchstone.from_arrays(self.F, self.DATA, reference=[50, 60])
        fields = {"version": "2.0", "parameter": "S", "ports": 1, "frequency_unit": "Hz",
                  "format": "RI", "reference_resistance": 50.0, "matrix_format": "Full",
                  "two_port_data_order": None}
        record = touchstone2._core.build(fields, np.array([1.0, 1.0]), np.zeros((2, 1, 1, 2)),
                                         "RI", [50.0], False, [], False, None, b"<fault>")
        merged = Touchstone._from_parsed(record, "<fault>", [])  # as if a fault let it through
        path = os.path.join(tempfile.mkdtemp(), "old.s2p")
        pathlib.Path(path).write_bytes(b"old")
        for writer, version, kind in ((t, "3.0", ValueError), (t, 1, ValueError),
                                      (t, "1", touchstone2.TouchstoneError),
                                      (merged, "2.0", touchstone2.TouchstoneError)):
            for target in (path, io.BytesIO()):
                with self.assertRaises(kind) as caught:
                    writer.write(target, version)
                if writer is merged:  # refused by the writer, before any text
                    self.assertIn("frequency[1] = 1 does not rise", str(caught.exception))
            self.assertEqual(os.listdir(os.path.dirname(path)), ["old.s2p"])
            self.assertEqual(pathlib.Path(path).read_bytes(), b"old")


class Writing(unittest.TestCase):
    # Larger than the 64 KiB the writer buffers, so that a path gets several writes.
    T = Touchstone.from_arrays(*arrays(4, points=300), reference=75, format="MA")

    def test_paths_and_file_objects(self):
        """A path as str, bytes or path-like, a pipe (written to, not
        replaced), file objects in both modes."""
        want = {"2.0": self.T.canonical(), "1": self.T.canonical_v1()}
        folder = tempfile.mkdtemp()
        target, fifo = os.path.join(folder, "t.s4p"), os.path.join(folder, "p.s4p")
        for path, version in ((target, "2.0"), (os.fsencode(target), "1"),
                              (pathlib.Path(target), "2.0")):
            self.T.write(path, version)
            self.assertEqual(pathlib.Path(target).read_text(), want[version])
        for mode in ("w", "wb"):
            with open(target, mode) as f:
                self.T.write(f)
            self.assertEqual(pathlib.Path(target).read_text(), want["2.0"])
        text, binary = io.StringIO(), io.BytesIO()
        self.T.write(text)
        self.T.write(binary, "1")
        self.assertEqual((text.getvalue(), binary.getvalue().decode()), (want["2.0"], want["1"]))
        os.mkfifo(fifo)
        received = []
        reader = threading.Thread(target=lambda: received.append(pathlib.Path(fifo).read_text()))
        reader.start()
        self.T.write(fifo)
        reader.join(10)
        self.assertEqual(received, [want["2.0"]])
        self.assertEqual(sorted(os.listdir(folder)), ["p.s4p", "t.s4p"])
        self.assertTrue(stat.S_ISFIFO(os.stat(fifo).st_mode))

    def test_mode_of_a_new_file(self):
        target = os.path.join(tempfile.mkdtemp(), "t.s4p")
        self.addCleanup(os.umask, os.umask(0o027))
        self.T.write(target)
        self.assertEqual(os.stat(target).st_mode & 0o777, 0o640)

    def test_failure_midway_keeps_the_old_file(self):
        """A file size limit makes write(2) fail part-way, as a full disk
        would."""
        target = os.path.join(tempfile.mkdtemp(), "t.s4p")
        pathlib.Path(target).write_bytes(b"old")
        big = Touchstone.from_arrays(*arrays(4, points=2000))
        limits = resource.getrlimit(resource.RLIMIT_FSIZE)
        self.addCleanup(signal.signal, signal.SIGXFSZ, signal.signal(signal.SIGXFSZ,
                                                                     signal.SIG_IGN))
        self.addCleanup(resource.setrlimit, resource.RLIMIT_FSIZE, limits)
        resource.setrlimit(resource.RLIMIT_FSIZE, (100000, limits[1]))
        with self.assertRaises(OSError) as caught:
            big.write(target)
        self.assertEqual(caught.exception.errno, errno.EFBIG)
        self.assertEqual(caught.exception.filename, target)
        self.assertEqual(os.listdir(os.path.dirname(target)), ["t.s4p"])
        self.assertEqual(pathlib.Path(target).read_bytes(), b"old")

    def test_errors_name_the_path_given(self):
        """A full disk, a missing folder, a folder as target: the OSError
        subclass of the errno, with the caller's path, never a hidden file's."""
        folder = tempfile.mkdtemp()
        for path, kind, number in (("/dev/full", OSError, errno.ENOSPC),
                                   (os.path.join(folder, "no", "t.s4p"), FileNotFoundError,
                                    errno.ENOENT),
                                   (folder, IsADirectoryError, errno.EISDIR)):
            with self.assertRaises(kind) as caught:
                self.T.write(path)
            self.assertEqual((caught.exception.errno, caught.exception.filename),
                             (number, path))
            self.assertNotIn(".tmp", str(caught.exception))
        self.assertEqual(os.listdir(folder), [])

    def test_owner_and_group_are_kept(self):
        """A privileged process replaces another user's file with one that
        is still that user's."""
        if os.geteuid() != 0:
            self.skipTest("only a privileged process may give a file to another user")
        target = os.path.join(tempfile.mkdtemp(), "t.s4p")
        pathlib.Path(target).write_bytes(b"old")
        os.chown(target, NOBODY, NOBODY)
        os.chmod(target, 0o6640)
        self.T.write(target)
        info = os.stat(target)
        self.assertEqual((info.st_uid, info.st_gid, info.st_mode & 0o7777),
                         (NOBODY, NOBODY, 0o6640))

    def test_what_the_caller_may_not_write(self):
        """As a user without privileges (nobody, when the tests run as root,
        who may write anything): a writable file in a read-only folder gives
        PermissionError naming the folder, and atomic=False writes it in
        place. The C++ test of the file writer has the other refusals."""
        folder = tempfile.mkdtemp()
        user = {}
        if os.geteuid() == 0:
            os.chown(folder, NOBODY, NOBODY)
            user = {"user": NOBODY, "group": NOBODY, "extra_groups": []}
        result = subprocess.run([sys.executable, "-c", AS_ANOTHER_USER, folder],
                                capture_output=True, text=True, timeout=60, **user,
                                env=dict(os.environ, PYTHONDONTWRITEBYTECODE="1"))
        self.assertEqual((result.returncode, result.stdout.split()), (0, ["ok"]),
                         result.stderr)


# The user the permission tests run as when the suite runs as root.
NOBODY = 65534
AS_ANOTHER_USER = """
import os, pathlib, sys, numpy as np, touchstone2
t = touchstone2.Touchstone.from_arrays([1e9], np.zeros((1, 2, 2)))
inner = os.path.join(sys.argv[1], "inner")
os.mkdir(inner)
target = os.path.join(inner, "t.s2p")
pathlib.Path(target).write_bytes(b"old")
os.chmod(inner, 0o555)
try:
    t.write(target)
    sys.exit("written in a read-only folder")
except PermissionError as error:
    assert error.filename == inner, error
assert pathlib.Path(target).read_bytes() == b"old"
t.write(target, atomic=False)
assert pathlib.Path(target).read_text() == t.canonical()
assert os.listdir(inner) == ["t.s2p"]
print("ok")
"""


class Values(unittest.TestCase):
    def test_read_objects_are_values(self):
        paths = [os.path.join(EXAMPLES, name) for name in sorted(os.listdir(EXAMPLES))
                 if name.endswith("p")] + [os.path.join(HERE, "files", "lower_y.s4p"),
                                           os.path.join(HERE, "files", "reference_mixed.s4p")]
        objects = [touchstone2.read(path) for path in paths]
        built = Touchstone.from_arrays(*arrays(2), noise=noise(1e6), reference=[50, 50],
                                       mixed_mode_order=["D1,2", "C1,2"])
        objects += [touchstone2.read_bytes(b"# GHz S RI\n"), built,
                    touchstone2.read_bytes(b"# GHz S RI\n# GHz S RI\n1 0.5 0\n")]
        self.assertTrue(objects[-1].warnings)
        for t in objects:
            with self.subTest(t=t):
                for array in [t.frequency, t.data, t.reference] + list(t.noise or []):
                    self.assertFalse(array.flags.writeable)
                    self.assertRaises(ValueError, array.__setitem__, 0, 1)
                self.assertRaises(dataclasses.FrozenInstanceError, setattr, t, "data", None)
                self.assertRaises(TypeError, dataclasses.replace, t, data=t.data * 2)
                for other in (pickle.loads(pickle.dumps(t)), copy.deepcopy(t)):
                    self.assertEqual(other.describe(), t.describe())
                    self.assertEqual(other.warnings, t.warnings)
                    self.assertEqual(other._parsed.stored()[1].tobytes(),
                                     t._parsed.stored()[1].tobytes())
                    np.testing.assert_array_equal(other.data, t.data)

    def test_trial_findings(self):
        empty = touchstone2.read_bytes(b"# GHz S RI\n")
        with self.assertRaisesRegex(touchstone2.TouchstoneError, "no network data") as caught:
            empty.canonical()
        self.assertIsNone(caught.exception.diagnostic)
        for name in (b"n\xffa.s2p", pathlib.Path("n.s2p")):
            with self.assertRaises(touchstone2.TouchstoneError) as caught:
                touchstone2.read_bytes(b"x", name)
            self.assertEqual(caught.exception.diagnostic.filename, os.fsdecode(name))
            self.assertTrue(str(caught.exception).startswith(os.fsdecode(name) + ": error"))
        diagnostic = caught.exception.diagnostic  # a value: equal copies hash alike
        self.assertEqual(len({diagnostic, copy.copy(diagnostic)}), 1)
        self.assertEqual(touchstone2.read_bytes(np.frombuffer(b"# GHz S RI\n1 0 0\n", np.uint8))
                         .ports, 1)
        public = {name for name in dir(touchstone2) if not name.startswith("_")}
        self.assertEqual(public, set(touchstone2.__all__))
        import doctest
        result = doctest.testmod(touchstone2)
        self.assertEqual(result.failed, 0)
        self.assertGreater(result.attempted, 5)

    def test_stubs_match_the_module(self):
        if STUBTEST is None:
            self.skipTest("mypy is not installed (Debian: mypy)")
        output = STUBTEST.communicate()[0]
        self.assertEqual(STUBTEST.returncode, 0, output)

    def test_ctrl_c_ends_a_long_read(self):
        """A Ctrl-C in the middle of a read ends it at the next block of
        lines, long before its end (in processor time, which load does not
        stretch), leaving nothing allocated."""
        data = b"# Hz S RI\n" + b"".join(b"%d 0.5 0.25\n" % k for k in range(1, 800001))
        start = time.process_time()
        touchstone2.read_bytes(data)
        whole = time.process_time() - start
        # The interrupt comes after the read has used a twentieth of that.
        handler = signal.signal(signal.SIGVTALRM, lambda *_: signal.raise_signal(signal.SIGINT))
        self.addCleanup(signal.signal, signal.SIGVTALRM, handler)
        self.addCleanup(signal.setitimer, signal.ITIMER_VIRTUAL, 0)
        before = resident()
        for _ in range(2):
            start = time.process_time()
            signal.setitimer(signal.ITIMER_VIRTUAL, whole / 20)
            with self.assertRaises(KeyboardInterrupt):
                touchstone2.read_bytes(data)
            self.assertLess(time.process_time() - start, whole / 2)
        self.assertLess(resident() - before, 8 << 20)


class Networks(unittest.TestCase):
    def test_from_network(self):
        import skrf
        t = touchstone2.read(os.path.join(EXAMPLES, "amplifier.s2p"))
        network = t.to_network()
        back = touchstone2.from_network(network)
        np.testing.assert_array_equal(back.data, t.data)
        np.testing.assert_array_equal(back.frequency, t.frequency)
        for got, want in zip(back.noise, t.noise):
            np.testing.assert_allclose(got, want, rtol=1e-5)
        frequency = skrf.Frequency.from_f([1e9, 2e9], unit="hz")
        s = np.zeros((2, 2, 2))
        for z0, message in (([[50, 75j], [50, 75j]], r"z0\[0, 1\] = 75j is complex"),
                            ([[50, 75], [50, 76]], r"z0\[1, 1\] = 76\.0 differs")):
            with self.assertRaisesRegex(ValueError, message):
                touchstone2.from_network(skrf.Network(frequency=frequency, s=s, z0=z0))
        per_port = touchstone2.from_network(skrf.Network(frequency=frequency, s=s,
                                                         z0=[[50, 75]] * 2), format="MA")
        self.assertEqual(per_port.reference.tolist(), [50, 75])
        self.assertTrue(per_port.reference_given)


if __name__ == "__main__":
    try:
        __import__("skrf")
    except ImportError:
        sys.exit(77)  # skipped: scikit-rf is not installed
    unittest.main(warnings="ignore")
