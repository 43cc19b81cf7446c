#!/usr/bin/env python3
"""Hostile inputs: files built to make a checker crash, hang or eat memory.

Usage: hostile_inputs_test.py --snpvet PATH [--only SUBSTRING] [--keep]

Every case writes its files into a temporary directory and runs snpvet on
them. Each run must end within its time limit with exit status 0 or 1,
never by a signal; stderr holds at most one "error E" line and, if there is
one, it is the last line; exit 1 always comes with a diagnostic. Peak memory
(snpvet's maximum resident set, as /usr/bin/time reports it) must stay
proportional to the file: below 30 MB + 12 x the file size. Most cases also know the outcome
the format rules give (the status and the error code) and check it.

The figures of every run are printed. The test ends with "N passed, N
failed" and exits 1 if any case failed.

A binary built with AddressSanitizer is detected: its shadow memory and
slower run are allowed for by looser memory and time limits.
"""

import argparse
import os
import re
import shutil
import sys
import tempfile
import time

TIME_PROGRAM = "/usr/bin/time"
MB = 1024 * 1024
BASE_RSS = 30 * MB
RSS_PER_BYTE = 12
TIME_LIMIT = 10.0            # seconds for one run on a normal build
QUADRATIC_RATIO_LIMIT = 8.0  # 4x the lines must cost well under 16x the time

ERROR_LINE = re.compile(rb"^.*?(:\d+)?(:\d+)? error E(\d+): ")
WARNING_LINE = re.compile(rb"^.*?:(\d+):(\d+): warning W(\d+): ")


# The regular expressions are tried only on lines that can match: stderr may
# hold hundreds of thousands of lines.
def match_error(line):
    return ERROR_LINE.match(line) if b" error E" in line else None


def match_warning(line):
    return WARNING_LINE.match(line) if b" warning W" in line else None

V1_TWO_PORT = (b"! two-port amplifier\n"
               b"# GHz S MA R 50\n"
               b"1.0 0.5 -10 2.0 80 0.01 5 0.6 -20\n"
               b"2.0 0.4 -20 1.8 70 0.02 10 0.5 -30\n"
               b"! noise\n"
               b"1.5 2.0 0.3 45 0.4\n"
               b"2.0 2.1 0.31 50 0.41\n")

V2_FOUR_PORT = (b"[Version] 2.0\n"
                b"# MHz Z RI R 75\n"
                b"[Number of Ports] 4\n"
                b"[Number of Frequencies] 2\n"
                b"[Matrix Format] Upper\n"
                b"[Reference] 50 50 75\n 75\n"
                b"[Network Data]\n"
                b"100 1 2 3 4 5 6 7 8\n"
                b"    9 10 11 12 13 14\n"
                b"    15 16 17 18\n"
                b"    19 20\n"
                b"200 1 2 3 4 5 6 7 8\n"
                b"    9 10 11 12 13 14\n"
                b"    15 16 17 18\n"
                b"    19 20\n"
                b"[End]\n")

V2_TWO_PORT_NOISE = (b"[Version] 2.0\n"
                     b"# GHz S DB\n"
                     b"[Number of Ports] 2\n"
                     b"[Two-Port Data Order] 12_21\n"
                     b"[Number of Frequencies] 2\n"
                     b"[Number of Noise Frequencies] 1\n"
                     b"[Network Data]\n"
                     b"1 -1 10 -20 30 -30 40 -2 50\n"
                     b"2 -1 10 -20 30 -30 40 -2 50\n"
                     b"[Noise Data]\n"
                     b"1.5 2 0.5 30 0.3\n"
                     b"[End]\n")


def v1_one_port(points, terminator=b"\n"):
    lines = [b"# Hz S RI R 50"]
    lines += [b"%d 0.%d -0.%d" % (i + 1, i % 97, i % 89) for i in range(points)]
    return terminator.join(lines) + terminator


