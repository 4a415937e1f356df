// Kelvorin - desktop workbench for vibrational calculations.
// Normal modes from the Cartesian force constants: the mass-weighted matrix with the
// translations and rotations projected out, its eigenvectors, and the frequencies, reduced
// masses, force constants and displacements in the form a Gaussian output prints them.
#pragma once

#include "model/model.hpp"

#include <string>
#include <vector>

namespace kel {

/// cm-1 per sqrt(hartree / (bohr^2 amu)).
inline constexpr double WavenumberPerAu = 5140.487143715828;
/// cm-1 per sqrt(mdyn / (A amu)).
inline constexpr double WavenumberPerMdyn = 1302.791390846036;

/// Computed modes, the highest first (the order of the model's modes).
struct NormalModes {
  int atoms = 0;
  bool linear = false;
  int projected = 0;                ///< translations and rotations taken out (6, or 5 when linear)
  std::vector<double> masses;       ///< amu, atoms 1..atoms at 0..atoms-1
  std::vector<double> frequencies;  ///< cm-1, an imaginary one negative
  std::vector<double> reducedMasses;   ///< amu
  std::vector<double> forceConstants;  ///< mdyn/A, negative for an imaginary mode
  /// Normalised Cartesian displacements, mode k at [k * 3 * atoms ..]: atom-major x, y, z.
  std::vector<double> displacements;
  std::string message;  ///< why nothing was computed; empty on success
  int count() const { return int(frequencies.size()); }
  double displacement(int mode, int atom, int comp) const {  ///< all 0-based
    return displacements[std::size_t(mode) * std::size_t(3 * atoms) + std::size_t(3 * atom + comp)];
  }
};

/// True when m holds force constants for its atoms.
bool hasForceConstants(const ModKel& m);

/// Masses 1..NAt of m (AtMas) as a plain vector.
std::vector<double> currentMasses(const ModKel& m);

/// The normal modes of Fcc for the geometry Xyz of m and the given masses (one per atom).
/// On failure out.message says why and out holds no mode.
void analyseModes(const ModKel& m, const std::vector<double>& masses, NormalModes& out) noexcept;

/// Orthonormal translations and rotations at the geometry of m for the given masses
/// (mass-weighted when weighted, plain Cartesian otherwise): k vectors of 3N, k = 6, or 5
/// for a linear structure, fewer for one atom; with path, also the motion FccPath.
std::vector<std::vector<double>> rigidMotions(const ModKel& m, const std::vector<double>& masses,
                                              bool weighted, bool path = false);

/// Principal moments of inertia (amu A^2, ascending) of the geometry of m with these masses.
void principalMoments(const ModKel& m, const std::vector<double>& masses, double (&moments)[3]);

}  // namespace kel
