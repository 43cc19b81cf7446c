#!/usr/bin/env python3
"""Hostile inputs end in exit 0, or in exit 1 with one error line, the last; never in a signal or
a hang. Peak memory stays under 20 MB + 12 x the file size. Each scalable input runs at n and 4n
bytes: 4n may cost at most 8 times the CPU time of n (linear is 4, quadratic 16)."""
import os, random, re, signal, subprocess, sys, tempfile, threading

from script_common import checker, finish

TIME, MB, N = "/usr/bin/time", 1 << 20, 1 << 18
H = b"# GHz S RI R 50\n"
V2 = b"[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] %d\n"
END = b"[Number of Frequencies] 1\n[Network Data]\n1 0.5 0\n[End]\n"
V1_TWO_PORT = (b"! amplifier\n# GHz S MA R 50\n1.0 0.5 -10 2.0 80 0.01 5 0.6 -20\n"
               b"2.0 0.4 -20 1.8 70 0.02 10 0.5 -30\n! noise\n1.5 2.0 0.3 45 0.4\n")
V2_FOUR_PORT = (b"[Version] 2.0\n# MHz Z RI R 75\n[Number of Ports] 4\n[Number of Frequencies] 1\n"
                b"[Matrix Format] Upper\n[Reference] 50 50 75\n 75\n[Network Data]\n"
                b"100 1 2 3 4 5 6 7 8\n 9 10 11 12 13 14\n 15 16 17 18\n 19 20\n[End]\n")


def points(count, end=b"\n"):
    lines = [b"%d 0.%d -0.%d" % (i + 1, i % 97, i % 89) for i in range(count)]
    return end.join([b"# Hz S RI R 50"] + lines) + end


def listed(count, keyword, entry):
    return V2 % count + keyword + b"".join(entry % p for p in range(1, count + 1)) + b"\n" + END


def two_port(count):  # network points, then as many noise points
    network = b"".join(b"%d .1 0 .2 0 .3 0 .4 0\n" % (i + 1) for i in range(count))
    return b"# Hz S MA R 50\n" + network + network.replace(b" .1 0 .2 0 .3 0 .4 0", b" 1 .5 9 .4")


