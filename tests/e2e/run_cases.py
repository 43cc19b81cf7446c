#!/usr/bin/env python3
"""Runs snpvet over case tables: one behaviour a line.

Usage: run_cases.py SNPVET FILE.cases [...]
       run_cases.py --inputs FOLDER FILE.cases [...]

The second form runs nothing: it writes each case's input file, under the
last part of its name, to FOLDER/TABLE-LINE/, for other checks of the same
inputs.

A case is one line:  [ARGS] INPUT -> EXPECT   (a '#' after EXPECT starts a note)
  ARGS    the arguments in brackets, '%' for the input's name (default: [%]);
          a last word '>PATH' sends stdout to PATH (e.g. >/dev/full); a word
          '<' gives the input on standard input instead of as a file
  INPUT   "text" with the escapes \\n \\r \\t \\0 \\\\ \\" \\xHH; a base name,
          then edits applied in turn: N="line" replaces line N, +N="line"
          inserts before line N, -N deletes line N (a line gains its LF);
          N counts the lines as the earlier edits left them, from 1 to the
          last line, and +N also takes the last line + 1 (appends a line);
          '-' for no file, 'dir' for a folder under the name; or a tree of
          several: 'tree' then PATH=BASE, PATH="text", PATH@TARGET (a
          symbolic link) or PATH/ (a folder), each PATH relative to the
          run's folder and named so by the arguments
  EXPECT  each diagnostic line in order, as E2003@2:5 or W2005@3:1, or E1001
          without a position; ="text" after one checks its message exactly;
          v1, v1.1, v2.0 or v2.1 for the verdict line; out= and stderr= (a base,
          a "text" or BASE+"text") for the exact stdout and stderr; status=N;
          file:PATH= (likewise) for what a file in the run's folder holds after it
The status is 1 when an E item is expected, else 0, unless status= says.
A tree's files are several, so its case expects out=, stderr=, status= and
file: only.
Without a verdict or out=, stdout must be empty after a failure; a case that
expects success needs one of them (unless stdout goes to a PATH).
Whatever a case says must be compared: a table without a case, a base without
its 'end', a case that expects nothing, an item given twice, a value no comparison reads (a message not in
quotes, v1=x), edits outside the base, items that contradict each other
(status=0 with an E item, a verdict with out=, stderr= with diagnostics) or
an input that the arguments never name are errors of the table.

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
ITEM = re.compile(r'(?P<key>[EW]\d{4}(?:@\d+:\d+)?|v1\.1|v2\.1|v1|v2\.0|out|stderr|status|name|'
                  r'file:[\w./-]+)'
                  r'(?:=(?P<value>(?:\w+\+)?"(?:\\.|[^"\\])*"|\S+))?$')


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


WORD = re.compile(r'\s*(#.*|(?:"(?:\\.|[^"\\])*"|[^\s"])+)\s*')


def words(text, notes=False):
    """Splits on blanks (up to a note), keeping quoted texts (with what is glued to them) whole."""
    found, at, text = [], 0, text.strip()
    while at < len(text):
        m = WORD.match(text, at)
        if not m:
            raise CaseError("unterminated quote in %s" % text[at:])
        if notes and m.group(1).startswith("#"):
            break
        found.append(m.group(1))
        at = m.end()
    return found


def build_input(items, bases):
    if items[0].startswith('"'):
        if len(items) > 1:
            raise CaseError("edits of a quoted text: %s" % " ".join(items[1:]))
        return unquote(items[0])
    if items[0] not in bases:
        raise CaseError("unknown base %s" % items[0])
    lines = list(bases[items[0]])
    for edit in items[1:]:
        m = re.match(r'([+-]?)(\d+)(?:=(".*"))?$', edit)
        if not m or (m.group(1) == "-") == bool(m.group(3)):
            raise CaseError("bad edit %s" % edit)
        n = int(m.group(2)) - 1
        if not 0 <= n < len(lines) + (m.group(1) == "+"):
            raise CaseError("edit %s outside the %d lines" % (edit, len(lines)))
        if m.group(1) == "-":
            del lines[n]
        elif m.group(1) == "+":
            lines.insert(n, unquote(m.group(3)) + b"\n")
        else:
            lines[n] = unquote(m.group(3)) + b"\n"
    return b"".join(lines)


def tree_entry(item, bases):
    """(path, what) of a tree's entry: the bytes of a file, ("link", target) or "folder"."""
    m = re.match(r'([^=@"]+?)(?:(/)|@(\S+)|=(.+))$', item)
    if not m or os.path.isabs(m.group(1)) or ".." in m.group(1).split("/"):
        raise CaseError("bad tree entry %s" % item)
    if m.group(2):
        return m.group(1), "folder"
    if m.group(3):
        return m.group(1), ("link", m.group(3))
    return m.group(1), build_input([m.group(4)], bases)


