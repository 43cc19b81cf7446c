#!/usr/bin/env python3
"""Random files of every version, with numbers over the whole range of a double (the extremes,
signed zeros, neighbours of powers of ten, any bit pattern) and measured-looking ones, noise
included, go through `snpvet -canonical` and `-canonical-v1`: every number written reads back as
exactly the double the input gave (compared bit for bit), and the rewritten file passes the check
with no diagnostic. Version 1 Y and Z values are relative to R: with R a power of two, as here,
that scaling is exact. python/tests/exact_writing_test.py takes the same files through Python.

    exact_numbers_test.py --snpvet PATH [--seed S] [--files N]"""
import argparse, math, os, random, struct, subprocess, sys, tempfile

from script_common import finish

LARGEST, SMALLEST = sys.float_info.max, sys.float_info.min


def bits(value):
    return struct.pack("<d", value)


class Values:
    """Doubles of every kind a file may hold: none is subnormal, as the reader clips those."""

    def __init__(self, seed):
        self.random = random.Random(seed)

    def any(self):
        kind = self.random.randrange(8)
        if kind == 0:
            return self.random.choice([0.0, -0.0, LARGEST, -LARGEST, SMALLEST, -SMALLEST, 0.1, 1e22])
        if kind == 1:
            power = 10.0 ** self.random.randrange(-300, 300)
            return math.nextafter(power, self.random.choice([0, math.inf])) * \
                self.random.choice([-1.0, 1.0])
        if kind < 4:
            return self.random.uniform(-1, 1) * 10.0 ** self.random.randrange(-3, 4)
        while True:
            value = struct.unpack("<d", struct.pack("<Q", self.random.getrandbits(64)))[0]
            if math.isfinite(value) and (value == 0 or abs(value) >= SMALLEST):
                return value

    def positive(self):
        value = abs(self.any())
        return value if value > 0 else 50.0

    def rising(self, count):
        values = set()
        while len(values) < count:
            values.add(abs(self.any()))
        values = sorted(values)
        if self.random.randrange(4) == 0:
            values[0] = -0.0
        return values


class Sample:
    """A file's text and the numbers it holds: frequencies, matrices (row by row) of pairs in
    the file's own format, noise rows, references, and how version 1 scales them."""

    def __init__(self, values, version):
        pick = values.random
        self.version = version
        self.ports = pick.choice([2, 3]) if version == "1.1" else pick.choice([1, 2, 2, 3, 4])
        self.format = pick.choice(["RI", "MA", "DB"])
        # Version 1 Z and Y with R a power of two (R = 1 in DB), whose scaling is exact.
        self.parameter = "S" if version != "1" or pick.randrange(3) else pick.choice("YZ")
        self.r = 2.0 ** pick.randrange(-4, 5) if version in ("1", "1.1") else values.positive()
        if self.parameter != "S" and self.format == "DB":
            self.r = 1.0
        self.references = [self.r] + [values.positive() for _ in range(self.ports - 1)] \
            if version == "1.1" else None
        if version in ("2.0", "2.1") and pick.randrange(2):
            self.references = [values.positive() for _ in range(self.ports)]
        self.frequencies = values.rising(pick.randrange(1, 5))
        self.points = []
        for _ in self.frequencies:
            pairs = []
            for _ in range(self.ports * self.ports):
                first, second = values.any(), values.any()
                if self.format == "MA":
                    first = abs(first)
                if self.parameter != "S" and self.format == "DB" and first == 0:
                    first = 0.0  # -0 dB plus 0 dB reads back as +0 dB, the same magnitude
                if not all(v == 0 or SMALLEST <= abs(v) <= LARGEST
                           for v in self.scaled((first, second), True)):
                    first, second = 0.5, -0.25  # scaled by R beyond a double: clipped
                pairs.append((first, second))
            self.points.append(pairs)
        self.noise = []
        if self.ports == 2 and pick.randrange(2):
            for frequency in values.rising(pick.randrange(1, 4)):
                if not self.noise:
                    frequency = min(frequency, self.frequencies[-1])
                elif frequency <= self.noise[-1][0]:
                    break
                resistance = 2.0 ** pick.randrange(-20, 20) * (1 + abs(values.any()) % 7)
                if version not in ("1", "1.1"):
                    # Also in range when written relative to an R from 1/16 to 16.
                    resistance = values.positive()
                    if not SMALLEST * 16 <= resistance <= LARGEST / 16:
                        resistance = 50.0
                self.noise.append((frequency, abs(values.any()), abs(values.any()),
                                   values.any(), resistance))

        if self.noise and version in ("2.0", "2.1"):
            # Written as version 1, the noise resistance is relative to R (or to port 1's
            # reference): a power of two keeps that exact too.
            self.r = 2.0 ** pick.randrange(-4, 5)
            if self.references:
                self.references[0] = self.r

    def order(self, version):
        """Matrix places in the order a version writes them: v1 2-port data column by column."""
        n = self.ports
        if version in ("1", "1.1") and n == 2:
            return [0, 2, 1, 3]
        return list(range(n * n))

    def lines(self, version):
        """Data and noise lines as the input gives them (version 1: four pairs a line)."""
        out = []
        for frequency, pairs in zip(self.frequencies, self.points):
            numbers = [frequency]
            for place in self.order(version):
                numbers += pairs[place]
            if version in ("1", "1.1") and self.ports > 2:
                chunks = [numbers[i:i + 8] for i in range(1, len(numbers), 8)]
                out.append(" ".join(map(repr, [frequency] + chunks[0])))
                out += [" ".join(map(repr, chunk)) for chunk in chunks[1:]]
            else:
                out.append(" ".join(map(repr, numbers)))
        return out

    def text(self):
        option = "# GHz %s %s R %r" % (self.parameter, self.format, self.r)
        noise = [" ".join(map(repr, row)) for row in self.noise]
        if self.version == "1.1":
            option += " " + " ".join(map(repr, self.references[1:]))
        if self.version in ("1", "1.1"):
            body = [option] + self.lines("1") + noise
        else:
            body = ["[Version] %s" % self.version, option, "[Number of Ports] %d" % self.ports]
            if self.ports == 2:
                body.append("[Two-Port Data Order] 12_21")
            body.append("[Number of Frequencies] %d" % len(self.frequencies))
            if self.noise:
                body.append("[Number of Noise Frequencies] %d" % len(self.noise))
            if self.references:
                body.append("[Reference] " + " ".join(map(repr, self.references)))
            body += ["[Network Data]"] + self.lines("2.0")
            if self.noise:
                body += ["[Noise Data]"] + noise
            body.append("[End]")
        return "\n".join(body) + "\n"

    def expected(self, version):
        """The numbers a version writes of the record, in order: each pair and noise resistance
        in ohms and siemens for 2.0, relative to R for 1 (as given, for a version 1 input)."""
        given_relative = self.version in ("1", "1.1")
        numbers = []
        for frequency, pairs in zip(self.frequencies, self.points):
            numbers.append(frequency)
            for place in self.order(version):
                numbers += self.scaled(pairs[place], given_relative and version == "2.0")
        for row in self.noise:
            resistance = row[4] * self.r if given_relative and version == "2.0" else row[4]
            numbers += list(row[:4]) + [resistance]
        return numbers

    def scaled(self, pair, to_ohms):
        """A version 1 Z value times R, a Y value divided by it (only the magnitude in MA)."""
        if not to_ohms or self.parameter == "S" or self.format == "DB":
            return list(pair)
        scale = (lambda v: v * self.r) if self.parameter == "Z" else (lambda v: v / self.r)
        return [scale(pair[0]), scale(pair[1]) if self.format == "RI" else pair[1]]


