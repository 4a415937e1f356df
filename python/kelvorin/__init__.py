"""Kelvorin's reader and analysis for Python scripts.

    import kelvorin
    mol = kelvorin.read("water.log")          # a Gaussian output, checkpoint or structure file
    mol.coordinates                           # (N, 3) float64, angstrom
    mol.frequencies, mol.modes                # (M,) cm-1 highest first; (M, N, 3)
    mol.analysis(masses={"H": 2.014102})      # modes, PED and report for other masses

Indices are 0-based throughout: the atom pairs of ``bonds``, the atoms of
``internal_coordinates``, integer keys of ``masses``, the coordinate of a PED entry and the
modes of ``report["imaginary"]``. (The JSON document of ``kelvorin --batch --json`` counts
from 1.)

A read has its own program state: threads may read different files at once (the read runs
without the interpreter lock). It leaves the working folder alone, prints nothing and writes
no file; ``write_kel=True`` writes the program's own ``.kel`` file beside the input as the
program does after a read.
"""

import dataclasses
import os
from typing import Optional

from . import _kelvorin

__all__ = ["read", "Molecule", "Analysis", "Spectrum", "ReadError"]

ReadError = _kelvorin.ReadError
ReadError.__module__ = __name__
ReadError.__doc__ = "A read that failed; the message is the program's own (its status line)."

Molecule = _kelvorin.Molecule


@dataclasses.dataclass
class Analysis:
    """The normal-mode analysis, as the ``analysis`` object of the JSON document.

    ``frequencies``, ``reduced_masses``, ``force_constants`` and ``modes`` (M, N, 3) are
    computed from the force constants (empty without them), highest first. ``ped`` holds, per
    mode, (coordinate index, percent) pairs of at least 1 %, decreasing; ``ped_kind`` says
    whether it is a distribution ("ped") or, without force constants, the coordinate character
    of the printed modes ("character"). ``report`` is the frequency integrity report (its
    ``lines`` as the program logs them).
    """

    source: Optional[str]
    masses: object
    frequencies: object
    reduced_masses: object
    force_constants: object
    modes: object
    ped: list
    ped_kind: Optional[str]
    report: dict


def _mass_list(masses):
    """{atom index or symbol: mass} as the program's list "N=MASS,SYMBOL=MASS"."""
    items = []
    for key, mass in masses.items():
        if isinstance(key, bool) or not isinstance(key, (int, str)):
            raise TypeError(f"a mass key is an atom index or an element symbol, not {key!r}")
        name = str(key + 1) if isinstance(key, int) else key
        if isinstance(key, int) and key < 0:
            raise ValueError(f"atom index {key} is negative")
        items.append(f"{name}={float(mass)!r}")
    return ",".join(items)


def _analysis(self, masses=None):
    """The analysis of the held modes and force constants, None when there are neither.

    masses: {atom index or element symbol: mass in amu}, applied in order for this
    computation only (the molecule keeps its masses).
    """
    result = self._analysis(_mass_list(masses) if masses else "")
    return None if result is None else Analysis(**result)


def _repr(self):
    return (f"<kelvorin.Molecule {len(self)} atoms, {len(self.frequencies)} modes"
            f" from {os.path.basename(self.path)}>")


@dataclasses.dataclass
class Spectrum:
    """IR and Raman spectra of the held modes, as ``kelvorin --batch --spectrum`` writes them.

    ``wavenumber``, ``ir`` and ``raman`` are the broadened curves (each mode's intensity times
    a unit-area line shape at its scaled frequency); ``raman`` is None when the file holds no
    Raman activities. The sticks are the modes of real frequency: their 0-based mode index,
    scaled wavenumber and intensities. ``scaling`` is the (factor, shift) applied.
    """

    wavenumber: object
    ir: object
    raman: object
    stick_modes: object
    stick_wavenumbers: object
    stick_ir: object
    stick_raman: object
    scaling: tuple


def _spectrum(self, fwhm=10.0, lineshape="lorentz", range=None, step=1.0, scaling=None):
    """The broadened spectra of the held modes.

    fwhm: full width at half maximum (cm-1); lineshape: "lorentz" or "gauss";
    range: (from, to) in cm-1, default 0 to the highest scaled frequency + 200 rounded up to
    100; step: cm-1; scaling: (factor, shift), default the file's scaling instruction.
    Raises ValueError with the program's reason when no spectrum can be made.
    """
    low, high = (None, None) if range is None else (float(range[0]), float(range[1]))
    factor, shift = (None, 0.0) if scaling is None else (float(scaling[0]), float(scaling[1]))
    return Spectrum(**self._spectrum(lineshape, float(fwhm), low, high, float(step), factor,
                                     shift))


Molecule.analysis = _analysis
Molecule.spectrum = _spectrum
Molecule.__repr__ = _repr


def read(path, geometry="last", write_kel=False):
    """Reads one file into a Molecule; raises ReadError with the program's message.

    geometry: which geometry of an output ("first", "last" or "emin"), as --geometry.
    """
    return _kelvorin.read(os.fsdecode(os.fspath(path)), geometry, bool(write_kel))
