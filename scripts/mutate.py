#!/usr/bin/env python3
"""Mutation testing: how many small faults planted in the product does the test suite catch?

A mutant changes one operator, word or number on one line of a product source (the library and
the program in cmake/sources.txt, not the unit tests or the Python binding). The sample is the N
sites with the lowest hash of (seed, file, line text, rule, occurrence), so a change elsewhere in
the product leaves it almost the same. Each mutant is built and the suite run, fast tests first;
it is killed when it builds and a test fails, and not counted when it does not build.

Usage: scripts/mutate.py [--src DIR] [--work DIR] [-n N] [--seed S] [--list] [--tests-from DIR]
  --src         the checkout to test (default: the one holding this script); its committed HEAD
                is cloned, so commit first
  --work        scratch folder for the clone and its build (default: mutation in the system's
                temporary folder), reused while
                it holds the same commit
  --list        print the sampled sites and stop
  --tests-from  take everything but the product sources from another checkout, so that two
                suites are compared on the same mutants
Prints one line per mutant, then "killed K of M (P%)".
"""
import argparse, hashlib, os, re, shutil, signal, subprocess, sys, tempfile, time

SLOW = r"script\.(hostile_inputs|truncation|install|round_trip)_test"
SWAP = {"<=": "<", ">=": ">", "<": "<=", ">": ">=", "==": "!=", "!=": "==", "&&": "||",
        "||": "&&", "+": "-", "-": "+", "true": "false", "false": "true"}
RULES = [  # (name, pattern); group 1 is what changes
    ("comparison", r"(?<![<>=!])(<=|>=|==|!=)(?!=)"),
    ("strictness", r"(?<![<>=!-])(<|>)(?=\s)"),  # not a template's <...>, ->, << or >>
    ("logic", r"(&&|\|\|)"),
    ("arithmetic", r"(?<=[\w)]) ([+-]) (?=[\w(])"),
    ("boolean", r"\b(true|false)\b"),
    ("int+1", r"(?<![\w.])(\d+)(?![\w.])"),
    ("not-if", r"\bif (\(.*\))(?=\s*(\{|return|throw|continue|break|$))"),
]
DECLARATION = r"(return|break|continue|case|default|using|namespace|const |static |\}|" \
              r"[\w:<>,\s*&]+\s+\w+\s*(=|;|\{|\())"


def product_sources(root):
    """The library's and the program's sources, as listed for the build."""
    with open(os.path.join(root, "cmake", "sources.txt"), encoding="utf-8") as f:
        listed = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    return [p for p in listed if not p.endswith("_test.cpp") and not p.startswith("python/")]


def sites(root):
    """Every (file, line index, start, end, rule, key) a rule can change."""
    found = []
    for rel in product_sources(root):
        lines = open(os.path.join(root, rel), encoding="utf-8").read().split("\n")
        for i, line in enumerate(lines):
            text = line.strip()
            if not text or text.startswith(("//", "#", "*", "/*")) or "static_assert" in text:
                continue
            # Literals blanked out, comment cut off: only code is mutated.
            code = re.sub(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'', lambda m: "\0" * len(m[0]), line)
            code = code.split("//")[0]
            for rule, pattern in RULES:
                for k, m in enumerate(re.finditer(pattern, code)):
                    if rule != "int+1" or int(m[1]) < 1000:  # not a diagnostic code
                        found.append((rel, i, m.start(1), m.end(1), rule, f"{text}|{rule}|{k}"))
            if text.endswith(";") and "(" in text and not re.match(DECLARATION, text):
                found.append((rel, i, 0, len(line), "delete-call", f"{text}|delete"))
    return found


def mutated(line, start, end, rule):
    if rule == "delete-call":
        return ""
    part = line[start:end]
    if rule == "int+1":
        part = str(int(part) + 1)
    elif rule == "not-if":
        part = f"(!{part})"
    else:
        part = SWAP[part]
    return line[:start] + part + line[end:]


def run(command, cwd, timeout):
    try:
        return subprocess.run(command, cwd=cwd, shell=True, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return 124


def prepare(args, src):
    """A clone of the checkout's HEAD in the work folder, fresh when HEAD moved."""
    head = lambda d: subprocess.run(["git", "-C", d, "rev-parse", "HEAD"],
                                    capture_output=True, text=True).stdout
    if os.path.isdir(src) and head(src) != head(args.src):
        shutil.rmtree(args.work)
    if os.path.isdir(src):
        return
    os.makedirs(args.work, exist_ok=True)
    subprocess.run(["git", "clone", "-q", os.path.abspath(args.src), src], check=True)
    if args.tests_from:
        keep = set(product_sources(src))
        tracked = lambda d: set(subprocess.run(["git", "-C", d, "ls-files"], capture_output=True,
                                               text=True).stdout.split("\n")) - {""} - keep
        for rel in tracked(src) - tracked(args.tests_from):
            os.remove(os.path.join(src, rel))
        for rel in tracked(args.tests_from):
            os.makedirs(os.path.dirname(os.path.join(src, rel)) or src, exist_ok=True)
            shutil.copy2(os.path.join(args.tests_from, rel), os.path.join(src, rel))


def main():
    ap = argparse.ArgumentParser(description="Mutation testing of the product sources.")
    ap.add_argument("--src", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    ap.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "mutation"))
    ap.add_argument("--tests-from")
    ap.add_argument("-n", type=int, default=150)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--list", action="store_true")
    args = ap.parse_args()
    src, build = os.path.join(args.work, "src"), os.path.join(args.work, "build")
    prepare(args, src)
    rank = lambda s: hashlib.sha1(f"{args.seed}|{s[0]}|{s[5]}".encode()).hexdigest()
    every = sites(src)
    sample = sorted(sorted(every, key=rank)[:args.n])
    if args.list:
        print("".join(f"{rel}:{i + 1} {rule}\n" for rel, i, _, _, rule, _ in sample), end="")
        print(f"{len(every)} sites")
        return 0
    make = f"cmake --build {build} -j2"
    if not os.path.isdir(build):
        if run(f"cmake -S {src} -B {build} -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Release "
               f"-DCMAKE_CXX_FLAGS_RELEASE='-O1 -DNDEBUG'", args.work, 600) or \
                run(make, args.work, 3600):
            print("the unchanged product does not build")
            return 2
        if run(f"ctest --test-dir {build} -j2 --no-tests=error", args.work, 1800):
            print("the suite fails on the unchanged product")
            return 2
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # so that `finally` restores
    killed = counted = 0
    for rel, i, start, end, rule, _ in sample:
        path = os.path.join(src, rel)
        text = open(path, encoding="utf-8").read()
        lines = text.split("\n")
        original, lines[i] = lines[i], mutated(lines[i], start, end, rule)
        started = time.time()
        open(path, "w", encoding="utf-8").write("\n".join(lines))
        try:
            if run(make, args.work, 900):
                outcome = "no-build"
            elif any(run(f"ctest --test-dir {build} -j2 {which} '{SLOW}' --stop-on-failure "
                         f"--timeout {limit}", args.work, 900)
                     for which, limit in (("-E", 60), ("-R", 120))):
                outcome = "killed"
            else:
                outcome = "SURVIVED"
        finally:
            open(path, "w", encoding="utf-8").write(text)
        counted += outcome != "no-build"
        killed += outcome == "killed"
        print(f"{outcome:9} {rel}:{i + 1} {rule:12} {original.strip()[:90]}  "
              f"({time.time() - started:.0f} s)", flush=True)
    run(make, args.work, 900)  # the build matches the sources again
    print(f"killed {killed} of {counted} ({100.0 * killed / counted if counted else 0:.1f}%)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
