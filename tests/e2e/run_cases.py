#!/usr/bin/env python3
"""Runs end-to-end cases of snpvet.

Usage: run_cases.py [--only NAME-SUBSTRING] <path-to-snpvet> <file.cases> [...]

A .cases file holds many cases, each a name, a few header lines and the
blocks input, stdout, stderr and status (see parse_cases below).  Every case
runs in a fresh temporary directory with the input file written into it; the
program's stdout, stderr and exit status must match byte for byte.

Standard library only: this runs under whatever python3 CTest finds.
"""

import argparse
import difflib
import os
import shutil
import signal
import subprocess
import sys
import tempfile

DEFAULT_FILE = "in.s2p"
DEFAULT_ARGS = "{file}"
DEFAULT_TIMEOUT = 10.0
BLOCK_NAMES = ("input", "stdout", "stderr", "status")


class CaseFileError(Exception):
    """A malformed .cases file; carries the 1-based line number."""

    def __init__(self, line_number, message):
        Exception.__init__(self, message)
        self.line_number = line_number
        self.message = message


class Case(object):
    def __init__(self, name, line_number):
        self.name = name
        self.line_number = line_number
        self.file = DEFAULT_FILE
        self.args = DEFAULT_ARGS
        self.setup = []          # list of (verb, name)
        self.stdout_to = None
        self.env = []            # list of (name, value)
        self.timeout = DEFAULT_TIMEOUT
        self.blocks = {}         # block name -> bytes

    @property
    def input(self):
        return self.blocks.get("input")

    @property
    def expected_stdout(self):
        return self.blocks.get("stdout", b"")

    @property
    def expected_stderr(self):
        return self.blocks.get("stderr", b"")

    @property
    def expected_status(self):
        return self.blocks.get("status", 0)

    def argv(self):
        """The arguments after the program name, placeholders replaced."""
        result = []
        for word in self.args.split():
            word = word.replace("{file}", self.file)
            word = word.replace("{empty}", "")
            result.append(word)
        return result


# ---------------------------------------------------------------------------
# Parsing the case format.

def _hex_value(text):
    try:
        return int(text, 16)
    except ValueError:
        return None


def unescape_line(text, line_number):
    """Turns one block line into bytes, the closing LF included.

    `text` is the raw line as bytes, without its LF.  Escapes are read left
    to right so that a doubled backslash at the end is a literal backslash,
    not the no-line-end mark.
    """
    out = bytearray()
    i = 0
    n = len(text)
    while i < n:
        byte = text[i]
        if byte != 0x5C:  # backslash
            out.append(byte)
            i += 1
            continue
        if i + 1 == n:
            return bytes(out)  # a lone trailing backslash: no LF
        escape = chr(text[i + 1])
        if escape == "\\":
            out.append(0x5C)
        elif escape == "r":
            out.append(0x0D)
        elif escape == "t":
            out.append(0x09)
        elif escape == "n":
            out.append(0x0A)
        elif escape == "0":
            out.append(0x00)
        elif escape == "x":
            digits = text[i + 2:i + 4]
            value = _hex_value(digits.decode("latin-1")) if len(digits) == 2 else None
            if value is None:
                raise CaseFileError(line_number, "bad \\x escape (two hex digits needed)")
            out.append(value)
            i += 4
            continue
        else:
            raise CaseFileError(line_number, "unknown escape \\%s" % escape)
        i += 2
    out.append(0x0A)
    return bytes(out)


def _is_blank(line):
    return line.strip(b" \t") == b""


def _is_separator(line):
    return _is_blank(line) or line.startswith(b"//")


def _split_lines(data):
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()  # the LF that ends the last line starts no new line
    return lines


def _parse_status(lines, first_line_number):
    text = b"".join(lines).decode("latin-1").strip()
    try:
        return int(text)
    except ValueError:
        raise CaseFileError(first_line_number, "status block must hold one integer")


