// Kelvorin - desktop workbench for vibrational calculations.
// The largest mass-weighted overlap of two printed modes, from their integer displacements.
#pragma once

#include "model/model.hpp"

#include <vector>

namespace kel {

struct ModeOverlap {
  double value = 0;  ///< largest |cos| of two modes, 0 when every pair is orthogonal
  int first = 0;     ///< the two modes (first < second), 0 when none
  int second = 0;
};

/// The pair of modes 1..NFrq of m with the largest |cos| of their mass-weighted displacements
/// (masses: one per atom). The sums are exact: the displacements are integers, summed per mass
/// in integers, so the result does not depend on the order or the width of the arithmetic.
/// Of equal overlaps the pair with the lower second mode, then the lower first mode, is taken.
ModeOverlap largestOverlap(const ModKel& m, const std::vector<double>& masses);

}  // namespace kel
