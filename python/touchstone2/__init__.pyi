# Type stubs of the touchstone2 package.
import mmap
import os
from dataclasses import dataclass
from typing import IO, Any, BinaryIO, List, Literal, NamedTuple, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt
# scikit-rf is optional and has no types of its own: Network is Any to mypy,
# but names what to_network() gives and from_network() takes.
from skrf import Network  # type: ignore[import]

__version__: str
__all__ = ["read", "read_bytes", "check", "from_network", "Touchstone", "Noise", "Quality",
           "Diagnostic", "TouchstoneError"]

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
# Any object with a contiguous buffer.
_Buffer = Union[bytes, bytearray, memoryview, mmap.mmap, npt.NDArray[Any]]
_Real = Union[float, npt.ArrayLike]
# The words of the format as the module gives them (and takes them).
_Version = Literal["1", "1.1", "2.0", "2.1"]
_Parameter = Literal["S", "Y", "Z", "H", "G"]
_FrequencyUnit = Literal["Hz", "kHz", "MHz", "GHz"]
_Format = Literal["DB", "MA", "RI"]
_MatrixFormat = Literal["Full", "Upper", "Lower"]
_TwoPortDataOrder = Literal["12_21", "21_12"]

@dataclass(frozen=True)
class Diagnostic:
    code: int
    severity: Literal["error", "warning"]
    line: Optional[int]
    column: Optional[int]
    message: str
    filename: str

class TouchstoneError(ValueError):
    diagnostic: Optional[Diagnostic]
    def __init__(self, reason: Union[Diagnostic, str]) -> None: ...

class Noise(NamedTuple):
    frequency: npt.NDArray[np.float64]
    nf_min: npt.NDArray[np.float64]
    gamma_opt: npt.NDArray[np.complex128]
    rn: npt.NDArray[np.float64]

@dataclass(frozen=True, eq=False)
class Quality:
    passivity: Optional[float]
    reciprocity: Optional[float]
    causality: Optional[float]
    passivity_band: Optional[str]
    reciprocity_band: Optional[str]
    causality_band: Optional[str]
    pm: npt.NDArray[np.float64]
    rm: Optional[npt.NDArray[np.float64]]
    cqm: Optional[npt.NDArray[np.float64]]

@dataclass(frozen=True, eq=False)
class Touchstone:
    filename: str
    version: _Version
    parameter: _Parameter
    ports: int
    frequency_unit: _FrequencyUnit
    format: _Format
    reference_resistance: float
    matrix_format: _MatrixFormat
    two_port_data_order: Optional[_TwoPortDataOrder]
    mixed_mode_order: List[str]
    reference_given: bool
    mixed_mode_order_given: bool
    frequency: npt.NDArray[np.float64]
    data: npt.NDArray[np.complex128]
    reference: npt.NDArray[np.float64]
    noise: Optional[Noise]
    warnings: List[Diagnostic]
    _parsed: object
    def __post_init__(self) -> None: ...
    @classmethod
    def from_arrays(cls, frequency: npt.ArrayLike, data: npt.ArrayLike, *,
                    parameter: _Parameter = ..., reference: _Real = ...,
                    noise: Optional[Noise] = ..., frequency_unit: _FrequencyUnit = ...,
                    format: _Format = ..., matrix_format: _MatrixFormat = ...,
                    mixed_mode_order: Union[str, Sequence[str], None] = ...,
                    name: _Path = ...) -> Touchstone: ...
    def canonical(self) -> str: ...
    def canonical_v1(self) -> str: ...
    def describe(self) -> str: ...
    def quality(self) -> Quality: ...
    def to_s(self) -> npt.NDArray[np.complex128]: ...
    def write(self, file: Union[_Path, IO[str], IO[bytes]], version: _Version = ..., *,
              atomic: bool = ...) -> None: ...
    def to_network(self) -> Network: ...

def read(path: Union[_Path, BinaryIO]) -> Touchstone: ...
def read_bytes(data: _Buffer, name: _Path = ...) -> Touchstone: ...
def check(path: _Path) -> List[Diagnostic]: ...
# options are those of Touchstone.from_arrays.
def from_network(network: Network, **options: Any) -> Touchstone: ...
