// Kelvorin - desktop workbench for vibrational calculations.
// Groups of bonded atoms: each group is one molecule or one separate fragment.
#pragma once

#include "model/model.hpp"

namespace kel {

struct Work;

/// Splits atoms 1..la into groups connected through Mpo (a bond listed on either of its two
/// atoms connects them). Fills FrgMem ((g, a) member flags, (g, 0) sizes, (0, 0) groups - 1)
/// and the working copy NBondW of NBond; k2 = number of groups. Unless iko = 6 (quiet), more
/// than one group is reported as " 2 groups of atoms:  3 3".
void MpoGrp(Work& w, int la, i16& k2, int iko) noexcept;

}  // namespace kel