class Outcome(object):
    def __init__(self, status, stdout, stderr, seconds, max_rss):
        self.status = status        # exit status, or -signal
        self.stdout = stdout
        self.stderr = stderr
        self.seconds = seconds
        self.max_rss = max_rss      # bytes, None when not measured
        self._lines = None

    def error_codes(self):
        return [int(m.group(3)) for m in map(match_error, self.lines()) if m]

    def warning_codes(self):
        return [int(m.group(3)) for m in map(match_warning, self.lines()) if m]

    def lines(self):
        if self._lines is None:
            self._lines = self.stderr.splitlines()
        return self._lines


class Runner(object):
    """Runs snpvet under /usr/bin/time, which reports the peak resident set
    of snpvet alone. (The rusage that wait4 gives for a child forked from
    this script would include this script's own high-water mark, which a
    fork carries over into the child.)"""

    def __init__(self, snpvet, sanitized, time_program):
        self.snpvet = snpvet
        self.sanitized = sanitized
        self.time_program = time_program
        self.time_factor = 5.0 if sanitized else 1.0

    def run(self, directory, args, time_limit=TIME_LIMIT):
        """Runs snpvet in directory with stdout and stderr going to files, so
        that neither pipe can block it. Returns (outcome, killed, limit)."""
        out_path = os.path.join(directory, ".stdout")
        err_path = os.path.join(directory, ".stderr")
        rss_path = os.path.join(directory, ".rss")
        limit = time_limit * self.time_factor
        argv = [self.snpvet] + list(args)
        if self.time_program:
            argv = [self.time_program, "-f", "%M", "-o", rss_path] + argv
        with open(out_path, "wb") as out, open(err_path, "wb") as err:
            start = time.monotonic()
            pid = os.fork()
            if pid == 0:
                try:
                    os.setpgid(0, 0)
                    os.chdir(directory)
                    os.dup2(out.fileno(), 1)
                    os.dup2(err.fileno(), 2)
                    devnull = os.open(os.devnull, os.O_RDONLY)
                    os.dup2(devnull, 0)
                    os.execv(argv[0], argv)
                finally:
                    os._exit(127)
            killed = False
            pause = 0.0005
            while True:
                waited, status = os.waitpid(pid, os.WNOHANG)
                if waited == pid:
                    break
                if time.monotonic() - start > limit and not killed:
                    os.killpg(pid, 9)
                    killed = True
                time.sleep(pause)
                pause = min(pause * 2, 0.02)
            seconds = time.monotonic() - start
        code = -os.WTERMSIG(status) if os.WIFSIGNALED(status) else os.WEXITSTATUS(status)
        max_rss = None
        if self.time_program and not killed:
            code, max_rss = self.read_time_report(rss_path, code)
        outcome = Outcome(code, read_and_remove(out_path), read_and_remove(err_path), seconds,
                          max_rss)
        return outcome, killed, limit

    @staticmethod
    def read_time_report(path, code):
        """The status and the peak RSS (bytes) of snpvet, as time saw them."""
        with open(path, "rb") as f:
            lines = f.read().decode("latin-1").splitlines()
        os.unlink(path)
        for line in lines:
            if line.startswith("Command terminated by signal"):
                code = -int(line.split()[-1])
        return code, int(lines[-1]) * 1024


def read_and_remove(path):
    with open(path, "rb") as f:
        data = f.read()
    os.unlink(path)
    return data