def make_entry(path, what):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    if what == "folder":
        os.makedirs(path, exist_ok=True)
    elif isinstance(what, tuple):
        os.symlink(what[1], path)
    else:
        with open(path, "wb") as f:
            f.write(what)


class Case:
    def __init__(self, text, bases):
        self.args, self.stdout_to, self.stdin = ["%"], None, False
        m = re.match(r"\[(.*?)\]\s*", text)
        if m:
            self.args = ["" if a == '""' else a for a in m.group(1).split()]
            if self.args and self.args[-1].startswith(">"):
                self.stdout_to = self.args.pop()[1:]
            self.stdin = "<" in self.args
            self.args = [a for a in self.args if a != "<"]
            text = text[m.end():]
        parts = re.split(r"\s+->\s*", text, 1)
        if len(parts) != 2:
            raise CaseError("a case needs ' -> '")
        left, right = parts
        items = words(left)
        self.kind = items[0] if items[0] in ("-", "dir", "tree") else "file"
        if self.kind in ("-", "dir") and len(items) > 1:
            raise CaseError("edits of %s: %s" % (self.kind, " ".join(items[1:])))
        if self.kind == "file" and not self.stdin and not any("%" in a for a in self.args) or \
                self.kind == "dir" and not any("%" in a for a in self.args):
            raise CaseError("the arguments never name the input")
        if self.stdin and self.kind != "file":
            raise CaseError("only a file's bytes go to standard input")
        self.input = build_input(items, bases) if self.kind == "file" else None
        self.tree = [tree_entry(item, bases) for item in items[1:]] if self.kind == "tree" \
            else None
        self.name, self.diagnostics, self.verdict = "in.s2p", [], None
        self.stdout = self.stderr = self.status = None
        self.given, self.files = set(), {}
        for word in words(right, True):
            self.expect(word, bases)
        errors = any(d[0].startswith("E") for d in self.diagnostics)
        if not self.given - {"name"}:
            raise CaseError("nothing expected")
        if self.status is None:
            self.status = int(errors)
        if errors and self.status != 1 or self.verdict and (self.status or errors):
            raise CaseError("status %d contradicts the expected items" % self.status)
        if self.verdict and self.stdout is not None or self.stdout_to and (
                self.verdict or self.stdout is not None):
            raise CaseError("stdout expected twice, or from a redirected run")
        if not (self.status or self.verdict or self.stdout is not None or self.stdout_to):
            raise CaseError("a success needs a verdict or out=")
        if self.stderr is not None and self.diagnostics:
            raise CaseError("stderr= with diagnostics")
        if self.tree is not None and (self.diagnostics or self.verdict or not self.tree or
                                      "status" not in self.given):
            raise CaseError("a tree needs entries, and out=, stderr=, status= and file: only")

    def expect(self, word, bases):
        m = ITEM.match(word)
        if not m:
            raise CaseError("bad expectation %s" % word)
        key, value = m.group("key"), m.group("value")
        text = unquote(value) if value and value.startswith('"') else None
        joined = re.match(r'(\w+)\+(".*")$', value or "")
        if joined and (key in ("out", "stderr") or key.startswith("file:")):  # a base, a text
            text = b"".join(bases[joined.group(1)]) + unquote(joined.group(2))
        kind = "verdict" if key[0] == "v" else "diagnostic" if key[0] in "EW" else key
        if kind in self.given and kind != "diagnostic":
            raise CaseError("%s given twice" % kind)
        self.given.add(kind)
        wrong = {"diagnostic": value is not None and text is None,  # a message is quoted
                 "verdict": value is not None, "status": not (value or "").isdigit(),
                 "name": value is None or text is not None}.get(kind, value is None)
        if wrong:
            raise CaseError("bad value in %s" % word)
        if key[0] in "EW":
            self.diagnostics.append((key, text))
        elif key in ("v1", "v1.1", "v2.0", "v2.1"):
            self.verdict = key
        elif key == "out":
            self.stdout = text if text is not None else b"".join(bases[value])
        elif key == "stderr":
            self.stderr = text if text is not None else b"".join(bases[value])
        elif key == "status":
            self.status = int(value)
        elif key.startswith("file:"):
            self.files[key[5:]] = text if text is not None else b"".join(bases[value])
        else:
            self.name = value

    def run(self, program):
        with tempfile.TemporaryDirectory(prefix="snpvet-case-") as where:
            path = os.path.join(where, self.name)
            if self.kind == "file" and not self.stdin:
                with open(path, "wb") as f:
                    f.write(self.input)
            elif self.kind == "dir":
                os.mkdir(path)
            for entry, what in self.tree or []:
                make_entry(os.path.join(where, entry), what)
            argv = [program] + [a.replace("%", self.name) for a in self.args]
            sink = open(self.stdout_to, "wb") if self.stdout_to else subprocess.PIPE
            try:
                done = subprocess.run(argv, cwd=where, input=self.input if self.stdin else b"",
                                      stdout=sink, stderr=subprocess.PIPE, timeout=10)
            finally:
                if self.stdout_to:
                    sink.close()
            found = {}
            for name in self.files:
                if os.path.isfile(os.path.join(where, name)):
                    with open(os.path.join(where, name), "rb") as f:
                        found[name] = f.read()
        return self.differences(done.stdout or b"", done.stderr, done.returncode) + [
            "file %s: %r\n    expected %r" % (name, found.get(name), data)
            for name, data in self.files.items() if found.get(name) != data]

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
            base, opened = text[5:].strip(), number
            if base in bases:
                cases.append((number, CaseError("base %s defined twice" % base)))
            bases[base] = []
            continue
        try:
            cases.append((number, Case(text, bases)))
        except (CaseError, KeyError, ValueError, IndexError) as e:
            cases.append((number, CaseError("malformed case: %s" % e)))
    if base is not None:
        cases.append((opened, CaseError("base %s has no 'end' line" % base)))
    if held:
        cases.append((len(lines), CaseError("the last line goes on after the end")))
    return cases