def _parse_header(case, line, line_number):
    text = line.decode("utf-8", "replace")
    key, sep, value = text.partition(":")
    if not sep:
        raise CaseFileError(line_number, "expected a header line 'key: value' or a block")
    key = key.strip()
    value = value.strip()
    if key == "file":
        if not value:
            raise CaseFileError(line_number, "file: needs a name")
        case.file = value
    elif key == "args":
        case.args = value
    elif key == "setup":
        verb, _, name = value.partition(" ")
        name = name.strip()
        if verb not in ("mkdir", "mkfifo") or not name:
            raise CaseFileError(line_number, "setup: expects 'mkdir NAME' or 'mkfifo NAME'")
        case.setup.append((verb, name))
    elif key == "stdout-to":
        if not value:
            raise CaseFileError(line_number, "stdout-to: needs a path")
        case.stdout_to = value
    elif key == "env":
        name, eq, env_value = value.partition("=")
        if not eq or not name:
            raise CaseFileError(line_number, "env: expects NAME=VALUE")
        case.env.append((name, env_value))
    elif key == "timeout":
        try:
            case.timeout = float(value)
        except ValueError:
            raise CaseFileError(line_number, "timeout: expects a number of seconds")
        if case.timeout <= 0:
            raise CaseFileError(line_number, "timeout: must be positive")
    else:
        raise CaseFileError(line_number, "unknown header '%s'" % key)


def _finish_block(case, name, lines, first_line_number, ends_case):
    """Stores one block; `lines` are (line_number, raw bytes) pairs."""
    if ends_case:
        # Blank lines and // comments before the next case or the end of the
        # file stand between cases; they are not part of the block.
        while lines and _is_separator(lines[-1][1]):
            lines.pop()
    if name == "status":
        case.blocks[name] = _parse_status([l for _, l in lines], first_line_number)
    else:
        case.blocks[name] = b"".join(unescape_line(l, n) for n, l in lines)


def _check_case(case):
    if case.stdout_to is not None and "stdout" in case.blocks:
        raise CaseFileError(case.line_number,
                            "case '%s' redirects stdout and also expects stdout" % case.name)


def parse_cases(data):
    """Parses the text of a .cases file (bytes) into a list of Case."""
    cases = []
    names = set()
    case = None
    block = None        # name of the open block
    block_lines = []
    block_start = 0

    def close_block(ends_case):
        if block is not None:
            _finish_block(case, block, block_lines, block_start, ends_case)

    for index, line in enumerate(_split_lines(data)):
        number = index + 1
        if line.startswith(b"=== "):
            close_block(True)
            block = None
            if case is not None:
                _check_case(case)
            name = line[4:].decode("utf-8", "replace").strip()
            if not name:
                raise CaseFileError(number, "a case needs a name")
            if name in names:
                raise CaseFileError(number, "duplicate case name '%s'" % name)
            names.add(name)
            case = Case(name, number)
            cases.append(case)
            continue
        if line.startswith(b"--- "):
            if case is None:
                raise CaseFileError(number, "block outside of a case")
            close_block(False)
            block = line[4:].decode("utf-8", "replace").strip()
            if block not in BLOCK_NAMES:
                raise CaseFileError(number, "unknown block '%s'" % block)
            if block in case.blocks:
                raise CaseFileError(number, "block '%s' given twice" % block)
            block_lines = []
            block_start = number
            continue
        if block is not None:
            block_lines.append((number, line))
            continue
        if line.startswith(b"//") or _is_blank(line):
            continue
        if case is None:
            raise CaseFileError(number, "text before the first case")
        _parse_header(case, line, number)
    close_block(True)
    if case is not None:
        _check_case(case)
    return cases


# ---------------------------------------------------------------------------
# Running one case.

class Outcome(object):
    def __init__(self):
        self.stdout = b""
        self.stderr = b""
        self.status = None
        self.problem = None   # text when the case could not run or timed out


def _prepare(case, directory):
    for verb, name in case.setup:
        path = os.path.join(directory, name)
        if verb == "mkdir":
            os.makedirs(path)
        else:
            os.mkfifo(path)
    if case.input is not None:
        with open(os.path.join(directory, case.file), "wb") as f:
            f.write(case.input)


def _kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except OSError:
        pass


