#!/usr/bin/env python3
"""Writes large, valid Touchstone files for the benchmarks.

The numbers look like measured data: '%.9g' of random values (seeded, so every
run writes the same bytes; ri30full has every digit of a double instead, as
computed data have) and strictly rising frequencies. Files go to a
directory of their own, never into the source tree:

    bench/generate.py [--out DIR] [--only NAME ...] [--force]

A file that already exists with the size recorded for it is kept, so that a
second run costs nothing. Only the standard library is used.
"""

import argparse
import json
import os
import random
import sys
import tempfile

DEFAULT_DIR = os.path.join(tempfile.gettempdir(), "snpvet-bench")
MB = 1000 * 1000


def value(rng):
    return "%.9g" % rng.uniform(-1.0, 1.0)


def magnitude(rng):
    return "%.9g" % rng.uniform(0.0, 1.0)


def angle(rng):
    return "%.9g" % rng.uniform(-180.0, 180.0)


def frequency(start, step, index):
    # Nine significant digits are plenty to keep the steps apart at every size
    # used here.
    return "%.9g" % (start + step * index)


class Sink:
    """Collects lines and writes them in large blocks."""

    def __init__(self, path):
        self.file = open(path, "w", newline="\n", encoding="ascii")
        self.lines = []
        self.size = 0

    def line(self, text):
        self.lines.append(text)
        self.size += len(text) + 1
        if len(self.lines) >= 4096:
            self.flush()

    def flush(self):
        if self.lines:
            self.file.write("\n".join(self.lines))
            self.file.write("\n")
            self.lines = []

    def close(self):
        self.flush()
        self.file.close()


def v1_one_port(sink, rng, points):
    sink.line("! One-port reflection measurement, magnitude and angle")
    sink.line("# MHz S MA R 50")
    for i in range(points):
        sink.line(" ".join((frequency(0.1, 0.001, i), magnitude(rng), angle(rng))))


def full_value(rng):
    """Every digit a double needs, as computed data have them (repr: up to 17)."""
    return repr(rng.uniform(-1.0, 1.0))


def v1_four_port_ri(sink, rng, target_bytes, value=value):
    """Four lines per point: the frequency and row 1, then rows 2 to 4."""
    sink.line("! Four-port coupler, real and imaginary parts")
    sink.line("# GHz S RI R 50")
    sink.line("! freq  S11 S12 S13 S14 / S21 .. / S31 .. / S41 ..")
    i = 0
    while sink.size < target_bytes:
        for row in range(4):
            pairs = " ".join(value(rng) + " " + value(rng) for _ in range(4))
            if row == 0:
                sink.line(frequency(0.01, 1e-5, i) + " " + pairs)
            else:
                sink.line("          " + pairs)
        i += 1
    return i


def v2_header(sink, ports, points, extra):
    sink.line("! %d-port network, Touchstone 2.0" % ports)
    sink.line("[Version] 2.0")
    sink.line("# GHz S RI R 50")
    sink.line("[Number of Ports] %d" % ports)
    sink.line("[Number of Frequencies] %d" % points)
    for text in extra:
        sink.line(text)
    sink.line("[Network Data]")


def v2_sixteen_port_upper(sink, rng, points):
    """Row i holds the pairs from the diagonal to the right; the first line
    starts with the frequency in column 1."""
    ports = 16
    v2_header(sink, ports, points, ["[Matrix Format] Upper"])
    for i in range(points):
        for row in range(ports):
            pairs = " ".join(value(rng) + " " + value(rng) for _ in range(ports - row))
            if row == 0:
                sink.line(frequency(0.01, 1e-3, i) + " " + pairs)
            else:
                sink.line("  " + pairs)
    sink.line("[End]")


def v2_hundred_port_full(sink, rng, points):
    """One matrix row per line, 100 pairs each."""
    ports = 100
    v2_header(sink, ports, points, [])
    for i in range(points):
        for row in range(ports):
            pairs = " ".join(value(rng) + " " + value(rng) for _ in range(ports))
            if row == 0:
                sink.line(frequency(0.01, 1e-3, i) + " " + pairs)
            else:
                sink.line(" " + pairs)
    sink.line("[End]")


def v1_two_port_noise(sink, rng, points, noise_points):
    """Network lines of nine values (11 21 12 22), then noise lines whose
    first frequency is below the last network frequency."""
    sink.line("! Low-noise amplifier, S-parameters in dB and noise parameters")
    sink.line("# GHz S DB R 50")
    for i in range(points):
        values = []
        for _ in range(4):
            values.append("%.9g" % rng.uniform(-40.0, 20.0))
            values.append(angle(rng))
        sink.line(frequency(0.1, 1e-4, i) + " " + " ".join(values))
    sink.line("! noise: freq NFmin |Gopt| <Gopt Rn/R")
    for i in range(noise_points):
        sink.line(" ".join((frequency(0.1, 1e-2, i), "%.9g" % rng.uniform(0.3, 3.0),
                            magnitude(rng), angle(rng), "%.9g" % rng.uniform(0.1, 1.0))))


# name -> (file name, writer, arguments after the random generator)
FILES = {
    "ri3": ("v1_4port_ri_3mb.s4p", v1_four_port_ri, (3 * MB,)),
    "ri30": ("v1_4port_ri_30mb.s4p", v1_four_port_ri, (30 * MB,)),
    "ri300": ("v1_4port_ri_300mb.s4p", v1_four_port_ri, (300 * MB,)),
    "ri30full": ("v1_4port_ri_30mb_full.s4p", v1_four_port_ri, (30 * MB, full_value)),
    "p1": ("v1_1port_2m.s1p", v1_one_port, (2000000,)),
    "upper16": ("v2_16port_upper.s16p", v2_sixteen_port_upper, (8000,)),
    "full100": ("v2_100port_full.s100p", v2_hundred_port_full, (110,)),
    "noise2": ("v1_2port_noise.s2p", v1_two_port_noise, (200000, 2000)),
}


def generate(directory, name, force):
    file_name, writer, args = FILES[name]
    path = os.path.join(directory, file_name)
    stamp = path + ".size"
    if not force and os.path.exists(path) and os.path.exists(stamp):
        with open(stamp) as f:
            if json.load(f).get("size") == os.path.getsize(path):
                print("kept     %-26s %8.1f MB" % (file_name, os.path.getsize(path) / MB))
                return path
    # A fixed seed per file: every run writes the same bytes.
    rng = random.Random(name)
    sink = Sink(path)
    try:
        writer(sink, rng, *args)
    finally:
        sink.close()
    size = os.path.getsize(path)
    with open(stamp, "w") as f:
        json.dump({"size": size}, f)
    print("written  %-26s %8.1f MB" % (file_name, size / MB))
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_DIR, help="directory for the files")
    parser.add_argument("--only", nargs="*", choices=sorted(FILES), help="files to write")
    parser.add_argument("--force", action="store_true", help="write even if present")
    parser.add_argument("directory", nargs="?", help="same as --out")
    options = parser.parse_args()
    directory = os.path.abspath(options.directory or options.out)
    repo = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
    if os.path.commonpath([directory, repo]) == repo:
        sys.exit("generate.py: refusing to write into the source tree: " + directory)
    os.makedirs(directory, exist_ok=True)
    for name in options.only or FILES:
        generate(directory, name, options.force)


if __name__ == "__main__":
    main()
