"""Writing a Touchstone out: never a text the checker refuses, never a partial
file in place of a whole one."""

import io
import os
import stat
import tempfile

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


def _new_file_mode():
    """What a newly created file gets: 0o666 less the process's umask, read
    where the system shows it, so that no other thread sees a changed umask."""
    try:
        with open("/proc/self/status") as status:
            for line in status:
                if line.startswith("Umask:"):
                    return 0o666 & ~int(line.split()[1], 8)
    except OSError:
        pass
    mask = os.umask(0o022)
    os.umask(mask)
    return 0o666 & ~mask


def write_to_path(touchstone, path, version):
    """Through a temporary file in the target's folder: written, synced,
    read back by the checker, given the mode of the file it replaces, then
    renamed over it. On any failure the temporary file goes and the target
    is as it was. A device or a pipe gets the checked text directly."""
    path = os.fsdecode(os.fspath(path))
    check_version(version)
    # A link is followed, so that the file it names is replaced, not the
    # link; a device or a pipe is written to, never renamed over.
    path = os.path.realpath(path) if os.path.islink(path) else path
    try:
        special = not stat.S_ISREG(os.stat(path).st_mode) and \
            not stat.S_ISDIR(os.stat(path).st_mode)
    except OSError:
        special = False
    if special:
        with open(path, "wb") as file:
            write_to_object(touchstone, file, version)
        return
    folder, base = os.path.split(path)
    descriptor, temporary = tempfile.mkstemp(prefix="." + base + ".", suffix=".tmp",
                                             dir=folder or ".")
    try:
        try:
            try:
                failure = touchstone._parsed.write_to(descriptor, version)
            except ValueError as refusal:
                raise TouchstoneError(str(refusal)) from None
            if failure:
                raise OSError(failure, os.strerror(failure), path)
            try:
                mode = os.stat(path).st_mode & 0o7777
            except FileNotFoundError:
                mode = _new_file_mode()
            os.fchmod(descriptor, mode)
            os.fsync(descriptor)
        finally:
            os.close(descriptor)
        _refuse_unless_valid(_core.parse_path(os.fsencode(temporary)), path)
        os.replace(temporary, path)
    except BaseException:
        try:
            os.unlink(temporary)
        except OSError:
            pass
        raise
    _sync_folder(folder or ".")


def _sync_folder(folder):
    """Makes the rename itself durable, where the system allows it."""
    try:
        descriptor = os.open(folder, os.O_RDONLY | os.O_DIRECTORY)
    except OSError:
        return
    try:
        os.fsync(descriptor)
    except OSError:
        pass
    finally:
        os.close(descriptor)
