#!/usr/bin/env python3
"""The C++ blocks of the README's library section, compiled as written against the built
library and run: the five-line example over every sample file and a v1 file without data
(whose network data are null), counting what -describe counts; the read that returns
diagnostics as values, against the lines snpvet prints; the record built from arrays, whose
written text the checker accepts. Exit 77 without a build tree or a library to link."""
import glob, os, re, subprocess, sys, tempfile

from script_common import ROOT, checker, finish

FLAWED = "# GHz S MA R 50\n1 0.5 0\n# MHz S RI\n2 0.5 x\n"


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, **options)


def program(blocks):
    """One program whose first argument picks the block; each block is a
    function body taking argc and argv as main would."""
    functions = "".join("int block%d(int argc, char** argv) {\n(void)argc;\n(void)argv;\n%s\nreturn 0;\n}\n"
                        % (i, block) for i, block in enumerate(blocks))
    calls = "".join("  if (which == %d) return block%d(argc - 1, argv + 1);\n" % (i, i)
                    for i in range(len(blocks)))
    return ("#include <iostream>\n#include <string>\n#include <utility>\n"
            "#include <touchstone2/touchstone2.h>\n" + functions +
            "int main(int argc, char** argv) {\n  int which = std::stoi(argv[1]);\n" + calls +
            "  return 2;\n}\n")


def main():
    snpvet = checker()
    build = os.path.dirname(snpvet)
    libraries = sorted(glob.glob(os.path.join(build, "libtouchstone2.*")))
    cache = os.path.join(build, "CMakeCache.txt")
    if not libraries or not os.path.exists(cache):
        print("skipped: no library beside %s" % snpvet)
        return 77
    compiler = re.search(r"CMAKE_CXX_COMPILER:\w+=(.*)", open(cache).read()).group(1)
    section = open(os.path.join(ROOT, "README.md")).read().split("## The library")[1]
    section = section.split("\n## ")[0]
    blocks = re.findall(r"```cpp\n(.*?)```", section, re.S)
    if len(blocks) != 3:
        sys.exit("FAIL: expected 3 C++ blocks in the library section, found %d" % len(blocks))
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        source, binary = scratch + "/readme.cpp", scratch + "/readme"
        open(source, "w").write(program(blocks))
        sanitized = re.search(r"SNPVET_SANITIZE:\w+=ON", open(cache).read())
        flags = ["-fsanitize=address,undefined"] if sanitized else []
        built = run([compiler, "-std=c++17", "-Wall", "-Wextra", "-Werror", *flags,
                     "-I", ROOT + "/include", source, libraries[0], "-Wl,-rpath," + build,
                     "-o", binary])
        if built.returncode != 0:
            sys.exit("FAIL: the README's C++ does not compile:\n" + built.stderr)
        empty, flawed = scratch + "/empty.s1p", scratch + "/flawed.s1p"
        open(empty, "w").write("# GHz S MA R 50\n")
        open(flawed, "w").write(FLAWED)
        samples = sorted(glob.glob(ROOT + "/examples/*.s*p") +
                         glob.glob(ROOT + "/python/tests/files/*")) + [empty]
        for path in samples:
            description = run([snpvet, "-describe", path]).stdout
            ports = re.search(r"(?m)^  number: (\d+)$", description).group(1)
            points = re.search(r"(?m)^  frequency points: (\d+)$", description)
            want = "%s ports, %s frequency points\n" % (ports, points.group(1) if points else 0)
            got = run([binary, "0", path])
            if (got.returncode, got.stdout) != (0, want):
                problems.append("%s: exit %d, %r, not %r" % (path, got.returncode, got.stdout,
                                                             want))
            if run([binary, "1", path]).returncode != 0:
                problems.append("%s: the diagnostics block refuses it" % path)
        got = run([binary, "1", flawed])
        printed = ["%s:%s: E%s: %s" % line for line in
                   re.findall(r"(?m):(\d+):(\d+): \w+ [EW](\d+): (.*)$", run([snpvet, flawed]).stderr)]
        if got.returncode != 1 or got.stderr.splitlines() != printed or len(printed) != 2:
            problems.append("diagnostics as values: exit %d, %r, snpvet printed %r"
                            % (got.returncode, got.stderr, printed))
        made = run([binary, "2"])
        open(scratch + "/made.s1p", "w").write(made.stdout)
        checked = run([snpvet, scratch + "/made.s1p"])
        if made.returncode != 0 or checked.returncode != 0 or "[Network Data]" not in made.stdout:
            problems.append("the built record: exit %d, %r; snpvet: %s" % (
                made.returncode, made.stdout + made.stderr, checked.stdout + checked.stderr))
    return finish(problems, "%d samples, %d problems" % (len(samples), len(problems)))


if __name__ == "__main__":
    sys.exit(main())
