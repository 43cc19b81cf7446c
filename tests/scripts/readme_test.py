#!/usr/bin/env python3
"""Every example of the README runs as written: each ```python block as a script of its own, and
each `$ snpvet ...` line of an indented block run from the top folder, its output compared with the
lines shown under it (trailing blanks aside; a line `...` ends the comparison; the quality examples
are skipped, and said so, by a checker built without the quality metrics). The ```cpp blocks
are readme_library_test's.

Python blocks run in a scratch folder holding a copy of examples/, with the module of the build tree
on the path (skipped, and said so, where the module was not built, or for a block that imports a
package that is not installed); the whole test is skipped (exit 77) only when nothing could run."""
import os, re, shutil, subprocess, sys, tempfile

from script_common import ROOT, checker, finish

FENCE = re.compile(r"(?ms)^```(\w+)\n(.*?)^```\s*$")


def blocks(readme, language):
    """(line number, text, saved) of each fenced block in that language; saved is the file name
    the text after the block gives it ("Saved as `verdicts.py`, ..."), for later blocks to
    import, or None."""
    found = list(FENCE.finditer(readme))
    result = []
    for index, m in enumerate(found):
        if m.group(1) != language:
            continue
        after = readme[m.end():found[index + 1].start() if index + 1 < len(found) else None]
        saved = re.match(r"\s*Saved as `(\w+\.py)`", after)
        result.append((readme.count("\n", 0, m.start()) + 1, m.group(2),
                       saved.group(1) if saved else None))
    return result


def console_examples(readme):
    """(line number, command, shown output lines) of each `$ snpvet` line in an indented block:
    the output is the indented lines after it up to a blank line followed by text, or the next
    command."""
    lines = readme.split("\n")
    found = []
    for number, line in enumerate(lines):
        match = re.match(r"^    \$ (snpvet\b.*)$", line)
        if not match:
            continue
        shown = []
        for later in lines[number + 1:]:
            if later.startswith("    $ ") or (later and not later.startswith("    ")):
                break
            shown.append(later[4:])
        while shown and not shown[-1].strip():
            shown.pop()
        found.append((number + 1, match.group(1), shown))
    return found


def missing_module(code, env):
    """The first top-level import of the block that this interpreter cannot import, or None."""
    for name in re.findall(r"(?m)^\s*(?:import|from)\s+(\w+)", code):
        probe = subprocess.run([sys.executable, "-c", "import " + name], env=env,
                               capture_output=True)
        if probe.returncode != 0:
            return name
    return None


def run_python(readme, build, problems, notes):
    module = os.path.join(build, "python")
    if not os.path.exists(os.path.join(module, "touchstone2", "__init__.py")):
        notes.append("python blocks skipped: the module was not built in %s" % build)
        return 0
    env = dict(os.environ, PYTHONPATH=module, PYTHONDONTWRITEBYTECODE="1")
    ran, saved = 0, {}
    for line, code, name in blocks(readme, "python"):
        if name:
            saved[name[:-3]] = code
        absent = missing_module(code, env)
        if absent and absent != "touchstone2" and absent not in saved:
            notes.append("python block at line %d skipped: no module %s" % (line, absent))
            continue
        with tempfile.TemporaryDirectory() as scratch:
            shutil.copytree(os.path.join(ROOT, "examples"), os.path.join(scratch, "examples"))
            for module_name, text in saved.items():
                open(os.path.join(scratch, module_name + ".py"), "w").write(text)
            script = os.path.join(scratch, "example.py")
            open(script, "w").write(code)
            try:
                result = subprocess.run([sys.executable, script], cwd=scratch, env=env,
                                        capture_output=True, text=True, timeout=180)
                failed = result.returncode != 0
                output = result.stdout + result.stderr
            except subprocess.TimeoutExpired:
                failed, output = True, "timed out"
        ran += 1
        if failed:
            problems.append("python block at line %d failed:\n%s" % (line, output[-2000:]))
    return ran


def same_lines(shown, actual):
    actual = [line.rstrip() for line in actual.split("\n")]
    for number, line in enumerate(shown):
        if line.strip() == "...":
            return True
        if number >= len(actual) or actual[number] != line.rstrip():
            return False
    return len(actual) == len(shown) or (len(actual) == len(shown) + 1 and actual[-1] == "")


def run_console(readme, snpvet, problems, notes):
    ran = 0
    for line, command, shown in console_examples(readme):
        words = command.split()
        result = subprocess.run([snpvet] + words[1:], cwd=ROOT, capture_output=True, text=True,
                                timeout=60)
        if "built without the quality metrics" in result.stderr:
            notes.append("line %d skipped: this snpvet has no quality metrics" % line)
            continue
        ran += 1
        candidates = [result.stdout, result.stdout + result.stderr,
                      result.stderr + result.stdout]
        if not any(same_lines(shown, text) for text in candidates):
            problems.append("line %d: `%s` printed:\n%s%s" % (line, command, result.stdout,
                                                             result.stderr))
    return ran


def main():
    snpvet = checker()
    build = os.path.dirname(snpvet)
    readme = open(os.path.join(ROOT, "README.md")).read()
    problems, notes = [], []
    ran = run_console(readme, snpvet, problems, notes)
    ran += run_python(readme, build, problems, notes)
    for note in notes:
        print(note)
    if ran == 0:
        print("skipped: no example could run")
        return 77
    return finish(problems, "%d passed, %d failed" % (ran - len(problems), len(problems)))


if __name__ == "__main__":
    sys.exit(main())