class Case(object):
    """Collects the problems of one case; a case fails if it found any."""

    def __init__(self, runner, name, directory):
        self.runner = runner
        self.name = name
        self.directory = directory
        self.problems = []
        self.figures = []

    def write(self, name, data):
        path = os.path.join(self.directory, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def problem(self, text):
        self.problems.append(text)

    def check(self, label, file_name, args=None, status=None, error=None, time_limit=TIME_LIMIT,
              quiet=False):
        """Runs snpvet on file_name (already written) and checks the
        contract; status and error, when given, are the expected exit status
        and error code (0 for "no error line")."""
        path = os.path.join(self.directory, file_name)
        size = os.path.getsize(path) if os.path.isfile(path) else 0
        argv = (args or []) + [file_name]
        outcome, killed, limit = self.runner.run(self.directory, argv, time_limit)
        where = "%s: %s" % (label, " ".join(argv[:-1] + [file_name]))
        if killed:
            self.problem("%s: still running after %.1f s, killed" % (where, limit))
        elif outcome.status < 0:
            self.problem("%s: killed by signal %d" % (where, -outcome.status))
        elif outcome.status not in (0, 1):
            self.problem("%s: exit status %d" % (where, outcome.status))
        self.check_diagnostics(where, outcome)
        rss_limit = self.rss_limit(size)
        if outcome.max_rss is not None and outcome.max_rss > rss_limit:
            self.problem("%s: peak RSS %.1f MB above the limit %.1f MB for a %.1f MB file"
                         % (where, outcome.max_rss / MB, rss_limit / MB, size / MB))
        if status is not None and outcome.status != status:
            self.problem("%s: exit status %d, expected %d (stderr tail: %r)"
                         % (where, outcome.status, status, outcome.stderr[-300:]))
        if error is not None:
            codes = outcome.error_codes()
            got = codes[0] if codes else 0
            if got != error:
                self.problem("%s: error code %s, expected %s (stderr tail: %r)"
                             % (where, got or "none", error or "none", outcome.stderr[-300:]))
        if not quiet:
            first = outcome.lines()[-1][:70].decode("latin-1") if outcome.stderr else "-"
            rss = "%8.1f MB" % (outcome.max_rss / MB) if outcome.max_rss is not None else "     n/a"
            self.figures.append("  %-34s %9.2f MB %7.2f s %s rss  exit %d  %s"
                                % (label[:34], size / MB, outcome.seconds, rss, outcome.status,
                                   first))
        return outcome

    def check_diagnostics(self, where, outcome):
        lines = outcome.lines()
        error_lines = [i for i, line in enumerate(lines) if match_error(line)]
        if len(error_lines) > 1:
            self.problem("%s: %d error lines" % (where, len(error_lines)))
        elif error_lines and error_lines[0] != len(lines) - 1:
            self.problem("%s: the error line is not the last line of stderr" % where)
        if outcome.status == 0 and error_lines:
            self.problem("%s: exit 0 with an error line" % where)
        if outcome.status == 1 and not lines:
            self.problem("%s: exit 1 without a diagnostic" % where)

    def rss_limit(self, size):
        limit = BASE_RSS + RSS_PER_BYTE * size
        # AddressSanitizer's shadow and quarantine take a fixed slice more and
        # about an eighth again of every allocation, plus redzones.
        return limit * 3 + 64 * MB if self.runner.sanitized else limit


# ---------------------------------------------------------------------------
# The cases. Each gets a fresh directory.

def case_nul_and_8bit_bytes(c):
    """A NUL, 0x7F, 0x80 or 0xFF inserted at every offset of valid files is
    an invalid character wherever it lands, comments included."""
    runs = 0
    for base_name, base in (("v1.s2p", V1_TWO_PORT), ("v2.s4p", V2_FOUR_PORT)):
        for offset in range(len(base) + 1):
            byte = (b"\x00", b"\x7f", b"\x80", b"\xff")[offset % 4]
            c.write(base_name, base[:offset] + byte + base[offset:])
            c.check("insert at %d" % offset, base_name, status=1, error=2003, quiet=True)
            runs += 1
    c.write("random.s2p", bytes(((i * 7919 + 13) * 104729) % 256 for i in range(1 << 20)))
    c.check("1 MB of every byte value", "random.s2p", status=1)
    c.write("latin1.s2p", V1_TWO_PORT.replace(b"! noise", b"! noise at 25\xb0C"))
    c.check("0xB0 in a comment", "latin1.s2p", status=1, error=2003)
    c.figures.insert(0, "  %d single-byte insertions, each exit 1 with E2003" % runs)


def case_50mb_single_line(c):
    """One line of 50 MB: a comment in a valid file, a data line of numbers,
    and blanks; each is read in one pass without copying the line."""
    size = 50 * MB
    c.write("comment.s1p", b"# GHz S MA R 50\n! " + b"x" * size + b"\n1 0.5 0\n")
    c.check("50 MB comment line", "comment.s1p", status=0)
    c.write("numbers.s1p", b"# GHz S MA R 50\n" + b"1 2 " * (size // 4) + b"\n")
    c.check("50 MB line of numbers (v1)", "numbers.s1p", status=1, error=2303)
    c.write("v2numbers.s2p",
            b"[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 1\n"
            b"[Number of Frequencies] 1\n[Network Data]\n" + b"1 0.5 " * (size // 6) + b"\n[End]\n")
    c.check("50 MB line of numbers (v2.0)", "v2numbers.s2p", status=1, error=2308)
    c.write("blanks.s1p", b"# GHz S MA R 50\n" + b" \t" * (size // 2) + b"\n1 0.5 0\n")
    c.check("50 MB of blanks on one line", "blanks.s1p", status=0)


def case_5mb_keyword_comment_word(c):
    big = 5 * MB
    c.write("keyword.s2p", b"[" + b"k" * big + b"]\n")
    c.check("5 MB keyword first", "keyword.s2p", status=1, error=2201)
    c.write("keyword2.s2p", b"[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 1\n["
            + b"Q" * big + b"]\n")
    c.check("5 MB unknown keyword", "keyword2.s2p", status=1, error=2014)
    c.write("unclosed.s2p", b"[" + b"k" * big + b"\n")
    c.check("5 MB keyword without ]", "unclosed.s2p", status=1, error=2012)
    c.write("comment.s1p", b"! " + b"c" * big + b"\n# GHz S MA R 50\n1 0.5 0\n")
    c.check("5 MB comment", "comment.s1p", status=0)
    c.write("word.s1p", b"# GHz S MA R 50\n" + b"w" * big + b"\n")
    c.check("5 MB word in the data", "word.s1p", status=1, error=2007)
    c.write("option.s1p", b"# " + b"W" * big + b"\n1 0.5 0\n")
    c.check("5 MB option word", "option.s1p", status=1, error=2103)
    c.write("first.s1p", b"A" * big + b"\n")
    c.check("5 MB word as first line", "first.s1p", status=1, error=2002)


def case_million_digit_numbers(c):
    digits = 10 ** 6
    c.write("fraction.s1p", b"# GHz S RI R 50\n1 0." + b"3" * digits + b" -0." + b"7" * digits + b"\n")
    outcome = c.check("million-digit fractions", "fraction.s1p", args=["-describe"], status=0,
                      error=0)
    if b"S[1,1] = 0.333333     - 0.777778    j" not in outcome.stdout:
        c.problem("million-digit fractions: values not read as 0.333.. and -0.777..")
    c.write("large.s1p", b"# GHz S RI R 50\n1 " + b"9" * digits + b" 0\n")
    outcome = c.check("million-digit integer value", "large.s1p", status=0, error=0)
    if outcome.warning_codes() != [2301]:
        c.problem("million-digit integer value: warnings %s, expected [2301]"
                  % outcome.warning_codes())
    c.write("frequency.s1p", b"# GHz S RI R 50\n1" + b"0" * digits + b" 1 0\n")
    c.check("million-digit frequency", "frequency.s1p", status=0, error=0)
    c.write("ports.s2p", b"[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] " + b"7" * digits
            + b"\n[Number of Frequencies] 1\n[Network Data]\n1 0.5 0\n[End]\n")
    outcome = c.check("million-digit port count", "ports.s2p", status=1, error=2308)
    if 2301 not in outcome.warning_codes():
        c.problem("million-digit port count: no clipping warning")
    c.write("zeros.s1p", b"# GHz S RI R 50\n1 0." + b"0" * digits + b"1 0\n")
    outcome = c.check("0.000...1, a million zeros", "zeros.s1p", status=0, error=0)
    if outcome.warning_codes() != [2302]:
        c.problem("0.000...1: warnings %s, expected [2302]" % outcome.warning_codes())


def case_huge_exponents(c):
    digits = 100000
    c.write("big.s1p", b"# GHz S RI R 50\n1 1e" + b"9" * digits + b" 0\n")
    outcome = c.check("exponent of 100,000 nines", "big.s1p", status=0, error=0)
    if outcome.warning_codes() != [2301]:
        c.problem("1e999..: warnings %s, expected [2301]" % outcome.warning_codes())
    c.write("small.s1p", b"# GHz S RI R 50\n1 1e-" + b"9" * digits + b" 0\n")
    outcome = c.check("exponent of -100,000 nines", "small.s1p", status=0, error=0)
    if outcome.warning_codes() != [2302]:
        c.problem("1e-999..: warnings %s, expected [2302]" % outcome.warning_codes())
    c.write("ten.s1p", b"# GHz S RI R 50\n1 1e+" + b"0" * (digits - 1) + b"1 0\n")
    outcome = c.check("exponent 000...01", "ten.s1p", args=["-describe"], status=0, error=0)
    if outcome.warning_codes() or b"S[1,1] = 10 " not in outcome.stdout:
        c.problem("1e+000..01 is not read as 10 without warning")
    c.write("zero.s1p", b"# GHz S RI R 50\n1 0e" + b"9" * digits + b" 0\n")
    c.check("0e999..", "zero.s1p", status=0, error=0)
    c.write("open.s1p", b"# GHz S RI R 50\n1 1e" + b"+" + b" 0\n")
    c.check("exponent without digits", "open.s1p", status=1, error=2007)


def secondary_option_lines(count):
    return b"# GHz S MA R 50\n" + b"# Hz Y RI R 75\n" * count + b"1 0.5 0\n"


def case_secondary_option_lines(c):
    """Each extra option line of a v1 file is warned once, in order; the
    cost per line must not grow with the number of lines."""
    times = {}
    for count in (50000, 200000):
        name = "options%d.s1p" % count
        c.write(name, secondary_option_lines(count))
        best = None
        for _ in range(2):
            outcome = c.check("%d option lines" % count, name, status=0, error=0)
            best = outcome.seconds if best is None else min(best, outcome.seconds)
        times[count] = best
        lines = [m for m in map(match_warning, outcome.lines()) if m]
        numbers = [int(m.group(1)) for m in lines]
        if len(lines) != len(outcome.lines()) or [int(m.group(3)) for m in lines] != [2106] * count:
            c.problem("%d option lines: stderr is not %d W2106 lines" % (count, count))
        elif numbers != list(range(2, count + 2)):
            c.problem("%d option lines: warnings not one per line in order" % count)
    ratio = times[200000] / max(times[50000], 1e-3)
    c.figures.append("  time ratio 200,000 / 50,000 lines: %.2f (limit %.1f)"
                     % (ratio, QUADRATIC_RATIO_LIMIT))
    if ratio > QUADRATIC_RATIO_LIMIT:
        c.problem("option lines: time ratio %.2f suggests quadratic cost" % ratio)


def case_cr_only(c):
    c.write("cr.s1p", v1_one_port(200000, b"\r"))
    outcome = c.check("v1, 200,000 CR-only lines", "cr.s1p", args=["-describe"], status=0, error=0)
    if b"frequency points: 200000" not in outcome.stdout:
        c.problem("CR-only v1 file: not all 200,000 points read")
    c.write("cr2.s4p", V2_FOUR_PORT.replace(b"\n", b"\r"))
    c.check("v2.0 four-port, CR only", "cr2.s4p", status=0, error=0)
    c.write("crs.s1p", b"\r" * (1000 * 1000))
    c.check("a million CRs", "crs.s1p", status=1, error=2001)
    c.write("lfcr.s1p", b"\n\r" * (500 * 1000) + b"# GHz S MA R 50\r1 0.5 0\r")
    outcome = c.check("LF CR pairs then a file", "lfcr.s1p", status=0, error=0)


def case_cut_off_files(c):
    """Every prefix of a few valid files: a point cut off anywhere ends in
    one diagnostic or, where the cut happens to fall between points, a valid
    file."""
    runs = 0
    for name, base in (("v1.s2p", V1_TWO_PORT), ("v2.s4p", V2_FOUR_PORT),
                       ("noise.s2p", V2_TWO_PORT_NOISE)):
        for length in range(1, len(base)):
            c.write(name, base[:length])
            c.check("cut at %d" % length, name, quiet=True)
            runs += 1
    big = v1_one_port(300000)
    c.write("big.s1p", big[:len(big) // 2 + 7])
    c.check("large v1 cut mid-point", "big.s1p")
    c.figures.insert(0, "  %d prefixes, each exit 0 or 1 with at most one error" % runs)


def case_million_blank_lines(c):
    blank = b"\n" * (1000 * 1000)
    c.write("only.s1p", blank)
    c.check("a million blank lines", "only.s1p", status=1, error=2001)
    c.write("before.s1p", blank + V1_TWO_PORT)
    c.check("a million blank lines first", "before.s1p", status=0, error=0)
    c.write("inside.s2p", V1_TWO_PORT.replace(b"1.0 0.5", blank + b"1.0 0.5"))
    c.check("a million blank lines in v1 data", "inside.s2p", status=0, error=0)
    c.write("v2.s4p", V2_FOUR_PORT.replace(b"[Network Data]\n", b"[Network Data]\n" + blank))
    c.check("a million blank lines in v2.0 data", "v2.s4p", status=0, error=0)
    c.write("crlf.s1p", b"\r\n" * (1000 * 1000) + b"# GHz S MA R 50\r\n1 0.5 0\r\n")
    c.check("a million CRLF blank lines", "crlf.s1p", status=0, error=0)
    c.write("comments.s1p", b"!\n" * (1000 * 1000) + b"# GHz S MA R 50\n1 0.5 0\n")
    c.check("a million comment lines", "comments.s1p", status=0, error=0)


def many_ports_header(ports):
    return b"[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] %d\n" % ports


def case_million_entry_keywords(c):
    """v2.0 files that declare a million ports and list a million reference
    impedances or mixed-mode descriptors: the lists are read, but no
    network matrix may be sized from the declared count."""
    ports = 1000 * 1000
    tail = b"[Number of Frequencies] 1\n[Network Data]\n1 0.5 0\n[End]\n"
    c.write("reference.s2p", many_ports_header(ports) + b"[Reference]" + b" 50" * ports
            + b"\n" + tail)
    c.check("[Reference] with 10^6 values", "reference.s2p", status=1, error=2308)
    c.write("reflines.s2p", many_ports_header(ports) + b"[Reference]\n" + b"50\n" * ports + tail)
    c.check("[Reference] 10^6 lines", "reflines.s2p", status=1, error=2308)
    singles = b"".join(b" S%d" % p for p in range(1, ports + 1))
    c.write("single.s2p", many_ports_header(ports) + b"[Mixed-Mode Order]" + singles + b"\n" + tail)
    c.check("[Mixed-Mode Order] 10^6 S", "single.s2p", status=1, error=2308)
    pairs = b"".join(b" D%d,%d C%d,%d" % (p, p + 1, p, p + 1) for p in range(1, ports, 2))
    c.write("pairs.s2p", many_ports_header(ports) + b"[Mixed-Mode Order]" + pairs + b"\n" + tail)
    c.check("[Mixed-Mode Order] 10^6 D/C", "pairs.s2p", status=1, error=2308)
    c.write("short.s2p", many_ports_header(ports) + b"[Reference] 50 50\n" + tail)
    c.check("10^6 ports, 2 references", "short.s2p", status=1, error=2022)
    c.write("maxports.s2p", many_ports_header(2147483647)
            + b"[Number of Frequencies] 2147483647\n[Matrix Format] Lower\n"
            + b"[Network Data]\n1 0.5 0\n[End]\n")
    c.check("2^31-1 ports and points", "maxports.s2p", status=1, error=2308)


def case_declared_size_of_cut_point(c):
    """A v2.0 point that the end of the file cuts short: the declared port
    count must not size any storage before the values are there."""
    for ports, matrix in ((10000, b""), (10000, b"[Matrix Format] Lower\n"), (46341, b"")):
        name = "cut%d.s2p" % ports
        c.write(name, many_ports_header(ports) + matrix
                + b"[Number of Frequencies] 1\n[Network Data]\n1 0.5 0\n")
        c.check("%d ports%s, one pair, end" % (ports, ", lower" if matrix else ""), name,
                status=1, error=2209)


def case_large_valid_files(c):
    """Valid files of many points in every mode: memory stays proportional
    to the file on the way in and on the way out."""
    c.write("big.s1p", v1_one_port(1000000))
    for mode in ([], ["-canonical"], ["-canonical-v1"], ["-describe"]):
        c.check("10^6 points %s" % (mode[0] if mode else "check"), "big.s1p", args=mode, status=0,
                error=0)
    rows = b"".join(b"%d 0.1 0 0.2 0 0.3 0 0.4 0\n" % (i + 1) for i in range(200000))
    noise = b"".join(b"%d 1 0.5 10 0.4\n" % (i + 1) for i in range(200000))
    c.write("noise.s2p", b"# Hz S MA R 50\n" + rows + noise)
    c.check("2-port, 2x10^5 network+noise", "noise.s2p", args=["-canonical"], status=0, error=0)


def case_special_files(c):
    """Names that are not regular files: refused at once, never read."""
    for path in ("/dev/zero", "/dev/urandom", "/proc/self/mem", "/"):
        outcome, killed, _ = c.runner.run(c.directory, [path])
        if killed or outcome.status != 1 or outcome.error_codes() not in ([1001], [1002], [1003]):
            c.problem("%s: exit %d, errors %s%s" % (path, outcome.status, outcome.error_codes(),
                                                    " (killed)" if killed else ""))
        c.figures.append("  %-34s %7.2f s exit %d  %s" % (path, outcome.seconds, outcome.status,
                                                         outcome.stderr.strip()[:60].decode()))


CASES = [
    case_nul_and_8bit_bytes,
    case_50mb_single_line,
    case_5mb_keyword_comment_word,
    case_million_digit_numbers,
    case_huge_exponents,
    case_secondary_option_lines,
    case_cr_only,
    case_cut_off_files,
    case_million_blank_lines,
    case_million_entry_keywords,
    case_declared_size_of_cut_point,
    case_large_valid_files,
    case_special_files,
]


def is_sanitized(path):
    with open(path, "rb") as f:
        return b"__asan_init" in f.read()


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--only", default="")
    parser.add_argument("--keep", action="store_true", help="keep the temporary files")
    options = parser.parse_args(argv[1:])
    snpvet = os.path.abspath(options.snpvet)
    if not os.access(snpvet, os.X_OK):
        print("not an executable: %s" % snpvet)
        return 1
    time_program = TIME_PROGRAM if os.access(TIME_PROGRAM, os.X_OK) else None
    runner = Runner(snpvet, is_sanitized(snpvet), time_program)
    print("snpvet: %s%s" % (snpvet, " (AddressSanitizer build: limits loosened)"
                            if runner.sanitized else ""))
    if not time_program:
        print("%s not found (Debian package 'time'): peak memory is not measured" % TIME_PROGRAM)
    passed = failed = 0
    started = time.monotonic()
    for function in CASES:
        name = function.__name__[len("case_"):]
        if options.only not in name:
            continue
        directory = tempfile.mkdtemp(prefix="snpvet-hostile-")
        case = Case(runner, name, directory)
        case_start = time.monotonic()
        try:
            function(case)
        finally:
            if not options.keep:
                shutil.rmtree(directory, ignore_errors=True)
        verdict = "FAIL" if case.problems else "ok"
        print("%s %s (%.1f s)" % (verdict, name, time.monotonic() - case_start))
        for line in case.figures:
            print(line)
        for problem in case.problems:
            print("  PROBLEM: %s" % problem)
        if case.problems:
            failed += 1
        else:
            passed += 1
        sys.stdout.flush()
    print("total %.1f s" % (time.monotonic() - started))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
