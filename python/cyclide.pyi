"""Conversion of rational biquadratic Bezier patches into Dupin cyclide patches."""
import os
from typing import Any, Dict, List, Optional, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

__version__: str

Chemin = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]
Reels = npt.ArrayLike
Resultat = Dict[str, Any]

def convert(parameters: Reels, plane: str = "z") -> Resultat: ...
def convert_net(net: Reels, tolerance: float = 1e-06, plane: str = "z") -> Resultat: ...
def read_cad(path: Chemin, tolerance: float = 1e-06, plane: str = "z") -> List[Resultat]: ...
def convert_batch(
    sets: Reels,
    tolerance: float = 1e-06,
    plane: str = "z",
    threads: int = 0,
    as_arrays: bool = False,
) -> Union[List[Resultat], Dict[str, Any]]: ...
def piece_net(
    a: float,
    c: float,
    mu: float,
    theta: Tuple[float, float] | Sequence[float],
    psi: Tuple[float, float] | Sequence[float],
    centre: Optional[Reels] = None,
    frame: Optional[Reels] = None,
) -> npt.NDArray[np.float64]: ...
def sample(net: Reels, n: int) -> npt.NDArray[np.float64]: ...
def write_step(result: Resultat, path: Chemin) -> List[str]: ...
def write_obj(result: Resultat, path: Chemin) -> List[str]: ...
