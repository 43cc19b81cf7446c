#!/usr/bin/env python3
"""Keeps the manual page docs/snpvet.1 in step with the program.

Compared, both ways and exactly:
  - the DIAGNOSTICS table (code, error or warning, text) against the code
    table in diagnostics/message_text.cpp and the codes that isWarningCode()
    names there;
  - the options described under OPTIONS (and named in SYNOPSIS) against the
    option strings that app/options.cpp accepts;
  - the version in the page's title line against `snpvet -version`.

Usage: man_page_test.py --snpvet PATH [--root REPO]
Exit status: 0 pass, 1 fail.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# The roff escapes the page uses in running text; anything else left in a
# text would show up as a difference, which is what we want.
ROFF_ESCAPES = [
    ("\\(aq", "'"), ("\\(dq", '"'), ("\\(ga", "`"), ("\\-", "-"),
    ("\\&", ""), ("\\e", "\\"), ("\\ ", " "),
]


def unroff(text):
    text = re.sub(r"\\f[BIRP]", "", text)
    for escape, plain in ROFF_ESCAPES:
        text = text.replace(escape, plain)
    return text


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def section(page, name):
    """The lines of one .SH section, without the heading."""
    match = re.search(r"^\.SH \"?%s\"?\n(.*?)(?=^\.SH |\Z)" % re.escape(name),
                      page, re.M | re.S)
    if not match:
        raise SystemExit("FAIL: the manual page has no %s section" % name)
    return match.group(1).splitlines()


def page_codes(page, problems):
    """{code: (kind, text)} from the DIAGNOSTICS table, one .IP per code."""
    codes = {}
    lines = section(page, "DIAGNOSTICS")
    for i, line in enumerate(lines):
        if not line.startswith(".IP "):
            continue
        match = re.match(r'\.IP "(\d+)\s+(error|warning)" \d+$', line)
        if not match:
            if "Code" not in line:
                problems.append("manual page: cannot read table row %r" % line)
            continue
        text_lines = []
        for follower in lines[i + 1:]:
            if follower.startswith(".") or follower.startswith("'"):
                break
            text_lines.append(follower)
        code = int(match.group(1))
        if code in codes:
            problems.append("manual page: code %d is listed twice" % code)
        codes[code] = (match.group(2), unroff(" ".join(text_lines)))
    return codes


def source_codes(root, problems):
    """{code: (kind, text)} from messageText() and isWarningCode()."""
    source = read(os.path.join(root, "diagnostics", "message_text.cpp"))
    texts = {}
    for match in re.finditer(r'case\s+(-?\d+)\s*:\s*return\s+"((?:[^"\\]|\\.)*)"\s*;', source):
        texts[int(match.group(1))] = bytes(match.group(2), "utf-8").decode("unicode_escape")
    body = re.search(r"bool\s+isWarningCode\s*\([^)]*\)\s*\{(.*?)\n\}", source, re.S)
    if not texts or not body:
        problems.append("diagnostics/message_text.cpp: cannot find the code table "
                        "or isWarningCode()")
        return {}
    warnings = {int(n) for n in re.findall(r"\b\d{4}\b", body.group(1))}
    for code in sorted(warnings - set(texts)):
        problems.append("isWarningCode() names %d, which has no text" % code)
    return {code: ("warning" if code in warnings else "error", text)
            for code, text in texts.items()}


def compare_codes(documented, actual, problems):
    for code in sorted(set(actual) - set(documented)):
        problems.append("code %d (%s, %r) is missing from the manual page"
                        % (code, actual[code][0], actual[code][1]))
    for code in sorted(set(documented) - set(actual)):
        problems.append("the manual page lists code %d, which the program does not have"
                        % code)
    for code in sorted(set(documented) & set(actual)):
        page_kind, page_text = documented[code]
        kind, text = actual[code]
        if page_kind != kind:
            problems.append("code %d: the manual page says %s, the program %s"
                            % (code, page_kind, kind))
        if page_text != text:
            problems.append("code %d: text differs\n  manual page: %r\n  program:     %r"
                            % (code, page_text, text))


def options_in(lines):
    return set(re.findall(r"(?<![\w-])-[a-z][a-z0-9-]*", unroff("\n".join(lines))))


def page_options(page):
    """Options described under OPTIONS: the tag line after each .TP."""
    lines = section(page, "OPTIONS")
    tags = [lines[i + 1] for i, line in enumerate(lines[:-1]) if line.startswith(".TP")]
    return options_in(tags), options_in(section(page, "SYNOPSIS"))


def source_options(root):
    """The strings an argument is compared with; comments may quote typos."""
    source = read(os.path.join(root, "app", "options.cpp"))
    source = re.sub(r"//[^\n]*|/\*.*?\*/", "", source, flags=re.S)
    return set(re.findall(r'==\s*"(-[^"]*)"', source))


def compare_options(page, root, problems):
    described, synopsis = page_options(page)
    accepted = source_options(root)
    if not accepted:
        problems.append("app/options.cpp: found no option strings")
    for option in sorted(accepted - described):
        problems.append("option %s is accepted but not described under OPTIONS" % option)
    for option in sorted(described - accepted):
        problems.append("option %s is described under OPTIONS but not accepted" % option)
    for option in sorted(synopsis - accepted):
        problems.append("SYNOPSIS names %s, which is not accepted" % option)


def compare_version(page, snpvet, problems):
    title = re.search(r'^\.TH .*"snpvet ([^"]+)"', page, re.M)
    run = subprocess.run([snpvet, "-version"], capture_output=True, text=True, timeout=30)
    match = re.match(r"snpvet, version (\S+)\n", run.stdout)
    if not title or not match:
        problems.append("cannot read the version from the title line or from %r"
                        % run.stdout)
    elif title.group(1) != match.group(1):
        problems.append("the manual page is for version %s, the program is %s"
                        % (title.group(1), match.group(1)))


def check_rendering(path, problems):
    """groff's own warnings (bad macros, unknown escapes), where it exists."""
    if not shutil.which("groff"):
        print("note: groff is not installed; rendering not checked")
        return
    run = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-z", path],
                         capture_output=True, text=True, timeout=30)
    if run.returncode != 0 or run.stderr.strip():
        problems.append("groff warns about the manual page:\n" + run.stderr)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--root", default=ROOT)
    args = parser.parse_args()

    man_path = os.path.join(args.root, "docs", "snpvet.1")
    page = read(man_path)
    problems = []
    documented = page_codes(page, problems)
    actual = source_codes(args.root, problems)
    compare_codes(documented, actual, problems)
    compare_options(page, args.root, problems)
    compare_version(page, args.snpvet, problems)
    check_rendering(man_path, problems)

    if problems:
        for problem in problems:
            print("FAIL: " + problem)
        return 1
    print("manual page matches: %d codes (%d warnings), %d options"
          % (len(actual), sum(kind == "warning" for kind, _ in actual.values()),
             len(source_options(args.root))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
