"""The arguments of Touchstone.from_arrays() made into what the library's
builder takes: NumPy arrays of float64 and complex128 and the library's own
spelling of the option words. Every rule a reader applies is checked by the
library, once, for C++ and Python callers alike; here only what a Python
caller may hand over in more than one form is settled, and what no number
can stand for is refused, naming the argument and the index."""

import numbers

import numpy as np

from touchstone2 import _core

# The words of each field as the library spells them.
WORDS = _core.words


def choice(argument, value, allowed):
    """The library's spelling of an option word given in any case, as a
    file may give it."""
    if isinstance(value, str):
        for word in allowed:
            if word.lower() == value.lower():
                return word
    raise ValueError("%s: %r is not one of %s" % (argument, value, ", ".join(allowed)))


def _where(argument, index):
    return "%s[%s]" % (argument, ", ".join(map(str, index))) if index else argument


def _array(argument, values, dtype, kind):
    try:
        return np.asarray(values, dtype=dtype)
    except (TypeError, ValueError) as error:
        raise ValueError("%s: not an array of %s (%s)" % (argument, kind, error)) from None


def real_array(argument, values):
    """float64 array; a complex entry (other than one of imaginary part 0)
    or one that is no number is refused by its index, instead of NumPy's
    dropping the imaginary part with a warning or a bare TypeError."""
    try:
        array = np.asarray(values)
        # Entry by entry as given: NumPy would make [50, "75"] two strings.
        entries = array if array.dtype.kind in "iufc" else np.asarray(values, dtype=object)
    except ValueError:  # a ragged nesting
        raise ValueError("%s: not an array of real numbers (its rows differ in length)"
                         % argument) from None
    if array.dtype.kind in "iuf":
        return array.astype(np.float64, copy=False)
    if array.dtype.kind == "c":
        complex_at = np.argwhere(array.imag != 0)
        if len(complex_at):
            index = tuple(int(i) for i in complex_at[0])
            raise ValueError("%s = %r is complex; %s holds real numbers only"
                             % (_where(argument, index), array[index].item(), argument))
        return array.real.astype(np.float64)
    for index in np.ndindex(entries.shape):
        value = entries[index]
        if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Number):
            raise ValueError("%s = %r is not a number" % (_where(argument, index), value))
        if isinstance(value, numbers.Complex) and not isinstance(value, numbers.Real) \
                and value.imag != 0:
            raise ValueError("%s = %r is complex; %s holds real numbers only"
                             % (_where(argument, index), value, argument))
    return _array(argument, entries.tolist(), np.float64, "real numbers")


def _vector(argument, values, real=True):
    """A one-dimensional array of at least one value."""
    array = real_array(argument, values) if real else \
        _array(argument, values, np.complex128, "numbers")
    if array.ndim != 1 or array.size == 0:
        raise ValueError("%s: shape %s is not (points,) with points > 0"
                         % (argument, array.shape))
    return np.ascontiguousarray(array)


def _descriptors(order):
    """One descriptor per row: a sequence, or one string split on blanks."""
    if order is None:
        return None
    if isinstance(order, str):
        return order.split()
    return list(order)


def _noise(noise):
    try:
        frequency, nf_min, gamma_opt, rn = noise
    except (TypeError, ValueError):
        raise ValueError("noise: not a Noise(frequency, nf_min, gamma_opt, rn)") from None
    frequency = _vector("noise.frequency", frequency)
    arrays = [_vector("noise.nf_min", nf_min), _vector("noise.gamma_opt", gamma_opt, False),
              _vector("noise.rn", rn)]
    for argument, values in zip(("noise.nf_min", "noise.gamma_opt", "noise.rn"), arrays):
        if values.shape != frequency.shape:
            raise ValueError("%s: shape %s is not (%d,), as noise.frequency"
                             % (argument, values.shape, len(frequency)))
    return (frequency, *arrays)


def build(frequency, data, parameter, reference, noise, frequency_unit, format,
          matrix_format, mixed_mode_order, name):
    """The core's record of the arrays, every value checked by the library."""
    words = {argument: choice(argument, value, WORDS[argument])
             for argument, value in (("parameter", parameter),
                                     ("frequency_unit", frequency_unit), ("format", format),
                                     ("matrix_format", matrix_format))}
    frequency = _vector("frequency", frequency)
    data = _array("data", data, np.complex128, "numbers")
    points = len(frequency)
    if data.ndim != 3 or data.shape[0] != points or data.shape[1] != data.shape[2] \
            or data.shape[1] == 0:
        raise ValueError("data: shape %s is not (points, ports, ports) with points = %d"
                         % (data.shape, points))
    reference = real_array("reference", reference)
    if reference.ndim > 1:
        raise ValueError("reference: shape %s is neither one value nor (%d,), one per port"
                         % (reference.shape, data.shape[1]))
    return _core.from_arrays(frequency, np.ascontiguousarray(data), words["parameter"],
                             np.atleast_1d(reference), None if noise is None else _noise(noise),
                             words["frequency_unit"], words["format"], words["matrix_format"],
                             _descriptors(mixed_mode_order), name)
