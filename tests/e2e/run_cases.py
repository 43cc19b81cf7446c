#!/usr/bin/env python3
"""Runs snpvet over case tables: one behaviour a line.

Usage: run_cases.py SNPVET FILE.cases [...]

A case is one line:  [ARGS] INPUT -> EXPECT   (a '#' after EXPECT starts a note)
  ARGS    the arguments in brackets, '%' for the input's name (default: [%]);
          a last word '>PATH' sends stdout to PATH (e.g. >/dev/full)
  INPUT   "text" with the escapes \\n \\r \\t \\0 \\\\ \\" \\xHH; a base name,
          then edits applied in turn: N="line" replaces line N, +N="line"
          inserts before line N, -N deletes line N (a line gains its LF);
          '-' for no file, 'dir' or 'fifo' for one of those under the name
  EXPECT  each diagnostic line in order, as E2003@2:5 or W2005@3:1, or E1001
          without a position; ="text" after one checks its message exactly;
          v1 or v2.0 for the verdict line; out= and stderr= (a base or
          a "text") for the exact stdout and stderr; status=N
The status is 1 when an E item is expected, else 0, unless status= says.
Without a verdict or out=, stdout is checked only to be empty after a failure.

A line ending in ' \\' goes on in the next (a blank before the ' \\'
stays). A base is a named file of raw lines between 'base NAME' and 'end';
those of common.bases beside this script serve every table. Lines starting
'//' and blank lines are comments. The input is written as in.s2p (name=
changes it).
"""

import os
import re
import subprocess
import sys
import tempfile

ESCAPES = {"n": b"\n", "r": b"\r", "t": b"\t", "0": b"\0", "\\": b"\\", '"': b'"'}
DIAGNOSTIC = re.compile(rb"^(?P<file>.*?)(?::(?P<pos>\d+:\d+))?: (error E|warning W)"
                        rb"(?P<code>\d+): (?P<text>.*)$")
ITEM = re.compile(r'(?P<key>[EW]\d{4}(?:@\d+:\d+)?|v1|v2\.0|out|stderr|status|name)'
                  r'(?:=(?P<value>"(?:\\.|[^"\\])*"|\S+))?$')


class CaseError(Exception):
    pass


def unquote(text):
    """The bytes of a quoted text, escapes resolved."""
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise CaseError("expected a quoted text: %s" % text)
    out, i, body = bytearray(), 0, text[1:-1]
    while i < len(body):
        if body[i] != "\\":
            out += body[i].encode("utf-8")
            i += 1
        elif body[i + 1:i + 2] == "x":
            out.append(int(body[i + 2:i + 4], 16))
            i += 4
        elif body[i + 1:i + 2] in ESCAPES:
            out += ESCAPES[body[i + 1]]
            i += 2
        else:
            raise CaseError("unknown escape in %s" % text)
    return bytes(out)


def words(text):
    """Splits on blanks, keeping quoted texts (with what is glued to them) whole."""
    return re.findall(r'(?:"(?:\\.|[^"\\])*"|[^\s"])+', text)


def build_input(spec, bases):
    if spec[0].startswith('"'):
        return unquote(spec[0])
    if spec[0] not in bases:
        raise CaseError("unknown base %s" % spec[0])
    lines = list(bases[spec[0]])
    for edit in spec[1:]:
        m = re.match(r'([+-]?)(\d+)(?:=(".*"))?$', edit)
        if not m or (m.group(1) == "-") == bool(m.group(3)):
            raise CaseError("bad edit %s" % edit)
        n = int(m.group(2)) - 1
        if m.group(1) == "-":
            del lines[n]
        elif m.group(1) == "+":
            lines.insert(n, unquote(m.group(3)) + b"\n")
        else:
            lines[n] = unquote(m.group(3)) + b"\n"
    return b"".join(lines)


