#!/usr/bin/env python3
"""A file that another writer resizes between the reader's size query and its read (a preloaded
fstat() truncates it right after it told snpvet the old size). A reader that mapped it would die of
SIGBUS; snpvet refuses a file that shrank with E1002 and reads what it sized for if it grew."""
import os, shutil, subprocess, sys, tempfile

from script_common import checker, finish

VALID = b"# GHz S MA R 50\n" + b"".join(b"%d 0.5 -10 ! padding\n" % (i + 1) for i in range(2000))
SHIM = r"""#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
int fstat(int fd, struct stat* info) {
  int result = ((int (*)(int, struct stat*))dlsym(RTLD_NEXT, "fstat"))(fd, info);
  if (result == 0 && info->st_size == %d) truncate("%s", atoll(getenv("RESIZE_TO")));
  return result;
}"""
REFUSED = (1, b"in.s1p: error E1002: file is unreadable\n", b"")
# New size: status, stderr, stdout. Cut mid-line, emptied, cut to a few bytes, grown by NUL bytes.
CASES = {len(VALID) // 2 + 7: REFUSED, 0: REFUSED, 20: REFUSED,
         2 * len(VALID): (0, b"", b"in.s1p: valid Touchstone v1 file\n")}


def main():
    snpvet = checker()
    compiler = shutil.which("cc") or shutil.which("clang")
    if not compiler:
        print("skipped: no C compiler for the preloaded fstat()")
        return 77
    failed = []
    with tempfile.TemporaryDirectory() as scratch:
        shim, path = os.path.join(scratch, "shim.so"), os.path.join(scratch, "in.s1p")
        subprocess.run([compiler, "-shared", "-fPIC", "-o", shim, "-x", "c", "-", "-ldl"],
                       input=(SHIM % (len(VALID), path)).encode(), check=True)
        for size, expected in CASES.items():
            open(path, "wb").write(VALID)
            asan = os.environ.get("ASAN_OPTIONS", "") + ":verify_asan_link_order=0"
            env = dict(os.environ, LD_PRELOAD=shim, RESIZE_TO=str(size), ASAN_OPTIONS=asan)
            run = subprocess.run([snpvet, "in.s1p"], cwd=scratch, env=env, capture_output=True,
                                 timeout=60)
            if (run.returncode, run.stderr, run.stdout) != expected:
                failed.append("resized to %d: exit %d %r" % (size, run.returncode, run.stderr))
    return finish(failed, "%d passed, %d failed" % (len(CASES) - len(failed), len(failed)))


if __name__ == "__main__":
    sys.exit(main())
