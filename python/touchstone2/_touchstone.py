"""The object a read returns: the file's fields, its values as NumPy arrays,
and the checker's texts for it."""

import collections

import numpy as np

from touchstone2._diagnostic import TouchstoneError

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


class Touchstone:
    """A valid Touchstone file, as read by touchstone2.read() or read_bytes().

    Attributes:
        filename: the name it was read under.
        version: "1", "1.1", "2.0" or "2.1".
        parameter: "S", "Y", "Z", "H" or "G".
        ports: the number of ports.
        frequency_unit: the option line's unit, "Hz", "kHz", "MHz" or "GHz"
            (GHz where the line gives none); the arrays are in Hz anyway.
        format: the option line's number format, "DB", "MA" or "RI".
        reference_resistance: the option line's R, in ohms (50 by default;
            port 1's where the line gives one per port, version 1.1).
        matrix_format: "Full", "Upper" or "Lower".
        two_port_data_order: "12_21" or "21_12" for a 2-port v2.0 file, else
            None.
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

    The arrays are the object's own; changing them changes neither the texts
    nor to_network() results made earlier.
    """

    def __init__(self, parsed, filename, warnings):
        """Made by read() and read_bytes(), not by users."""
        self._parsed = parsed
        self.filename = filename
        self.warnings = warnings
        self.__dict__.update(parsed.header())
        self.frequency, self.data, self.reference, noise = parsed.arrays()
        self.noise = Noise(*noise) if noise is not None else None

    def __repr__(self):
        return "<touchstone2.Touchstone %r: v%s, %d-port %s, %d points>" % (
            self.filename, self.version, self.ports, self.parameter, len(self.frequency))

    def canonical(self):
        """The file as canonical Touchstone v2.0, as a str: byte for byte
        what `snpvet -canonical` writes."""
        return self._parsed.canonical()

    def canonical_v1(self):
        """The file as Touchstone v1, as a str: byte for byte what
        `snpvet -canonical-v1` writes. Raises TouchstoneError (with
        diagnostic None) where v1 cannot express the file: [Reference],
        [Mixed-Mode Order], or values that normalising carries out of
        range."""
        try:
            return self._parsed.canonical_v1()
        except ValueError as refusal:
            raise TouchstoneError(str(refusal)) from None

    def describe(self):
        """The long-form description, as a str: byte for byte what
        `snpvet -describe` writes."""
        return self._parsed.describe()

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
