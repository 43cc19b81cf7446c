#!/usr/bin/env python3
"""cmake --install of the built tree into a scratch prefix, used as a user would: the checker and
its manual page, exactly the library's public headers, its CMake package and pkg-config file.
examples/library builds against the prefix with find_package and summarises a file; on a flawed
one it collects the checker's diagnostics. The pkg-config flags alone compile all headers and
link it. A shared build (-DBUILD_SHARED_LIBS=ON, as .ci/run's shared check makes) installs a
library with the project's major version as SONAME that exports only what the public headers mark
TOUCHSTONE2_API, and a checker that finds it from its own place: it runs with the prefix moved.
Exit 77 without a build tree."""
import glob, os, re, shutil, subprocess, sys, tempfile

from script_common import ROOT, checker, finish

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


def exported_names(library):
    """The top-level names below touchstone2:: that the library exports ("File", "writeFile")."""
    names = set()
    for line in run(["nm", "-DC", "--defined-only", library]).splitlines():
        # The symbol's own name: not its arguments' types, not a template's arguments.
        symbol = line.split(" ", 2)[-1].split("(")[0].split("<")[0]
        names |= set(re.findall(r"^(?:[\w ]+ for )?touchstone2::(\w+)", symbol))
    return names


def public_names():
    """The names the public headers mark for export."""
    names = set()
    for header in glob.glob(ROOT + "/include/touchstone2/*.h"):
        text = open(header).read()
        names |= set(re.findall(r"(?:class|struct) TOUCHSTONE2_API (\w+)", text))
        names |= set(re.findall(r"TOUCHSTONE2_API (?:extern )?[\w:*& ]*?\b(\w+)\s*[(\[;]", text))
    return names


def shared_library_problems(prefix, scratch, cache):
    """The SONAME, the exported symbols, and the checker, which uses the library, run from a
    moved prefix."""
    major = re.search(r"CMAKE_PROJECT_VERSION_MAJOR:\w+=(\d+)", cache).group(1)
    libraries = glob.glob(prefix + "/**/libtouchstone2.so.*.*", recursive=True)
    if len(libraries) != 1:
        return ["no one versioned shared library: %s" % libraries]
    problems = []
    soname = re.findall(r"SONAME\)\s+Library soname: \[(.*)\]", run(["readelf", "-d", libraries[0]]))
    if soname != ["libtouchstone2.so." + major]:
        problems.append("SONAME %s, not libtouchstone2.so.%s" % (soname, major))
    public = public_names()
    internal = sorted(exported_names(libraries[0]) - public)
    if internal or "writeFile" not in public or "Parser" not in exported_names(libraries[0]):
        problems.append("exported beyond the public API: %s" % internal)
    needed = re.findall(r"NEEDED\)\s+Shared library: \[(.*)\]",
                        run(["readelf", "-d", prefix + "/bin/snpvet"]))
    if "libtouchstone2.so." + major not in needed:
        problems.append("the installed checker does not use the library: it needs %s" % needed)
    moved = scratch + "/moved"
    os.rename(prefix, moved)
    env = {key: value for key, value in os.environ.items() if key != "LD_LIBRARY_PATH"}
    if not run([moved + "/bin/snpvet", SAMPLE], env=env).endswith(" valid Touchstone v1 file\n"):
        problems.append("the installed checker does not run from a moved prefix")
    os.rename(moved, prefix)
    return problems


def main():
    snpvet = checker()
    build = os.path.dirname(snpvet)
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")) or not shutil.which("cmake"):
        print("skipped: no CMake build tree around %s, or no cmake" % snpvet)
        return 77
    cache = open(os.path.join(build, "CMakeCache.txt")).read()
    compiler = re.search(r"CMAKE_CXX_COMPILER:\w+=(.*)", cache).group(1)
    flags = "-fsanitize=address,undefined" if re.search(r"SNPVET_SANITIZE:\w+=ON", cache) else ""
    shared = re.search(r"BUILD_SHARED_LIBS:\w+=ON", cache) is not None
    installed = [name.replace("/libtouchstone2.a", "/libtouchstone2.so") if shared else name
                 for name in INSTALLED]
    public = sorted(open(ROOT + "/cmake/public_headers.txt").read().split() + ["touchstone2.h"])
    with tempfile.TemporaryDirectory() as scratch:
        prefix, flawed = scratch + "/prefix", scratch + "/flawed.s1p"
        open(flawed, "w").write("# GHz S MA R 50\n1 0.5 0\n# MHz S RI\n2 0.5 x\n")
        run(["cmake", "--install", build, "--prefix", prefix])
        found = [os.path.relpath(p, prefix) for p in glob.glob(prefix + "/**", recursive=True)]
        headers = sorted(p[len("include/touchstone2/"):] for p in found if p.endswith(".h"))
        problems = [] if headers == public else ["installed headers %s" % headers]
        problems += ["not one " + name for name in installed
                     if len([p for p in found if ("/" + p).endswith(name)]) != 1]
        if not run([prefix + "/bin/snpvet", SAMPLE]).endswith(" valid Touchstone v1 file\n"):
            problems.append("the installed checker does not check")
        if shared:
            problems += shared_library_problems(prefix, scratch, cache)
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
        # A program linked by the pkg-config flags alone finds a shared library by the path.
        env = dict(os.environ, LD_LIBRARY_PATH=os.path.dirname(prefix + "/" + [
            p for p in found if p.endswith(".pc")][0]) + "/..")
        problems += ["%s: wrong summary" % p for p in programs
                     if SUMMARY not in run([p, SAMPLE], env=env)]
    return finish(problems, "%d public headers; %d passed, %d failed" % (
        len(public), not problems, len(problems)))


if __name__ == "__main__":
    sys.exit(main())
