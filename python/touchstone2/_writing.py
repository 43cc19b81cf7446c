"""Writing a Touchstone out: never a text the checker refuses, never a partial
file in place of a whole one."""

import io
import os

from touchstone2 import _core
from touchstone2._diagnostic import Diagnostic, TouchstoneError


def check_version(version):
    """Raises ValueError unless a writer writes that version."""
    if version not in _core.versions:
        raise ValueError("version: %r is not one of %s" % (version, ", ".join(_core.versions)))


def _refuse_unless_valid(parsed, name):
    """The checker's verdict on what was written; a refusal is a fault of
    the writer, reported with the checker's error."""
    if not parsed.valid:
        error = Diagnostic._from_record(parsed.diagnostics()[-1], name)
        raise TouchstoneError(error)


def write_to_object(touchstone, file, version):
    """The text, checked in memory, then handed to the file object whole."""
    text = touchstone._text(version)
    name = getattr(file, "name", "<file object>")
    name = os.fsdecode(name) if isinstance(name, (str, bytes, os.PathLike)) else str(name)
    _refuse_unless_valid(_core.parse_bytes(text.encode("ascii", "surrogateescape"),
                                           os.fsencode(name)), name)
    if isinstance(file, io.TextIOBase):
        file.write(text)
    else:
        file.write(text.encode("ascii", "surrogateescape"))


def write_to_path(touchstone, path, version, atomic):
    """By the library's writeFile: a temporary file in the target's folder,
    written, synced, read back by the checker and renamed over the target
    (with atomic false, written in place where the folder allows no
    temporary file). Its errors are the OSError subclasses of their errno,
    naming the path given."""
    check_version(version)
    try:
        touchstone._parsed.write_file(os.fsencode(path), version, bool(atomic))
    except OSError as error:
        if error.filename == os.fsdecode(path) and isinstance(path, (bytes, os.PathLike)):
            error.filename = path
        raise
    except ValueError as refusal:
        if len(refusal.args) == 2 and refusal.args[1] is not None:
            raise TouchstoneError(Diagnostic._from_record(refusal.args[1],
                                                          os.fsdecode(path))) from None
        raise TouchstoneError(str(refusal.args[0])) from None
