"""Strict reader for Touchstone network-parameter files (.s1p to .sNp,
versions 1, 1.1, 2.0 and 2.1), with NumPy arrays.

It reads exactly the files the snpvet checker accepts, with the checker's
own parser, and reports exactly what the checker reports:

    >>> import touchstone2
    >>> t = touchstone2.read("amp.s2p")   # TouchstoneError on the first error
    >>> t.version, t.parameter, t.ports
    ('1', 'S', 2)
    >>> t.frequency        # float64 array, Hz
    >>> t.data             # complex128 array (points, ports, ports)
    >>> t.reference        # float64 array (ports,), ohms
    >>> t.noise            # None, or Noise(frequency, nf_min, gamma_opt, rn)
    >>> t.warnings         # [Diagnostic(...)], each printing as the checker's line
    >>> touchstone2.check("amp.s2p")      # every diagnostic, never raises for content

read() reads a file, read_bytes() bytes already in memory. A file that
cannot be opened raises the matching OSError (FileNotFoundError for a
missing one) with the checker's diagnostic as its `diagnostic` attribute.
Touchstone.canonical(), canonical_v1() and describe() give the checker's
three output texts; Touchstone.to_network() a scikit-rf Network.

The interpreter lock is released while a file is read, so threads can read
several files at once.
"""

import os

from touchstone2 import _core
from touchstone2._diagnostic import Diagnostic, TouchstoneError, is_open_failure, os_error
from touchstone2._touchstone import Noise, Touchstone

__all__ = ["read", "read_bytes", "check", "Touchstone", "Noise", "Diagnostic",
           "TouchstoneError"]
__version__ = _core.__version__

# Shown, and pickled, under the package's own name.
for _public in (Diagnostic, TouchstoneError, Touchstone, Noise):
    _public.__module__ = __name__
del _public


def _encoded_path(path):
    """The path as given (str, bytes or os.PathLike), as bytes for the core
    and as str for the diagnostics."""
    path = os.fspath(path)
    encoded = os.fsencode(path)
    if b"\0" in encoded:
        raise ValueError("embedded null byte")
    return encoded, os.fsdecode(path)


def _diagnostics(parsed, name):
    return [Diagnostic._from_record(record, name) for record in parsed.diagnostics()]


def _result(parsed, name, path):
    """The Touchstone of a valid read; else raises the read's error."""
    diagnostics = _diagnostics(parsed, name)
    if parsed.valid:
        return Touchstone(parsed, name, diagnostics)
    error = diagnostics[-1]
    if path is not None and is_open_failure(error):
        raise os_error(error, path)
    raise TouchstoneError(error)


def read(path):
    """Reads the Touchstone file at path (str, bytes or os.PathLike).

    Returns a Touchstone. Raises TouchstoneError (a ValueError) on the first
    error the checker finds, and OSError (FileNotFoundError for a missing
    file) when the file cannot be opened or read whole; both carry the
    checker's Diagnostic as `diagnostic`.
    """
    encoded, name = _encoded_path(path)
    return _result(_core.parse_path(encoded), name, name)


def read_bytes(data, name="<bytes>"):
    """Reads a Touchstone file from bytes already in memory: bytes,
    bytearray, memoryview, mmap or any other contiguous buffer, as from an
    archive, a database or an HTTP body. name stands for the file in the
    diagnostics and the description.

    Returns a Touchstone; raises TouchstoneError on the first error, exactly
    as read() does for a file with these bytes.
    """
    return _result(_core.parse_bytes(data, os.fsencode(name)), name, None)


def check(path):
    """Checks the Touchstone file at path and returns every diagnostic, the
    warnings and then the error if there is one, as a list of Diagnostic:
    the checker's lines, as values. Never raises for the file's content;
    raises OSError, as read() does, for a file that cannot be opened or read
    whole.
    """
    encoded, name = _encoded_path(path)
    diagnostics = _diagnostics(_core.parse_path(encoded), name)
    if diagnostics and is_open_failure(diagnostics[-1]):
        raise os_error(diagnostics[-1], name)
    return diagnostics
