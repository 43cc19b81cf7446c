"""The frequency-domain quality metrics of a Touchstone's S-parameters."""

import dataclasses
from typing import Optional

import numpy as np

from touchstone2 import _core

NOT_BUILT_IN = ("this touchstone2 was built without the quality metrics "
                "(they need Eigen 3, Debian package libeigen3-dev)")


@dataclasses.dataclass(frozen=True, eq=False)
class Quality:
    """How physically sound a file's data are, as Touchstone.quality()
    gives it; Y, Z, H and G data are converted to S-parameters first.

    Each metric is a percentage from 0 to 100 with its band, "good",
    "acceptable", "inconclusive" or "poor"; both are None where the metric
    does not apply (reciprocity of one port, causality of fewer than three
    frequency points, anything without frequency points).

    Attributes:
        passivity: the share of points whose largest singular value stays
            at or below 1.00001, each point above it counting less by 0.1 of
            excess per whole point; band "good" above 99.9, "acceptable"
            above 99, "inconclusive" above 80.
        reciprocity: the same for the mean |S_ij - S_ji| over the
            off-diagonal elements against 1e-6; the same bands.
        causality: the smallest, over all elements, of the share (weighted
            by size) of turns of the element's trace over frequency that go
            clockwise, as a causal response's do; "good" above 80,
            "acceptable" above 50, "inconclusive" above 20.
        passivity_band, reciprocity_band, causality_band: the bands.
        pm: float64 array (points,), the largest singular value at each
            frequency.
        rm: float64 array (points,), the mean |S_ij - S_ji| at each
            frequency; None for one port.
        cqm: float64 array (ports, ports), each element's causality
            percentage; None for fewer than three points.
    """

    passivity: Optional[float]
    reciprocity: Optional[float]
    causality: Optional[float]
    passivity_band: Optional[str]
    reciprocity_band: Optional[str]
    causality_band: Optional[str]
    pm: np.ndarray
    rm: Optional[np.ndarray]
    cqm: Optional[np.ndarray]


def quality(parsed):
    """The Quality of a valid record."""
    if not _core.quality_built_in:
        raise NotImplementedError(NOT_BUILT_IN)
    passivity, reciprocity, causality, pm, rm, cqm = _core.quality(parsed)
    for array in (pm, rm, cqm):
        if array is not None:
            array.flags.writeable = False
    return Quality(passivity=passivity[0], reciprocity=reciprocity[0], causality=causality[0],
                   passivity_band=passivity[1], reciprocity_band=reciprocity[1],
                   causality_band=causality[1], pm=pm, rm=rm, cqm=cqm)


def to_s(parsed):
    """The S-parameters of a valid record, (points, ports, ports)."""
    if not _core.quality_built_in:
        raise NotImplementedError(NOT_BUILT_IN)
    return _core.to_s(parsed)
