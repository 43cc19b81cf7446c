#!/usr/bin/env python3
"""Installs the already built tree into a scratch prefix and uses it the way
a user of the checker or of the touchstone2 library would:

  - the installed checker runs, and its manual page is in place;
  - exactly the library's public headers are installed, each compiles alone;
  - examples/library builds with find_package(touchstone2) against the
    prefix, and its collected diagnostics agree with the checker's lines;
  - with pkg-config present, the same program builds from
    `pkg-config --cflags --libs touchstone2` alone.

The build directory is the one holding the --snpvet binary (or its parent,
for multi-configuration generators). Nothing is rebuilt there.

Usage: install_test.py --snpvet PATH [--keep]
Exit status: 0 pass, 1 fail, 77 skipped (no CMake build tree or no cmake).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SAMPLE = os.path.join(ROOT, "examples", "amplifier.s2p")

# A v1 file with one warning (a second option line) and then an error
# (a letter where a number belongs), so both handler calls are exercised.
FLAWED_FILE = "# GHz S MA R 50\n1 0.5 0\n# MHz S RI\n2 0.5 x\n"

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def run(command, timeout=120, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout, **kwargs)


def must_run(command, what, **kwargs):
    result = run(command, **kwargs)
    if result.returncode != 0:
        raise SystemExit("FAIL: %s failed (status %d)\n$ %s\n%s%s" % (
            what, result.returncode, " ".join(command), result.stdout, result.stderr))
    return result


def find_build_dir(snpvet):
    here = os.path.dirname(os.path.abspath(snpvet))
    for candidate in (here, os.path.dirname(here)):
        if os.path.exists(os.path.join(candidate, "CMakeCache.txt")):
            return candidate
    return None


def cache_value(build_dir, name):
    with open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            match = re.match(r"%s:[A-Z]+=(.*)$" % re.escape(name), line.rstrip("\n"))
            if match:
                return match.group(1)
    return ""


def find_one(prefix, name):
    hits = [os.path.join(d, name) for d, _, files in os.walk(prefix) if name in files]
    if len(hits) != 1:
        fail("expected one installed %s, found %s" % (name, hits or "none"))
        return None
    return hits[0]


def check_layout(prefix):
    for relative in ("bin/snpvet", "share/man/man1/snpvet.1"):
        if not os.path.isfile(os.path.join(prefix, relative)):
            fail("%s was not installed" % relative)
    library = find_one(prefix, "libtouchstone2.a")
    config = find_one(prefix, "touchstone2Config.cmake")
    find_one(prefix, "touchstone2ConfigVersion.cmake")
    pc = find_one(prefix, "touchstone2.pc")
    if config and not config.endswith(os.path.join("cmake", "touchstone2", "touchstone2Config.cmake")):
        fail("package file in an unexpected place: " + config)
    if pc and os.path.basename(os.path.dirname(pc)) != "pkgconfig":
        fail("pkg-config file in an unexpected place: " + pc)
    return library, pc


def expected_headers():
    """The listed public headers and the umbrella header next to them."""
    with open(os.path.join(ROOT, "cmake", "public_headers.txt"), encoding="utf-8") as f:
        headers = set(line.strip() for line in f if line.strip())
    return headers | {"touchstone2.h"}


def check_headers(include_root, compiler, flags):
    installed = set()
    for folder, _, files in os.walk(include_root):
        for name in files:
            installed.add(os.path.relpath(os.path.join(folder, name), include_root))
    expected = expected_headers()
    for header in sorted(expected - installed):
        fail("header %s was not installed" % header)
    for header in sorted(installed - expected):
        fail("%s was installed but is no public header" % header)
    # Each header alone: an installed header that leans on one that is not
    # installed, or on an earlier include, breaks only the library's users.
    for header in sorted(installed & expected):
        result = run([compiler, "-std=c++17", "-fsyntax-only", "-I" + include_root] + flags
                     + ["-x", "c++", "-"], input='#include "%s"\n' % header)
        if result.returncode != 0:
            fail("installed header %s does not compile alone:\n%s" % (header, result.stderr))


def check_installed_checker(prefix):
    result = run([os.path.join(prefix, "bin", "snpvet"), SAMPLE])
    if result.returncode != 0 or not result.stdout.endswith(": valid Touchstone v1 file\n"):
        fail("installed snpvet on %s: status %d, output %r %r"
             % (SAMPLE, result.returncode, result.stdout, result.stderr))


def check_sample_summary(output, program):
    expected = ["file: " + SAMPLE, "valid: yes", "version: 1", "ports: 2",
                "frequency points: 10", "noise points: 6", "diagnostics: 0"]
    lines = output.splitlines()
    for line in expected:
        if line not in lines:
            fail("%s: %r missing from its summary of the sample:\n%s" % (program, line, output))


def checker_diagnostics(snpvet, path):
    """(kind, code, line, column, message) from the checker's stderr lines."""
    result = run([snpvet, path])
    found = []
    for line in result.stderr.splitlines():
        match = re.match(r"^.*?:(\d+):(\d+): (error|warning) [EW](\d+): (.*)$", line)
        if match:
            found.append((match.group(3), int(match.group(4)), int(match.group(1)),
                          int(match.group(2)), match.group(5)))
    return found


