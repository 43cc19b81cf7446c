"""Checking the arrays of Touchstone.from_arrays() against every rule a reader
applies, so that whatever is refused is refused here, by a ValueError that
names the argument and the index, before anything is written."""

import re

import numpy as np

from touchstone2 import _core

# The words of each field, and Hz per unit, as the library spells them.
WORDS = _core.words
UNITS = {unit: _core.hertz_per(unit) for unit in WORDS["frequency_unit"]}
# Noise data are written with six significant digits, as the canonical
# writers write them; they are kept so, so that what is shown is what is
# written.
NOISE_DIGITS = 6
DATA_DIGITS = 16
# Both ports of a pair must have the same reference, to within this many
# ohms, as the reader demands.
PAIR_TOLERANCE = 1e-6
# The letters of a single-ended, a differential and a common-mode descriptor.
SINGLE, DIFFERENTIAL, COMMON = WORDS["mixed_mode_kind"]
_DESCRIPTOR = re.compile(r"([%s])([1-9][0-9]*)(?:,([1-9][0-9]*))?\Z"
                         % re.escape(SINGLE + DIFFERENTIAL + COMMON))


def choice(argument, value, allowed):
    if value not in allowed:
        raise ValueError("%s: %r is not one of %s" % (argument, value, ", ".join(allowed)))
    return value


def _where(argument, index):
    if isinstance(index, tuple) and len(index) == 1:
        index = index[0]
    text = ", ".join(map(str, index)) if isinstance(index, tuple) else str(index)
    return "%s[%s]" % (argument, text)


def _first_bad(argument, values, bad, reason):
    """Raises for the first entry where bad is true."""
    if np.any(bad):
        index = tuple(int(i) for i in np.argwhere(bad)[0])
        raise ValueError("%s = %r %s" % (_where(argument, index), values[index].item(), reason))


def real_array(argument, values, shape_text):
    try:
        array = np.asarray(values, dtype=np.float64)
    except (TypeError, ValueError) as error:
        raise ValueError("%s: not an array of real numbers (%s)" % (argument, error)) from None
    if array.ndim != 1 or array.size == 0:
        raise ValueError("%s: shape %s is not %s" % (argument, array.shape, shape_text))
    _first_bad(argument, array, ~np.isfinite(array), "is not finite")
    return array


def rising(argument, values):
    """Finite, not negative, each above the one before."""
    _first_bad(argument, values, values < 0, "is negative")
    stalled = np.concatenate([[False], values[1:] <= values[:-1]])
    _first_bad(argument, values, stalled, "does not rise above the value before it")


def complex_array(argument, values):
    try:
        array = np.asarray(values, dtype=np.complex128)
    except (TypeError, ValueError) as error:
        raise ValueError("%s: not an array of numbers (%s)" % (argument, error)) from None
    _first_bad(argument, array, ~np.isfinite(array), "is not finite")
    return array


def network(frequency, data, parameter, format, matrix_format):
    """(frequency, data, ports) checked."""
    frequency = real_array("frequency", frequency, "(points,) with points > 0")
    rising("frequency", frequency)
    data = complex_array("data", data)
    points = len(frequency)
    if data.ndim != 3 or data.shape[0] != points or data.shape[1] != data.shape[2] \
            or data.shape[1] == 0:
        raise ValueError("data: shape %s is not (points, ports, ports) with points = %d"
                         % (data.shape, points))
    ports = data.shape[1]
    if parameter in ("H", "G") and ports != 2:
        raise ValueError("parameter: %s-parameters need 2 ports, data have %d"
                         % (parameter, ports))
    if format != "RI":
        magnitude = np.abs(data)
        _first_bad("data", data, ~np.isfinite(magnitude), "has no finite magnitude")
        if format == "DB":
            _first_bad("data", data, magnitude == 0, "has no DB form (its magnitude is 0)")
    if matrix_format != "Full":
        # A triangle holds a symmetric matrix only: each element below the
        # diagonal must equal its mirror exactly, or data would be lost.
        lower = np.tril(np.ones((ports, ports), dtype=bool), -1)
        mismatch = (data != data.transpose(0, 2, 1)) & lower
        _first_bad("data", data, mismatch,
                   "differs from its mirror above the diagonal: a %s matrix holds one "
                   "triangle of a symmetric matrix" % matrix_format)
    return frequency, data, ports


def reference_values(reference, ports):
    values = np.array(reference, dtype=np.float64) if np.ndim(reference) else \
        np.full(ports, reference, dtype=np.float64)
    if values.shape != (ports,):
        raise ValueError("reference: shape %s is neither one value nor (%d,), one per port"
                         % (values.shape, ports))
    _first_bad("reference", values, ~(values > 0) | ~np.isfinite(values),
               "is not a positive finite number")
    return values


def parse_descriptor(text, ports, index):
    """("S", port, 0), ("D", first, second) or ("C", first, second)."""
    match = _DESCRIPTOR.match(text) if isinstance(text, str) else None
    letter, first, second = match.groups() if match else ("", 0, 0)
    first, second = int(first or 0), int(second or 0)
    if not match or (letter == SINGLE) != (second == 0) or first == second \
            or max(first, second) > ports:
        raise ValueError("mixed_mode_order[%d] = %r is not S<port>, D<port>,<port> or "
                         "C<port>,<port> with distinct ports from 1 to %d"
                         % (index, text, ports))
    return letter, first, second


