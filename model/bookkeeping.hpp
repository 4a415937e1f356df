// Kelvorin - desktop workbench for vibrational calculations.
// What every read or edit sets once the atoms are in place: the counts, the degree-of-freedom
// weights, the extents, the inverse masses and the zero cut.
#pragma once

#include "model/model.hpp"

namespace kel {

/// NAt = n and the degree-of-freedom counts NDof(1..4) = N, 3N, 3N - 3, 3N - 6.
void setCounts(ModKel& m, int n);
/// Par(par::DofWeightSingle) = Par(par::DofWeight) = 1 / (3N - 6) in single precision (0 when there
/// is no such count: a diatomic or a single atom) and Par(par::DofWeightRest) = 0.
void setDofWeights(ModKel& m, int n);
/// Box over atoms 1..n: least (row 1), greatest (row 2) and range (row 3) of the mass
/// (column 0) and of x, y, z; minima start at 0 (the mass at 100), maxima at 0; Box(0, 0) is
/// the largest range of x, y, z.
void fillBox(ModKel& m, int n);
/// InvMas of the three coordinates of each atom 1..n from its mass (0 for a massless atom).
void setInverseMasses(ModKel& m, int n);
/// Coordinates of atoms 1..n whose magnitude is below 1e-16 become exactly 0.
void cutZeros(ModKel& m, int n);

}  // namespace kel
