#!/usr/bin/env python3
"""cmake --install of the built tree into a scratch prefix, used as a user would: the checker and
its manual page, exactly the library's public headers, its CMake package and pkg-config file.
examples/library builds against the prefix with find_package and summarises a file; on a flawed
one it collects the checker's diagnostics. The pkg-config flags alone compile all headers and
link it. Exit 77 without a build tree."""
import argparse, glob, os, re, shutil, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SAMPLE = os.path.join(ROOT, "examples", "amplifier.s2p")
SUMMARY = "valid: yes\nversion: 1\nports: 2\nfrequency points: 10\nnoise points: 6\n"
OBJECT = "/example/CMakeFiles/touchstone_summary.dir/touchstone_summary.cpp.o"
INSTALLED = ["bin/snpvet", "share/man/man1/snpvet.1", "/libtouchstone2.a", "/touchstone2.pc",
             "/cmake/touchstone2/touchstone2Config.cmake", "/touchstone2ConfigVersion.cmake"]


def run(command, allowed=(0,), **options):
    result = subprocess.run(command, capture_output=True, text=True, timeout=300, **options)
    if result.returncode not in allowed:
        sys.exit("FAIL: %s: exit %d\n%s%s" % (" ".join(command), result.returncode,
                                               result.stdout, result.stderr))
    return result.stdout + result.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    snpvet = os.path.abspath(parser.parse_args().snpvet)
    build = os.path.dirname(snpvet)
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")) or not shutil.which("cmake"):
        print("skipped: no CMake build tree around %s, or no cmake" % snpvet)
        return 77
    cache = open(os.path.join(build, "CMakeCache.txt")).read()
    compiler = re.search(r"CMAKE_CXX_COMPILER:\w+=(.*)", cache).group(1)
    flags = "-fsanitize=address,undefined" if re.search(r"SNPVET_SANITIZE:\w+=ON", cache) else ""
    public = sorted(open(ROOT + "/cmake/public_headers.txt").read().split() + ["touchstone2.h"])
    with tempfile.TemporaryDirectory() as scratch:
        prefix, flawed = scratch + "/prefix", scratch + "/flawed.s1p"
        open(flawed, "w").write("# GHz S MA R 50\n1 0.5 0\n# MHz S RI\n2 0.5 x\n")
        run(["cmake", "--install", build, "--prefix", prefix])
        found = [os.path.relpath(p, prefix) for p in glob.glob(prefix + "/**", recursive=True)]
        headers = sorted(p[len("include/touchstone2/"):] for p in found if p.endswith(".h"))
        problems = [] if headers == public else ["installed headers %s" % headers]
        problems += ["not one " + name for name in INSTALLED
                     if len([p for p in found if ("/" + p).endswith(name)]) != 1]
        if not run([prefix + "/bin/snpvet", SAMPLE]).endswith(" valid Touchstone v1 file\n"):
            problems.append("the installed checker does not check")
        run(["cmake", "-S", ROOT + "/examples/library", "-B", scratch + "/example",
             "-DCMAKE_PREFIX_PATH=" + prefix, "-DCMAKE_CXX_COMPILER=" + compiler,
             "-DCMAKE_CXX_FLAGS=" + flags, "-DCMAKE_EXE_LINKER_FLAGS=" + flags])
        run(["cmake", "--build", scratch + "/example"])
        collected = re.findall(r"(?m)^  (\w+ [EW]\d+) at line (\d+), column (\d+): (.*)$",
                               run([scratch + "/example/touchstone_summary", flawed], (1,)))
        printed = re.findall(r"(?m):(\d+):(\d+): (\w+ [EW]\d+): (.*)$", run([snpvet, flawed],
                                                                              (1,)))
        if len(printed) != 2 or collected != [(k, l, c, text) for l, c, k, text in printed]:
            problems.append("the example collected %r, snpvet printed %r" % (collected, printed))
        programs = [scratch + "/example/touchstone_summary"]
        if shutil.which("pkg-config"):
            env = dict(os.environ, PKG_CONFIG_PATH=os.path.dirname(prefix + "/" + [
                p for p in found if p.endswith(".pc")][0]))
            run([compiler, "-std=c++17", "-fsyntax-only", "-x", "c++", "-"] + run(
                ["pkg-config", "--cflags", "touchstone2"], env=env).split(),
                input="".join('#include <touchstone2/%s>\n' % header for header in headers))
            run([compiler, "-o", scratch + "/pc", scratch + OBJECT] + flags.split() + run(
                ["pkg-config", "--libs", "touchstone2"], env=env).split())
            programs.append(scratch + "/pc")
        problems += ["%s: wrong summary" % p for p in programs if SUMMARY not in run([p, SAMPLE])]
    print("".join("FAIL %s\n" % problem for problem in problems), end="")
    print("%d public headers; %d passed, %d failed" % (len(public), not problems, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