def mixed_mode(order, ports, reference):
    """The descriptors: every port once, either on its own (S) or in a pair
    given both as D and as C in the same order, pairs of equal reference."""
    if len(order) != ports:
        raise ValueError("mixed_mode_order: %d descriptors for %d ports" % (len(order), ports))
    descriptors = [parse_descriptor(text, ports, i) for i, text in enumerate(order)]
    naming = {port: [] for port in range(1, ports + 1)}
    for index, (letter, first, second) in enumerate(descriptors):
        for port in (first, second)[:1 if letter == SINGLE else 2]:
            naming[port].append(index)
        if letter != SINGLE and abs(reference[first - 1] - reference[second - 1]) >= PAIR_TOLERANCE:
            raise ValueError("mixed_mode_order[%d] = %r pairs ports whose references differ "
                             "(%r and %r ohms)" % (index, order[index], reference[first - 1],
                                                   reference[second - 1]))
    for port, indices in naming.items():
        named = [descriptors[i] for i in indices]
        alone = len(named) == 1 and named[0][0] == SINGLE
        paired = len(named) == 2 and {named[0][0], named[1][0]} == {DIFFERENTIAL, COMMON} \
            and named[0][1:] == named[1][1:]
        if not (alone or paired):
            raise ValueError(
                "mixed_mode_order: port %d is described by %s; a port needs one S "
                "descriptor, or one D and one C of the same ports in the same order"
                % (port, " and ".join("mixed_mode_order[%d] = %r" % (i, order[i])
                                      for i in indices) or "no descriptor"))
    return descriptors


def rounded(values, digits):
    return np.array([float("%.*g" % (digits, value)) for value in values])


def noise_rows(noise, ports, network_top, unit):
    """(points, 5) rows as the noise data hold them: frequency in the unit,
    minimum noise figure in dB, reflection magnitude and angle in degrees,
    resistance in ohms, each with the digits it is written with."""
    if ports != 2:
        raise ValueError("noise: noise parameters need 2 ports, data have %d" % ports)
    try:
        frequency, nf_min, gamma_opt, rn = noise
    except (TypeError, ValueError):
        raise ValueError("noise: not a Noise(frequency, nf_min, gamma_opt, rn)") from None
    frequency = real_array("noise.frequency", frequency, "(points,) with points > 0")
    shape = "(%d,), as noise.frequency" % len(frequency)
    nf_min = real_array("noise.nf_min", nf_min, shape)
    gamma_opt = complex_array("noise.gamma_opt", gamma_opt)
    rn = real_array("noise.rn", rn, shape)
    for argument, values in (("noise.nf_min", nf_min), ("noise.gamma_opt", gamma_opt),
                             ("noise.rn", rn)):
        if values.shape != frequency.shape:
            raise ValueError("%s: shape %s is not %s" % (argument, values.shape, shape))
    in_unit = rounded(frequency / UNITS[unit], NOISE_DIGITS)
    rising("noise.frequency (in %s, to %d digits)" % (unit, NOISE_DIGITS), in_unit)
    if in_unit[0] > network_top:
        raise ValueError("noise.frequency[0] = %r lies above the last network frequency"
                         % frequency[0])
    _first_bad("noise.rn", rn, ~(rn > 0), "is not positive")
    magnitude = np.abs(gamma_opt)
    _first_bad("noise.gamma_opt", gamma_opt, ~np.isfinite(magnitude), "has no finite magnitude")
    angle = np.degrees(np.angle(gamma_opt))
    columns = [in_unit] + [rounded(values, NOISE_DIGITS)
                           for values in (nf_min, magnitude, angle, rn)]
    return np.stack(columns, axis=1)


def build(frequency, data, parameter, reference, noise, frequency_unit, format,
          matrix_format, mixed_mode_order, name):
    """The core's record of the arrays, every value checked."""
    for argument, value in (("parameter", parameter), ("frequency_unit", frequency_unit),
                            ("format", format), ("matrix_format", matrix_format)):
        choice(argument, value, WORDS[argument])
    frequency, data, ports = network(frequency, data, parameter, format, matrix_format)
    reference = reference_values(reference, ports)
    order = [] if mixed_mode_order is None else mixed_mode(mixed_mode_order, ports, reference)
    in_unit = frequency / UNITS[frequency_unit]
    # Written with 16 digits, frequencies closer than that would merge; only
    # neighbours within a few units of the 16th digit can.
    close = np.flatnonzero(np.diff(in_unit) <= 1e-15 * in_unit[1:])
    for k in close:
        before, after = rounded(in_unit[k:k + 2], DATA_DIGITS)
        if after <= before:
            raise ValueError("frequency[%d] = %r does not rise above the value before it in "
                             "the %d digits it is written with" % (k + 1, frequency[k + 1],
                                                                   DATA_DIGITS))
    rows = None if noise is None else noise_rows(noise, ports, in_unit[-1], frequency_unit)
    per_port = bool(np.any(reference != reference[0]))
    # No version and no 2-port order: the record is then as the canonical
    # writer writes it.
    fields = {"version": None, "parameter": parameter, "ports": ports,
              "frequency_unit": frequency_unit, "format": format,
              "reference_resistance": float(reference[0]), "matrix_format": matrix_format,
              "two_port_data_order": None}
    pairs = np.ascontiguousarray(data).view(np.float64)
    return _core.build(fields, in_unit, pairs, "RI", reference.tolist(), per_port, order,
                       mixed_mode_order is not None, rows, name)
