# Type stubs of the touchstone2 package.
import os
from typing import List, NamedTuple, Optional, Union

import numpy as np
import numpy.typing as npt

__version__: str

_Path = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]
_Buffer = Union[bytes, bytearray, memoryview]

class Diagnostic:
    code: int
    severity: str
    line: Optional[int]
    column: Optional[int]
    message: str
    filename: str
    def __init__(self, code: int, severity: str, line: Optional[int], column: Optional[int],
                 message: str, filename: str) -> None: ...

class TouchstoneError(ValueError):
    diagnostic: Optional[Diagnostic]
    def __init__(self, reason: Union[Diagnostic, str]) -> None: ...

class Noise(NamedTuple):
    frequency: npt.NDArray[np.float64]
    nf_min: npt.NDArray[np.float64]
    gamma_opt: npt.NDArray[np.complex128]
    rn: npt.NDArray[np.float64]

class Touchstone:
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
    frequency: npt.NDArray[np.float64]
    data: npt.NDArray[np.complex128]
    reference: npt.NDArray[np.float64]
    noise: Optional[Noise]
    warnings: List[Diagnostic]
    def canonical(self) -> str: ...
    def canonical_v1(self) -> str: ...
    def describe(self) -> str: ...
    # An skrf.Network; scikit-rf is optional and untyped.
    def to_network(self) -> object: ...

def read(path: _Path) -> Touchstone: ...
def read_bytes(data: _Buffer, name: str = ...) -> Touchstone: ...
def check(path: _Path) -> List[Diagnostic]: ...
