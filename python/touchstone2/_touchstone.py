"""The object a read returns: the file's fields, its values as NumPy arrays,
and the checker's texts for it."""

import collections
import dataclasses
import os
from typing import List, Optional

import numpy as np

from touchstone2 import _building, _core, _quality, _writing
from touchstone2._diagnostic import Diagnostic, TouchstoneError

Noise = collections.namedtuple("Noise", ["frequency", "nf_min", "gamma_opt", "rn"])
Noise.__doc__ = """The noise parameters of a 2-port file, one entry per noise frequency.

Attributes:
    frequency: float64 array, Hz.
    nf_min: float64 array, the minimum noise figure in dB.
    gamma_opt: complex128 array, the optimum source reflection coefficient.
    rn: float64 array, the effective noise resistance in ohms (a v1 file's
        value, given relative to the reference resistance, scaled back).
"""

# scikit-rf's conversion to S-parameters for each parameter type.
_TO_S = {"Y": "y2s", "Z": "z2s", "H": "h2s", "G": "g2s"}


class _Fresh:
    """A record on its way into the one Touchstone made from it."""

    __slots__ = ("record",)

    def __init__(self, record):
        self.record = record


@dataclasses.dataclass(frozen=True, eq=False)
class Touchstone:
    """A valid Touchstone file: read by touchstone2.read() or read_bytes(),
    or built by Touchstone.from_arrays() or touchstone2.from_network().

    Attributes:
        filename: the name it was read under (a str).
        version: "1", "1.1", "2.0" or "2.1" ("2.0" for one built from
            arrays).
        parameter: "S", "Y", "Z", "H" or "G".
        ports: the number of ports.
        frequency_unit: the option line's unit, "Hz", "kHz", "MHz" or "GHz"
            (GHz where the line gives none); the arrays are in Hz anyway.
        format: the option line's number format, "DB", "MA" or "RI".
        reference_resistance: the option line's R, in ohms (50 by default;
            port 1's where the line gives one per port, version 1.1).
        matrix_format: "Full", "Upper" or "Lower".
        two_port_data_order: for a 2-port file, "12_21" or "21_12" as a
            v2.0 file gives it, "21_12" for a v1 file (whose 2-port data
            run column by column); None for any other number of ports.
        mixed_mode_order: one descriptor per matrix row, such as "S1",
            "D1,2" or "C1,2".
        reference_given: whether the file had [Reference], or one resistance
            per port on its option line (version 1.1).
        mixed_mode_order_given: whether the file had [Mixed-Mode Order].
        frequency: float64 array (points,), Hz.
        data: complex128 array (points, ports, ports); data[k, i, j] is row
            i + 1, column j + 1 at frequency[k], whatever the file's layout
            (v1 2-port column order, either v2.0 two-port order, an Upper or
            Lower triangle mirrored to the full matrix). Values are in the
            file's parameter type and in physical units: the Y, Z, H and G
            values of a v1 file are scaled back from the reference
            resistance.
        reference: float64 array (ports,), the reference impedance of each
            port in ohms.
        noise: a Noise of arrays, or None when the file has no noise data.
        warnings: the checker's warnings, a list of Diagnostic.

    The object is a value: its attributes cannot be set and its arrays are
    read-only, so canonical(), describe() and write() always agree with
    them. To change values, build a new object from changed copies with
    from_arrays(); dataclasses.replace() and calling the class directly
    raise TypeError. It pickles by value, and copy.deepcopy() works.
    """

    filename: str
    version: str
    parameter: str
    ports: int
    frequency_unit: str
    format: str
    reference_resistance: float
    matrix_format: str
    two_port_data_order: Optional[str]
    mixed_mode_order: List[str]
    reference_given: bool
    mixed_mode_order_given: bool
    frequency: np.ndarray
    data: np.ndarray
    reference: np.ndarray
    noise: Optional[Noise]
    warnings: List[Diagnostic]
    _parsed: object = dataclasses.field(repr=False)

    @classmethod
    def _from_parsed(cls, parsed, filename, warnings):
        """The object of a valid record, its arrays made read-only."""
        frequency, data, reference, noise = parsed.arrays()
        arrays = [frequency, data, reference] + list(noise or ())
        for array in arrays:
            array.flags.writeable = False
        return cls(filename=filename, **parsed.header(), frequency=frequency, data=data,
                   reference=reference, noise=Noise(*noise) if noise is not None else None,
                   warnings=warnings, _parsed=_Fresh(parsed))

    def __post_init__(self):
        # The record, not the attributes, is what is written, described and
        # pickled: it must be the one made with these values. An object made
        # from another's record with some values changed (which is what
        # dataclasses.replace() does) would write the old values.
        if not isinstance(self._parsed, _Fresh):
            raise TypeError("a Touchstone comes from read(), read_bytes(), from_arrays() or "
                            "from_network(); to change values, build one with from_arrays()")
        object.__setattr__(self, "_parsed", self._parsed.record)

    @classmethod
    def from_arrays(cls, frequency, data, *, parameter="S", reference=50.0, noise=None,
                    frequency_unit="GHz", format="RI", matrix_format="Full",
                    mixed_mode_order=None, name="<arrays>"):
        """A Touchstone of the given values, for write().

        Args:
            frequency: (points,) in Hz, not negative, strictly rising.
            data: complex (points, ports, ports), data[k, i, j] row i + 1,
                column j + 1 at frequency[k], in physical units.
            parameter: "S", "Y", "Z", "H" or "G" (H and G for 2 ports only).
            reference: one impedance in ohms, or one per port; positive and
                real (a complex value of imaginary part 0 is taken).
            noise: a Noise (frequency in Hz, nf_min in dB, gamma_opt, rn in
                ohms) for a 2-port; its values are kept as given, and its
                first frequency must not lie above the last network
                frequency.
            frequency_unit, format: the option line's unit and number
                format for writing ("DB" cannot hold a value of magnitude
                0); these words, parameter and matrix_format are taken in
                any case ("ghz", "ma"), as a file may give them.
            matrix_format: "Upper" or "Lower" to declare the data symmetric;
                each element must equal its mirror exactly.
            mixed_mode_order: None, or one descriptor per row ("S1",
                "D1,2", "C1,2"), as a sequence or as one string of
                descriptors between blanks ("D1,2 C1,2"): every port once,
                alone or in a pair given as D and as C in the same order,
                pairs of equal reference.
            name: stands for the file in the description and diagnostics.

        Raises ValueError naming the argument and the index for anything the
        checker would refuse; the library's builder checks the values, as
        it does for C++ callers.
        """
        parsed = _building.build(frequency, data, parameter, reference, noise, frequency_unit,
                                 format, matrix_format, mixed_mode_order, os.fsencode(name))
        return cls._from_parsed(parsed, os.fsdecode(name), [])

    def __repr__(self):
        return "<touchstone2.Touchstone %r: v%s, %d-port %s, %d points>" % (
            self.filename, self.version, self.ports, self.parameter, len(self.frequency))

    def __reduce__(self):
        """Pickled by value: the header and the values as stored, from which
        the same record is built again."""
        header = self._parsed.header()
        frequency, pairs, noise = self._parsed.stored()
        return (_restore, (self.filename, self.warnings, header, frequency, pairs,
                           self.reference.tolist(), noise))

    def _text(self, version):
        _writing.check_version(version)
        try:
            return self._parsed.text(version)
        except ValueError as refusal:
            raise TouchstoneError(str(refusal)) from None

    def canonical(self):
        """The file as canonical Touchstone v2.0, as a str: byte for byte
        what `snpvet -canonical` writes. Raises TouchstoneError (with
        diagnostic None) for a v1 file without network data, which v2.0
        cannot express."""
        return self._text("2.0")

    def canonical_v1(self):
        """The file as Touchstone v1, as a str: byte for byte what
        `snpvet -canonical-v1` writes. Raises TouchstoneError (with
        diagnostic None) where v1 cannot express the file: [Reference],
        [Mixed-Mode Order], or values that normalising carries out of
        range."""
        return self._text("1")

    def describe(self):
        """The long-form description, as a str: byte for byte what
        `snpvet -describe` writes."""
        return self._parsed.describe()

    def write(self, file, version="2.0", *, atomic=True):
        """Writes the file as Touchstone of that version: "2.0" the text of
        canonical(), "1" that of canonical_v1(), "2.1" the text of
        canonical() with [Version] 2.1, "1.1" the v1 text with one
        reference resistance per port after R ("# GHz S RI R 50 75").

        Version 1.1 needs two ports or more (with one value the line is
        version 1's). Its values of Y, Z, H and G are relative to one
        resistance, so for them every port's reference must be the same;
        S-parameters may have a different one per port. Equal references
        are written as 1.1 too, one per port. The noise resistance is
        relative to port 1's reference. scikit-rf before 1.0 reads no v2
        file, and reads 1.1 with port 1's reference for every port: for it,
        write version "1".

        file is a path (str, bytes or os.PathLike) or a file object open for
        writing, in binary or text mode. The text is read back by the
        checker, and compared with the values, before it takes the file's
        place: a path gets it through a temporary file in the same folder,
        synced and renamed over it, so that a failure never leaves a partial
        file nor harms the file it would have replaced. The replaced file's
        mode is kept, and its owner and group where the process may set
        them. A symbolic link's file is replaced, not the link; a device or
        a pipe gets the checked text directly.

        A folder where no temporary file can be made (a writable file in a
        read-only folder) raises PermissionError naming the folder; with
        atomic=False the checked text is then written into the file itself,
        without the all-or-nothing guarantee: a failure midway (a full disk)
        leaves it partly written.

        Raises TouchstoneError where the version cannot express the file
        (as canonical_v1() does; 1.1 also for a mixed-mode order, one port,
        or references that differ for other than S-parameters), ValueError
        for an unknown version, and OSError when the file cannot be
        written: PermissionError for a file the caller may not write (as
        open(path, "w") would; it is never replaced), FileNotFoundError for
        a missing folder, and so on, each with `filename` the path given.
        """
        if hasattr(file, "write"):
            _writing.write_to_object(self, file, version)
        else:
            _writing.write_to_path(self, file, version, atomic)

    def quality(self):
        """The frequency-domain quality metrics of the data (passivity,
        reciprocity, causality) as a touchstone2.Quality: each metric with
        its band, the per-frequency measures and the per-element causality.
        Y, Z, H and G data are converted to S-parameters first (as to_s()
        gives them); mixed-mode data are taken as stored.

        Raises ValueError where the data have no S-parameter form or are
        too large to measure, NotImplementedError where the module was built
        without the metrics (they need Eigen 3).
        """
        return _quality.quality(self._parsed)

    def to_s(self):
        """The data as S-parameters: a new complex128 array (points, ports,
        ports), a copy of data for S-parameters, converted from Y, Z, H or G
        with each port's reference impedance. Mixed-mode data are taken as
        stored.

        Raises ValueError where a point has no S-parameter form (Z equal to
        minus the reference impedance, say), NotImplementedError where the
        module was built without the conversion (it needs Eigen 3).
        """
        return _quality.to_s(self._parsed)

    def to_network(self):
        """The file as a scikit-rf Network: the same frequencies, the
        reference impedances as z0, S-parameters as they are and Y, Z and H
        parameters converted with scikit-rf's own functions, and the noise
        parameters where the file has them.

        Raises ImportError without scikit-rf, and NotImplementedError for a
        parameter type the installed scikit-rf cannot convert (G, for
        example). A mixed-mode file gives its matrix as it stands.
        """
        import skrf

        s = self.data.copy()
        if self.parameter != "S":
            s = self._converted_to_s(skrf)
        network = skrf.Network(frequency=skrf.Frequency.from_f(self.frequency, unit="hz"),
                               s=s, z0=self.reference.copy(), name=self.filename)
        if self.noise is not None:
            network.set_noise_a(skrf.Frequency.from_f(self.noise.frequency, unit="hz"),
                                nfmin_db=self.noise.nf_min, gamma_opt=self.noise.gamma_opt,
                                rn=self.noise.rn)
        return network

    def _converted_to_s(self, skrf):
        """The data as S-parameters, by scikit-rf's own conversion."""
        cannot = "scikit-rf %s cannot convert %s-parameters to S-parameters" % (
            skrf.__version__, self.parameter)
        convert = getattr(skrf.network, _TO_S[self.parameter], None)
        if convert is None:
            raise NotImplementedError(cannot)
        try:
            return convert(self.data, self.reference)
        except AttributeError as error:
            # scikit-rf 0.15 still uses numpy.complex, which NumPy 1.24 removed.
            reason = str(error).splitlines()[0]
            raise NotImplementedError("%s with NumPy %s (%s)" % (cannot, np.__version__, reason)) \
                from error


def _restore(filename, warnings, header, frequency, pairs, reference, noise):
    """The Touchstone that __reduce__ gave the values of."""
    fields = {key: header[key] for key in ("version", "parameter", "ports", "frequency_unit",
                                           "format", "reference_resistance", "matrix_format",
                                           "two_port_data_order")}
    parsed = _core.build(fields, frequency, pairs, header["format"], reference,
                         header["reference_given"], header["mixed_mode_order"], header["mixed_mode_order_given"],
                         noise, os.fsencode(filename))
    return Touchstone._from_parsed(parsed, filename, warnings)
