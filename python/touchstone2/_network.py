"""A Touchstone from a scikit-rf Network, for writing it with write()."""

import numpy as np

from touchstone2._touchstone import Noise, Touchstone


def _reference(network):
    """One real impedance per port, the same at every frequency, as the
    format holds it; ValueError for any other."""
    z0 = np.asarray(network.z0)
    complex_at = np.argwhere(z0.imag != 0)
    if len(complex_at):
        k, port = complex_at[0]
        raise ValueError("network.z0[%d, %d] = %r is complex; a Touchstone file holds real "
                         "reference impedances only" % (k, port, z0[k, port]))
    moving = np.argwhere(z0.real != z0.real[0])
    if len(moving):
        k, port = moving[0]
        raise ValueError("network.z0[%d, %d] = %r differs from network.z0[0, %d] = %r; a "
                         "Touchstone file holds one reference impedance per port for all "
                         "frequencies" % (k, port, z0[k, port].real, port, z0[0, port].real))
    return z0.real[0]


def _noise(network, skrf):
    """The network's noise parameters at its own noise frequencies, by
    scikit-rf's own formulas (evaluated on a network of those frequencies);
    the optimum reflection from its optimum impedance against port 1's
    real reference, as scikit-rf's g_opt would give it where it runs."""
    if not network.noisy:
        return None
    frequency = network.noise_freq
    at_noise = skrf.Network(frequency=frequency, s=np.zeros((len(frequency.f), 2, 2)),
                            z0=network.z0[0])
    at_noise.noise = network.noise
    at_noise.noise_freq = frequency
    z_opt = at_noise.z_opt
    z0 = network.z0[0, 0].real
    return Noise(frequency.f, at_noise.nfmin_db, (z_opt - z0) / (z_opt + z0), at_noise.rn)


def from_network(network, **options):
    """The S-parameters of a scikit-rf Network as a Touchstone, ready for
    write(): its frequencies, its reference impedances (one per port) and its
    noise parameters where it has them.

    Options are those of Touchstone.from_arrays() (format, frequency_unit,
    matrix_format, mixed_mode_order); the name is the network's.

    Raises ValueError for complex or frequency-dependent reference
    impedances, which the format cannot hold, and for anything else
    from_arrays() refuses.
    """
    import skrf

    reference = _reference(network)
    return Touchstone.from_arrays(network.f, network.s, parameter="S", reference=reference,
                                  noise=_noise(network, skrf),
                                  name=network.name or "<network>", **options)
