// Kelvorin - desktop workbench for vibrational calculations.
// Isotopologues: masses changed per atom or per element, the modes computed again, the
// shifts, and the Teller-Redlich product rule as a check of the force constants.
#pragma once

#include "analysis/normal_modes.hpp"
#include "model/model.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace kel {

/// Applies "N=MASS" (atom number) and "SYMBOL=MASS" (every atom of that element) items,
/// comma-separated, in order, to masses (one per atom of m). False with the reason, masses
/// unchanged, when an item is malformed or names no atom.
bool applyMassList(const ModKel& m, std::string_view list, std::vector<double>& masses,
                   std::string& message);

/// One isotopologue against the original masses.
struct IsotopeShift {
  NormalModes before, after;
  double productRatio = 0;  ///< product of frequency ratios over what masses and moments give
  double invariance = 0;    ///< how far Fcc is from translation/rotation invariant (share)
  std::string message;      ///< why nothing was computed; empty on success
};

/// The modes for both sets of masses and the product rule: the product over all modes of
/// nu'/nu against sqrt(prod (m/m')^3 (M'/M)^3 I'/I) (I the product of the principal moments,
/// or the one moment of a linear structure).
void isotopeShifts(const ModKel& m, const std::vector<double>& before,
                   const std::vector<double>& after, IsotopeShift& out) noexcept;

/// The largest |Fcc e| over the unit translations and rotations e, relative to the largest
/// |Fcc e| over the unit Cartesian directions: 0 for force constants free of them.
double forceConstantInvariance(const ModKel& m);

}  // namespace kel