def _execute(program, case, directory):
    outcome = Outcome()
    env = dict(os.environ)
    env.update(case.env)
    stdout_file = None
    if case.stdout_to is not None:
        stdout_file = open(os.path.join(directory, case.stdout_to), "wb")
    try:
        process = subprocess.Popen(
            [program] + case.argv(), cwd=directory, env=env,
            stdin=subprocess.DEVNULL,
            stdout=stdout_file if stdout_file else subprocess.PIPE,
            stderr=subprocess.PIPE, start_new_session=True)
    except OSError as e:
        outcome.problem = "could not run %s: %s" % (program, e)
        return outcome
    finally:
        if stdout_file:
            stdout_file.close()
    try:
        out, err = process.communicate(timeout=case.timeout)
    except subprocess.TimeoutExpired:
        _kill_group(process)
        out, err = process.communicate()
        outcome.problem = "timed out after %g s (process group killed)" % case.timeout
    outcome.stdout = out or b""
    outcome.stderr = err or b""
    outcome.status = process.returncode
    return outcome


def run_case(program, case):
    with tempfile.TemporaryDirectory(prefix="snpvet-e2e-") as directory:
        try:
            _prepare(case, directory)
        except OSError as e:
            outcome = Outcome()
            outcome.problem = "could not set up the case: %s" % e
            return outcome
        return _execute(program, case, directory)


# ---------------------------------------------------------------------------
# Reporting.

def visible(data):
    """Renders bytes as lines in the case format's own escapes, so that CR,
    NUL, tabs and 8-bit bytes can be seen in a diff."""
    lines = []
    for raw in data.split(b"\n"):
        text = []
        for byte in bytearray(raw):
            if byte == 0x5C:
                text.append("\\\\")
            elif byte == 0x0D:
                text.append("\\r")
            elif byte == 0x09:
                text.append("\\t")
            elif byte == 0x00:
                text.append("\\0")
            elif byte < 0x20 or byte >= 0x7F:
                text.append("\\x%02x" % byte)
            else:
                text.append(chr(byte))
        lines.append("".join(text))
    if lines[-1] == "":
        lines.pop()       # data ended with LF
    elif lines:
        lines[-1] += "\\"  # no final LF
    return lines


def _describe_status(status):
    if status is None:
        return "none"
    if status < 0:
        try:
            return "%d (killed by %s)" % (status, signal.Signals(-status).name)
        except ValueError:
            return "%d (killed by signal %d)" % (status, -status)
    return str(status)


def failures(case, outcome):
    """The report lines of every difference; empty when the case passed."""
    report = []
    if outcome.problem:
        report.append("  " + outcome.problem)
    streams = [("stderr", case.expected_stderr, outcome.stderr)]
    if case.stdout_to is None:
        streams.insert(0, ("stdout", case.expected_stdout, outcome.stdout))
    for name, expected, actual in streams:
        if expected != actual:
            diff = difflib.unified_diff(visible(expected), visible(actual),
                                        "expected " + name, "actual " + name,
                                        lineterm="")
            report.extend("  " + line for line in diff)
    if outcome.status != case.expected_status:
        report.append("  status: expected %d, got %s"
                      % (case.expected_status, _describe_status(outcome.status)))
    return report


def _resolve_program(program):
    if os.sep in program:
        return os.path.abspath(program)
    found = shutil.which(program)
    return found if found else program


def main(argv):
    parser = argparse.ArgumentParser(description="Runs snpvet end-to-end cases.")
    parser.add_argument("--only", metavar="NAME-SUBSTRING",
                        help="run only the cases whose name contains this text")
    parser.add_argument("program", help="path to the snpvet executable")
    parser.add_argument("case_files", nargs="+", metavar="file.cases")
    options = parser.parse_args(argv)
    program = _resolve_program(options.program)

    passed = failed = 0
    malformed = False
    for path in options.case_files:
        try:
            with open(path, "rb") as f:
                cases = parse_cases(f.read())
        except CaseFileError as e:
            print("%s:%d: malformed case file: %s" % (path, e.line_number, e.message))
            malformed = True
            continue
        except OSError as e:
            print("%s: cannot read: %s" % (path, e))
            malformed = True
            continue
        for case in cases:
            if options.only and options.only not in case.name:
                continue
            report = failures(case, run_case(program, case))
            if report:
                failed += 1
                print("FAIL %s:%d: %s" % (path, case.line_number, case.name))
                for line in report:
                    print(line)
            else:
                passed += 1
                print("ok   %s" % case.name)
        sys.stdout.flush()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or malformed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
