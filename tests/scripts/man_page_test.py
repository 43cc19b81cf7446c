#!/usr/bin/env python3
"""The manual page (docs/snpvet.1.in, as built next to the checker) in step with the program: its
DIAGNOSTICS table (code, error or warning, text, explanation) is the code table of
include/touchstone2/codes.h, and `snpvet --explain` prints each code's row, in each form the code
may be written; OPTIONS describes the options app/options.cpp accepts and SYNOPSIS names no other,
and the title has the version of `snpvet -version`."""
import os, re, subprocess, sys

from script_common import ROOT, checker, finish

OPTION = re.compile(r"(?<![\w-])--?[a-z][\w-]*(?:\.\d+)?")


def text_of(page, section):
    text = re.search(r"(?ms)^\.SH \"?%s\"?\n(.*?)(?=^\.SH |\Z)" % section, page)[1]
    text = re.sub(r"\\f[BIRP]|\\&", "", text).replace("\\-", "-").replace("\\(aq", "'")
    return text.replace("\\(dq", '"').replace("\\e", "\\")


def literal(text):
    """The string that adjacent C string literals make."""
    return "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', text)).encode().decode("unicode_escape")


def explain(snpvet, code):
    result = subprocess.run([snpvet, "--explain", code], capture_output=True, text=True)
    return result.returncode, result.stdout, result.stderr


def explain_problems(snpvet, program):
    """--explain prints the row, whether the code is written E2011, e2011 or 2011, and its
    paragraph in lines of at most 72 characters; a code not in the table, or with the other
    severity's letter, is a command-line error."""
    problems = []
    for code, (letter, kind, text, explanation) in sorted(program.items()):
        status, out, err = explain(snpvet, "%s%d" % (letter, code))
        head, _, body = out.partition("\n\n")
        lines = body.splitlines()
        if (status, err, head) != (0, "", "%s%d (%s): %s" % (letter, code, kind, text)) or \
                " ".join(lines) != explanation or max(map(len, lines)) > 72:
            problems.append("--explain %s%d printed %r (status %d, %r)" % (letter, code, out,
                                                                          status, err))
        for form in ("%d" % code, "%s%d" % (letter.lower(), code)):
            if explain(snpvet, form) != (0, out, ""):
                problems.append("--explain %s differs from --explain %s%d" % (form, letter, code))
    for wrong in ("W2011", "E2005", "2322x", "E2031", "99999", "E", "", "--", "E20111111111"):
        status, out, err = explain(snpvet, wrong)
        if status != 1 or out or "snpvet: " not in err or wrong not in err:
            problems.append("--explain %r gave status %d, %r, %r" % (wrong, status, out, err))
    return problems


def main():
    snpvet = checker()
    path = os.path.join(os.path.dirname(os.path.abspath(snpvet)), "snpvet.1")
    page = open(path).read()
    rows = re.findall(r"(?m)^\.TP\n\.B ([EW])(\d+) \((error|warning)\)\n(.+)\n\.IP\n(.+)\n",
                      text_of(page, "DIAGNOSTICS"))
    table = {int(code): (letter, kind, text, explanation)
             for letter, code, kind, text, explanation in rows}
    source = open(os.path.join(ROOT, "include", "touchstone2", "codes.h")).read()
    rows = re.findall(r'X\(\w+, (\d+), (Error|Warning),((?:\s|\\|"(?:[^"\\]|\\.)*")+),'
                      r'((?:\s|\\|"(?:[^"\\]|\\.)*")+)\)', source)
    program = {int(code): (kind[0], kind.lower(), literal(text), literal(explanation))
               for code, kind, text, explanation in rows}
    problems = ["code %d: the page says %r, the program %r" % (code, table.get(code),
                                                                 program.get(code))
                for code in set(table) | set(program) if table.get(code) != program.get(code)]
    problems += explain_problems(snpvet, program)
    # The table's text reaches roff escaped: a backslash as \e, a hyphen as \- (a bare one is a
    # typographic hyphen, which copies as another character), a quote as \(aq.
    raw = re.search(r"(?ms)^\.TP\n\.B E1000 .*?(?=^\.PP)", page)
    unescaped = re.findall(r"\\(?!e|-|\(aq|&).|(?<!\\)[-']", raw[0] if raw else "")
    if not raw or unescaped:
        problems.append("the table is missing or has unescaped text: %s" % unescaped[:5])
    code = re.sub(r"//.*", "", open(os.path.join(ROOT, "app", "options.cpp")).read())
    options = set(re.findall(r'==\s*"(-[^"]*)"', code))
    described = set(OPTION.findall("".join(re.findall(r"\.TP\n.*", text_of(page, "OPTIONS")))))
    synopsis = set(OPTION.findall(text_of(page, "SYNOPSIS")))
    if not options or described != options or not synopsis <= options:
        problems.append("options %s; under OPTIONS %s; in SYNOPSIS %s" % (options, described,
                                                                          synopsis))
    version = subprocess.run([snpvet, "-version"], capture_output=True, text=True).stdout.split()
    if not re.search(r'(?m)^\.TH .*"snpvet %s"' % re.escape(version[-1]), page):
        problems.append("the title line is not for version %s" % version[-1])
    return finish(problems, "%d codes, %d options; %d passed, %d failed" % (
        len(program), len(options), not problems, len(problems)))


if __name__ == "__main__":
    sys.exit(main())
