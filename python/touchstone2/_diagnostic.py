"""Diagnostics as the checker reports them, and the exceptions that carry
them."""

import dataclasses
import errno
import os
import stat
from typing import Optional

from touchstone2 import _core

# The checker's codes for a file it could not open or read whole, by their
# names in the library's table of diagnostics.
_OPEN_FAILURES = (_core.codes["FileNotFound"], _core.codes["FileUnreadable"])
_LARGEST_READABLE = 0xFFFFFFFF


@dataclasses.dataclass(frozen=True)
class Diagnostic:
    """One warning or error of a read, as the checker reports it.

    Attributes:
        code: the number, 2003 for "E2003".
        severity: "error" or "warning".
        line, column: where it was found, counted from 1; None where the
            checker gives none (a problem of the whole file has neither).
        message: the text, as the checker prints it.
        filename: the name the file was read under, always a str.

    str() of a diagnostic is the checker's line for it, for example
    "amp.s2p:12:5: error E2003: invalid character 'x'". Diagnostics are
    values: equal when their fields are, hashable, and they pickle.
    """

    code: int
    severity: str
    line: Optional[int]
    column: Optional[int]
    message: str
    filename: str

    @classmethod
    def _from_record(cls, record, filename):
        """From the core's (code, severity, line, column, message), where 0
        means no line or column; a column is shown only with its line."""
        code, severity, line, column, message = record
        line = line or None
        column = column if line and column else None
        return cls(code, severity, line, column, message, filename)

    def __str__(self):
        position = ""
        if self.line is not None:
            position = "%d:" % self.line
            if self.column is not None:
                position += "%d:" % self.column
        letter = "E" if self.severity == "error" else "W"
        return "%s:%s %s %s%d: %s" % (self.filename, position, self.severity, letter,
                                      self.code, self.message)


class TouchstoneError(ValueError):
    """A file, or bytes, that is not a valid Touchstone file, or a valid one
    that cannot be written as asked.

    Attributes:
        diagnostic: the checker's error (a Diagnostic), or None when a valid
            file cannot be written as Touchstone v1; str() of the exception
            is then the writer's reason.
    """

    def __init__(self, reason):
        if isinstance(reason, Diagnostic):
            ValueError.__init__(self, str(reason))
            self.diagnostic = reason
        else:
            ValueError.__init__(self, reason)
            self.diagnostic = None

    def __reduce__(self):
        # Made again from its reason, so that the diagnostic survives a
        # process pool.
        return (type(self), (self.diagnostic or self.args[0],))


def is_open_failure(diagnostic):
    """True for the checker's errors of a file that could not be opened or
    read whole, which are reported as OSError."""
    return diagnostic.code in _OPEN_FAILURES


def os_error(diagnostic, path):
    """The OSError for a file the checker could not open or read, carrying
    the diagnostic, of the subclass the system's own reason gives:
    FileNotFoundError for a missing file, PermissionError, IsADirectoryError
    and so on; a plain OSError for a file that opens but is no regular file
    or is too large."""
    number = None
    try:
        info = os.stat(path)
    except OSError as failure:
        number = failure.errno
    else:
        if stat.S_ISDIR(info.st_mode):
            number = errno.EISDIR
        elif not os.access(path, os.R_OK):
            number = errno.EACCES
        elif info.st_size > _LARGEST_READABLE:
            number = errno.EFBIG
    if number is None:
        error = OSError("%s: %r" % (diagnostic.message, path))
    else:
        error = OSError(number, diagnostic.message, path)
    error.diagnostic = diagnostic
    return error