def numbers_of(text):
    """The data and noise numbers of a written file, in order."""
    numbers = []
    for line in text.splitlines():
        if line.strip() and line[0] not in "!#[":
            numbers += [float(word) for word in line.split()]
    return numbers


def differences(sample, written, version):
    """What differs between the numbers written and the record's, bit for bit."""
    got, want = numbers_of(written), sample.expected(version)
    if len(got) != len(want):
        return ["%d numbers written, %d expected" % (len(got), len(want))]
    found = ["number %d: %r written for %r" % (i, g, w)
             for i, (g, w) in enumerate(zip(got, want)) if bits(g) != bits(w)]
    option = next(line for line in written.splitlines() if line.startswith("#")).split()
    references = [float(v) for v in option[option.index("R") + 1:]]
    if references[0] != sample.r:
        found.append("R %r written for %r" % (references[0], sample.r))
    for line in written.splitlines():
        if line.startswith("[Reference]"):
            given = [float(v) for v in line.split()[1:]]
            if list(map(bits, given)) != list(map(bits, sample.references)):
                found.append("[Reference] %r written for %r" % (given, sample.references))
    return found


def samples(seed, count):
    values = Values(seed)
    return [Sample(values, ("1", "1.1", "2.0", "2.1")[i % 4]) for i in range(count)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    parser.add_argument("--seed", type=int, default=22)
    parser.add_argument("--files", type=int, default=60)
    args = parser.parse_args()
    failed, runs = [], 0
    with tempfile.TemporaryDirectory() as scratch:
        for i, sample in enumerate(samples(args.seed, args.files)):
            path = os.path.join(scratch, "in%d.s%dp" % (i, sample.ports))
            with open(path, "w") as f:
                f.write(sample.text())
            writers = [("-canonical", "2.0")]
            if sample.version == "1":
                writers.append(("-canonical-v1", "1"))
            for option, version in writers:
                run = subprocess.run([args.snpvet, option, path], capture_output=True, text=True)
                runs += 1
                name = "seed %d file %d (v%s) %s" % (args.seed, i, sample.version, option)
                if run.returncode != 0 or run.stderr:
                    failed.append("%s: exit %d %s\n%s" % (name, run.returncode, run.stderr,
                                                          sample.text()))
                    continue
                found = differences(sample, run.stdout, version)
                again = path + ".written"
                with open(again, "w") as f:
                    f.write(run.stdout)
                check = subprocess.run([args.snpvet, again], capture_output=True, text=True)
                if check.returncode != 0 or check.stderr:
                    found.append("the rewrite fails the check: %s" % check.stderr)
                failed += ["%s: %s" % (name, line) for line in found[:3]]
    return finish(failed, "%d files, %d rewrites: %d failed" % (args.files, runs, len(failed)))


if __name__ == "__main__":
    sys.exit(main())
