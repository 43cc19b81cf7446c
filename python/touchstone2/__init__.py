"""Strict reader and writer of Touchstone network-parameter files (.s1p to
.sNp, versions 1, 1.1, 2.0 and 2.1), with NumPy arrays.

It reads exactly the files the snpvet checker accepts, with the checker's
own parser, and reports exactly what the checker reports; it writes with
the checker's own writers, and every file it writes passes the checker.

>>> import numpy as np, os, tempfile, touchstone2
>>> f = np.array([1e9, 2e9])
>>> s = np.array([[[0.1, 0.9], [0.9, 0.1]], [[0.2, 0.8j], [0.8j, 0.2]]])
>>> built = touchstone2.Touchstone.from_arrays(f, s, reference=[50, 75])
>>> path = os.path.join(tempfile.mkdtemp(), "amp.s2p")
>>> built.write(path)
>>> t = touchstone2.read(path)       # TouchstoneError on the first error
>>> t.version, t.parameter, t.ports, t.reference.tolist()
('2.0', 'S', 2, [50.0, 75.0])
>>> t.frequency.tolist()             # float64 array, Hz
[1000000000.0, 2000000000.0]
>>> t.data[1, 0, 1]                  # complex128 array (points, ports, ports)
0.8j
>>> t.noise is None, t.warnings      # Noise(frequency, nf_min, gamma_opt, rn)
(True, [])
>>> touchstone2.check(path)          # every Diagnostic; never raises for content
[]

read() reads a file, read_bytes() bytes already in memory. A file that
cannot be opened raises the matching OSError (FileNotFoundError for a
missing one) with the checker's diagnostic as its `diagnostic` attribute.
Touchstone.canonical(), canonical_v1() and describe() give the checker's
three output texts, write() writes a file, to_network() gives a scikit-rf
Network and from_network() takes one. quality() rates how physically sound
the data are (passivity, reciprocity, causality), to_s() gives any file's
data as S-parameters.

The interpreter lock is released while a file is read, so threads can read
several files at once; Ctrl-C ends a long read at once.
"""

import os as _os

from touchstone2 import _core
from touchstone2._diagnostic import Diagnostic, TouchstoneError
from touchstone2._diagnostic import is_open_failure as _is_open_failure
from touchstone2._diagnostic import os_error as _os_error
from touchstone2._network import from_network
from touchstone2._quality import Quality
from touchstone2._touchstone import Noise, Touchstone

__all__ = ["read", "read_bytes", "check", "from_network", "Touchstone", "Noise", "Quality",
           "Diagnostic", "TouchstoneError"]
__version__ = _core.__version__

# Shown, and pickled, under the package's own name.
for _public in (Diagnostic, TouchstoneError, Touchstone, Noise, Quality):
    _public.__module__ = __name__
del _public


def _encoded_path(path):
    """The path as given (str, bytes or os.PathLike), as bytes for the core
    and as str for the diagnostics."""
    path = _os.fspath(path)
    encoded = _os.fsencode(path)
    if b"\0" in encoded:
        raise ValueError("embedded null byte")
    return encoded, _os.fsdecode(path)


def _diagnostics(parsed, name):
    return [Diagnostic._from_record(record, name) for record in parsed.diagnostics()]


def _result(parsed, name, path):
    """The Touchstone of a valid read; else raises the read's error."""
    diagnostics = _diagnostics(parsed, name)
    if parsed.valid:
        return Touchstone._from_parsed(parsed, name, diagnostics)
    error = diagnostics[-1]
    if path is not None and _is_open_failure(error):
        raise _os_error(error, path)
    raise TouchstoneError(error)


def read(path):
    """Reads the Touchstone file at path (str, bytes or os.PathLike), or
    from a file object open for reading in binary mode (an open file, a
    BytesIO, a member of a zip or tar archive), whose `name`, where it has
    one, names it in the diagnostics.

    Returns a Touchstone. Raises TouchstoneError (a ValueError) on the first
    error the checker finds, and OSError (FileNotFoundError for a missing
    file) when the file cannot be opened or read whole; both carry the
    checker's Diagnostic as `diagnostic`. A file object in text mode raises
    TypeError: the checker judges bytes, which text mode has decoded.
    """
    if hasattr(path, "read"):
        return _read_object(path)
    encoded, name = _encoded_path(path)
    return _result(_core.parse_path(encoded), name, name)


def _read_object(file):
    """read() of a binary file object: its bytes, as read_bytes() reads them."""
    data = file.read()
    if not isinstance(data, (bytes, bytearray, memoryview)):
        raise TypeError("read() takes a file object open in binary mode, not one that "
                        "gives %s" % type(data).__name__)
    name = getattr(file, "name", None)
    if not isinstance(name, (str, bytes, _os.PathLike)):
        name = "<file object>"
    return read_bytes(data, name)


def read_bytes(data, name="<bytes>"):
    """Reads a Touchstone file from bytes already in memory: bytes,
    bytearray, memoryview, mmap, a NumPy array or any other contiguous
    buffer, as from an archive, a database or an HTTP body. name (str,
    bytes or os.PathLike) stands for the file in the diagnostics and the
    description, always as a str.

    Returns a Touchstone; raises TouchstoneError on the first error, exactly
    as read() does for a file with these bytes.
    """
    name = _os.fsdecode(_os.fspath(name))
    return _result(_core.parse_bytes(data, _os.fsencode(name)), name, None)


def check(path):
    """Checks the Touchstone file at path and returns every diagnostic, the
    warnings and then the error if there is one, as a list of Diagnostic:
    the checker's lines, as values. Never raises for the file's content;
    raises OSError, as read() does, for a file that cannot be opened or read
    whole.
    """
    encoded, name = _encoded_path(path)
    diagnostics = _diagnostics(_core.parse_path(encoded), name)
    if diagnostics and _is_open_failure(diagnostics[-1]):
        raise _os_error(diagnostics[-1], name)
    return diagnostics
