#!/usr/bin/env python3
"""The manual page (docs/snpvet.1.in, as built next to the checker) in step with the program: its
DIAGNOSTICS table (code, error or warning, text) is the code table of include/touchstone2/codes.h,
OPTIONS describes the options app/options.cpp accepts and SYNOPSIS names no other, and the title
has the version of `snpvet -version`."""
import argparse, os, re, subprocess, sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OPTION = re.compile(r"(?<![\w-])--?[a-z][\w-]*(?:\.\d+)?")


def text_of(page, section):
    text = re.search(r"(?ms)^\.SH \"?%s\"?\n(.*?)(?=^\.SH |\Z)" % section, page)[1]
    text = re.sub(r"\\f[BIRP]|\\&", "", text).replace("\\-", "-").replace("\\(aq", "'")
    return text.replace("\\(dq", '"').replace("\\e", "\\")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    snpvet = parser.parse_args().snpvet
    path = os.path.join(os.path.dirname(os.path.abspath(snpvet)), "snpvet.1")
    page = open(path).read()
    rows = re.findall(r'(?m)^\.IP "(\d+)\s+(error|warning)" \d+\n((?:[^.\'\n].*\n)+)',
                      text_of(page, "DIAGNOSTICS"))
    table = {int(code): (kind, " ".join(text.split())) for code, kind, text in rows}
    source = open(os.path.join(ROOT, "include", "touchstone2", "codes.h")).read()
    rows = re.findall(r'X\(\w+, (\d+), (Error|Warning),((?:\s|\\|"(?:[^"\\]|\\.)*")+)\)', source)
    program = {int(code): (kind.lower(), "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', text))
                           .encode().decode("unicode_escape")) for code, kind, text in rows}
    problems = ["code %d: the page says %r, the program %r" % (code, table.get(code),
                                                                 program.get(code))
                for code in set(table) | set(program) if table.get(code) != program.get(code)]
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
    print("".join("FAIL %s\n" % problem for problem in problems), end="")
    print("%d codes, %d options; %d passed, %d failed" % (len(program), len(options),
                                                         not problems, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