# (label, input: fixed or of about n bytes, arguments, the codes on stderr or a check)
CASES = [
    ("comment line", lambda n: H + b"! " + b"x" * n + b"\n1 0.5 0\n", [], ""),
    ("v1 line of numbers", lambda n: H + b"1 2 " * (n // 4) + b"\n", [], "E2303"),
    ("v2 line of numbers", lambda n: V2 % 1 + END.replace(b"0.5 0", b"0.5 " * (n // 4)), [],
     "E2308"),
    ("blank run", lambda n: H + b" \t" * (n // 2) + b"\n1 0.5 0\n", [], ""),
    ("unknown keyword", lambda n: V2 % 1 + b"[" + b"Q" * n + b"]\n", [], "E2014"),
    ("word in the data", lambda n: H + b"w" * n + b"\n", [], "E2007"),
    ("option word", lambda n: b"# " + b"W" * n + b"\n1 0.5 0\n", [], "E2103"),
    ("digits of fractions", lambda n: H + b"1 0." + b"3" * n + b" -0." + b"7" * n, ["-describe"],
     lambda n, out, codes: b"S[1,1] = 0.333333     - 0.777778    j" in out),
    ("digits of a value", lambda n: H + b"1 " + b"9" * n + b" 0\n", [], "W2301"),
    ("digits of a port count", lambda n: V2.replace(b"%d", b"7" * n) + END, [], "W2301 E2308"),
    ("zeros of 0.0..01", lambda n: H + b"1 0." + b"0" * n + b"1 0\n", [], "W2302"),
    ("exponent 9..9", lambda n: H + b"1 1e" + b"9" * n + b" 0\n", [], "W2301"),
    ("exponent 0..01", lambda n: H + b"1 1e+" + b"0" * n + b"1 0\n", ["-describe"],
     lambda n, out, codes: not codes and b"S[1,1] = 10 " in out),
    ("option lines", lambda n: H + b"# Hz Y RI R 75\n" * (n // 16) + b"1 0.5 0\n", [],
     lambda n, out, codes: codes == " ".join(["W2106"] * (n // 16))),
    ("CR-only v1", lambda n: points(n // 16, b"\r"), ["-describe"],
     lambda n, out, codes: b"frequency points: %d\n" % (n // 16) in out),
    ("LF CR pairs first", lambda n: b"\n\r" * n + b"# GHz S MA R 50\r1 0.5 0\r", [], ""),
    ("blank lines in v2 data", lambda n: V2_FOUR_PORT.replace(b" 9", b"\n" * n + b" 9"), [], ""),
    ("[Reference] values", lambda n: listed(n // 8, b"[Reference]", b" %d"), [], "E2308"),
    ("[Reference] lines", lambda n: listed(n // 8, b"[Reference]", b"\n%d"), [], "E2308"),
    ("[Mixed-Mode Order]", lambda n: listed(n // 8, b"[Mixed-Mode Order]", b" S%d"), [], "E2308"),
    ("points -canonical", lambda n: points(n // 16), ["-canonical"], ""),
    ("2-port with noise -canonical-v1", lambda n: two_port(n // 32), ["-canonical-v1"], ""),
    # Declared sizes that no storage may be sized from, bytes of any kind, special files.
    ("10^6 ports, 2 references", V2 % 10 ** 6 + b"[Reference] 50 50\n" + END, [], "E2022"),
    ("2^31-1 ports and points", V2 % (2 ** 31 - 1) + b"[Matrix Format] Lower\n"
     + END.replace(b"] 1", b"] 2147483647"), [], "E2308"),
    ("cut point of 10^4 ports", V2 % 10000 + END[:-6], [], "E2209"),
    ("cut point of 46341 ports", V2 % 46341 + b"[Matrix Format] Lower\n" + END[:-6], [], "E2209"),
    ("1 MB of any bytes", random.Random(1).randbytes(MB), [], None),
    ("0xB0 in a comment", V1_TWO_PORT.replace(b"! noise", b"! noise at 25\xb0C"), [], "E2003"),
    ("/proc/self/mem", None, [], "E1003"),
] + [(name, None, [], "E1002") for name in ("/dev/zero", "/dev/urandom")]
for base in (V1_TWO_PORT, V2_FOUR_PORT):  # an invalid character, every 17 bytes
    for at in range(0, len(base), 17):
        byte = b"\0\x7f\x80\xff"[at % 4:][:1]
        CASES.append(("%r at %d" % (byte, at), base[:at] + byte + base[at:], [], "E2003"))


def run(snpvet, scratch, args, sanitized):
    """Status (-signal; -9 after a hang), stdout, stderr, CPU seconds and peak RSS of one run."""
    out, err = (open(os.path.join(scratch, name), "w+b") for name in ("out", "err"))
    rss = os.path.join(scratch, "rss")
    process = subprocess.Popen([TIME, "-f", "%M", "-o", rss, snpvet] + args, cwd=scratch,
                               stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                               start_new_session=True)
    watchdog = threading.Timer(50 if sanitized else 10, os.killpg, [process.pid, signal.SIGKILL])
    watchdog.start()
    _, status, usage = os.wait4(process.pid, 0)
    watchdog.cancel()
    report = open(rss).read().split() or ["0"]
    status = -int(report[4]) if "signal" in report else os.waitstatus_to_exitcode(status)
    out.seek(0), err.seek(0)
    return status, out.read(), err.read(), usage.ru_utime + usage.ru_stime, int(report[-1]) << 10


def problem(status, out, err, rss, n, size, want, sanitized):
    lines = err.splitlines()
    errors = [line for line in lines if b": error E" in line]
    codes = " ".join(c.decode() for c in re.findall(rb": (?:error|warning) ([EW]\d+): ", err))
    limit = 3 * (20 * MB + 12 * size) + 64 * MB if sanitized else 20 * MB + 12 * size
    if status not in (0, 1) or len(errors) != status or errors and lines[-1] != errors[0]:
        return "exit %s (-9: a hang) with stderr ending %r" % (status, err[-200:])
    if codes != want if isinstance(want, str) else want and not want(n, out, codes):
        return "not %r: %r" % (want, err[-200:])
    return "peak RSS %.1f MB for %d bytes" % (rss / MB, size) if rss > limit else None


def main():
    snpvet = checker()
    if not os.access(TIME, os.X_OK):
        print("skipped: %s (Debian package time) is missing" % TIME)
        return 77
    sanitized = b"AddressSanitizer" in subprocess.run(
        [snpvet, "-version"], env={"ASAN_OPTIONS": "help=1"}, capture_output=True).stderr
    failed = []
    with tempfile.TemporaryDirectory() as scratch:
        for label, make, args, expected in CASES:
            cpu = []
            for n in (N, 4 * N) if callable(make) else (0,):
                data = make(n) if callable(make) else make
                # Named .ts, which promises no port count: the inputs have any number of ports.
                if data is not None:
                    open(os.path.join(scratch, "in.ts"), "wb").write(data)
                status, out, err, seconds, rss = run(snpvet, scratch, args + [
                    label if data is None else "in.ts"], sanitized)
                cpu.append(seconds)
                wrong = problem(status, out, err, rss, n, len(data or b""), expected, sanitized)
                failed += ["%s (n=%d): %s" % (label, n, wrong)] if wrong else []
            print("%-32s CPU %s ms" % (label, " at n, ".join("%.1f" % (t * 1e3) for t in cpu)))
            failed += ["%s: superlinear cost" % label] if cpu[-1] > 8 * cpu[0] + 0.02 else []
    return finish(failed, "%d passed, %d failed" % (len(CASES) - len(failed), len(failed)))


if __name__ == "__main__":
    sys.exit(main())