def example_diagnostics(output):
    found = []
    for line in output.splitlines():
        match = re.match(r"^  (error|warning) [EW](\d+) at line (\d+), column (\d+): (.*)$", line)
        if match:
            found.append((match.group(1), int(match.group(2)), int(match.group(3)),
                          int(match.group(4)), match.group(5)))
    return found


def check_program(program, scratch, snpvet):
    """The example on the sample file and on a flawed file."""
    result = run([program, SAMPLE])
    if result.returncode != 0:
        fail("%s %s: status %d\n%s%s" % (program, SAMPLE, result.returncode,
                                         result.stdout, result.stderr))
    check_sample_summary(result.stdout, program)

    flawed = os.path.join(scratch, "flawed.s1p")
    with open(flawed, "w", encoding="utf-8") as f:
        f.write(FLAWED_FILE)
    result = run([program, flawed])
    collected = example_diagnostics(result.stdout)
    printed = checker_diagnostics(snpvet, flawed)
    kinds = [d[0] for d in printed]
    if kinds != ["warning", "error"]:
        fail("the flawed file should give a warning and an error; the checker printed %r"
             % printed)
    if result.returncode != 1 or "valid: no" not in result.stdout.splitlines():
        fail("%s should reject the flawed file:\n%s" % (program, result.stdout))
    if collected != printed:
        fail("collected diagnostics differ from the checker's:\n  collected: %r\n"
             "  checker:   %r" % (collected, printed))


def build_example_with_cmake(prefix, scratch, compiler, flags):
    build = os.path.join(scratch, "example-build")
    configure = ["cmake", "-S", os.path.join(ROOT, "examples", "library"), "-B", build,
                 "-DCMAKE_PREFIX_PATH=" + prefix, "-DCMAKE_CXX_COMPILER=" + compiler]
    if flags:
        configure += ["-DCMAKE_CXX_FLAGS=" + " ".join(flags),
                      "-DCMAKE_EXE_LINKER_FLAGS=" + " ".join(flags)]
    must_run(configure, "configuring examples/library against the prefix")
    must_run(["cmake", "--build", build], "building examples/library")
    return os.path.join(build, "touchstone_summary")


def build_example_with_pkg_config(prefix, pc, scratch, compiler, flags):
    if not shutil.which("pkg-config"):
        print("note: pkg-config is not installed; the pkg-config file is not checked")
        return None
    env = dict(os.environ, PKG_CONFIG_PATH=os.path.dirname(pc))
    result = must_run(["pkg-config", "--cflags", "--libs", "touchstone2"],
                      "pkg-config --cflags --libs touchstone2", env=env)
    pc_flags = result.stdout.split()
    print("pkg-config --cflags --libs touchstone2: " + result.stdout.strip())
    wanted = ["-I" + os.path.join(prefix, "include", "touchstone2"), "-ltouchstone2"]
    for flag in wanted:
        if flag not in pc_flags:
            fail("pkg-config flags lack %s: %r" % (flag, pc_flags))
    if not any(f.startswith("-L" + prefix) for f in pc_flags):
        fail("pkg-config flags name no library folder in the prefix: %r" % pc_flags)
    program = os.path.join(scratch, "touchstone_summary_pc")
    must_run([compiler, "-std=c++17"] + flags + ["-o", program,
              os.path.join(ROOT, "examples", "library", "touchstone_summary.cpp")] + pc_flags,
             "compiling the example with the pkg-config flags")
    return program


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder")
    args = parser.parse_args()

    build_dir = find_build_dir(args.snpvet)
    if not build_dir or not shutil.which("cmake"):
        print("skip: no CMake build tree around %s, or no cmake" % args.snpvet)
        return 77
    compiler = cache_value(build_dir, "CMAKE_CXX_COMPILER") or "c++"
    # A sanitized library needs the sanitizer runtime in every program it goes into.
    flags = []
    if cache_value(build_dir, "SNPVET_SANITIZE").upper() in ("ON", "TRUE", "1", "YES"):
        flags = ["-fsanitize=address,undefined"]

    scratch = tempfile.mkdtemp(prefix="snpvet-install-")
    try:
        prefix = os.path.join(scratch, "prefix")
        must_run(["cmake", "--install", build_dir, "--prefix", prefix], "cmake --install")
        _, pc = check_layout(prefix)
        check_installed_checker(prefix)
        check_headers(os.path.join(prefix, "include", "touchstone2"), compiler, flags)

        program = build_example_with_cmake(prefix, scratch, compiler, flags)
        check_program(program, scratch, args.snpvet)
        if pc:
            program = build_example_with_pkg_config(prefix, pc, scratch, compiler, flags)
            if program:
                check_program(program, scratch, args.snpvet)
    finally:
        if args.keep:
            print("scratch folder kept: " + scratch)
        else:
            shutil.rmtree(scratch, ignore_errors=True)

    if failures:
        print("%d problem(s)" % len(failures))
        return 1
    print("install: checker, manual page, %d headers, CMake package and pkg-config file work"
          % len(expected_headers()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