class Case:
    def __init__(self, text, bases):
        self.args, self.stdout_to = ["%"], None
        m = re.match(r"\[(.*?)\]\s*", text)
        if m:
            self.args = ["" if a == '""' else a for a in m.group(1).split()]
            if self.args and self.args[-1].startswith(">"):
                self.stdout_to = self.args.pop()[1:]
            text = text[m.end():]
        parts = re.split(r"\s+->\s*", text, 1)
        if len(parts) != 2:
            raise CaseError("a case needs ' -> '")
        left, right = parts
        spec = words(left)
        self.kind = spec[0] if spec[0] in ("-", "dir", "fifo") else "file"
        self.input = build_input(spec, bases) if self.kind == "file" else None
        self.name, self.diagnostics, self.verdict = "in.s2p", [], None
        self.stdout = self.stderr = self.status = None
        for word in words(right):
            if word.startswith("#"):
                break
            self.expect(word, bases)
        if self.status is None:
            self.status = int(any(d[0].startswith("E") for d in self.diagnostics))

    def expect(self, word, bases):
        m = ITEM.match(word)
        if not m:
            raise CaseError("bad expectation %s" % word)
        key, value = m.group("key"), m.group("value")
        text = unquote(value) if value and value.startswith('"') else None
        if key[0] in "EW":
            self.diagnostics.append((key, text))
        elif key in ("v1", "v2.0"):
            self.verdict = key
        elif key == "out":
            self.stdout = text if text is not None else b"".join(bases[value])
        elif key == "stderr":
            self.stderr = text if text is not None else b"".join(bases[value])
        elif key == "status":
            self.status = int(value)
        else:
            self.name = value

    def run(self, program):
        with tempfile.TemporaryDirectory(prefix="snpvet-case-") as where:
            path = os.path.join(where, self.name)
            if self.kind == "file":
                with open(path, "wb") as f:
                    f.write(self.input)
            elif self.kind == "dir":
                os.mkdir(path)
            elif self.kind == "fifo":
                os.mkfifo(path)
            argv = [program] + [a.replace("%", self.name) for a in self.args]
            sink = open(self.stdout_to, "wb") if self.stdout_to else subprocess.PIPE
            try:
                done = subprocess.run(argv, cwd=where, stdin=subprocess.DEVNULL,
                                      stdout=sink, stderr=subprocess.PIPE, timeout=10)
            finally:
                if self.stdout_to:
                    sink.close()
        return self.differences(done.stdout or b"", done.stderr, done.returncode)

    def differences(self, out, err, status):
        problems = []
        if status != self.status:
            problems.append("status %d, expected %d" % (status, self.status))
        expected_out = self.stdout
        if self.verdict:
            expected_out = ("%s: valid Touchstone %s file\n" % (self.name, self.verdict)).encode()
        elif self.status and expected_out is None and not self.stdout_to:
            expected_out = b""
        if expected_out is not None and out != expected_out:
            problems.append("stdout %r\n    expected %r" % (out, expected_out))
        if self.stderr is not None and err != self.stderr:
            problems.append("stderr %r\n    expected %r" % (err, self.stderr))
        if self.stderr is None:
            problems += self.diagnostic_differences(err.splitlines())
        return problems

    def diagnostic_differences(self, lines):
        found = []
        for line in lines:
            m = DIAGNOSTIC.match(line)
            if not m or m.group("file") != self.name.encode():
                return ["stderr line not a diagnostic: %r" % line]
            where = "@" + m.group("pos").decode() if m.group("pos") else ""
            found.append((m.group(3)[-1:].decode() + m.group("code").decode() + where,
                          m.group("text")))
        if [f[0] for f in found] != [d[0] for d in self.diagnostics]:
            return ["diagnostics %s, expected %s" % (" ".join(f[0] for f in found),
                                                     " ".join(d[0] for d in self.diagnostics))]
        return ["%s text %r, expected %r" % (d[0], f[1], d[1])
                for f, d in zip(found, self.diagnostics) if d[1] is not None and f[1] != d[1]]


def read_table(path, bases):
    """The cases of one table as (line number, Case or CaseError)."""
    cases, base, held = [], None, ""
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    for number, raw in enumerate(lines, 1):
        if base is not None:
            if raw == b"end":
                base = None
            else:
                bases[base].append(raw + b"\n")
            continue
        text = held + raw.decode("utf-8").strip()
        if not text or text.startswith("//"):
            continue
        if text.endswith(" \\"):
            held = text[:-2]
            continue
        held = ""
        if text.startswith("base "):
            base = text[5:].strip()
            bases[base] = []
            continue
        try:
            cases.append((number, Case(text, bases)))
        except (CaseError, KeyError, ValueError, IndexError) as e:
            cases.append((number, CaseError("malformed case: %s" % e)))
    return cases


def main(argv):
    program = os.path.abspath(argv[0])
    bases = {}
    read_table(os.path.join(os.path.dirname(os.path.abspath(__file__)), "common.bases"), bases)
    passed = failed = 0
    for path in argv[1:]:
        for number, case in read_table(path, dict(bases)):
            problems = [str(case)] if isinstance(case, CaseError) else case.run(program)
            if problems:
                failed += 1
                print("FAIL %s:%d\n    %s" % (path, number, "\n    ".join(problems)))
            else:
                passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