def write_inputs(folder, paths):
    """Writes the input file of every case of the tables; a bad table fails."""
    bases, written = {}, 0
    read_table(os.path.join(os.path.dirname(os.path.abspath(__file__)), "common.bases"), bases)
    for path in paths:
        table = os.path.splitext(os.path.basename(path))[0]
        for number, case in read_table(path, dict(bases)):
            if not isinstance(case, Case):
                print("FAIL %s:%d\n    %s" % (path, number, case))
                return 1
            if case.kind != "file":
                continue
            where = os.path.join(folder, "%s-%d" % (table, number))
            os.makedirs(where, exist_ok=True)
            # Under its own name, without the folders a name may have; what
            # goes to standard input under a name of no particular kind.
            name = "stdin.ts" if case.stdin else os.path.basename(case.name)
            with open(os.path.join(where, name), "wb") as f:
                f.write(case.input)
            written += 1
    print("%d inputs written" % written)
    return 0 if written else 1


def main(argv):
    if argv[:1] == ["--inputs"] and len(argv) > 2:
        return write_inputs(argv[1], argv[2:])
    program = os.path.abspath(argv[0])
    bases = {}
    common = os.path.join(os.path.dirname(os.path.abspath(__file__)), "common.bases")
    tables = [(common, read_table(common, bases))]
    tables += [(path, read_table(path, dict(bases))) for path in argv[1:]]
    passed = failed = 0
    for path, cases in tables:
        if path != common and not any(isinstance(c, Case) for _, c in cases):
            cases.append((0, CaseError("a table without a case")))
        for number, case in cases:
            problems = [str(case)] if not isinstance(case, Case) else \
                ["a case among the bases"] if path == common else case.run(program)
            if problems:
                failed += 1
                print("FAIL %s:%d\n    %s" % (path, number, "\n    ".join(problems)))
            else:
                passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
